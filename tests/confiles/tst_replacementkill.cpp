// kill -9 at any moment of a swap-in, a DeCON or the exit's return leaves every game file old or
// new, whole: never missing, never cut. A child process replaces the files in a loop through
// Zentrel's own code and is killed at random moments.
#include "confiles/ChosenFiles.h"
#include "confiles/Originals.h"
#include "confiles/StockStore.h"
#include "platform/DiskFiles.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <cstring>

namespace {

constexpr const char *ChildFlag = "-zentrel-replace-loop";
constexpr int FileSize = 1024 * 1024;
const char *const Names[] = {"USER.CON", "GAME.CON", "DEFS.CON", "DUKE.RTS"};

QByteArray content(char set, int file)
{
    return QByteArray(FileSize, char(set + file)) + QByteArray("end of ") + set;
}

void put(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
        qFatal("cannot write %s", qPrintable(path));
}

// <root>/game: the game directory; <root>/A and <root>/B: the two versions of the four files,
// under the chosen names and as stock copies beside a program.
void makeSets(const QString &root)
{
    for (const char set : {'A', 'B'}) {
        for (int i = 0; i < 4; ++i)
            put(root + '/' + set + '/' + Names[i], content(set, i));
        const char *stock[] = {"KVuser.dat", "KVgame.dat", "KVdefs.dat", "KVDuke.dat"};
        for (int i = 0; i < 4; ++i)
            put(root + '/' + set + "/program/" + stock[i], content(set, i));
    }
    for (int i = 0; i < 4; ++i)
        put(root + "/game/" + Names[i], content('A', i));
}

// The child: replaces the four game files with set A, then B, then A... until it is killed.
int replaceLoop(const QString &writer, const QString &root)
{
    DiskFiles files;
    const QString game = root + "/game";
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    for (int round = 0;; ++round) {
        const QString set = root + (round % 2 ? "/B" : "/A");
        if (writer == "swap-in") {
            ChosenFiles chosen;
            chosen.ChosenRts = set + "/DUKE.RTS";
            chosen.ChosenUserCon = set + "/USER.CON";
            chosen.ChosenGameCon = set + "/GAME.CON";
            chosen.ChosenDefsCon = set + "/DEFS.CON";
            if (!SwapIn::SwapInChosenFiles(files, game, SwapIn::prepare(files, chosen)).isEmpty())
                return 2;
        } else {
            const StockStore stock(files, root + "/store", set + "/program");
            if (writer == "decon") {
                if (!Originals::apply(files, Originals::conPlan(files, stock, game, false)).isEmpty())
                    return 2;
                Originals::apply(files, Originals::exitRtsPlan(files, stock, game, false));
            } else {
                Originals::ReturnToOriginal(files, stock, game, "RTS", false);
                Originals::ReturnToOriginal(files, stock, game, "CON", false);
            }
        }
    }
}

} // namespace

class TestReplacementKill : public QObject
{
    Q_OBJECT
private slots:
    void everyFileIsOldOrNewWhole_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::newRow("swap-in") << "swap-in";
        QTest::newRow("DeCON and DeRTS") << "decon";
        QTest::newRow("return at exit") << "exit";
    }
    void everyFileIsOldOrNewWhole()
    {
        QFETCH(QString, writer);
        QTemporaryDir root;
        makeSets(root.path());
        const int kills = qEnvironmentVariableIntValue("ZENTREL_KILLS") > 0 ? qEnvironmentVariableIntValue("ZENTREL_KILLS") : 50;
        for (int kill = 0; kill < kills; ++kill) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(ChildFlag), writer, root.path()});
            QVERIFY(child.waitForStarted());
            QVERIFY(child.waitForReadyRead(20000));
            QTest::qSleep(QRandomGenerator::global()->bounded(60));
            QCOMPARE(child.state(), QProcess::Running);
            child.kill();
            QVERIFY(child.waitForFinished());
            QCOMPARE(child.exitStatus(), QProcess::CrashExit);

            for (int i = 0; i < 4; ++i) {
                QFile f(root.filePath(QStringLiteral("game/") + Names[i]));
                QVERIFY2(f.open(QIODevice::ReadOnly), Names[i]);
                const QByteArray now = f.readAll();
                QVERIFY2(now == content('A', i) || now == content('B', i),
                         qPrintable(QString("%1 after kill %2: %3 bytes").arg(Names[i]).arg(kill).arg(now.size())));
            }
        }
        // Leftovers of writes killed before their rename are only Zentrel's temporaries of these
        // files, and the next write clears them once they are stale.
        const QDir game(root.filePath("game"));
        const QDateTime old = QDateTime::currentDateTime().addSecs(-600);
        for (const QString &name : game.entryList(QDir::Files)) {
            QFile f(game.filePath(name));
            QVERIFY(f.open(QIODevice::ReadWrite) && f.setFileTime(old, QFileDevice::FileModificationTime));
        }
        DiskFiles files;
        for (int i = 0; i < 4; ++i)
            QVERIFY(files.write(game.filePath(Names[i]), content('A', i)));
        QCOMPARE(game.entryList(QDir::Files), (QStringList{"DEFS.CON", "DUKE.RTS", "GAME.CON", "USER.CON"}));
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], ChildFlag) == 0)
        return replaceLoop(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    TestReplacementKill test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_replacementkill.moc"
