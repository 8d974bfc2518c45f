// Fuzzes reading an edit journal and replaying it. The input is the journal.
// A refused journal has no records and never replays; an accepted one keeps
// exactly the whole valid records at the start of the input (each encodes
// back to the very bytes it was read from), in sequence, inside the image;
// and its replay on the base it names is the base with those records
// written over it, byte for byte, and on any other base is refused. Each
// input is read as it is and with its CRCs made right.
#include "journal/journal_format.h"
#include "journal/journal_reader.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/journal_helpers.h"

#include <QtEndian>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace velantra {
namespace {

struct State {
    State()
        : base(journal_test::patternImage(0))
        , other(journal_test::patternImage(1))
        , scratch(ShowFileSize, '\0')
        , baseIdentity(imageIdentity(base))
        , otherIdentity(imageIdentity(other))
    {}
    QByteArray base;   // the base of the seeds
    QByteArray other;  // another show
    QByteArray scratch;
    std::uint64_t baseIdentity;
    std::uint64_t otherIdentity;
};

State& state()
{
    static State s;
    return s;
}

void checkRecords(QByteArrayView input, const JournalContents& contents)
{
    State& s = state();
    fuzz::check(contents.validSize <= input.size(), "the valid part is longer than the input");
    fuzz::check(contents.tailCut == (contents.validSize < input.size()), "a cut tail is not said as such");
    const qsizetype headerSize = JournalHeaderFixedSize + qFromLittleEndian<std::uint16_t>(input.data() + 10) + 4;
    qsizetype at = headerSize;
    std::uint32_t sequence = 0;
    bool stepEnd = true;
    for (const JournalRecord& record : contents.records) {
        fuzz::check(record.sequence == sequence++, "a record out of sequence");
        fuzz::check(record.offset >= 0 && !record.bytes.isEmpty() &&
                        record.bytes.size() <= ShowFileSize - record.offset,
                    "a record outside the image");
        std::memcpy(s.scratch.data() + record.offset, record.bytes.constData(),
                    static_cast<std::size_t>(record.bytes.size()));
        // The mark of a look's end is the input's; the last record read must carry it.
        stepEnd = at + RecordHeaderSize <= input.size() &&
                  (qFromLittleEndian<std::uint32_t>(input.data() + at + 8) & StepEnd) != 0;
        QByteArray encoded;
        encodeRecord(record.sequence, {record.offset, static_cast<int>(record.bytes.size())},
                     journal_test::imageOf(s.scratch), encoded, stepEnd);
        fuzz::check(at + encoded.size() <= input.size() && input.sliced(at, encoded.size()) == encoded,
                    "a record is not the bytes it was read from");
        at += encoded.size();
    }
    fuzz::check(stepEnd, "the records read end in the middle of a look");
    fuzz::check(at == contents.validSize, "the valid part does not end after the last record");

    // The valid part alone reads the same, with nothing cut.
    const JournalContents again = readJournal(input.first(contents.validSize));
    fuzz::check(again.result.ok && !again.tailCut && again.records.size() == contents.records.size(),
                "the valid part alone reads differently");
}

void checkReplay(const JournalContents& contents)
{
    State& s = state();
    const bool mine = contents.header.baseIdentity == s.baseIdentity;
    const ReplayResult replayed = replay(s.base, contents);
    fuzz::check(replayed.result.ok == mine, "replay on the journal's own base refused, or on another taken");
    if (mine) {
        QByteArray expected = s.base;
        for (const JournalRecord& record : contents.records) {
            std::memcpy(expected.data() + record.offset, record.bytes.constData(),
                        static_cast<std::size_t>(record.bytes.size()));
        }
        fuzz::check(replayed.image == expected, "the replayed image holds bytes of no whole valid record");
    } else {
        fuzz::check(replayed.image.isEmpty(), "a refused replay gave an image");
    }
    if (contents.header.baseIdentity != s.otherIdentity) {
        fuzz::check(!replay(s.other, contents).result.ok, "a journal was applied to another show");
    }
}

void checkInput(QByteArrayView input)
{
    const JournalContents contents = readJournal(input);
    if (!contents.result.ok) {
        fuzz::check(!contents.result.message.isEmpty(), "a refusal without a message");
        fuzz::check(contents.records.empty(), "a refused journal has records");
        fuzz::check(!replay(state().base, contents).result.ok, "a refused journal was replayed");
        return;
    }
    checkRecords(input, contents);
    checkReplay(contents);
}

// The input with every CRC it has a place for made right, so that the checks
// behind the CRCs (versions, sequence numbers, offsets, lengths) are reached.
QByteArray withCrcsMadeRight(QByteArrayView input)
{
    QByteArray bytes = input.toByteArray();
    if (bytes.size() < JournalHeaderFixedSize) {
        return bytes;
    }
    qsizetype at = JournalHeaderFixedSize + qFromLittleEndian<std::uint16_t>(bytes.constData() + 10);
    if (bytes.size() - at < 4) {
        return bytes;
    }
    qToLittleEndian(crc32(QByteArrayView(bytes).first(at)), bytes.data() + at);
    at += 4;
    while (bytes.size() - at >= RecordHeaderSize) {
        const qsizetype length = qFromLittleEndian<std::uint32_t>(bytes.constData() + at + 8) & ~StepEnd;
        if (length > ShowFileSize || bytes.size() - at - RecordHeaderSize - RecordTrailerSize < length) {
            break;
        }
        const qsizetype covered = RecordHeaderSize + length;
        qToLittleEndian(crc32(QByteArrayView(bytes).sliced(at, covered)), bytes.data() + at + covered);
        at += covered + RecordTrailerSize;
    }
    return bytes;
}

}  // namespace
}  // namespace velantra

// The input as it is, then with its CRCs made right.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace velantra;
    const QByteArrayView input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkInput(input);
    checkInput(withCrcsMadeRight(input));
    return 0;
}
