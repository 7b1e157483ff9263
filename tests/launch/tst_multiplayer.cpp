#include "LaunchFixture.h"
#include "launch/widgets/MultiPlayerPanel.h"
#include "launch/widgets/SinglePlayerPanel.h"

#include <QClipboard>
#include <QtTest>

class TestMultiPlayer : public QObject
{
    Q_OBJECT
private slots:
    void tickingFillsFromTheSavedValues()
    {
        LaunchFixture f;
        f.net().SavedPlayerCount = "4";
        f.net().SavedSocket = "10";
        f.net().SavedPlayerName = "DUKE";
        f.tick("chkSingle");
        f.tick("chkMulti");
        QVERIFY(!f.ticked("chkSingle"));
        QCOMPARE(f.items("cmbNumPlayers"), QStringList({"2", "3", "4", "5", "6", "7", "8"}));
        QCOMPARE(f.combo("cmbNumPlayers")->currentText(), QString("4"));
        QCOMPARE(f.cl().NetModeSwitch, QString(" /i1"));
        QCOMPARE(f.get<QLineEdit>("txtSocket")->text(), QString("10"));
        QCOMPARE(f.get<QLineEdit>("txtName")->text(), QString("DUKE"));
        QCOMPARE(f.items("cmbMepis").size(), 3);
        QCOMPARE(f.cl().NetMarker, QString("-net"));
        for (const char *frame : {"frmGameType", "frmPlayers", "fraSocket", "fraMultiName", "fraMlev", "fraMSkill",
                                  "fraMap", "cmdMclear"})
            QVERIFY2(f.widget(frame)->isEnabled(), frame);
        f.choose("cmbNumPlayers", "5");
        QCOMPARE(f.cl().NetModeSwitch, QString(" /i0"));
        f.choose("cmbNumPlayers", "2");
        QCOMPARE(f.cl().NetModeSwitch, QString(" /i1"));
    }

    void savedCountOutsideTheListPreselectsNothing_data()
    {
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("selected");
        QTest::newRow("1") << "1" << "";
        QTest::newRow("9") << "9" << "";
        QTest::newRow("-3") << "-3" << "";
        QTest::newRow("text") << "many" << "";
        QTest::newRow("huge") << "1e300" << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("8") << "8" << "8";
        QTest::newRow("fraction") << "3.7" << "3";
    }
    void savedCountOutsideTheListPreselectsNothing()
    {
        QFETCH(QString, count);
        QFETCH(QString, selected);
        LaunchFixture f;
        f.net().SavedPlayerCount = count;
        f.tick("chkMulti");
        QCOMPARE(f.combo("cmbNumPlayers")->currentText(), selected);
        QCOMPARE(f.cl().NetModeSwitch.isEmpty(), selected.isEmpty());
    }

    void untickingSwitchesThePanelOff()
    {
        LaunchFixture f;
        f.net().SavedPlayerCount = "6";
        f.tick("chkMulti");
        f.tick("optDukeNOSpawn");
        f.choose("cmbMepis", "Lunar Apocalypse");
        f.choose("cmbMlev", "INCUBATOR");
        f.options.multi()->showUserMap("ARENA.MAP");
        f.tick("chkMulti", false);
        QCOMPARE(f.cl().switches(), QString());
        QCOMPARE(f.cl().NetMarker, QString());
        QCOMPARE(f.get<QLineEdit>("txtSocket")->text(), QString("~"));
        for (const char *option : {"optCoop", "optDukeNOSpawn", "optDukeSpawn", "optMSk1"})
            QVERIFY2(!f.ticked(option), option);
        QVERIFY(!f.ticked("chkNoMons") && f.widget("chkNoMons")->isEnabled());
        QCOMPARE(f.combo("cmbNumPlayers")->count() + f.combo("cmbMepis")->count() + f.combo("cmbMlev")->count(), 0);
        QCOMPARE(f.options.multi()->mapList()->count(), 0);
        for (const char *frame : {"frmGameType", "frmPlayers", "fraSocket", "fraMultiName", "fraMlev", "fraMSkill",
                                  "fraMap", "cmdMclear"})
            QVERIFY2(!f.widget(frame)->isEnabled(), frame);
    }

    void gameTypes_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("switches");
        QTest::addColumn<bool>("noMonsTicked");
        QTest::newRow("Coop") << "optCoop" << " /c2" << false;
        QTest::newRow("DukeMatch (no spawn)") << "optDukeNOSpawn" << " /c1 /m" << true;
        QTest::newRow("Dukematch (spawn)") << "optDukeSpawn" << " /c1" << false;
    }
    void gameTypes()
    {
        QFETCH(QString, option);
        QFETCH(QString, switches);
        QFETCH(bool, noMonsTicked);
        LaunchFixture f;
        f.tick("chkMulti");
        f.tick(option.toLatin1().constData());
        QCOMPARE(f.cl().switches(), switches);
        QCOMPARE(f.ticked("chkNoMons"), noMonsTicked);
        QCOMPARE(f.widget("chkNoMons")->isEnabled(), !noMonsTicked);

        // Chosen after "DukeMatch (no spawn)": the no-monsters lock goes with it unless it stays.
        f.tick("optDukeNOSpawn");
        f.tick(option.toLatin1().constData());
        QCOMPARE(f.cl().switches(), switches);
        QCOMPARE(f.widget("chkNoMons")->isEnabled(), !noMonsTicked);
    }

    // "Clear Misc Options" after "DukeMatch (no spawn)" unticks "No Monsters" and unlocks it.
    void clearMiscUnlocksNoMonsters()
    {
        LaunchFixture f;
        f.tick("chkMulti");
        f.tick("optDukeNOSpawn");
        f.options.ClearMiscOptions();
        QVERIFY(!f.ticked("chkNoMons"));
        QVERIFY(f.widget("chkNoMons")->isEnabled());
    }

    void levelSelectsPieceOfCakeInThisPanel()
    {
        LaunchFixture f;
        f.tick("chkMulti");
        f.choose("cmbMepis", "Shrapnel City");
        QCOMPARE(f.items("cmbMlev").size(), 11);
        f.choose("cmbMlev", "L.A. RUMBLE");
        QVERIFY(f.ticked("optMSk1"));
        QVERIFY(!f.ticked("optLvl1"));
        QCOMPARE(f.cl().switches(), QString(" /v3 /l4 /s0"));
        f.tick("optMSk4");
        f.choose("cmbMlev", "FREEWAY");
        QCOMPARE(f.cl().switches(), QString(" /v3 /l11 /s3"));
    }

    void socketKeyFilter_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("digits replace the placeholder") << "" << "1234" << "1234";
        QTest::newRow("a fifth digit resets") << "" << "12345" << "~";
        QTest::newRow("and starts again") << "" << "123456" << "6";
        QTest::newRow("letters are ignored") << "" << "1a2G-3 " << "123";
        QTest::newRow("saved socket extended") << "8" << "7" << "87";
    }
    void socketKeyFilter()
    {
        QFETCH(QString, start);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        LaunchFixture f;
        f.net().SavedSocket = start;
        f.tick("chkMulti");
        QLineEdit *socket = f.get<QLineEdit>("txtSocket");
        QCOMPARE(socket->text(), start.isEmpty() ? QString("~") : start);
        socket->end(false);
        QTest::keyClicks(socket, typed);
        QCOMPARE(socket->text(), shown);
        QCOMPARE(f.options.multi()->socket(), shown);
    }

    void socketBackspaceAndPaste()
    {
        LaunchFixture f;
        f.tick("chkMulti");
        QLineEdit *socket = f.get<QLineEdit>("txtSocket");
        QTest::keyClicks(socket, "5");
        QTest::keyClick(socket, Qt::Key_Backspace);
        QCOMPARE(socket->text(), QString("~"));
        QTest::keyClick(socket, Qt::Key_Backspace);
        QCOMPARE(socket->text(), QString("~"));
        QTest::keyClicks(socket, "12");
        QTest::keyClick(socket, Qt::Key_Backspace);
        QCOMPARE(socket->text(), QString("1"));
        socket->selectAll();
        QTest::keyClick(socket, Qt::Key_Delete);
        QCOMPARE(socket->text(), QString("~"));
        QGuiApplication::clipboard()->setText("zz");
        QTest::keySequence(socket, QKeySequence::Paste);
        QCOMPARE(socket->text(), QString("~"));
    }

    // Text that arrives other than by typing (the X11 selection by middle click, a paste, a drop
    // all insert it) holds the box's rule too: "~" or 1 to 4 hex digits.
    void socketRuleHoldsForInsertedText_data()
    {
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<QString>("shown");
        QTest::newRow("junk and too many digits") << "zz99999" << "~";
        QTest::newRow("five digits") << "12345" << "~";
        QTest::newRow("four hex digits") << "4a2B" << "4a2B";
        QTest::newRow("0x prefix") << "0x12" << "~";
        QTest::newRow("a blank") << "1 2" << "~";
    }
    void socketRuleHoldsForInsertedText()
    {
        QFETCH(QString, inserted);
        QFETCH(QString, shown);
        LaunchFixture f;
        f.tick("chkMulti");
        QLineEdit *socket = f.get<QLineEdit>("txtSocket");
        socket->selectAll();
        socket->insert(inserted);
        QCOMPARE(socket->text(), shown);
    }

    void typedNameComesBackUpperCase()
    {
        LaunchFixture f;
        f.net().SavedPlayerName = "DUKE";
        f.tick("chkMulti");
        QLineEdit *name = f.get<QLineEdit>("txtName");
        name->clear();
        QTest::keyClicks(name, "ace");
        QCOMPARE(f.net().TypedPlayerName, QString("ace"));
        f.tick("chkMulti", false);
        QCOMPARE(name->text(), QString());
        QCOMPARE(f.net().TypedPlayerName, QString("ACE"));
        f.tick("chkMulti");
        QCOMPARE(name->text(), QString("ACE"));
        f.button("cmdMclear")->click();
        QCOMPARE(name->text(), QString("ACE"));
        f.options.ClearAllOptions(); // clears the name: the next tick shows the file's name
        f.tick("chkMulti");
        QCOMPARE(name->text(), QString("DUKE"));
    }

    void clearAllOptions()
    {
        LaunchFixture f;
        f.tick("chkMulti");
        f.tick("optCoop");
        f.tick("Check1");
        f.tick("chkFakeMulti");
        f.choose("cmbMulti", "3");
        f.options.ClearAllOptions();
        QVERIFY(f.ticked("chkSingle"));
        QVERIFY(!f.ticked("chkMulti"));
        QCOMPARE(f.combo("cmbEpisode")->count(), 3);
        QCOMPARE(f.cl().switches(), QString());
        QCOMPARE(f.cl().NetMarker, QString());
        QVERIFY(!f.ticked("chkResNone"));
        QCOMPARE(f.host.order, (QStringList{"con/rts", "use con"})); // the first step and the last
    }

    // The commands of the launch's illustration table, from the panels' controls.
    void illustrationRows()
    {
        {
            LaunchFixture f;
            f.tick("chkSingle");
            f.choose("cmbEpisode", "LA Meltdown");
            f.choose("cmbLevel", "HOLLYWOOD HOLOCAUST");
            f.tick("optLvl2");
            QCOMPARE(f.cl().switches(), QString(" /v1 /l1 /s1"));
            QCOMPARE(f.cl().NetMarker, QString());
        }
        {
            LaunchFixture f;
            f.version15 = true;
            f.tick("chkSingle");
            QComboBox *saved = f.combo("cmbSaved");
            {
                const QSignalBlocker quiet(saved);
                saved->addItems({"1 ONE", "3 THREE"});
                saved->setCurrentIndex(-1);
            }
            f.choose("cmbSaved", "3 THREE");
            QCOMPARE(f.cl().switches(), QString(" /3"));
        }
        {
            LaunchFixture f;
            f.net().SavedPlayerName = "DUKE";
            f.net().SavedPlayerCount = "4";
            f.tick("chkMulti");
            f.tick("optCoop");
            f.get<QLineEdit>("txtName")->setText("ace");
            const QString name = f.options.multi()->playerName();
            QVERIFY(name != f.net().SavedPlayerName);
            QCOMPARE(f.cl().switches(" -name " + name.toUpper()), QString(" -name ACE /c2 /i1"));
            QCOMPARE(f.cl().NetMarker, QString("-net"));
        }
        {
            LaunchFixture f;
            f.tick("chkMulti");
            f.tick("optDukeNOSpawn");
            f.choose("cmbNumPlayers", "6");
            f.choose("cmbMepis", "Lunar Apocalypse");
            f.choose("cmbMlev", "WARP FACTOR");
            f.tick("optMSk4");
            QCOMPARE(f.cl().switches(), QString(" /v2 /l3 /s3 /c1 /i0 /m"));
            QCOMPARE(f.cl().NetMarker, QString("-net"));
        }
        {
            LaunchFixture f;
            f.tick("chkSingle");
            f.options.single()->showUserMap("MY.MAP");
            f.tick("chkFakeMulti");
            f.choose("cmbMulti", "4");
            QCOMPARE(f.cl().switches(), QString(" -map Kvuser.map /q4"));
        }
        {
            // Multi player with two fake players runs the game itself.
            LaunchFixture f;
            f.tick("chkMulti");
            f.tick("optCoop");
            f.choose("cmbNumPlayers", "2");
            f.tick("chkFakeMulti");
            f.choose("cmbMulti", "2");
            QCOMPARE(f.cl().switches(), QString(" /c2 /i1 /q2"));
            QCOMPARE(f.cl().NetMarker, QString());
        }
    }
};

QTEST_MAIN(TestMultiPlayer)
#include "tst_multiplayer.moc"
