// Bad input through the real program: the zentrel binary started on a private X server over a
// settings file or game directory that is broken in one way. Each time it must come up, say
// what is wrong in a sentence (read from its message boxes through the accessibility bus),
// stay up until told to quit, and leave every file as it was.
#include "Prerequisites.h"
#include "X11Session.h"
#include "X11TestTools.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <optional>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace X11TestTools;

namespace {

const QString Program = QStringLiteral(ZENTREL_BIN_DIR "/zentrel");
const QString DemoGame = QStringLiteral(ZENTREL_BIN_DIR "/../demo/game");
constexpr uid_t Nobody = 65534;

// Fixture generators: the same bytes every run.
QByteArray noise(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray out(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        out[i] = char(random.bounded(256));
    return out;
}

QByteArray garbageText(int lines, quint32 seed)
{
    QRandomGenerator random(seed);
    static const char pieces[][24] = {"=", "[", "]", "[Paths", "Paths]", "==", "; ", "#x", "%", "%2", "%ZZ",
                                      "DukePath", "Splash", " ", "\t", "\xC3\xA9", "\xFF\xFE", "value", "\r"};
    QByteArray out;
    for (int l = 0; l < lines; ++l) {
        const int n = int(random.bounded(1, 8));
        for (int i = 0; i < n; ++i)
            out += pieces[random.bounded(int(std::size(pieces)))];
        out += '\n';
    }
    return out;
}

QByteArray repeatedTo(const QByteArray &line, qint64 size)
{
    QByteArray out;
    out.reserve(size + line.size());
    while (out.size() < size)
        out += line;
    return out;
}

bool write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// A file of that size without writing it: holes read as zeros.
bool sparse(const QString &path, qint64 size)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.resize(size);
}

constexpr qint64 BigFile = 32 << 20;

// Every entry under a folder: its kind, mode and, for a file, its bytes' digest.
QMap<QString, QByteArray> snapshot(const QString &root, const QStringList &skip)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = QDir(root).relativeFilePath(path);
        if (std::any_of(skip.begin(), skip.end(), [&](const QString &s) { return name == s || name.startsWith(s + '/'); }))
            continue;
        struct stat st{};
        ::lstat(QFile::encodeName(path).constData(), &st);
        QByteArray entry = QByteArray::number(st.st_mode, 8);
        const QFileInfo info(path);
        if (info.isSymLink())
            entry += " -> " + QFile::encodeName(info.symLinkTarget());
        else if (info.isFile()) {
            QFile f(path);
            QCryptographicHash hash(QCryptographicHash::Sha256);
            bool read = f.open(QIODevice::ReadOnly);
            if (read && f.size() <= BigFile) {
                read = hash.addData(&f);
            } else if (read) {
                // A huge one: its size, its change times (any write moves them) and both ends.
                entry += ' ' + QByteArray::number(qint64(st.st_size)) + ' '
                    + QByteArray::number(qint64(st.st_mtim.tv_sec)) + '.' + QByteArray::number(qint64(st.st_mtim.tv_nsec))
                    + ' ' + QByteArray::number(qint64(st.st_ctim.tv_sec)) + '.'
                    + QByteArray::number(qint64(st.st_ctim.tv_nsec));
                hash.addData(f.read(1 << 20));
                read = f.seek(f.size() - (1 << 20));
                hash.addData(f.read(1 << 20));
            }
            entry += read ? ' ' + hash.result().toHex() : QByteArray(" unreadable");
        }
        out.insert(name, entry);
    }
    return out;
}

// Lines of the old file (with their CRs) that are missing from the new one, in order.
QByteArrayList linesLost(const QByteArray &before, const QByteArray &after)
{
    const QByteArrayList newLines = after.split('\n');
    QByteArrayList lost;
    qsizetype at = 0;
    for (const QByteArray &line : before.split('\n')) {
        qsizetype found = -1;
        for (qsizetype i = at; i < newLines.size() && found < 0; ++i)
            if (newLines[i] == line || (i == newLines.size() - 1 && newLines[i].isEmpty() && line.isEmpty()))
                found = i;
        if (found < 0)
            lost << line;
        else
            at = found + 1;
    }
    return lost;
}

// One case's folders: a home, the XDG folders, and a copy of the demo game.
struct Scene
{
    QTemporaryDir root;
    QString home = root.filePath("home");
    QString config = root.filePath("config");
    QString settings = root.filePath("config/Zentrel/Zentrel.ini");
    QString game = root.filePath("home/games/duke3d");
    bool asNobody = false; // root reads everything: unreadable files need another user

    Scene()
    {
        for (const char *d : {"home", "config/Zentrel", "data", "cache", "state", "run"})
            QDir().mkpath(root.filePath(QLatin1String(d)));
        ::chmod(QFile::encodeName(root.filePath("run")).constData(), 0700);
        copyGame(game);
    }

    ~Scene()
    {
        // Folders a case locked, so that the temporary folder can go also for a user who is not root.
        ::chmod(QFile::encodeName(game).constData(), 0755);
        ::chmod(QFile::encodeName(QFileInfo(settings).path()).constData(), 0755);
    }

    void copyGame(const QString &to)
    {
        QDir().mkpath(to);
        for (const QString &name : QDir(DemoGame).entryList(QDir::Files))
            QFile::copy(QDir(DemoGame).filePath(name), QDir(to).filePath(name));
    }

    // Settings as a player who has run Zentrel before has them, the game at dukePath.
    static QByteArray settingsFor(const QString &dukePath, const QByteArray &eol = "\n")
    {
        QByteArray path;
        for (const char c : dukePath.toUtf8())
            path += c == '%' ? QByteArray("%25") : QByteArray(1, c);
        return "[Paths]" + eol + "DukePath=" + path + eol + "[Prefs]" + eol + "Splash=No" + eol + "DukeWin=0"
            + eol + "HideDosWin=No" + eol + "CloseDosWin=No" + eol + "LastVersion=13d" + eol;
    }
    bool writeSettings(const QByteArray &bytes) { return write(settings, bytes); }
    QString gameFile(const QString &name) const { return QDir(game).filePath(name); }
};

struct Case
{
    const char *name;
    std::function<bool(Scene &)> setUp;
    QStringList messages;     // a fragment of each message shown, in order
    bool options = false;     // the Options dialog is shown (the game is asked for)
    enum Settings { SettingsExact, SettingsLinesKept, SettingsFree } settings = SettingsLinesKept;
};

QStringList allowEveryone(const QString &dir)
{
    QStringList failed;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    QStringList paths{dir};
    while (it.hasNext())
        paths << it.next();
    for (const QString &p : paths)
        if (::lchown(QFile::encodeName(p).constData(), Nobody, Nobody) != 0)
            failed << p;
    return failed;
}

bool chmodPath(const QString &path, mode_t mode)
{
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

QList<Case> cases()
{
    const auto normal = [](Scene &s) { return s.writeSettings(Scene::settingsFor(s.game)); };
    const auto gameIn = [](const QString &relative) {
        return [relative](Scene &s) {
            const QString dir = s.root.filePath(relative);
            QDir(s.game).removeRecursively();
            s.copyGame(dir);
            s.game = dir;
            return s.writeSettings(Scene::settingsFor(dir));
        };
    };
    const auto withGameFile = [normal](const QString &name, std::function<bool(const QString &)> make) {
        return [=](Scene &s) { QFile::remove(s.gameFile(name)); return make(s.gameFile(name)) && normal(s); };
    };
    const QString locate = QStringLiteral("Please locate the Duke3d executable");
    const QString invalid = QStringLiteral("The path to Duke3d.exe is invalid");
    const QString notRead = QStringLiteral("Zentrel could not read its settings from ");
    // The player cancels the Options dialog of a start without any game directory.
    const QString mustEnter = QStringLiteral("You must enter the path for Duke3d.exe before using Zentrel.");
    const QString leftAsIs = QStringLiteral("The file is left as it is, and changes made now are not saved.");

    return {
        // The settings file.
        {"settings: none at all (first start)", [](Scene &) { return true; }, {locate, mustEnter}, true, Case::SettingsFree},
        {"settings: empty file", [](Scene &s) { return s.writeSettings({}); }, {locate, mustEnter}, true},
        {"settings: garbage text", [](Scene &s) { return s.writeSettings(garbageText(200, 1)); }, {locate, mustEnter}, true},
        {"settings: binary", [](Scene &s) { return s.writeSettings(noise(64 * 1024, 2)); }, {locate, mustEnter}, true},
        {"settings: binary before valid keys",
         [](Scene &s) { return s.writeSettings(noise(4096, 3) + "\n" + Scene::settingsFor(s.game)); }, {}, false},
        {"settings: huge", [](Scene &s) { return sparse(s.settings, 17 * 1024 * 1024); },
         {notRead + "%1: the file is too large to be Zentrel's settings. " + leftAsIs, locate, mustEnter}, true,
         Case::SettingsExact},
        {"settings: a folder", [](Scene &s) { return QDir().mkpath(s.settings + "/inside"); },
         {notRead + "%1: it is a folder. " + leftAsIs, locate, mustEnter}, true, Case::SettingsExact},
        {"settings: unreadable",
         [](Scene &s) {
             s.asNobody = true;
             return s.writeSettings(Scene::settingsFor(s.game)) && chmodPath(s.settings, 0);
         },
         {notRead + "%1: Permission denied. " + leftAsIs, locate, mustEnter}, true, Case::SettingsExact},
        {"settings: its folder read-only",
         [](Scene &s) {
             s.asNobody = true;
             // Valid, but without the defaults a start writes: the first save fails.
             return s.writeSettings("[Paths]\nDukePath=" + s.game.toUtf8() + "\n[Prefs]\nSplash=No\n")
                 && chmodPath(s.settings, 0444) && chmodPath(QFileInfo(s.settings).path(), 0555);
         },
         {"Zentrel could not save its settings to %1: "}, false, Case::SettingsExact},
        {"settings: CRLF", [](Scene &s) { return s.writeSettings(Scene::settingsFor(s.game, "\r\n")); }, {}, false},
        {"settings: mixed LF and CRLF",
         [](Scene &s) {
             QByteArray b = Scene::settingsFor(s.game, "\r\n");
             b.replace("[Prefs]\r\n", "[Prefs]\n");
             return s.writeSettings(b);
         },
         {}, false},
        {"settings: lone CRs",
         [](Scene &s) { return s.writeSettings(Scene::settingsFor(s.game, "\r")); }, {locate, mustEnter}, true},
        {"settings: BOM", [](Scene &s) { return s.writeSettings("\xEF\xBB\xBF" + Scene::settingsFor(s.game)); }, {}, false},
        {"settings: BOM and CRLF",
         [](Scene &s) { return s.writeSettings("\xEF\xBB\xBF" + Scene::settingsFor(s.game, "\r\n")); }, {}, false},
        // Lines with broken UTF-8 or a NUL are kept as they are and not read: the game's line is
        // as good as missing, and the value written at exit goes onto a line of its own.
        {"settings: broken UTF-8 in the game's line",
         [](Scene &s) {
             return s.writeSettings("[Paths]\nDukePath=" + s.game.toUtf8() + "\xFF\n[Prefs]\nSplash=No\n");
         },
         {}, false},
        {"settings: broken UTF-8 and a NUL in stored values",
         [](Scene &s) {
             QByteArray b = Scene::settingsFor(s.game);
             b.replace("LastVersion=13d", "LastVersion=13d\xFF");
             b.replace("HideDosWin=No", QByteArray("HideDosWin=No\0Yes", 17));
             return s.writeSettings(b);
         },
         {}, false},
        // The stored game directory.
        {"DukePath: a file", [](Scene &s) { return s.writeSettings(Scene::settingsFor(s.gameFile("DUKE3D.EXE"))); },
         {invalid, locate}, true},
        {"DukePath: vanished", [](Scene &s) { return s.writeSettings(Scene::settingsFor(s.root.filePath("unmounted"))); },
         {invalid, locate}, true},
        {"DukePath: DUKE3D.EXE is a folder",
         [](Scene &s) {
             return QFile::remove(s.gameFile("DUKE3D.EXE")) && QDir().mkpath(s.gameFile("DUKE3D.EXE"))
                 && s.writeSettings(Scene::settingsFor(s.game));
         },
         {invalid, locate}, true},
        {"DukePath: unreadable folder",
         [](Scene &s) {
             s.asNobody = true;
             return s.writeSettings(Scene::settingsFor(s.game)) && chmodPath(s.game, 0);
         },
         {invalid, locate}, true},
        {"DukePath: spaces", gameIn("home/My Games/Duke Nukem 3D"), {}, false},
        {"DukePath: quotes", gameIn("home/\"Duke\" 'Nukem'"), {}, false},
        {"DukePath: percent", gameIn("home/100% Duke %25 %zz"), {}, false},
        {"DukePath: non-ASCII", gameIn(QStringLiteral("home/Düke Nükem ゲーム")), {}, false},
        {"DukePath: trailing slashes",
         [](Scene &s) { return s.writeSettings(Scene::settingsFor(s.game + "//")); }, {}, false},

        // duke3d.cfg and commit.dat: read at start-up, written only at a launch or exit.
        {"duke3d.cfg: binary", withGameFile("duke3d.cfg", [](const QString &p) { return write(p, noise(8192, 4)); }), {}, false},
        {"duke3d.cfg: huge",
         withGameFile("duke3d.cfg", [](const QString &p) { return write(p, repeatedTo("[Setup]\r\nX = 1\r\n", 32 << 20)); }),
         {}, false},
        {"duke3d.cfg: no keys",
         withGameFile("duke3d.cfg", [](const QString &p) { return write(p, "[Comm Setup]\r\nComPort = 2\r\n"); }), {}, false},
        {"duke3d.cfg: a folder", withGameFile("duke3d.cfg", [](const QString &p) { return QDir().mkpath(p); }), {}, false},
        {"commit.dat: missing", withGameFile("commit.dat", [](const QString &) { return true; }), {}, false},
        {"commit.dat: binary", withGameFile("commit.dat", [](const QString &p) { return write(p, noise(3000, 5)); }), {}, false},

        // Saved games: only their first bytes are read.
        {"saved games: garbage, empty, a folder, huge",
         [normal](Scene &s) {
             for (const char *name : {"GAME0.SAV", "GAME1.SAV", "GAME2.SAV"})
                 QFile::remove(s.gameFile(QLatin1String(name)));
             return write(s.gameFile("GAME0.SAV"), noise(5000, 6)) && write(s.gameFile("game1.sav"), {})
                 && QDir().mkpath(s.gameFile("GAME2.SAV")) && sparse(s.gameFile("Game3.sav"), qint64(300) << 20)
                 && write(s.gameFile("GAME10.SAV"), "x") && write(s.gameFile("GAMEA.SAV"), "x") && normal(s);
         },
         {}, false},

        // The CON, RTS and GRP files the start-up keeps and the editor opens.
        {"USER.CON: binary", withGameFile("USER.CON", [](const QString &p) { return write(p, noise(20000, 7)); }), {}, false},
        {"USER.CON: huge",
         withGameFile("USER.CON", [](const QString &p) { return write(p, repeatedTo("define SWEARFREQUENCY 100\r\n", 24 << 20)); }),
         {}, false},
        {"USER.CON: a folder", withGameFile("USER.CON", [](const QString &p) { return QDir().mkpath(p); }), {}, false},
        {"GAME.CON and DEFS.CON: garbage",
         [normal](Scene &s) {
             return write(s.gameFile("GAME.CON"), garbageText(500, 8)) && write(s.gameFile("DEFS.CON"), noise(999, 9))
                 && normal(s);
         },
         {}, false},
        {"DUKE.RTS: empty", withGameFile("DUKE.RTS", [](const QString &p) { return write(p, {}); }), {}, false},
        {"DUKE3D.GRP: garbage", withGameFile("DUKE3D.GRP", [](const QString &p) { return write(p, noise(100, 10)); }), {}, false},
        {"DUKE3D.GRP: a directory claiming 4 billion files",
         withGameFile("DUKE3D.GRP", [](const QString &p) { return write(p, QByteArray(12, 'G') + "\xFF\xFF\xFF\xFF"); }),
         {}, false},
        {"DUKE3D.GRP: huge, its directory claiming 100 million files",
         withGameFile("DUKE3D.GRP",
                      [](const QString &p) {
                          QFile f(p);
                          return sparse(p, qint64(2) << 30) && f.open(QIODevice::ReadWrite) && f.seek(12)
                              && f.write(QByteArray("\x00\xE1\xF5\x05", 4)) == 4;
                      }),
         {}, false},
    };
}

// What one run of the program showed.
struct Run
{
    QStringList messages;
    bool options = false;
    bool mainShown = false;
    bool endedBeforeAsked = false;
    int exitCode = -1;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    QString output;
    qint64 ms = 0;
    qint64 mainMs = 0; // until the main window showed
};

struct TopWindow
{
    quint32 id;
    QString title;
    QByteArray type;
};

QString propertyText(quint32 window, const char *name)
{
    xcb_connection_t *c = qtConnection();
    auto *r = xcb_get_property_reply(c, xcb_get_property(c, 0, window, atom(name), XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
                                     nullptr);
    QString text;
    if (r)
        text = QString::fromUtf8(static_cast<const char *>(xcb_get_property_value(r)), xcb_get_property_value_length(r));
    std::free(r);
    return text;
}

QByteArray atomName(xcb_atom_t a)
{
    xcb_connection_t *c = qtConnection();
    auto *r = xcb_get_atom_name_reply(c, xcb_get_atom_name(c, a), nullptr);
    QByteArray name;
    if (r)
        name = QByteArray(xcb_get_atom_name_name(r), xcb_get_atom_name_name_length(r));
    std::free(r);
    return name;
}

QByteArray windowType(quint32 window)
{
    xcb_connection_t *c = qtConnection();
    auto *r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 0, 1), nullptr);
    QByteArray type;
    if (r && xcb_get_property_value_length(r) >= 4)
        type = atomName(*static_cast<const xcb_atom_t *>(xcb_get_property_value(r)));
    std::free(r);
    return type.mid(qstrlen("_NET_WM_WINDOW_TYPE_"));
}

// The program's mapped top-level windows (no window manager: children of the root).
QList<TopWindow> windowsOf(qint64 pid)
{
    xcb_connection_t *c = qtConnection();
    QList<TopWindow> out;
    auto *tree = xcb_query_tree_reply(c, xcb_query_tree(c, rootWindow()), nullptr);
    if (!tree)
        return out;
    const xcb_window_t *children = xcb_query_tree_children(tree);
    for (int i = 0; i < xcb_query_tree_children_length(tree); ++i) {
        const xcb_window_t w = children[i];
        auto *a = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr);
        const bool viewable = a && a->map_state == XCB_MAP_STATE_VIEWABLE && !a->override_redirect;
        std::free(a);
        if (viewable && windowPid(w) == quint32(pid))
            out.append({w, propertyText(w, "_NET_WM_NAME"), windowType(w)});
    }
    std::free(tree);
    return out;
}

bool xdotool(const QStringList &arguments)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), arguments);
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished();
        return false;
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool pressKey(quint32 window, const QString &key)
{
    return xdotool({"windowfocus", "--sync", QString::number(window), "key", "--clearmodifiers", key});
}

void runAs(QProcess &p, bool nobody)
{
    if (nobody && ::geteuid() == 0)
        p.setChildProcessModifier([] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)
                ::_exit(121);
        });
}

// The first quoted text of gdbus's printed value, its escapes undone.
QString printedString(const QString &printed)
{
    qsizetype i = 0;
    while (i < printed.size() && printed[i] != u'\'' && printed[i] != u'"')
        ++i;
    if (i == printed.size())
        return {};
    const QChar quote = printed[i++];
    QString out;
    while (i < printed.size() && printed[i] != quote) {
        QChar c = printed[i++];
        if (c != u'\\' || i == printed.size()) {
            out += c;
            continue;
        }
        c = printed[i++];
        if (c == u'n')
            out += u'\n';
        else if (c == u't')
            out += u'\t';
        else if (c == u'r')
            out += u'\r';
        else if (c == u'u' || c == u'U') {
            const int digits = c == u'u' ? 4 : 8;
            const char32_t code = printed.mid(i, digits).toUInt(nullptr, 16);
            out += QString::fromUcs4(&code, 1);
            i += digits;
        } else
            out += c;
    }
    return out;
}

// A private D-Bus session for one run, so the program's message boxes can be read through the
// accessibility bus as a screen reader reads them. Its processes run as the program's user.
class Bus
{
public:
    explicit Bus(const QString &runtimeDir, bool nobody) : nobody(nobody)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtimeDir);
        env.remove("DBUS_SESSION_BUS_ADDRESS");
        daemon.setProcessEnvironment(env);
        runAs(daemon, nobody);
        daemon.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
        QElapsedTimer t;
        t.start();
        while (!daemon.canReadLine() && daemon.state() != QProcess::NotRunning && t.elapsed() < 10000)
            daemon.waitForReadyRead(100);
        address = QString::fromLocal8Bit(daemon.readLine()).trimmed();
        environment = env;
        environment.insert("DBUS_SESSION_BUS_ADDRESS", address);
    }
    ~Bus()
    {
        daemon.terminate();
        if (!daemon.waitForFinished(3000)) {
            daemon.kill();
            daemon.waitForFinished();
        }
    }

    QString address;
    QProcessEnvironment environment;

    // A message box of the program that has not been read yet: the text of its labels.
    std::optional<QString> unreadMessage(qint64 pid)
    {
        const QString app = application(pid);
        if (app.isEmpty())
            return std::nullopt;
        for (const QString &top : children(app, QStringLiteral("/org/a11y/atspi/accessible/root"))) {
            if (read.contains(top) || !call(app, top, {"--method", "org.a11y.atspi.Accessible.GetRoleName"}).contains("alert"))
                continue;
            QStringList texts;
            for (const QString &child : children(app, top)) {
                const QString role = call(app, child, {"--method", "org.a11y.atspi.Accessible.GetRoleName"});
                if (!role.contains("label"))
                    continue;
                const QString name = printedString(call(app, child, {"--method", "org.freedesktop.DBus.Properties.Get",
                                                                      "org.a11y.atspi.Accessible", "Name"}));
                if (!name.isEmpty())
                    texts << name;
            }
            read << top;
            return texts.join(u'\n');
        }
        return std::nullopt;
    }

private:
    QString gdbus(const QString &busAddress, const QStringList &arguments)
    {
        QProcess p;
        p.setProcessEnvironment(environment);
        runAs(p, nobody);
        p.start(QStringLiteral("gdbus"), QStringList{"call", "--address", busAddress} + arguments);
        if (!p.waitForFinished(10000)) {
            p.kill();
            p.waitForFinished();
            return {};
        }
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }
    QString call(const QString &dest, const QString &path, const QStringList &arguments)
    {
        return gdbus(a11y, QStringList{"--dest", dest, "--object-path", path} + arguments);
    }
    QStringList children(const QString &dest, const QString &path)
    {
        static const QRegularExpression Path(QStringLiteral("'(/org/a11y/atspi/accessible/[0-9a-z]+)'"));
        QStringList out;
        auto it = Path.globalMatch(call(dest, path, {"--method", "org.a11y.atspi.Accessible.GetChildren"}));
        while (it.hasNext())
            out << it.next().captured(1);
        return out;
    }
    // The program's name on the accessibility bus, found by its process id.
    QString application(qint64 pid)
    {
        if (a11y.isEmpty())
            a11y = printedString(gdbus(address, {"--dest", "org.a11y.Bus", "--object-path", "/org/a11y/bus", "--method",
                                                 "org.a11y.Bus.GetAddress"}));
        if (!appName.isEmpty() || a11y.isEmpty())
            return appName;
        static const QRegularExpression Unique(QStringLiteral("'(:[0-9.]+)'"));
        auto it = Unique.globalMatch(call("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                          {"--method", "org.freedesktop.DBus.ListNames"}));
        while (it.hasNext()) {
            const QString name = it.next().captured(1);
            const QString owner = call("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                       {"--method", "org.freedesktop.DBus.GetConnectionUnixProcessID", name});
            if (owner == QStringLiteral("(uint32 %1,)").arg(pid))
                appName = name;
        }
        return appName;
    }

    bool nobody;
    QProcess daemon;
    QString a11y;
    QString appName;
    QStringList read; // the message boxes read already
};

QString messageText(Bus &bus, qint64 pid)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 15000) {
        if (const std::optional<QString> text = bus.unreadMessage(pid)) {
            // The box keeps paths whole with invisible joiners; the player reads them without.
            QString shown = *text;
            shown.remove(QChar(0x2060));
            shown.remove(QChar(0x200B));
            return shown;
        }
        QTest::qWait(50);
    }
    return QStringLiteral("(no message text found on the accessibility bus)");
}

void requestClose(quint32 window)
{
    xcb_connection_t *c = qtConnection();
    xcb_client_message_event_t e{};
    e.response_type = XCB_CLIENT_MESSAGE;
    e.format = 32;
    e.window = window;
    e.type = atom("WM_PROTOCOLS");
    e.data.data32[0] = atom("WM_DELETE_WINDOW");
    e.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&e));
    xcb_flush(c);
}

// Starts the program, answers every message box with OK (after copying its text) and the
// Options dialog with Escape, waits until the main window has stood alone for a while, then
// closes it as a window manager would and waits for the program to end.
Run runProgram(Scene &scene)
{
    Run run;
    const bool nobody = scene.asNobody && ::geteuid() == 0;
    const QString root = scene.root.path();
    Bus bus(root + "/run", nobody);
    if (bus.address.isEmpty()) {
        run.output = QStringLiteral("dbus-daemon did not start");
        return run;
    }
    QProcess p;
    QProcessEnvironment env = bus.environment;
    env.insert("HOME", scene.home);
    env.insert("XDG_CONFIG_HOME", scene.config);
    env.insert("XDG_DATA_HOME", root + "/data");
    env.insert("XDG_CACHE_HOME", root + "/cache");
    env.insert("XDG_STATE_HOME", root + "/state");
    env.insert("XDG_RUNTIME_DIR", root + "/run");
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    for (const char *gone : {"WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP", "SESSION_MANAGER", "QT_LOGGING_RULES"})
        env.remove(QLatin1String(gone));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(scene.home);
    p.setProcessChannelMode(QProcess::MergedChannels);
    runAs(p, nobody);
    QElapsedTimer clock;
    clock.start();
    p.start(Program, {});
    if (!p.waitForStarted(10000)) {
        run.output = p.errorString();
        return run;
    }
    const qint64 pid = p.processId();
    bool closeAsked = false;
    QSet<quint32> answered;
    QElapsedTimer quiet; // since the main window stood alone
    while (clock.elapsed() < 60000) {
        if (p.state() == QProcess::NotRunning) {
            run.endedBeforeAsked = !closeAsked;
            break;
        }
        QTest::qWait(40);
        const QList<TopWindow> windows = windowsOf(pid);
        // The topmost dialog not yet answered (a box over Options stays until it is answered).
        const TopWindow *dialog = nullptr, *main = nullptr;
        for (const TopWindow &w : windows) {
            if (w.type == "DIALOG" && !answered.contains(w.id))
                dialog = &w;
            else if (w.type == "NORMAL")
                main = &w;
        }
        if (dialog) {
            quiet.invalidate();
            const quint32 id = dialog->id;
            answered << id;
            if (dialog->title == QLatin1String("Options")) {
                run.options = true;
                pressKey(id, QStringLiteral("Escape"));
            } else {
                run.messages << messageText(bus, pid);
                pressKey(id, QStringLiteral("Return"));
            }
            // Until it has gone or another dialog stands over it.
            QElapsedTimer gone;
            gone.start();
            const auto another = [&] {
                const QList<TopWindow> now = windowsOf(pid);
                return std::any_of(now.begin(), now.end(),
                                   [&](const TopWindow &w) { return w.type == "DIALOG" && !answered.contains(w.id); });
            };
            while (isMapped(id) && !another() && p.state() != QProcess::NotRunning && gone.elapsed() < 10000)
                QTest::qWait(20);
            continue;
        }
        if (std::any_of(windows.begin(), windows.end(), [](const TopWindow &w) { return w.type == "DIALOG"; }))
            continue; // an answered one still closing
        if (!main || closeAsked)
            continue;
        if (!run.mainShown)
            run.mainMs = clock.elapsed();
        run.mainShown = true;
        if (!quiet.isValid())
            quiet.start();
        else if (quiet.elapsed() > 800) {
            requestClose(main->id);
            closeAsked = true;
        }
    }
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished(5000);
    }
    run.ms = clock.elapsed();
    run.exitCode = p.exitCode();
    run.exitStatus = p.exitStatus();
    run.output = QString::fromLocal8Bit(p.readAll()).right(3000);
    return run;
}

} // namespace

class TestBadInput : public QObject
{
    Q_OBJECT
public:
    explicit TestBadInput(const X11Session &session) : session(session) {}

private:
    const X11Session &session;
    QStringList table; // case | message | files unchanged, for the log

private slots:
    void initTestCase()
    {
        REQUIRE_PREREQUISITES(Prerequisites::Need::Xvfb, Prerequisites::Need::Xdotool, Prerequisites::Need::DosStubs);
        for (const char *tool : {"dbus-daemon", "gdbus"})
            QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(),
                     qPrintable(QStringLiteral("%1 is not installed: the message boxes are read through D-Bus "
                                               "(packages dbus-daemon and libglib2.0-bin).").arg(QLatin1String(tool))));
        QVERIFY2(QFileInfo::exists("/usr/share/dbus-1/services/org.a11y.Bus.service"),
                 "the accessibility bus is not installed: the message boxes are read through it (package at-spi2-core).");
        QVERIFY2(session.started(), qPrintable(session.problem()));
        QVERIFY2(QFileInfo(Program).isExecutable(), qPrintable(Program + " was not built"));
        QVERIFY2(QFileInfo::exists(DemoGame + "/DUKE3D.EXE"), "the demo game directory was not built");
    }

    void startsTellsAndKeepsFiles_data()
    {
        QTest::addColumn<int>("index");
        const QList<Case> all = cases();
        for (int i = 0; i < all.size(); ++i)
            QTest::newRow(all[i].name) << i;
    }
    void startsTellsAndKeepsFiles()
    {
        QFETCH(int, index);
        const Case c = cases().at(index);
        Scene scene;
        QVERIFY2(c.setUp(scene), "could not make the fixture");
        if (scene.asNobody && ::geteuid() == 0)
            QVERIFY(allowEveryone(scene.root.path()).isEmpty());
        // Zentrel's own store of originals is its to write.
        const QStringList own{"data", "cache", "state", "run", "config/Zentrel/Zentrel.ini"};
        const QMap<QString, QByteArray> before = snapshot(scene.root.path(), own);
        QFile settingsFile(scene.settings);
        const QByteArray settingsBefore = settingsFile.open(QIODevice::ReadOnly) ? settingsFile.readAll() : QByteArray();
        settingsFile.close();
        const bool settingsExisted = QFileInfo(scene.settings).isFile();

        const Run run = runProgram(scene);

        QStringList expected;
        for (const QString &m : c.messages)
            expected << (m.contains("%1") ? m.arg(scene.settings) : m);
        const QMap<QString, QByteArray> after = snapshot(scene.root.path(), own);
        QStringList changed;
        for (auto it = before.begin(); it != before.end(); ++it)
            if (after.value(it.key()) != it.value())
                changed << it.key();
        for (auto it = after.begin(); it != after.end(); ++it)
            if (!before.contains(it.key()))
                changed << it.key() + " (new)";
        QFile again(scene.settings);
        const QByteArray settingsAfter = again.open(QIODevice::ReadOnly) ? again.readAll() : QByteArray();
        if (settingsExisted && c.settings == Case::SettingsExact && settingsAfter != settingsBefore)
            changed << "Zentrel.ini";
        if (settingsExisted && c.settings == Case::SettingsLinesKept) {
            const QByteArrayList lost = linesLost(settingsBefore, settingsAfter);
            if (!lost.isEmpty() || settingsBefore.startsWith("\xEF\xBB\xBF") != settingsAfter.startsWith("\xEF\xBB\xBF"))
                changed << "Zentrel.ini (lines lost: " + QString::number(lost.size()) + ")";
        }

        table << QStringLiteral("%1 | %2 | %3 | %4 ms")
                     .arg(QLatin1String(c.name),
                          run.messages.isEmpty() ? QStringLiteral("(none)")
                                                 : run.messages.join(QStringLiteral(" / ")).replace('\n', ' '),
                          changed.isEmpty() ? QStringLiteral("yes") : "NO: " + changed.join(", "))
                     .arg(run.ms);
        qInfo().noquote() << table.last() << (run.options ? "[Options shown]" : "");

        const QString log = "\nshown: " + run.messages.join(" / ") + "\noutput: " + run.output;
        QVERIFY2(!run.endedBeforeAsked, qPrintable("the program ended by itself" + log));
        QVERIFY2(run.exitStatus == QProcess::NormalExit && run.exitCode == 0,
                 qPrintable(QStringLiteral("exit %1, status %2").arg(run.exitCode).arg(run.exitStatus) + log));
        QVERIFY2(run.mainShown, qPrintable("no main window" + log));
        // Far more than any case needs: a start that reads too much shows here.
        QVERIFY2(run.mainMs < 30000, qPrintable(QStringLiteral("the main window took %1 ms").arg(run.mainMs) + log));
        QCOMPARE(run.options, c.options);
        QVERIFY2(run.messages.size() == expected.size(), qPrintable("expected " + expected.join(" / ") + log));
        for (int i = 0; i < expected.size(); ++i)
            QVERIFY2(run.messages[i].startsWith(expected[i]), qPrintable("expected " + expected[i] + log));
        QVERIFY2(changed.isEmpty(), qPrintable("changed: " + changed.join(", ")));
    }

    void cleanupTestCase()
    {
        qInfo().noquote() << "case | shown | files unchanged\n" + table.join('\n');
    }
};

int main(int argc, char **argv)
{
    X11Session session; // before the application: it needs the display
    QApplication app(argc, argv);
    TestBadInput test(session);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_badinput.moc"
