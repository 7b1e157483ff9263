#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// Launch > Show Launch Plan: what a launch would do with the options as they stand, to read and
// copy; nothing is launched or written.
class LaunchPlanWindow : public QDialog
{
    Q_OBJECT
public:
    LaunchPlanWindow(const QString &plan, QWidget *parent = nullptr);
    QPlainTextEdit *text() const { return m_text; }
    void cmdPlanCopy_Click();

private:
    QPlainTextEdit *m_text;
};
