#include "coneditor/widgets/RandomizerChanges.h"

#include "core/widgets/DialogPlacement.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

RandomizerChanges::RandomizerChanges(const QString &summary, const QString &table, QWidget *parent)
    : QDialog(parent), m_text(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("frmRandChanges"));
    setWindowTitle(QStringLiteral("Randomizer Changes"));
    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(summary + QStringLiteral(". \"Clear All Changes Since Last Save\" undoes them."), this);
    heading->setWordWrap(true);
    layout->addWidget(heading);
    m_text->setObjectName(QStringLiteral("txtRandChanges"));
    m_text->setAccessibleName(QStringLiteral("Changes of the last randomizer run"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setPlainText(table);
    heading->setBuddy(m_text);
    layout->addWidget(m_text);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *copy = buttons->addButton(QStringLiteral("&Copy"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("cmdCopyChanges"));
    connect(copy, &QPushButton::clicked, this, &RandomizerChanges::copyToClipboard);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(560, 420);
    centreOnScreen(this);
}

void RandomizerChanges::copyToClipboard() const
{
    QGuiApplication::clipboard()->setText(m_text->toPlainText());
}
