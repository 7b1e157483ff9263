#include "launch/widgets/PanelHelpers.h"

#include "platform/linux/PaintedIcon.h"

#include <QComboBox>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadioButton>
#include <QSignalBlocker>

namespace PanelHelpers {

void fillList(QComboBox *list, const QStringList &items)
{
    const QSignalBlocker blocker(list);
    list->clear();
    list->addItems(items);
    list->setCurrentIndex(-1);
}

void selectIndex(QComboBox *list, int index)
{
    if (index < -1 || index >= list->count())
        return;
    if (list->currentIndex() != index)
        list->setCurrentIndex(index);
}

void selectThenDeselect(QRadioButton *option)
{
    option->setChecked(true);
    const bool exclusive = option->autoExclusive();
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(exclusive);
}

void focusAndSelect(QRadioButton *option)
{
    option->setChecked(true);
    option->setFocus(Qt::OtherFocusReason);
}

namespace {


// A written page crossed out in red: "clear these options".
void paintClear(QPainter &p)
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
void paintMap(QPainter &p)
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

} // namespace

QIcon clearOptionsIcon()
{
    static const QIcon icon = PaintedIcon::make(paintClear, QStringLiteral("launch-clear"));
    return icon;
}

QIcon openMapIcon()
{
    static const QIcon icon = PaintedIcon::make(paintMap, QStringLiteral("launch-map"));
    return icon;
}

} // namespace PanelHelpers
