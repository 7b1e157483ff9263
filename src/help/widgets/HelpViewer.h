#pragma once

#include <QWidget>

class QLineEdit;
class QTextBrowser;
class QToolButton;

// The manual's window: a browser of the help pages with back, forward, contents and find. Needs
// no web browser and works offline.
class HelpViewer : public QWidget
{
    Q_OBJECT
public:
    explicit HelpViewer(const QString &helpDirectory, QWidget *parent = nullptr);

    // A page of the manual, such as "game-timer.html" or "preferences.html#options".
    void showPage(const QString &page);
    // The page shown, with its anchor, relative to the manual's folder.
    QString currentPage() const;
    // Selects the next place holding the text, from the top again after the last one.
    bool findNext(const QString &text);

    QTextBrowser *browser() const { return m_browser; }
    QLineEdit *findBox() const { return m_find; }
    QToolButton *backButton() const { return m_back; }
    QToolButton *forwardButton() const { return m_forward; }
    QToolButton *homeButton() const { return m_home; }

private:
    QString m_dir;
    QTextBrowser *m_browser;
    QToolButton *m_back;
    QToolButton *m_forward;
    QToolButton *m_home;
    QLineEdit *m_find;
};
