// Linked into every test program: before main() runs, the per-user data, settings and cache
// folders point into a fresh temporary folder of this process, so no test ever reads or writes
// the real ones (the main window keeps the game's originals under the data folder, for instance).
#include <QByteArray>
#include <QDir>

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

struct PrivateFolders
{
    std::string root;
    PrivateFolders()
    {
        char pattern[] = "/tmp/zentrel-test-XXXXXX";
        if (!::mkdtemp(pattern))
            return;
        root = pattern;
        for (const char *name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) {
            const std::string dir = root + "/" + name;
            QDir().mkpath(QString::fromStdString(dir));
            ::setenv(name, dir.c_str(), 1);
        }
    }
    ~PrivateFolders()
    {
        if (!root.empty() && ::getpid() == owner)
            QDir(QString::fromStdString(root)).removeRecursively();
    }
    pid_t owner = ::getpid();
};

const PrivateFolders folders;

} // namespace
