#pragma once

#include "platform/FileSystem.h"
#include "platform/ScriptedDialogService.h"
#include "testkit/TestKit.h"

#include <QAbstractButton>
#include <QDir>
#include <QImage>
#include <QtTest>

// A program folder, the real file system and a scripted dialog service, with short
// ways to fill the library and reach a window's controls by name.
struct LibraryFixture {
    testkit::ProgramFolder folder;
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;

    void vehicle(const QString& name, int width = 20, int height = 10) {
        folder.addPicture(QStringLiteral("vehicules"), name, width, height);
    }
    void accessory(const QString& name, int width = 20, int height = 10) {
        folder.addPicture(QStringLiteral("accessoires"), name, width, height);
    }
    // A picture outside the library, as the user picks it; the next Open dialog returns it.
    QString pick(const QString& name, int width = 300, int height = 200) {
        const QString path = folder.path() + QLatin1Char('/') + name;
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(qRgb(200, 180, 160));
        image.save(path, name.endsWith(QLatin1String(".bmp")) ? "BMP" : "JPEG");
        dialogs.openAnswers.push_back({path, 1});
        return path;
    }
    int asked(platform::ScriptedDialogService::Kind kind) const {
        return int(std::count_if(dialogs.asked.begin(), dialogs.asked.end(),
                                 [kind](const auto& a) { return a.kind == kind; }));
    }
    QStringList files(const QString& sub) const {
        return QDir(folder.path() + QLatin1Char('/') + sub).entryList(QDir::Files, QDir::Name);
    }
};

template <typename T> T* child(const QObject& parent, const QString& name) {
    T* found = parent.findChild<T*>(name);
    if (found == nullptr)
        qFatal("no control %s", qPrintable(name));
    return found;
}

inline void press(const QObject& parent, const QString& name) {
    child<QAbstractButton>(parent, name)->click();
}
