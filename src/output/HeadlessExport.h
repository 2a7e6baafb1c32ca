#pragma once

#include "platform/SettingsStore.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace output {

// True when the arguments (without the program name) hold an option (any argument
// starting with "--", known or not) or -h, so the program should not open its window:
// runHeadlessExport then runs the command or refuses it.
bool isHeadlessCommand(const QStringList& args);

// True when the arguments ask for the help (--help or -h) and hold no unknown option.
bool isHelpRequest(const QStringList& args);

// Runs one command without a window; args are the arguments without the program name,
// libraryRoot the folder holding the library folders. Each option is given at most once.
// `kestrion --export LAYOUT.kla OUTPUT [--canvas WIDTHxHEIGHT]`: draws the layout at
// its saved zoom from the picture's top-left corner on an off-screen canvas as large
// as the zoomed vehicle picture (or WIDTHxHEIGHT), finds the zone when the autozone
// preference in settings says so (on when missing), stamps it and writes it in the
// format OUTPUT's ending names: .jpg or .jpeg (JPEG at quality 90), .bmp or .png; any
// other ending is refused.
// A plan too large to draw whole is drawn from its drawn zone alone when autozone is on.
// `kestrion --thumbnail LAYOUT.kla OUTPUT.png SIZE`: the plan without the stamp band,
// cropped to the zone when autozone is on, drawn directly at most SIZE pixels on its
// longer side, written as PNG (no file when anything fails). Pictures out of the
// library's reach do not stop it: a missing vehicle leaves a white plan, a missing
// texture or accessory a grey box.
// An OUTPUT ending in ".pdf" with `--scale N [--paper A4|A3] [--landscape]` writes the
// true-scale sheets instead (the zone follows autozone likewise), and
// `kestrion --parts LAYOUT.kla OUTPUT.csv` the parts list in the system's locale.
// Returns 0 on success; otherwise writes the reason on err and returns non-zero (a file
// that cannot be written is reported with what its folder tells: missing, closed, full). Wrong
// arguments (an unknown option, an option twice, an empty name…) write one line naming
// the problem and pointing to --help, and return 2. A help request (isHelpRequest)
// only writes the help text on err.
int runHeadlessExport(const QStringList& args, const QString& libraryRoot,
                      platform::SettingsStore& settings, QTextStream& err);
// The same, with `kestrion --masses LAYOUT.kla` printing the mass budget on out
// (output::runMassReport; exit 5 when a limit is passed). The form above prints it on
// the standard output.
int runHeadlessExport(const QStringList& args, const QString& libraryRoot,
                      platform::SettingsStore& settings, QTextStream& out, QTextStream& err);

// The text of `kestrion --help`.
QString headlessHelpText();

} // namespace output
