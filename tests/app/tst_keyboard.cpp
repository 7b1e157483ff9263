// The main window by keyboard alone: Tab's order over each page, browsing the episode and level
// lists with the arrow keys, and Return on the focused Launch button.
#include "app/widgets/frmMain.h"
#include "core/Module1.h"
#include "platform/DiskFiles.h"
#include "platform/Platform.h"
#include "platform/SeededRandom.h"
#include "app/widgets/frmDirSel.h"
#include "app/widgets/frmOptions.h"
#include "app/widgets/frmPrefs.h"
#include "coneditor/widgets/frmRand.h"
#include "launch/widgets/LaunchPlanWindow.h"
#include "coneditor/widgets/ConEditorPage.h"
#include "confiles/widgets/ConRtsPanel.h"

#include "GameDirectoryWindow.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QStackedWidget>
#include <QComboBox>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Window : GameDirectoryWindow
{
    Window()
    {
        open().show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    template <typename T = QWidget> T *control(const char *name)
    {
        T *w = window->findChild<T *>(QLatin1String(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    QTabWidget *tabs(const char *name) { return control<QTabWidget>(name); }
    QString focused() const
    {
        QWidget *w = QApplication::focusWidget();
        if (!w)
            return QStringLiteral("<none>");
        // A tab bar is named after its tab widget.
        if (auto *bar = qobject_cast<QTabBar *>(w))
            return bar->parentWidget()->objectName() + QStringLiteral(".tabs");
        return w->objectName();
    }
    // Tab (or Shift+Tab) from one control until another is reached.
    QStringList walk(const char *from, const QString &to, Qt::KeyboardModifiers modifiers)
    {
        if (QLatin1String(from) == QLatin1String("tbsOpt"))
            tabs("tbsOpt")->tabBar()->setFocus(Qt::TabFocusReason);
        else
            control(from)->setFocus(Qt::TabFocusReason);
        QStringList order{focused()};
        for (int guard = 0; guard < 80 && focused() != to; ++guard) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
            order << focused();
        }
        return order;
    }
};

// Focusable controls of root's window without an accessible name, or with the name and role of
// another control of the same page (a tab page, or the window itself).
QStringList namingFaults(QWidget *root)
{
    QHash<QString, QString> seen; // page + role + name -> control
    QStringList faults;
    for (QWidget *control : root->findChildren<QWidget *>()) {
        if (!(control->focusPolicy() & Qt::TabFocus) || control->focusProxy() || control->window() != root)
            continue;
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(control);
        const QString where = root->objectName() + '/' + control->objectName();
        if (!a || a->text(QAccessible::Name).trimmed().isEmpty()) {
            faults << where + QStringLiteral(" has no name");
            continue;
        }
        const QString name = a->text(QAccessible::Name);
        QWidget *page = control;
        while (page->parentWidget() && page != root && !qobject_cast<QStackedWidget *>(page->parentWidget()))
            page = page->parentWidget();
        const QString key = page->objectName() + '/' + QString::number(a->role()) + '/' + name;
        if (seen.contains(key))
            faults << QStringLiteral("%1 and %2 are both \"%3\"").arg(seen[key], where, name);
        seen.insert(key, where);
    }
    return faults;
}

} // namespace

class tst_Keyboard : public QObject
{
    Q_OBJECT
private slots:
    void tabGoesThroughTheShownPageBeforeTheButtons_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("first");
        QTest::newRow("Single Player") << 0 << "chkSingle";
        QTest::newRow("Multi Player") << 1 << "chkMulti";
        QTest::newRow("CON/RTS") << 2 << "cmdUser";
        QTest::newRow("Misc") << 3 << "chkResNone";
    }
    void tabGoesThroughTheShownPageBeforeTheButtons()
    {
        QFETCH(int, page);
        QFETCH(QString, first);
        Window w;
        w.tabs("tbsOptions")->setCurrentIndex(page);
        const QStringList order = w.walk("tbsOpt", QStringLiteral("cmdExit"), Qt::NoModifier);
        qInfo().noquote() << "Tab order:" << order.join(QStringLiteral(", "));
        QCOMPARE(order.mid(0, 2), (QStringList{"tbsOpt.tabs", "tbsOptions.tabs"}));
        QVERIFY2(order.size() > 6, qPrintable(order.join(' ')));
        QCOMPARE(order.mid(order.size() - 4), (QStringList{"cmdLaunch", "cmdReset", "cmdGameTimer", "cmdExit"}));
        QVERIFY2(order.contains(first), qPrintable(order.join(' ')));
        for (const QString &name : order)
            QVERIFY2(!name.isEmpty(), qPrintable(order.join(' ')));

        QStringList back = w.walk("cmdExit", QStringLiteral("tbsOpt.tabs"), Qt::ShiftModifier);
        std::reverse(back.begin(), back.end());
        QCOMPARE(back, order);
    }

    // What a screen reader hears of every control of every page (the pages built on first show
    // included) and of every dialog: a name for each, and no two alike on one page.
    void everyControlHasANameOfItsOwn()
    {
        Window w;
        w.window->conEditorPage().ensureBuilt();
        w.window->conRtsPanel().ensureBuilt();
        QStringList faults = namingFaults(w.window.get());

        frmOptions options(w.m, *w.window, w.window.get());
        frmPrefs preferences(w.m, w.window.get());
        frmDirSel directories(w.m, w.dir.path(), w.window.get());
        SeededRandom random;
        frmRand randomizer(w.m, w.window->conEditorPage(), random, QStringLiteral("Players"), w.window.get());
        LaunchPlanWindow plan(QStringLiteral("plan"), w.window.get());
        for (QWidget *dialog : std::initializer_list<QWidget *>{&options, &preferences, &directories, &randomizer, &plan})
            faults << namingFaults(dialog);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    }

    // A picture button with the keyboard focus shows a ring in the highlight colour.
    void focusedPictureButtonShowsARing()
    {
        Window w;
        auto *launch = w.control<QAbstractButton>("cmdLaunch");
        const QColor ring = launch->palette().color(QPalette::Highlight);
        const auto ringPixels = [&] {
            const QImage image = launch->grab().toImage();
            int n = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    n += qAbs(c.red() - ring.red()) + qAbs(c.green() - ring.green()) + qAbs(c.blue() - ring.blue()) < 60;
                }
            return n;
        };
        w.control("cmdExit")->setFocus(Qt::TabFocusReason);
        const int without = ringPixels();
        launch->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(launch->hasFocus());
        const int with = ringPixels();
        // Most of the button's outline, not a faint corner.
        QVERIFY2(with - without > launch->width() + launch->height(),
                 qPrintable(QStringLiteral("%1 ring pixels focused, %2 without").arg(with).arg(without)));
    }

    void episodeAndLevelByArrowKeysThenReturnOnLaunch()
    {
        Window w;
        auto *episodes = w.control<QComboBox>("cmbEpisode");
        auto *levels = w.control<QComboBox>("cmbLevel");
        auto *single = w.control<QAbstractButton>("chkSingle");
        single->setFocus(Qt::TabFocusReason);
        QTest::keyClick(single, Qt::Key_Space);
        QVERIFY(single->isChecked());
        QTest::keyClick(single, Qt::Key_Tab);
        QCOMPARE(w.focused(), QStringLiteral("cmbEpisode"));
        QTest::keyClick(episodes, Qt::Key_Down);
        QTest::keyClick(episodes, Qt::Key_Down);
        QCOMPARE(episodes->currentIndex(), 1);
        QCOMPARE(w.focused(), QStringLiteral("cmbEpisode")); // browsing keeps the focus

        QTest::keyClick(episodes, Qt::Key_Tab);
        QCOMPARE(w.focused(), QStringLiteral("cmbLevel"));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(levels, Qt::Key_Down);
        QCOMPARE(levels->currentIndex(), 2);
        QCOMPARE(w.focused(), QStringLiteral("cmbLevel"));
        QVERIFY(w.control<QRadioButton>("optLvl1")->isChecked()); // the level's cascade still ticks a skill

        w.control<QAbstractButton>("cmdLaunch")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(w.runner.requests.size(), 1);
        const QString switches = w.runner.requests.first().switches;
        for (const char *expected : {" /v2", " /l3", " /s0"})
            QVERIFY2(switches.contains(QLatin1String(expected)), qPrintable(switches));
        // The form clears itself; the status bar says what happened.
        QVERIFY(w.window->statusBar()->currentMessage().startsWith(QStringLiteral("Duke3D started")));
    }
};

QTEST_MAIN(tst_Keyboard)
#include "tst_keyboard.moc"
