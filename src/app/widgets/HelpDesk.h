#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include "help/widgets/HelpViewer.h"
class Module1;
class QWidget;
class frmMain;

// Zentrel's manual for the main window: Help > Zentrel Help and the web items, and F1 anywhere
// in Zentrel's windows opening the page of what is shown.
class HelpDesk : public QObject
{
    Q_OBJECT
public:
    HelpDesk(Module1 &module1, frmMain &main);
    ~HelpDesk() override;

    // The main window becomes the viewer's owner and F1 starts to answer.
    void InitHelp();
    // The viewer closes with the main window.
    void CloseHelp();

    // False, after the "not found" message, when the manual is missing.
    bool showPage(const QString &page, QWidget *over = nullptr);
    void mnuHelpDuke_Click();
    void mnuHelpWebMain_Click();
    void mnuHelpWebFaq_Click();

    // The page F1 opens over this window.
    QString pageFor(QWidget *window) const;
    HelpViewer *viewer() const { return m_viewer; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openWebPage(const QString &page);

    Module1 &m;
    frmMain &main;
    QPointer<HelpViewer> m_viewer;
    bool m_listening = false;
};
