// Saved games: any bytes give a description of readable ASCII only, read from a bounded head;
// a folder of any names lists only the game's ten slots.

#include "FuzzSupport.h"

#include "launch/SavedGames.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const QByteArray head = Fuzz::bytes(in.ConsumeRandomLengthString(512));

    const QString description = SavedGames::description(head);
    FUZZ_CHECK(description.size() <= SavedGames::DescriptionMaxBytes);
    FUZZ_CHECK(description == description.trimmed());
    for (const QChar c : description) {
        FUZZ_CHECK(c.unicode() >= 0x20 && c.unicode() <= 0x7e);
        FUZZ_CHECK(!(c >= u'a' && c <= u'z') && !(c >= u'0' && c <= u'9'));
    }
    // Only the head counts: whatever follows it changes nothing.
    FUZZ_CHECK(SavedGames::description(head.left(SavedGames::DescriptionOffset + SavedGames::DescriptionMaxBytes))
               == description);
    if (head.size() <= SavedGames::DescriptionOffset)
        FUZZ_CHECK(description.isEmpty());

    Fuzz::MemoryFiles files;
    const QString dir = QStringLiteral("/game");
    for (int i = 0; i < 6 && in.remaining_bytes() > 0; ++i) {
        const QString name = Fuzz::name(in, {"GAME0.SAV", "game9.sav", "Game1.Sav", "GAMEA.SAV", "GAME.SAV",
                                             "GAME10.SAV", "game\xd9\xa3.sav", "GAME 1.SAV"});
        if (!name.isEmpty() && !name.contains(u'/'))
            files.files.insert(dir + u'/' + name, head.mid(i));
    }
    const QList<SavedGames::Entry> entries = SavedGames::scan(files, dir);
    for (const SavedGames::Entry &e : entries) {
        FUZZ_CHECK(e.slot >= u'0' && e.slot <= u'9');
        FUZZ_CHECK(e.fileName.startsWith(u"game", Qt::CaseInsensitive)
                   && e.fileName.endsWith(u".sav", Qt::CaseInsensitive) && e.fileName.at(4) == e.slot);
        FUZZ_CHECK(e.description == SavedGames::description(files.files.value(dir + u'/' + e.fileName)));
        FUZZ_CHECK(e.item() == QString(e.slot) + u' ' + e.description);
    }
    return 0;
}
