#include "app/widgets/frmSplash.h"
#include "ui_frmSplash.h"

#include "core/Module1.h"
#include "app/widgets/MainWindowHost.h"
#include "app/widgets/SettingsFailure.h"
#include "app/widgets/SplashPicture.h"
#include "app/widgets/frmOptions.h"
#include "core/widgets/DialogPlacement.h"
#include "core/SettingsKeys.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

frmSplash::frmSplash(Module1 &module1, MainWindowHost &host, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m(module1), host(&host),
      ui(std::make_unique<Ui::frmSplash>()), tmrSplash(new QTimer(this))
{
    // The splash's widgets wait until it is going to be seen (not with Splash "No").
    tmrSplash->setObjectName(QStringLiteral("tmrSplash"));
    tmrSplash->setInterval(2500);
    tmrSplash->setSingleShot(true);
    connect(tmrSplash, &QTimer::timeout, this, &frmSplash::tmrSplash_Timer);
    runOptionsDialog = [this](QWidget *owner) {
        frmOptions options(m, *this->host, owner);
        options.exec();
    };
}

frmSplash::frmSplash(Module1 &module1, QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), m(module1),
      ui(std::make_unique<Ui::frmSplash>()), tmrSplash(new QTimer(this))
{
    ui->setupUi(this);
    m_built = true;
    tmrSplash->setObjectName(QStringLiteral("tmrSplash"));
    setWindowTitle(QStringLiteral("About Zentrel"));
    setAttribute(Qt::WA_DeleteOnClose);
    connect(ui->cmdOk, &QPushButton::clicked, this, &frmSplash::cmdOk_Click);
}

frmSplash *frmSplash::showAbout(Module1 &module1, QWidget *mainWindow)
{
    module1.AboutMode = true;
    auto *about = new frmSplash(module1, mainWindow);
    about->ui->lblSplash->setText(versionText());
    about->ui->cmdOk->setEnabled(true);
    about->ui->cmdOk->show();
    about->setWindowIcon(mainWindow ? mainWindow->windowIcon() : QIcon());
    about->prepareToShow();
    about->show();
    about->ui->cmdOk->setFocus();
    return about;
}

void frmSplash::cmdOk_Click()
{
    close();
}

frmSplash::~frmSplash()
{
    if (!host)
        m.AboutMode = false;
}

QString frmSplash::versionText()
{
    return QStringLiteral("Version ") + QCoreApplication::applicationVersion();
}

void frmSplash::Form_Load()
{
    SettingsStore &store = m.platform.settings;
    m.Splash = store.value(SettingsKeys::Prefs, SettingsKeys::Splash);
    m.DukePath = store.value(SettingsKeys::Paths, SettingsKeys::DukePath);

    if (m.Splash == SettingsKeys::No) {
        const bool saved = m.LoadPreferences();
        if (!saved)
            reportUnsavedSettingsOnce(m, nullptr);
        // A game directory that has gone (an unmounted disk) is asked for as on the first start.
        if (!m.DukePath.isEmpty() && !gameDirectoryHoldsTheGame())
            locateTheGame(nullptr, true);
        showMainAndUnload();
        return;
    }
    if (!m.Splash.isEmpty()) {
        // "Yes", and any value the program never writes: the usual splash.
        prepareToShow();
        show();
        if (!m.LoadPreferences())
            reportUnsavedSettingsOnce(m, this);
        if (!m.DukePath.isEmpty() && !gameDirectoryHoldsTheGame())
            locateTheGame(this, true);
        tmrSplash->start();
        return;
    }

    // First start.
    prepareToShow();
    show();
    const bool saved = store.setValue(SettingsKeys::Prefs, SettingsKeys::Splash, SettingsKeys::Yes);
    m.Splash = SettingsKeys::Yes;
    if (!m.DukePath.isEmpty() && gameDirectoryHoldsTheGame()) {
        if (!m.LoadPreferences() || !saved)
            reportUnsavedSettingsOnce(m, this);
        tmrSplash->start();
        return;
    }
    if (!saved)
        reportUnsavedSettingsOnce(m, this);
    m.DukeWin = QStringLiteral("0");
    locateTheGame(this, !m.DukePath.isEmpty());
    tmrSplash->start();
}

bool frmSplash::gameDirectoryHoldsTheGame()
{
    m.FileFound = false;
    m.FileExists(m.gameFile(QStringLiteral("duke3d.exe")));
    return m.FileFound;
}

void frmSplash::locateTheGame(QWidget *owner, bool pathInvalid)
{
    if (pathInvalid)
        m.platform.prompts.message(owner, QStringLiteral("The path to Duke3d.exe is invalid"),
                                   Prompts::Icon::Exclamation);
    m.platform.prompts.message(owner, QStringLiteral("Please locate the Duke3d executable"));
    runOptionsDialog(owner);
}

void frmSplash::tmrSplash_Timer()
{
    tmrSplash->stop();
    showMainAndUnload();
}

void frmSplash::showMainAndUnload()
{
    host->show();
    hide();
    tmrSplash->stop();
    deleteLater();
}

void frmSplash::prepareToShow()
{
    // The picture is painted only when the splash is going to be seen.
    if (!m_built) {
        ui->setupUi(this);
        m_built = true;
        ui->lblSplash->setText(versionText());
        ui->cmdOk->hide();
        ui->cmdOk->setEnabled(false);
    }
    ui->imgSplash->setPixmap(SplashPicture::make(devicePixelRatioF()));
    adjustSize();
    centreOnScreen(this);
}
