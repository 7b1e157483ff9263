#include "ControlDriver.h"
#include "DialogTestBed.h"
#include "FailingSettingsStore.h"
#include "app/widgets/frmDirSel.h"
#include "app/widgets/frmOptions.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>
#include <QtTest>

namespace {

const QString MustBeSet = QStringLiteral("The path to Duke3d.exe must be set before using Zentrel");
const QString MustEnter = QStringLiteral("You must enter the path for Duke3d.exe before using Zentrel.");

void setText(frmOptions &dialog, const char *box, const QString &text)
{
    control<QLineEdit>(dialog, box)->setText(text);
}

QStringList listed(frmDirSel &dialog)
{
    QStringList out;
    auto *list = control<QListWidget>(dialog, "dirSel");
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

} // namespace

class TestOptions : public QObject
{
    Q_OBJECT
private slots:
    void loadFillsOtherDirectoriesOnlyWithGameDirectory()
    {
        MemorySettingsStore store;
        DialogTestBed bed(store);
        bed.m.CONPath = "/cons";
        bed.m.MAPPath = "/maps";
        {
            frmOptions dialog(bed.m, bed.mainWindow);
            QCOMPARE(control<QLineEdit>(dialog, "txtOptDuke")->text(), QString());
            QCOMPARE(control<QLineEdit>(dialog, "txtOptCON")->text(), QString());
        }
        bed.m.DukePath = "/games/duke";
        frmOptions dialog(bed.m, bed.mainWindow);
        QCOMPARE(control<QLineEdit>(dialog, "txtOptDuke")->text(), QString("/games/duke"));
        QCOMPARE(control<QLineEdit>(dialog, "txtOptCON")->text(), QString("/cons"));
        QCOMPARE(control<QLineEdit>(dialog, "txtOptRTS")->text(), QString());
        QCOMPARE(control<QLineEdit>(dialog, "txtOptMap")->text(), QString("/maps"));
        for (const char *box : {"txtOptDuke", "txtOptCON", "txtOptRTS", "txtOptMap"})
            QVERIFY(!control<QLineEdit>(dialog, box)->isEnabled());
        QCOMPARE(control<QToolButton>(dialog, "cmdDukeDir")->accessibleName(), QString("Select Duke3d.exe Directory"));
        QVERIFY(control<QPushButton>(dialog, "cmdOptOk")->isDefault());
    }

    void okWithoutGameDirectoryStoresNothing()
    {
        MemorySettingsStore store;
        DialogTestBed bed(store);
        frmOptions dialog(bed.m, bed.mainWindow);
        setText(dialog, "txtOptMap", bed.makeDir("maps"));
        dialog.show();
        dialog.cmdOptOk_Click();
        QCOMPARE(bed.prompts.texts(), QStringList{MustBeSet});
        QCOMPARE(bed.prompts.shown[0].icon, Prompts::Icon::Exclamation);
        QCOMPARE(store.writes, 0);
        QVERIFY(bed.m.MAPPath.isEmpty());
        QCOMPARE(bed.mainWindow.configured, 0);
        QVERIFY(!dialog.isVisible());
    }

    void okStoresChangedDirectoriesInOrder()
    {
        MemorySettingsStore store;
        DialogTestBed bed(store);
        const QString game = bed.makeDir("game", {"DUKE3D.EXE"});
        const QString rts = bed.makeDir("rts");
        frmOptions dialog(bed.m, bed.mainWindow);
        setText(dialog, "txtOptDuke", game);
        setText(dialog, "txtOptRTS", rts);
        dialog.cmdOptOk_Click();
        QVERIFY(bed.prompts.shown.isEmpty());
        QCOMPARE(store.keys("Paths"), (QStringList{"DukePath", "RTSPath"}));
        QCOMPARE(store.value("Paths", "DukePath"), game);
        QCOMPARE(bed.m.DukePath, game);
        QCOMPARE(bed.m.RTSPath, rts);
        QCOMPARE(bed.mainWindow.configured, 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void okWithUnchangedDirectoriesStoresNothingButConfigures()
    {
        MemorySettingsStore store;
        DialogTestBed bed(store);
        bed.m.DukePath = bed.makeDir("game", {"duke3d.exe"});
        bed.m.CONPath = bed.makeDir("cons");
        frmOptions dialog(bed.m, bed.mainWindow);
        dialog.cmdOptOk_Click();
        QCOMPARE(store.writes, 0);
        QCOMPARE(bed.mainWindow.configured, 1);
        QVERIFY(bed.prompts.shown.isEmpty());
    }

    void cancelOnFirstStartTellsThePlayer_data()
    {
        QTest::addColumn<bool>("configured");
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("first start, Cancel") << false << false;
        QTest::newRow("first start, Escape") << false << true;
        QTest::newRow("configured, Cancel") << true << false;
    }
    void cancelOnFirstStartTellsThePlayer()
    {
        QFETCH(bool, configured);
        QFETCH(bool, byEscape);
        MemorySettingsStore store;
        DialogTestBed bed(store);
        if (configured)
            bed.m.DukePath = bed.makeDir("game", {"duke3d.exe"});
        frmOptions dialog(bed.m, bed.mainWindow);
        setText(dialog, "txtOptDuke", bed.makeDir("other", {"duke3d.exe"}));
        dialog.show();
        if (byEscape)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            control<QPushButton>(dialog, "cmdOptCancel")->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(bed.prompts.texts(), configured ? QStringList() : QStringList{MustEnter});
        if (!configured)
            QCOMPARE(bed.prompts.shown[0].icon, Prompts::Icon::None);
        QCOMPARE(store.writes, 0);
        QCOMPARE(bed.mainWindow.configured, 0);
    }

    // A game directory typed long ago may have been unmounted or emptied since.
    void okRefusesGameDirectoryThatIsGone_data()
    {
        QTest::addColumn<bool>("dirExists");
        QTest::addColumn<QString>("expected");
        QTest::newRow("vanished") << false << "cannot be found";
        QTest::newRow("no duke3d.exe") << true << "Duke3d.exe does not exist in ";
    }
    void okRefusesGameDirectoryThatIsGone()
    {
        QFETCH(bool, dirExists);
        QFETCH(QString, expected);
        MemorySettingsStore store;
        DialogTestBed bed(store);
        const QString game = dirExists ? bed.makeDir("game", {"setup.exe"}) : bed.dir.filePath("unmounted");
        frmOptions dialog(bed.m, bed.mainWindow);
        setText(dialog, "txtOptDuke", game);
        dialog.show();
        dialog.cmdOptOk_Click();
        QCOMPARE(bed.prompts.shown.size(), 1);
        QVERIFY2(bed.prompts.shown[0].text.contains(expected), qPrintable(bed.prompts.shown[0].text));
        QVERIFY(bed.prompts.shown[0].text.contains(game));
        QCOMPARE(bed.prompts.shown[0].icon, Prompts::Icon::Exclamation);
        QCOMPARE(store.writes, 0);
        QVERIFY(bed.m.DukePath.isEmpty());
        QCOMPARE(bed.mainWindow.configured, 0);
        QVERIFY(dialog.isVisible());
    }

    void readOnlyGameDirectoryIsStoredWithOneWarning()
    {
        MemorySettingsStore store;
        DialogTestBed bed(store);
        const QString game = bed.makeDir("cdrom", {"DUKE3D.EXE"});
        QFile::setPermissions(game, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        frmOptions dialog(bed.m, bed.mainWindow);
        setText(dialog, "txtOptDuke", game);
        dialog.cmdOptOk_Click();
        QFile::setPermissions(game, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(store.value("Paths", "DukePath"), game);
        QCOMPARE(bed.prompts.shown.size(), 1);
        QVERIFY(bed.prompts.shown[0].text.contains("read-only"));
        QVERIFY(bed.prompts.shown[0].text.contains(game));
        QCOMPARE(bed.mainWindow.configured, 1);

        // Told once: an OK that leaves the directory as it is says nothing more.
        QFile::setPermissions(game, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        frmOptions again(bed.m, bed.mainWindow);
        again.cmdOptOk_Click();
        QFile::setPermissions(game, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(bed.prompts.shown.size(), 1);
    }

    void failingStoreIsReported()
    {
        FailingSettingsStore store;
        DialogTestBed bed(store);
        const QString game = bed.makeDir("game", {"duke3d.exe"});
        frmOptions dialog(bed.m, bed.mainWindow);
        setText(dialog, "txtOptDuke", game);
        setText(dialog, "txtOptCON", game);
        dialog.cmdOptOk_Click();
        QCOMPARE(bed.prompts.shown.size(), 1);
        QVERIFY(bed.prompts.shown[0].text.contains(store.reason));
        QCOMPARE(bed.m.DukePath, game); // in effect for this run
        QCOMPARE(bed.mainWindow.configured, 1);
    }

    void dukeButtonFillsGameDirectoryThroughSelectDirectory()
    {
        MemorySettingsStore store;
        DialogTestBed bed(store);
        const QString game = bed.makeDir("game", {"Duke3D.exe"});
        frmOptions dialog(bed.m, bed.mainWindow);
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto *picker = qobject_cast<frmDirSel *>(QApplication::activeModalWidget());
            QVERIFY(picker);
            seen = true;
            QVERIFY(picker->setCurrentPath(game));
            control<QPushButton>(*picker, "cmdOk")->click();
        });
        control<QToolButton>(dialog, "cmdDukeDir")->click();
        QVERIFY(seen);
        QCOMPARE(bed.m.DirSelMode, QString("Duke"));
        QCOMPARE(control<QLineEdit>(dialog, "txtOptDuke")->text(), game);
        QCOMPARE(store.writes, 0); // only OK stores
    }

    void selectDirectoryDukeModeNeedsDuke3dExe_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("upper case") << "DUKE3D.EXE" << true;
        QTest::newRow("lower case") << "duke3d.exe" << true;
        QTest::newRow("mixed case") << "Duke3d.Exe" << true;
        QTest::newRow("missing") << "commit.exe" << false;
    }
    void selectDirectoryDukeModeNeedsDuke3dExe()
    {
        QFETCH(QString, file);
        QFETCH(bool, accepted);
        MemorySettingsStore store;
        DialogTestBed bed(store);
        const QString game = bed.makeDir("game", {file});
        bed.m.DirSelMode = "Duke";
        frmDirSel dialog(bed.m);
        dialog.show();
        QVERIFY(dialog.setCurrentPath(game));
        dialog.cmdOk_Click();
        QCOMPARE(dialog.isVisible(), !accepted);
        QCOMPARE(dialog.chosenPath(), accepted ? game : QString());
        if (accepted) {
            QVERIFY(bed.prompts.shown.isEmpty());
        } else {
            QCOMPARE(bed.prompts.texts(), QStringList{"Duke3d.exe does not exist in " + game});
            QCOMPARE(bed.prompts.shown[0].icon, Prompts::Icon::Exclamation);
        }
    }

    void selectDirectoryOtherModes_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("Con") << "Con" << true;
        QTest::newRow("Rts") << "Rts" << true;
        QTest::newRow("Map") << "Map" << true;
        QTest::newRow("unknown") << "Art" << false;
    }
    void selectDirectoryOtherModes()
    {
        QFETCH(QString, mode);
        QFETCH(bool, accepted);
        MemorySettingsStore store;
        DialogTestBed bed(store);
        const QString start = bed.makeDir("maps");
        bed.m.DirSelMode = mode;
        frmDirSel dialog(bed.m, start);
        QCOMPARE(dialog.currentPath(), start);
        dialog.show();
        dialog.cmdOk_Click();
        QCOMPARE(dialog.isVisible(), !accepted);
        QCOMPARE(dialog.chosenPath(), accepted ? start : QString());
        QVERIFY(bed.prompts.shown.isEmpty());
    }

    void selectDirectoryStartsAtGameOrProgramDirectory()
    {
        MemorySettingsStore store;
        DialogTestBed bed(store);
        bed.makeDir("program");
        bed.m.DirSelMode = "Duke";
        {
            frmDirSel dialog(bed.m, bed.dir.filePath("ignored"));
            QCOMPARE(dialog.currentPath(), bed.platform.programDir);
        }
        bed.m.DukePath = bed.makeDir("game");
        frmDirSel dialog(bed.m);
        QCOMPARE(dialog.currentPath(), bed.m.DukePath);
        dialog.show();
        control<QPushButton>(dialog, "cmdCancel")->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.chosenPath(), QString());
    }

    // A folder highlighted with one click is the one OK takes; ".." highlighted leaves the listed one.
    void okTakesTheHighlightedFolder()
    {
        MemorySettingsStore store;
        DialogTestBed bed(store);
        const QString top = bed.makeDir("top");
        bed.makeDir("top/duke", {"DUKE3D.EXE"});
        bed.m.DirSelMode = "Duke";
        bed.m.DukePath = top;
        frmDirSel dialog(bed.m);
        dialog.show();
        auto *list = control<QListWidget>(dialog, "dirSel");
        const QRect row = list->visualItemRect(list->findItems("duke", Qt::MatchExactly).value(0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        control<QPushButton>(dialog, "cmdOk")->click();
        QVERIFY(bed.prompts.shown.isEmpty());
        QCOMPARE(dialog.chosenPath(), top + "/duke");

        bed.m.DirSelMode = "Con";
        frmDirSel again(bed.m, top + "/duke");
        again.show();
        auto *list2 = control<QListWidget>(again, "dirSel");
        QTest::mouseClick(list2->viewport(), Qt::LeftButton, {}, list2->visualItemRect(list2->item(0)).center());
        QCOMPARE(list2->item(0)->text(), QString(".."));
        control<QPushButton>(again, "cmdOk")->click();
        QCOMPARE(again.chosenPath(), top + "/duke");
    }

    void selectDirectoryNavigates()
    {
        MemorySettingsStore store;
        DialogTestBed bed(store);
        const QString top = bed.makeDir("top", {"readme.txt"});
        bed.makeDir("top/Beta");
        bed.makeDir("top/alpha");
        bed.m.DirSelMode = "Con";
        frmDirSel dialog(bed.m, top);
        dialog.show();
        QCOMPARE(listed(dialog), (QStringList{"..", "alpha", "Beta"})); // folders only, any case order

        // Enter opens the folder under the cursor; it does not press OK.
        auto *list = control<QListWidget>(dialog, "dirSel");
        list->setFocus();
        list->setCurrentRow(2);
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.currentPath(), top + "/Beta");
        QCOMPARE(listed(dialog), QStringList{".."});

        control<QToolButton>(dialog, "cmdUp")->click();
        QCOMPARE(dialog.currentPath(), top);

        QVERIFY(!dialog.setCurrentPath(top + "/readme.txt"));
        QCOMPARE(dialog.currentPath(), top);
        QVERIFY(dialog.setCurrentPath("/"));
        QVERIFY(!listed(dialog).contains(".."));
        QVERIFY(!control<QToolButton>(dialog, "cmdUp")->isEnabled());
    }
};

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
