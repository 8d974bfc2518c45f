// Writes small edit journals as starting inputs for the journal's fuzzer:
//   velantra_journal_seeds <folder>
// Their base is patternImage(0), the image the fuzzer replays on, except for
// one journal of another show.
#include "journal/journal_format.h"

#include "tests/journal_helpers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <random>

namespace {

using namespace velantra;

QByteArray journal(int baseSeed, int records, unsigned seed, const QString& name)
{
    const QByteArray base = journal_test::patternImage(baseSeed);
    QByteArray image = base;
    QByteArray out = encodeHeader({imageIdentity(base), QDateTime::fromMSecsSinceEpoch(1796918400000, Qt::UTC), name});
    std::mt19937 random(seed);
    for (int i = 0; i < records; ++i) {
        const ByteRange range = journal_test::randomEdit(image, random, 24);
        encodeRecord(static_cast<std::uint32_t>(i), range, journal_test::imageOf(image), out);
    }
    return out;
}

bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: velantra_journal_seeds FOLDER\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path())) {
        return 1;
    }
    const QByteArray several = journal(0, 6, 3, QStringLiteral("Концерт.vlt"));
    const struct {
        const char* file;
        QByteArray bytes;
    } seeds[] = {
        {"empty.vlj", journal(0, 0, 1, QStringLiteral("show.vlt"))},
        {"one.vlj", journal(0, 1, 2, QStringLiteral("a.vlt"))},
        {"several.vlj", several},
        {"torn.vlj", several.first(several.size() - 9)},
        {"other-show.vlj", journal(1, 2, 4, QStringLiteral("other.vlt"))},
    };
    for (const auto& seed : seeds) {
        if (!write(dir.filePath(QString::fromLatin1(seed.file)), seed.bytes)) {
            std::fprintf(stderr, "cannot write %s\n", seed.file);
            return 1;
        }
    }
    return 0;
}
