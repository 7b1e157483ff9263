// The User Con Editor on a 40 KB USER.CON: FillEditorCatalogue (the lists, the presets and the
// yes/no defines read) and one list click (find, locate, show, write back) far down the file.
// Prints the median of 50 runs of each, in milliseconds; the target is under 2 ms each. Also the
// randomizer's whole-file walk (median of 20; target under 50 ms).
#include "coneditor/TextBuffer.h"
#include "coneditor/widgets/ConEditorPage.h"
#include "coneditor/widgets/Randomizer.h"
#include "platform/SeededRandom.h"
#include "confiles/StockStore.h"
#include "core/Module1.h"
#include "platform/DiskFiles.h"
#include "platform/IniSettingsStore.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class NoPrompts : public Prompts
{
public:
    Answer message(QWidget *, const QString &, Icon, Buttons, const QString &) override { return Answer::Ok; }
    QString chooseDirectory(QWidget *, const QString &, const QString &) override { return {}; }
    QString openFile(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFile(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
};

template <typename F> double medianMs(F run, int times = 50)
{
    std::vector<double> ms;
    for (int i = 0; i < times; ++i) {
        QElapsedTimer t;
        t.start();
        run();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir tmp;
    QFile standIn(QStringLiteral(ZENTREL_SOURCE_DIR "/tools/standins/USER15.CON"));
    if (!standIn.open(QIODevice::ReadOnly))
        return 1;
    // The stand-in's defines after 36 KB of comments, as far down as a large USER.CON has them.
    QByteArray file;
    while (file.size() < 36 * 1024)
        file += "// a comment line of a large USER.CON, written to make it forty kilobytes long\r\n";
    file += standIn.readAll();
    QFile out(tmp.filePath(QStringLiteral("KVuserp.dat")));
    out.open(QIODevice::WriteOnly);
    out.write(file);
    out.close();

    IniSettingsStore settings(tmp.filePath(QStringLiteral("Zentrel.ini")));
    DiskFiles files;
    NoPrompts prompts;
    Platform platform{settings, files, prompts, tmp.path()};
    Module1 m(platform);
    StockStore stock(files, tmp.filePath(QStringLiteral("kept")), tmp.path());
    ConEditorPage page;
    page.setUp(m, stock);
    page.setVersion15(true);
    page.loadDefaultUserCon();

    const double fill = medianMs([&] { page.FillEditorCatalogue(); });
    QListWidget *enemies = page.list(2);
    int row = 0;
    const double click = medianMs([&] {
        enemies->setCurrentRow(19 - (row++ % 2)); // Dolphin / NewBeast Scratch: near the end
    });
    // The randomizer's whole-file walk, as OK starts it (the dialog hidden), on the same file.
    SeededRandom random;
    const double walk = medianMs(
        [&] {
            page.FillEditorCatalogue();
            Randomizer(page, random).run(QString(), {7000, 1, false, false});
        },
        20);
    std::printf("USER.CON of %lld bytes, median of 50 runs (20 for the randomizer):\n",
                static_cast<long long>(file.size()));
    std::printf("  FillEditorCatalogue            %.3f ms (target < 2 ms)\n", fill);
    std::printf("  one list click                 %.3f ms (target < 2 ms)\n", click);
    std::printf("  randomizer, whole file         %.3f ms (target < 50 ms)\n", walk);
    return 0;
}
