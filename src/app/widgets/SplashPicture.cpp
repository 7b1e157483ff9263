#include "app/widgets/SplashPicture.h"

#include <QFont>
#include <QFontMetrics>
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

    QFont title(QStringLiteral("DejaVu Sans"), 34, QFont::Black);
    title.setPixelSize(44);
    const QRect titleBox(0, 6, size.width(), 56);
    const int titleBottom = titleBox.top() + (titleBox.height() + QFontMetrics(title).ascent()) / 2 + 4;

    // A city skyline along the bottom, inside the rounded frame and below the name.
    p.save();
    p.setClipPath(frame);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 10, 5));
    const int heights[] = {22, 38, 28, 46, 32, 52, 26, 40, 20, 34, 44, 24};
    const int tallest = size.height() - titleBottom;
    const int w = size.width() / int(std::size(heights));
    for (int i = 0; i < int(std::size(heights)); ++i) {
        const int h = qMin(heights[i], tallest);
        p.drawRect(i * w + 2, size.height() - h, w - 3, h);
    }
    p.restore();

    p.setFont(title);
    p.setPen(QColor(255, 210, 60));
    p.drawText(titleBox, Qt::AlignCenter, QStringLiteral("ZENTREL"));
    return pixmap;
}

} // namespace SplashPicture
