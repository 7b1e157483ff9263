// A con file in the editor: any bytes load and save back byte for byte; a Find, the define
// locator and the value write-backs change the selected value only, every byte outside it stays,
// and what is saved is what the buffer shows.

#include "FuzzSupport.h"

#include "coneditor/DefineEditing.h"
#include "coneditor/TextBuffer.h"

namespace {

const QString Path = QStringLiteral("/game/USER.CON");

// Text as the buffer holds it: one byte a character, "?" for a character no byte can hold.
QString asBytes(const QString &value)
{
    QString out;
    for (const char32_t c : value.toUcs4())
        out += c <= 0xFF ? QChar(char16_t(c)) : QChar(u'?');
    return out;
}

// The text after replacing [start, start + length) of before by value.
QString replaced(const QString &before, qsizetype start, qsizetype length, const QString &value)
{
    return before.left(start) + asBytes(value) + before.mid(start + length);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    Fuzz::MemoryFiles files;
    const QByteArray original = Fuzz::bytes(in.ConsumeRandomLengthString(8192));
    files.files.insert(Path, original);

    TextBuffer buffer(files);
    FUZZ_CHECK(buffer.setFileName(QStringLiteral("/game/user.con")));
    FUZZ_CHECK(buffer.Text().size() == original.size());
    FUZZ_CHECK(buffer.SaveFile(Path));
    FUZZ_CHECK(files.files.value(Path) == original);

    for (int op = 0; op < 6 && in.remaining_bytes() > 0; ++op) {
        const QString text = buffer.Text();
        // A needle taken from the text itself (so Find mostly succeeds), in another letter case.
        QString needle;
        if (in.ConsumeBool() && !text.isEmpty()) {
            const qsizetype from = in.ConsumeIntegralInRange<qsizetype>(0, text.size() - 1);
            needle = text.mid(from, in.ConsumeIntegralInRange<int>(1, 12));
            if (in.ConsumeBool())
                needle = needle.toUpper();
        } else {
            needle = Fuzz::name(in, {"define", "DEFINE ", "define MAXPLAYERHEALTH", "YES", "\r\n", "\t"});
        }
        const qsizetype start = in.ConsumeIntegralInRange<qsizetype>(0, text.size());
        const bool wholeWord = in.ConsumeBool();
        const qsizetype at = buffer.Find(needle, start, wholeWord);
        if (at < 0)
            continue;
        FUZZ_CHECK(at >= start && at + needle.size() <= text.size());
        FUZZ_CHECK(QStringView(text).mid(at, needle.size()).compare(needle, Qt::CaseInsensitive) == 0);
        FUZZ_CHECK(buffer.SelStart() == at && buffer.SelLength() == needle.size());

        const std::optional<QString> shown = DefineEditing::ShowDefineValue(buffer, at);
        FUZZ_CHECK(shown && *shown == buffer.SelText());
        const qsizetype valueStart = buffer.SelStart();
        const qsizetype valueLength = buffer.SelLength();
        FUZZ_CHECK(valueStart >= 0 && valueStart + valueLength <= text.size());
        // The value is one word of one line: the write below can never join or cut lines.
        for (const QChar c : *shown)
            FUZZ_CHECK(c != u' ' && c != u'\t' && c != u'\r' && c != u'\n');

        const uint8_t how = in.ConsumeIntegral<uint8_t>() % 4;
        const QString box = Fuzz::text(in, 16);
        QString expected = text;
        QString value;
        if (how == 0) {
            const DefineEditing::WriteBack back = DefineEditing::ValueBoxWriteBack(buffer, box);
            const bool yesNo = *shown == u"YES" || *shown == u"NO";
            FUZZ_CHECK(back.wrote == !(yesNo || box == DefineEditing::BlankMarker));
            value = box.isEmpty() || box == u" " ? QStringLiteral("0") : box;
            if (back.wrote)
                expected = replaced(text, valueStart, valueLength, value);
        } else if (how == 1) {
            const bool wrote = DefineEditing::PickedEntryWriteBack(buffer, box);
            FUZZ_CHECK(wrote == !(*shown == u"YES" || *shown == u"NO"));
            value = box;
            if (wrote)
                expected = replaced(text, valueStart, valueLength, value);
        } else {
            // The yes/no write locates the value again from the selection it finds.
            buffer.setSelection(at, needle.size());
            const int mode = how == 2 ? DefineEditing::WriteYes : DefineEditing::WriteNo;
            DefineEditing::SetYesNoValue(buffer, mode);
            value = mode == DefineEditing::WriteYes ? QStringLiteral("YES") : QStringLiteral("NO");
            expected = replaced(text, valueStart, valueLength, value);
        }
        // Every byte outside the value is as it was; the new value is what is selected.
        FUZZ_CHECK(buffer.Text() == expected);
        if (buffer.Text() != text) {
            FUZZ_CHECK(buffer.SelStart() == valueStart);
            FUZZ_CHECK(buffer.SelText() == asBytes(value));
        }
    }

    FUZZ_CHECK(buffer.SaveFile(Path));
    FUZZ_CHECK(files.files.value(Path) == TextBuffer::toBytes(buffer.Text()));
    TextBuffer again(files);
    FUZZ_CHECK(again.setFileName(Path));
    FUZZ_CHECK(again.Text() == buffer.Text());
    return 0;
}
