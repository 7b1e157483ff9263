// What Zentrel hands to DOSBox's shell. Nothing accepted holds < > | ", a control character or a
// character outside ASCII, or reaches the program longer than DOS allows; the shell text gives the
// program exactly the switches asked for; names and mounts keep to what DOS and the mount take.

#include "FuzzSupport.h"

#include "platform/DosCommandTail.h"

namespace {

// Any UTF-16 code units, lone surrogates included: a player name can hold anything.
QString units(const QByteArray &bytes)
{
    return QString(reinterpret_cast<const QChar *>(bytes.constData()), bytes.size() / 2);
}

// What the program receives from the shell text: %% is one %, a lone % vanishes.
QString asShellReads(const QString &shell)
{
    QString out;
    for (qsizetype i = 0; i < shell.size(); ++i) {
        if (shell[i] != u'%')
            out += shell[i];
        else if (i + 1 < shell.size() && shell[i + 1] == u'%')
            out += shell[i++];
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QString &tail : {QString::fromUtf8(bytes), QString::fromLatin1(bytes), units(bytes)}) {
        const DosCommandTail::Checked checked = DosCommandTail::switches(tail);
        FUZZ_CHECK(checked.ok() != !checked.error.isEmpty());
        if (checked.ok()) {
            for (const QChar c : tail) {
                FUZZ_CHECK(c.unicode() >= 0x20 && c.unicode() <= 0x7e);
                FUZZ_CHECK(c != u'<' && c != u'>' && c != u'|' && c != u'"');
            }
            FUZZ_CHECK(tail.toLatin1().size() <= DosCommandTail::MaxTailBytes);
            FUZZ_CHECK(asShellReads(checked.text) == tail);
        }

        const DosCommandTail::Checked program = DosCommandTail::programName(tail);
        if (program.ok()) {
            const QString name = program.text;
            FUZZ_CHECK(name == tail.toUpper() && name == name.toUpper());
            const qsizetype dot = name.indexOf(u'.');
            FUZZ_CHECK(dot != 0 && (dot < 0 ? name.size() : dot) <= 8);
            FUZZ_CHECK(dot < 0 || (name.size() - dot - 1 <= 3 && name.indexOf(u'.', dot + 1) < 0));
            for (const QChar c : name)
                FUZZ_CHECK(c.unicode() > 0x20 && c.unicode() < 0x7f && c != u'"' && c != u'<' && c != u'>'
                           && c != u'|' && c != u'%' && c != u' ');
        }

        if (DosCommandTail::canMountLiterally(tail)) {
            const QString mount = DosCommandTail::mountCommand(u'C', tail);
            FUZZ_CHECK(mount.startsWith(u"mount c \"") && mount.endsWith(u'"'));
            FUZZ_CHECK(mount.count(u'"') == 2);
            for (const QChar c : tail)
                FUZZ_CHECK(c.unicode() >= 0x20 && c.unicode() != 0x7f);
            FUZZ_CHECK(asShellReads(mount.mid(9, mount.size() - 10)) == tail);
        }
    }
    return 0;
}
