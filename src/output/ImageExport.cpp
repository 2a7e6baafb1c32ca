#include "output/ImageExport.h"

// Placeholder bodies, replaced by the export's implementation.
namespace output {
Zone ChercherZoneExport(const platform::Surface& c, bool) { return {0, 0, c.width(), c.height()}; }
QImage PreparerImageSortie(const platform::Surface&, const Zone&, const QString&, const QString&) {
    return {};
}
void exportImage(const platform::Surface&, const QString&, const QString&, bool,
                 platform::DialogService&) {}
bool writePicture(const QImage&, const QString&, bool) { return false; }
void printPlan(const platform::Surface&, const QString&, const QString&, bool,
               platform::Printer&, platform::DialogService&) {}
} // namespace output
