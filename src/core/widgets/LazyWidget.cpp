#include "core/widgets/LazyWidget.h"

#include <QVBoxLayout>

LazyWidget::LazyWidget(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void LazyWidget::ensureBuilt() const
{
    if (m_built)
        return;
    auto *self = const_cast<LazyWidget *>(this);
    self->m_built = true;
    self->m_contents = new QWidget(self);
    self->build();
    self->layout()->addWidget(m_contents);
    emit self->built();
}

// Built before the page first shows, so its widgets show with it.
void LazyWidget::setVisible(bool visible)
{
    if (visible)
        ensureBuilt();
    QWidget::setVisible(visible);
}

void LazyWidget::showEvent(QShowEvent *event)
{
    ensureBuilt(); // a page shown along with its parent may not pass through setVisible
    QWidget::showEvent(event);
}

QSize LazyWidget::sizeHint() const
{
    return m_built ? QWidget::sizeHint() : reservedSize();
}

QSize LazyWidget::minimumSizeHint() const
{
    return m_built ? QWidget::minimumSizeHint() : reservedMinimumSize();
}
