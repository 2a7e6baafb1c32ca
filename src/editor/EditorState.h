#pragma once

#include "document/Layout.h"
#include "editor/Geometry.h"
#include "platform/Surface.h"
#include "render/PlanRenderer.h"
#include "settings/Preferences.h"

#include <QPoint>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace editor {

// The zoom steps of the "-" and "+" buttons, in percent.
constexpr std::array<int, 12> kPaliersZoom = {10,  25,  50,  75,  100,  150,
                                              200, 300, 500, 800, 1200, 1600};

// The view onto the plan: zoom, scroll origin, the zoom box and the two bars.
struct ViewState {
    render::View view;                     // zoom and originX / originY
    QString text2 = QStringLiteral("100"); // the zoom box Text2
    int hscroll = 0;                       // HScroll1, 0..100 (percent of the scrollable range)
    int vscroll = 0;                       // VScroll1
    std::array<int, 12> paliers_zoom = kPaliersZoom;
};

// The selection box Picture2: the lifted-out object drawn alone, on the plan's pixels.
// The surface holds the part of the box that lies on the plan (the whole box when it
// does); shown is the box pixel at the surface's top-left corner.
struct SelectionBox {
    bool visible = false;
    float left = 0, top = 0, width = 0, height = 0; // plan pixels
    platform::Surface surface{1, 1, platform::kWindowBackground};
    QPoint shown;
};

// The eight resize handles, 5 x 5 pixels, indexed by Handle.
struct Handles {
    bool visible = false;
    bool locked = false; // grey RGB(170,170,170) with the no-drop pointer
    std::array<QPoint, kHandleCount> topLeft{};
};

// The drag under way on the selection box or one of its handles.
struct ResizeModule {
    bool Dragging = false;
    int StartX = 0, StartY = 0;
    bool hasCurrentControl = false; // the selection box carries the handles
};

// The two dimension boxes, in the order of EditingControls::text1.
enum class Dimension { Width, Height };

// The way a selection is turned by a quarter.
enum class Turn { Left, Right };

// The editing controls of the main window whose values preset the next object and
// show the selected one.
struct EditingControls {
    std::array<QString, 2> text1 = {QStringLiteral("50"),
                                    QStringLiteral("50")}; // width, height (cm)
    bool check1 = false;                                   // "Figées"
    int combo1Index = 0;  // texture list: 0 "Choisir un texture...", k the k-th texture
    QStringList textures; // texture file names, in listing order (entry k = textures[k-1])
    platform::Surface couleur{61, 61, platform::kBlack}; // fill swatch Couleur

    bool layoutEnabled = false; // enableEditing has run
    bool frame1Enabled = true;  // "Remplissage"
    bool frame2Enabled = true;  // "Dimensions"
    bool combo1Enabled = true;
    bool editEnabled = false; // Command4(0,1), Command5(0,1), Command2 and the Edition menu
    bool turnEnabled = false; // Command5(0,1), mnupivg, mnupivd
    bool check2 = false;      // accessory library toggle
};

// The surface-count panel Frame6.
struct SurfaceCount {
    bool visible = true; // designed state: shown
    QString label3 = QStringLiteral("-----");
    QString label5 = QStringLiteral("0");
    QStringList lines;    // List2
    QList<bool> selected; // List2's selection, one flag per line
    bool addEnabled = false;
    bool deleteEnabled = false;
};

// Where the keyboard focus should go after a handler.
enum class FocusRequest { None, Plan, Box };

// Everything the main window holds for the whole run.
struct EditorState {
    QString apath;
    document::Layout layout;
    ViewState view;
    settings::Preferences prefs; // the current preference values

    platform::Surface picture1{1, 1, platform::kWindowBackground}; // the plan canvas
    SelectionBox picture2;
    Handles handles;
    ResizeModule resize;
    EditingControls controls;
    SurfaceCount surfaces;

    // The selection: the object lifted out of the table. Its position and size are the
    // box's and the dimension boxes', its lock follows sel_fige.
    document::PlanObject selected;
    std::int16_t sel_rang = 0;
    std::int16_t sel_fige = 0;
    std::int16_t clic_x = 0, clic_y = 0;
    bool redim_en_cours = false;

    document::Fill remplissage_courant; // fill of the next object: palette index or texture name
    QString accessoire_fichier;
    std::int16_t accessoire_largeur = 0;
    std::int16_t accessoire_hauteur = 0;
    bool ignorer_evenements = false;

    QString statusText;
    FocusRequest focus = FocusRequest::None;

    bool hasSelection() const { return picture2.visible; }
};

} // namespace editor
