#include "library/ui/NewLayoutDialog.h"

#include "library/DialogLogic.h"
#include "library/ImportSteps.h"
#include "library/ui/ImportSupport.h"
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
// The preview area inside its frame, in pixels; its width ends on a third of a pixel.
const QRectF kPreviewArea(8, 16, 692.0 / 3, 135);
constexpr QSize kPreviewFrame(247, 159);

// Replaces the items of a list and selects the first one without firing its handler.
void fill(QComboBox* combo, const QStringList& items) {
    const QSignalBlocker blocker(combo);
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(items.isEmpty() ? -1 : 0);
}
} // namespace

NewLayoutDialog::NewLayoutDialog(const QString& libraryRoot, platform::FileSystem& files,
                                 platform::DialogService& dialogs, QWidget* parent)
    : QDialog(parent), libraryRoot_(libraryRoot), files_(files), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Kestrion - Nouvel agencement"));
    buildControls();
}

void NewLayoutDialog::buildControls() {
    auto* selectionFrame = makeFrame(QStringLiteral("Selection du véhicule"), 1, this);
    auto* grid = new QGridLayout(selectionFrame);
    const QString labels[] = {QStringLiteral("Modèle"), QStringLiteral("Carrosserie"),
                              QStringLiteral("Vue")};
    QComboBox** combos[] = {&modelList_, &bodyList_, &viewList_};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(labels[i], selectionFrame);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        auto* combo = new QComboBox(selectionFrame);
        combo->setObjectName(QStringLiteral("Combo%1").arg(i + 1));
        combo->setMinimumWidth(160);
        label->setBuddy(combo);
        grid->addWidget(label, i, 0);
        grid->addWidget(combo, i, 1);
        *combos[i] = combo;
    }
    connect(modelList_, &QComboBox::currentIndexChanged, this, [this] { modelChosen(); });
    connect(bodyList_, &QComboBox::currentIndexChanged, this, [this] { bodyChosen(); });
    connect(viewList_, &QComboBox::currentIndexChanged, this, [this] { viewChosen(); });

    QGroupBox* previewFrame =
        makePreviewFrame(this, kPreviewFrame, QStringLiteral("Picture1"), preview_);

    auto* mirrorFrame = makeFrame(QStringLiteral("Retournement de la vue"), 3, this);
    auto* checks = new QVBoxLayout(mirrorFrame);
    mirrorTopBottom_ = new QCheckBox(QStringLiteral("Haut <-> Bas"), mirrorFrame);
    mirrorTopBottom_->setObjectName(QStringLiteral("Check1_1"));
    mirrorLeftRight_ = new QCheckBox(QStringLiteral("Gauche <-> Droite"), mirrorFrame);
    mirrorLeftRight_->setObjectName(QStringLiteral("Check1_0"));
    checks->addWidget(mirrorTopBottom_);
    checks->addWidget(mirrorLeftRight_);
    // Turning the view redraws the preview of the same choice.
    for (QCheckBox* box : {mirrorTopBottom_, mirrorLeftRight_})
        connect(box, &QCheckBox::toggled, this, [this] { viewChosen(); });

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("Command1_0"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Annuler"), this);
    cancel->setObjectName(QStringLiteral("Command1_1"));
    connect(ok, &QPushButton::clicked, this, &NewLayoutDialog::confirmChoice);
    connect(cancel, &QPushButton::clicked, this, &NewLayoutDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QGridLayout(this);
    layout->addWidget(selectionFrame, 0, 0);
    layout->addWidget(previewFrame, 0, 1, 2, 1);
    layout->addWidget(mirrorFrame, 1, 0);
    layout->addLayout(buttons, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void NewLayoutDialog::loadVehicles() {
    entries_.clear();
    chosen_ = -1;
    fill(modelList_, {});
    fill(bodyList_, {});
    fill(viewList_, {});
    preview_->hide();

    std::optional<std::vector<VehicleName>> listed = listVehicles(files_, libraryRoot_);
    if (!hasEntries(dialogs_, listed, QStringLiteral("Impossible d'obtenir la liste des véhicules"),
                    QStringLiteral("Aucun véhicule disponible!\n\nVérifiez que le sous-dossier "
                                   "'vehicules' contient des images valides.")))
        return;
    entries_ = std::move(*listed);
    fill(modelList_, distinctModels(entries_));
    modelChosen();
}

void NewLayoutDialog::modelChosen() {
    fill(bodyList_, distinctBodies(entries_, modelList_->currentText()));
    bodyChosen();
}

void NewLayoutDialog::bodyChosen() {
    fill(viewList_, distinctViews(entries_, modelList_->currentText(), bodyList_->currentText()));
    viewChosen();
}

void NewLayoutDialog::viewChosen() {
    chosen_ = viewList_->currentIndex() < 0
                  ? -1
                  : lastMatching(entries_, modelList_->currentText(), bodyList_->currentText(),
                                 viewList_->currentText());
    drawPreview();
}

void NewLayoutDialog::drawPreview() {
    preview_->hide();
    previewRect_ = QRectF();
    if (chosen_ < 0)
        return;
    const std::optional<QImage> picture = platform::LoadPicture(
        vehiclesFolder(libraryRoot_) + QLatin1Char('/') + entries_[size_t(chosen_)].fileName);
    if (!picture || picture->isNull())
        return;
    previewRect_ = centredIn(fitInto(picture->size(), kPreviewArea.size()), kPreviewArea);
    const QRect box = roundPixels(previewRect_);
    preview_->move(box.topLeft());
    preview_->setSurfaceSize(box.size());
    const float w = float(preview_->surface().width());
    const float h = float(preview_->surface().height());
    const bool leftRight = mirrorLeftRight_->isChecked();
    const bool topBottom = mirrorTopBottom_->isChecked();
    // A negative size paints the picture mirrored into the same area.
    preview_->surface().drawPicture(*picture, leftRight ? w : 0, topBottom ? h : 0,
                                    leftRight ? -w : w, topBottom ? -h : h);
    preview_->show();
    preview_->refresh();
}

void NewLayoutDialog::confirmChoice() {
    if (chosen_ >= 0)
        result_ = VehicleChoice{entries_[size_t(chosen_)].fileName, mirrorLeftRight_->isChecked(),
                                mirrorTopBottom_->isChecked()};
    if (result_)
        accept();
    else
        reject();
}

std::optional<VehicleChoice> NewLayoutDialog::choose(const QString& libraryRoot,
                                                     platform::FileSystem& files,
                                                     platform::DialogService& dialogs,
                                                     QWidget* parent) {
    NewLayoutDialog dialog(libraryRoot, files, dialogs, parent);
    dialog.loadVehicles();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.result();
}

} // namespace library::ui
