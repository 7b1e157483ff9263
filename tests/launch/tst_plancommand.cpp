// The launch plan's command, pasted into sh, starts DOSBox exactly as the launch does: a stand-in
// dosbox records its arguments and the settings file it was given, once for each.
#include "Prerequisites.h"

#include "launch/LaunchPlanText.h"
#include "platform/linux/ProcessGameRunner.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Recorded
{
    QStringList arguments; // the run directory as <run>
    QByteArray conf;
};

Recorded read(const QString &path)
{
    Recorded r;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return r;
    QList<QByteArray> parts = f.readAll().split('\0');
    parts.removeLast();
    for (const QByteArray &part : parts)
        r.arguments << QString::fromUtf8(part);
    const qsizetype conf = r.arguments.indexOf(QStringLiteral("-conf"));
    if (conf < 0 || conf + 1 >= r.arguments.size())
        return r;
    const QString runDir = QFileInfo(r.arguments.at(conf + 1)).path();
    for (QString &argument : r.arguments)
        argument.replace(runDir, QStringLiteral("<run>"));
    QFile confFile(path + ".conf");
    if (confFile.open(QIODevice::ReadOnly))
        r.conf = confFile.readAll();
    return r;
}

} // namespace

class TestPlanCommand : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        using Prerequisites::Need;
        REQUIRE_PREREQUISITES(Need::DosStubs);
        qputenv("SDL_VIDEODRIVER", "dummy"); // the stand-in dosbox needs no display
    }

    void quoting_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::newRow("plain") << "c:";
        QTest::newRow("blank and quote") << "mount c \"/games/my duke\"";
        QTest::newRow("single quote") << "it's";
        QTest::newRow("shell characters") << "$HOME `id` ; & | > < * ? ! \\ %";
    }
    void quoting()
    {
        QFETCH(QString, argument);
        QProcess sh;
        sh.start("sh", {"-c", "printf '%s' " + LaunchPlanText::shellQuote(argument)});
        QVERIFY(sh.waitForFinished(10000));
        QCOMPARE(QString::fromUtf8(sh.readAllStandardOutput()), argument);
    }

    // A game directory DOSBox cannot mount as it is (a quote in its name), a network game with
    // its tunnel command: every part of the command is there.
    void thePlanStartsDosBoxAsTheLaunchDoes()
    {
        QTemporaryDir tmp;
        const QString game = tmp.filePath("my \"duke\" 100% dir");
        QVERIFY(QDir().mkpath(game));
        QVERIFY(QFile::copy(Prerequisites::dosStubDir() + "/DUKE3D.EXE", game + "/DUKE3D.EXE"));
        const QString dosbox = tmp.filePath("bin/dosbox");
        QDir().mkpath(tmp.filePath("bin"));
        {
            QFile script(dosbox);
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write("#!/bin/sh\n"
                         ": > \"$REC.part\"\n"
                         "for a in \"$@\"; do printf '%s\\0' \"$a\" >> \"$REC.part\"; done\n"
                         "cp \"$3\" \"$REC.conf\"\n"
                         "mv \"$REC.part\" \"$REC\"\n");
        }
        QFile::setPermissions(dosbox, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir().mkpath(tmp.filePath("run"));
        ProcessGameRunner runner(tmp.filePath("run"));
        runner.setDosBox(dosbox, {});

        GameRunner::Request request;
        request.directory = game;
        request.program = "duke3d.exe";
        request.switches = " /v1 /l1 /s2";
        request.network = true;
        request.dosCommandBefore = "ipxnet connect ::1 21313";
        const GameRunner::Description plan = runner.describe(request);
        QVERIFY(!plan.refusal);
        QVERIFY(!plan.linkPath.isEmpty());
        const QString command = LaunchPlanText::shellCommand(plan);
        QVERIFY(!command.contains('\n'));

        const QString fromPlan = tmp.filePath("plan.rec");
        const QString fromLaunch = tmp.filePath("launch.rec");
        qputenv("REC", fromPlan.toUtf8());
        QProcess sh;
        sh.start("sh", {"-c", command});
        QVERIFY(sh.waitForFinished(10000));
        QCOMPARE(sh.exitCode(), 0);
        qputenv("REC", fromLaunch.toUtf8());
        QVERIFY(runner.start(request).started);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(fromLaunch), 10000);

        const Recorded a = read(fromPlan);
        const Recorded b = read(fromLaunch);
        QVERIFY(a.arguments.contains("ipxnet connect ::1 21313"));
        QVERIFY(a.arguments.contains("DUKE3D.EXE /v1 /l1 /s2"));
        QVERIFY(a.conf.contains("ipx=true"));
        QCOMPARE(a.arguments, b.arguments);
        QCOMPARE(a.conf, b.conf);
    }
};

QTEST_MAIN(TestPlanCommand)
#include "tst_plancommand.moc"
