#include "conveyor/conveyor_names.h"

namespace velantra {

char conveyorLetter(int slot)
{
    static constexpr char letters[] = "QWERTYUIOPASDFGHJKL";
    return slot >= 1 && slot <= 19 ? letters[slot - 1] : '\0';
}

QString conveyorShortName(const QString& path, int length)
{
    // Both separators: names from Windows-style settings files keep their backslashes.
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    QString name = path.mid(slash + 1).left(length);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0) {
        name.truncate(dot);
    }
    return name;
}

}  // namespace velantra
