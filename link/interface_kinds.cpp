#include "link/interface_kinds.h"

#include <QStringList>

#include <array>
#include <utility>

namespace velantra {

namespace {

constexpr std::array<std::pair<KindChoice, const char*>, 3> Words{{
    {KindChoice::Framed, "framed"},
    {KindChoice::Pro, "pro"},
    {KindChoice::OpenDmx, "opendmx"},
}};

}  // namespace

KindChoices kindChoicesFrom(const QString& kinds)
{
    KindChoices choices;
    for (const QString& entry : kinds.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const qsizetype colon = entry.lastIndexOf(QLatin1Char(':'));
        if (colon <= 0) {
            continue;
        }
        const QString word = entry.mid(colon + 1).trimmed().toLower();
        for (const auto& [choice, name] : Words) {
            if (word == QLatin1String(name)) {
                choices.emplace_back(entry.left(colon).trimmed().toStdString(), choice);
            }
        }
    }
    return choices;
}

KindChoice kindChoiceFor(const QString& kinds, const std::string& serial)
{
    return choiceFor(kindChoicesFrom(kinds), serial);
}

void applyKindChoices(UsbLink& link, const QString& kinds)
{
    link.setKindChoices(kindChoicesFrom(kinds));
}

QString withKindChoice(const QString& kinds, const std::string& serial, KindChoice choice)
{
    const QString key = QString::fromStdString(serial);
    QStringList kept;
    for (const QString& entry : kinds.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const qsizetype colon = entry.lastIndexOf(QLatin1Char(':'));
        if (colon > 0 && entry.left(colon).trimmed() != key) {
            kept.push_back(entry.trimmed());
        }
    }
    // A serial number with the separators in it cannot be kept.
    if (!key.isEmpty() && !key.contains(QLatin1Char(',')) && !key.contains(QLatin1Char(':'))) {
        for (const auto& [c, name] : Words) {
            if (c == choice) {
                kept.push_back(key + QLatin1Char(':') + QLatin1String(name));
            }
        }
    }
    return kept.join(QLatin1Char(','));
}

}  // namespace velantra
