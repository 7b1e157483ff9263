#include "coneditor/widgets/ConEditorFiles.h"

#include <QDir>
#include <QFileInfo>

#include "coneditor/Catalogue.h"
#include "coneditor/TextBuffer.h"
#include "coneditor/widgets/ConEditorPage.h"
#include "coneditor/widgets/EditorHost.h"
#include "core/Module1.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QLabel>

namespace {
const QString DefaultCaption = QStringLiteral("Default User Con File");
const QString ConFilter = QStringLiteral("CON Files (*.con)");
} // namespace

ConEditorFiles::ConEditorFiles(Module1 &module1, ConEditorPage &page, EditorHost &host, QObject *parent)
    : QObject(parent), m(module1), page(page), host(host)
{
    connectSignals();
}

void ConEditorFiles::connectSignals()
{
    connect(&page, &ConEditorPage::openRequested, this, &ConEditorFiles::Open);
    connect(&page, &ConEditorPage::saveRequested, this, &ConEditorFiles::Save);
    connect(&page, &ConEditorPage::defaultRequested, this, &ConEditorFiles::LoadDefault);
    connect(&page, &ConEditorPage::revertRequested, this, &ConEditorFiles::Revert);
}

void ConEditorFiles::showFile(const QString &path)
{
    CurrentConFile = path;
    page.showFileCaption(path, path);
}

bool ConEditorFiles::SaveGuard()
{
    if (!m.ConModified)
        return true;
    switch (m.platform.prompts.message(&page, QStringLiteral("Save changes to current con file?"), Prompts::Icon::None,
                                       Prompts::Buttons::YesNoCancel)) {
    case Prompts::Answer::Yes:
        Save();
        return !m.DialogCancelled;
    case Prompts::Answer::No:
        return true;
    default:
        return false;
    }
}

bool ConEditorFiles::isWorkingCopy(const QString &path) const
{
    if (m.DukePath.isEmpty())
        return false;
    const QFileInfo file(path);
    if (QFileInfo(file.absolutePath()).canonicalFilePath() != QFileInfo(m.DukePath).canonicalFilePath())
        return false;
    for (const char *name : {"KVuser.con", "KVgame.con", "KVdefs.con", "KVuser.map"})
        if (file.fileName().compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void ConEditorFiles::Save()
{
    // Without a CON directory the home folder: the current directory is the game directory after a
    // launch, where a KVuser.con would be taken for Zentrel's working copy.
    const QString folder = m.CONPath.isEmpty() ? QDir::homePath() : m.CONPath;
    const QString start = Module1::JoinPath(folder, QStringLiteral("KVuser.con"));
    const QString path = m.platform.prompts.saveFile(&page, QStringLiteral("Save Current Con"), start, ConFilter);
    if (path.isEmpty()) {
        m.DialogCancelled = true;
        return;
    }
    if (isWorkingCopy(path)) {
        m.platform.prompts.message(&page,
                                   QStringLiteral("%1 is Zentrel's working copy in the game directory and is "
                                                  "deleted when Zentrel exits. Save the con under another name "
                                                  "or in another folder.")
                                       .arg(QDir::toNativeSeparators(path)),
                                   Prompts::Icon::Exclamation);
        m.DialogCancelled = true;
        return;
    }
    // The buffer's bytes, written whole and atomically: a failure leaves the old file as it was.
    if (!page.buffer().SaveFile(path)) {
        m.platform.prompts.message(&page, page.buffer().errorString(), Prompts::Icon::Exclamation);
        m.DialogCancelled = true;
        return;
    }
    showFile(path);
    m.ConModified = false;
    m.DialogCancelled = false;
}

void ConEditorFiles::Open()
{
    if (!SaveGuard())
        return;
    const QString path = host.chooseConFile();
    if (m.DialogCancelled)
        return;
    TextBuffer &buffer = page.buffer();
    // An unreadable file leaves the buffer as it was.
    TextBuffer probe(m.platform.files);
    if (!probe.setFileName(path)) {
        m.platform.prompts.message(&page, probe.errorString(), Prompts::Icon::Exclamation);
        return;
    }
    buffer.setText(QString());
    buffer.setFileName(path);
    showFile(path);
    m.ConModified = false;
    const bool version15 = !Catalogue::isVersion13dText(buffer.Text());
    versionItem(version15);
    page.readYesNoOptions();
    buffer.setSelection(0, 0);
    m.ConModified = false;
}

void ConEditorFiles::LoadDefault()
{
    if (!SaveGuard())
        return;
    page.buffer().setText(QString());
    page.loadDefaultUserCon();
    page.showFileCaption(DefaultCaption, QString());
    m.ConModified = false;
    page.resetPage(true);
}

void ConEditorFiles::Revert()
{
    if (m.ConModified) {
        page.buffer().setText(QString());
        if (!CurrentConFile.isEmpty()) {
            page.buffer().setFileName(CurrentConFile);
            page.showFileCaption(CurrentConFile, CurrentConFile);
        } else {
            page.loadDefaultUserCon();
            page.showFileCaption(DefaultCaption, QString());
        }
        m.ConModified = false;
    }
    page.resetPage(false);
    m.ConModified = false;
}

void ConEditorFiles::mnuVersion13d_Click()
{
    versionItem(false);
}

void ConEditorFiles::mnuVersion15_Click()
{
    versionItem(true);
}

void ConEditorFiles::versionItem(bool version15)
{
    // The buffer holds the other version's stock file: this version's stock file replaces it.
    const QString otherStock = [&] {
        const bool was = page.version15();
        page.setVersion15(!version15);
        const QString path = page.stockUserCon();
        page.setVersion15(was);
        return path;
    }();
    const bool holdsOtherStock = !otherStock.isEmpty() && page.buffer().FileName() == otherStock;
    if (!SaveGuard())
        return;
    host.tickVersion(version15);
    page.setVersion15(version15);
    if (holdsOtherStock)
        LoadDefault(); // its own save prompt asks again if the answer was No
    host.refreshLaunchOptions();
    page.FillEditorCatalogue();
    m.ConModified = false;
}
