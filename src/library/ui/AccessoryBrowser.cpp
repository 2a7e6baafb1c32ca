#include "library/ui/AccessoryBrowser.h"

#include "library/DialogLogic.h"
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
// The preview area inside its frame, in twips.
const QRectF kImageArea(360, 240, 1455, 1215);
// Room for the dimension labels around the preview, in twips.
constexpr double kLabelWidth = 300;
constexpr double kLabelHeight = 255;
} // namespace

AccessoryBrowser::AccessoryBrowser(const QString& apath, platform::FileSystem& files,
                                   platform::DialogService& dialogs,
                                   std::function<QString()> vehiculeAxes,
                                   std::function<void(const QString&)> insert,
                                   std::function<void()> forget, std::function<void()> release,
                                   QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), apath_(apath), files_(files),
      dialogs_(dialogs), vehiculeAxes_(std::move(vehiculeAxes)), insert_(std::move(insert)),
      forget_(std::move(forget)), release_(std::move(release)) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Bibliothèque d'accessoires"));
    buildControls();
}

void AccessoryBrowser::buildControls() {
    auto* frame1 = new QGroupBox(QStringLiteral("Sélection"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto* selection = new QVBoxLayout(frame1);
    auto* label1 = new QLabel(QStringLiteral("Famille :"), frame1);
    label1->setObjectName(QStringLiteral("Label1"));
    combo1_ = new QComboBox(frame1);
    combo1_->setObjectName(QStringLiteral("Combo1"));
    label1->setBuddy(combo1_);
    auto* label2 = new QLabel(QStringLiteral("Modèle :"), frame1);
    label2->setObjectName(QStringLiteral("Label2"));
    list1_ = new QListWidget(frame1);
    list1_->setObjectName(QStringLiteral("List1"));
    label2->setBuddy(list1_);
    check1_ = new QCheckBox(QStringLiteral("Vues compatibles uniquement"), frame1);
    check1_->setObjectName(QStringLiteral("Check1"));
    check1_->setChecked(true);
    selection->addWidget(label1);
    selection->addWidget(combo1_);
    selection->addWidget(label2);
    selection->addWidget(list1_, 1);
    selection->addWidget(check1_);
    connect(combo1_, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });
    connect(list1_, &QListWidget::currentRowChanged, this, [this] { List1_Click(); });
    connect(list1_, &QListWidget::itemDoubleClicked, this, [this] { Command1_Click(1); });
    connect(check1_, &QCheckBox::clicked, this, [this] { Form_Load(); });

    auto* frame2 = new QGroupBox(QStringLiteral("Aperçu"), this);
    frame2->setObjectName(QStringLiteral("Frame2"));
    frame2->setFixedSize(toPixels(kImageArea.right() + kImageArea.left()),
                         toPixels(kImageArea.bottom() + kLabelHeight + 120));
    image1_ = new SurfaceView(frame2);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->hide();
    label3_ = new QLabel(frame2);
    label3_->setObjectName(QStringLiteral("Label3"));
    label3_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label4_ = new QLabel(frame2);
    label4_->setObjectName(QStringLiteral("Label4"));
    label4_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    const QString captions[] = {QStringLiteral("Insérer"), QStringLiteral("Insérer et Fermer"),
                                QStringLiteral("Fermer")};
    auto* buttons = new QVBoxLayout;
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(captions[i], this);
        button->setObjectName(QStringLiteral("Command1_%1").arg(i));
        connect(button, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        buttons->addWidget(button);
    }
    buttons->addStretch();

    auto* right = new QVBoxLayout;
    right->addWidget(frame2);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(frame1, 1);
    layout->addLayout(right);
    resize(sizeHint());
}

std::optional<QString> AccessoryBrowser::filter() const {
    if (!check1_->isChecked())
        return std::nullopt;
    return vehiculeAxes_ ? vehiculeAxes_() : QString();
}

void AccessoryBrowser::Form_Load() {
    entries_.clear();
    chosen_ = -1;
    filter_ = filter();
    {
        const QSignalBlocker comboBlocker(combo1_);
        const QSignalBlocker listBlocker(list1_);
        combo1_->clear();
        list1_->clear();
    }
    showPreview();

    std::optional<std::vector<AccessoryName>> listed = listAccessories(files_, apath_);
    if (!listed) {
        dialogs_.messageBox(QStringLiteral("Impossible d'obtenir la liste des accessoires"),
                            QStringLiteral("Erreur :"), platform::MsgIcon::Critical,
                            platform::MsgButtons::Ok);
        return;
    }
    entries_ = std::move(*listed);
    if (entries_.empty()) {
        dialogs_.messageBox(
            QStringLiteral("La bibliothèque d'accessoires est vide!\n\nVérifiez que le "
                           "sous-dossier 'accessoires' contient des images valides."),
            QStringLiteral("Attention :"), platform::MsgIcon::Warning, platform::MsgButtons::Ok);
        return;
    }
    const QStringList families = distinctFamilies(entries_, filter_);
    {
        const QSignalBlocker blocker(combo1_);
        combo1_->addItems(families);
        combo1_->setCurrentIndex(families.isEmpty() ? -1 : 0);
    }
    Combo1_Click();
}

void AccessoryBrowser::Combo1_Click() {
    const QStringList models =
        combo1_->currentIndex() < 0
            ? QStringList()
            : distinctAccessoryModels(entries_, combo1_->currentText(), filter_);
    {
        const QSignalBlocker blocker(list1_);
        list1_->clear();
        list1_->addItems(models);
        list1_->setCurrentRow(models.isEmpty() ? -1 : 0);
    }
    List1_Click();
}

void AccessoryBrowser::List1_Click() {
    const QListWidgetItem* item = list1_->currentItem();
    chosen_ = item == nullptr
                  ? -1
                  : lastMatching(entries_, combo1_->currentText(), item->text(), filter_);
    showPreview();
}

void AccessoryBrowser::showPreview() {
    image1_->hide();
    label3_->clear();
    label4_->clear();
    imageTwips_ = QRectF();
    if (chosen_ < 0)
        return;
    const AccessoryName& entry = entries_[size_t(chosen_)];
    const QStringList parts = fields(entry.fileName);
    label3_->setText(parts.value(2));
    label4_->setText(parts.value(3));

    const std::optional<QImage> picture =
        platform::LoadPicture(accessoiresFolder(apath_) + QLatin1Char('/') + entry.fileName);
    if (!picture || picture->isNull())
        return;
    const QSizeF natural(picture->width() * kTwipsPerPixel, picture->height() * kTwipsPerPixel);
    imageTwips_ = centredIn(fitInto(natural, kImageArea.size()), kImageArea);
    const QRect box = toPixels(imageTwips_);
    image1_->move(box.topLeft());
    image1_->setSurfaceSize(box.size());
    image1_->surface().drawPicture(*picture, 0, 0, float(box.width()), float(box.height()));
    image1_->show();
    image1_->refresh();

    // The width just below the picture, the height just left of it.
    label3_->setGeometry(toPixels(
        QRectF(kImageArea.left(), imageTwips_.bottom(), kImageArea.width(), kLabelHeight)));
    label4_->setGeometry(
        toPixels(QRectF((1555 - imageTwips_.width()) / 2,
                        imageTwips_.center().y() - kLabelHeight / 2, kLabelWidth, kLabelHeight)));
}

void AccessoryBrowser::Command1_Click(int index) {
    if (index == 2) {
        if (forget_)
            forget_();
        releaseToggle();
        return;
    }
    // With an empty list there is nothing to insert.
    if (chosen_ >= 0 && insert_)
        insert_(entries_[size_t(chosen_)].fileName);
    if (index == 1)
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
        Form_Load();
    }
}

void AccessoryBrowser::closeEvent(QCloseEvent* event) {
    releaseToggle();
    event->accept();
}

} // namespace library::ui
