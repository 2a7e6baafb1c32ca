#include "library/ui/VehicleDataDialog.h"

#include "library/ImportSteps.h"
#include "library/MassData.h"
#include "platform/Numbers.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <optional>

namespace library::ui {

namespace {

QString valueText(std::optional<double> v) {
    return v ? QString::number(*v, 'g', 10) : QString();
}

} // namespace

VehicleDataDialog::VehicleDataDialog(const QString& libraryRoot, const QString& model,
                                     const QString& body, const QString& picture, bool lengthView,
                                     platform::FileSystem& files, platform::DialogService& dialogs,
                                     QWidget* parent)
    : QDialog(parent), libraryRoot_(libraryRoot), model_(model), body_(body), picture_(picture),
      lengthView_(lengthView), files_(files), dialogs_(dialogs) {
    setObjectName(QStringLiteral("FormVehicule"));
    setWindowTitle(QStringLiteral("Données du véhicule"));
    const VehicleData data = readVehicleData(libraryRoot_, files_);
    const auto masses = data.massesOf(model_, body_);
    const auto axles = data.axlesOf(picture_);
    const std::array<std::optional<double>, kBoxes> values = {
        masses ? std::optional(masses->kerbFrontKg) : std::nullopt,
        masses ? std::optional(masses->kerbRearKg) : std::nullopt,
        masses ? std::optional(masses->maxFrontKg) : std::nullopt,
        masses ? std::optional(masses->maxRearKg) : std::nullopt,
        masses ? std::optional(masses->maxTotalKg) : std::nullopt,
        axles ? std::optional(axles->frontCm) : std::nullopt,
        axles ? std::optional(axles->rearCm) : std::nullopt};
    const char* const captions[kBoxes] = {
        "Masse à vide sur l'essieu avant (kg) :", "Masse à vide sur l'essieu arrière (kg) :",
        "Maximum de l'essieu avant (kg) :",       "Maximum de l'essieu arrière (kg) :",
        "Masse maximale autorisée (kg) :",        "Centre de l'essieu avant (cm) :",
        "Centre de l'essieu arrière (cm) :"};
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("%1 %2").arg(model_, body_), this));
    auto* form = new QFormLayout;
    for (int k = 0; k < kBoxes; ++k) {
        auto* box = new QLineEdit(valueText(values[std::size_t(k)]), this);
        box->setObjectName(QStringLiteral("donnee_%1").arg(k));
        boxes_[std::size_t(k)] = box;
        if (k == 5) { // the axle centres belong to the picture, below their caption
            layout->addLayout(form);
            layout->addWidget(new QLabel(
                lengthView_ ? QStringLiteral("Vue %1 : distances depuis le bord gauche de "
                                             "l'image")
                                  .arg(picture_)
                            : QStringLiteral("Cette vue ne montre pas la longueur du "
                                             "véhicule : pas d'essieux à placer."),
                this));
            form = new QFormLayout;
        }
        box->setEnabled(k < 5 || lengthView_);
        form->addRow(QString::fromUtf8(captions[k]), box);
    }
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (save())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool VehicleDataDialog::save() {
    std::array<std::optional<double>, kBoxes> values;
    bool anyMass = false, allMasses = true, anyAxle = false, allAxles = true;
    for (int k = 0; k < kBoxes; ++k) {
        const QString text = boxes_[std::size_t(k)]->text().trimmed();
        if (!text.isEmpty()) {
            values[std::size_t(k)] = platform::parseNumber(text);
            if (!values[std::size_t(k)] || *values[std::size_t(k)] < 0) {
                warn(dialogs_, QStringLiteral("Les données du véhicule doivent être des nombres "
                                              "positifs, ou rester vides quand elles ne sont pas "
                                              "connues."));
                return false;
            }
        }
        (k < 5 ? anyMass : anyAxle) |= values[std::size_t(k)].has_value();
        (k < 5 ? allMasses : allAxles) &= values[std::size_t(k)].has_value();
    }
    if ((anyMass && !allMasses) || (anyAxle && !allAxles) ||
        (allAxles && *values[5] == *values[6])) {
        warn(dialogs_, QStringLiteral("Donnez les cinq masses ensemble, et les centres des deux "
                                      "essieux ensemble, à des distances différentes."));
        return false;
    }
    VehicleData data = readVehicleData(libraryRoot_, files_);
    data.setMasses(model_, body_,
                   allMasses ? std::optional(document::VehicleMasses{
                                   *values[0], *values[1], *values[2], *values[3], *values[4]})
                             : std::nullopt);
    if (lengthView_)
        data.setAxles(picture_, allAxles
                                    ? std::optional(document::AxleCentres{*values[5], *values[6]})
                                    : std::nullopt);
    if (!writeVehicleData(libraryRoot_, data, files_)) {
        warn(dialogs_, QStringLiteral("Impossible d'écrire les données du véhicule."));
        return false;
    }
    return true;
}

} // namespace library::ui
