#include "library/ui/AccessoryBrowser.h"

#include "library/DialogLogic.h"
#include "library/ImportSteps.h"
#include "library/MassData.h"
#include "library/ui/ImportSupport.h"
#include "library/ui/SurfaceView.h"
#include "platform/Pictures.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace library::ui {

namespace {
// The preview area inside its frame, in pixels.
const QRectF kPreviewArea(24, 16, 97, 81);
constexpr QSize kPreviewFrame(145, 122);
// Room for the dimension labels around the preview, in pixels.
constexpr double kLabelWidth = 20;
constexpr double kLabelHeight = 17;
// The height label is centred in this width minus the preview's: it keeps close to the
// preview's left edge.
constexpr double kHeightLabelSpan = 311.0 / 3;
} // namespace

AccessoryBrowser::AccessoryBrowser(const QString& libraryRoot, platform::FileSystem& files,
                                   platform::DialogService& dialogs,
                                   std::function<QString()> vehicleAxes,
                                   std::function<void(const QString&)> insert,
                                   std::function<void()> forget, std::function<void()> release,
                                   QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), libraryRoot_(libraryRoot),
      files_(files), dialogs_(dialogs), vehicleAxes_(std::move(vehicleAxes)),
      insert_(std::move(insert)), forget_(std::move(forget)), release_(std::move(release)) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Bibliothèque d'accessoires"));
    buildControls();
}

void AccessoryBrowser::buildControls() {
    auto* selectionFrame = makeFrame(QStringLiteral("Sélection"), 1, this);
    auto* selection = new QVBoxLayout(selectionFrame);
    auto* familyPrompt = new QLabel(QStringLiteral("Famille :"), selectionFrame);
    familyPrompt->setObjectName(QStringLiteral("Label1"));
    familyList_ = new QComboBox(selectionFrame);
    familyList_->setObjectName(QStringLiteral("Combo1"));
    familyPrompt->setBuddy(familyList_);
    auto* modelPrompt = new QLabel(QStringLiteral("Modèle :"), selectionFrame);
    modelPrompt->setObjectName(QStringLiteral("Label2"));
    modelList_ = new QListWidget(selectionFrame);
    modelList_->setObjectName(QStringLiteral("List1"));
    modelPrompt->setBuddy(modelList_);
    compatibleOnly_ = new QCheckBox(QStringLiteral("Vues compatibles uniquement"), selectionFrame);
    compatibleOnly_->setObjectName(QStringLiteral("Check1"));
    compatibleOnly_->setChecked(true);
    selection->addWidget(familyPrompt);
    selection->addWidget(familyList_);
    selection->addWidget(modelPrompt);
    selection->addWidget(modelList_, 1);
    selection->addWidget(compatibleOnly_);
    connect(familyList_, &QComboBox::currentIndexChanged, this, [this] { familyChosen(); });
    connect(modelList_, &QListWidget::currentRowChanged, this, [this] { modelChosen(); });
    connect(modelList_, &QListWidget::itemDoubleClicked, this, [this] { insertAndClose(); });
    connect(compatibleOnly_, &QCheckBox::clicked, this, [this] { loadAccessories(); });

    QGroupBox* previewFrame =
        makePreviewFrame(this, kPreviewFrame, QStringLiteral("Image1"), preview_);
    widthLabel_ = new QLabel(previewFrame);
    widthLabel_->setObjectName(QStringLiteral("Label3"));
    widthLabel_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    heightLabel_ = new QLabel(previewFrame);
    heightLabel_->setObjectName(QStringLiteral("Label4"));
    heightLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    const std::pair<QString, void (AccessoryBrowser::*)()> commands[] = {
        {QStringLiteral("Insérer"), &AccessoryBrowser::insertChosen},
        {QStringLiteral("Insérer et Fermer"), &AccessoryBrowser::insertAndClose},
        {QStringLiteral("Fermer"), &AccessoryBrowser::forgetAndClose}};
    auto* buttons = new QVBoxLayout;
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(commands[i].first, this);
        button->setObjectName(QStringLiteral("Command1_%1").arg(i));
        connect(button, &QPushButton::clicked, this, commands[i].second);
        buttons->addWidget(button);
    }
    buttons->addStretch();

    massLabel_ = new QLabel(this);
    massLabel_->setObjectName(QStringLiteral("LabelMasse"));
    auto* right = new QVBoxLayout;
    right->addWidget(previewFrame);
    right->addWidget(massLabel_);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(selectionFrame, 1);
    layout->addLayout(right);
    resize(sizeHint());
}

std::optional<QString> AccessoryBrowser::filter() const {
    if (!compatibleOnly_->isChecked())
        return std::nullopt;
    return vehicleAxes_ ? vehicleAxes_() : QString();
}

void AccessoryBrowser::loadAccessories() {
    entries_.clear();
    chosen_ = -1;
    filter_ = filter();
    {
        const QSignalBlocker familyBlocker(familyList_);
        const QSignalBlocker modelBlocker(modelList_);
        familyList_->clear();
        modelList_->clear();
    }
    showPreview();

    std::optional<std::vector<AccessoryName>> listed = listAccessories(files_, libraryRoot_);
    if (!hasEntries(dialogs_, listed,
                    QStringLiteral("Impossible d'obtenir la liste des accessoires"),
                    QStringLiteral("La bibliothèque d'accessoires est vide!\n\nVérifiez que le "
                                   "sous-dossier 'accessoires' contient des images valides.")))
        return;
    entries_ = std::move(*listed);
    const QStringList families = distinctFamilies(entries_, filter_);
    {
        const QSignalBlocker blocker(familyList_);
        familyList_->addItems(families);
        familyList_->setCurrentIndex(families.isEmpty() ? -1 : 0);
    }
    familyChosen();
}

void AccessoryBrowser::familyChosen() {
    const QStringList models =
        familyList_->currentIndex() < 0
            ? QStringList()
            : distinctAccessoryModels(entries_, familyList_->currentText(), filter_);
    {
        const QSignalBlocker blocker(modelList_);
        modelList_->clear();
        modelList_->addItems(models);
        modelList_->setCurrentRow(models.isEmpty() ? -1 : 0);
    }
    modelChosen();
}

void AccessoryBrowser::modelChosen() {
    const QListWidgetItem* item = modelList_->currentItem();
    chosen_ = item == nullptr
                  ? -1
                  : lastMatching(entries_, familyList_->currentText(), item->text(), filter_);
    showPreview();
}

void AccessoryBrowser::showPreview() {
    preview_->hide();
    widthLabel_->clear();
    heightLabel_->clear();
    massLabel_->clear();
    previewRect_ = QRectF();
    if (chosen_ < 0)
        return;
    const AccessoryName& entry = entries_[size_t(chosen_)];
    const std::optional<double> kg =
        readAccessoryMasses(libraryRoot_, files_).massOf(entry.fileName);
    massLabel_->setText(kg ? QStringLiteral("Masse : %1 kg").arg(document::massText(*kg, QLocale()))
                           : QStringLiteral("Masse inconnue"));
    // The sizes as written in the name, "080" included.
    const QStringList parts = fields(entry.fileName);
    widthLabel_->setText(parts.value(2));
    heightLabel_->setText(parts.value(3));

    const std::optional<QImage> picture =
        platform::LoadPicture(accessoriesFolder(libraryRoot_) + QLatin1Char('/') + entry.fileName);
    if (!picture || picture->isNull())
        return;
    previewRect_ = centredIn(fitInto(picture->size(), kPreviewArea.size()), kPreviewArea);
    const QRect box = roundPixels(previewRect_);
    preview_->move(box.topLeft());
    preview_->setSurfaceSize(box.size());
    preview_->surface().drawPicture(*picture, 0, 0, float(box.width()), float(box.height()));
    preview_->show();
    preview_->refresh();

    // The width just below the picture, the height just left of it.
    widthLabel_->setGeometry(roundPixels(
        QRectF(kPreviewArea.left(), previewRect_.bottom(), kPreviewArea.width(), kLabelHeight)));
    heightLabel_->setGeometry(roundPixels(QRectF((kHeightLabelSpan - previewRect_.width()) / 2,
                                                 previewRect_.center().y() - kLabelHeight / 2,
                                                 kLabelWidth, kLabelHeight)));
}

void AccessoryBrowser::insertChosen() {
    // With an empty list there is nothing to insert.
    if (chosen_ >= 0 && insert_)
        insert_(entries_[size_t(chosen_)].fileName);
}

void AccessoryBrowser::insertAndClose() {
    insertChosen();
    releaseToggle();
}

void AccessoryBrowser::forgetAndClose() {
    if (forget_)
        forget_();
    releaseToggle();
}

void AccessoryBrowser::releaseToggle() {
    if (releasing_)
        return;
    releasing_ = true;
    if (release_)
        release_();
    releasing_ = false;
    hide();
}

void AccessoryBrowser::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!loaded_) {
        loaded_ = true;
        loadAccessories();
    }
}

void AccessoryBrowser::closeEvent(QCloseEvent* event) {
    releaseToggle();
    event->accept();
}

} // namespace library::ui
