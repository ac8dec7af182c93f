#include "tools/key_board_icons_view.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ztv {
namespace {

// Everything is drawn on a 24 x 24 grid and scaled for larger sizes.
constexpr int kGrid = 24;
const QColor kInk(45, 55, 75);
const QColor kRed(200, 45, 40);
const QColor kBlue(40, 110, 200);
const QColor kPaper(250, 250, 245);

void fill(QPainter& p, const QPainterPath& path, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(path);
}

QPainterPath triangle(double left, double right, double top, double bottom, bool pointing_right) {
    QPainterPath path;
    const double mid = (top + bottom) / 2;
    if (pointing_right) {
        path.moveTo(left, top);
        path.lineTo(right, mid);
        path.lineTo(left, bottom);
    } else {
        path.moveTo(right, top);
        path.lineTo(left, mid);
        path.lineTo(right, bottom);
    }
    path.closeSubpath();
    return path;
}

QPainterPath bar(double x, double top, double width, double height) {
    QPainterPath path;
    path.addRect(QRectF(x, top, width, height));
    return path;
}

void speaker(QPainter& p) {
    QPainterPath path;
    path.moveTo(3, 9);
    path.lineTo(7, 9);
    path.lineTo(12, 4);
    path.lineTo(12, 20);
    path.lineTo(7, 15);
    path.lineTo(3, 15);
    path.closeSubpath();
    fill(p, path, kInk);
}

void stroke(QPainter& p, const QColor& colour, double width) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
}

void draw(QPainter& p, std::uint16_t usage) {
    switch (usage) {
        case 0x00B0: fill(p, triangle(7, 19, 4, 20, true), kInk); break;  // PLAY
        case 0x00B1:                                                      // PAUSE
            fill(p, bar(6, 4, 4, 16), kInk);
            fill(p, bar(14, 4, 4, 16), kInk);
            break;
        case 0x00B2:  // RECORD
            p.setPen(Qt::NoPen);
            p.setBrush(kRed);
            p.drawEllipse(QPointF(12, 12), 7, 7);
            break;
        case 0x00B3:  // FORWARD
            fill(p, triangle(2, 12, 6, 18, true), kInk);
            fill(p, triangle(12, 22, 6, 18, true), kInk);
            break;
        case 0x00B4:  // REWIND
            fill(p, triangle(2, 12, 6, 18, false), kInk);
            fill(p, triangle(12, 22, 6, 18, false), kInk);
            break;
        case 0x00B5:  // NEXT TRACK
            fill(p, triangle(4, 16, 5, 19, true), kInk);
            fill(p, bar(16, 5, 3, 14), kInk);
            break;
        case 0x00B6:  // PREV TRACK
            fill(p, bar(5, 5, 3, 14), kInk);
            fill(p, triangle(8, 20, 5, 19, false), kInk);
            break;
        case 0x00B7: fill(p, bar(6, 6, 12, 12), kInk); break;  // STOP
        case 0x00CD:                                          // PLAY/PAUSE
            fill(p, triangle(2, 11, 6, 18, true), kInk);
            fill(p, bar(14, 6, 3, 12), kInk);
            fill(p, bar(19, 6, 3, 12), kInk);
            break;
        case 0x00E2:  // MUTE
            speaker(p);
            stroke(p, kRed, 2.2);
            p.drawLine(QPointF(15, 9), QPointF(21, 15));
            p.drawLine(QPointF(21, 9), QPointF(15, 15));
            break;
        case 0x00E9:  // VOL+
            speaker(p);
            stroke(p, kBlue, 2.2);
            p.drawLine(QPointF(15, 12), QPointF(22, 12));
            p.drawLine(QPointF(18.5, 8.5), QPointF(18.5, 15.5));
            break;
        case 0x00EA:  // VOL-
            speaker(p);
            stroke(p, kBlue, 2.2);
            p.drawLine(QPointF(15, 12), QPointF(22, 12));
            break;
        case 0x0183: {  // MEDIA LIB: a note
            p.setPen(Qt::NoPen);
            p.setBrush(kInk);
            p.drawEllipse(QPointF(8, 18), 3.5, 2.8);
            p.drawEllipse(QPointF(17, 16), 3.5, 2.8);
            stroke(p, kInk, 2);
            p.drawLine(QPointF(11, 18), QPointF(11, 5));
            p.drawLine(QPointF(20, 16), QPointF(20, 3));
            p.drawLine(QPointF(11, 5), QPointF(20, 3));
            break;
        }
        case 0x018A:  // EMAIL: an envelope
            stroke(p, kInk, 1.6);
            p.setBrush(kPaper);
            p.drawRect(QRectF(3, 6, 18, 12));
            p.drawLine(QPointF(3, 6), QPointF(12, 13));
            p.drawLine(QPointF(21, 6), QPointF(12, 13));
            break;
        case 0x0192:  // CALC
            stroke(p, kInk, 1.6);
            p.setBrush(kPaper);
            p.drawRoundedRect(QRectF(5, 2, 14, 20), 2, 2);
            p.setBrush(QColor(170, 200, 170));
            p.drawRect(QRectF(7.5, 4.5, 9, 4));
            p.setPen(Qt::NoPen);
            p.setBrush(kInk);
            for (int row = 0; row < 3; ++row)
                for (int col = 0; col < 3; ++col) p.drawRect(QRectF(7.5 + col * 3.4, 11 + row * 3.4, 2.2, 2.2));
            break;
        case 0x0194:  // MACHINE BROWSER: a monitor
            stroke(p, kInk, 1.6);
            p.setBrush(QColor(190, 215, 240));
            p.drawRect(QRectF(3, 4, 18, 12));
            p.drawLine(QPointF(12, 16), QPointF(12, 19));
            p.drawLine(QPointF(7, 20), QPointF(17, 20));
            break;
        case 0x0196:  // BROWSER: a globe
            stroke(p, kBlue, 1.6);
            p.setBrush(QColor(215, 232, 250));
            p.drawEllipse(QPointF(12, 12), 9, 9);
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(12, 12), 4, 9);
            p.drawLine(QPointF(3, 12), QPointF(21, 12));
            p.drawLine(QPointF(12, 3), QPointF(12, 21));
            break;
        case 0x0223: {  // HOME: a house
            QPainterPath roof;
            roof.moveTo(2, 12);
            roof.lineTo(12, 3);
            roof.lineTo(22, 12);
            roof.closeSubpath();
            fill(p, roof, kRed);
            fill(p, bar(5, 12, 14, 9), kInk);
            fill(p, bar(10, 15, 4, 6), kPaper);
            break;
        }
        case 0x0224: {  // BACK: an arrow to the left
            stroke(p, kInk, 3);
            p.drawLine(QPointF(7, 12), QPointF(21, 12));
            QPainterPath head = triangle(2, 10, 5, 19, false);
            fill(p, head, kInk);
            break;
        }
        default: break;
    }
}

bool known(std::uint16_t usage) {
    switch (usage) {
        case 0x00B0: case 0x00B1: case 0x00B2: case 0x00B3: case 0x00B4: case 0x00B5: case 0x00B6: case 0x00B7:
        case 0x00CD: case 0x00E2: case 0x00E9: case 0x00EA: case 0x0183: case 0x018A: case 0x0192: case 0x0194:
        case 0x0196: case 0x0223: case 0x0224:
            return true;
        default: return false;
    }
}

QPixmap picture(std::uint16_t usage, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(static_cast<double>(size) / kGrid, static_cast<double>(size) / kGrid);
    draw(p, usage);
    return pixmap;
}

}  // namespace

QIcon media_key_icon(std::uint16_t usage) {
    if (!known(usage)) return {};
    QIcon icon;
    for (const int size : {24, 48}) icon.addPixmap(picture(usage, size));
    return icon;
}

}  // namespace ztv
