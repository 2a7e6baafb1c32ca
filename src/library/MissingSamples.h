#pragma once

#include "platform/FileSystem.h"

#include <QString>
#include <QStringList>

namespace library {

// What adding the missing sample files did, as "folder/file" names.
struct SampleAddition {
    QStringList added;  // copied from the sample library
    QStringList failed; // missing but could not be copied (folder or disk refused)
};

// Copies into the user's library (libraryRoot) each file of the sample library's three
// folders that the user's folder lacks, making a folder that went missing. A file the
// user has under the same name, whatever its case or contents, is kept as it is;
// nothing is ever replaced or deleted. Samples added by a later version of the program
// reach a library that was copied once by an earlier one this way.
SampleAddition addMissingSamples(const QString& sampleLibrary, const QString& libraryRoot,
                                 platform::FileSystem& fs);

// The message that reports an addition to the user.
QString sampleAdditionMessage(const SampleAddition& addition);

} // namespace library
