#include "showtool/show_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <utility>

namespace velantra::showtool {

namespace {

constexpr int NameChannels = 256;

// Top-level keys; the first ones must be there, the last four only when needed.
const QStringList RequiredKeys = {
    QStringLiteral("format"),          QStringLiteral("version"), QStringLiteral("header"), QStringLiteral("cells"),
    QStringLiteral("parameter_bytes"), QStringLiteral("rates"),   QStringLiteral("names"),  QStringLiteral("selection"),
    QStringLiteral("pictures"),        QStringLiteral("scenes"),
};
const QStringList OptionalKeys = {
    QStringLiteral("header_bytes"),
    QStringLiteral("name_bytes"),
    QStringLiteral("spare"),
    QStringLiteral("extra_scenes"),
};

QJsonArray byteArray(const ShowImage& image, int first, int count)
{
    QJsonArray array;
    for (int i = first; i < first + count; ++i) {
        array.append(image[static_cast<std::size_t>(i)]);
    }
    return array;
}

QJsonArray byteArray(const QByteArray& bytes)
{
    QJsonArray array;
    for (const char b : bytes) {
        array.append(static_cast<std::uint8_t>(b));
    }
    return array;
}

bool allZero(const ShowImage& image, int first, int count)
{
    const auto begin = image.begin() + first;
    return std::all_of(begin, begin + count, [](std::uint8_t b) { return b == 0; });
}

// A JSON value as the error messages quote it.
QString describe(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Double:
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QJsonValue::String:
        return QLatin1Char('"') + value.toString() + QLatin1Char('"');
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Null:
        return QStringLiteral("null");
    case QJsonValue::Array:
        return QStringLiteral("an array");
    case QJsonValue::Object:
        return QStringLiteral("an object");
    case QJsonValue::Undefined:
        break;
    }
    return QStringLiteral("nothing");
}

QString item(const QString& path, qsizetype index)
{
    return path + QLatin1Char('[') + QString::number(index) + QLatin1Char(']');
}

QString member(const QString& path, const QString& key)
{
    return path.isEmpty() ? key : path + QLatin1Char('.') + key;
}

// Reads a document and keeps its first error.
class Reader {
public:
    const QString& error() const { return error_; }

    bool fail(const QString& path, const QString& what)
    {
        error_ = path + QStringLiteral(": ") + what;
        return false;
    }

    // A whole number 0..max.
    bool number(const QJsonValue& value, const QString& path, const QString& what, int max, int& out)
    {
        const double d = value.toDouble(-1);
        if (!value.isDouble() || !(d >= 0 && d <= max) || d != std::floor(d)) {
            return fail(path, describe(value) + QStringLiteral(" is not ") + what);
        }
        out = static_cast<int>(d);
        return true;
    }

    bool byte(const QJsonValue& value, const QString& path, const QString& what, std::uint8_t& out)
    {
        int n = 0;
        if (!number(value, path, what + QStringLiteral(" 0..255"), 255, n)) {
            return false;
        }
        out = static_cast<std::uint8_t>(n);
        return true;
    }

    bool array(const QJsonValue& value, const QString& path, qsizetype count, QJsonArray& out)
    {
        if (!value.isArray()) {
            return fail(path, describe(value) + QStringLiteral(" is not an array of %1").arg(count));
        }
        out = value.toArray();
        if (out.size() != count) {
            return fail(path, QStringLiteral("holds %1 values, not %2").arg(out.size()).arg(count));
        }
        return true;
    }

    // count bytes into image from first.
    bool bytes(const QJsonValue& value, const QString& path, const QString& what, int count, ShowImage& image,
               int first)
    {
        QJsonArray values;
        if (!array(value, path, count, values)) {
            return false;
        }
        for (int i = 0; i < count; ++i) {
            if (!byte(values[i], item(path, i), what, image[cellIndex(first + i)])) {
                return false;
            }
        }
        return true;
    }

    bool object(const QJsonValue& value, const QString& path, const QStringList& keys, QJsonObject& out)
    {
        if (!value.isObject()) {
            return fail(path, describe(value) + QStringLiteral(" is not an object"));
        }
        out = value.toObject();
        for (const QString& key : out.keys()) {
            if (!keys.contains(key)) {
                return fail(member(path, key), QStringLiteral("unknown key"));
            }
        }
        return true;
    }

    bool required(const QJsonObject& object, const QString& path, const QStringList& keys)
    {
        for (const QString& key : keys) {
            if (!object.contains(key)) {
                return fail(member(path, key), QStringLiteral("missing"));
            }
        }
        return true;
    }

    bool string(const QJsonValue& value, const QString& path, const QString& what, QString& out)
    {
        if (!value.isString()) {
            return fail(path, describe(value) + QStringLiteral(" is not ") + what);
        }
        out = value.toString();
        return true;
    }

private:
    QString error_;
};

// The first 128 cells.
bool readHeader(Reader& r, const QJsonObject& doc, ShowImage& image)
{
    QString text;
    if (!r.string(doc[QStringLiteral("header")], QStringLiteral("header"), QStringLiteral("a text"), text)) {
        return false;
    }
    if (doc.contains(QStringLiteral("header_bytes"))) {
        if (!r.bytes(doc[QStringLiteral("header_bytes")], QStringLiteral("header_bytes"), QStringLiteral("a byte"),
                     HeaderSize, image, 0)) {
            return false;
        }
        if (text != headerText(image)) {
            return r.fail(QStringLiteral("header"), QStringLiteral("\"%1\" does not match header_bytes").arg(text));
        }
        return true;
    }
    const std::optional<QByteArray> bytes = encodeText(text, ShowHeaderTextLength);
    if (!bytes) {
        return r.fail(
            QStringLiteral("header"),
            QStringLiteral("\"%1\" is not Windows-1251 text of at most %2 bytes").arg(text).arg(ShowHeaderTextLength));
    }
    std::copy(bytes->begin(), bytes->end(), image.begin());
    return true;
}

// Cells 128..255: each byte once, a named cell by its name ("cells"), the
// rest in "parameter_bytes", which holds null in the named cells' places.
// A number there (documents written before) is checked as a byte and yields
// to the named value, so editing the name alone is always enough.
bool readParameters(Reader& r, const QJsonObject& doc, ShowImage& image)
{
    QStringList names;
    for (const NamedCell& cell : NamedCells) {
        names.append(QString::fromLatin1(cell.name.data(), static_cast<qsizetype>(cell.name.size())));
    }
    QJsonObject cells;
    const QString path = QStringLiteral("cells");
    if (!r.object(doc[path], path, names, cells) || !r.required(cells, path, names)) {
        return false;
    }
    const QString bytesPath = QStringLiteral("parameter_bytes");
    QJsonArray bytes;
    if (!r.array(doc[bytesPath], bytesPath, ParameterCount, bytes)) {
        return false;
    }
    for (int i = 0; i < ParameterCount; ++i) {
        const bool named = !cellName(ParameterBase + i).empty();
        if (named && bytes[i].isNull()) {
            continue;
        }
        if (!r.byte(bytes[i], item(bytesPath, i), named ? QStringLiteral("null or a byte") : QStringLiteral("a byte"),
                    image[cellIndex(ParameterBase + i)])) {
            return false;
        }
    }
    for (std::size_t k = 0; k < NamedCells.size(); ++k) {
        const QString key = names[static_cast<qsizetype>(k)];
        if (!r.byte(cells[key], member(path, key), QStringLiteral("a byte"), image[cellIndex(NamedCells[k].address)])) {
            return false;
        }
    }
    return true;
}

// Channel names: the text, or the raw bytes where the text cannot say them.
bool readNames(Reader& r, const QJsonObject& doc, ShowImage& image)
{
    QJsonArray names;
    if (!r.array(doc[QStringLiteral("names")], QStringLiteral("names"), NameChannels, names)) {
        return false;
    }
    std::map<int, QByteArray> raw;
    if (doc.contains(QStringLiteral("name_bytes"))) {
        const QString path = QStringLiteral("name_bytes");
        const QJsonValue value = doc[path];
        if (!value.isObject()) {
            return r.fail(path, describe(value) + QStringLiteral(" is not an object"));
        }
        const QJsonObject channels = value.toObject();
        for (auto it = channels.begin(); it != channels.end(); ++it) {
            bool ok = false;
            const int channel = it.key().toInt(&ok);
            if (!ok || channel < 0 || channel >= NameChannels || QString::number(channel) != it.key()) {
                return r.fail(member(path, it.key()), QStringLiteral("not a channel 0..255"));
            }
            ShowImage bytes(NameLength);
            if (!r.bytes(it.value(), member(path, it.key()), QStringLiteral("a byte"), NameLength, bytes, 0)) {
                return false;
            }
            raw[channel] = QByteArray(reinterpret_cast<const char*>(bytes.data()), NameLength);
        }
    }
    for (int c = 0; c < NameChannels; ++c) {
        const QString path = item(QStringLiteral("names"), c);
        QString name;
        if (!r.string(names[c], path, QStringLiteral("a name"), name)) {
            return false;
        }
        const int address = NameBase + NameLength * c;
        const auto at = image.begin() + address;
        if (const auto given = raw.find(c); given != raw.end()) {
            if (decodeText(given->second) != name) {
                return r.fail(path, QStringLiteral("\"%1\" does not match name_bytes.%2").arg(name).arg(c));
            }
            std::copy(given->second.begin(), given->second.end(), at);
            continue;
        }
        const std::optional<QByteArray> bytes = encodeText(name, NameLength);
        if (!bytes) {
            return r.fail(
                path, QStringLiteral("\"%1\" is not Windows-1251 text of at most %2 bytes").arg(name).arg(NameLength));
        }
        std::copy(bytes->begin(), bytes->end(), at);
    }
    return true;
}

bool readPictures(Reader& r, const QJsonObject& doc, ShowImage& image)
{
    QJsonArray pictures;
    if (!r.array(doc[QStringLiteral("pictures")], QStringLiteral("pictures"), PictureCount, pictures)) {
        return false;
    }
    const QStringList keys = {QStringLiteral("flags"), QStringLiteral("levels")};
    for (int k = 0; k < PictureCount; ++k) {
        const QString path = item(QStringLiteral("pictures"), k);
        QJsonObject picture;
        if (!r.object(pictures[k], path, keys, picture) || !r.required(picture, path, keys) ||
            !r.bytes(picture[keys[0]], member(path, keys[0]), QStringLiteral("a flag"), ChannelCount, image,
                     pictureAddress(k)) ||
            !r.bytes(picture[keys[1]], member(path, keys[1]), QStringLiteral("a level"), ChannelCount, image,
                     pictureAddress(k) + ChannelCount)) {
            return false;
        }
    }
    return true;
}

// Scenes 0..last, then the ones after the last that hold anything.
bool readScenes(Reader& r, const QJsonObject& doc, ShowImage& image)
{
    const int last = image[CellLastScene];
    QJsonArray scenes;
    const QString path = QStringLiteral("scenes");
    if (!doc[path].isArray()) {
        return r.fail(path, describe(doc[path]) + QStringLiteral(" is not an array of scenes"));
    }
    scenes = doc[path].toArray();
    if (scenes.size() != last + 1) {
        return r.fail(
            path,
            QStringLiteral("holds %1 scenes, CellLastScene %2 needs %3").arg(scenes.size()).arg(last).arg(last + 1));
    }
    for (int s = 0; s <= last; ++s) {
        if (!r.bytes(scenes[s], item(path, s), QStringLiteral("a level"), SceneSize, image,
                     sceneAddress(static_cast<std::uint8_t>(s)))) {
            return false;
        }
    }
    const QString extraPath = QStringLiteral("extra_scenes");
    if (!doc.contains(extraPath)) {
        return true;
    }
    const QJsonValue extraValue = doc[extraPath];
    if (!extraValue.isArray()) {
        return r.fail(extraPath, describe(extraValue) + QStringLiteral(" is not an array of scenes"));
    }
    const QJsonArray extra = extraValue.toArray();
    const QStringList keys = {QStringLiteral("scene"), QStringLiteral("levels")};
    std::array<bool, SceneCount> given{};
    for (qsizetype i = 0; i < extra.size(); ++i) {
        const QString at = item(extraPath, i);
        QJsonObject scene;
        if (!r.object(extra[i], at, keys, scene) || !r.required(scene, at, keys)) {
            return false;
        }
        int number = 0;
        const QString numberPath = member(at, keys[0]);
        if (!r.number(scene[keys[0]], numberPath, QStringLiteral("a scene 0..255"), SceneCount - 1, number)) {
            return false;
        }
        if (number <= last) {
            return r.fail(numberPath, QStringLiteral("%1 is not after the last scene %2").arg(number).arg(last));
        }
        if (given[static_cast<std::size_t>(number)]) {
            return r.fail(numberPath, QStringLiteral("scene %1 is given twice").arg(number));
        }
        given[static_cast<std::size_t>(number)] = true;
        if (!r.bytes(scene[keys[1]], member(at, keys[1]), QStringLiteral("a level"), SceneSize, image,
                     sceneAddress(static_cast<std::uint8_t>(number)))) {
            return false;
        }
    }
    return true;
}

}  // namespace

QByteArray exportShowJson(const ShowImage& image)
{
    QJsonObject doc;
    doc[QStringLiteral("format")] = QString::fromLatin1(JsonFormat);
    doc[QStringLiteral("version")] = JsonVersion;
    doc[QStringLiteral("header")] = headerText(image);
    if (imageBytes(image, 0, HeaderSize) != standardHeader()) {
        doc[QStringLiteral("header_bytes")] = byteArray(image, 0, HeaderSize);
    }
    QJsonObject cells;
    for (const NamedCell& cell : NamedCells) {
        cells[QString::fromLatin1(cell.name.data(), static_cast<qsizetype>(cell.name.size()))] =
            image[static_cast<std::size_t>(cell.address)];
    }
    doc[QStringLiteral("cells")] = cells;
    QJsonArray parameterBytes = byteArray(image, ParameterBase, ParameterCount);
    for (const NamedCell& cell : NamedCells) {
        parameterBytes[cell.address - ParameterBase] = QJsonValue::Null;  // said once, by its name
    }
    doc[QStringLiteral("parameter_bytes")] = parameterBytes;
    doc[QStringLiteral("rates")] = byteArray(image, RateBase, ChannelCount);

    QJsonArray names;
    QJsonObject nameBytes;
    for (int c = 0; c < NameChannels; ++c) {
        const QString name = channelName(image, c);
        names.append(name);
        const QByteArray stored = imageBytes(image, NameBase + NameLength * c, NameLength);
        if (encodeText(name, NameLength) != stored) {
            nameBytes[QString::number(c)] = byteArray(stored);
        }
    }
    doc[QStringLiteral("names")] = names;
    if (!nameBytes.isEmpty()) {
        doc[QStringLiteral("name_bytes")] = nameBytes;
    }
    doc[QStringLiteral("selection")] = byteArray(image, SelectBase, ChannelCount);

    QJsonArray pictures;
    for (int k = 0; k < PictureCount; ++k) {
        QJsonObject picture;
        picture[QStringLiteral("flags")] = byteArray(image, pictureAddress(k), ChannelCount);
        picture[QStringLiteral("levels")] = byteArray(image, pictureAddress(k) + ChannelCount, ChannelCount);
        pictures.append(picture);
    }
    doc[QStringLiteral("pictures")] = pictures;
    if (!allZero(image, SpareBase, SpareSize)) {
        doc[QStringLiteral("spare")] = byteArray(image, SpareBase, SpareSize);
    }

    const int last = image[CellLastScene];
    QJsonArray scenes;
    QJsonArray extra;
    for (int s = 0; s < SceneCount; ++s) {
        const int address = sceneAddress(static_cast<std::uint8_t>(s));
        if (s <= last) {
            scenes.append(byteArray(image, address, SceneSize));
        } else if (!allZero(image, address, SceneSize)) {
            QJsonObject scene;
            scene[QStringLiteral("scene")] = s;
            scene[QStringLiteral("levels")] = byteArray(image, address, SceneSize);
            extra.append(scene);
        }
    }
    doc[QStringLiteral("scenes")] = scenes;
    if (!extra.isEmpty()) {
        doc[QStringLiteral("extra_scenes")] = extra;
    }
    return QJsonDocument(doc).toJson(QJsonDocument::Indented);
}

ImportResult importShowJson(const QByteArray& json)
{
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        return {std::nullopt,
                QStringLiteral("not JSON: %1 at offset %2").arg(parseError.errorString()).arg(parseError.offset)};
    }
    if (!document.isObject()) {
        return {std::nullopt, QStringLiteral("not a show: the document is not a JSON object")};
    }
    const QJsonObject doc = document.object();
    Reader r;
    QJsonObject top;
    if (!r.object(QJsonValue(doc), QString(), RequiredKeys + OptionalKeys, top) ||
        !r.required(doc, QString(), RequiredKeys)) {
        return {std::nullopt, r.error()};
    }
    const QJsonValue format = doc[QStringLiteral("format")];
    if (format.toString() != QString::fromLatin1(JsonFormat)) {
        r.fail(QStringLiteral("format"),
               describe(format) + QStringLiteral(" is not \"%1\"").arg(QString::fromLatin1(JsonFormat)));
        return {std::nullopt, r.error()};
    }
    const QJsonValue version = doc[QStringLiteral("version")];
    if (!version.isDouble() || version.toDouble() != JsonVersion) {
        r.fail(QStringLiteral("version"), describe(version) + QStringLiteral(" is not %1").arg(JsonVersion));
        return {std::nullopt, r.error()};
    }
    ShowImage image(ShowFileSize, 0);
    if (!readHeader(r, doc, image) || !readParameters(r, doc, image) ||
        !r.bytes(doc[QStringLiteral("rates")], QStringLiteral("rates"), QStringLiteral("a rate"), ChannelCount, image,
                 RateBase) ||
        !readNames(r, doc, image) ||
        !r.bytes(doc[QStringLiteral("selection")], QStringLiteral("selection"), QStringLiteral("a flag"), ChannelCount,
                 image, SelectBase) ||
        !readPictures(r, doc, image) ||
        (doc.contains(QStringLiteral("spare")) && !r.bytes(doc[QStringLiteral("spare")], QStringLiteral("spare"),
                                                           QStringLiteral("a byte"), SpareSize, image, SpareBase)) ||
        !readScenes(r, doc, image)) {
        return {std::nullopt, r.error()};
    }
    return {std::move(image), QString()};
}

}  // namespace velantra::showtool
