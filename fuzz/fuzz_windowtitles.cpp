// Window titles of the game's consoles and of DOSBox: any text parses; the program word is one
// upper-case word taken from behind "Program:"; a query never matches a window it does not name.

#include "FuzzSupport.h"

#include "platform/GameWindowTitles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const QString title = Fuzz::text(in, 256);
    const QString current = Fuzz::text(in, 256);
    const QString file = Fuzz::text(in, 256);

    const GameWindowTitles::Query query = GameWindowTitles::parse(title);
    FUZZ_CHECK(query.valid == !query.program.isEmpty());
    FUZZ_CHECK(query.program == query.program.toUpper());
    FUZZ_CHECK(query.program == query.program.trimmed());
    if (query.finished)
        FUZZ_CHECK(title.trimmed().startsWith(u"Finished - ", Qt::CaseInsensitive));
    // A query for a finished game is the running game's query behind "Finished - ".
    if (query.valid && !query.finished) {
        const GameWindowTitles::Query finished = GameWindowTitles::parse(QStringLiteral("Finished - ") + title);
        FUZZ_CHECK(finished.finished && finished.program == query.program);
    }

    const QString word = GameWindowTitles::programWord(current);
    FUZZ_CHECK(word == word.toUpper());
    for (const QChar c : word)
        FUZZ_CHECK(c != u' ' && c != u'\t' && c != u'\n' && c != u'\r' && c != u',');
    if (!word.isEmpty())
        FUZZ_CHECK(current.contains(u"Program:", Qt::CaseInsensitive));
    FUZZ_CHECK(!word.endsWith(u" PAUSED"));

    const QString program = GameWindowTitles::programOfFile(file);
    FUZZ_CHECK(!program.contains(u'/') && program == program.toUpper());

    GameWindowTitles::Window window;
    window.inDosBox = in.ConsumeBool();
    window.startedProgram = program;
    window.currentWord = word;
    window.seenWords = {word, program};
    const bool match = GameWindowTitles::matches(query, window);
    if (!query.valid)
        FUZZ_CHECK(!match);
    if (match && !window.inDosBox)
        FUZZ_CHECK(!query.finished && query.program == program);
    if (match && window.inDosBox)
        FUZZ_CHECK(query.finished ? word == u"DOSBOX" && query.program != u"DOSBOX" : word == query.program);
    return 0;
}
