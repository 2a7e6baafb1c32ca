#include "library/ui/NewLayoutDialog.h"

#include "library/DialogLogic.h"
#include "library/ui/SurfaceView.h"
#include "platform/Pictures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace library::ui {

namespace {
// The preview area inside its frame, in twips.
const QRectF kPreviewArea(120, 240, 3460, 2025);

// Replaces the items of a list and selects the first one without firing its handler.
void fill(QComboBox* combo, const QStringList& items) {
    const QSignalBlocker blocker(combo);
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(items.isEmpty() ? -1 : 0);
}
} // namespace

NewLayoutDialog::NewLayoutDialog(const QString& apath, platform::FileSystem& files,
                                 platform::DialogService& dialogs, QWidget* parent)
    : QDialog(parent), apath_(apath), files_(files), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Kestrion - Nouvel agencement"));
    buildControls();
}

void NewLayoutDialog::buildControls() {
    auto* frame1 = new QGroupBox(QStringLiteral("Selection du véhicule"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(frame1);
    const QString labels[] = {QStringLiteral("Modèle"), QStringLiteral("Carrosserie"),
                              QStringLiteral("Vue")};
    QComboBox** combos[] = {&combo1_, &combo2_, &combo3_};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(labels[i], frame1);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        auto* combo = new QComboBox(frame1);
        combo->setObjectName(QStringLiteral("Combo%1").arg(i + 1));
        combo->setMinimumWidth(160);
        label->setBuddy(combo);
        grid->addWidget(label, i, 0);
        grid->addWidget(combo, i, 1);
        *combos[i] = combo;
    }
    connect(combo1_, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });
    connect(combo2_, &QComboBox::currentIndexChanged, this, [this] { Combo2_Click(); });
    connect(combo3_, &QComboBox::currentIndexChanged, this, [this] { Combo3_Click(); });

    auto* frame2 = new QGroupBox(QStringLiteral("Aperçu"), this);
    frame2->setObjectName(QStringLiteral("Frame2"));
    frame2->setFixedSize(toPixels(kPreviewArea.right() + kPreviewArea.left()),
                         toPixels(kPreviewArea.bottom() + kPreviewArea.left()));
    picture1_ = new SurfaceView(frame2);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->hide();

    auto* frame3 = new QGroupBox(QStringLiteral("Retournement de la vue"), this);
    frame3->setObjectName(QStringLiteral("Frame3"));
    auto* checks = new QVBoxLayout(frame3);
    checkHautBas_ = new QCheckBox(QStringLiteral("Haut <-> Bas"), frame3);
    checkHautBas_->setObjectName(QStringLiteral("Check1_1"));
    checkGaucheDroite_ = new QCheckBox(QStringLiteral("Gauche <-> Droite"), frame3);
    checkGaucheDroite_->setObjectName(QStringLiteral("Check1_0"));
    checks->addWidget(checkHautBas_);
    checks->addWidget(checkGaucheDroite_);
    // Turning the view redraws the preview of the same choice.
    for (QCheckBox* box : {checkHautBas_, checkGaucheDroite_})
        connect(box, &QCheckBox::toggled, this, [this] { Combo3_Click(); });

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("Command1_0"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Annuler"), this);
    cancel->setObjectName(QStringLiteral("Command1_1"));
    connect(ok, &QPushButton::clicked, this, [this] { Command1_Click(0); });
    connect(cancel, &QPushButton::clicked, this, [this] { Command1_Click(1); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QGridLayout(this);
    layout->addWidget(frame1, 0, 0);
    layout->addWidget(frame2, 0, 1, 2, 1);
    layout->addWidget(frame3, 1, 0);
    layout->addLayout(buttons, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void NewLayoutDialog::Form_Load() {
    entries_.clear();
    chosen_ = -1;
    fill(combo1_, {});
    fill(combo2_, {});
    fill(combo3_, {});
    picture1_->hide();

    std::optional<std::vector<VehicleName>> listed = listVehicles(files_, apath_);
    if (!listed) {
        dialogs_.messageBox(QStringLiteral("Impossible d'obtenir la liste des véhicules"),
                            QStringLiteral("Erreur :"), platform::MsgIcon::Critical,
                            platform::MsgButtons::Ok);
        return;
    }
    entries_ = std::move(*listed);
    if (entries_.empty()) {
        dialogs_.messageBox(
            QStringLiteral("Aucun véhicule disponible!\n\nVérifiez que le sous-dossier "
                           "'vehicules' contient des images valides."),
            QStringLiteral("Attention :"), platform::MsgIcon::Warning, platform::MsgButtons::Ok);
        return;
    }
    fill(combo1_, distinctModels(entries_));
    Combo1_Click();
}

void NewLayoutDialog::Combo1_Click() {
    fill(combo2_, distinctBodies(entries_, combo1_->currentText()));
    Combo2_Click();
}

void NewLayoutDialog::Combo2_Click() {
    fill(combo3_, distinctViews(entries_, combo1_->currentText(), combo2_->currentText()));
    Combo3_Click();
}

void NewLayoutDialog::Combo3_Click() {
    chosen_ = combo3_->currentIndex() < 0
                  ? -1
                  : lastMatching(entries_, combo1_->currentText(), combo2_->currentText(),
                                 combo3_->currentText());
    drawPreview();
}

void NewLayoutDialog::drawPreview() {
    picture1_->hide();
    previewTwips_ = QRectF();
    if (chosen_ < 0)
        return;
    const std::optional<QImage> picture = platform::LoadPicture(
        vehiculesFolder(apath_) + QLatin1Char('/') + entries_[size_t(chosen_)].fileName);
    if (!picture || picture->isNull())
        return;
    const QSizeF natural(picture->width() * kTwipsPerPixel, picture->height() * kTwipsPerPixel);
    previewTwips_ = centredIn(fitInto(natural, kPreviewArea.size()), kPreviewArea);
    const QRect box = toPixels(previewTwips_);
    picture1_->move(box.topLeft());
    picture1_->setSurfaceSize(box.size());
    const float w = float(picture1_->surface().width());
    const float h = float(picture1_->surface().height());
    const bool leftRight = checkGaucheDroite_->isChecked();
    const bool topBottom = checkHautBas_->isChecked();
    // A negative size paints the picture mirrored into the same area.
    picture1_->surface().drawPicture(*picture, leftRight ? w : 0, topBottom ? h : 0,
                                     leftRight ? -w : w, topBottom ? -h : h);
    picture1_->show();
    picture1_->refresh();
}

void NewLayoutDialog::Command1_Click(int index) {
    if (index == 0 && chosen_ >= 0)
        result_ = Form2Result{entries_[size_t(chosen_)].fileName, checkGaucheDroite_->isChecked(),
                              checkHautBas_->isChecked()};
    if (index == 0 && result_)
        accept();
    else
        reject();
}

std::optional<Form2Result> NewLayoutDialog::choose(const QString& apath,
                                                   platform::FileSystem& files,
                                                   platform::DialogService& dialogs,
                                                   QWidget* parent) {
    NewLayoutDialog dialog(apath, files, dialogs, parent);
    dialog.Form_Load();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.result();
}

} // namespace library::ui
