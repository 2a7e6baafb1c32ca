#pragma once

#include <QString>

namespace platform {

// What the print dialog chooses: the printer, as the system names it, the number of
// copies, and, when the user prints to a file instead, that file.
struct PrintChoice {
    QString printerName;
    int copies = 1;
    QString outputFile; // empty: the printer itself
    bool operator==(const PrintChoice&) const = default;
};

} // namespace platform
