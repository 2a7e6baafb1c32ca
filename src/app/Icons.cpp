#include "app/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace app::icons {

namespace {

constexpr int kSize = 16;
const QColor kInk(40, 40, 40);
const QColor kBlue(40, 90, 190);
const QColor kRed(210, 30, 30);
const QColor kGreen(40, 150, 60);

QPixmap blank(int size = kSize) {
    QPixmap p(size, size);
    p.fill(Qt::transparent);
    return p;
}

void drawPage(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({{3.5, 1.5}, {10.5, 1.5}, {13.5, 4.5}, {13.5, 14.5}, {3.5, 14.5}}));
    p.drawLine(QPointF(10.5, 1.5), QPointF(10.5, 4.5));
    p.drawLine(QPointF(10.5, 4.5), QPointF(13.5, 4.5));
}

void drawFolder(QPainter& p) {
    p.setPen(QColor(150, 110, 20));
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(QRectF(1.5, 4.5, 13, 9));
    p.drawRect(QRectF(1.5, 2.5, 5, 2));
}

void drawDisk(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kBlue);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(3.5, 9.5, 9, 5));
}

void drawPicture(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(QColor(170, 215, 250));
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawPolygon(QPolygonF({{2, 13}, {7, 7}, {10, 10}, {12, 8}, {14, 13}}));
    p.setBrush(QColor(250, 210, 40));
    p.drawEllipse(QPointF(11, 5.5), 1.5, 1.5);
}

// Two overlapping squares; the front one is filled.
void drawStack(QPainter& p, bool frontOnTop) {
    const QRectF back(1.5, 1.5, 9, 9);
    const QRectF front(5.5, 5.5, 9, 9);
    p.setPen(kInk);
    if (frontOnTop) {
        p.setBrush(Qt::white);
        p.drawRect(back);
        p.setBrush(kBlue);
        p.drawRect(front);
    } else {
        p.setBrush(kBlue);
        p.drawRect(back);
        p.setBrush(Qt::white);
        p.drawRect(front);
    }
}

// A three-quarter circle with an arrow head; clockwise when right.
void drawTurn(QPainter& p, bool right) {
    p.setPen(QPen(kBlue, 2));
    p.setBrush(Qt::NoBrush);
    const QRectF arc(3, 3, 10, 10);
    p.drawArc(arc, right ? 90 * 16 : 90 * 16, right ? 270 * 16 : -270 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    if (right)
        p.drawPolygon(QPolygonF({{8, 0}, {12, 3}, {8, 6}}));
    else
        p.drawPolygon(QPolygonF({{8, 0}, {4, 3}, {8, 6}}));
}

void drawCross(QPainter& p) {
    p.setPen(QPen(kRed, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

void drawMeasure(QPainter& p) {
    p.setPen(kInk);
    p.drawLine(QPointF(1.5, 8.5), QPointF(14.5, 8.5));
    p.drawLine(QPointF(1.5, 5.5), QPointF(1.5, 11.5));
    p.drawLine(QPointF(14.5, 5.5), QPointF(14.5, 11.5));
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({{2, 8.5}, {5, 6.5}, {5, 10.5}}));
    p.drawPolygon(QPolygonF({{14, 8.5}, {11, 6.5}, {11, 10.5}}));
}

void drawText(QPainter& p) {
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setPixelSize(14);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kInk);
    p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("A"));
}

void drawPrinter(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(160, 160, 160));
    p.drawRect(QRectF(1.5, 6.5, 13, 6));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
}

void drawMenuPicture(QPainter& p, MenuPicture picture) {
    switch (picture) {
    case MenuPicture::New:
        drawPage(p);
        break;
    case MenuPicture::Open:
        drawFolder(p);
        break;
    case MenuPicture::Save:
        drawDisk(p);
        break;
    case MenuPicture::ExportImage:
        drawPicture(p);
        break;
    case MenuPicture::SendToBack:
        drawStack(p, false);
        break;
    case MenuPicture::TurnLeft:
        drawTurn(p, false);
        break;
    case MenuPicture::TurnRight:
        drawTurn(p, true);
        break;
    case MenuPicture::Delete:
        drawCross(p);
        break;
    case MenuPicture::Rectangle:
        p.setPen(kInk);
        p.setBrush(kBlue);
        p.drawRect(QRectF(1.5, 3.5, 13, 9));
        break;
    case MenuPicture::Measure:
        drawMeasure(p);
        break;
    case MenuPicture::Text:
        drawText(p);
        break;
    case MenuPicture::Ellipse:
        p.setPen(kInk);
        p.setBrush(kGreen);
        p.drawEllipse(QRectF(1.5, 3.5, 13, 9));
        break;
    case MenuPicture::Triangle:
        p.setPen(kInk);
        p.setBrush(QColor(240, 150, 30));
        p.drawPolygon(QPolygonF({{2.5, 1.5}, {2.5, 14.5}, {14.5, 14.5}}));
        break;
    case MenuPicture::Line:
        p.setPen(QPen(kInk, 2));
        p.drawLine(QPointF(2, 14), QPointF(14, 2));
        break;
    case MenuPicture::Print:
        drawPrinter(p);
        break;
    case MenuPicture::BringToFront:
        drawStack(p, true);
        break;
    case MenuPicture::None:
        break;
    }
}

} // namespace

QPixmap menuPicture(MenuPicture picture) {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawMenuPicture(p, picture);
    return pixmap;
}

QIcon menuIcon(MenuPicture picture) {
    return QIcon(menuPicture(picture));
}

QIcon accessories() {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A small bench seen from the side: a seat, a back and two legs.
    p.setPen(QColor(110, 70, 30));
    p.setBrush(QColor(190, 130, 70));
    p.drawRect(QRectF(2.5, 8.5, 11, 3));
    p.drawRect(QRectF(2.5, 2.5, 3, 6));
    p.drawRect(QRectF(3.5, 11.5, 1, 3));
    p.drawRect(QRectF(11.5, 11.5, 1, 3));
    return QIcon(pixmap);
}

QIcon addArrow() {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawPolygon(QPolygonF({{1, 6}, {8, 6}, {8, 2}, {15, 8}, {8, 14}, {8, 10}, {1, 10}}));
    return QIcon(pixmap);
}

QIcon redCross() {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawCross(p);
    return QIcon(pixmap);
}

QPixmap dimensions() {
    QPixmap pixmap = blank(24);
    QPainter p(&pixmap);
    p.setPen(kInk);
    p.setBrush(QColor(200, 220, 250));
    p.drawRect(6, 6, 15, 15);
    p.drawLine(6, 2, 21, 2);
    p.drawLine(2, 6, 2, 21);
    return pixmap;
}

QImage programIcon(int size) {
    QImage picture(size, size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);
    // A van seen from the side, on a blue disc.
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawEllipse(QRectF(1, 1, 46, 46));
    QPainterPath body;
    body.moveTo(7, 32);
    body.lineTo(7, 16);
    body.quadTo(7, 13, 10, 13);
    body.lineTo(31, 13);
    body.lineTo(39, 22);
    body.lineTo(41, 32);
    body.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(body);
    p.setBrush(QColor(170, 215, 250));
    p.drawPolygon(QPolygonF({{31, 16}, {36.5, 22}, {31, 22}}));
    p.setBrush(QColor(240, 150, 30));
    p.drawRect(QRectF(11, 17, 15, 9));
    p.setBrush(kInk);
    p.drawEllipse(QPointF(15, 33), 4, 4);
    p.drawEllipse(QPointF(33, 33), 4, 4);
    p.end();
    return picture;
}

QIcon programIconSet() {
    QIcon icon;
    for (const int size : kThemeIconSizes)
        icon.addPixmap(QPixmap::fromImage(programIcon(size)));
    return icon;
}

} // namespace app::icons
