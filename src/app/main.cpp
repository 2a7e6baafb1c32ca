#include "app/MainWindow.h"
#include "app/Startup.h"
#include "library/LibraryLocation.h"
#include "output/HeadlessExport.h"
#include "platform/FileSystem.h"
#include "platform/QtDialogService.h"
#include "platform/QtPrinter.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QStringList>
#include <QTextStream>
#include <QTranslator>

#include <cstdio>
#include <memory>

namespace {

QStringList argumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// Decides where the library lives; needs the application object.
library::LibraryLocation libraryLocation(const platform::FileSystem& files) {
    const library::LocationInputs inputs{
        QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
        [](const QString& folder) { return QFileInfo(folder).isWritable(); }};
    return library::locateLibrary(inputs, files);
}

int runHeadless(int argc, char* argv[], const QStringList& arguments) {
    if (output::isHelpRequest(arguments)) {
        std::fputs(output::headlessHelpText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    // No display is needed to draw and write the picture.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    app::nameApplication();
    platform::QSettingsStore store;
    QTextStream out(stdout);
    QTextStream err(stderr);
    platform::FileSystem files;
    const QString root = library::readableLibrary(libraryLocation(files), files);
    return output::runHeadlessExport(arguments, root, store, out, err);
}

} // namespace

int main(int argc, char* argv[]) {
    const QStringList arguments = argumentsOf(argc, argv);
    if (output::isHeadlessCommand(arguments))
        return runHeadless(argc, argv, arguments);

    QApplication app(argc, argv);
    app::nameApplication();

    // Qt's own dialogs speak French whatever the system language; numbers keep
    // following the user's locale, so the default locale is left alone.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTranslator);

    platform::QtDialogService dialogs;
    platform::QSettingsStore store;
    platform::FileSystem files;
    const library::LibraryLocation place = libraryLocation(files);
    // A failure leaves an emptier library, completed at the next start.
    const bool libraryReady = library::prepareUserLibrary(place, files);
    app::MainWindowServices services{dialogs,
                                     store,
                                     files,
                                     [] { return std::make_unique<platform::QtPrinter>(); },
                                     QString(),
                                     {},
                                     !place.installed,
                                     editor::RecoveryCopies::defaultFolder()};
    services.sampleLibrary = place.sampleLibrary;
    app::MainWindow window(services, place.root, app::layoutArgument(arguments));
    dialogs.setParent(&window);
    window.show();
    window.offerRecoveredCopies();
    if (!libraryReady)
        dialogs.messageBox(library::libraryCopyFailedMessage(place), QStringLiteral("Attention :"),
                           platform::MsgIcon::Warning, platform::MsgButtons::Ok);
    return app.exec();
}
