#include "widgets/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ztv {
namespace {

constexpr int kSize = 32;

const QColor kInk(40, 60, 90);
const QColor kBlue(40, 110, 200);
const QColor kGreen(40, 150, 70);
const QColor kRed(200, 60, 50);
const QColor kPaper(250, 250, 245);
const QColor kFolder(230, 180, 70);

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
    p.setPen(QPen(colour, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const double len = std::hypot(d.x(), d.y());
    if (len <= 0) return;
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    QPainterPath head;
    head.moveTo(to + u * 3.0);
    head.lineTo(to - u * 6.0 + n * 6.0);
    head.lineTo(to - u * 6.0 - n * 6.0);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(head);
}

// The controller: a small box with pins.
void device(QPainter& p, QRectF r) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(70, 80, 95));
    p.drawRoundedRect(r, 2, 2);
    p.setPen(QPen(QColor(200, 200, 200), 1.5));
    for (double x = r.left() + 3; x < r.right() - 1; x += 4) {
        p.drawLine(QPointF(x, r.top() - 2), QPointF(x, r.top()));
        p.drawLine(QPointF(x, r.bottom()), QPointF(x, r.bottom() + 2));
    }
}

void page(QPainter& p, QRectF r) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kPaper);
    p.drawRect(r);
    p.setPen(QPen(QColor(150, 160, 170), 1.2));
    for (double y = r.top() + 5; y < r.bottom() - 2; y += 4) p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
}

void draw(QPainter& p, ToolIcon icon) {
    switch (icon) {
        case ToolIcon::UpdateDevice:
            device(p, QRectF(5, 17, 22, 11));
            arrow(p, QPointF(16, 15), QPointF(16, 4), kGreen);
            break;
        case ToolIcon::ReadConfig: {
            p.setPen(QPen(kInk, 1.5));
            p.setBrush(kFolder.darker(115));
            p.drawRect(QRectF(3, 9, 24, 18));
            p.setBrush(kFolder);
            QPainterPath flap;
            flap.moveTo(7, 14);
            flap.lineTo(30, 14);
            flap.lineTo(26, 27);
            flap.lineTo(3, 27);
            flap.closeSubpath();
            p.drawPath(flap);
            arrow(p, QPointF(16, 11), QPointF(16, 3), kBlue);
            break;
        }
        case ToolIcon::WriteConfig:
            p.setPen(QPen(kInk, 1.5));
            p.setBrush(kBlue);
            p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
            p.setBrush(kPaper);
            p.drawRect(QRectF(9, 4, 14, 9));
            p.setBrush(QColor(220, 225, 235));
            p.drawRect(QRectF(8, 17, 16, 11));
            break;
        case ToolIcon::ReadDevice:
            device(p, QRectF(3, 6, 12, 20));
            page(p, QRectF(20, 6, 10, 20));
            arrow(p, QPointF(10, 16), QPointF(25, 16), kGreen);
            break;
        case ToolIcon::WriteDevice:
            device(p, QRectF(17, 6, 12, 20));
            page(p, QRectF(2, 6, 10, 20));
            arrow(p, QPointF(7, 16), QPointF(22, 16), kRed);
            break;
        case ToolIcon::ToDefault: {
            // A factory: the configuration goes back to what it was when the unit left it.
            // Kept apart from "Reset device" (a red power sign), which only restarts it.
            QPainterPath works;
            works.moveTo(3, 28);
            works.lineTo(3, 15);
            works.lineTo(10, 10);
            works.lineTo(10, 15);
            works.lineTo(17, 10);
            works.lineTo(17, 15);
            works.lineTo(22, 11);
            works.lineTo(22, 4);
            works.lineTo(27, 4);
            works.lineTo(27, 28);
            works.closeSubpath();
            p.setPen(QPen(kInk, 1.5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            p.setBrush(kBlue);
            p.drawPath(works);
            p.setPen(Qt::NoPen);
            p.setBrush(kPaper);
            for (const double x : {6.0, 12.0, 18.0}) p.drawRect(QRectF(x, 19, 3.5, 3.5));
            p.setBrush(QColor(200, 200, 200));
            p.drawEllipse(QRectF(23, 0, 4, 3));
            break;
        }
        case ToolIcon::Reset:
            p.setPen(QPen(kRed, 3.5, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(6, 7, 20, 20), 125 * 16, -250 * 16);
            p.drawLine(QPointF(16, 4), QPointF(16, 16));
            break;
        case ToolIcon::OnlyUsed: {
            QPainterPath funnel;
            funnel.moveTo(4, 6);
            funnel.lineTo(28, 6);
            funnel.lineTo(19, 17);
            funnel.lineTo(19, 27);
            funnel.lineTo(13, 24);
            funnel.lineTo(13, 17);
            funnel.closeSubpath();
            p.setPen(QPen(kInk, 1.5));
            p.setBrush(QColor(120, 170, 220));
            p.drawPath(funnel);
            break;
        }
        case ToolIcon::KeysSetup:
            p.setPen(QPen(kInk, 3));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(4, 4, 24, 24));
            p.drawLine(QPointF(5, 15), QPointF(27, 15));
            p.drawLine(QPointF(16, 15), QPointF(16, 27));
            p.setBrush(kRed);
            p.setPen(Qt::NoPen);
            p.drawEllipse(QRectF(13, 12, 6, 6));
            break;
        case ToolIcon::TouchSetup:
            p.setPen(QPen(kInk, 1.5));
            p.setBrush(QColor(210, 230, 250));
            p.drawRect(QRectF(3, 5, 26, 20));
            p.setPen(QPen(kRed, 2));
            for (const QPointF c : {QPointF(7, 9), QPointF(25, 9), QPointF(7, 21), QPointF(25, 21)}) {
                p.drawLine(c - QPointF(3, 0), c + QPointF(3, 0));
                p.drawLine(c - QPointF(0, 3), c + QPointF(0, 3));
            }
            break;
        case ToolIcon::Menu:
            p.setPen(QPen(kInk, 3.5, Qt::SolidLine, Qt::RoundCap));
            for (const double y : {9.0, 16.0, 23.0}) p.drawLine(QPointF(7, y), QPointF(25, y));
            break;
        case ToolIcon::Program:
            device(p, QRectF(4, 8, 24, 16));
            p.setPen(QPen(QColor(120, 220, 120), 2));
            p.drawText(QRectF(4, 8, 24, 16), Qt::AlignCenter, QStringLiteral("V4"));
            break;
    }
}

}  // namespace

QIcon tool_icon(ToolIcon icon) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, icon);
    painter.end();
    return QIcon(pixmap);
}

}  // namespace ztv
