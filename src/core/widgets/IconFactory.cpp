#include "core/widgets/IconFactory.h"

#include "core/widgets/PaintedIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

namespace IconFactory {
namespace {

// Every picture is drawn on a 32 x 32 grid (PaintedIcon scales the painter to the size asked for).

const QColor Outline(40, 40, 48);

QPen outlinePen(qreal width = 1.6)
{
    return QPen(Outline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawProgram(QPainter &p)
{
    QRadialGradient badge(QPointF(12, 10), 22);
    badge.setColorAt(0, QColor(90, 90, 96));
    badge.setColorAt(1, QColor(28, 28, 32));
    p.setPen(QPen(QColor(15, 15, 18), 1.2));
    p.setBrush(badge);
    p.drawEllipse(QRectF(1.5, 1.5, 29, 29));

    // Three yellow blades around a hub: a radiation sign.
    const QPointF c(16, 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 200, 30));
    for (int i = 0; i < 3; ++i) {
        QPainterPath blade;
        const qreal start = 90 + i * 120 - 30;
        blade.arcMoveTo(QRectF(c.x() - 12, c.y() - 12, 24, 24), start);
        blade.arcTo(QRectF(c.x() - 12, c.y() - 12, 24, 24), start, 60);
        blade.arcTo(QRectF(c.x() - 4.5, c.y() - 4.5, 9, 9), start + 60, -60);
        blade.closeSubpath();
        p.drawPath(blade);
    }
    p.drawEllipse(c, 2.6, 2.6);
}

void drawLaunch(QPainter &p)
{
    QLinearGradient fill(QPointF(6, 4), QPointF(26, 28));
    fill.setColorAt(0, QColor(120, 220, 110));
    fill.setColorAt(1, QColor(30, 140, 40));
    p.setPen(outlinePen());
    p.setBrush(fill);
    const QPointF tri[] = {QPointF(8, 4.5), QPointF(27, 16), QPointF(8, 27.5)};
    p.drawPolygon(tri, 3);
}

void drawClear(QPainter &p)
{
    // A tilted eraser: pink body, blue sleeve, and a line it has rubbed out.
    p.setPen(QPen(QColor(150, 150, 160), 1.4, Qt::DashLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 28), QPointF(28, 28));
    p.translate(16, 15);
    p.rotate(-35);
    p.setPen(outlinePen());
    p.setBrush(QColor(240, 130, 150));
    p.drawRoundedRect(QRectF(-12, -6, 12, 12), 2, 2);
    p.setBrush(QColor(70, 120, 210));
    p.drawRoundedRect(QRectF(0, -6, 12, 12), 2, 2);
}

void drawTimer(QPainter &p)
{
    p.setPen(outlinePen());
    p.setBrush(QColor(200, 60, 50));
    p.drawRoundedRect(QRectF(13, 1.5, 6, 4), 1, 1);
    p.setBrush(QColor(250, 250, 245));
    p.setPen(QPen(Outline, 2.2));
    p.drawEllipse(QPointF(16, 18), 12, 12);
    p.setPen(outlinePen(1.2));
    for (int i = 0; i < 12; ++i) {
        const qreal a = qDegreesToRadians(i * 30.0);
        const qreal inner = (i % 3 == 0) ? 8.0 : 9.5;
        p.drawLine(QPointF(16 + inner * qSin(a), 18 - inner * qCos(a)),
                   QPointF(16 + 10.5 * qSin(a), 18 - 10.5 * qCos(a)));
    }
    p.setPen(outlinePen(2.0));
    p.drawLine(QPointF(16, 18), QPointF(16, 11));
    p.setPen(QPen(QColor(200, 60, 50), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 18), QPointF(21.5, 21));
}

void drawFolderBack(QPainter &p)
{
    p.setPen(outlinePen(1.3));
    p.setBrush(QColor(215, 165, 60));
    QPainterPath back;
    back.moveTo(2.5, 7);
    back.lineTo(11, 7);
    back.lineTo(13.5, 9.5);
    back.lineTo(27, 9.5);
    back.lineTo(27, 27);
    back.lineTo(2.5, 27);
    back.closeSubpath();
    p.drawPath(back);
}

void drawFolderFront(QPainter &p)
{
    QLinearGradient front(QPointF(0, 13), QPointF(0, 27));
    front.setColorAt(0, QColor(255, 220, 120));
    front.setColorAt(1, QColor(235, 180, 70));
    p.setPen(outlinePen(1.3));
    p.setBrush(front);
    const QPointF flap[] = {QPointF(6.5, 13.5), QPointF(30, 13.5), QPointF(27, 27), QPointF(2.5, 27)};
    p.drawPolygon(flap, 4);
}

void drawFolder(QPainter &p)
{
    drawFolderBack(p);
    drawFolderFront(p);
}

void drawDocument(QPainter &p, const QRectF &r)
{
    const qreal fold = r.width() * 0.3;
    QPainterPath page;
    page.moveTo(r.topLeft());
    page.lineTo(r.right() - fold, r.top());
    page.lineTo(r.right(), r.top() + fold);
    page.lineTo(r.bottomRight());
    page.lineTo(r.bottomLeft());
    page.closeSubpath();
    p.setPen(outlinePen(1.3));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.setPen(QPen(QColor(120, 140, 190), 1.1));
    for (qreal y = r.top() + fold + 2; y < r.bottom() - 2; y += 3)
        p.drawLine(QPointF(r.left() + 2.5, y), QPointF(r.right() - 2.5, y));
}

void drawOpen(QPainter &p)
{
    drawFolderBack(p);
    drawDocument(p, QRectF(8, 3, 14, 17));
    drawFolderFront(p);
}

void drawSave(QPainter &p)
{
    p.setPen(outlinePen());
    p.setBrush(QColor(50, 90, 170));
    QPainterPath disk;
    disk.moveTo(3, 3);
    disk.lineTo(25, 3);
    disk.lineTo(29, 7);
    disk.lineTo(29, 29);
    disk.lineTo(3, 29);
    disk.closeSubpath();
    p.drawPath(disk);
    p.setBrush(QColor(220, 220, 225));
    p.drawRect(QRectF(9, 3, 13, 9));
    p.setBrush(QColor(50, 90, 170));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(17, 4.5, 3, 6));
    p.setPen(outlinePen(1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 16, 18, 13));
}

void drawStar(QPainter &p, const QPointF &c, qreal outer, qreal inner)
{
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const qreal a = qDegreesToRadians(-90.0 + i * 36.0);
        const qreal r = (i % 2 == 0) ? outer : inner;
        star << QPointF(c.x() + r * qCos(a), c.y() + r * qSin(a));
    }
    p.setPen(outlinePen(1.1));
    p.setBrush(QColor(250, 200, 30));
    p.drawPolygon(star);
}

void drawDefault(QPainter &p)
{
    drawDocument(p, QRectF(4, 2, 19, 26));
    drawStar(p, QPointF(22, 22), 8.5, 3.8);
}

void drawRevert(QPainter &p)
{
    // An arrow swinging back counter-clockwise: undo.
    QPainterPath arc;
    arc.arcMoveTo(QRectF(6, 6, 21, 21), 160);
    arc.arcTo(QRectF(6, 6, 21, 21), 160, -250);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 110, 190), 4.0, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(arc);
    p.setPen(outlinePen(1.1));
    p.setBrush(QColor(40, 110, 190));
    const QPointF head[] = {QPointF(1, 14), QPointF(12, 14), QPointF(6.5, 22)};
    p.drawPolygon(head, 3);
}

// A written page crossed out in red: "clear these options".
void drawClearPanel(QPainter &p)
{
    QPainterPath page;
    page.moveTo(6, 3);
    page.lineTo(20, 3);
    page.lineTo(26, 9);
    page.lineTo(26, 29);
    page.lineTo(6, 29);
    page.closeSubpath();
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    p.setBrush(QColor(250, 250, 245));
    p.drawPath(page);
    p.drawLine(QPointF(20, 3), QPointF(20, 9));
    p.drawLine(QPointF(20, 9), QPointF(26, 9));
    p.setPen(QPen(QColor(140, 160, 200), 1.5));
    for (int y = 13; y <= 25; y += 4)
        p.drawLine(QPointF(10, y), QPointF(22, y));
    p.setPen(QPen(QColor(200, 30, 30), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 12), QPointF(23, 26));
    p.drawLine(QPointF(23, 12), QPointF(9, 26));
}

// A folded map with a dotted route: "choose a user map".
void drawMap(QPainter &p)
{
    const QPointF folds[] = {{3, 7}, {11, 4}, {21, 7}, {29, 4}, {29, 25}, {21, 28}, {11, 25}, {3, 28}};
    const QColor panels[] = {QColor(120, 180, 110), QColor(225, 205, 150), QColor(120, 180, 110)};
    p.setPen(QPen(QColor(70, 70, 50), 1.2));
    for (int i = 0; i < 3; ++i) {
        const QPointF quad[] = {folds[i], folds[i + 1], folds[6 - i], folds[7 - i]};
        p.setBrush(panels[i]);
        p.drawPolygon(quad, 4);
    }
    p.setPen(QPen(QColor(190, 20, 20), 2.2, Qt::DotLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath route;
    route.moveTo(6, 22);
    route.cubicTo(12, 12, 18, 24, 25, 11);
    p.drawPath(route);
    p.setPen(QPen(QColor(190, 20, 20), 2.5));
    p.drawLine(QPointF(23, 9), QPointF(27, 13));
    p.drawLine(QPointF(27, 9), QPointF(23, 13));
}

void drawRandomize(QPainter &p)
{
    p.setPen(outlinePen());
    p.setBrush(QColor(250, 250, 245));
    p.drawRoundedRect(QRectF(3.5, 3.5, 25, 25), 5, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 40, 40));
    for (const QPointF &pip : {QPointF(10, 10), QPointF(22, 10), QPointF(16, 16), QPointF(10, 22), QPointF(22, 22)})
        p.drawEllipse(pip, 2.6, 2.6);
}

void draw(QPainter &p, Picture picture)
{
    switch (picture) {
    case Picture::Program: drawProgram(p); break;
    case Picture::Launch: drawLaunch(p); break;
    case Picture::Clear: drawClear(p); break;
    case Picture::Timer: drawTimer(p); break;
    case Picture::Folder: drawFolder(p); break;
    case Picture::Open: drawOpen(p); break;
    case Picture::Save: drawSave(p); break;
    case Picture::Default: drawDefault(p); break;
    case Picture::Revert: drawRevert(p); break;
    case Picture::Randomize: drawRandomize(p); break;
    case Picture::ClearPanel: drawClearPanel(p); break;
    case Picture::Map: drawMap(p); break;
    }
}

} // namespace

namespace {
template <Picture P> void drawPicture(QPainter &p)
{
    draw(p, P);
}
} // namespace

QIcon icon(Picture picture)
{
    static constexpr PaintedIcon::Painter painters[] = {
        drawPicture<Picture::Program>, drawPicture<Picture::Launch>, drawPicture<Picture::Clear>,
        drawPicture<Picture::Timer>,   drawPicture<Picture::Folder>, drawPicture<Picture::Open>,
        drawPicture<Picture::Save>,    drawPicture<Picture::Default>, drawPicture<Picture::Revert>,
        drawPicture<Picture::Randomize>, drawPicture<Picture::ClearPanel>, drawPicture<Picture::Map>,
    };
    return PaintedIcon::make(painters[int(picture)], QStringLiteral("zentrel-%1").arg(int(picture)));
}

} // namespace IconFactory
