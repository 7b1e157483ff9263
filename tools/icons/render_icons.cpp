// Renders the program's picture into the hicolor icon theme's sizes for installing:
// render_icons <output dir> <icon name> writes <output dir>/<n>x<n>/apps/<icon name>.png.
#include "core/widgets/IconFactory.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: render_icons <output dir> <icon name>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    const QIcon icon = IconFactory::icon(IconFactory::Picture::Program);
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(out).arg(size);
        QDir().mkpath(dir);
        QPixmap pixmap = icon.pixmap(QSize(size, size));
        if (pixmap.size() != QSize(size, size))
            pixmap = pixmap.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (!pixmap.save(QStringLiteral("%1/%2.png").arg(dir, name))) {
            std::fprintf(stderr, "render_icons: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
