#include "platform/GameWindowTitles.h"

#include <QtTest>

using namespace GameWindowTitles;

class TestGameWindowTitles : public QObject
{
    Q_OBJECT
private slots:
    void programWord_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("word");
        QTest::newRow("0.74-3")
            << "DOSBox 0.74-3, Cpu speed:     3000 cycles, Frameskip  0, Program:   DUKE3D"
            << "DUKE3D";
        QTest::newRow("paused")
            << "DOSBox 0.74-3, Cpu speed: max 100% cycles, Frameskip 0, Program: COMMIT PAUSED"
            << "COMMIT";
        QTest::newRow("other build, lower case") << "DOSBox SVN, Program: duke3d, more"
                                                 << "DUKE3D";
        QTest::newRow("prompt") << "DOSBox 0.74-3, Program:   DOSBOX"
                                << "DOSBOX";
        QTest::newRow("no program") << "Duke3d"
                                    << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void programWord()
    {
        QFETCH(QString, title);
        QFETCH(QString, word);
        QCOMPARE(GameWindowTitles::programWord(title), word);
    }

    void programOfFile()
    {
        QCOMPARE(GameWindowTitles::programOfFile("/games/duke/duke3d.exe"), QStringLiteral("DUKE3D"));
        QCOMPARE(GameWindowTitles::programOfFile("COMMIT.EXE"), QStringLiteral("COMMIT"));
    }

    // The console titles against what a window shows: its current program word and the words
    // seen in it before.
    void matches_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("inDosBox");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QStringList>("seen");
        QTest::addColumn<bool>("match");
        const QStringList startup{"MOUNT", "DOSBOX"};
        const QStringList played{"MOUNT", "DOSBOX", "DUKE3D"};
        const QStringList network{"COMMIT", "DUKE3D", "DOSBOX"};
        QTest::newRow("running") << "Duke3d" << true << "DUKE3D" << played << true;
        QTest::newRow("any case") << "dUKE3D" << true << "DUKE3D" << played << true;
        QTest::newRow("launcher") << "Commit" << true << "COMMIT" << QStringList{"COMMIT"} << true;
        QTest::newRow("game, not launcher") << "Commit" << true << "DUKE3D" << network << false;
        QTest::newRow("starting up is not finished")
            << "Finished - Duke3d" << true << "DOSBOX" << startup << false;
        QTest::newRow("finished") << "Finished - Duke3d" << true << "DOSBOX" << played << true;
        QTest::newRow("finished, lower case") << "Finished - duke3d" << true << "DOSBOX" << played << true;
        QTest::newRow("still running") << "Finished - Duke3d" << true << "DUKE3D" << played << false;
        QTest::newRow("launcher finished") << "Finished - Commit" << true << "DOSBOX" << network << true;
        QTest::newRow("prompt is no game") << "Finished - DOSBOX" << true << "DOSBOX" << played << false;
        QTest::newRow("native program") << "Duke3d" << false << "" << QStringList{} << true;
        QTest::newRow("native has no finished window")
            << "Finished - Duke3d" << false << "" << QStringList{} << false;
        QTest::newRow("native, other program") << "Commit" << false << "" << QStringList{} << false;
        QTest::newRow("empty title") << "" << true << "" << QStringList{} << false;
        QTest::newRow("bare prefix") << "Finished - " << true << "DOSBOX" << played << false;
    }
    void matches()
    {
        QFETCH(QString, title);
        QFETCH(bool, inDosBox);
        QFETCH(QString, current);
        QFETCH(QStringList, seen);
        QFETCH(bool, match);
        const Window w{inDosBox, QStringLiteral("DUKE3D"), current, QSet<QString>(seen.begin(), seen.end())};
        QCOMPARE(GameWindowTitles::matches(parse(title), w), match);
    }
};

QTEST_GUILESS_MAIN(TestGameWindowTitles)
#include "tst_gamewindowtitles.moc"
