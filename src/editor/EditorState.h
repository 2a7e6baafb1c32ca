#pragma once

#include "document/Layout.h"
#include "editor/Geometry.h"
#include "platform/Surface.h"
#include "render/PlanRenderer.h"

#include <QPoint>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

// The values of the editor's state, each kept by one owner that hands out only const
// references to it: the view by ViewControl, the selection by Selection, the editing
// controls and the next object by EditingPanel, the surface count by SurfacePanel.
namespace editor {

// The view onto the plan: zoom, scroll origin, the zoom box and the two bars.
struct ViewState {
    render::View view;                        // zoom and originX / originY
    QString zoomText = QStringLiteral("100"); // the zoom box Text2
    int horizontalBar = 0;                    // 0..100, percent of the scrollable range
    int verticalBar = 0;
};

// The selection box: the lifted-out object drawn alone, on the plan's pixels.
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

// What a press on the selection box or on one of its handles started.
enum class Drag { None, Move, Resize };

// How a selection was made: a click on the plan, or undo and redo giving back the
// object that was selected.
enum class SelectionOrigin { Click, History };

// The selected object, lifted out of the table while it is edited, with the box that shows
// it and its handles. The editor's Selection owns it; others read it.
struct SelectionState {
    // The object as it is being edited: kind, fill, lock, orientation and text. Its place
    // and size are those of the box and the dimension boxes until it is put back.
    document::PlanObject object;
    // The row it was taken from (1-based), and the object as that row held it: while the
    // object is not edited, that is what the layout holds.
    int row = 0;
    document::PlanObject stored;
    bool edited = false;
    SelectionOrigin origin = SelectionOrigin::Click;

    SelectionBox box;
    Handles handles;
};

// The two dimension boxes.
enum class Dimension { Width, Height };

// One value for each dimension box.
template <typename T> class PerDimension {
public:
    PerDimension() = default;
    PerDimension(T width, T height) : values_{std::move(width), std::move(height)} {}
    T& operator[](Dimension dimension) { return values_[std::size_t(dimension)]; }
    const T& operator[](Dimension dimension) const { return values_[std::size_t(dimension)]; }
    bool operator==(const PerDimension&) const = default;

private:
    std::array<T, 2> values_{};
};

// The way a selection is turned by a quarter.
enum class Turn { Left, Right };

// The editing controls of the main window whose values preset the next object and
// show the selected one.
struct EditingControls {
    PerDimension<QString> sizeText{QStringLiteral("50"), QStringLiteral("50")}; // in cm
    bool lockChecked = false;                                                   // "Figées"
    // The chosen texture's index in textures; nothing while the list shows its caption.
    std::optional<int> texture;
    QString massText;     // "Masse (kg)": the selection's mass, empty when unknown
    QStringList textures; // texture file names, in listing order
    platform::Surface fillSwatch{61, 61, platform::kBlack}; // fill swatch Couleur

    bool layoutEnabled = false;    // enableEditing has run
    bool fillEnabled = true;       // "Remplissage"
    bool dimensionsEnabled = true; // "Dimensions": the size boxes and the lock
    bool massEnabled = false;      // the mass box: a selection that can carry a mass
    bool textureListEnabled = true;
    bool editEnabled = false;           // stacking, turning, deleting and the Edition menu
    bool turnEnabled = false;           // the two turn buttons and menu entries
    bool accessoryBrowserShown = false; // accessory library toggle
};

// The surface-count panel.
struct SurfaceCount {
    bool visible = true; // designed state: shown
    QString areaText = QStringLiteral("-----");
    QString totalText = QStringLiteral("0");
    QStringList lines;    // the list of added areas
    QList<bool> selected; // the list.s selection, one flag per line
    bool addEnabled = false;
    bool deleteEnabled = false;
};

// What the next object takes that the dimension boxes and the lock box do not hold.
struct NextObject {
    document::Fill fill;   // the chosen palette colour or texture
    QString accessoryFile; // the accessory the browser shows, for the accessory tool
};

} // namespace editor
