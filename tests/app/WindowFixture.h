#pragma once

#include "app/MainWindow.h"
#include "document/LayoutFile.h"
#include "platform/FileSystem.h"
#include "platform/Printer.h"
#include "platform/SettingsStore.h"
#include "testkit/ScriptedDialogService.h"
#include "testkit/TestKit.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>
#include <memory>

namespace testkit {

// A main window opened, as from the command line, on a layout written to layoutName in a
// fresh program folder, or on none; its dialogs answered from a script, its prints written
// to printed.pdf there. The window is shown and active.
struct WindowFixture {
    ProgramFolder folder;
    ProgramFolder samples; // the sample library installed with the program
    QTemporaryDir home;
    ScriptedDialogService dialogs;
    platform::MemoryStore store;
    platform::FileSystem files;
    QString layoutName = QStringLiteral("plan.kla");
    std::function<std::unique_ptr<platform::Printer>()> makePrinter = [this] {
        return std::make_unique<platform::PdfFilePrinter>(printed());
    };
    std::unique_ptr<app::MainWindow> form;

    QString layoutPath() const { return folder.path() + QLatin1Char('/') + layoutName; }
    QString printed() const { return folder.path() + QStringLiteral("/printed.pdf"); }

    // The van's masses, and its top view's axles 35 and 335 cm from the picture's left edge.
    void addVanData() {
        if (!files.writeFileSafely(folder.vehicules() + QStringLiteral("/donnees.txt"),
                                   "[Van_Fourgon]\nvide_avant = 1000\nvide_arriere = 800\n"
                                   "maxi_avant = 1500\nmaxi_arriere = 1600\nmaxi_total = 3000\n"
                                   "[Van_Fourgon_Dessus_XY_5000_.bmp]\n"
                                   "essieu_avant = 35\nessieu_arriere = 335\n"))
            qFatal("cannot write the vehicle data");
    }

    // realDialogs, when given, asks the user instead of the script.
    void openLayout(const document::Layout& layout,
                    platform::DialogService* realDialogs = nullptr) {
        if (!document::writeLayoutFile(layoutPath(), layout, QLocale(), files))
            qFatal("cannot write the test layout");
        open(layoutPath(), realDialogs);
    }
    void open(const QString& path, platform::DialogService* realDialogs = nullptr) {
        app::MainWindowServices services{realDialogs ? *realDialogs : dialogs,
                                         store,
                                         files,
                                         makePrinter,
                                         home.path(),
                                         [](const QString&, const QStringList&) { return true; }};
        services.sampleLibrary = samples.path();
        form = std::make_unique<app::MainWindow>(services, folder.path(), path);
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()) ||
            form->editor().layout().isOpen == path.isEmpty() || !dialogs.asked.empty())
            qFatal("the test layout does not open quietly");
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get()))
            qFatal("the main window does not become active");
    }

    template <typename T = QWidget> T* control(const QString& name) const {
        // The preferences window and the accessory browser reuse some of these names.
        T* found = form->centralWidget()->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QAction* action(const QString& name) const {
        QAction* found = form->menuBar()->findChild<QAction*>(name);
        if (!found)
            qFatal("no menu entry %s", qPrintable(name));
        return found;
    }
};

} // namespace testkit
