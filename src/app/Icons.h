#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <array>

namespace app {

// The program's own small pictures, drawn in code so that no picture file has to
// ship beside the program.
namespace icons {

// The 16 menu pictures, numbered 1 to 16: 1 new, 2 open, 3 save, 4 export image,
// 5 send to back, 6 turn left, 7 turn right, 8 delete, 9 rectangle, 10 measure,
// 11 text, 12 ellipse, 13 triangle, 14 line, 15 print, 16 bring to front.
// Any other number gives an empty 16 x 16 picture.
QPixmap menuPicture(int number);
QIcon menuIcon(int number);

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
