// duke3d.cfg and commit.dat with any bytes: reading the keys, a launch's socket and player count
// and the exit's player name. A file is written only when every key it needs is there; a write
// changes the values' spans and nothing before or after them; what was written reads back; a
// second launch with the same values writes nothing.

#include "FuzzSupport.h"

#include "coneditor/TextBuffer.h"
#include "launch/NetworkKeys.h"

namespace {

const QString Dir = QStringLiteral("/game");
const QString Cfg = QStringLiteral("/game/DUKE3D.CFG");
const QString Commit = QStringLiteral("/game/COMMIT.DAT");

struct Span
{
    bool found = false;
    qsizetype start = 0, end = 0;
    bool alone = true; // a blank, a line end or the file's end follows the value
    qsizetype keyAt = 0;
};

Span span(Fuzz::MemoryFiles &files, const QString &path, const QString &key)
{
    TextBuffer buffer(files);
    if (!buffer.setFileName(path))
        return {};
    if (!NetworkKeys::SelectKeyValue(buffer, key))
        return {};
    const QString value = buffer.SelText();
    FUZZ_CHECK(!value.contains(u'\n') && !value.contains(u'\r'));
    const qsizetype end = buffer.SelStart() + buffer.SelLength();
    const QString text = buffer.Text();
    const bool alone = end == text.size() || QStringLiteral(" \t\r\n").contains(text.at(end));
    return {true, buffer.SelStart(), end, alone, text.lastIndexOf(key, buffer.SelStart() - key.size(), Qt::CaseInsensitive)};
}

// Whether no key's text stands inside another's value. Where one does, writing that value takes
// the key away (a garbled file only): the next key of the name, or none, is then written.
bool independent(const QList<Span> &spans)
{
    for (const Span &a : spans) {
        for (const Span &b : spans) {
            if (&a != &b && a.found && b.found && a.keyAt < b.end && b.start < a.end)
                return false;
        }
    }
    return true;
}

// The file changed only between the first and the last of the spans.
void changedOnlyIn(const QByteArray &before, const QByteArray &after, const QList<Span> &spans)
{
    if (!independent(spans))
        return;
    qsizetype first = before.size();
    qsizetype last = 0;
    for (const Span &s : spans) {
        if (s.found) {
            first = std::min(first, s.start);
            last = std::max(last, s.end);
        }
    }
    if (first > last) {
        FUZZ_CHECK(before == after);
        return;
    }
    FUZZ_CHECK(after.startsWith(before.left(first)));
    FUZZ_CHECK(after.endsWith(before.mid(last)));
    FUZZ_CHECK(after.size() >= first + (before.size() - last));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    Fuzz::MemoryFiles files;
    const QByteArray cfg = Fuzz::bytes(in.ConsumeRandomLengthString(2048));
    const QByteArray commit = Fuzz::bytes(in.ConsumeRandomLengthString(2048));
    if (in.ConsumeBool())
        files.files.insert(Cfg, cfg);
    if (in.ConsumeBool())
        files.files.insert(Commit, commit);
    if (in.ConsumeBool())
        files.setReadOnly(Cfg, true);
    const QString socket = Fuzz::name(in, {"~", "", "1234", "abcd", "FFFF", "0", "12345", "0x1"});
    const QString count = Fuzz::name(in, {"", "2", "4", "8", "10"});
    const QString player = Fuzz::name(in, {"", "duke", "Player One", "a\"b", "x<y"});

    NetworkValues values;
    NetworkKeys::ReadCfgKeys(files, Dir, values);
    FUZZ_CHECK(files.files.value(Cfg) == (files.files.contains(Cfg) ? cfg : QByteArray()));

    const bool validSocket = NetworkKeys::isSocketText(socket);
    FUZZ_CHECK(validSocket == !NetworkKeys::socketDecimal(socket).isEmpty());
    if (validSocket)
        FUZZ_CHECK(NetworkKeys::socketDecimal(socket).toUInt() == socket.toUInt(nullptr, 16));

    const bool hadCfg = files.files.contains(Cfg);
    const bool hadCommit = files.files.contains(Commit);
    const QList<Span> cfgSpans{span(files, Cfg, QStringLiteral("SocketNumber =")),
                               span(files, Cfg, QStringLiteral("NumberPlayers ="))};
    const QList<Span> commitSpans{span(files, Commit, QStringLiteral("SOCKETNUMBER =")),
                                  span(files, Commit, QStringLiteral("NumPlayers ="))};
    const bool wantSocket = validSocket;
    const bool wantCount = !count.isEmpty();

    NetworkValues launch = values;
    const NetworkKeys::Outcome out = NetworkKeys::EditNetworkKeys(files, Dir, launch, socket, count);
    const QByteArray cfgAfter = files.files.value(Cfg);
    const QByteArray commitAfter = files.files.value(Commit);
    FUZZ_CHECK(files.files.contains(Cfg) == hadCfg && files.files.contains(Commit) == hadCommit);
    FUZZ_CHECK(out.cfgWritten == (hadCfg && cfgAfter != cfg));
    FUZZ_CHECK(out.commitWritten == (hadCommit && commitAfter != commit));
    if (wantSocket || wantCount) {
        // A file without every key it needs stays as it was.
        const bool cfgComplete = (!wantSocket || cfgSpans[0].found) && (!wantCount || cfgSpans[1].found);
        const bool commitComplete = (!wantSocket || commitSpans[0].found) && (!wantCount || commitSpans[1].found);
        if (!cfgComplete)
            FUZZ_CHECK(!out.cfgWritten);
        if (!commitComplete)
            FUZZ_CHECK(!out.commitWritten);
        FUZZ_CHECK(out.ok() || !out.error.isEmpty());
        if (hadCfg)
            changedOnlyIn(cfg, cfgAfter, cfgSpans);
        if (hadCommit)
            changedOnlyIn(commit, commitAfter, commitSpans);
        // Both files took the values: they read back, and the next launch writes nothing. (The
        // count comes from a list of numbers. A quoted value with more after its closing quote
        // runs on into that once written without quotes.)
        const bool digits = std::all_of(count.begin(), count.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        const bool alone = std::all_of(cfgSpans.begin(), cfgSpans.end(), [](const Span &s) { return s.alone; })
            && std::all_of(commitSpans.begin(), commitSpans.end(), [](const Span &s) { return s.alone; });
        if (out.ok() && hadCfg && hadCommit && digits && alone && independent(cfgSpans) && independent(commitSpans)) {
            NetworkValues read;
            NetworkKeys::ReadCfgKeys(files, Dir, read);
            if (wantSocket)
                FUZZ_CHECK(read.SavedSocket.toUInt(nullptr, 16) == socket.toUInt(nullptr, 16));
            bool countIsNumber = false;
            const uint number = count.toUInt(&countIsNumber);
            if (wantCount && countIsNumber)
                FUZZ_CHECK(read.SavedPlayerCount.toUInt() == number);
            const NetworkKeys::Outcome again = NetworkKeys::EditNetworkKeys(files, Dir, launch, socket, count);
            FUZZ_CHECK(again.ok() && !again.cfgWritten && !again.commitWritten);
        }
    } else {
        FUZZ_CHECK(cfgAfter == files.files.value(Cfg) && !out.cfgWritten && !out.commitWritten);
    }

    // Exit: a name the files and the command line can take goes into duke3d.cfg, upper case.
    const QByteArray beforeName = files.files.value(Cfg);
    const Span nameSpan = span(files, Cfg, QStringLiteral("PlayerName ="));
    launch.TypedPlayerName = player;
    const QString savedName = launch.SavedPlayerName;
    const NetworkKeys::Outcome exit = NetworkKeys::WritePlayerName(files, Dir, launch);
    const QByteArray afterName = files.files.value(Cfg);
    if (!NetworkKeys::playerNameProblem(player).isEmpty() || !nameSpan.found || player.isEmpty()
        || player == savedName) {
        FUZZ_CHECK(afterName == beforeName && !exit.cfgWritten);
    } else {
        changedOnlyIn(beforeName, afterName, {nameSpan});
        if (exit.ok()) {
            NetworkValues read;
            NetworkKeys::ReadCfgKeys(files, Dir, read);
            FUZZ_CHECK(read.SavedPlayerName == player.toUpper());
            FUZZ_CHECK(launch.SavedPlayerName == player.toUpper());
        }
    }
    return 0;
}
