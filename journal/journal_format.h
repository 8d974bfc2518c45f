// The edit journal's file format: what the writer appends and the reader
// checks, byte for byte. All numbers are little-endian.
//
// Header:
//   8  magic "VLJRNL\r\n"          (a text-mode copy or a foreign file fails here)
//   2  version (2)
//   2  name length N in bytes (at most MaxNameBytes)
//   8  identity of the base image (imageIdentity)
//   8  time the base was saved, milliseconds since 1970-01-01 UTC
//   N  the show's file name, UTF-8
//   4  CRC-32 of all the header bytes before it
// Records, one after another, until the end of the file:
//   4  sequence number: 0 for the first record, then one more each time
//   4  offset of the first byte in the show image
//   4  length L, 1..ShowFileSize, offset + L at most ShowFileSize; the top
//      bit (StepEnd) set on the last record of one look at the show
//   L  the bytes
//   4  CRC-32 of the record's 12 header bytes and its L bytes
// Anything else (a record out of sequence, out of the image, a wrong CRC or
// cut short) is damage: the journal counts up to the last whole valid record
// that ends a look, so a look's changes are applied all together or not at
// all (a show between two looks never existed).
#pragma once

#include "engine/show_memory.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <span>
#include <vector>

namespace velantra {

inline constexpr char JournalMagic[8] = {'V', 'L', 'J', 'R', 'N', 'L', '\r', '\n'};
inline constexpr std::uint16_t JournalVersion = 2;
inline constexpr std::uint32_t StepEnd = 0x8000'0000U;
inline constexpr int JournalHeaderFixedSize = 8 + 2 + 2 + 8 + 8;  // before the name
inline constexpr int MaxNameBytes = 1024;
inline constexpr int RecordHeaderSize = 12;
inline constexpr int RecordTrailerSize = 4;

// A run of show image bytes: offset..offset+length-1, inside 0..ShowFileSize-1.
struct ByteRange {
    int offset = 0;
    int length = 0;
    friend bool operator==(const ByteRange&, const ByteRange&) = default;
};

// The show file's byte image (cells 0..81919), as the journal sees it.
using ShowImage = std::span<const std::uint8_t, ShowFileSize>;

struct JournalHeader {
    std::uint64_t baseIdentity = 0;
    QDateTime baseSavedAt;  // UTC
    QString showName;
};

struct JournalRecord {
    std::uint32_t sequence = 0;
    int offset = 0;
    QByteArray bytes;
};

// Any thread. CRC-32 (the one of zip and PNG) of bytes, continuing from crc.
std::uint32_t crc32(QByteArrayView bytes, std::uint32_t crc = 0);

// Any thread. The identity of a show image: the first 8 bytes of its SHA-256,
// read little-endian.
std::uint64_t imageIdentity(QByteArrayView image);

// Any thread. The image as a QByteArrayView.
QByteArrayView imageView(ShowImage image);

// Any thread. The show's name in UTF-8, cut to the whole characters that
// fit in MaxNameBytes.
QByteArray nameBytes(const QString& showName);

// Any thread. The encoded header (with its CRC), the name as nameBytes() gives it.
QByteArray encodeHeader(const JournalHeader& header);

// Any thread. Appends one encoded record of image[range] to out; stepEnd:
// the last record of one look at the show.
void encodeRecord(std::uint32_t sequence, ByteRange range, ShowImage image, QByteArray& out, bool stepEnd = true);

// Any thread. The ranges where a and b differ, runs closer than mergeGap
// bytes merged into one. a and b hold the same number of bytes.
std::vector<ByteRange> differingRanges(const std::uint8_t* a, const std::uint8_t* b, int size, int mergeGap);

}  // namespace velantra
