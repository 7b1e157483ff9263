#pragma once

#include <QPixmap>

// The splash window's picture, painted so the program ships no artwork of anyone else's.
namespace SplashPicture {
QPixmap make(qreal devicePixelRatio);
}
