#pragma once

#include "document/Cell.h"
#include "document/ObjectTable.h"

#include <QImage>
#include <QString>

namespace document {

// The one open layout: header, object table and the fields derived from the
// vehicle file name when the layout is created or opened.
struct Layout {
    // Stored in the file.
    QString vehicule_fichier; // relative to the "vehicules" folder; empty while none is open
    bool inv_g_d = false;     // vehicle picture mirrored left-right
    bool inv_h_b = false;     // vehicle picture mirrored top-bottom
    QString zoomText = QStringLiteral("100"); // the zoom box's text as it stood
    ObjectTable objets;

    // Derived from vehicule_fichier, never stored.
    QString vehicule_modele;
    QString vehicule_carros;
    QString vehicule_vue;
    QString vehicule_axes;
    double vehicule_resol = 1.0; // vehicle-picture pixels per centimetre
    QImage image_vehicule;
    float image_largeur = 0; // whole pixels
    float image_hauteur = 0;

    bool agencement_ouvert = false;
    bool modifie = false;
};

} // namespace document
