#include "app/widgets/frmOptions.h"
#include "ui_frmOptions.h"

#include "app/MainWindowLink.h"
#include "core/Module1.h"
#include "core/widgets/IconFactory.h"
#include "core/widgets/DialogPlacement.h"
#include "app/widgets/SettingsFailure.h"
#include "app/widgets/frmDirSel.h"
#include "core/SettingsKeys.h"
#include "platform/Files.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"
#include "platform/SettingsStore.h"

#include <QFileInfo>


frmOptions::frmOptions(Module1 &module1, MainWindowLink &mainWindow, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmOptions>()), m(module1), mainWindow(mainWindow)
{
    ui->setupUi(this);
    const QIcon folder = IconFactory::icon(IconFactory::Picture::Folder);
    for (QToolButton *button : {ui->cmdDukeDir, ui->cmdConDir, ui->cmdRtsDir, ui->cmdMapDir}) {
        button->setIcon(folder);
        button->setIconSize(QSize(20, 20));
    }
    connectSignals();
    Form_Load();
    centreOnScreen(this);
}

frmOptions::~frmOptions() = default;

void frmOptions::connectSignals()
{
    connect(ui->cmdOptOk, &QPushButton::clicked, this, &frmOptions::cmdOptOk_Click);
    connect(ui->cmdOptCancel, &QPushButton::clicked, this, &frmOptions::cmdOptCancel_Click);
    connect(ui->cmdDukeDir, &QToolButton::clicked, this, &frmOptions::cmdDukeDir_Click);
    connect(ui->cmdConDir, &QToolButton::clicked, this, &frmOptions::cmdConDir_Click);
    connect(ui->cmdRtsDir, &QToolButton::clicked, this, &frmOptions::cmdRtsDir_Click);
    connect(ui->cmdMapDir, &QToolButton::clicked, this, &frmOptions::cmdMapDir_Click);
    // A full path may be wider than its box; the tool tip shows all of it.
    for (QLineEdit *box : {ui->txtOptDuke, ui->txtOptCON, ui->txtOptRTS, ui->txtOptMap})
        connect(box, &QLineEdit::textChanged, box, &QLineEdit::setToolTip);
}

void frmOptions::Form_Load()
{
    ui->txtOptDuke->setText(m.DukePath);
    if (m.DukePath.isEmpty())
        return;
    if (!m.CONPath.isEmpty())
        ui->txtOptCON->setText(m.CONPath);
    if (!m.RTSPath.isEmpty())
        ui->txtOptRTS->setText(m.RTSPath);
    if (!m.MAPPath.isEmpty())
        ui->txtOptMap->setText(m.MAPPath);
}

void frmOptions::cmdDukeDir_Click()
{
    selectDirectory(QStringLiteral("Duke"), ui->txtOptDuke);
}

void frmOptions::cmdConDir_Click()
{
    selectDirectory(QStringLiteral("Con"), ui->txtOptCON);
}

void frmOptions::cmdRtsDir_Click()
{
    selectDirectory(QStringLiteral("Rts"), ui->txtOptRTS);
}

void frmOptions::cmdMapDir_Click()
{
    selectDirectory(QStringLiteral("Map"), ui->txtOptMap);
}

void frmOptions::selectDirectory(const QString &mode, QLineEdit *box)
{
    m.DirSelMode = mode;
    frmDirSel dialog(m, box->text(), this);
    if (dialog.exec() == QDialog::Accepted)
        box->setText(dialog.chosenPath());
}

bool frmOptions::gameDirectoryPresent(const QString &path)
{
    Prompts &prompts = m.platform.prompts;
    if (!m.platform.files.dirExists(path)) {
        prompts.message(this,
                        tr("The directory %1 cannot be found. It may be on a disk that is no longer "
                           "mounted.\n\nPlease select the Duke3d directory again.")
                            .arg(path),
                        Prompts::Icon::Exclamation);
        return false;
    }
    m.FileFound = false;
    m.FileExists(Module1::JoinPath(path, QStringLiteral("duke3d.exe")));
    if (!m.FileFound) {
        prompts.message(this, QStringLiteral("Duke3d.exe does not exist in ") + path, Prompts::Icon::Exclamation);
        return false;
    }
    return true;
}

bool frmOptions::gameDirectoryWritable(const QString &path) const
{
    // The owner's write bit, and what the system says (a read-only mount fails there even for root).
    return !m.platform.files.isReadOnly(path) && QFileInfo(m.platform.files.resolve(path)).isWritable();
}

void frmOptions::cmdOptOk_Click()
{
    Prompts &prompts = m.platform.prompts;
    const QString duke = ui->txtOptDuke->text();
    if (duke.isEmpty()) {
        prompts.message(this, QStringLiteral("The path to Duke3d.exe must be set before using Zentrel"),
                        Prompts::Icon::Exclamation);
        QDialog::reject();
        return;
    }
    if (!gameDirectoryPresent(duke))
        return;

    const bool newGameDirectory = duke != m.DukePath;
    SettingsStore &store = m.platform.settings;
    bool saved = true;
    auto keep = [&](const QString &key, const QString &text, QString &value) {
        if (text == value)
            return;
        saved = store.setValue(SettingsKeys::Paths, key, text) && saved;
        value = text;
    };
    keep(SettingsKeys::DukePath, duke, m.DukePath);
    keep(SettingsKeys::CONPath, ui->txtOptCON->text(), m.CONPath);
    keep(SettingsKeys::RTSPath, ui->txtOptRTS->text(), m.RTSPath);
    keep(SettingsKeys::MAPPath, ui->txtOptMap->text(), m.MAPPath);

    if (!saved)
        reportUnsavedSettings(m, this);
    if (newGameDirectory && !gameDirectoryWritable(duke))
        prompts.message(this,
                        tr("The Duke3d directory %1 is read-only.\n\nZentrel can start the game from it, but "
                           "it cannot write the game's files there: chosen CON and RTS files cannot be "
                           "copied in, and the network settings and the player name cannot be saved.")
                            .arg(duke),
                        Prompts::Icon::Exclamation);

    mainWindow.gameDirectoryConfigured();
    accept();
}

void frmOptions::cmdOptCancel_Click()
{
    if (m.DukePath.isEmpty())
        m.platform.prompts.message(this,
                                   QStringLiteral("You must enter the path for Duke3d.exe before using Zentrel."));
    QDialog::reject();
}

void frmOptions::reject()
{
    cmdOptCancel_Click();
}
