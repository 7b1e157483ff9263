// The editor's file operations and the version items in the real main window: which USER.CON the
// editor holds, the save prompt in front of every change of it, and byte-exact saves.
#include "app/widgets/frmMain.h"
#include "coneditor/TextBuffer.h"
#include "coneditor/widgets/ConEditorFiles.h"
#include "coneditor/widgets/ConEditorPage.h"
#include "confiles/widgets/ConRtsPanel.h"
#include "core/Module1.h"
#include "platform/DiskFiles.h"
#include "platform/Platform.h"

#include "ControlDriver.h"
#include "FakeGameRunner.h"
#include "FakePrompts.h"
#include "MemorySettingsStore.h"
#include "Unprivileged.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

QByteArray read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void put(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

QByteArray standIn(const char *name) { return read(QStringLiteral(ZENTREL_STANDINS "/") + name); }

struct Rig : ControlDriver
{
    QTemporaryDir game, program, mine;
    MemorySettingsStore store;
    DiskFiles files;
    FakePrompts prompts;
    FakeGameRunner runner;
    Platform platform{store, files, prompts, QString()};
    Module1 m{platform};
    std::unique_ptr<frmMain> window;

    explicit Rig(const QString &lastVersion = "13d", const QByteArray &grp = {}, bool stockBesideProgram = true)
    {
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Zentrel").removeRecursively();
        put(game.filePath("DUKE3D.EXE"), "");
        put(game.filePath("USER.CON"), "// the player's own USER.CON\r\ndefine MAXPLAYERHEALTH 123\r\n");
        if (!grp.isEmpty())
            put(game.filePath("DUKE3D.GRP"), grp);
        if (stockBesideProgram) {
            put(program.filePath("KVuser.dat"), standIn("USER13D.CON"));
            put(program.filePath("KVuserp.dat"), standIn("USER15.CON"));
        }
        platform.programDir = program.path();
        platform.runner = &runner;
        if (!lastVersion.isEmpty())
            store.setValue("Prefs", "LastVersion", lastVersion);
        m.DukePath = game.path();
        m.LoadPreferences();
        m.CONPath = mine.path();
        window = std::make_unique<frmMain>(m);
        window->quitProgram = [] {};
        window->Form_Load();
        // as the first show of the editor tab and the CON/RTS panel does
        window->conEditorPage().ensureBuilt();
        window->conRtsPanel().ensureBuilt();
        setRoot(window.get());
    }
    ConEditorPage &page() { return window->conEditorPage(); }
    ConEditorFiles &files_() { return window->conEditorFiles(); }
    TextBuffer &buffer() { return page().buffer(); }
    QByteArray text() { return TextBuffer::toBytes(buffer().Text()); }
    QAction *item(const char *name) { return get<QAction>(name); }
    bool is15() { return item("mnuVersion15")->isChecked() && !item("mnuVersion13d")->isChecked(); }
    int enemies() { return get<QListWidget>("lstEnemy")->count(); }
    QString caption() { return get<QLabel>("lblUserCon")->text(); }
    void showEditor() { get<QTabWidget>("tbsOpt")->setCurrentIndex(1); }
    // An edit through the lists, as the player makes it: Players, Max Regular Health, 150.
    void editHealth(const QString &value = "150")
    {
        get<QTabWidget>("tbsCon")->setCurrentIndex(0);
        get<QListWidget>("lstPlayers")->setCurrentRow(0);
        page().valueBox(0)->setEditText(value);
    }
};

} // namespace

class TestEditorFiles : public QObject
{
    Q_OBJECT
private slots:
    void startsWithTheStockFileOfTheStoredVersion_data()
    {
        QTest::addColumn<QString>("lastVersion");
        QTest::addColumn<QByteArray>("grp");
        QTest::addColumn<bool>("version15");
        const QByteArray grp15 = QByteArray("KenSilverman\x01\x00\x00\x00", 16) + QByteArray("E4L1.MAP").leftJustified(16, '\0');
        QTest::newRow("13d") << "13d" << QByteArray() << false;
        QTest::newRow("15") << "15" << QByteArray() << true;
        QTest::newRow("first start, GRP of 1.4/1.5") << "" << grp15 << true;
        QTest::newRow("first start, no GRP") << "" << QByteArray() << false;
        QTest::newRow("stored 13d beats the GRP") << "13d" << grp15 << false;
    }
    void startsWithTheStockFileOfTheStoredVersion()
    {
        QFETCH(QString, lastVersion);
        QFETCH(QByteArray, grp);
        QFETCH(bool, version15);
        Rig rig(lastVersion, grp);
        QCOMPARE(rig.is15(), version15);
        QCOMPARE(rig.text(), standIn(version15 ? "USER15.CON" : "USER13D.CON"));
        QCOMPARE(rig.caption(), QString("Default User Con File"));
        QVERIFY(!rig.m.ConModified);
    }

    // Without stock files beside the program, the first start keeps the player's USER.CON and
    // the editor starts with it.
    void firstStartEditsThePlayersOwnUserCon()
    {
        Rig rig("", {}, false);
        QCOMPARE(rig.text(), QByteArray("// the player's own USER.CON\r\ndefine MAXPLAYERHEALTH 123\r\n"));
        QCOMPARE(rig.caption(), QString("Default User Con File"));
    }

    // Switching versions with a stock file loaded loads the other stock file; with a user file
    // loaded the text stays and only the catalogue changes.
    void versionSwitchFollowsTheLoadedFile()
    {
        Rig rig("15");
        rig.showEditor();
        QCOMPARE(rig.enemies(), 20);
        rig.item("mnuVersion13d")->trigger();
        QVERIFY(!rig.is15());
        QCOMPARE(rig.text(), standIn("USER13D.CON"));
        QCOMPARE(rig.enemies(), 16);
        QVERIFY(rig.prompts.shown.isEmpty());

        const QString mineFile = rig.mine.filePath("MINE.CON");
        put(mineFile, "// my con\r\ndefine TROOPSTRENGTH 30\r\n");
        rig.prompts.chosenPaths.enqueue(mineFile);
        rig.button("cmdLoadCon")->click(); // no "Duke Nukem 3D USER": taken for 1.4/1.5
        QVERIFY(rig.is15());
        rig.item("mnuVersion13d")->trigger();
        QCOMPARE(rig.text(), read(mineFile));
        QCOMPARE(rig.enemies(), 16);
        QCOMPARE(rig.caption(), mineFile);
    }

    // Open of a 1.3d USER.CON while 1.4/1.5 is ticked switches to 1.3d without asking, the text
    // is the file's and the flag is clear.
    void openSwitchesToTheFilesVersion()
    {
        Rig rig("15");
        const QString user = rig.mine.filePath("USER.CON");
        put(user, standIn("USER13D.CON"));
        rig.prompts.chosenPaths.enqueue(user);
        rig.button("cmdLoadCon")->click();
        QVERIFY(!rig.is15());
        QVERIFY(rig.prompts.shown.isEmpty());
        QCOMPARE(rig.text(), standIn("USER13D.CON"));
        QCOMPARE(rig.caption(), user);
        QCOMPARE(rig.files_().CurrentConFile, user);
        QVERIFY(!rig.m.ConModified);
        QCOMPARE(rig.buffer().SelStart(), 0);
    }

    void openOfAnUnreadableFileChangesNothing()
    {
        Rig rig;
        const QByteArray before = rig.text();
        rig.prompts.chosenPaths.enqueue(rig.mine.filePath("nowhere.con"));
        rig.button("cmdLoadCon")->click();
        QCOMPARE(rig.prompts.shown.size(), 1);
        QVERIFY(rig.prompts.texts()[0].contains("nowhere.con"));
        QCOMPARE(rig.text(), before);
        QCOMPARE(rig.caption(), QString("Default User Con File"));
    }

    // Saved over Zentrel's working copy in the game directory, the con would be deleted at exit:
    // refused, nothing written. Without a CON directory Save starts in the home folder.
    void saveRefusesTheWorkingCopy()
    {
        Rig rig;
        rig.m.CONPath.clear();
        rig.editHealth("150");
        for (const char *name : {"KVuser.con", "kvuser.CON", "KVgame.con"}) {
            rig.prompts.shown.clear();
            rig.prompts.chosenPaths.enqueue(rig.game.filePath(QLatin1String(name)));
            rig.button("cmdPlaySave")->click();
            QCOMPARE(rig.prompts.chooserStarts.last(), QDir::home().filePath("KVuser.con"));
            QCOMPARE(rig.prompts.shown.size(), 1);
            QVERIFY(rig.prompts.shown[0].text.contains("deleted when Zentrel exits"));
            QVERIFY(!QFile::exists(rig.game.filePath(QLatin1String(name))));
            QVERIFY(rig.m.ConModified && rig.m.DialogCancelled);
        }
        rig.prompts.chosenPaths.enqueue(rig.game.filePath("MYUSER.CON")); // any other name is the player's
        rig.button("cmdPlaySave")->click();
        QCOMPARE(read(rig.game.filePath("MYUSER.CON")), rig.text());
    }

    // Save proposes "KVuser.con" in CONPath, writes the bytes, shows the path; Revert after Load
    // default reloads that file, not the stock one.
    void saveLoadDefaultAndRevert()
    {
        Rig rig;
        rig.editHealth("150");
        QVERIFY(rig.m.ConModified);
        const QString saved = rig.mine.filePath("KVuser.con");
        rig.prompts.chosenPaths.enqueue(saved);
        rig.button("cmdPlaySave")->click();
        QCOMPARE(rig.prompts.chooserCaptions.last(), QString("Save Current Con"));
        QCOMPARE(read(saved), rig.text());
        QCOMPARE(rig.caption(), saved);
        QVERIFY(!rig.m.ConModified && !rig.m.DialogCancelled);

        rig.button("cmdDefCon")->click();
        QCOMPARE(rig.text(), standIn("USER13D.CON"));
        QCOMPARE(rig.caption(), QString("Default User Con File"));
        rig.editHealth("7");
        rig.button("cmdConEditClear")->click();
        QCOMPARE(rig.text(), read(saved)); // CurrentConFile, not the stock file
        QCOMPARE(rig.caption(), saved);
        QVERIFY(!rig.m.ConModified);

        // Revert with nothing changed keeps the text but resets the page.
        rig.get<QTabWidget>("tbsCon")->setCurrentIndex(2);
        rig.button("cmdConEditClear")->click();
        QCOMPARE(rig.text(), read(saved));
        QCOMPARE(rig.get<QTabWidget>("tbsCon")->currentIndex(), 0);
        QCOMPARE(rig.get<QListWidget>("lstPlayers")->currentRow(), -1);
        QCOMPARE(rig.page().valueBox(0)->currentText(), QString());
    }

    // The save prompt in front of Load default: Yes saves first, No drops the change, Cancel and
    // a cancelled save leave everything as it was.
    void saveGuardAnswers_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saveDialogCancelled");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<bool>("savedFile");
        QTest::newRow("Yes") << int(Prompts::Answer::Yes) << false << true << true;
        QTest::newRow("Yes, save cancelled") << int(Prompts::Answer::Yes) << true << false << false;
        QTest::newRow("No") << int(Prompts::Answer::No) << false << true << false;
        QTest::newRow("Cancel") << int(Prompts::Answer::Cancel) << false << false << false;
    }
    void saveGuardAnswers()
    {
        QFETCH(int, answer);
        QFETCH(bool, saveDialogCancelled);
        QFETCH(bool, loaded);
        QFETCH(bool, savedFile);
        Rig rig;
        rig.editHealth("150");
        const QByteArray edited = rig.text();
        rig.prompts.answers.enqueue(Prompts::Answer(answer));
        const QString saved = rig.mine.filePath("KVuser.con");
        rig.prompts.chosenPaths.enqueue(saveDialogCancelled ? QString() : saved);
        rig.button("cmdDefCon")->click();
        QCOMPARE(rig.prompts.texts().value(0), QString("Save changes to current con file?"));
        QCOMPARE(rig.prompts.shown.value(0).buttons, Prompts::Buttons::YesNoCancel);
        QCOMPARE(rig.text(), loaded ? standIn("USER13D.CON") : edited);
        QCOMPARE(QFile::exists(saved), savedFile);
        if (savedFile)
            QCOMPARE(read(saved), edited);
    }

    // The exit asks the same; Cancel keeps the program running.
    void exitAsksToSave()
    {
        Rig rig;
        rig.window->show();
        rig.editHealth("150");
        rig.prompts.answers.enqueue(Prompts::Answer::Cancel);
        rig.button("cmdOptExit")->click();
        QVERIFY(rig.window->isVisible());
        rig.prompts.answers.enqueue(Prompts::Answer::No);
        rig.button("cmdExit")->click();
        QVERIFY(!rig.window->isVisible());
        QCOMPARE(rig.prompts.texts(), (QStringList{"Save changes to current con file?", "Save changes to current con file?"}));
    }

    // Only the edited value's bytes change in the saved file, whatever its line ends and bytes.
    void savedFilesChangeOnlyTheEditedValue_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("CRLF") << QByteArray("// Duke Nukem 3D USER.CON\r\ndefine MAXPLAYERHEALTH 100 // hp\r\ndefine X 1\r\n");
        QTest::newRow("LF") << QByteArray("// Duke Nukem 3D USER.CON\ndefine MAXPLAYERHEALTH 100\ndefine X 1\n");
        QTest::newRow("mixed, high bytes, ^Z")
            << QByteArray("// Duke Nukem 3D USER.CON \xe9\xff\r\ndefine MAXPLAYERHEALTH\t100  // \x80\ndefine X 1\r\n\x1a");
    }
    void savedFilesChangeOnlyTheEditedValue()
    {
        QFETCH(QByteArray, file);
        Rig rig;
        const QString path = rig.mine.filePath("USER.CON");
        put(path, file);
        rig.prompts.chosenPaths.enqueue(path);
        rig.button("cmdLoadCon")->click();
        rig.editHealth("150");
        rig.prompts.chosenPaths.enqueue(path);
        rig.button("cmdPlaySave")->click();
        QByteArray expected = file;
        expected.replace("100", "150");
        QCOMPARE(read(path), expected);
    }

    // "Use This Con When Launching Duke3d" shows "CON EDITOR" as the chosen User.con.
    void useThisConShowsTheEditor()
    {
        Rig rig;
        rig.tick("chkUseCon");
        QCOMPARE(rig.get<QListWidget>("lstUser")->item(0)->text(), QString("CON EDITOR"));
        rig.tick("chkUseCon", false);
        QCOMPARE(rig.get<QListWidget>("lstUser")->count(), 0);
    }
};

QTEST_MAIN(TestEditorFiles)
#include "tst_editorfiles.moc"
