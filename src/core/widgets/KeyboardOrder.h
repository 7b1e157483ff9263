#pragma once

#include <QList>

class QWidget;

// Keyboard helpers the windows share.
namespace KeyboardOrder {

// The controls under root that Tab reaches, in their present focus-chain order.
QList<QWidget *> tabStops(QWidget *root);

// Makes Tab visit the widgets in this order (Shift+Tab the reverse); each entry may be a page,
// whose own order is kept.
void chain(const QList<QWidget *> &stops);

// Return and Enter press a focused push or tool button under root, as Space does.
void pressButtonsOnReturn(QWidget *root);

// The picture buttons under root show their keyboard focus with a clear ring in the highlight
// colour, not the style's faint one.
void clearFocusRings(QWidget *root);

} // namespace KeyboardOrder
