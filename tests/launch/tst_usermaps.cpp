// The saved-game list and the two User Map buttons in the option panels, over a real game
// directory: the scan, the choice and what it drops, the map dialog, the KVuser.map copy.
#include "LaunchFixture.h"
#include "launch/widgets/MultiPlayerPanel.h"
#include "launch/widgets/SinglePlayerPanel.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

struct MapRig : LaunchFixture
{
    QTemporaryDir game;
    QTemporaryDir maps;

    MapRig()
    {
        module1.DukePath = game.path();
        module1.MAPPath = maps.path();
    }
    QString map(const QString &name, const QByteArray &data)
    {
        QFile f(maps.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(data);
        return f.fileName();
    }
    void save(const QString &name, const QByteArray &description)
    {
        QFile f(game.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(26, '\0') + description + "z");
    }
    QByteArray copy() const
    {
        QFile f(game.filePath("KVuser.map"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QStringList mapItems(const char *list)
    {
        QStringList out;
        auto *l = get<QListWidget>(list);
        for (int i = 0; i < l->count(); ++i)
            out << l->item(i)->text();
        return out;
    }
    // The map button with the dialog answering path (empty: cancelled).
    void pickMap(const char *button, const QString &path)
    {
        prompts.chosenPaths.enqueue(path);
        this->button(button)->click();
    }
};

} // namespace

class TestUserMaps : public QObject
{
    Q_OBJECT
private slots:
    // GAME0.SAV and game3.sav listed by slot; the second chosen drops every other way into a game.
    void savedGameFromTheScan()
    {
        MapRig f;
        f.save("GAME0.SAV", "FIRST");
        f.save("game3.sav", "SECOND");
        f.version15 = true;
        f.tick("chkSingle");
        f.options.ScanSavedGames();
        QCOMPARE(f.items("cmbSaved"), (QStringList{"0 FIRST", "3 SECOND"}));
        QCOMPARE(f.combo("cmbSaved")->currentIndex(), -1);

        f.choose("cmbEpisode", "Shrapnel City");
        f.choose("cmbLevel", "BANK ROLL");
        f.tick("chkMultiDuke");
        f.choose("cmbMultiDukes", "2");
        f.tick("Check3");
        f.version15 = false; // the episode list is refilled with all four all the same
        f.choose("cmbSaved", "3 SECOND");
        QCOMPARE(f.cl().switches(), QString(" /3 /s0"));
        QCOMPARE(f.items("cmbEpisode").size(), 4);
        QCOMPARE(f.combo("cmbEpisode")->currentIndex(), -1);
        QCOMPARE(f.combo("cmbLevel")->count(), 0);
        QCOMPARE(f.combo("cmbMultiDukes")->count(), 0);
        QVERIFY(!f.ticked("Check3"));

        // A map chosen before a saved game is dropped by it too.
        f.pickMap("cmdSmap", f.map("E9L9.MAP", "map"));
        QCOMPARE(f.cl().SavedGameSwitch, QString());
        f.choose("cmbSaved", "0 FIRST");
        QVERIFY(f.mapItems("lstSmap").isEmpty());
        QCOMPARE(f.cl().switches(), QString(" /0"));
        QCOMPARE(f.host.launchButtonFocused, 2);
    }

    // After episode 2, level 3 and "Come Get Some", a map leaves only its own switch, and the
    // game directory's copy is the chosen file byte for byte.
    void singlePlayerMap()
    {
        MapRig f;
        f.tick("chkSingle");
        f.choose("cmbEpisode", "Lunar Apocalypse");
        f.choose("cmbLevel", "WARP FACTOR");
        f.tick("optLvl3");
        const QByteArray bytes("\x07\0\0\0 a map\xff\r\n", 12);
        f.pickMap("cmdSmap", f.map("MyMap.MAP", bytes));
        QCOMPARE(f.cl().switches(), QString(" -map Kvuser.map"));
        QCOMPARE(f.copy(), bytes);
        QCOMPARE(f.mapItems("lstSmap"), QStringList{"MyMap.MAP"});
        QCOMPARE(f.items("cmbEpisode").size(), 3);
        QCOMPARE(f.combo("cmbLevel")->count(), 0);
        QVERIFY(!f.ticked("optLvl3"));
        QCOMPARE(f.prompts.chooserStarts, QStringList{f.maps.path()});
    }

    // Cancelled: nothing changes. Chosen twice: only the second is listed and copied.
    void cancelAndChooseAgain()
    {
        MapRig f;
        f.tick("chkSingle");
        f.choose("cmbEpisode", "Lunar Apocalypse");
        f.choose("cmbLevel", "WARP FACTOR");
        f.pickMap("cmdSmap", QString());
        QCOMPARE(f.cl().switches(), QString(" /v2 /l3 /s0"));
        QCOMPARE(f.copy(), QByteArray("<missing>"));

        f.pickMap("cmdSmap", f.map("ONE.MAP", "first"));
        f.pickMap("cmdSmap", QString());
        QCOMPARE(f.mapItems("lstSmap"), QStringList{"ONE.MAP"});
        QCOMPARE(f.copy(), QByteArray("first"));
        QCOMPARE(f.cl().UserMapSwitch, QString(" -map Kvuser.map"));

        f.pickMap("cmdSmap", f.map("TWO.MAP", "second"));
        QCOMPARE(f.mapItems("lstSmap"), QStringList{"TWO.MAP"});
        QCOMPARE(f.copy(), QByteArray("second"));
    }

    // A copy that fails is told, and the map before (list, switch and copy) stays as it was.
    void failedCopyChoosesNothing()
    {
        MapRig f;
        f.tick("chkSingle");
        f.pickMap("cmdSmap", f.map("ONE.MAP", "first"));
        f.choose("cmbEpisode", "LA Meltdown"); // drops the map; its copy stays until the exit
        f.choose("cmbLevel", "DEATH ROW");
        f.pickMap("cmdSmap", f.maps.filePath("GONE.MAP"));
        QCOMPARE(f.prompts.shown.size(), 1);
        QVERIFY2(f.prompts.shown.first().text.contains("GONE.MAP"), qPrintable(f.prompts.shown.first().text));
        QCOMPARE(f.prompts.shown.first().icon, Prompts::Icon::Exclamation);
        QCOMPARE(f.cl().switches(), QString(" /v1 /l3 /s0"));
        QVERIFY(f.mapItems("lstSmap").isEmpty());
        QCOMPARE(f.copy(), QByteArray("first"));
    }

    // The multi-player map: the lists are emptied, and so are the switches they showed; its
    // dialog starts at the last choice.
    void multiPlayerMap()
    {
        MapRig f;
        f.tick("chkSingle");
        const QString first = f.map("ONE.MAP", "first");
        f.pickMap("cmdSmap", first);
        f.tick("chkMulti");
        f.tick("optCoop");
        f.choose("cmbMepis", "Lunar Apocalypse");
        f.choose("cmbMlev", "WARP FACTOR");
        QVERIFY(f.cl().switches().contains(" /v2 /l3"));
        f.pickMap("cmdMap", f.map("DM.MAP", "deathmatch"));
        QVERIFY2(!f.cl().switches().contains("/v") && !f.cl().switches().contains("/l"),
                 qPrintable(f.cl().switches()));
        QVERIFY(f.cl().switches().contains(" -map Kvuser.map"));
        QCOMPARE(f.combo("cmbMlev")->count(), 0);
        QCOMPARE(f.mapItems("lstMap"), QStringList{"DM.MAP"});
        QCOMPARE(f.copy(), QByteArray("deathmatch"));
        QCOMPARE(f.prompts.chooserStarts, (QStringList{f.maps.path(), first}));
    }

    // A scan after a game keeps the chosen saved game while its slot is there, and lets it go
    // once the file is gone.
    void rescanKeepsTheChoice()
    {
        MapRig f;
        f.version15 = true;
        f.save("GAME0.SAV", "FIRST");
        f.save("GAME3.SAV", "SECOND");
        f.tick("chkSingle");
        f.options.ScanSavedGames();
        f.choose("cmbSaved", "3 SECOND");
        f.tick("optLvl2");

        f.save("GAME5.SAV", "NEW");
        f.save("GAME3.SAV", "RENAMED");
        f.options.ScanSavedGames();
        QCOMPARE(f.items("cmbSaved"), (QStringList{"0 FIRST", "3 RENAMED", "5 NEW"}));
        QCOMPARE(f.combo("cmbSaved")->currentText(), QStringLiteral("3 RENAMED"));
        QCOMPARE(f.cl().switches(), QString(" /3 /s1"));
        QCOMPARE(f.host.launchButtonFocused, 1); // no second choice was made

        QVERIFY(QFile::remove(f.game.filePath("GAME3.SAV")));
        f.options.ScanSavedGames();
        QCOMPARE(f.items("cmbSaved"), (QStringList{"0 FIRST", "5 NEW"}));
        QCOMPARE(f.combo("cmbSaved")->currentIndex(), -1);
        QCOMPARE(f.cl().switches(), QString(" /s1"));
    }
};

QTEST_MAIN(TestUserMaps)
#include "tst_usermaps.moc"
