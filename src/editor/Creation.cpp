#include "editor/Creation.h"

#include "document/ObjectTable.h"
#include "editor/Geometry.h"
#include "library/LibraryNames.h"

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
    const EditingControls& c = core_.state.controls;
    if (readDimension(c.text1[0], core_.locale) && readDimension(c.text1[1], core_.locale))
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
    EditorState& s = core_.state;
    if (!core_.layoutOpen()) {
        core_.inform(QStringLiteral("Vous devez ouvrir un agencement ou en créer un nouveau!"),
                     platform::kProgramName, platform::MsgIcon::Information);
        return;
    }
    const int held = s.layout.objects.count() + (s.hasSelection() ? 1 : 0);
    if (held >= document::kMaxObjects) {
        core_.inform(QStringLiteral("Désolé, vous avez atteind la limite du nombre d'objet (1000)"),
                     QStringLiteral("Erreur"), platform::MsgIcon::Information);
        return;
    }
    if (takesDimensionBoxes(kind) && refuseDimensions())
        return;
    std::optional<library::AccessoryName> accessory;
    if (kind == ObjectKind::Accessory) {
        if (s.accessoire_fichier.isEmpty())
            return;
        accessory = library::parseAccessoryName(s.accessoire_fichier);
        if (!accessory) {
            core_.inform(QStringLiteral("Les dimensions de l'accessoire \"%1\" ne peuvent pas être "
                                        "lues dans son nom de fichier.")
                             .arg(s.accessoire_fichier),
                         kAttention, platform::MsgIcon::Warning);
            return;
        }
    }

    if (s.hasSelection()) {
        selection_.ReleaseControl();
        selection_.putBack();
    }
    if (kind != ObjectKind::Rectangle && s.controls.combo1Index != 0) {
        s.ignorer_evenements = true;
        s.controls.combo1Index = 0;
        core_.showPaletteSwatch(0);
        s.remplissage_courant = Fill::colour(0);
        s.ignorer_evenements = false;
    }
    QString text;
    if (kind == ObjectKind::Text) {
        text = core_.services.dialogs.inputBox(QStringLiteral("Texte à insérer :"),
                                               platform::kProgramName, QString());
        if (text.isEmpty())
            return;
    }

    const render::View& v = s.view.view;
    document::PlanObject object;
    object.kind = kind;
    object.position = {10 / v.zoom + v.originX, 10 / v.zoom + v.originY};
    if (kind == ObjectKind::Accessory) {
        s.accessoire_largeur = accessory->width;
        s.accessoire_hauteur = accessory->height;
        object.heightCm = accessory->height;
        object.widthCm = accessory->width;
        object.fill = Fill::file(s.accessoire_fichier);
        object.locked = true;
    } else if (kind == ObjectKind::Text) {
        const QSize extent = s.picture1.textSize(text);
        const std::int16_t height = textSizeCm(extent.height(), core_.resol());
        const std::int16_t width = textSizeCm(extent.width(), core_.resol());
        object.heightCm = height;
        object.widthCm = width;
        object.fill = s.remplissage_courant;
        object.locked = true;
        object.text = text;
        s.controls.text1[0] = QString::number(width);
        s.controls.text1[1] = QString::number(height);
    } else {
        object.heightCm = *readDimension(s.controls.text1[1], core_.locale);
        object.widthCm = *readDimension(s.controls.text1[0], core_.locale);
        object.fill = s.remplissage_courant;
        object.locked = s.controls.check1;
    }
    s.layout.objects.append(object);
    s.layout.modified = true;
    core_.redraw();
}

} // namespace editor
