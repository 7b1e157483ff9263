#include "app/widgets/AccessibleNames.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

namespace AccessibleNames {
namespace {

QString plain(QString caption)
{
    // "&&" stands for one "&"; a single "&" only marks the shortcut letter.
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        out += caption[i];
    }
    caption = out;
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
