#include "editor/Creation.h"

#include "document/ObjectTable.h"
#include "editor/Geometry.h"
#include "library/LibraryNames.h"

namespace editor {

using document::Cell;

namespace {

const QString kAttention = QStringLiteral("Attention :");

bool takesDimensionBoxes(int kind) {
    return kind != document::Texte && kind != document::Accessoire;
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

void Creation::create(document::ObjectKind kind) {
    const int index = int(kind);
    if ((index < document::Mesure || index > document::Triangle) && index != document::Accessoire)
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
    if (takesDimensionBoxes(index) && refuseDimensions())
        return;
    std::optional<library::AccessoryName> accessory;
    if (index == document::Accessoire) {
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
    if (index != document::Rectangle && s.controls.combo1Index != 0) {
        s.ignorer_evenements = true;
        s.controls.combo1Index = 0;
        core_.showPaletteSwatch(0);
        s.remplissage_courant = Cell::integer(0);
        s.ignorer_evenements = false;
    }
    QString text;
    if (index == document::Texte) {
        text = core_.services.dialogs.inputBox(QStringLiteral("Texte à insérer :"),
                                               platform::kProgramName, QString());
        if (text.isEmpty())
            return;
    }

    const render::View& v = s.view.view;
    document::ObjectRow row;
    row[document::ColKind] = Cell::integer(std::int16_t(index));
    row[document::ColX] = Cell::real(10 / v.zoom + v.originX);
    row[document::ColY] = Cell::real(10 / v.zoom + v.originY);
    row[document::ColExtra] = Cell::integer(0);
    if (index == document::Accessoire) {
        s.accessoire_largeur = accessory->width;
        s.accessoire_hauteur = accessory->height;
        row[document::ColHeight] = Cell::integer(accessory->height);
        row[document::ColWidth] = Cell::integer(accessory->width);
        row[document::ColFill] = Cell::text(s.accessoire_fichier);
        row[document::ColLock] = Cell::integer(1);
    } else if (index == document::Texte) {
        const QSize extent = s.picture1.textSize(text);
        const std::int16_t height = textSizeCm(extent.height(), core_.resol());
        const std::int16_t width = textSizeCm(extent.width(), core_.resol());
        row[document::ColHeight] = Cell::integer(height);
        row[document::ColWidth] = Cell::integer(width);
        row[document::ColFill] = s.remplissage_courant;
        row[document::ColLock] = Cell::integer(1);
        row[document::ColExtra] = Cell::text(text);
        s.controls.text1[0] = QString::number(width);
        s.controls.text1[1] = QString::number(height);
    } else {
        row[document::ColHeight] = Cell::integer(*readDimension(s.controls.text1[1], core_.locale));
        row[document::ColWidth] = Cell::integer(*readDimension(s.controls.text1[0], core_.locale));
        row[document::ColFill] = s.remplissage_courant;
        row[document::ColLock] = Cell::integer(s.controls.check1 ? 1 : 0);
    }
    s.layout.objects.append(row);
    s.layout.modified = true;
    core_.redraw();
}

} // namespace editor
