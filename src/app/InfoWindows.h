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
class Aide : public QDialog {
public:
    explicit Aide(QWidget* parent = nullptr);
};

// The About box. Its captions are written when it is built, so every opening shows
// the same texts.
class FrmAbout : public QDialog {
public:
    explicit FrmAbout(QWidget* parent = nullptr);
    // Opens the site in the user's browser; the result is ignored.
    std::function<bool(const QUrl&)> openUrl;
    void Label1_Click();
};

// The acknowledgements window.
class Remer : public QDialog {
public:
    explicit Remer(QWidget* parent = nullptr);
};

} // namespace app
