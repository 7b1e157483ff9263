#include "help/widgets/HelpViewer.h"

#include "core/widgets/DialogPlacement.h"
#include "help/HelpFiles.h"

#include <QAction>
#include <QDir>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {
QToolButton *toolButton(QWidget *parent, const char *name, QStyle::StandardPixmap icon, const QString &text,
                        const QKeySequence &key)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setText(text);
    button->setToolTip(key.isEmpty() ? text : QStringLiteral("%1 (%2)").arg(text, key.toString(QKeySequence::NativeText)));
    button->setAccessibleName(text);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    if (!key.isEmpty())
        button->setShortcut(key);
    return button;
}
} // namespace

HelpViewer::HelpViewer(const QString &helpDirectory, QWidget *parent)
    : QWidget(parent, Qt::Window), m_dir(helpDirectory), m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Zentrel Help"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    m_back = toolButton(this, "cmdHelpBack", QStyle::SP_ArrowBack, tr("Back"), QKeySequence(QKeySequence::Back));
    m_forward = toolButton(this, "cmdHelpForward", QStyle::SP_ArrowForward, tr("Forward"),
                           QKeySequence(QKeySequence::Forward));
    m_home = toolButton(this, "cmdHelpHome", QStyle::SP_DirHomeIcon, tr("Contents"), QKeySequence(Qt::ALT | Qt::Key_Home));
    m_find = new QLineEdit(this);
    m_find->setObjectName(QStringLiteral("txtHelpFind"));
    m_find->setPlaceholderText(tr("Find"));
    m_find->setAccessibleName(tr("Find in the page"));
    m_find->setClearButtonEnabled(true);
    auto *findLabel = new QLabel(tr("&Find:"), this);
    findLabel->setBuddy(m_find);
    auto *findNextButton = toolButton(this, "cmdHelpFindNext", QStyle::SP_ArrowDown, tr("Next"), QKeySequence(QKeySequence::FindNext));

    auto *focusFind = new QAction(this);
    focusFind->setShortcut(QKeySequence::Find);
    connect(focusFind, &QAction::triggered, this, [this] {
        m_find->setFocus();
        m_find->selectAll();
    });
    addAction(focusFind);
    auto *closeAction = new QAction(this);
    closeAction->setShortcut(Qt::Key_Escape);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);
    addAction(closeAction);

    auto *bar = new QHBoxLayout;
    bar->addWidget(m_back);
    bar->addWidget(m_forward);
    bar->addWidget(m_home);
    bar->addStretch(1);
    bar->addWidget(findLabel);
    bar->addWidget(m_find);
    bar->addWidget(findNextButton);

    m_browser->setObjectName(QStringLiteral("txtHelp"));
    m_browser->setAccessibleName(tr("Help page"));
    m_browser->setSearchPaths({m_dir});
    m_browser->setOpenExternalLinks(true);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_browser, 1);

    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_home, &QToolButton::clicked, this, [this] { showPage(HelpFiles::EntryPage); });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_browser->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Zentrel Help") : title);
    });
    connect(m_find, &QLineEdit::returnPressed, this, [this] { findNext(m_find->text()); });
    connect(findNextButton, &QToolButton::clicked, this, [this] { findNext(m_find->text()); });

    resize(fontMetrics().averageCharWidth() * 90, fontMetrics().height() * 36);
    centreOnScreen(this);
}

void HelpViewer::showPage(const QString &page)
{
    const qsizetype hash = page.indexOf(QLatin1Char('#'));
    QUrl url = QUrl::fromLocalFile(QDir(m_dir).filePath(hash < 0 ? page : page.left(hash)));
    if (hash >= 0)
        url.setFragment(page.mid(hash + 1));
    m_browser->setSource(url);
}

QString HelpViewer::currentPage() const
{
    const QUrl source = m_browser->source();
    QString page = QDir(m_dir).relativeFilePath(source.toLocalFile());
    if (source.hasFragment())
        page += QLatin1Char('#') + source.fragment();
    return page;
}

bool HelpViewer::findNext(const QString &text)
{
    if (text.isEmpty())
        return false;
    if (m_browser->find(text))
        return true;
    // From the top again.
    QTextCursor top = m_browser->textCursor();
    top.movePosition(QTextCursor::Start);
    m_browser->setTextCursor(top);
    return m_browser->find(text);
}
