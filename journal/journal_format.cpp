#include "journal/journal_format.h"

#include <QCryptographicHash>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>

namespace velantra {

namespace {

constexpr std::array<std::uint32_t, 256> makeCrcTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
        }
        table[n] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> CrcTable = makeCrcTable();

template <typename T> void appendLittleEndian(QByteArray& out, T value)
{
    std::array<char, sizeof(T)> bytes{};
    qToLittleEndian(value, bytes.data());
    out.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace

std::uint32_t crc32(QByteArrayView bytes, std::uint32_t crc)
{
    crc = ~crc;
    for (const char byte : bytes) {
        crc = CrcTable[(crc ^ static_cast<std::uint8_t>(byte)) & 0xFFU] ^ (crc >> 8);
    }
    return ~crc;
}

std::uint64_t imageIdentity(QByteArrayView image)
{
    const QByteArray digest = QCryptographicHash::hash(image, QCryptographicHash::Sha256);
    return qFromLittleEndian<std::uint64_t>(digest.constData());
}

QByteArrayView imageView(ShowImage image)
{
    return {reinterpret_cast<const char*>(image.data()), static_cast<qsizetype>(image.size())};
}

QByteArray nameBytes(const QString& showName)
{
    QByteArray name = showName.toUtf8();
    if (name.size() > MaxNameBytes) {
        qsizetype cut = MaxNameBytes;
        // Back to the first byte of a character.
        while (cut > 0 && (static_cast<std::uint8_t>(name[cut]) & 0xC0U) == 0x80U) {
            --cut;
        }
        name.truncate(cut);
    }
    return name;
}

QByteArray encodeHeader(const JournalHeader& header)
{
    const QByteArray name = nameBytes(header.showName);
    QByteArray out;
    out.reserve(JournalHeaderFixedSize + name.size() + 4);
    out.append(JournalMagic, sizeof(JournalMagic));
    appendLittleEndian<std::uint16_t>(out, JournalVersion);
    appendLittleEndian<std::uint16_t>(out, static_cast<std::uint16_t>(name.size()));
    appendLittleEndian<std::uint64_t>(out, header.baseIdentity);
    appendLittleEndian<std::int64_t>(out, header.baseSavedAt.toMSecsSinceEpoch());
    out.append(name);
    appendLittleEndian<std::uint32_t>(out, crc32(out));
    return out;
}

void encodeRecord(std::uint32_t sequence, ByteRange range, ShowImage image, QByteArray& out, bool stepEnd)
{
    const qsizetype start = out.size();
    appendLittleEndian<std::uint32_t>(out, sequence);
    appendLittleEndian<std::uint32_t>(out, static_cast<std::uint32_t>(range.offset));
    appendLittleEndian<std::uint32_t>(out, static_cast<std::uint32_t>(range.length) | (stepEnd ? StepEnd : 0U));
    out.append(reinterpret_cast<const char*>(image.data() + range.offset), range.length);
    appendLittleEndian<std::uint32_t>(out, crc32(QByteArrayView(out).sliced(start)));
}

std::vector<ByteRange> differingRanges(const std::uint8_t* a, const std::uint8_t* b, int size, int mergeGap)
{
    // Whole blocks are compared with memcmp (vectorised); only a block that
    // differs is walked byte by byte.
    constexpr int Block = 64;
    std::vector<ByteRange> ranges;
    int runStart = -1;
    int runEnd = -1;  // one past the last differing byte of the run
    for (int block = 0; block < size; block += Block) {
        const int count = std::min(Block, size - block);
        if (std::memcmp(a + block, b + block, static_cast<std::size_t>(count)) == 0) {
            continue;
        }
        for (int i = block; i < block + count; ++i) {
            if (a[i] == b[i]) {
                continue;
            }
            if (runStart >= 0 && i - runEnd < mergeGap) {
                runEnd = i + 1;
                continue;
            }
            if (runStart >= 0) {
                ranges.push_back({runStart, runEnd - runStart});
            }
            runStart = i;
            runEnd = i + 1;
        }
    }
    if (runStart >= 0) {
        ranges.push_back({runStart, runEnd - runStart});
    }
    return ranges;
}

}  // namespace velantra
