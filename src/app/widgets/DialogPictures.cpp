#include "app/widgets/DialogPictures.h"

#include "core/widgets/PaintedIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QWidget>

namespace DialogPictures {
namespace {

// Everything is drawn on PaintedIcon's 32 x 32 grid.
const QColor Outline(60, 60, 70);
const QColor WindowTitle(52, 101, 164);
const QColor WindowFace(245, 245, 245);
const QColor DosFace(24, 24, 24);
const QColor DosText(190, 190, 190);
const QColor PaperFace(252, 252, 246);
const QColor ArrowGreen(46, 139, 60);
const QColor StopRed(196, 40, 40);

void window(QPainter &p, const QRectF &r, const QColor &face)
{
    p.setBrush(face);
    p.drawRect(r);
    p.setBrush(WindowTitle);
    p.drawRect(QRectF(r.left(), r.top(), r.width(), 5));
}

void dosLines(QPainter &p, const QRectF &r)
{
    p.save();
    p.setPen(QPen(DosText, 1.5));
    for (qreal y = r.top() + 9; y < r.bottom() - 2; y += 4)
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.left() + 3 + (int(y) % 3 + 2) * 3, y));
    p.restore();
}

void returnArrow(QPainter &p)
{
    p.save();
    p.setPen(QPen(ArrowGreen, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath bend;
    bend.moveTo(29, 14);
    bend.lineTo(29, 22);
    bend.lineTo(19, 22);
    p.drawPath(bend);
    p.setPen(Qt::NoPen);
    p.setBrush(ArrowGreen);
    p.drawPolygon(QPolygonF({QPointF(15, 22), QPointF(21, 17), QPointF(21, 27)}));
    p.restore();
}

void paper(QPainter &p)
{
    QPainterPath sheet;
    sheet.moveTo(4, 3);
    sheet.lineTo(17, 3);
    sheet.lineTo(23, 9);
    sheet.lineTo(23, 29);
    sheet.lineTo(4, 29);
    sheet.closeSubpath();
    p.setBrush(PaperFace);
    p.drawPath(sheet);
    p.drawLine(QPointF(17, 3), QPointF(17, 9));
    p.drawLine(QPointF(17, 9), QPointF(23, 9));
}

void rtsFile(QPainter &p)
{
    paper(p);
    // A loudspeaker on the sheet.
    p.save();
    p.setBrush(Outline);
    p.drawPolygon(QPolygonF({QPointF(7, 14), QPointF(10, 14), QPointF(14, 10), QPointF(14, 24),
                             QPointF(10, 20), QPointF(7, 20)}));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(12, 12, 6, 10), -60 * 16, 120 * 16);
    p.restore();
    returnArrow(p);
}

void conFile(QPainter &p)
{
    paper(p);
    p.save();
    p.setPen(QPen(WindowTitle, 1.5));
    const qreal lengths[] = {10, 13, 7, 12, 9};
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(7, 12 + i * 3.5), QPointF(7 + lengths[i], 12 + i * 3.5));
    p.restore();
    returnArrow(p);
}

void launchWindow(QPainter &p)
{
    window(p, QRectF(2, 4, 22, 17), WindowFace);
    // Minimising towards the corner.
    p.save();
    p.setPen(QPen(ArrowGreen, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15, 15), QPointF(24, 24));
    p.setPen(Qt::NoPen);
    p.setBrush(ArrowGreen);
    p.drawPolygon(QPolygonF({QPointF(28, 28), QPointF(19, 27), QPointF(27, 19)}));
    p.restore();
    p.setBrush(WindowTitle);
    p.drawRect(QRectF(18, 29, 12, 2));
}

void hiddenWindow(QPainter &p)
{
    p.save();
    p.setPen(QPen(Outline, 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(2, 3, 24, 18));
    p.restore();
    // An eye with a bar through it.
    QPainterPath eye;
    eye.moveTo(9, 22);
    eye.quadTo(19, 12, 29, 22);
    eye.quadTo(19, 32, 9, 22);
    p.setBrush(PaperFace);
    p.drawPath(eye);
    p.setBrush(Outline);
    p.drawEllipse(QPointF(19, 22), 3, 3);
    p.save();
    p.setPen(QPen(StopRed, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 29), QPointF(28, 15));
    p.restore();
}

void closedWindow(QPainter &p)
{
    const QRectF r(2, 4, 24, 20);
    window(p, r, DosFace);
    dosLines(p, r);
    // A close cross.
    p.setBrush(StopRed);
    p.drawEllipse(QPointF(24, 24), 7, 7);
    p.save();
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(21, 21), QPointF(27, 27));
    p.drawLine(QPointF(27, 21), QPointF(21, 27));
    p.restore();
}

template <Picture P> void draw(QPainter &painter)
{
    painter.setPen(QPen(Outline, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (P) {
    case Picture::LaunchWindow: launchWindow(painter); break;
    case Picture::RtsFile: rtsFile(painter); break;
    case Picture::ConFile: conFile(painter); break;
    case Picture::HiddenWindow: hiddenWindow(painter); break;
    case Picture::ClosedWindow: closedWindow(painter); break;
    }
}

} // namespace

QIcon icon(Picture picture)
{
    static constexpr PaintedIcon::Painter painters[] = {
        draw<Picture::LaunchWindow>, draw<Picture::RtsFile>, draw<Picture::ConFile>,
        draw<Picture::HiddenWindow>, draw<Picture::ClosedWindow>,
    };
    return PaintedIcon::make(painters[int(picture)], QStringLiteral("dialog-%1").arg(int(picture)));
}

QPixmap pixmapFor(const QWidget *widget, Picture picture, int size)
{
    const qreal ratio = widget ? widget->devicePixelRatioF() : 1.0;
    return icon(picture).pixmap(QSize(size, size), ratio);
}

} // namespace DialogPictures
