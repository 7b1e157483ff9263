// The settings file: any bytes load, then writes and removals of keys. Every value written reads
// back exactly, in the same store and after a reload; the reloaded file says what the store said;
// the lines the store does not understand survive every change, in their order.

#include "FuzzSupport.h"

#include "platform/IniSettingsStore.h"

#include <QFile>
#include <QStringDecoder>

namespace {

struct Written
{
    QString section, key, value;
    bool removed = false;
};

bool same(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QList<QByteArray> lines(QByteArray data)
{
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    // CRs at a line's end are left out: a last line without a line end that ends in one gets the
    // file's line end when a line is added after it.
    QList<QByteArray> out = data.split('\n');
    for (QByteArray &line : out) {
        while (line.endsWith('\r'))
            line.chop(1);
    }
    return out;
}

// A line the store leaves to others: neither "[Section]" nor "Key=Value", or not its UTF-8.
bool isForeign(const QByteArray &line)
{
    const QByteArray t = line.trimmed();
    if (t.isEmpty())
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString decoded = utf8.decode(line); // decoding happens only here
    if (line.contains('\0') || utf8.hasError())
        return true;
    if (t.startsWith('[') && t.endsWith(']') && t.size() >= 2)
        return false;
    return t.startsWith(';') || t.startsWith('#') || !line.contains('=');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const QByteArray original = Fuzz::bytes(in.ConsumeRandomLengthString(4096));
    const QString path = Fuzz::scratchDir() + QStringLiteral("/Zentrel.ini");
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(original) == original.size());
    }

    IniSettingsStore store(path);
    FUZZ_CHECK(store.errorString().isEmpty());
    QList<Written> written;
    QStringList sections;
    for (int op = 0; op < 8 && in.remaining_bytes() > 0; ++op) {
        const uint8_t kind = in.ConsumeIntegral<uint8_t>() % 8;
        const QString section = Fuzz::name(in, {"", "Main", "main", "MenuName", "MenuPath", "A", "[x", " s "});
        const QString key = Fuzz::name(in, {"k", "K", "Key", "x]", "=", ";c", "#", "[x", " a ", "Name"});
        sections << section;
        if (kind < 6) {
            const QString value = Fuzz::text(in);
            FUZZ_CHECK(store.setValue(section, key, value));
            FUZZ_CHECK(store.value(section, key) == value);
            written.erase(std::remove_if(written.begin(), written.end(),
                                         [&](const Written &w) { return same(w.section, section) && same(w.key, key); }),
                          written.end());
            written.append({section, key, value});
        } else if (kind == 6) {
            FUZZ_CHECK(store.remove(section, key));
            FUZZ_CHECK(store.value(section, key).isEmpty());
            for (Written &w : written) {
                if (same(w.section, section) && same(w.key, key))
                    w.removed = true;
            }
        } else {
            FUZZ_CHECK(store.removeSection(section));
            FUZZ_CHECK(store.keys(section).isEmpty());
            for (Written &w : written) {
                if (same(w.section, section))
                    w.removed = true;
            }
        }
    }

    const IniSettingsStore reloaded(path);
    FUZZ_CHECK(reloaded.errorString().isEmpty());
    for (const Written &w : written) {
        FUZZ_CHECK(store.value(w.section, w.key) == (w.removed ? QString() : w.value));
        FUZZ_CHECK(reloaded.value(w.section, w.key) == store.value(w.section, w.key));
    }
    for (const QString &section : sections) {
        FUZZ_CHECK(reloaded.keys(section) == store.keys(section));
        for (const QString &key : store.keys(section))
            FUZZ_CHECK(reloaded.value(section, key) == store.value(section, key));
    }

    // The foreign lines of the original are still there, in their order.
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    if (!written.isEmpty() || saved != original) {
        FUZZ_CHECK(saved.startsWith("\xEF\xBB\xBF") == original.startsWith("\xEF\xBB\xBF"));
        const QList<QByteArray> now = lines(saved);
        qsizetype at = 0;
        for (const QByteArray &line : lines(original)) {
            if (!isForeign(line))
                continue;
            while (at < now.size() && now[at] != line)
                ++at;
            FUZZ_CHECK(at < now.size());
            ++at;
        }
    }
    return 0;
}
