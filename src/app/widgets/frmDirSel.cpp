#include "app/widgets/frmDirSel.h"
#include "ui_frmDirSel.h"

#include "core/Module1.h"
#include "app/widgets/DialogPictures.h"
#include "core/widgets/DialogPlacement.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStorageInfo>
#include <QStyle>

namespace {

const QString DotDot = QStringLiteral("..");

QString cleaned(const QString &path)
{
    return QDir::cleanPath(QDir(path).absolutePath());
}

bool listable(const QString &path)
{
    const QFileInfo info(path);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

// Mount points of the system's own machinery, which hold no games.
bool systemMount(const QStorageInfo &volume)
{
    static const QStringList types = {"tmpfs", "devtmpfs", "proc", "sysfs", "cgroup", "cgroup2", "squashfs",
                                      "securityfs", "debugfs", "tracefs", "mqueue", "devpts", "overlay",
                                      "autofs", "binfmt_misc", "fusectl", "pstore", "bpf", "configfs",
                                      "hugetlbfs", "efivarfs", "ramfs", "nsfs"};
    static const QStringList prefixes = {"/proc", "/sys", "/dev", "/run", "/snap", "/boot", "/var/lib", "/etc"};
    const QString root = volume.rootPath();
    if (root.startsWith(QStringLiteral("/run/media/")))
        return false;
    for (const QString &prefix : prefixes)
        if (root == prefix || root.startsWith(prefix + QLatin1Char('/')))
            return true;
    return types.contains(QString::fromLatin1(volume.fileSystemType()));
}

bool contains(const QString &dir, const QString &path)
{
    return dir == QLatin1String("/") || path == dir || path.startsWith(dir + QLatin1Char('/'));
}

} // namespace

frmDirSel::frmDirSel(Module1 &module1, const QString &startDir, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmDirSel>()), m(module1)
{
    ui->setupUi(this);
    ui->cmdUp->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
    ui->drvSel->setIconSize(QSize(16, 16));
    ui->dirSel->installEventFilter(this);
    fillPlaces();
    openStart(startDir);
    connectSignals();
    ui->dirSel->setFocus();
    resize(440, 380);
    centreOnScreen(this);
}

frmDirSel::~frmDirSel() = default;

void frmDirSel::connectSignals()
{
    connect(ui->cmdOk, &QPushButton::clicked, this, &frmDirSel::cmdOk_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmDirSel::cmdCancel_Click);
    connect(ui->cmdUp, &QToolButton::clicked, this, &frmDirSel::cmdUp_Click);
    connect(ui->drvSel, &QComboBox::currentIndexChanged, this, &frmDirSel::drvSel_Change);
    connect(ui->dirSel, &QListWidget::itemActivated, this, &frmDirSel::dirSel_Activated);
}

void frmDirSel::fillPlaces()
{
    m_places.append({tr("File System (/)"), QStringLiteral("/")});
    const QString home = cleaned(QDir::homePath());
    if (home != QLatin1String("/"))
        m_places.append({tr("Home (%1)").arg(home), home});
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = cleaned(volume.rootPath());
        if (!volume.isValid() || !volume.isReady() || root == QLatin1String("/") || root == home
            || systemMount(volume) || !QFileInfo(root).isDir())
            continue;
        const QString name = volume.name();
        m_places.append({name.isEmpty() || name == root ? root : tr("%1 (%2)").arg(name, root), root});
    }
    const QIcon drive = style()->standardIcon(QStyle::SP_DriveHDIcon);
    const QIcon homeIcon = style()->standardIcon(QStyle::SP_DirHomeIcon);
    for (const Place &place : m_places)
        ui->drvSel->addItem(place.path == home ? homeIcon : drive, place.label, place.path);
    ui->drvSel->setCurrentIndex(-1);
}

void frmDirSel::openStart(const QString &startDir)
{
    QStringList candidates;
    if (m.DirSelMode == QLatin1String("Duke")) {
        candidates << (m.DukePath.isEmpty() ? m.platform.programDir : m.DukePath) << m.platform.programDir;
    } else {
        candidates << startDir;
    }
    candidates << QDir::homePath() << QStringLiteral("/");
    for (const QString &candidate : std::as_const(candidates))
        if (!candidate.isEmpty() && setCurrentPath(candidate))
            return;
}

bool frmDirSel::setCurrentPath(const QString &path)
{
    const QString dirPath = cleaned(path);
    if (!listable(dirPath))
        return false;
    const QFileInfoList entries = QDir(dirPath).entryInfoList(
        QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);

    m_path = dirPath;
    ui->dirSel->clear();
    const QIcon folder = style()->standardIcon(QStyle::SP_DirIcon);
    if (dirPath != QLatin1String("/")) {
        auto *up = new QListWidgetItem(style()->standardIcon(QStyle::SP_FileDialogToParent), DotDot);
        up->setData(Qt::UserRole, cleaned(dirPath + QStringLiteral("/..")));
        up->setToolTip(tr("Up one level"));
        ui->dirSel->addItem(up);
    }
    for (const QFileInfo &entry : entries) {
        auto *item = new QListWidgetItem(folder, entry.fileName());
        item->setData(Qt::UserRole, cleaned(entry.absoluteFilePath()));
        ui->dirSel->addItem(item);
    }
    if (ui->dirSel->count() > 0)
        ui->dirSel->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    ui->cmdUp->setEnabled(dirPath != QLatin1String("/"));
    showPlaceOf(dirPath);
    showPathLabel();
    return true;
}

bool frmDirSel::enter(const QString &path)
{
    if (setCurrentPath(path))
        return true;
    m.platform.prompts.message(this, tr("The directory %1 cannot be opened.").arg(QDir::toNativeSeparators(path)),
                               Prompts::Icon::Exclamation);
    return false;
}

void frmDirSel::showPlaceOf(const QString &path)
{
    int best = -1;
    for (int i = 0; i < m_places.size(); ++i)
        if (contains(m_places[i].path, path) && (best < 0 || m_places[i].path.size() > m_places[best].path.size()))
            best = i;
    const QSignalBlocker block(ui->drvSel);
    ui->drvSel->setCurrentIndex(best);
}

void frmDirSel::showPathLabel()
{
    const QString text = QDir::toNativeSeparators(m_path);
    const int width = ui->lblPath->contentsRect().width();
    ui->lblPath->setText(width > 20 ? ui->lblPath->fontMetrics().elidedText(text, Qt::ElideMiddle, width) : text);
    ui->lblPath->setToolTip(text);
    ui->lblPath->setAccessibleDescription(text);
}

void frmDirSel::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    showPathLabel();
}

bool frmDirSel::eventFilter(QObject *watched, QEvent *event)
{
    // Enter opens the directory under the cursor instead of pressing OK; Backspace goes up.
    if (watched == ui->dirSel && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (QListWidgetItem *item = ui->dirSel->currentItem())
                dirSel_Activated(item);
            return true;
        }
        if (key == Qt::Key_Backspace) {
            cmdUp_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmDirSel::dirSel_Activated(QListWidgetItem *item)
{
    if (item)
        enter(item->data(Qt::UserRole).toString());
}

void frmDirSel::cmdUp_Click()
{
    if (m_path != QLatin1String("/"))
        enter(cleaned(m_path + QStringLiteral("/..")));
}

void frmDirSel::drvSel_Change(int index)
{
    if (index < 0 || index >= m_places.size())
        return;
    if (!enter(m_places[index].path))
        showPlaceOf(m_path);
}

QString frmDirSel::highlightedPath() const
{
    // A folder the player highlighted with one click is the one OK takes; ".." and nothing
    // highlighted leave the listed folder.
    const QList<QListWidgetItem *> selected = ui->dirSel->selectedItems();
    if (selected.size() == 1 && selected.first()->text() != DotDot)
        return selected.first()->data(Qt::UserRole).toString();
    return m_path;
}

void frmDirSel::cmdOk_Click()
{
    const QString path = highlightedPath();
    const QString mode = m.DirSelMode;
    if (mode == QLatin1String("Duke")) {
        m.FileFound = false;
        m.FileExists(Module1::JoinPath(path, QStringLiteral("duke3d.exe")));
        if (!m.FileFound) {
            m.platform.prompts.message(this, QStringLiteral("Duke3d.exe does not exist in ") + path,
                                       Prompts::Icon::Exclamation);
            return;
        }
    } else if (mode != QLatin1String("Con") && mode != QLatin1String("Rts") && mode != QLatin1String("Map")) {
        return;
    }
    m_chosen = path;
    accept();
}

void frmDirSel::cmdCancel_Click()
{
    reject();
}
