#include "app/widgets/frmPrefs.h"
#include "ui_frmPrefs.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include "core/Module1.h"
#include "app/widgets/DialogPictures.h"
#include "core/widgets/DialogPlacement.h"
#include "app/widgets/SettingsFailure.h"
#include "core/SettingsKeys.h"
#include "launch/DosBoxNetwork.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"
#include "platform/SettingsStore.h"

namespace {

using SettingsKeys::No;
using SettingsKeys::Yes;

QString yesNo(const QCheckBox *box)
{
    return box->isChecked() ? Yes : No;
}

} // namespace

frmPrefs::frmPrefs(Module1 &module1, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmPrefs>()), m(module1)
{
    ui->setupUi(this);
    if (!m.SupervisionUnavailable.isEmpty()) {
        // Say so beside the two boxes that would have no effect.
        // The reason is a sentence of its own: after the colon it goes on in lower case.
        QString reason = m.SupervisionUnavailable;
        for (const char *word : {"This ", "There ", "The "})
            if (reason.startsWith(QLatin1String(word)))
                reason[0] = reason.at(0).toLower();
        auto *note = new QLabel(QStringLiteral("Hiding and closing the game's window is not available here: ")
                                    + reason,
                                ui->frmStealth);
        note->setObjectName(QStringLiteral("lblStealthUnavailable"));
        note->setWordWrap(true);
        auto *grid = qobject_cast<QGridLayout *>(ui->frmStealth->layout());
        if (grid)
            grid->addWidget(note, grid->rowCount(), 0, 1, grid->columnCount());
    }
    addDesktopNotes();
    showPictures();
    connectSignals();
    Form_Load();
    centreOnScreen(this);
}

frmPrefs::~frmPrefs() = default;

// What this desktop cannot do, said beside the choices it concerns.
void frmPrefs::addDesktopNotes()
{
    const auto note = [](QGroupBox *frame, const char *name, const QString &text) {
        auto *label = new QLabel(text, frame);
        label->setObjectName(QLatin1String(name));
        label->setWordWrap(true);
        if (auto *grid = qobject_cast<QGridLayout *>(frame->layout()))
            grid->addWidget(label, grid->rowCount(), 0, 1, grid->columnCount());
    };
    if (m.SystemTrayMissing)
        note(ui->fraPDM, "lblNoTray",
             m.WaylandWindows
                 ? QStringLiteral("No system tray on this desktop, and on Wayland a minimised Zentrel could not "
                                  "come back: \u201cMinimized\u201d and \u201cMinimized to Tray\u201d leave the "
                                  "window as it is.")
                 : QStringLiteral("No system tray on this desktop: Zentrel minimises instead"));
    if (m.SupervisionUnavailable.isEmpty() && m.FrontWindowUnknown)
        note(ui->frmStealth, "lblNoFrontWindow",
             QStringLiteral("This window manager does not say which window is in front, so the game's window "
                            "cannot be hidden when you switch away from it."));
}

void frmPrefs::connectSignals()
{
    connect(ui->cmdOk, &QPushButton::clicked, this, &frmPrefs::cmdOk_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmPrefs::cmdCancel_Click);
    connect(ui->optNetJoin, &QRadioButton::toggled, ui->txtNetHost, &QWidget::setEnabled);
}

void frmPrefs::showPictures()
{
    using DialogPictures::Picture;
    const QList<QPair<QLabel *, Picture>> pictures = {
        {ui->Image1_0, Picture::LaunchWindow}, {ui->Image1_1, Picture::RtsFile},
        {ui->Image1_2, Picture::ConFile},      {ui->Image1_3, Picture::HiddenWindow},
        {ui->Image1_4, Picture::ClosedWindow},
    };
    for (const auto &[label, picture] : pictures)
        label->setPixmap(DialogPictures::pixmapFor(this, picture, 24));
}

void frmPrefs::Form_Load()
{
    // Filling an empty list selects its first entry by itself; the stored value decides instead.
    {
        const QSignalBlocker block(ui->cmbDukeWin);
        ui->cmbDukeWin->clear();
        ui->cmbDukeWin->addItems({QStringLiteral("Normal"), QStringLiteral("Minimized"),
                                  QStringLiteral("Minimized to Tray"), QStringLiteral("Closed")});
        ui->cmbDukeWin->setCurrentIndex(-1);
    }
    static const QStringList positions = {"0", "1", "2", "3"};
    ui->cmbDukeWin->setCurrentIndex(positions.indexOf(m.DukeWin));

    // The splash shows unless the player said no. The returns of the originals happen only when
    // the player said yes: a missing key means no return at exit, and a box shown ticked for it
    // would store "Yes" at the next OK without the player having chosen it.
    ui->chkPsplash->setChecked(m.Splash == Yes || m.Splash.isEmpty());
    ui->chkPCon->setChecked(m.CONpref == Yes);
    ui->chkPrts->setChecked(m.RTSpref == Yes);
    ui->chkCloseDosWin->setChecked(m.CloseDosWin == Yes);
    ui->chkHideDosWin->setChecked(m.HideDosWin == Yes);

    const DosBoxNetwork network = DosBoxNetwork::load(m.platform.settings);
    (network.join ? ui->optNetJoin : ui->optNetHost)->setChecked(true);
    ui->txtNetHost->setText(network.address);
    ui->txtNetHost->setEnabled(network.join);
    ui->txtNetPort->setText(network.port);
}

void frmPrefs::cmdOk_Click()
{
    SettingsStore &store = m.platform.settings;
    // The network settings reach DOSBox's shell: refused before anything is stored.
    DosBoxNetwork network;
    network.join = ui->optNetJoin->isChecked();
    network.address = ui->txtNetHost->text().trimmed();
    network.port = ui->txtNetPort->text().trimmed();
    if (const QString problem = network.problem(); !problem.isEmpty()) {
        m.platform.prompts.message(this, problem, Prompts::Icon::Exclamation);
        QLineEdit *box = DosBoxNetwork::portProblem(network.port).isEmpty() ? ui->txtNetHost : ui->txtNetPort;
        box->setFocus();
        box->selectAll();
        return;
    }
    bool saved = true;
    if (const DosBoxNetwork stored = DosBoxNetwork::load(store);
        stored.join != network.join || stored.address != network.address || stored.port != network.port)
        saved = network.save(store);
    auto write = [&](const QString &key, const QString &value) {
        saved = store.setValue(SettingsKeys::Prefs, key, value) && saved;
    };

    const int launch = ui->cmbDukeWin->currentIndex();
    if (launch >= 0 && QString::number(launch) != m.DukeWin) {
        m.DukeWin = QString::number(launch);
        write(SettingsKeys::DukeWin, m.DukeWin);
    }

    m.Splash = yesNo(ui->chkPsplash);
    write(SettingsKeys::Splash, m.Splash);

    // The same key as "CONpref": the store matches names in any letter case.
    m.CONpref = yesNo(ui->chkPCon);
    write(ui->chkPCon->isChecked() ? SettingsKeys::CONPrefTicked : SettingsKeys::CONpref, m.CONpref);

    m.RTSpref = yesNo(ui->chkPrts);
    write(SettingsKeys::RTSpref, m.RTSpref);

    if (yesNo(ui->chkCloseDosWin) != m.CloseDosWin) {
        m.CloseDosWin = yesNo(ui->chkCloseDosWin);
        write(SettingsKeys::CloseDosWin, m.CloseDosWin);
    }
    if (yesNo(ui->chkHideDosWin) != m.HideDosWin) {
        m.HideDosWin = yesNo(ui->chkHideDosWin);
        write(SettingsKeys::HideDosWin, m.HideDosWin);
    }

    if (!saved)
        reportUnsavedSettings(m, this);
    accept();
}

void frmPrefs::cmdCancel_Click()
{
    reject();
}
