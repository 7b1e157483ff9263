// A network game between two Zentrels on one machine, for real: each main window launches with
// the Network settings of its side, one hosting DOSBox's IPX tunnel and one joining it over the
// loopback address. On each side a stand-in launcher asks DOS for the IPX driver; the joiner's
// DOSBox reports its connection to the host.
#include "ControlDriver.h"
#include "DosBoxGame.h"
#include "FakePrompts.h"
#include "MemorySettingsStore.h"
#include "Prerequisites.h"

#include "app/widgets/frmMain.h"
#include "core/Module1.h"
#include "platform/DiskFiles.h"
#include "platform/Platform.h"

#include <QAbstractButton>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

namespace {

struct Side : ControlDriver
{
    QTemporaryDir home;
    DosBoxGameDir game;
    MemorySettingsStore store;
    DiskFiles files;
    FakePrompts prompts;
    RecordingRunner runner{home.path()}; // DOSBox stays at its prompt: the tunnel stays up
    Platform platform{store, files, prompts, QString()};
    Module1 m{platform};
    std::unique_ptr<frmMain> window;

    Side(bool join, int port)
    {
        QFile::remove(game.filePath("COMMIT.EXE"));
        if (!QFile::copy(Prerequisites::dosStubDir() + "/IPXCHECK.EXE", game.filePath("COMMIT.EXE")))
            qFatal("no IPXCHECK.EXE");
        store.setValue("Network", "Role", join ? "Join" : "Host");
        store.setValue("Network", "Host", "127.0.0.1");
        store.setValue("Network", "Port", QString::number(port));
        platform.runner = &runner;
        m.DukePath = game.path();
        m.DukeWin = "0";
        window = std::make_unique<frmMain>(m);
        window->quitProgram = [] {};
        window->Form_Load();
        setRoot(window.get());
    }
    ~Side()
    {
        for (const GameRunner::Result &r : runner.results)
            if (r.pid > 0) {
                ::kill(pid_t(r.pid), SIGTERM);
                waitGone(r.pid, 10000);
            }
    }
    bool launch()
    {
        qputenv("HOME", home.path().toUtf8());
        tick("chkMulti");
        tick("optCoop");
        choose("cmbNumPlayers", "2");
        button("cmdLaunch")->click();
        return runner.lastStarted(prompts.texts());
    }
    // DOSBox's own output, in its run directory.
    QByteArray dosBoxLog() const
    {
        QByteArray out;
        QDirIterator it(home.path(), {"dosbox.log"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            if (f.open(QIODevice::ReadOnly))
                out += f.readAll();
        }
        return out;
    }
};

// A UDP port some process has bound, as the kernel lists them.
bool udpPortBound(int port)
{
    const QString hex = QStringLiteral(":%1 ").arg(port, 4, 16, QLatin1Char('0')).toUpper();
    for (const char *table : {"/proc/net/udp", "/proc/net/udp6"}) {
        QFile f{QString::fromLatin1(table)};
        if (f.open(QIODevice::ReadOnly) && QString::fromLatin1(f.readAll()).contains(hex))
            return true;
    }
    return false;
}

} // namespace

class TestIpxTunnel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        using Prerequisites::Need;
        REQUIRE_PREREQUISITES(Need::DosBox, Need::DosStubs);
        qputenv("SDL_VIDEODRIVER", "dummy");
        qputenv("SDL_AUDIODRIVER", "dummy");
    }

    void hostAndJoinerConnect()
    {
        int port = 20000 + int(QCoreApplication::applicationPid() % 20000);
        while (udpPortBound(port))
            ++port;
        Side host(false, port);
        Side joiner(true, port);
        QVERIFY(host.game.ready() && joiner.game.ready());

        QVERIFY(host.launch());
        QTRY_VERIFY_WITH_TIMEOUT(udpPortBound(port), 30000); // the host's tunnel is up
        QVERIFY(joiner.launch());

        QTRY_COMPARE_WITH_TIMEOUT(joiner.game.read("IPX.TXT"), QByteArray("IPX driver found\r\n"), 30000);
        QTRY_COMPARE_WITH_TIMEOUT(host.game.read("IPX.TXT"), QByteArray("IPX driver found\r\n"), 30000);
        // DOSBox writes its log out when it ends: stop the joiner, then read what it reported.
        const qint64 joinerPid = joiner.runner.lastPid();
        QVERIFY(joinerPid > 0 && !processGone(joinerPid));
        ::kill(pid_t(joinerPid), SIGTERM);
        QVERIFY(waitGone(joinerPid, 20000));
        QVERIFY2(joiner.dosBoxLog().contains("IPX: Connected to server.  IPX address is 127:0:0:1:"),
                 joiner.dosBoxLog().constData());
        QVERIFY(!processGone(host.runner.lastPid())); // the host is still serving
        QVERIFY(host.prompts.shown.isEmpty() && joiner.prompts.shown.isEmpty());
    }
};

QTEST_MAIN(TestIpxTunnel)
#include "tst_ipxtunnel.moc"
