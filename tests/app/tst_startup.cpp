#include "FailingSettingsStore.h"
#include "FakePrompts.h"
#include "MemorySettingsStore.h"

#include "core/Module1.h"
#include "app/widgets/MainWindowHost.h"
#include "app/widgets/frmMain.h"
#include "app/widgets/ProgramIdentity.h"
#include "app/widgets/SplashPicture.h"
#include "app/widgets/frmOptions.h"
#include "app/widgets/frmSplash.h"
#include "core/widgets/IconFactory.h"
#include "platform/DiskFiles.h"
#include "platform/Platform.h"

#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

// One start-up of Zentrel with fakes for the prompts and the store and a real game directory.
struct StartupRig
{
    MemorySettingsStore working;
    FailingSettingsStore failing; // every save fails (a read-only settings folder)
    MemorySettingsStore &store;
    DiskFiles files;
    FakePrompts prompts;
    Platform platform{store, files, prompts, QString()};
    Module1 m{platform};
    MainWindowHost host{m};
    QPointer<frmSplash> splash = new frmSplash(m, host);
    int optionsShown = 0;
    std::function<void()> inOptions; // what the player does in the Options dialog

    explicit StartupRig(bool savesFail = false) : store(savesFail ? failing : working)
    {
        splash->runOptionsDialog = [this](QWidget *) {
            ++optionsShown;
            if (inOptions)
                inOptions();
        };
    }
    ~StartupRig() { delete splash.data(); }

    QTimer *splashTimer() const { return splash ? splash->findChild<QTimer *>("tmrSplash") : nullptr; }
};

static void touch(const QString &path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void firstStartAsksForTheGameDirectory()
    {
        StartupRig rig;
        rig.splash->Form_Load();

        QCOMPARE(rig.prompts.texts(), QStringList{"Please locate the Duke3d executable"});
        QCOMPARE(rig.optionsShown, 1);
        QCOMPARE(rig.store.value("Prefs", "Splash"), QString("Yes"));
        QCOMPARE(rig.m.DukeWin, QString("0"));
        QVERIFY(rig.splash->isVisible());
        QVERIFY(!rig.host.exists());
        QVERIFY(rig.splashTimer()->isActive());
        QCOMPARE(rig.splashTimer()->interval(), 2500);

        rig.splash->tmrSplash_Timer();
        QVERIFY(rig.host.exists());
        QVERIFY(rig.host.window()->isVisible());
        QVERIFY(!rig.splash->isVisible());
        // The preferences were not loaded on this path: no defaults written.
        QCOMPARE(rig.store.value("Prefs", "HideDosWin"), QString());
    }

    void storedDirectoryWithoutGameGivesBothMessages()
    {
        QTemporaryDir game;
        StartupRig rig;
        rig.store.setValue("Paths", "DukePath", game.path());
        rig.splash->Form_Load();
        QCOMPARE(rig.prompts.texts(),
                 (QStringList{"The path to Duke3d.exe is invalid", "Please locate the Duke3d executable"}));
        QCOMPARE(rig.prompts.shown[0].icon, Prompts::Icon::Exclamation);
        QCOMPARE(rig.prompts.shown[1].icon, Prompts::Icon::None);
        QCOMPARE(rig.optionsShown, 1);
    }

    void storedDirectoryWithGameInAnyCaseStartsNormally()
    {
        QTemporaryDir game;
        touch(game.filePath("DUKE3D.EXE"));
        StartupRig rig;
        rig.store.setValue("Paths", "DukePath", game.path());
        rig.splash->Form_Load();
        QVERIFY(rig.prompts.shown.isEmpty());
        QCOMPARE(rig.optionsShown, 0);
        QVERIFY(rig.splashTimer()->isActive());
        // The preferences were loaded and their defaults written.
        QCOMPARE(rig.store.value("Prefs", "DukeWin"), QString("0"));
        QCOMPARE(rig.store.value("Prefs", "HideDosWin"), QString("No"));
        QCOMPARE(rig.store.value("Prefs", "CloseDosWin"), QString("No"));
    }

    void splashValues_data()
    {
        QTest::addColumn<QString>("splash");
        QTest::addColumn<bool>("splashShown");
        QTest::newRow("Yes") << "Yes" << true;
        QTest::newRow("No") << "No" << false;
        QTest::newRow("unknown value shows it like Yes") << "Maybe" << true;
    }
    void splashValues()
    {
        QFETCH(QString, splash);
        QFETCH(bool, splashShown);
        QTemporaryDir game;
        touch(game.filePath("duke3d.exe"));
        StartupRig rig;
        rig.store.setValue("Paths", "DukePath", game.path());
        rig.store.setValue("Prefs", "Splash", splash);
        rig.splash->Form_Load();
        QVERIFY(rig.prompts.shown.isEmpty());
        if (splashShown) {
            QVERIFY(rig.splash->isVisible());
            QVERIFY(!rig.host.exists());
        } else {
            QVERIFY(rig.host.exists());
            QVERIFY(rig.host.window()->isVisible());
            QVERIFY(!rig.splash->isVisible());
        }
        QCOMPARE(rig.store.value("Prefs", "Splash"), splash);
    }

    void cancelledFirstStartLeavesTheMainWindowUnconfigured()
    {
        StartupRig rig;
        rig.splash->Form_Load();
        rig.splash->tmrSplash_Timer();
        frmMain *w = rig.host.window();
        QVERIFY(rig.m.DukePath.isEmpty());
        for (const char *name : {"cmdLaunch", "fraSingPl", "cmdReset"}) {
            QWidget *control = w->findChild<QWidget *>(name);
            QVERIFY2(control, name);
            QVERIFY2(!control->isEnabled(), name);
        }
    }

    // A game directory that has gone since the last run (an unmounted disk) is asked for again,
    // with the first start's messages, whether the splash shows or not; the preferences stay.
    void vanishedGameDirectoryIsAskedForAgain_data()
    {
        QTest::addColumn<QString>("splash");
        QTest::newRow("splash shown") << "Yes";
        QTest::newRow("no splash") << "No";
    }
    void vanishedGameDirectoryIsAskedForAgain()
    {
        QFETCH(QString, splash);
        QTemporaryDir gone;
        StartupRig rig;
        rig.store.setValue("Paths", "DukePath", gone.filePath("unmounted"));
        rig.store.setValue("Prefs", "Splash", splash);
        rig.store.setValue("Prefs", "DukeWin", "2");
        rig.splash->Form_Load();
        QCOMPARE(rig.prompts.texts(),
                 (QStringList{"The path to Duke3d.exe is invalid", "Please locate the Duke3d executable"}));
        QCOMPARE(rig.prompts.shown[0].icon, Prompts::Icon::Exclamation);
        QCOMPARE(rig.optionsShown, 1);
        QCOMPARE(rig.m.DukeWin, QString("2"));
        if (splash == "Yes")
            rig.splash->tmrSplash_Timer();
        QVERIFY(rig.host.exists() && rig.host.window()->isVisible());
    }

    // Saves that fail at start-up (the defaults, Splash on the first start) are told once.
    void failedSavesAtStartUpAreToldOnce_data()
    {
        QTest::addColumn<bool>("firstStart");
        QTest::newRow("first start") << true;
        QTest::newRow("defaults of a later start") << false;
    }
    void failedSavesAtStartUpAreToldOnce()
    {
        QFETCH(bool, firstStart);
        QTemporaryDir game;
        touch(game.filePath("duke3d.exe"));
        StartupRig rig(true);
        rig.store.setValue("Paths", "DukePath", game.path());
        if (!firstStart)
            rig.store.setValue("Prefs", "Splash", "Yes");
        rig.splash->Form_Load();
        QCOMPARE(rig.prompts.shown.size(), 1);
        QVERIFY2(rig.prompts.texts()[0].contains("could not save its settings")
                     && rig.prompts.texts()[0].contains(rig.failing.reason),
                 qPrintable(rig.prompts.texts()[0]));
        QVERIFY(rig.m.UnsavedSettingsTold);
    }

    // The first start's Options dialog (and every other window) carries the program's picture.
    void everyWindowCarriesTheProgramsPicture()
    {
        ProgramIdentity::apply();
        StartupRig rig;
        frmOptions options(rig.m, rig.host);
        const QImage program = IconFactory::icon(IconFactory::Picture::Program).pixmap(32).toImage();
        QCOMPARE(options.windowIcon().pixmap(32).toImage(), program);
        QCOMPARE(rig.splash->windowIcon().pixmap(32).toImage(), program);
    }

    // The skyline stays inside the rounded frame and below the name.
    void splashPictureKeepsItsSkylineInside()
    {
        const QImage picture = SplashPicture::make(1.0).toImage();
        const int w = picture.width(), h = picture.height();
        for (const QPoint corner : {QPoint(0, h - 1), QPoint(w - 1, h - 1), QPoint(1, h - 2), QPoint(w - 2, h - 2)})
            QVERIFY2(qAlpha(picture.pixel(corner)) == 0, qPrintable(QString("%1,%2").arg(corner.x()).arg(corner.y())));
        // The name's letters (yellow) and the buildings (near black) never share a row.
        int lowestLetter = -1, highestBuilding = h;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const QColor c = picture.pixelColor(x, y);
                if (c.alpha() == 255 && c.red() > 200 && c.green() > 150 && c.blue() < 120)
                    lowestLetter = qMax(lowestLetter, y);
                if (c.alpha() == 255 && c == QColor(20, 10, 5))
                    highestBuilding = qMin(highestBuilding, y);
            }
        QVERIFY(lowestLetter > 0);
        QVERIFY2(lowestLetter < highestBuilding, qPrintable(QString("%1 %2").arg(lowestLetter).arg(highestBuilding)));
    }

    void versionLabel()
    {
        QCoreApplication::setApplicationVersion("3.1.5");
        QCOMPARE(frmSplash::versionText(), QString("Version 3.1.5"));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
