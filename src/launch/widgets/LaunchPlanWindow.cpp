#include "launch/widgets/LaunchPlanWindow.h"

#include "core/widgets/DialogPlacement.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

LaunchPlanWindow::LaunchPlanWindow(const QString &plan, QWidget *parent)
    : QDialog(parent), m_text(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("frmLaunchPlan"));
    setWindowTitle(QStringLiteral("Launch Plan"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    if (parent)
        setWindowIcon(parent->windowIcon());

    auto *intro = new QLabel(tr("What Launch would do with the options as they are now. Nothing has been "
                                "started or written."),
                             this);
    intro->setWordWrap(true);
    m_text->setObjectName(QStringLiteral("txtPlan"));
    m_text->setReadOnly(true);
    m_text->setAccessibleName(tr("Launch plan"));
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->setPlainText(plan);
    intro->setBuddy(m_text);

    auto *copy = new QPushButton(tr("&Copy"), this);
    copy->setObjectName(QStringLiteral("cmdPlanCopy"));
    copy->setToolTip(tr("Copy the plan to the clipboard"));
    auto *close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("cmdPlanClose"));
    close->setDefault(true);
    connect(copy, &QPushButton::clicked, this, &LaunchPlanWindow::cmdPlanCopy_Click);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(copy);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);

    const QFontMetrics metrics(m_text->font());
    resize(metrics.averageCharWidth() * 100, metrics.height() * 30);
    centreOnScreen(this);
}

void LaunchPlanWindow::cmdPlanCopy_Click()
{
    QGuiApplication::clipboard()->setText(m_text->toPlainText());
}
