#pragma once

#include <QObject>

class QTabWidget;
class QWidget;

// Ctrl+Tab anywhere in a window selects the next tab of one tab widget, wrapping from the last to
// the first. Tab widgets switch on Ctrl+Tab and Ctrl+Shift+Tab themselves when they have the
// focus; this filter sees the keys first (like a form that previews its keys), so the window
// behaves the same whichever control has the focus, and Ctrl+Shift+Tab switches nothing.
class CtrlTabSwitcher : public QObject
{
    Q_OBJECT
public:
    CtrlTabSwitcher(QWidget &window, QTabWidget &tabs);
    ~CtrlTabSwitcher() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool inWindow(QObject *watched) const;

    QWidget &window;
    QTabWidget &tabs;
};
