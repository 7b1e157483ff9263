// The stock store's manifest. Any bytes parse, and what parsing gives is written and read back
// unchanged; a manifest of any directory and source paths (tabs, line breaks, % and blanks in
// them) reads back as it was written.

#include "FuzzSupport.h"

#include "confiles/StockStore.h"

#include <QCryptographicHash>

namespace {

// The manifest keeps times to the second.
void checkSame(const StockStore::Manifest &a, const StockStore::Manifest &b)
{
    FUZZ_CHECK(a.directories == b.directories);
    FUZZ_CHECK(a.entries.size() == b.entries.size());
    for (qsizetype i = 0; i < a.entries.size(); ++i) {
        const StockStore::Entry &x = a.entries[i];
        const StockStore::Entry &y = b.entries[i];
        FUZZ_CHECK(x.stockName == y.stockName && x.size == y.size && x.sha256 == y.sha256 && x.source == y.source);
        FUZZ_CHECK(x.captured.isValid() == y.captured.isValid());
        if (x.captured.isValid())
            FUZZ_CHECK(x.captured.toUTC().toString(Qt::ISODate) == y.captured.toUTC().toString(Qt::ISODate));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const QByteArray text = Fuzz::bytes(in.ConsumeRandomLengthString(4096));

    const StockStore::Manifest parsed = StockStore::parseManifest(text);
    for (const StockStore::Entry &e : parsed.entries)
        FUZZ_CHECK(!e.stockName.isEmpty() && e.size >= 0 && e.sha256.size() == 64);
    const QByteArray written = StockStore::writeManifest(parsed);
    checkSame(StockStore::parseManifest(written), parsed);
    FUZZ_CHECK(StockStore::writeManifest(StockStore::parseManifest(written)) == written);

    StockStore::Manifest made;
    // Directories and sources are paths of files that were there: never empty.
    for (int i = 0; i < 4 && in.remaining_bytes() > 0; ++i) {
        const QString dir = Fuzz::name(in, {"/home/p/duke", "/games/Duke 3D", "/x/%41", "/t\tab", "/nl\n", "/sp "});
        if (!dir.isEmpty())
            made.directories << dir;
    }
    for (int i = 0; i < 4 && in.remaining_bytes() > 0; ++i) {
        StockStore::Entry e;
        e.stockName = Fuzz::name(in, {"USER.CON", "GAME.CON", "DEFS.CON", "DUKE.RTS", "a%b", " x "});
        if (e.stockName.isEmpty())
            continue;
        e.size = in.ConsumeIntegralInRange<qint64>(0, std::numeric_limits<qint64>::max());
        e.sha256 = QCryptographicHash::hash(e.stockName.toUtf8(), QCryptographicHash::Sha256).toHex();
        e.captured = QDateTime::fromSecsSinceEpoch(in.ConsumeIntegralInRange<qint64>(0, 8000000000LL), Qt::UTC);
        e.source = Fuzz::name(in, {"/home/p/duke/USER.CON", "/g/%%/USER.CON", "/g/tab\t/USER.CON", "/g/a ", " "});
        if (!e.source.isEmpty())
            made.entries << e;
    }
    checkSame(StockStore::parseManifest(StockStore::writeManifest(made)), made);
    return 0;
}
