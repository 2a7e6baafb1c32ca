#include "document/LayoutFile.h"

// Placeholder bodies, replaced by the layout file's implementation.
namespace document {
LoadOutcome ChargerAgencement(const QString&, const QString&, const platform::FileSystem&) {
    return {};
}
QString missingPicturesMessage(const QStringList&, const QStringList&) { return {}; }
QByteArray layoutFileText(const Layout&, const QLocale&) { return {}; }
bool SauverAgencement(const QString&, const Layout&, const QLocale&, platform::FileSystem&) {
    return false;
}
QString proposedFileName(const QString& m, const QString& v, bool) {
    return m + QStringLiteral(" - ") + v + QStringLiteral(".kla");
}
} // namespace document
