#include "editor/Creation.h"

#include "document/ObjectTable.h"
#include "editor/Geometry.h"
#include "library/LibraryNames.h"
#include "library/MassData.h"

namespace editor {

using document::Fill;
using document::ObjectKind;

namespace {

const QString kAttention = QStringLiteral("Attention :");

bool takesDimensionBoxes(ObjectKind kind) {
    return kind != ObjectKind::Text && kind != ObjectKind::Accessory;
}

} // namespace

bool Creation::refuseDimensions() {
    const EditingControls& c = controls_.state();
    if (readDimension(c.sizeText[Dimension::Width], core_.locale) &&
        readDimension(c.sizeText[Dimension::Height], core_.locale))
        return false;
    core_.inform(QStringLiteral("Les dimensions de l'objet doivent être des nombres entiers de "
                                "centimètres, entre 0 et 32767."),
                 kAttention, platform::MsgIcon::Warning);
    return true;
}

void Creation::create(ObjectKind kind) {
    const int index = int(kind);
    if ((index < int(ObjectKind::Measure) || index > int(ObjectKind::Triangle)) &&
        index != int(ObjectKind::Accessory))
        return;
    const NextObject& next = controls_.next();
    if (!core_.layoutOpen()) {
        core_.inform(QStringLiteral("Vous devez ouvrir un agencement ou en créer un nouveau!"),
                     platform::kProgramName, platform::MsgIcon::Information);
        return;
    }
    const int held = core_.layout.objects.count() + (selection_.shown() ? 1 : 0);
    if (held >= document::kMaxObjects) {
        core_.inform(QStringLiteral("Désolé, vous avez atteind la limite du nombre d'objet (1000)"),
                     QStringLiteral("Erreur"), platform::MsgIcon::Information);
        return;
    }
    if (takesDimensionBoxes(kind) && refuseDimensions())
        return;
    std::optional<library::AccessoryName> accessory;
    if (kind == ObjectKind::Accessory) {
        if (next.accessoryFile.isEmpty())
            return;
        accessory = library::parseAccessoryName(next.accessoryFile);
        if (!accessory) {
            core_.inform(QStringLiteral("Les dimensions de l'accessoire \"%1\" ne peuvent pas être "
                                        "lues dans son nom de fichier.")
                             .arg(next.accessoryFile),
                         kAttention, platform::MsgIcon::Warning);
            return;
        }
    }

    if (selection_.shown()) {
        selection_.putBack();
    }
    if (kind != ObjectKind::Rectangle && controls_.state().texture) {
        controls_.showPaletteFill(0);
        controls_.setNextFill(Fill::colour(0));
    }
    QString text;
    if (kind == ObjectKind::Text) {
        text = core_.services.dialogs.inputBox(QStringLiteral("Texte à insérer :"),
                                               platform::kProgramName, QString());
        if (text.isEmpty())
            return;
    }

    const render::View& v = core_.view.view;
    document::PlanObject object;
    object.kind = kind;
    object.position = {10 / v.zoom + v.originX, 10 / v.zoom + v.originY};
    if (kind == ObjectKind::Accessory) {
        object.heightCm = accessory->height;
        object.widthCm = accessory->width;
        object.fill = Fill::file(next.accessoryFile);
        object.locked = true;
        // An inserted accessory weighs what the library says it does.
        if (const auto kg = library::readAccessoryMasses(core_.libraryRoot, core_.services.files)
                                .massOf(next.accessoryFile))
            object.massKg = float(*kg);
    } else if (kind == ObjectKind::Text) {
        const QSize extent = core_.canvas.textSize(text);
        const std::int16_t height = textSizeCm(extent.height(), core_.pixelsPerCm());
        const std::int16_t width = textSizeCm(extent.width(), core_.pixelsPerCm());
        object.heightCm = height;
        object.widthCm = width;
        object.fill = next.fill;
        object.locked = true;
        object.text = text;
        controls_.showSizes(QString::number(width), QString::number(height));
    } else {
        const EditingControls& c = controls_.state();
        object.heightCm = *readDimension(c.sizeText[Dimension::Height], core_.locale);
        object.widthCm = *readDimension(c.sizeText[Dimension::Width], core_.locale);
        object.fill = next.fill;
        object.locked = c.lockChecked;
    }
    session_.append(object);
    canvas_.redraw();
}

} // namespace editor
