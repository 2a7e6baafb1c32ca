#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <array>

namespace app {

// The program's own small pictures, drawn in code so that no picture file has to
// ship beside the program.
namespace icons {

// The pictures beside the menu entries, also shown on the tool and editing buttons.
enum class MenuPicture {
    None, // an empty 16 x 16 picture
    New,
    Open,
    Save,
    ExportImage,
    SendToBack,
    TurnLeft,
    TurnRight,
    Delete,
    Rectangle,
    Measure,
    Text,
    Ellipse,
    Triangle,
    Line,
    Print,
    BringToFront,
};

QPixmap menuPicture(MenuPicture picture);
QIcon menuIcon(MenuPicture picture);

QIcon accessories();  // the accessory-library toggle
QIcon addArrow();     // adds the selected area to the count
QIcon redCross();     // deletes the chosen count lines
QPixmap dimensions(); // the small picture beside the dimension boxes
// A QImage, so start-up can write it to a file before any window exists.
QImage programIcon(int size = 48);
// The sizes of the desktop's hicolor icon theme that the package installs.
inline constexpr std::array<int, 6> kThemeIconSizes{16, 32, 48, 64, 128, 256};
// The program icon drawn at every theme size, so the desktop picks a sharp one for
// the window list, the task bar and the window switcher alike.
QIcon programIconSet();

} // namespace icons
} // namespace app
