#include "library/ui/VehicleImportDialog.h"

#include "library/DialogLogic.h"
#include "library/ImportSteps.h"
#include "library/LibraryNames.h"
#include "library/ui/ImportSupport.h"
#include "library/ui/SurfaceView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace library::ui {

namespace {
// The preview box inside the dimensions frame, in twips.
const QRectF kImageArea(720, 960, 1455, 1215);
// The dimension boxes, in twips.
constexpr double kTextWidth = 540;
constexpr double kTextHeight = 300;
} // namespace

VehicleImportDialog::VehicleImportDialog(const QString& apath, platform::FileSystem& files,
                                         platform::DialogService& dialogs, QWidget* parent)
    : QDialog(parent), apath_(apath), files_(files), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Ajout d'accessoire"));
    buildControls();
}

void VehicleImportDialog::buildControls() {
    auto* frame1 = new QGroupBox(QStringLiteral("1 - Dimensions"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setFixedSize(toPixels(kImageArea.right() + 360),
                         toPixels(kImageArea.bottom() + 100 + kTextHeight + 120));
    auto* label1 =
        new QLabel(QStringLiteral("Renseignez les dimensions de l'accessoires, en cm"), frame1);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    label1->setGeometry(toPixels(QRectF(120, 240, kImageArea.right() + 120, 600)));
    image1_ = new SurfaceView(frame1);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->hide();
    for (int i = 0; i < 2; ++i) {
        text1_[i] = new QLineEdit(frame1);
        text1_[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        acceptDigitsOnly(text1_[i]);
    }
    text1_[0]->setToolTip(QStringLiteral("Hauteur (cm)"));
    text1_[1]->setToolTip(QStringLiteral("Largeur (cm)"));
    placeSizeBoxes();

    auto* frame2 = new QGroupBox(QStringLiteral("2 - Vue(s) compatible(s)"), this);
    frame2->setObjectName(QStringLiteral("Frame2"));
    auto* views = new QVBoxLayout(frame2);
    auto* label2 = new QLabel(QStringLiteral("Cochez toutes les vues de véhicule dans lesquelles "
                                             "l'accessoire peut être inséré :"),
                              frame2);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setWordWrap(true);
    views->addWidget(label2);
    const QString viewCaptions[] = {QStringLiteral("Gauche / Droite"),
                                    QStringLiteral("Avant / Arrière"), QStringLiteral("Dessus")};
    for (int i = 2; i >= 0; --i) {
        check1_[i] = new QCheckBox(viewCaptions[i], frame2);
        check1_[i]->setObjectName(QStringLiteral("Check1_%1").arg(i));
        views->addWidget(check1_[i]);
    }
    views->addStretch();

    auto* frame3 = new QGroupBox(QStringLiteral("3 - Désignation"), this);
    frame3->setObjectName(QStringLiteral("Frame3"));
    auto* names = new QVBoxLayout(frame3);
    const QString nameCaptions[] = {QStringLiteral("Famille d'accessoire :"),
                                    QStringLiteral("Modèle :")};
    for (int i = 0; i < 2; ++i) {
        auto* label = new QLabel(nameCaptions[i], frame3);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 3));
        combo1_[i] = new QComboBox(frame3);
        combo1_[i]->setObjectName(QStringLiteral("Combo1_%1").arg(i));
        combo1_[i]->setEditable(true);
        combo1_[i]->setInsertPolicy(QComboBox::NoInsert);
        combo1_[i]->setMinimumWidth(160);
        refuseForbiddenNameCharacters(combo1_[i]);
        label->setBuddy(combo1_[i]);
        names->addWidget(label);
        names->addWidget(combo1_[i]);
    }
    names->addStretch();

    const QString commands[] = {QStringLiteral("Ajouter à la bibliothèque"),
                                QStringLiteral("Autre image"), QStringLiteral("Fermer")};
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(commands[i], this);
        button->setObjectName(QStringLiteral("Command1_%1").arg(i));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        buttons->addWidget(button);
    }

    auto* columns = new QHBoxLayout;
    columns->addWidget(frame1, 0, Qt::AlignTop);
    auto* right = new QVBoxLayout;
    right->addWidget(frame2);
    right->addWidget(frame3);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
}

void VehicleImportDialog::start() {
    std::optional<ChosenPicture> chosen = choosePicture(dialogs_);
    if (!chosen)
        return;
    sourcePath_ = chosen->path;
    showPreview(chosen->picture);
    fillLists();
}

void VehicleImportDialog::showPreview(const QImage& picture) {
    const QSizeF natural(picture.width() * kTwipsPerPixel, picture.height() * kTwipsPerPixel);
    imageTwips_ = centredIn(fitInto(natural, kImageArea.size()), kImageArea);
    const QRect box = toPixels(imageTwips_);
    image1_->move(box.topLeft());
    image1_->setSurfaceSize(box.size());
    image1_->surface().drawPicture(picture, 0, 0, float(box.width()), float(box.height()));
    image1_->show();
    image1_->refresh();

    // The width box follows the preview's bottom, the height box its left edge.
    const QRect width = text1_[1]->geometry();
    text1_[1]->move(width.left(), toPixels(imageTwips_.bottom() + 100));
    const QRect height = text1_[0]->geometry();
    text1_[0]->move(toPixels((1800 - imageTwips_.width()) / 2), height.top());
}

void VehicleImportDialog::placeSizeBoxes() {
    // The height left of the preview box, the width below it.
    text1_[0]->setGeometry(
        toPixels(QRectF((1800 - kImageArea.width()) / 2, kImageArea.center().y() - kTextHeight / 2,
                        kTextWidth, kTextHeight)));
    text1_[1]->setGeometry(toPixels(QRectF(kImageArea.center().x() - kTextWidth / 2,
                                           kImageArea.bottom() + 100, kTextWidth, kTextHeight)));
}

void VehicleImportDialog::fillLists() {
    const std::optional<QStringList> names =
        files_.listFolder(accessoiresFolder(apath_), QStringLiteral("*"));
    if (!names)
        fail(dialogs_, QStringLiteral("Impossible d'obtenir la liste des accessoires"));
    const QStringList listed = names.value_or(QStringList());
    for (int i = 0; i < 2; ++i) {
        combo1_[i]->clear();
        combo1_[i]->addItems(distinctFields(listed, i));
        combo1_[i]->setCurrentIndex(-1);
        combo1_[i]->setEditText(QString());
    }
}

void VehicleImportDialog::Command1_Click(int index) {
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

void VehicleImportDialog::addToLibrary() {
    for (QComboBox* combo : combo1_)
        combo->setEditText(cleanName(combo->currentText()));
    const QString hauteur = text1_[0]->text();
    const QString largeur = text1_[1]->text();
    const QString famille = combo1_[0]->currentText();
    const QString modele = combo1_[1]->currentText();
    const QString vues =
        accessoryViews(check1_[2]->isChecked(), check1_[0]->isChecked(), check1_[1]->isChecked());

    if (hauteur.isEmpty() || largeur.isEmpty()) {
        warn(dialogs_, QStringLiteral("Vous devez spécifier les dimensions de l'accessoire!"));
        return;
    }
    // Pasted text escapes the typing filter; a size must read back as a 16-bit whole number.
    if (!isValidDimension(hauteur) || !isValidDimension(largeur)) {
        warn(dialogs_, QStringLiteral("Les dimensions de l'accessoire doivent être des nombres "
                                      "entiers de 0 à 32767 cm!"));
        return;
    }
    if (vues.isEmpty()) {
        warn(dialogs_, QStringLiteral("Veuillez sélectionner au moins une vue compatible!"));
        return;
    }
    if (famille.isEmpty() || modele.isEmpty()) {
        warn(dialogs_,
             QStringLiteral("Vous devez spécifier la famille et le modèle de l'accessoire!"));
        return;
    }
    if (sourcePath_.isEmpty()) {
        warn(dialogs_, QStringLiteral("Vous devez d'abord choisir une image : cliquez sur "
                                      "\"Autre image\"."));
        return;
    }
    const QString name = composeAccessoryName(famille, modele, largeur, hauteur, vues, sourcePath_);
    if (!files_.copyReplacing(sourcePath_, accessoiresFolder(apath_) + QLatin1Char('/') + name)) {
        fail(dialogs_, QStringLiteral("Impossible de copier l'image dans la bibliothèque "
                                      "d'accessoires.\n\nVérifiez que l'image d'origine existe "
                                      "toujours et que le sous-dossier 'accessoires' est "
                                      "accessible en écriture."));
        return;
    }
    if (askForAnother(dialogs_, QStringLiteral("Souhaitez-vous ajouter un autre accessoire?")))
        otherPicture();
    else
        reject();
}

void VehicleImportDialog::clearSizesAndViews() {
    for (QLineEdit* box : text1_)
        box->clear();
    for (QCheckBox* box : check1_)
        box->setChecked(false);
}

void VehicleImportDialog::otherPicture() {
    clearSizesAndViews();
    for (QComboBox* combo : combo1_)
        combo->setEditText(QString());
    start();
}

void VehicleImportDialog::done(int result) {
    QDialog::done(result);
    // The window may be opened again: nothing of this opening carries over.
    clearSizesAndViews();
    for (QComboBox* combo : combo1_) {
        combo->clear();
        combo->clearEditText();
    }
    sourcePath_.clear();
    imageTwips_ = QRectF();
    image1_->hide();
    placeSizeBoxes();
}

} // namespace library::ui
