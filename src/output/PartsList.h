#pragma once

#include "document/Layout.h"
#include "document/MassBudget.h"

#include <QLocale>
#include <QString>
#include <QStringList>

namespace output {

// The parts list of a layout: a French header line, one line per object in stacking
// order (number, kind, what it is, width and height in cm, the top-left corner from
// the vehicle picture's top-left in cm, area in m² for the shapes that have one, the
// lock), then one line per texture and per colour totalling their areas. Fields are
// separated by ";" and quoted when they hold one; numbers are written with the
// locale's decimal separator and no thousands separator: lengths to 0.1 cm, areas to
// 0.01 m² (halves to even), without trailing zeros.
// A layout that carries a mass (on an object, or a load not drawn) gets a last column
// "Masse (kg)" (empty for an object without a known mass), one line per load not drawn,
// and the lines of its mass budget (output::massFigureLines) at the end; one without
// is listed exactly as before.
QStringList partsListLines(const document::Layout& layout, const QLocale& locale,
                           const document::MassBudget& masses = {});

// Writes the lines as a UTF-8 file with a byte-order mark, lines ended by CR LF, so
// that spreadsheet programs open it directly. An earlier file stays whole when
// writing fails. False on failure.
bool writePartsList(const QString& path, const QStringList& lines);

// The French message when the list cannot be written.
QString partsListFailedMessage();

} // namespace output
