#include "platform/linux/QtPrompts.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>

namespace {

QMessageBox::Icon boxIcon(Prompts::Icon icon)
{
    switch (icon) {
    case Prompts::Icon::Exclamation: return QMessageBox::Warning;
    case Prompts::Icon::Question: return QMessageBox::Question;
    case Prompts::Icon::Information: return QMessageBox::Information;
    case Prompts::Icon::Critical: return QMessageBox::Critical;
    case Prompts::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

// Longer than this a path may wrap (at its separators); shorter ones stay whole on one line.
constexpr int LongPath = 72;

bool looksLikePath(const QString &word)
{
    return word.size() > 1 && word.contains(u'/');
}

} // namespace

QString QtPrompts::displayText(const QString &text)
{
    // Plain text, where a path holds no line-break opportunity (a word joiner between its
    // characters: no break at its hyphens or dots), except after its separators when it is too
    // long for any line.
    static const QChar Joiner(0x2060);
    static const QChar BreakHere(0x200B);
    QString shown;
    shown.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype j = i;
        while (j < text.size() && !text.at(j).isSpace())
            ++j;
        const QString word = text.mid(i, j - i);
        if (looksLikePath(word)) {
            const bool mayWrap = word.size() > LongPath;
            for (qsizetype k = 0; k < word.size(); ++k) {
                shown += word.at(k);
                if (k + 1 < word.size())
                    shown += (mayWrap && k > 0 && word.at(k) == u'/') ? BreakHere : Joiner;
            }
        } else {
            shown += word;
        }
        while (j < text.size() && text.at(j).isSpace())
            shown += text.at(j++);
        i = j;
    }
    return shown;
}

void QtPrompts::setMessageText(QMessageBox &box, const QString &text)
{
    box.setTextFormat(Qt::PlainText); // file names and typed text are never markup
    box.setText(displayText(text));
    // Wide enough for the longest path that may not wrap, within the screen.
    auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    if (!label)
        return;
    int widest = 0;
    for (const QString &word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
        if (looksLikePath(word) && word.size() <= LongPath)
            widest = qMax(widest, label->fontMetrics().horizontalAdvance(word) + 8);
    const QScreen *screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
    const int limit = screen ? screen->availableGeometry().width() * 7 / 10 : 800;
    if (widest > 0)
        label->setMinimumWidth(qMin(widest, limit));
}

Prompts::Answer QtPrompts::message(QWidget *parent, const QString &text, Icon icon, Buttons buttons,
                                   const QString &title)
{
    QMessageBox box(boxIcon(icon), title.isEmpty() ? QStringLiteral("Zentrel") : title, QString(),
                    QMessageBox::NoButton, parent);
    setMessageText(box, text);
    // The first button is the default; Escape gives the safe answer (Cancel, or No without Cancel).
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: break;
    }
    // Closed by the frame: the escape answer.
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::YesNo: return Answer::No;
    default: return Answer::Cancel;
    }
}

QString QtPrompts::chooseDirectory(QWidget *parent, const QString &caption, const QString &startDir)
{
    return QFileDialog::getExistingDirectory(parent, caption, startDir, QFileDialog::ShowDirsOnly);
}

QString QtPrompts::openFile(QWidget *parent, const QString &caption, const QString &startDir,
                            const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, startDir, filter);
}

QString QtPrompts::saveFile(QWidget *parent, const QString &caption, const QString &startPath,
                            const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, startPath, filter);
}
