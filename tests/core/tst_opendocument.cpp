// Opening a file from a menu: native programs run in their own folder, DOS programs go to the
// game runner (DOSBox), everything else to the desktop; and what the player is told when the
// file or its folder has gone.
#include "FakeDesktopOpener.h"
#include "FakeGameRunner.h"
#include "FakePrompts.h"
#include "MemorySettingsStore.h"

#include "core/OpenDocument.h"
#include "platform/DiskFiles.h"
#include "platform/Platform.h"
#include "platform/linux/ProcessGameRunner.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
struct Rig
{
    QTemporaryDir dir;
    MemorySettingsStore store;
    DiskFiles files;
    FakePrompts prompts;
    FakeGameRunner runner;
    FakeDesktopOpener desktop;
    Platform platform{store, files, prompts, QString()};
    Rig()
    {
        platform.runner = &runner;
        platform.desktop = &desktop;
    }
    QString file(const QString &name, const QByteArray &data = "x")
    {
        QDir().mkpath(QFileInfo(dir.filePath(name)).path());
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(data);
        return f.fileName();
    }
};
} // namespace

class TestOpenDocument : public QObject
{
    Q_OBJECT
private slots:
    void eachKindGoesWhereItRuns_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("native");
        QTest::addColumn<bool>("toRunner");
        QTest::newRow("DOS program") << "tools/MAPEDIT.EXE" << false << true;
        QTest::newRow("DOS batch, lower case") << "tools/go.bat" << false << true;
        QTest::newRow("DOS .com") << "tools/Tool.Com" << false << true;
        QTest::newRow("native program") << "tools/editor" << true << true;
        QTest::newRow("text") << "tools/readme.txt" << false << false;
        QTest::newRow("web page") << "tools/faq.html" << false << false;
    }
    void eachKindGoesWhereItRuns()
    {
        QFETCH(QString, name);
        QFETCH(bool, native);
        QFETCH(bool, toRunner);
        Rig r;
        const QString path = r.file(name);
        if (native)
            r.runner.nativePrograms << path;
        QCOMPARE(OpenDocument::open(r.platform, path), QString());
        if (toRunner) {
            QCOMPARE(r.runner.requests.size(), 1);
            QCOMPARE(r.runner.requests[0].directory, QFileInfo(path).path());
            QCOMPARE(r.runner.requests[0].program, QFileInfo(path).fileName());
            QVERIFY(r.runner.requests[0].switches.isEmpty());
            QVERIFY(r.runner.requests[0].closeWhenDone);
            QVERIFY(r.desktop.files.isEmpty());
        } else {
            QVERIFY(r.runner.requests.isEmpty());
            QCOMPARE(r.desktop.files, QStringList{path});
        }
    }

    void whatThePlayerIsTold_data()
    {
        QTest::addColumn<QString>("path");  // relative to the rig's folder
        QTest::addColumn<bool>("desktopAnswers");
        QTest::addColumn<QString>("message"); // %1: the rig's folder
        QTest::newRow("folder gone") << "gone/tool.exe" << true
                                     << "The folder %1/gone is not there any more, so tool.exe cannot be opened.";
        QTest::newRow("file gone") << "missing.txt" << true << "%1/missing.txt not found.";
        QTest::newRow("no desktop handler") << "notes.txt" << false << "%1/notes.txt not found.";
    }
    void whatThePlayerIsTold()
    {
        QFETCH(QString, path);
        QFETCH(bool, desktopAnswers);
        QFETCH(QString, message);
        Rig r;
        r.file("notes.txt");
        r.desktop.answer = desktopAnswers;
        QCOMPARE(OpenDocument::open(r.platform, r.dir.filePath(path)), message.arg(r.dir.path()));
        QVERIFY(r.runner.requests.isEmpty());
    }

    void theRunnersOwnReasonIsPassedOn()
    {
        Rig r;
        r.runner.refuse = GameRunner::Result{false, "DOSBox is needed to run TOOL.EXE but was not found.", 0, {}, true};
        QCOMPARE(OpenDocument::open(r.platform, r.file("TOOL.EXE")),
                 QStringLiteral("DOSBox is needed to run TOOL.EXE but was not found."));
    }

    // For real: a script with "#!" and the execute bit runs in its own folder.
    void aNativeScriptRunsInItsOwnFolder()
    {
        Rig r;
        ProcessGameRunner real(r.dir.filePath("run"));
        QDir().mkpath(r.dir.filePath("run"));
        r.platform.runner = &real;
        const QString script = r.file("my tools/where.sh", "#!/bin/sh\npwd > here.txt\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(OpenDocument::open(r.platform, script), QString());
        QFile here(r.dir.filePath("my tools/here.txt"));
        QTRY_VERIFY_WITH_TIMEOUT(here.exists() && here.size() > 0, 10000);
        QVERIFY(here.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(here.readAll()).trimmed(), QFileInfo(r.dir.filePath("my tools")).canonicalFilePath());
        QVERIFY(r.desktop.files.isEmpty());
    }
};

QTEST_MAIN(TestOpenDocument)
#include "tst_opendocument.moc"
