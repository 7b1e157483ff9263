#include "app/widgets/SplashPicture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace SplashPicture {

QPixmap make(qreal dpr)
{
    const QSize size(360, 120);
    QPixmap pixmap(size * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);

    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(40, 20, 10));
    sky.setColorAt(1, QColor(170, 60, 20));
    QPainterPath frame;
    frame.addRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 10, 10);
    p.fillPath(frame, sky);

    // A city skyline along the bottom.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 10, 5));
    const int heights[] = {30, 50, 38, 62, 44, 70, 36, 54, 28, 46, 60, 34};
    const int w = size.width() / int(std::size(heights));
    for (int i = 0; i < int(std::size(heights)); ++i)
        p.drawRect(i * w, size.height() - heights[i], w - 3, heights[i]);

    QFont title(QStringLiteral("DejaVu Sans"), 34, QFont::Black);
    p.setFont(title);
    p.setPen(QColor(255, 210, 60));
    p.drawText(QRect(0, 8, size.width(), 64), Qt::AlignCenter, QStringLiteral("ZENTREL"));
    return pixmap;
}

} // namespace SplashPicture
