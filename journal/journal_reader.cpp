#include "journal/journal_reader.h"

#include <QCoreApplication>
#include <QtEndian>

#include <cstring>

namespace velantra {

namespace {

FileResult refused(const char* text)
{
    return {false, QCoreApplication::translate("Journal", text)};
}

template <typename T> T littleEndianAt(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<T>(bytes.data() + at);
}

// The header at the start of bytes, or a refusal; headerSize gets its length.
FileResult readHeader(QByteArrayView bytes, JournalHeader& header, qsizetype& headerSize)
{
    if (bytes.size() < static_cast<qsizetype>(sizeof(JournalMagic)) ||
        std::memcmp(bytes.data(), JournalMagic, sizeof(JournalMagic)) != 0) {
        return refused(QT_TRANSLATE_NOOP("Journal", "Это не журнал правок."));
    }
    if (bytes.size() < JournalHeaderFixedSize) {
        return refused(QT_TRANSLATE_NOOP("Journal", "Заголовок журнала правок оборван."));
    }
    if (littleEndianAt<std::uint16_t>(bytes, 8) != JournalVersion) {
        return refused(QT_TRANSLATE_NOOP("Journal", "Журнал правок записан в неизвестной версии формата."));
    }
    const int nameBytes = littleEndianAt<std::uint16_t>(bytes, 10);
    if (nameBytes > MaxNameBytes) {
        return refused(QT_TRANSLATE_NOOP("Journal", "Заголовок журнала правок повреждён."));
    }
    headerSize = JournalHeaderFixedSize + nameBytes + 4;
    if (bytes.size() < headerSize) {
        return refused(QT_TRANSLATE_NOOP("Journal", "Заголовок журнала правок оборван."));
    }
    if (crc32(bytes.first(headerSize - 4)) != littleEndianAt<std::uint32_t>(bytes, headerSize - 4)) {
        return refused(QT_TRANSLATE_NOOP("Journal", "Заголовок журнала правок повреждён."));
    }
    header.baseIdentity = littleEndianAt<std::uint64_t>(bytes, 12);
    header.baseSavedAt = QDateTime::fromMSecsSinceEpoch(littleEndianAt<std::int64_t>(bytes, 20), Qt::UTC);
    header.showName = QString::fromUtf8(bytes.sliced(JournalHeaderFixedSize, nameBytes));
    return {};
}

// The record at bytes[at...] when it is whole and valid with the given
// sequence number; its encoded length in size.
bool readRecord(QByteArrayView bytes, qsizetype at, std::uint32_t sequence, JournalRecord& record, qsizetype& size,
                bool& stepEnd)
{
    if (bytes.size() - at < RecordHeaderSize) {
        return false;
    }
    const std::uint32_t offset = littleEndianAt<std::uint32_t>(bytes, at + 4);
    const std::uint32_t lengthField = littleEndianAt<std::uint32_t>(bytes, at + 8);
    const std::uint32_t length = lengthField & ~StepEnd;
    stepEnd = (lengthField & StepEnd) != 0;
    if (littleEndianAt<std::uint32_t>(bytes, at) != sequence || length == 0 || offset >= ShowFileSize ||
        length > ShowFileSize - offset) {
        return false;
    }
    size = RecordHeaderSize + static_cast<qsizetype>(length) + RecordTrailerSize;
    if (bytes.size() - at < size) {
        return false;
    }
    const QByteArrayView covered = bytes.sliced(at, size - RecordTrailerSize);
    if (crc32(covered) != littleEndianAt<std::uint32_t>(bytes, at + size - RecordTrailerSize)) {
        return false;
    }
    record.sequence = sequence;
    record.offset = static_cast<int>(offset);
    record.bytes = covered.sliced(RecordHeaderSize).toByteArray();
    return true;
}

}  // namespace

JournalContents readJournal(QByteArrayView bytes)
{
    JournalContents contents;
    qsizetype at = 0;
    contents.result = readHeader(bytes, contents.header, at);
    if (!contents.result.ok) {
        return contents;
    }
    // Whole looks only: records after the last one that ends a look are dropped.
    std::size_t whole = 0;
    qsizetype wholeEnd = at;
    for (std::uint32_t sequence = 0;; ++sequence) {
        JournalRecord record;
        qsizetype size = 0;
        bool stepEnd = false;
        if (!readRecord(bytes, at, sequence, record, size, stepEnd)) {
            break;
        }
        contents.records.push_back(std::move(record));
        at += size;
        if (stepEnd) {
            whole = contents.records.size();
            wholeEnd = at;
        }
    }
    contents.records.resize(whole);
    at = wholeEnd;
    contents.validSize = at;
    contents.tailCut = at < bytes.size();
    return contents;
}

JournalContents readJournalFile(const QString& path)
{
    QByteArray bytes;
    JournalContents contents;
    contents.result = readWholeFile(path, MaxJournalFileSize, bytes);
    if (!contents.result.ok) {
        return contents;
    }
    return readJournal(bytes);
}

ReplayResult replay(QByteArrayView baseImage, const JournalContents& journal)
{
    ReplayResult replayed;
    if (!journal.result.ok) {
        replayed.result = journal.result;
        return replayed;
    }
    if (baseImage.size() != ShowFileSize) {
        replayed.result = refused(QT_TRANSLATE_NOOP("Journal", "Образ шоу не того размера."));
        return replayed;
    }
    if (imageIdentity(baseImage) != journal.header.baseIdentity) {
        replayed.result = refused(QT_TRANSLATE_NOOP("Journal", "Журнал правок относится к другому состоянию шоу."));
        return replayed;
    }
    replayed.image = baseImage.toByteArray();
    for (const JournalRecord& record : journal.records) {
        // readJournal() keeps only records inside the image; a hand-made
        // JournalContents is held to the same bounds.
        if (record.offset < 0 || record.offset > ShowFileSize || record.bytes.size() > ShowFileSize - record.offset) {
            replayed.image.clear();
            replayed.result = refused(QT_TRANSLATE_NOOP("Journal", "Запись журнала правок выходит за пределы шоу."));
            return replayed;
        }
        std::memcpy(replayed.image.data() + record.offset, record.bytes.constData(),
                    static_cast<std::size_t>(record.bytes.size()));
    }
    return replayed;
}

}  // namespace velantra
