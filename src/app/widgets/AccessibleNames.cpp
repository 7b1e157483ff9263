#include "app/widgets/AccessibleNames.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>

namespace AccessibleNames {
namespace {

QString plain(QString caption)
{
    caption.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1"));
    caption = caption.trimmed();
    if (caption.endsWith(QLatin1Char(':')))
        caption.chop(1);
    return caption.trimmed();
}

} // namespace

void fill(QWidget *root)
{
    for (QLabel *label : root->findChildren<QLabel *>()) {
        QWidget *buddy = label->buddy();
        if (buddy && buddy->accessibleName().isEmpty())
            buddy->setAccessibleName(plain(label->text()));
    }
    for (QAbstractButton *button : root->findChildren<QAbstractButton *>()) {
        if (!button->accessibleName().isEmpty())
            continue;
        const QString caption = plain(button->text());
        button->setAccessibleName(caption.isEmpty() ? button->toolTip() : caption);
    }
    for (QGroupBox *frame : root->findChildren<QGroupBox *>())
        if (frame->accessibleName().isEmpty())
            frame->setAccessibleName(plain(frame->title()));
}

} // namespace AccessibleNames
