#pragma once

#include "platform/FileSystem.h"

#include <QString>

#include <functional>

namespace library {

// Where the three library folders (vehicules, accessoires, textures) live.
struct LibraryLocation {
    // The folder holding the three library folders; it plays the role of libraryRoot for
    // everything that reads or writes the library.
    QString root;
    // True when the program runs from an installed tree: the library is the user's
    // own copy, and the desktop knows the program from the installed files.
    bool installed = false;
    // The sample library shipped with an installed program (share/kestrion beside
    // the bin folder); empty when there is none.
    QString sampleLibrary;
};

// What decides the location, passed in so that tests need no real permissions.
struct LocationInputs {
    QString programFolder; // the executable's folder, "/" separators, no trailing "/"
    QString dataHome;      // $XDG_DATA_HOME, usually ~/.local/share
    // True when the program may create and write files in that folder.
    std::function<bool(const QString& folder)> isWritable;
};

// The folder beside the executable when it is writable and no installed sample library
// sits at ../share/kestrion (a build folder or a portable copy: exactly as before);
// otherwise dataHome/kestrion. An installed tree counts as installed even where its
// bin folder happens to be writable (root), so /usr/bin never receives a library.
LibraryLocation locateLibrary(const LocationInputs& inputs, const platform::FileSystem& fs);

// The installed sample library for a program folder: programFolder/../share/kestrion,
// when it holds a vehicules folder; empty otherwise.
QString installedSampleLibrary(const QString& programFolder, const platform::FileSystem& fs);

// Makes the user's library ready for an installed program: the root and its three
// folders are made when missing, and until a copy of the sample library has once been
// completed (a mark written last says so), the sample files missing from the user's
// folders are copied, each written whole; files already there are never replaced. Later
// runs only make a library folder that went missing, so the user's deletions and
// additions stay. Does nothing for a library beside the program. False when a folder,
// a copy or the mark failed (start-up goes on; the next start completes the copy).
bool prepareUserLibrary(const LibraryLocation& location, platform::FileSystem& fs);

// What start-up says, once, when prepareUserLibrary failed.
QString libraryCopyFailedMessage(const LibraryLocation& location);

// The library a command run without a window reads: the user's library once it exists,
// else the installed sample library. Such runs never write the library: a file manager's
// thumbnailer may run before the program was ever started, in a read-only sandbox.
QString readableLibrary(const LibraryLocation& location, const platform::FileSystem& fs);

// The names of the three library folders, in the order start-up creates them.
inline const QStringList kLibraryFolders = {QStringLiteral("textures"), QStringLiteral("vehicules"),
                                            QStringLiteral("accessoires")};

} // namespace library
