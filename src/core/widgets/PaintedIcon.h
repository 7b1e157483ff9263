#pragma once

#include <QIcon>
#include <QString>

class QPainter;

// An icon drawn by a function on a 32 x 32 grid, painted only when a size is first asked for
// (start-up then pays only for the icons on show) and cached per size, scale and mode.
namespace PaintedIcon {

using Painter = void (*)(QPainter &);

// cacheId names the picture in the pixmap cache; it must be unique per painter.
QIcon make(Painter paint, const QString &cacheId);

} // namespace PaintedIcon
