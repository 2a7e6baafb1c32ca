#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

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

} // namespace icons
} // namespace app
