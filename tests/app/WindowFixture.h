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

#include <memory>

namespace testkit {

// A main window opened, as from the command line, on a layout written to plan.kla in a
// fresh program folder; its dialogs answered from a script, its prints written to
// printed.pdf there. The window is shown and active.
struct WindowFixture {
    ProgramFolder folder;
    QTemporaryDir home;
    ScriptedDialogService dialogs;
    platform::MemoryStore store;
    platform::FileSystem files;
    std::unique_ptr<app::MainWindow> form;

    QString layoutPath() const { return folder.path() + QStringLiteral("/plan.kla"); }

    void openLayout(const document::Layout& layout) {
        if (!document::writeLayoutFile(layoutPath(), layout, QLocale(), files))
            qFatal("cannot write the test layout");
        open(layoutPath());
    }
    void open(const QString& path) {
        const auto printer = [this] {
            return std::make_unique<platform::PdfFilePrinter>(folder.path() + "/printed.pdf");
        };
        app::MainWindowServices services{
            dialogs, store,       files,
            printer, home.path(), [](const QString&, const QStringList&) { return true; }};
        form = std::make_unique<app::MainWindow>(services, folder.path(), path);
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()) || !form->editor().layout().isOpen)
            qFatal("the test layout does not open");
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get()))
            qFatal("the main window does not become active");
    }

    template <typename T = QWidget> T* control(const char* name) const {
        T* found = form->centralWidget()->findChild<T*>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QAction* action(const char* name) const {
        QAction* found = form->menuBar()->findChild<QAction*>(QLatin1String(name));
        if (!found)
            qFatal("no menu entry %s", name);
        return found;
    }
};

} // namespace testkit
