#pragma once

#include "document/Layout.h"
#include "document/MassBudget.h"
#include "platform/FileSystem.h"

#include <QLocale>
#include <QStringList>
#include <QTextStream>

namespace output {

// The mass budget of a layout as text, one French line per fact, masses to the tenth
// of a kg in the locale's format: the mass added, the total against the maximum
// authorised mass, each axle against its maximum (an overload named with its kg), the
// payload left and the centre of mass in cm from the front axle; then why a figure is
// missing (no vehicle data, no length axis) and the objects without a known mass.
// `kestrion --masses`, the parts list and the true-scale sheets print these lines.
QStringList massSummaryLines(const document::MassBudget& budget, const document::Layout& layout,
                             const QLocale& locale);

// The same without the objects without mass: what fits a small box on a sheet.
QStringList massFigureLines(const document::MassBudget& budget, const document::Layout& layout,
                            const QLocale& locale);

// The lines boxed on the first true-scale sheet: massFigureLines when the layout carries
// a mass, none otherwise (the sheets then look as they always did).
QStringList sheetMassLines(const document::Layout& layout, const QString& libraryRoot,
                           const platform::FileSystem& fs, const QLocale& locale);

// `kestrion --masses LAYOUT.kla`: the layout opened as for an export, its budget against
// the library's vehicle data printed on out as massSummaryLines in the given locale.
// Returns 0, or 5 when a limit is passed; 3 with the reason on err when the layout
// cannot be read.
constexpr int kMassLimitExceeded = 5;
int runMassReport(const QString& layoutPath, const QString& libraryRoot, const QLocale& locale,
                  QTextStream& out, QTextStream& err);

} // namespace output
