#include "channels/channel_names.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <cstdint>

namespace velantra {

namespace {

constexpr std::uint8_t Blank = 0x20;
constexpr int FirstMin = 1;
constexpr int FirstMax = 254;
constexpr int LastMin = 1;
constexpr int LastMax = 255;
constexpr int DestinationMin = 1;
constexpr int DestinationMax = 254;
constexpr int DigitMax = 8;

// Border colours of the copied channels: odd copies, even copies, first channel of a copy.
constexpr std::array<std::uint8_t, 3> OddCopyBorder = {170, 170, 170};
constexpr std::array<std::uint8_t, 3> EvenCopyBorder = {200, 200, 200};
constexpr std::array<std::uint8_t, 3> FirstChannelBorder = {50, 250, 50};

// The stored bytes of channel c up to the first zero byte, decoded.
QString decodeName(const ShowMemory& memory, int channel)
{
    QByteArray bytes;
    for (int i = 0; i < NameLength; ++i) {
        const std::uint8_t b = memory.get(static_cast<std::size_t>(nameAddress(channel)) + static_cast<std::size_t>(i));
        if (b == 0) {
            break;
        }
        bytes.append(static_cast<char>(b));
    }
    QStringDecoder decoder("windows-1251");
    return decoder.decode(bytes);
}

void setBorder(ChannelTables& tables, int channel, const std::array<std::uint8_t, 3>& rgb)
{
    const auto c = static_cast<std::size_t>(channel);
    tables.borderRed[c] = rgb[0];
    tables.borderGreen[c] = rgb[1];
    tables.borderBlue[c] = rgb[2];
}

}  // namespace

QString LoadEdit(ShowMemory& memory, int channel)
{
    const auto base = static_cast<std::size_t>(nameAddress(channel));
    for (std::size_t i = 0; i < NameLength; ++i) {
        if (memory.get(base + i) == 0) {
            memory.set(base + i, Blank);
        }
    }
    for (std::size_t i = NameLength; i-- > 0;) {
        if (memory.get(base + i) != Blank) {
            break;
        }
        memory.set(base + i, 0);
    }
    return decodeName(memory, channel);
}

void SaveEdit(ShowMemory& memory, int channel, const QString& text)
{
    QString padded = text.left(NameLength);
    padded = padded.leftJustified(NameLength, QLatin1Char(' '));
    QStringEncoder encoder("windows-1251");
    QByteArray bytes = encoder.encode(padded);
    // A character outside the code page may take other than one byte; the
    // stored name is always exactly sixteen.
    bytes = bytes.leftJustified(NameLength, static_cast<char>(Blank), true);
    const auto base = static_cast<std::size_t>(nameAddress(channel));
    for (std::size_t i = 0; i < NameLength; ++i) {
        memory.set(base + i, static_cast<std::uint8_t>(bytes[static_cast<qsizetype>(i)]));
    }
}

void blankConversion(ShowMemory& memory)
{
    for (std::size_t i = NameBase; i < NameBase + NameTableSize; ++i) {
        if (memory.get(i) == Blank) {
            memory.set(i, 0);
        }
    }
}

bool encodableName(const QString& text)
{
    QStringEncoder encoder("windows-1251");
    const QByteArray bytes = encoder.encode(text);
    return !encoder.hasError() && bytes.size() == text.size();
}

QString nameLabel(const ShowMemory& memory, int channel)
{
    return decodeName(memory, channel);
}

void clearNames(ShowMemory& memory)
{
    memory.fill(NameBase, NameBase + NameTableSize - 1, 0);
}

NameValidator::NameValidator(QObject* parent)
    : QValidator(parent)
{}

QValidator::State NameValidator::validate(QString& input, int& /*pos*/) const
{
    if (input.size() > NameLength || !encodableName(input)) {
        return Invalid;
    }
    return Acceptable;
}

bool blockCopyNames(ShowMemory& memory, ChannelTables& tables, NameCopySettings& s)
{
    const int n = s.last - s.first + 1;
    if (s.first < 0 || s.last > NameChannels - 1 || n < 1 || s.destination < 0 ||
        s.destination + s.fixtures * n - 1 > NameChannels - 1) {
        return false;
    }
    for (int r = 1; r <= s.fixtures; ++r) {
        const int d = s.destination;
        // Byte by byte upwards: a destination inside the block repeats its start.
        const auto from = static_cast<std::size_t>(nameAddress(s.first));
        const auto to = static_cast<std::size_t>(nameAddress(d));
        const auto count = static_cast<std::size_t>(NameLength) * static_cast<std::size_t>(n);
        for (std::size_t i = 0; i < count; ++i) {
            memory.set(to + i, memory.get(from + i));
        }
        const auto digit = static_cast<std::uint8_t>('0' + s.firstDigit);
        for (int b = s.first; b <= s.last; ++b) {
            const int t = d + (b - s.first);
            const auto sb = static_cast<std::size_t>(b);
            const auto st = static_cast<std::size_t>(t);
            if (s.numberNames) {
                memory.set(static_cast<std::size_t>(nameAddress(t)), digit);
            }
            tables.gobo[st] = tables.gobo[sb];
            tables.nameRed[st] = tables.nameRed[sb];
            tables.nameGreen[st] = tables.nameGreen[sb];
            tables.nameBlue[st] = tables.nameBlue[sb];
            setBorder(tables, t, r % 2 == 1 ? OddCopyBorder : EvenCopyBorder);
            if (s.markFirst && b == s.first) {
                setBorder(tables, t, FirstChannelBorder);
            }
        }
        s.destination = std::min(d + n, DestinationMax);
        s.firstDigit = std::min(s.firstDigit + 1, DigitMax);
    }
    return true;
}

void coupleNameFirst(NameCopySettings& s)
{
    s.first = std::clamp(s.first, FirstMin, FirstMax);
    if (s.first >= s.last) {
        s.last = s.first;
    }
    s.last = std::clamp(s.last, LastMin, LastMax);
}

void coupleNameLast(NameCopySettings& s, bool linked)
{
    coupleNameFirst(s);
    if (linked && s.last + 1 >= s.destination) {
        s.destination = s.last + 1;
    }
    s.destination = std::clamp(s.destination, DestinationMin, DestinationMax);
}

void coupleNameDestination(NameCopySettings& s, bool linked)
{
    s.destination = std::clamp(s.destination, DestinationMin, DestinationMax);
    if (linked && s.last + 1 >= s.destination) {
        s.destination = std::min(s.last + 1, DestinationMax);
    }
}

}  // namespace velantra
