// The GRP directory: any bytes and any claimed size. A directory is returned only when the file
// holds all of it, with exactly as many names as it counts, each at most 12 characters and upper
// case; reading from a file gives what reading the same bytes in memory gives.

#include "FuzzSupport.h"

#include "confiles/GrpDirectory.h"

#include <QFile>
#include <QtEndian>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const qint64 claimed = in.ConsumeIntegralInRange<qint64>(0, 1 << 20);
    const QByteArray bytes = Fuzz::bytes(in.ConsumeRemainingBytesAsString());

    for (const qint64 fileSize : {qint64(bytes.size()), claimed}) {
        const std::optional<QStringList> names = GrpDirectory::namesIn(bytes, fileSize);
        if (!names)
            continue;
        FUZZ_CHECK(bytes.size() >= 16);
        const quint32 count = qFromLittleEndian<quint32>(bytes.constData() + 12);
        FUZZ_CHECK(quint32(names->size()) == count);
        FUZZ_CHECK(16 + qint64(count) * 16 <= std::min<qint64>(fileSize, bytes.size()));
        // Each name is its entry's 12 bytes up to the first NUL, in upper case.
        for (quint32 i = 0; i < count; ++i) {
            const QByteArray raw = bytes.mid(16 + qsizetype(i) * 16, 12);
            FUZZ_CHECK(names->at(i) == QString::fromLatin1(raw.left(raw.indexOf('\0') < 0 ? 12 : raw.indexOf('\0'))).toUpper());
        }
    }

    const QString path = Fuzz::scratchDir() + QStringLiteral("/DUKE3D.GRP");
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(bytes) == bytes.size());
    }
    FUZZ_CHECK(GrpDirectory::names(path) == GrpDirectory::namesIn(bytes, bytes.size()));
    const std::optional<bool> v15 = GrpDirectory::isVersion15(Fuzz::scratchDir());
    const std::optional<QStringList> names = GrpDirectory::namesIn(bytes, bytes.size());
    FUZZ_CHECK(v15.has_value() == names.has_value());
    if (names)
        FUZZ_CHECK(*v15 == names->contains(u"E4L1.MAP"));
    return 0;
}
