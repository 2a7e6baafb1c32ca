#include "library/ui/AccessoryImportDialog.h"

#include "library/DialogLogic.h"
#include "library/ImportSteps.h"
#include "library/LibraryNames.h"
#include "library/MassData.h"
#include "library/ui/ImportSupport.h"
#include "library/ui/SurfaceView.h"
#include "platform/Numbers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace library::ui {

namespace {
// The dimensions frame, in pixels: the preview box, the size boxes around it.
constexpr QSize kDimensionsFrame(169, 180);
constexpr QRect kInstructionsRect(8, 16, 153, 40);
const QRectF kPreviewArea(48, 64, 97, 81);
constexpr double kSizeBoxWidth = 36;
constexpr double kSizeBoxHeight = 20;
// The width box stands this far below the preview.
constexpr double kWidthBoxGap = 20.0 / 3;
// The height box is centred in this width minus the preview's: it keeps close to the
// preview's left edge.
constexpr double kHeightBoxSpan = 120;
} // namespace

AccessoryImportDialog::AccessoryImportDialog(const QString& libraryRoot,
                                             platform::FileSystem& files,
                                             platform::DialogService& dialogs, QWidget* parent)
    : QDialog(parent), libraryRoot_(libraryRoot), files_(files), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Ajout d'accessoire"));
    buildControls();
}

void AccessoryImportDialog::buildControls() {
    auto* dimensions = makeFrame(QStringLiteral("1 - Dimensions"), 1, this);
    dimensions->setFixedSize(kDimensionsFrame);
    auto* instructions =
        new QLabel(QStringLiteral("Renseignez les dimensions de l'accessoires, en cm"), dimensions);
    instructions->setObjectName(QStringLiteral("Label1"));
    instructions->setWordWrap(true);
    instructions->setGeometry(kInstructionsRect);
    preview_ = new SurfaceView(dimensions);
    preview_->setObjectName(QStringLiteral("Image1"));
    preview_->hide();
    heightBox_ = new QLineEdit(dimensions);
    heightBox_->setObjectName(QStringLiteral("Text1_0"));
    heightBox_->setToolTip(QStringLiteral("Hauteur (cm)"));
    widthBox_ = new QLineEdit(dimensions);
    widthBox_->setObjectName(QStringLiteral("Text1_1"));
    widthBox_->setToolTip(QStringLiteral("Largeur (cm)"));
    for (QLineEdit* box : {heightBox_, widthBox_})
        acceptDigitsOnly(box);
    placeSizeBoxes();

    auto* viewFrame = makeFrame(QStringLiteral("2 - Vue(s) compatible(s)"), 2, this);
    auto* views = new QVBoxLayout(viewFrame);
    auto* viewPrompt = new QLabel(QStringLiteral("Cochez toutes les vues de véhicule dans "
                                                 "lesquelles l'accessoire peut être inséré :"),
                                  viewFrame);
    viewPrompt->setObjectName(QStringLiteral("Label2"));
    viewPrompt->setWordWrap(true);
    views->addWidget(viewPrompt);
    const auto addView = [viewFrame, views](const QString& name, const QString& caption) {
        auto* box = new QCheckBox(caption, viewFrame);
        box->setObjectName(name);
        views->addWidget(box);
        return box;
    };
    topView_ = addView(QStringLiteral("Check1_2"), QStringLiteral("Dessus"));
    frontBackView_ = addView(QStringLiteral("Check1_1"), QStringLiteral("Avant / Arrière"));
    sideView_ = addView(QStringLiteral("Check1_0"), QStringLiteral("Gauche / Droite"));
    views->addStretch();

    auto* nameFrame = makeFrame(QStringLiteral("3 - Désignation"), 3, this);
    auto* names = new QVBoxLayout(nameFrame);
    const QString prompts[] = {QStringLiteral("Famille d'accessoire :"),
                               QStringLiteral("Modèle :")};
    for (int i = 0; i < 2; ++i) {
        auto* prompt = new QLabel(prompts[i], nameFrame);
        prompt->setObjectName(QStringLiteral("Label%1").arg(i + 3));
        nameLists_[size_t(i)] = makeNameList(QStringLiteral("Combo1_%1").arg(i), nameFrame);
        nameLists_[size_t(i)]->setMinimumWidth(160);
        prompt->setBuddy(nameLists_[size_t(i)]);
        names->addWidget(prompt);
        names->addWidget(nameLists_[size_t(i)]);
    }
    auto* massPrompt = new QLabel(QStringLiteral("Masse (kg) :"), nameFrame);
    massBox_ = new QLineEdit(nameFrame);
    massBox_->setObjectName(QStringLiteral("TextMasse"));
    massBox_->setToolTip(QStringLiteral("Masse de l'accessoire installé, en kg (vide si elle "
                                        "n'est pas connue)"));
    massPrompt->setBuddy(massBox_);
    names->addWidget(massPrompt);
    names->addWidget(massBox_);
    names->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    addImportButtons(
        buttons, this, QStringLiteral("Command1"),
        {[this] { addToLibrary(); }, [this] { otherPicture(); }, [this] { reject(); }});

    auto* columns = new QHBoxLayout;
    columns->addWidget(dimensions, 0, Qt::AlignTop);
    auto* right = new QVBoxLayout;
    right->addWidget(viewFrame);
    right->addWidget(nameFrame);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
}

void AccessoryImportDialog::start() {
    std::optional<ChosenPicture> chosen = choosePicture(dialogs_);
    if (!chosen)
        return;
    sourcePath_ = chosen->path;
    showPreview(chosen->picture);
    fillNameLists(nameLists_, libraryFileNames(
                                  files_, dialogs_, accessoriesFolder(libraryRoot_),
                                  QStringLiteral("Impossible d'obtenir la liste des accessoires")));
}

void AccessoryImportDialog::showPreview(const QImage& picture) {
    previewRect_ = centredIn(fitInto(picture.size(), kPreviewArea.size()), kPreviewArea);
    const QRect box = roundPixels(previewRect_);
    preview_->move(box.topLeft());
    preview_->setSurfaceSize(box.size());
    preview_->surface().drawPicture(picture, 0, 0, float(box.width()), float(box.height()));
    preview_->show();
    preview_->refresh();

    // The width box follows the preview's bottom, the height box its left edge.
    widthBox_->move(widthBox_->x(), roundPixel(previewRect_.bottom() + kWidthBoxGap));
    heightBox_->move(roundPixel((kHeightBoxSpan - previewRect_.width()) / 2), heightBox_->y());
}

void AccessoryImportDialog::placeSizeBoxes() {
    // The height left of the preview box, the width below it.
    heightBox_->setGeometry(roundPixels(QRectF((kHeightBoxSpan - kPreviewArea.width()) / 2,
                                               kPreviewArea.center().y() - kSizeBoxHeight / 2,
                                               kSizeBoxWidth, kSizeBoxHeight)));
    widthBox_->setGeometry(
        roundPixels(QRectF(kPreviewArea.center().x() - kSizeBoxWidth / 2,
                           kPreviewArea.bottom() + kWidthBoxGap, kSizeBoxWidth, kSizeBoxHeight)));
}

void AccessoryImportDialog::addToLibrary() {
    cleanNameTexts(nameLists_);
    const QString height = heightBox_->text();
    const QString width = widthBox_->text();
    const QString family = nameLists_[0]->currentText();
    const QString model = nameLists_[1]->currentText();
    const QString views =
        accessoryViews(topView_->isChecked(), sideView_->isChecked(), frontBackView_->isChecked());

    if (height.isEmpty() || width.isEmpty()) {
        warn(dialogs_, QStringLiteral("Vous devez spécifier les dimensions de l'accessoire!"));
        return;
    }
    // Pasted text escapes the typing filter; a size must read back as a 16-bit whole number.
    if (!isValidDimension(height) || !isValidDimension(width)) {
        warn(dialogs_, QStringLiteral("Les dimensions de l'accessoire doivent être des nombres "
                                      "entiers de 0 à 32767 cm!"));
        return;
    }
    if (views.isEmpty()) {
        warn(dialogs_, QStringLiteral("Veuillez sélectionner au moins une vue compatible!"));
        return;
    }
    if (family.isEmpty() || model.isEmpty()) {
        warn(dialogs_,
             QStringLiteral("Vous devez spécifier la famille et le modèle de l'accessoire!"));
        return;
    }
    const QString massText = massBox_->text().trimmed();
    const std::optional<double> mass = platform::parseNumber(massText);
    if (!massText.isEmpty() && (!mass || *mass < 0)) {
        warn(dialogs_, QStringLiteral("La masse de l'accessoire doit être un nombre positif de "
                                      "kg, ou rester vide quand elle n'est pas connue."));
        return;
    }
    if (sourcePath_.isEmpty()) {
        warn(dialogs_, QStringLiteral("Vous devez d'abord choisir une image : cliquez sur "
                                      "\"Autre image\"."));
        return;
    }
    const QString name = composeAccessoryName(family, model, width, height, views, sourcePath_);
    // The mass goes beside the picture first: a picture without its mass is worse than a
    // mass kept for a picture that failed to copy, which nothing reads.
    AccessoryMasses masses = readAccessoryMasses(libraryRoot_, files_);
    masses.setMass(name, mass);
    if (!writeAccessoryMasses(libraryRoot_, masses, files_)) {
        warn(dialogs_, QStringLiteral("Impossible d'écrire la masse de l'accessoire dans la "
                                      "bibliothèque (fichier masses.txt)."));
        return;
    }
    const AfterCopy next = copyIntoLibrary(
        files_, dialogs_, sourcePath_, accessoriesFolder(libraryRoot_) + QLatin1Char('/') + name,
        QStringLiteral("Impossible de copier l'image dans la bibliothèque d'accessoires.\n\n"
                       "Vérifiez que l'image d'origine existe toujours et que le sous-dossier "
                       "'accessoires' est accessible en écriture."),
        QStringLiteral("Souhaitez-vous ajouter un autre accessoire?"));
    if (next == AfterCopy::AddAnother)
        otherPicture();
    else if (next == AfterCopy::Finished)
        reject();
}

void AccessoryImportDialog::clearSizesAndViews() {
    for (QLineEdit* box : {heightBox_, widthBox_, massBox_})
        box->clear();
    for (QCheckBox* box : {sideView_, frontBackView_, topView_})
        box->setChecked(false);
}

void AccessoryImportDialog::otherPicture() {
    clearSizesAndViews();
    clearNameTexts(nameLists_);
    start();
}

void AccessoryImportDialog::done(int result) {
    QDialog::done(result);
    // The window may be opened again: nothing of this opening carries over.
    clearSizesAndViews();
    forgetNameLists(nameLists_);
    sourcePath_.clear();
    previewRect_ = QRectF();
    preview_->hide();
    placeSizeBoxes();
}

} // namespace library::ui
