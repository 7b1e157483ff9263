#include "platform/linux/QtPrompts.h"

#include <QFileDialog>
#include <QMessageBox>

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

} // namespace

Prompts::Answer QtPrompts::message(QWidget *parent, const QString &text, Icon icon, Buttons buttons,
                                   const QString &title)
{
    QMessageBox box(boxIcon(icon), title.isEmpty() ? QStringLiteral("Zentrel") : title, text,
                    QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText); // file names and typed text are never markup
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
