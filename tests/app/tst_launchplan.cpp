// Launch > Show Launch Plan: what a launch would do, read without launching; nothing changes.
#include "ControlDriver.h"
#include "FakeGameRunner.h"
#include "FakePrompts.h"

#include "app/widgets/MainMenus.h"
#include "app/widgets/frmMain.h"
#include "core/Module1.h"
#include "launch/CommandLine.h"
#include "launch/widgets/LaunchOptions.h"
#include "launch/widgets/LaunchPlanWindow.h"
#include "platform/DiskFiles.h"
#include "platform/IniSettingsStore.h"
#include "platform/Platform.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {
struct Fixture
{
    QTemporaryDir dir;
    QString settingsFile = dir.filePath("Zentrel.ini");
    IniSettingsStore store{settingsFile};
    DiskFiles files;
    FakePrompts prompts;
    FakeGameRunner runner;
    Platform platform{store, files, prompts, QString()};
    Module1 m{platform};
    std::unique_ptr<frmMain> window;
    QString game = dir.filePath("game");

    Fixture()
    {
        QDir().mkpath(game);
        for (const auto &[name, data] : {std::pair{"duke3d.exe", "x"}, {"DUKE3D.CFG", "[Comm Setup]\r\nPlayerName = \"DUKE\"\r\n"},
                                         {"commit.dat", "[Commit]\r\nSOCKETNUMBER = 34889\r\n"}}) {
            QFile f(QDir(game).filePath(name));
            f.open(QIODevice::WriteOnly);
            f.write(data);
        }
        platform.runner = &runner;
        store.setValue("Paths", "DukePath", game);
        store.setValue("Network", "Role", "Join");
        store.setValue("Network", "Host", "duke-lan");
        m.DukePath = game;
        m.LoadPreferences();
        window = std::make_unique<frmMain>(m);
        window->quitProgram = [] {};
        window->Form_Load();
    }
    // Every byte Zentrel keeps or the game reads, and the switches the options make.
    QStringList snapshot() const
    {
        QStringList out;
        for (const QString &path : {settingsFile}) {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            out << path + "=" + QString::fromLatin1(f.readAll().toHex());
        }
        const QDir g(game);
        for (const QString &name : g.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
            QFile f(g.filePath(name));
            f.open(QIODevice::ReadOnly);
            out << name + "=" + QString::fromLatin1(f.readAll().toHex());
        }
        out << "switches=" + window->launchOptions().commandLine().switches(QString());
        return out;
    }
};
} // namespace

class TestLaunchPlan : public QObject
{
    Q_OBJECT
private slots:
    void thePlanChangesNothing()
    {
        Fixture f;
        ControlDriver d(f.window.get());
        d.tick("chkMulti");
        d.tick("optCoop");
        d.choose("cmbNumPlayers", "2");
        d.get<QLineEdit>("txtName")->setText("ace");
        const QStringList before = f.snapshot();
        const QString plan = f.window->launchPlanText();
        QCOMPARE(f.snapshot(), before);
        QVERIFY(f.runner.requests.isEmpty());
        QVERIFY(f.prompts.shown.isEmpty());
        QVERIFY(d.ticked("chkMulti") && d.ticked("optCoop"));

        QCOMPARE(f.runner.described.size(), 1);
        QCOMPARE(f.runner.described[0].dosCommandBefore, QStringLiteral("ipxnet connect duke-lan 213"));
        QVERIFY(plan.contains("COMMIT.EXE -name ACE /c2 /i1"));
        QVERIFY(plan.contains("Before it, DOSBox runs:\n\nipxnet connect duke-lan 213"));
        // The network keys are written into both files at launch.
        QVERIFY(plan.contains(QDir(f.game).filePath("DUKE3D.CFG")));
        QVERIFY(plan.contains(QDir(f.game).filePath("commit.dat")));
    }

    void aRefusalIsShownInstead()
    {
        Fixture f;
        const QString plan = f.window->launchPlanText();
        QCOMPARE(plan, QStringLiteral("The launch would be refused with this message:\n\n"
                                      "Please Select Either Single Or Multi Player\n"));
        QVERIFY(f.prompts.shown.isEmpty());
        QVERIFY(f.runner.described.isEmpty());
    }

    void theWindowShowsAndCopiesThePlan()
    {
        Fixture f;
        QAction *item = f.window->menus().mnuLaunchPlan;
        QVERIFY(item->isEnabled());
        QString shown;
        QTimer::singleShot(0, [&] {
            auto *window = qobject_cast<LaunchPlanWindow *>(QApplication::activeModalWidget());
            QVERIFY(window);
            shown = window->text()->toPlainText();
            QVERIFY(window->text()->isReadOnly());
            control<QAbstractButton>(*window, "cmdPlanCopy")->click();
            control<QAbstractButton>(*window, "cmdPlanClose")->click();
        });
        item->trigger();
        QVERIFY(shown.startsWith("The launch would be refused"));
        QCOMPARE(QGuiApplication::clipboard()->text(), shown);
    }
};

QTEST_MAIN(TestLaunchPlan)
#include "tst_launchplan.moc"
