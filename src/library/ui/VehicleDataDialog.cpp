#include "library/ui/VehicleDataDialog.h"

#include "library/ImportSteps.h"
#include "library/LayoutOpening.h"
#include "library/MassData.h"
#include "library/ui/ImportSupport.h"
#include "library/ui/SurfaceView.h"
#include "library/ui/VehicleDataBoxes.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace library::ui {

VehicleDataDialog::VehicleDataDialog(const QString& libraryRoot, const QString& model,
                                     const QString& body, const QString& picture, bool lengthView,
                                     platform::FileSystem& files, platform::DialogService& dialogs,
                                     QWidget* parent)
    : QDialog(parent), libraryRoot_(libraryRoot), model_(model), body_(body), picture_(picture),
      lengthView_(lengthView), files_(files), dialogs_(dialogs) {
    setObjectName(QStringLiteral("FormVehicule"));
    setWindowTitle(QStringLiteral("Données du véhicule"));
    const VehicleData data = readVehicleData(libraryRoot_, files_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("%1 %2").arg(model_, body_), this));
    boxes_ = new VehicleDataBoxes(this);
    boxes_->setTexts(vehicleDataTexts({data.massesOf(model_, body_), data.axlesOf(picture_)}));
    boxes_->setAxlesEnabled(lengthView_);
    connect(boxes_->pickButton(), &QPushButton::clicked, this, [this] { startAxlePick(); });
    layout->addWidget(boxes_);
    layout->addWidget(new QLabel(
        lengthView_ ? QStringLiteral("Vue %1 : centres des essieux en cm depuis le bord gauche "
                                     "de l'image.")
                          .arg(picture_)
                    : QStringLiteral("Cette vue ne montre pas la longueur du véhicule : pas "
                                     "d'essieux à placer."),
        this));

    pictureArea_ = makePictureArea(this, QStringLiteral("PictureEssieux"), pictureView_);
    connect(pictureView_, &SurfaceView::mousePressed, this,
            [this](QPointF at) { pictureClicked(at); });
    layout->addWidget(pictureArea_, 1);
    if (lengthView_) {
        if (std::optional<VehiclePicture> vehicle = loadVehicle(libraryRoot_, picture_)) {
            image_ = std::move(vehicle->picture);
            pixelsPerCm_ = vehicle->name.pixelsPerCm;
        }
    }
    pictureArea_->setVisible(!image_.isNull());
    boxes_->pickButton()->setEnabled(!image_.isNull());
    redrawPicture();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (save())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(image_.isNull() ? QSize(420, 220) : QSize(760, 560));
}

void VehicleDataDialog::redrawPicture() {
    if (image_.isNull())
        return;
    pictureView_->setSurfaceSize(image_.size());
    pictureView_->surface().drawPictureAt(image_, 0, 0);
    pictureView_->refresh();
}

void VehicleDataDialog::startAxlePick() {
    redrawPicture();
    explainAxlePick(dialogs_);
    pick_.start();
}

void VehicleDataDialog::pictureClicked(QPointF at) {
    if (pick_.click(float(at.x()), pictureView_->surface()) == AxlePick::Click::Rear)
        if (const std::optional<document::AxleCentres> centres = pick_.centres(pixelsPerCm_))
            boxes_->setAxles(*centres);
    pictureView_->refresh();
}

bool VehicleDataDialog::save() {
    const std::variant<VehicleDataEntry, QString> read =
        readVehicleDataTexts(boxes_->texts(), lengthView_);
    if (const QString* problem = std::get_if<QString>(&read)) {
        warn(dialogs_, *problem);
        return false;
    }
    const VehicleDataEntry& entry = std::get<VehicleDataEntry>(read);
    VehicleData data = readVehicleData(libraryRoot_, files_);
    data.setMasses(model_, body_, entry.masses);
    if (lengthView_)
        data.setAxles(picture_, entry.axles);
    if (!writeVehicleData(libraryRoot_, data, files_)) {
        warn(dialogs_, QStringLiteral("Impossible d'écrire les données du véhicule."));
        return false;
    }
    return true;
}

} // namespace library::ui
