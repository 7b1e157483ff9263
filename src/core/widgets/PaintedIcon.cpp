#include "core/widgets/PaintedIcon.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>

namespace PaintedIcon {
namespace {

constexpr qreal Grid = 32.0;

class Engine : public QIconEngine
{
public:
    Engine(Painter paint, const QString &id) : paintPicture(paint), id(id) {}

    QIconEngine *clone() const override { return new Engine(paintPicture, id); }
    QString key() const override { return QStringLiteral("ZentrelPainted"); }
    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return size; }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        // What a window's icon is handed to the window system at (each size is painted at once):
        // title bars, task bars and switchers use these and scale them for other sizes. Any
        // other size is still painted when asked for.
        return {QSize(16, 16), QSize(32, 32), QSize(48, 48)};
    }
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, dpr));
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        const QSize pixels = size * scale;
        const QString cacheKey = QStringLiteral("zentrel-icon-%1-%2x%3-%4")
                                     .arg(id)
                                     .arg(pixels.width())
                                     .arg(pixels.height())
                                     .arg(int(mode));
        QPixmap pixmap;
        if (!QPixmapCache::find(cacheKey, &pixmap)) {
            pixmap = QPixmap(pixels);
            pixmap.fill(Qt::transparent);
            QPainter p(&pixmap);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(pixels.width() / Grid, pixels.height() / Grid);
            paintPicture(p);
            p.end();
            if (mode == QIcon::Disabled) {
                QStyleOption option;
                option.palette = QApplication::palette();
                pixmap = QApplication::style()->generatedIconPixmap(QIcon::Disabled, pixmap, &option);
            }
            QPixmapCache::insert(cacheKey, pixmap);
        }
        pixmap.setDevicePixelRatio(scale);
        return pixmap;
    }

private:
    Painter paintPicture;
    QString id;
};

} // namespace

QIcon make(Painter paint, const QString &cacheId)
{
    return QIcon(new Engine(paint, cacheId));
}

} // namespace PaintedIcon
