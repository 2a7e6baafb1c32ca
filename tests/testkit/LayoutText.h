#pragma once

#include <QFile>
#include <QStringList>

namespace testkit {

// Writes a layout file by hand, so that its fields can hold what the writer never writes:
// the header with the vehicle and zoom lines, then eight lines per object.
inline QString writeLayoutText(const QString& path, const QString& vehicle, const QString& zoom,
                               const QStringList& objectLines = {}) {
    const QStringList head{QStringLiteral("Kestrion 2"),
                           vehicle,
                           QStringLiteral("0"),
                           QStringLiteral("0"),
                           QString::number(objectLines.size() / 8),
                           zoom};
    QFile file(path);
    const QString text = (head + objectLines).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

} // namespace testkit
