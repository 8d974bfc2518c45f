#include "storage/universes_file.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <array>
#include <optional>

namespace velantra {

namespace {

const QString Format = QStringLiteral("velantra-universes");
constexpr int Version = 1;

using Sources = std::array<std::array<std::uint8_t, UniverseSlotCount>, FurtherUniverseCount>;

FileResult refused(const QString& why)
{
    return {false, QCoreApplication::translate("UniversesFile", "Файл вселенных отвергнут: %1").arg(why)};
}

// The universes of a document, or the reason it is refused.
std::optional<Sources> sourcesOf(const QJsonDocument& document, QString& why)
{
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(QStringLiteral("format")).toString() != Format) {
        why = QStringLiteral("format");
        return std::nullopt;
    }
    if (root.value(QStringLiteral("version")).toInt(-1) != Version) {
        why = QStringLiteral("version");
        return std::nullopt;
    }
    Sources sources{};
    std::array<bool, FurtherUniverseCount> seen{};
    const QJsonValue list = root.value(QStringLiteral("universes"));
    if (!list.isArray()) {
        why = QStringLiteral("universes");
        return std::nullopt;
    }
    for (const QJsonValue& entry : list.toArray()) {
        const QJsonObject universe = entry.toObject();
        const int number = universe.value(QStringLiteral("universe")).toInt(0);
        if (number < 2 || number > 1 + FurtherUniverseCount || seen[static_cast<std::size_t>(number - 2)]) {
            why = QStringLiteral("universe");
            return std::nullopt;
        }
        seen[static_cast<std::size_t>(number - 2)] = true;
        const QJsonArray slotList = universe.value(QStringLiteral("slots")).toArray();
        if (slotList.size() != UniverseSlotCount) {
            why = QStringLiteral("slots");
            return std::nullopt;
        }
        for (int k = 0; k < UniverseSlotCount; ++k) {
            const QJsonValue v = slotList.at(k);
            const double d = v.toDouble(-1);
            if (!v.isDouble() || d < 0 || d > 255 || d != static_cast<int>(d)) {
                why = QStringLiteral("slot %1").arg(k + 1);
                return std::nullopt;
            }
            sources[static_cast<std::size_t>(number - 2)][static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(d);
        }
    }
    return sources;
}

}  // namespace

FileResult readUniversesFile(const QString& path, FurtherPatch& patch)
{
    QByteArray bytes;
    if (FileResult read = readWholeFile(path, UniversesFileMaxSize, bytes); !read.ok) {
        return read;
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        return refused(error.errorString());
    }
    QString why;
    const std::optional<Sources> sources = sourcesOf(document, why);
    if (!sources) {
        return refused(why);
    }
    patch.clear();
    for (int u = 0; u < FurtherUniverseCount; ++u) {
        for (int slot = 1; slot <= UniverseSlotCount; ++slot) {
            const std::uint8_t channel = (*sources)[static_cast<std::size_t>(u)][static_cast<std::size_t>(slot - 1)];
            if (channel != 0) {
                patch.setSource(u, slot, channel);
            }
        }
    }
    return {};
}

FileResult writeUniversesFile(const QString& path, const FurtherPatch& patch)
{
    QJsonArray universes;
    for (int u = 0; u < patch.used(); ++u) {
        QJsonArray slotList;
        for (int slot = 1; slot <= UniverseSlotCount; ++slot) {
            slotList.append(patch.source(u, slot));
        }
        universes.append(QJsonObject{{QStringLiteral("universe"), u + 2}, {QStringLiteral("slots"), slotList}});
    }
    const QJsonObject root{{QStringLiteral("format"), Format},
                           {QStringLiteral("version"), Version},
                           {QStringLiteral("universes"), universes}};
    return replaceFile(path, QJsonDocument(root).toJson(QJsonDocument::Compact));
}

}  // namespace velantra
