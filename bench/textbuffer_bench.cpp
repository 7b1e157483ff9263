// Times the text buffer on a USER.CON-like file: load, Find + LocateDefineValue for 100 defines
// spread over the file, and save. Prints the median of several runs for a 40 KB and a 4 MB file.
// Saving is atomic and synced to disk, so its time depends on the disk; pass a directory (e.g.
// /dev/shm) as the first argument to time it without the disk, default: the system's temp dir.
#include "coneditor/DefineEditing.h"
#include "coneditor/TextBuffer.h"
#include "platform/DiskFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Comment blocks and define lines with CRLF line ends, as the game's USER.CON has them.
QByteArray makeUserCon(qsizetype targetBytes, int *defineCount)
{
    QByteArray out;
    int n = 0;
    while (out.size() < targetBytes) {
        if (n % 10 == 0)
            out += "// Section " + QByteArray::number(n / 10) + " -- values the player may change\r\n";
        out += "define DEFINE_" + QByteArray::number(n) + " " + QByteArray::number(n * 7 % 1000)
            + "   // comment for define " + QByteArray::number(n) + "\r\n";
        ++n;
    }
    *defineCount = n;
    return out;
}

struct Times
{
    double load, locate, save;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

Times runOnce(DiskFiles &files, const QString &path, const QString &savePath, int defineCount)
{
    Times t{};
    QElapsedTimer timer;
    TextBuffer buffer(files);

    timer.start();
    if (!buffer.setFileName(path))
        qFatal("load failed: %s", qPrintable(buffer.errorString()));
    t.load = timer.nsecsElapsed() / 1e6;

    timer.restart();
    int found = 0;
    for (int i = 0; i < 100; ++i) {
        const int define = int((qint64(i) * 2 + 1) * defineCount / 200); // evenly over the file
        const qsizetype at = buffer.Find(QStringLiteral("DEFINE_%1").arg(define), 0, true);
        if (DefineEditing::ShowDefineValue(buffer, at))
            ++found;
    }
    t.locate = timer.nsecsElapsed() / 1e6;
    if (found != 100)
        qFatal("only %d of 100 defines found", found);

    timer.restart();
    if (!buffer.SaveFile(savePath))
        qFatal("save failed: %s", qPrintable(buffer.errorString()));
    t.save = timer.nsecsElapsed() / 1e6;
    return t;
}

void bench(const char *label, qsizetype bytes, int runs, const QTemporaryDir &dir)
{
    int defines = 0;
    const QByteArray data = makeUserCon(bytes, &defines);
    const QString path = dir.filePath(QStringLiteral("USER_%1.CON").arg(bytes));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        qFatal("cannot write %s", qPrintable(path));
    file.close();

    DiskFiles files;
    std::vector<double> load, locate, save, total;
    runOnce(files, path, path + QStringLiteral(".out"), defines); // warm-up
    for (int r = 0; r < runs; ++r) {
        const Times t = runOnce(files, path, path + QStringLiteral(".out"), defines);
        load.push_back(t.load);
        locate.push_back(t.locate);
        save.push_back(t.save);
        total.push_back(t.load + t.locate + t.save);
    }
    std::printf("%-6s %9lld bytes %6d defines | load %8.3f ms | find+locate x100 %9.3f ms | save %8.3f ms | "
                "all %9.3f ms (median of %d)\n",
                label, static_cast<long long>(data.size()), defines, median(load), median(locate), median(save),
                median(total), runs);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QTemporaryDir dir(base + QStringLiteral("/bench_textbuffer-XXXXXX"));
    if (!dir.isValid())
        qFatal("no temporary directory");
    std::printf("files in %s\n", qPrintable(dir.path()));
    bench("40 KB", 40 * 1024, 21, dir);
    bench("4 MB", 4 * 1024 * 1024, 5, dir);
    return 0;
}
