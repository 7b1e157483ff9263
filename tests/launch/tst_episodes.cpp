#include "launch/CommandLine.h"
#include "launch/EpisodeTables.h"

#include <QtTest>

class TestEpisodes : public QObject
{
    Q_OBJECT
private slots:
    void tables()
    {
        QCOMPARE(EpisodeTables::episodeNames(false),
                 QStringList({"LA Meltdown", "Lunar Apocalypse", "Shrapnel City"}));
        QCOMPARE(EpisodeTables::episodeNames(true).last(), QString("The Birth"));
        const int counts[] = {7, 11, 11, 11};
        for (int e = 0; e < 4; ++e)
            QCOMPARE(EpisodeTables::levelNames(e).size(), counts[e]);
        QCOMPARE(EpisodeTables::levelNames(3).at(10), QString("AREA 51"));
        QVERIFY(EpisodeTables::levelNames(4).isEmpty());
        QVERIFY(EpisodeTables::levelNames(-1).isEmpty());
        QCOMPARE(EpisodeTables::levelSwitch(10), QString(" /l11"));
        QCOMPARE(EpisodeTables::episodeSwitch(0), QString(" /v1"));
    }

    void switchesJoinInLaunchOrder()
    {
        // Every field set, each to a text naming it, so a swap in the order shows.
        CommandLine cl;
        cl.RespawnSwitch = " /tx";
        cl.FakePlayersSwitch = " /q2";
        cl.NoMonstersSwitch = " /m";
        cl.NetModeSwitch = " /i1";
        cl.GameTypeSwitch = " /c2";
        cl.UserMapSwitch = " -map Kvuser.map";
        cl.SkillSwitch = " /s3";
        cl.LevelSwitch = " /l4";
        cl.EpisodeSwitch = " /v2";
        cl.SavedGameSwitch = " /7";
        cl.DukesSwitch = " /a /q3";
        cl.NetMarker = "-net";
        QCOMPARE(cl.switches(" -name ACE"),
                 QString(" -name ACE /a /q3 /7 /v2 /l4 /s3 -map Kvuser.map /c2 /i1 /m /q2 /tx"));
        QCOMPARE(CommandLine().switches(), QString());
    }
};

QTEST_GUILESS_MAIN(TestEpisodes)
#include "tst_episodes.moc"
