#include "library/ui/AccessoryImportDialog.h"

#include "library/ImportSteps.h"
#include "library/LibraryNames.h"
#include "library/ui/ImportSupport.h"
#include "library/ui/SurfaceView.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QVBoxLayout>

namespace library::ui {

namespace {
// The smallest window, and what the left column and the margins take from it (twips).
constexpr double kMinWidth = 12255;
constexpr double kMinHeight = 8445;
constexpr double kColumnWidth = 2760;
constexpr double kMarginHeight = 750;
constexpr int kMargin = 8; // pixels

const QString kNoResolution = QStringLiteral("Cliquez ci-dessous");
const QString kStartTest = QStringLiteral("Faire le test");
} // namespace

AccessoryImportDialog::AccessoryImportDialog(const QString& apath, platform::FileSystem& files,
                                             platform::DialogService& dialogs, QWidget* parent)
    : QDialog(parent), apath_(apath), files_(files), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Kestrion - Importer un véhicule"));
    buildControls();
    setMinimumSize(toPixels(kMinWidth), toPixels(kMinHeight));
    resize(minimumSize());
}

void AccessoryImportDialog::buildControls() {
    leftColumn_ = new QWidget(this);
    auto* column = new QVBoxLayout(leftColumn_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);

    auto* frame1 = new QGroupBox(QStringLiteral("1 - Résolution de l'image"), leftColumn_);
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto* test = new QVBoxLayout(frame1);
    test->setContentsMargins(6, 2, 6, 4);
    command1_ = new QPushButton(kStartTest, frame1);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setAutoDefault(false);
    connect(command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });
    label1_ = new QLabel(kNoResolution, frame1);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setAlignment(Qt::AlignCenter);
    test->addWidget(command1_);
    test->addWidget(label1_);
    column->addWidget(frame1);

    auto* frame2 = new QGroupBox(QStringLiteral("2 - Type de vue"), leftColumn_);
    frame2->setObjectName(QStringLiteral("Frame2"));
    auto* views = new QVBoxLayout(frame2);
    views->setContentsMargins(6, 2, 6, 4);
    views->setSpacing(2);
    options_ = new QButtonGroup(this);
    const QString viewCaptions[] = {QStringLiteral("Gauche / Droite"),
                                    QStringLiteral("Avant / Arrière"), QStringLiteral("Dessus")};
    for (int i = 2; i >= 0; --i) {
        option1_[i] = new QRadioButton(viewCaptions[i], frame2);
        option1_[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        options_->addButton(option1_[i], i);
        views->addWidget(option1_[i]);
    }
    column->addWidget(frame2);

    const QString frameCaptions[] = {QStringLiteral("3 - Modèle"),
                                     QStringLiteral("4 - Carrosserie"),
                                     QStringLiteral("5 - Nom de la vue")};
    const QString prompts[] = {QStringLiteral("Choisissez ou créez un nouveau modèle"),
                               QStringLiteral("Choisissez ou créez une nouvelle carrosserie"),
                               QStringLiteral("Choisissez ou créez une nouvelle vue")};
    for (int i = 0; i < 3; ++i) {
        auto* frame = new QGroupBox(frameCaptions[i], leftColumn_);
        frame->setObjectName(QStringLiteral("Frame%1").arg(i + 3));
        auto* box = new QVBoxLayout(frame);
        box->setContentsMargins(6, 2, 6, 4);
        box->setSpacing(2);
        auto* label = new QLabel(prompts[i], frame);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 2));
        label->setWordWrap(true);
        combos_[i] = new QComboBox(frame);
        combos_[i]->setObjectName(QStringLiteral("Combo%1").arg(i + 1));
        combos_[i]->setEditable(true);
        combos_[i]->setInsertPolicy(QComboBox::NoInsert);
        refuseForbiddenNameCharacters(combos_[i]);
        label->setBuddy(combos_[i]);
        box->addWidget(label);
        box->addWidget(combos_[i]);
        column->addWidget(frame);
    }

    const QString commands[] = {QStringLiteral("Ajouter à la bibliothèque"),
                                QStringLiteral("Autre image"), QStringLiteral("Fermer")};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(commands[i], leftColumn_);
        button->setObjectName(QStringLiteral("Command2_%1").arg(i));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, i] { Command2_Click(i); });
        column->addWidget(button);
    }
    column->addStretch();

    pictureArea_ = new QScrollArea(this);
    pictureArea_->setWidgetResizable(false);
    pictureArea_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture1_ = new SurfaceView;
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setCursor(Qt::CrossCursor);
    picture1_->setMouseTracking(true);
    pictureArea_->setWidget(picture1_);
    connect(picture1_, &SurfaceView::mousePressed, this,
            [this](QPointF p) { Picture1_MouseDown(float(p.x()), float(p.y())); });
    connect(picture1_, &SurfaceView::mouseMoved, this,
            [this](QPointF p) { Picture1_MouseMove(float(p.x()), float(p.y())); });
}

void AccessoryImportDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int columnWidth = toPixels(kColumnWidth);
    leftColumn_->setGeometry(kMargin, kMargin, columnWidth - 2 * kMargin, height() - 2 * kMargin);
    pictureArea_->setGeometry(columnWidth - kMargin, kMargin, width() - columnWidth,
                              height() - toPixels(kMarginHeight));
    // A new size wipes the marks of a test: the picture is drawn again.
    if (!picture_.isNull()) {
        redrawPicture();
        test_.forgetCrossHair();
    }
}

void AccessoryImportDialog::start() {
    resolution_ = 0;
    fillLists();
    test_.reset();
    std::optional<ChosenPicture> chosen = choosePicture(dialogs_);
    if (!chosen)
        return;
    sourcePath_ = chosen->path;
    picture_ = std::move(chosen->picture);
    redrawPicture();
}

void AccessoryImportDialog::fillLists() {
    const std::optional<QStringList> names =
        files_.listFolder(vehiculesFolder(apath_), QStringLiteral("*"));
    if (!names)
        fail(dialogs_, QStringLiteral("Impossible d'obtenir la liste des véhicules"));
    const QStringList listed = names.value_or(QStringList());
    for (int i = 0; i < 3; ++i) {
        combos_[i]->clear();
        combos_[i]->addItems(distinctFields(listed, i));
        combos_[i]->setCurrentIndex(-1);
        combos_[i]->setEditText(QString());
    }
}

void AccessoryImportDialog::redrawPicture() {
    picture1_->setSurfaceSize(picture_.size());
    picture1_->surface().drawPictureAt(picture_, 0, 0);
    picture1_->refresh();
}

void AccessoryImportDialog::Command1_Click() {
    if (picture_.isNull()) {
        warn(dialogs_, QStringLiteral("Vous devez d'abord choisir une image : cliquez sur "
                                      "\"Autre image\"."));
        return;
    }
    dialogs_.messageBox(
        QStringLiteral("Il faut que vous connaissiez une distance réelle sur l'image.\n\n"
                       "Cliquez deux points correspondants aux extrémités de la distance "
                       "connue!\nSi vous ne voyez pas une partie de l'image, agrandissez la "
                       "fenêtre."),
        platform::kProgramName, platform::MsgIcon::Information, platform::MsgButtons::Ok);
    test_.start();
}

void AccessoryImportDialog::Picture1_MouseMove(float x, float y) {
    if (!test_.running())
        return;
    test_.mouseMove(x, y, picture1_->surface());
    picture1_->refresh();
}

void AccessoryImportDialog::Picture1_MouseDown(float x, float y) {
    const CalibrationTest::Click click = test_.click(x, y, picture1_->surface());
    if (click == CalibrationTest::Click::SecondPoint)
        endTest(x, y);
    else
        picture1_->refresh();
}

void AccessoryImportDialog::endTest(float x, float y) {
    const QString answer = dialogs_.inputBox(
        QStringLiteral("Distance réelle en centimètres (cm) :"), platform::kProgramName, QString());
    const Measurement measured = measureResolution(answer, test_.distanceTo(x, y), QLocale());
    switch (measured.outcome) {
    case Measurement::Outcome::Ok:
    case Measurement::Outcome::NotANumber:
        break;
    case Measurement::Outcome::NotPositive:
        warn(dialogs_, QStringLiteral("La distance doit être un nombre de centimètres plus "
                                      "grand que zéro."));
        break;
    case Measurement::Outcome::TooLarge:
        warn(dialogs_, QStringLiteral("La résolution mesurée dépasse 32767 µm/pixel.\n\n"
                                      "Cliquez deux points plus éloignés ou vérifiez la "
                                      "distance."));
        break;
    case Measurement::Outcome::TooSmall:
        warn(dialogs_, QStringLiteral("La résolution mesurée est inférieure à 1 µm/pixel.\n\n"
                                      "Vérifiez la distance."));
        break;
    }
    resolution_ = measured.resolution;
    label1_->setText(resolutionCaption(resolution_));
    command1_->setText(resolution_ != 0 ? QStringLiteral("Test effectué")
                                        : QStringLiteral("Refaire le test"));
    redrawPicture();
}

void AccessoryImportDialog::Command2_Click(int index) {
    switch (index) {
    case 0:
        addToLibrary();
        break;
    case 1:
        otherPicture();
        break;
    default:
        reject();
        break;
    }
}

void AccessoryImportDialog::addToLibrary() {
    for (QComboBox* combo : combos_)
        combo->setEditText(cleanName(combo->currentText()));
    const QString modele = combos_[0]->currentText();
    const QString carros = combos_[1]->currentText();
    const QString vue = combos_[2]->currentText();

    if (resolution_ == 0) {
        warn(dialogs_, QStringLiteral("Vous devez faire le test de résolution de l'image!"));
        return;
    }
    const int view = options_->checkedId();
    if (view < 0) {
        warn(dialogs_, QStringLiteral("Veuillez sélectionner le type de vue!"));
        return;
    }
    if (modele.isEmpty() || carros.isEmpty() || vue.isEmpty()) {
        warn(dialogs_,
             QStringLiteral("Vous devez spécifier le modèle, la carrosserie et le nom de la vue!"));
        return;
    }
    const QString axes = view == 2   ? QStringLiteral("XY")
                         : view == 0 ? QStringLiteral("XZ")
                                     : QStringLiteral("YZ");
    const QString name = composeVehicleName(modele, carros, vue, axes, resolution_, sourcePath_);
    if (!files_.copyReplacing(sourcePath_, vehiculesFolder(apath_) + QLatin1Char('/') + name)) {
        fail(dialogs_, QStringLiteral("Impossible de copier l'image dans la bibliothèque de "
                                      "véhicules.\n\nVérifiez que l'image d'origine existe "
                                      "toujours et que le sous-dossier 'vehicules' est "
                                      "accessible en écriture."));
        return;
    }
    if (askForAnother(dialogs_, QStringLiteral("Souhaitez-vous ajouter un autre véhicule?")))
        otherPicture();
    else
        reject();
}

void AccessoryImportDialog::clearTestAndViewType() {
    label1_->setText(kNoResolution);
    command1_->setText(kStartTest);
    // An exclusive group keeps one button checked; lift that to clear them all.
    options_->setExclusive(false);
    for (QRadioButton* option : option1_)
        option->setChecked(false);
    options_->setExclusive(true);
}

void AccessoryImportDialog::otherPicture() {
    clearTestAndViewType();
    for (QComboBox* combo : combos_)
        combo->setEditText(QString());
    start();
}

void AccessoryImportDialog::done(int result) {
    QDialog::done(result);
    // The window may be opened again: nothing of this opening carries over.
    clearTestAndViewType();
    for (QComboBox* combo : combos_) {
        combo->clear();
        combo->clearEditText();
    }
    sourcePath_.clear();
    picture_ = QImage();
    resolution_ = 0;
    test_.reset();
    picture1_->setSurfaceSize(QSize(1, 1));
}

} // namespace library::ui
