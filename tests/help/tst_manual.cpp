// Zentrel's manual as the program finds it beside itself: every page there, every link of every
// page leading to a page (and anchor) that exists, and the viewer's back, forward, contents and
// find.
#include "help/HelpFiles.h"
#include "help/widgets/HelpViewer.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>

namespace {
QString read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}
QString helpDir() { return HelpFiles::directory(QStringLiteral(ZENTREL_BIN_DIR)); }
} // namespace

class TestManual : public QObject
{
    Q_OBJECT
private slots:
    void theManualIsBesideTheProgram()
    {
        QVERIFY2(HelpFiles::present(QStringLiteral(ZENTREL_BIN_DIR)), qPrintable(helpDir()));
        // The pages F1 and the menus open.
        for (const char *page : {"index.html", "faq.html", "single-player.html", "multi-player.html", "con-rts.html",
                                 "misc.html", "editor.html", "randomizer.html", "game-timer.html", "user-menus.html",
                                 "preferences.html", "first-start.html"})
            QVERIFY2(QFile::exists(QDir(helpDir()).filePath(QLatin1String(page))), page);
        QVERIFY(read(QDir(helpDir()).filePath("preferences.html")).contains(QLatin1String("name=\"options\"")));
    }

    void everyLinkLeadsSomewhere()
    {
        const QDir dir(helpDir());
        const QStringList pages = dir.entryList({"*.html"}, QDir::Files);
        QVERIFY(pages.size() >= 12);
        int checked = 0;
        for (const QString &page : pages) {
            const QString html = read(dir.filePath(page));
            QVERIFY2(html.contains(QLatin1String("<title>")), qPrintable(page));
            for (const QString &link : HelpFiles::links(html)) {
                if (link.startsWith(QLatin1String("http")) || link.startsWith(QLatin1String("mailto:")))
                    continue;
                const qsizetype hash = link.indexOf(QLatin1Char('#'));
                const QString target = hash < 0 ? link : link.left(hash);
                const QString file = target.isEmpty() ? page : target;
                QVERIFY2(QFile::exists(dir.filePath(file)), qPrintable(page + ": " + link));
                if (hash >= 0) {
                    const QString anchor = link.mid(hash + 1);
                    const QRegularExpression named(QStringLiteral("(name|id)=\"%1\"").arg(QRegularExpression::escape(anchor)));
                    QVERIFY2(read(dir.filePath(file)).contains(named), qPrintable(page + ": " + link));
                }
                ++checked;
            }
        }
        QVERIFY(checked > 20);
    }

    void viewerBrowsesLikeABrowser()
    {
        HelpViewer viewer(helpDir());
        viewer.showPage("index.html");
        QCOMPARE(viewer.currentPage(), QStringLiteral("index.html"));
        QVERIFY(!viewer.backButton()->isEnabled());
        viewer.showPage("preferences.html#options");
        QCOMPARE(viewer.currentPage(), QStringLiteral("preferences.html#options"));
        QVERIFY(viewer.backButton()->isEnabled());
        viewer.backButton()->click();
        QCOMPARE(viewer.currentPage(), QStringLiteral("index.html"));
        QVERIFY(viewer.forwardButton()->isEnabled());
        viewer.forwardButton()->click();
        QCOMPARE(viewer.currentPage(), QStringLiteral("preferences.html#options"));
        viewer.homeButton()->click();
        QCOMPARE(viewer.currentPage(), QStringLiteral("index.html"));
        QCOMPARE(viewer.windowTitle(), viewer.browser()->documentTitle()); // the page's own title

        // Find goes on to the next place and starts again from the top after the last.
        viewer.showPage("faq.html");
        const QString text = viewer.browser()->toPlainText();
        const QString word = QStringLiteral("DOSBox");
        QVERIFY(text.count(word, Qt::CaseInsensitive) >= 2);
        QVERIFY(viewer.findNext(word));
        const int first = viewer.browser()->textCursor().selectionStart();
        QVERIFY(viewer.findNext(word));
        QVERIFY(viewer.browser()->textCursor().selectionStart() > first);
        for (int i = 0; i < text.count(word, Qt::CaseInsensitive) - 1; ++i)
            QVERIFY(viewer.findNext(word));
        QCOMPARE(viewer.browser()->textCursor().selectionStart(), first);
        QVERIFY(!viewer.findNext(QStringLiteral("no such words in the manual at all")));
    }
};

QTEST_MAIN(TestManual)
#include "tst_manual.moc"
