#include "control/FormIcons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <functional>

namespace qvtrnsfr::FormIcons {

namespace {

constexpr int Size = 16;

QIcon draw(const std::function<void(QPainter &, const QColor &)> &paint)
{
    QIcon icon;
    const struct {
        QIcon::Mode mode;
        QPalette::ColorGroup group;
    } states[] = {{QIcon::Normal, QPalette::Active}, {QIcon::Disabled, QPalette::Disabled}};
    for (const auto &state : states) {
        for (int scale : {1, 2}) {
            QPixmap pixmap(Size * scale, Size * scale);
            pixmap.setDevicePixelRatio(scale);
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            painter.setRenderHint(QPainter::Antialiasing);
            paint(painter, QApplication::palette().color(state.group, QPalette::ButtonText));
            painter.end();
            icon.addPixmap(pixmap, state.mode);
        }
    }
    return icon;
}

} // namespace

QIcon pickList()
{
    return draw([](QPainter &p, const QColor &ink) {
        p.setPen(QPen(ink, 1.2));
        for (int y : {3, 6, 9})
            p.drawLine(QPointF(1.5, y), QPointF(7.5, y));
        p.setPen(QPen(ink, 1.6));
        p.drawEllipse(QPointF(9.5, 8.5), 3.5, 3.5);
        p.drawLine(QPointF(12, 11), QPointF(15, 14.5));
    });
}

QIcon requisitions()
{
    return draw([](QPainter &p, const QColor &ink) {
        p.setPen(QPen(ink, 1.3));
        p.drawRoundedRect(QRectF(2.5, 2.5, 11, 12.5), 1.5, 1.5);
        p.fillRect(QRectF(5.5, 1, 5, 3), ink);
        for (int y : {7, 10, 13})
            p.drawLine(QPointF(5, y - 0.5), QPointF(11, y - 0.5));
    });
}

QIcon importLines()
{
    return draw([](QPainter &p, const QColor &ink) {
        p.setPen(QPen(ink, 1.6));
        p.drawLine(QPointF(8, 1.5), QPointF(8, 10));
        QPainterPath head;
        head.moveTo(4.5, 7);
        head.lineTo(8, 10.5);
        head.lineTo(11.5, 7);
        p.drawPath(head);
        p.drawPolyline(QPolygonF({QPointF(2, 10), QPointF(2, 14.5), QPointF(14, 14.5), QPointF(14, 10)}));
    });
}

QIcon newVoucher()
{
    return draw([](QPainter &p, const QColor &ink) {
        p.setPen(QPen(ink, 1.3));
        p.drawPolygon(QPolygonF(
            {QPointF(3, 1.5), QPointF(9.5, 1.5), QPointF(13, 5), QPointF(13, 14.5), QPointF(3, 14.5)}));
        p.setPen(QPen(ink, 1.6));
        p.drawLine(QPointF(8, 7), QPointF(8, 12.5));
        p.drawLine(QPointF(5.25, 9.75), QPointF(10.75, 9.75));
    });
}

} // namespace qvtrnsfr::FormIcons
