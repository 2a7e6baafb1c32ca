#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>

#include <functional>

namespace app {

// The help text: lines joined by CR LF, ending with a line end.
QString helpText();
// The terms of use shown by "&License".
QString licenceText();
// "Version : major.minor.revision" from the application's version.
QString versionCaption(const QString& applicationVersion);

// The help window: one read-only text, closed by its OK button. Modeless.
class HelpWindow : public QDialog {
public:
    explicit HelpWindow(QWidget* parent = nullptr);
};

// The About box. Its captions are written when it is built, so every opening shows
// the same texts.
class AboutDialog : public QDialog {
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    // Opens the site in the user's browser; the result is ignored.
    std::function<bool(const QUrl&)> openUrl;
    void openSite();
};

// The acknowledgements window.
class CreditsDialog : public QDialog {
public:
    explicit CreditsDialog(QWidget* parent = nullptr);
};

} // namespace app
