#include "LaunchFixture.h"

#include <QtTest>

// Each step is a box name, "+" to tick it or "-" to untick it, e.g. "+Check2".
class TestMisc : public QObject
{
    Q_OBJECT

    static void run(LaunchFixture &f, const QStringList &steps)
    {
        for (const QString &step : steps) {
            const QByteArray name = step.mid(1).toLatin1();
            QVERIFY2(f.widget(name.constData())->isEnabled(), qPrintable(step + " is disabled"));
            f.tick(name.constData(), step.startsWith('+'));
        }
    }

private slots:
    void respawn_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("respawn");
        QTest::addColumn<QString>("noMonsters");
        QTest::addColumn<QStringList>("tickedAfter"); // of All, Monsters, Items, Inventory, None, No Monsters
        QTest::addColumn<QStringList>("disabledAfter");

        QTest::newRow("monsters, items, inventory make All")
            << QStringList{"+Check2", "+Check3", "+Check4"} << " /tx" << ""
            << QStringList{"Check1"} << QStringList{"Check2", "Check3", "Check4", "chkNoMons"};
        QTest::newRow("items then inventory")
            << QStringList{"+Check3", "+Check4"} << " /t1 /t2" << "" << QStringList{"Check3", "Check4"}
            << QStringList{};
        QTest::newRow("monsters forbids no monsters")
            << QStringList{"+Check2"} << " /t0" << "" << QStringList{"Check2"} << QStringList{"chkNoMons"};
        QTest::newRow("unticking a box takes its piece out")
            << QStringList{"+Check2", "+Check4", "-Check2"} << " /t2" << "" << QStringList{"Check4"}
            << QStringList{};
        QTest::newRow("retick after untick adds the piece once")
            << QStringList{"+Check3", "-Check3", "+Check3"} << " /t1" << "" << QStringList{"Check3"}
            << QStringList{};
        QTest::newRow("None resets")
            << QStringList{"+Check2", "+Check3", "+chkResNone"} << "" << "" << QStringList{"chkResNone"}
            << QStringList{};
        QTest::newRow("None after All")
            << QStringList{"+Check1", "+chkResNone"} << "" << "" << QStringList{"chkResNone"} << QStringList{};
        QTest::newRow("unticking All")
            << QStringList{"+Check1", "-Check1"} << "" << "" << QStringList{} << QStringList{};
        QTest::newRow("no monsters, then items and inventory")
            << QStringList{"+Check1", "-Check1", "+chkNoMons", "+Check3", "+Check4"} << " /t1 /t2" << " /m"
            << QStringList{"Check3", "Check4", "chkNoMons"} << QStringList{"Check1", "Check2"};
        QTest::newRow("no monsters without All")
            << QStringList{"+Check4", "+chkNoMons"} << " /t2" << " /m" << QStringList{"Check4", "chkNoMons"}
            << QStringList{"Check1", "Check2"};
        QTest::newRow("no monsters unticked")
            << QStringList{"+chkNoMons", "-chkNoMons"} << "" << "" << QStringList{"chkResNone"} << QStringList{};
    }
    void respawn()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, respawn);
        QFETCH(QString, noMonsters);
        QFETCH(QStringList, tickedAfter);
        QFETCH(QStringList, disabledAfter);
        LaunchFixture f;
        QVERIFY(f.ticked("chkResNone"));
        run(f, steps);
        QCOMPARE(f.cl().RespawnSwitch, respawn);
        QCOMPARE(f.cl().NoMonstersSwitch, noMonsters);
        for (const char *box : {"Check1", "Check2", "Check3", "Check4", "chkResNone", "chkNoMons"}) {
            QCOMPARE(f.ticked(box), tickedAfter.contains(box));
            QCOMPARE(!f.widget(box)->isEnabled(), disabledAfter.contains(box));
        }
    }

    // DukeMatch (no spawn) while All is ticked: monsters stop respawning, items and inventory
    // keep respawning, and the player cannot untick "No Monsters" until the game type changes.
    void dukeMatchWithoutSpawnWhileAllTicked()
    {
        LaunchFixture f;
        f.tick("chkMulti");
        f.tick("Check1");
        f.tick("optDukeNOSpawn");
        QCOMPARE(f.cl().RespawnSwitch, QString(" /t1 /t2"));
        QCOMPARE(f.cl().NoMonstersSwitch, QString(" /m"));
        QVERIFY(f.ticked("chkNoMons") && !f.widget("chkNoMons")->isEnabled());
        QVERIFY(!f.ticked("Check1") && !f.widget("Check1")->isEnabled());
        QVERIFY(!f.ticked("Check2") && !f.widget("Check2")->isEnabled());
        QVERIFY(f.ticked("Check3") && f.ticked("Check4"));

        f.tick("optDukeSpawn");
        QCOMPARE(f.cl().GameTypeSwitch, QString(" /c1"));
        QCOMPARE(f.cl().NoMonstersSwitch, QString());
        QVERIFY(!f.ticked("chkNoMons") && f.widget("chkNoMons")->isEnabled());
        QVERIFY(f.widget("Check1")->isEnabled() && f.widget("Check2")->isEnabled());
    }

    void fakePlayers()
    {
        LaunchFixture f;
        QVERIFY(!f.widget("cmbMulti")->isEnabled());
        f.tick("chkFakeMulti");
        QCOMPARE(f.items("cmbMulti"), QStringList({"1", "2", "3", "4", "5", "6", "7", "8"}));
        QCOMPARE(f.combo("cmbMulti")->currentIndex(), -1);
        QVERIFY(f.widget("cmbMulti")->isEnabled());
        f.choose("cmbMulti", "4");
        QCOMPARE(f.cl().FakePlayersSwitch, QString(" /q4"));
        f.tick("chkFakeMulti", false);
        QCOMPARE(f.cl().FakePlayersSwitch, QString());
        QCOMPARE(f.combo("cmbMulti")->count(), 0);
        QVERIFY(!f.widget("cmbMulti")->isEnabled());
    }

    // With a fake-player count the game runs locally; without one (again) multi player goes
    // back to the network launcher.
    void fakePlayersAndNetMarker()
    {
        LaunchFixture f;
        f.tick("chkMulti");
        QCOMPARE(f.cl().NetMarker, QString("-net"));
        f.tick("chkFakeMulti");
        QCOMPARE(f.cl().NetMarker, QString("-net"));
        f.choose("cmbMulti", "2");
        QCOMPARE(f.cl().NetMarker, QString());
        f.tick("chkFakeMulti", false);
        QCOMPARE(f.cl().NetMarker, QString("-net"));
        f.tick("chkFakeMulti");
        f.choose("cmbMulti", "3");
        f.button("cmdMclear")->click(); // re-ticking multi keeps the local game
        QCOMPARE(f.cl().NetMarker, QString());
        f.tick("chkMulti", false);
        f.tick("chkFakeMulti", false);
        QCOMPARE(f.cl().NetMarker, QString()); // no multi player, no network launcher
    }

    void clearMisc()
    {
        LaunchFixture f;
        f.tick("chkMulti");
        f.get<QLineEdit>("txtName")->setText("ace");
        f.tick("Check2");
        f.tick("Check3");
        f.tick("chkFakeMulti");
        f.choose("cmbMulti", "5");
        f.button("cmdMscClear")->click();
        for (const char *box : {"Check1", "Check2", "Check3", "Check4", "chkResNone", "chkNoMons", "chkFakeMulti"})
            QVERIFY2(!f.ticked(box), box);
        QCOMPARE(f.get<QLineEdit>("txtName")->text(), QString());
        QCOMPARE(f.net().TypedPlayerName, QString());
        QCOMPARE(f.cl().RespawnSwitch, QString());
        QCOMPARE(f.cl().FakePlayersSwitch, QString());
        QVERIFY(f.widget("chkNoMons")->isEnabled());
    }
};

QTEST_MAIN(TestMisc)
#include "tst_misc.moc"
