#include "app/InfoWindows.h"

#include "app/Icons.h"
#include "platform/DialogService.h"
#include "platform/Product.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <QVersionNumber>

namespace app {

namespace {

QPushButton* okButton(const QString& name, QDialog* dialog) {
    auto* button = new QPushButton(QStringLiteral("OK"), dialog);
    button->setObjectName(name);
    button->setDefault(true);
    QObject::connect(button, &QPushButton::clicked, dialog, &QDialog::accept);
    return button;
}

QHBoxLayout* rightAligned(QWidget* widget) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(widget);
    return row;
}

// A label that reports a left click.
class LinkLabel : public QLabel {
public:
    LinkLabel(const QString& text, std::function<void()> clicked, QWidget* parent)
        : QLabel(text, parent), clicked_(std::move(clicked)) {
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            clicked_();
    }

private:
    std::function<void()> clicked_;
};

// Keeps its text as given, carriage returns included, and shows each carriage return
// as a line break (a Qt label draws it as a space).
class CarriageReturnLabel : public QLabel {
public:
    CarriageReturnLabel(const QString& text, QWidget* parent)
        : QLabel(text, parent),
          shown_(new QLabel(QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')), this)) {
        setTextFormat(Qt::PlainText);
        shown_->setTextFormat(Qt::PlainText);
        shown_->setWordWrap(true);
        setWordWrap(true);
    }
    QSize sizeHint() const override { return shown_->sizeHint(); }
    QSize minimumSizeHint() const override { return shown_->minimumSizeHint(); }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return shown_->heightForWidth(width); }

protected:
    void paintEvent(QPaintEvent*) override {} // the inner label paints
    void resizeEvent(QResizeEvent* event) override { shown_->resize(event->size()); }

private:
    QLabel* shown_;
};

} // namespace

QString helpText() {
    const QStringList lines = {
        QStringLiteral("AVANT DE COMMENCER"),
        QString(),
        QStringLiteral("- L'unité de mesure de ce logiciel est le centimètre (cm)."),
        QStringLiteral("- Regardez la barre d'aide contextuelle en bas de page."),
        QStringLiteral("- Seuls les rectangles peuvent recevoir une texture."),
        QStringLiteral("- Astuce: si les lignes de carrosserie vous gênent, faites un rectangle "
                       "blanc en arrière-plan"),
        QString(),
        QString(),
        QStringLiteral("CREATION D'OBJETS"),
        QString(),
        QStringLiteral("- Réglez éventuellement les paramètres de dimension et de couleur,"),
        QStringLiteral("- Cliquez sur le type d'objet désiré,"),
        QStringLiteral("- L'objet apparaît en haut à gauche de l'espace de dessin."),
        QString(),
        QString(),
        QStringLiteral("MODIFICATION D'OBJETS"),
        QString(),
        QStringLiteral("- Cliquez sur l'objet à modifier ET RELACHEZ le bouton de la souris."),
        QStringLiteral("- Vous pouvez déplacer l'objet,"),
        QStringLiteral("- Vous pouvez changer la couleur,"),
        QStringLiteral("- Vous pouvez redimensionner l'objet (suivant son type) soit en entrant "
                       "une dimension soit avec la souris."),
        QString(),
        QString(),
        QStringLiteral("COPIE D'OBJETS"),
        QString(),
        QStringLiteral("- Sélectionnez l'objet à copier,"),
        QStringLiteral("- Créez un nouvel objet du même type."),
        QString(),
        QString(),
        QStringLiteral("CALCUL DE SURFACES"),
        QString(),
        QStringLiteral("- Activez le module dans le menu options,"),
        QStringLiteral("- Selectionnez le rectangle, le triangle ou l'ellipse que vous souhaitez "
                       "ajouter au décompte,"),
        QStringLiteral("- Cliquez sur le bouton avec la flèche pour ajouter la valeur."),
        QStringLiteral("- Le décompte n'est pas mis à zéro au changement de projet, pour permettre "
                       "un décompte sur plusieurs vues."),
        QStringLiteral("- Vous pouvez sélectionner une ou plusieurs lignes et les supprimer en "
                       "cliquant sur la croix rouge."),
    };
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

QString licenceText() {
    // Three lines, the first followed by two carriage returns and the second by one.
    return QString() + QStringLiteral("\r\r") + QString() + QStringLiteral("\r") + QString();
}

QString versionCaption(const QString& applicationVersion) {
    const QVersionNumber version = QVersionNumber::fromString(applicationVersion);
    return QStringLiteral("Version : %1.%2.%3")
        .arg(version.majorVersion())
        .arg(version.minorVersion())
        .arg(version.microVersion());
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Aide"));
    setWindowTitle(QStringLiteral("Kestrion - Aide"));
    setModal(false);
    auto* text = new QPlainTextEdit(this);
    text->setObjectName(QStringLiteral("Text1"));
    text->setReadOnly(true);
    text->setPlainText(helpText());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(rightAligned(okButton(QStringLiteral("OKButton"), this)));
    resize(560, 440);
}

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent), openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    setObjectName(QStringLiteral("frmAbout"));
    setModal(true);
    const QString title = platform::kProgramName;
    setWindowTitle(QStringLiteral("À propos de ") + title);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(QPixmap::fromImage(icons::programIcon(48)));
    icon->setAlignment(Qt::AlignTop);

    auto* titleLabel = new QLabel(title, this);
    titleLabel->setObjectName(QStringLiteral("lblTitle"));
    QFont big = titleLabel->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    titleLabel->setFont(big);

    auto* versionLabel = new QLabel(versionCaption(QCoreApplication::applicationVersion()), this);
    versionLabel->setObjectName(QStringLiteral("lblVersion"));

    auto* descriptionLabel = new CarriageReturnLabel(
        QStringLiteral("Auteur : ") + platform::kAuthor + QStringLiteral("\r\r") +
            QStringLiteral("Concevez facilement les plans de votre véhicule aménagé!"),
        this);
    descriptionLabel->setObjectName(QStringLiteral("lblDescription"));

    auto* site = new LinkLabel(
        platform::kSiteHost, [this] { openSite(); }, this);
    site->setObjectName(QStringLiteral("Label1"));
    QPalette blue = site->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    site->setPalette(blue);

    auto* texts = new QVBoxLayout;
    texts->addWidget(titleLabel);
    texts->addWidget(versionLabel);
    texts->addSpacing(8);
    texts->addWidget(descriptionLabel);
    texts->addSpacing(8);
    texts->addWidget(site);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(rightAligned(okButton(QStringLiteral("cmdOK"), this)));
    setMinimumWidth(380);
}

void AboutDialog::openSite() {
    if (openUrl)
        openUrl(QUrl(platform::kSiteUrl)); // a browser that does not open is not reported
}

CreditsDialog::CreditsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Remer"));
    setWindowTitle(QStringLiteral("Kestrion - Remerciements"));
    setModal(true);
    auto* label = new QLabel(
        QStringLiteral("Je souhaite remercier les personnes suivantes pour leur collaboration : "
                       "debuggage, fourniture d'images de véhicules et/ou d'accessoires..."),
        this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);
    auto* names = new QLineEdit(platform::kContributors, this);
    names->setObjectName(QStringLiteral("Text1"));
    names->setReadOnly(true);
    names->setCursorPosition(0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(names);
    layout->addLayout(rightAligned(okButton(QStringLiteral("Command1"), this)));
    setMinimumWidth(420);
}

} // namespace app
