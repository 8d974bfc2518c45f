// Channel names: sixteen Windows-1251 bytes per channel in the show memory
// (channel c at NameBase + 16c). The fader page edits them, the other pages
// show them, and the page "Копирование" copies blocks of them together with
// the channels' gobo codes and colours.
//
// Stored names keep their blanks as zero bytes (blankConversion runs when the
// operator leaves a name field); the name fields show them as spaces again.
#pragma once

#include "engine/show_memory.h"
#include "storage/channel_tables.h"

#include <QString>
#include <QValidator>

namespace velantra {

inline constexpr int NameChannels = 256;
inline constexpr int NameTableSize = NameChannels * NameLength;  // 4096 bytes

// Index of the first name byte of channel c (0..255).
constexpr int nameAddress(int channel)
{
    return NameBase + NameLength * channel;
}

// GUI thread. Text of a name field: rewrites the stored name in place (zero
// bytes become spaces, then trailing spaces become zero bytes) and decodes it
// up to the first zero byte.
QString LoadEdit(ShowMemory& memory, int channel);
// GUI thread. Stores text, cut to 16 characters and padded with spaces, as Windows-1251.
void SaveEdit(ShowMemory& memory, int channel, const QString& text);
// GUI thread. Turns every space byte of the whole name table into a zero byte.
void blankConversion(ShowMemory& memory);
// Any thread. True when every character of text has a Windows-1251 byte.
bool encodableName(const QString& text);
// GUI thread. The stored name up to its first zero byte, as other pages show it.
QString nameLabel(const ShowMemory& memory, int channel);
// GUI thread. Sets all 4096 name bytes to zero.
void clearNames(ShowMemory& memory);

// What a name field accepts while the operator types: at most 16 characters,
// each with a Windows-1251 byte.
class NameValidator : public QValidator {
    Q_OBJECT
public:
    // GUI thread.
    explicit NameValidator(QObject* parent = nullptr);
    // GUI thread.
    State validate(QString& input, int& pos) const override;
};

// The fields of the group "Имен " on the page "Копирование".
struct NameCopySettings {
    int first = 1;         // first channel of the block
    int last = 10;         // last channel of the block, inclusive
    int destination = 11;  // first channel of the copy
    bool numberNames = true;
    int firstDigit = 2;  // written as the first character of the copied names
    int fixtures = 1;    // how many copies follow one another
    bool markFirst = true;
};

// GUI thread. Copies names F..L, with their gobo codes and name colours, to
// `fixtures` successive blocks starting at the destination, numbers and marks
// them, and leaves the next destination and digit in s. Returns false and
// changes nothing when the copies would run past channel 255.
bool blockCopyNames(ShowMemory& memory, ChannelTables& tables, NameCopySettings& s);

// GUI thread. The first channel was changed: the last channel is not left below it.
void coupleNameFirst(NameCopySettings& s);
// GUI thread. The last channel was changed: not below the first; when linked
// the destination starts after the block.
void coupleNameLast(NameCopySettings& s, bool linked);
// GUI thread. The destination was changed: when linked it starts after the block.
void coupleNameDestination(NameCopySettings& s, bool linked);

}  // namespace velantra
