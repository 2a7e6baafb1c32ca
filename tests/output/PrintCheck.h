#pragma once

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>

namespace printcheck {

// The page count of a PDF file: pdfinfo's when it is installed, else the page
// objects counted in the file; -1 when the file cannot be read.
inline int pageCount(const QString& path) {
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (!pdfinfo.isEmpty()) {
        QProcess process;
        process.start(pdfinfo, {path});
        if (process.waitForFinished(20000) && process.exitCode() == 0) {
            const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                   .match(QString::fromLocal8Bit(process.readAllStandardOutput()));
            if (match.hasMatch())
                return match.captured(1).toInt();
        }
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(file.readAll());
    return int(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![s\\w])"))));
}

} // namespace printcheck
