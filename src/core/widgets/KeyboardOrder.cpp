#include "core/widgets/KeyboardOrder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolButton>
#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QRadioButton>
#include <QPointer>
#include <QWidget>

namespace KeyboardOrder {
namespace {

class ReturnPresses : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        auto *button = static_cast<QAbstractButton *>(watched);
        if (!button->isEnabled())
            return false;
        button->animateClick();
        return true;
    }
};

// The application's style, with a focus ring that can be seen on a picture button.
class FocusRingStyle : public QProxyStyle
{
public:
    FocusRingStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (element != PE_FrameFocusRect || !qobject_cast<const QToolButton *>(widget)) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(option->palette.color(QPalette::Highlight), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(QRectF(widget->rect()).adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);
        painter->restore();
    }
};

QStyle *focusRingStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new FocusRingStyle;
        style->setParent(qApp); // lives as long as the application
    }
    return style;
}

} // namespace

QList<QWidget *> tabStops(QWidget *root)
{
    // The whole window's chain: widgets built later under root sit at its end, not after root.
    QList<QWidget *> stops;
    QWidget *start = root->window();
    QWidget *w = start;
    do {
        if ((w == root || root->isAncestorOf(w)) && w->focusPolicy() & Qt::TabFocus && !w->focusProxy())
            stops << w;
        w = w->nextInFocusChain();
    } while (w != start);
    return stops;
}

void chain(const QList<QWidget *> &stops)
{
    QList<QWidget *> flat;
    for (QWidget *stop : stops) {
        const QList<QWidget *> inner = stop->focusPolicy() & Qt::TabFocus ? QList<QWidget *>{stop} : tabStops(stop);
        flat << inner;
    }
    for (qsizetype i = 1; i < flat.size(); ++i)
        QWidget::setTabOrder(flat[i - 1], flat[i]);
}

void pressButtonsOnReturn(QWidget *root)
{
    for (QAbstractButton *button : root->findChildren<QAbstractButton *>()) {
        // Check boxes and option buttons keep Space only, as everywhere.
        if (qobject_cast<QCheckBox *>(button) || qobject_cast<QRadioButton *>(button))
            continue;
        if (button->property("zentrelReturnPresses").toBool())
            continue;
        button->setProperty("zentrelReturnPresses", true);
        button->installEventFilter(new ReturnPresses(button));
    }
}

void clearFocusRings(QWidget *root)
{
    for (QToolButton *button : root->findChildren<QToolButton *>())
        if (button->focusPolicy() & Qt::TabFocus && button->style() != focusRingStyle())
            button->setStyle(focusRingStyle());
}

} // namespace KeyboardOrder
