#include "LaunchFixture.h"
#include "launch/widgets/SinglePlayerPanel.h"

#include <QtTest>

class TestSinglePlayer : public QObject
{
    Q_OBJECT
private slots:
    void tickingListsEpisodesPerVersion_data()
    {
        QTest::addColumn<bool>("version15");
        QTest::addColumn<int>("episodes");
        QTest::newRow("1.3d") << false << 3;
        QTest::newRow("1.4/1.5") << true << 4;
    }
    void tickingListsEpisodesPerVersion()
    {
        QFETCH(bool, version15);
        QFETCH(int, episodes);
        LaunchFixture f;
        f.version15 = version15;
        QVERIFY(!f.widget("frmLevel")->isEnabled());
        f.tick("chkSingle");
        QCOMPARE(f.items("cmbEpisode").size(), episodes);
        QCOMPARE(f.combo("cmbEpisode")->currentIndex(), -1);
        QVERIFY(f.widget("frmLevel")->isEnabled());
        QVERIFY(f.widget("frmSkill")->isEnabled());
        QVERIFY(f.widget("cmdSclear")->isEnabled());
        QCOMPARE(f.widget("fraSaved")->isEnabled(), version15);
        QCOMPARE(f.widget("fraMultiDukes")->isEnabled(), version15);
    }

    void versionChangeRefillsTheActivePanel()
    {
        LaunchFixture f;
        f.tick("chkSingle");
        f.choose("cmbEpisode", "Lunar Apocalypse");
        f.version15 = true;
        f.options.versionChanged();
        QCOMPARE(f.items("cmbEpisode").size(), 4);
        QVERIFY(f.widget("fraSaved")->isEnabled());
        QCOMPARE(f.cl().EpisodeSwitch, QString());
        f.version15 = false;
        f.options.versionChanged();
        QCOMPARE(f.items("cmbEpisode").size(), 3);
        QVERIFY(!f.widget("fraSaved")->isEnabled());

        f.tick("chkMulti");
        f.version15 = true;
        f.options.versionChanged();
        QCOMPARE(f.items("cmbMepis").size(), 4);
        QVERIFY(!f.ticked("chkSingle"));
    }

    void chooseEpisodeFillsLevels_data()
    {
        QTest::addColumn<QString>("episode");
        QTest::addColumn<QString>("level");
        QTest::addColumn<int>("levels");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("switches");
        QTest::newRow("Shrapnel City") << "Shrapnel City" << "L.A. RUMBLE" << 11 << "RAW MEAT" << "FREEWAY"
                                       << " /v3 /l4 /s0";
        QTest::newRow("LA Meltdown") << "LA Meltdown" << "FACES OF DEATH" << 7 << "HOLLYWOOD HOLOCAUST"
                                     << "FACES OF DEATH" << " /v1 /l7 /s0";
        QTest::newRow("The Birth") << "The Birth" << "AREA 51" << 11 << "IT'S IMPOSSIBLE" << "AREA 51"
                                   << " /v4 /l11 /s0";
    }
    void chooseEpisodeFillsLevels()
    {
        QFETCH(QString, episode);
        QFETCH(QString, level);
        QFETCH(int, levels);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, switches);
        LaunchFixture f;
        f.version15 = true;
        f.tick("chkSingle");
        f.choose("cmbEpisode", episode);
        const QStringList names = f.items("cmbLevel");
        QCOMPARE(names.size(), levels);
        QCOMPARE(names.first(), first);
        QCOMPARE(names.last(), last);
        QCOMPARE(f.combo("cmbLevel")->currentIndex(), -1);
        QCOMPARE(f.cl().LevelSwitch, QString());
        f.choose("cmbLevel", level);
        QVERIFY(f.ticked("optLvl1"));
        QCOMPARE(f.cl().switches(), switches);
    }

    void levelKeepsAChosenSkill()
    {
        LaunchFixture f;
        f.tick("chkSingle");
        f.choose("cmbEpisode", "Lunar Apocalypse");
        f.tick("optLvl3");
        f.choose("cmbLevel", "WARP FACTOR");
        QVERIFY(f.ticked("optLvl3"));
        QVERIFY(!f.ticked("optLvl1"));
        QCOMPARE(f.cl().switches(), QString(" /v2 /l3 /s2"));
    }

    void newEpisodeDropsTheOldLevel()
    {
        LaunchFixture f;
        f.tick("chkSingle");
        f.choose("cmbEpisode", "Lunar Apocalypse");
        f.choose("cmbLevel", "OVERLORD");
        f.choose("cmbEpisode", "Shrapnel City");
        QCOMPARE(f.cl().EpisodeSwitch, QString(" /v3"));
        QCOMPARE(f.cl().LevelSwitch, QString());
        QCOMPARE(f.cl().SkillSwitch, QString(" /s0"));
    }

    void computerDukes()
    {
        LaunchFixture f;
        f.version15 = true;
        f.tick("chkSingle");
        QVERIFY(!f.widget("cmbMultiDukes")->isEnabled());
        f.tick("chkMultiDuke");
        QCOMPARE(f.items("cmbMultiDukes"), QStringList({"0", "1", "2", "3", "4", "5", "6", "7"}));
        QCOMPARE(f.combo("cmbMultiDukes")->currentIndex(), -1);
        QCOMPARE(f.cl().DukesSwitch, QString());
        f.choose("cmbMultiDukes", "3");
        QCOMPARE(f.cl().DukesSwitch, QString(" /a /q3"));
        f.tick("chkMultiDuke", false);
        QCOMPARE(f.combo("cmbMultiDukes")->count(), 0);
        QVERIFY(!f.widget("cmbMultiDukes")->isEnabled());
        QCOMPARE(f.cl().DukesSwitch, QString());
    }

    void clearSingleKeepsItTickedWithNothingChosen()
    {
        LaunchFixture f;
        f.version15 = true;
        f.tick("chkSingle");
        f.combo("cmbSaved")->addItem("3 LAST NIGHT");
        f.tick("chkMultiDuke");
        f.choose("cmbMultiDukes", "2");
        f.choose("cmbEpisode", "Shrapnel City");
        f.choose("cmbLevel", "STADIUM");
        f.tick("optLvl4");
        f.options.single()->showUserMap("E1L9.MAP"); // ends in a map, like the map button
        f.button("cmdSclear")->click();
        QVERIFY(f.ticked("chkSingle"));
        QCOMPARE(f.items("cmbEpisode").size(), 4);
        QCOMPARE(f.combo("cmbEpisode")->currentIndex(), -1);
        QCOMPARE(f.combo("cmbLevel")->count(), 0);
        QCOMPARE(f.options.single()->mapList()->count(), 0);
        QVERIFY(!f.ticked("chkMultiDuke"));
        for (const char *skill : {"optLvl1", "optLvl2", "optLvl3", "optLvl4"})
            QVERIFY(!f.ticked(skill));
        QCOMPARE(f.cl().switches(), QString());
    }

    void savedGameDropsEveryOtherChoice()
    {
        LaunchFixture f;
        f.version15 = true;
        f.tick("chkSingle");
        QComboBox *saved = f.combo("cmbSaved");
        {
            const QSignalBlocker quiet(saved); // as the start-up scan fills it
            saved->addItems({"0 FIRST", "3 SECOND"});
            saved->setCurrentIndex(-1);
        }
        f.tick("chkMultiDuke");
        f.choose("cmbMultiDukes", "4");
        f.choose("cmbEpisode", "Lunar Apocalypse");
        f.choose("cmbLevel", "SPACEPORT");
        f.tick("Check3");
        f.tick("chkFakeMulti");
        f.choose("cmbMulti", "2");
        saved->setCurrentIndex(1);
        QCOMPARE(f.cl().switches(), QString(" /3 /s0"));
        QCOMPARE(f.items("cmbEpisode").size(), 4);
        QVERIFY(f.ticked("chkMultiDuke"));
        QCOMPARE(f.combo("cmbMultiDukes")->count(), 0);
        QVERIFY(!f.ticked("chkFakeMulti"));
        QCOMPARE(f.host.launchButtonFocused, 1);
        // Picking an episode afterwards deselects the saved game again.
        f.choose("cmbEpisode", "LA Meltdown");
        QCOMPARE(saved->currentIndex(), -1);
        QCOMPARE(f.cl().SavedGameSwitch, QString());
        QCOMPARE(f.cl().EpisodeSwitch, QString(" /v1"));
    }

    void userMapReplacesEpisodeLevelAndSkill()
    {
        LaunchFixture f;
        f.tick("chkSingle");
        f.choose("cmbEpisode", "Lunar Apocalypse");
        f.choose("cmbLevel", "WARP FACTOR");
        f.tick("optLvl3");
        f.options.single()->showUserMap("MYMAP.MAP");
        QCOMPARE(f.cl().switches(), QString(" -map Kvuser.map"));
        QCOMPARE(f.items("cmbEpisode").size(), 3);
        QCOMPARE(f.combo("cmbLevel")->count(), 0);
        QVERIFY(!f.ticked("optLvl3"));
        QCOMPARE(f.options.single()->mapList()->item(0)->text(), QString("MYMAP.MAP"));
        f.choose("cmbEpisode", "Shrapnel City");
        QCOMPARE(f.options.single()->mapList()->count(), 0);
        QCOMPARE(f.cl().switches(), QString(" /v3"));
    }
};

QTEST_MAIN(TestSinglePlayer)
#include "tst_singleplayer.moc"
