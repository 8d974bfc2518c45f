#include "storage/settings_file.h"

#include "storage/file_result.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#if defined(Q_OS_WIN)
#include <QStringEncoder>
#endif

#include <INIReader.h>

#include <string>
#include <vector>

namespace velantra {

namespace {

const char* const KonveirSection = "Konveir";
const char* const LastFileSection = "LastFile";
const char* const OptionsSection = "Options";
const char* const InterfacesSection = "Interfaces";
const char* const SacnSection = "sACN";
const char* const ArtNetSection = "ArtNet";
const char* const RemoteSection = "Remote";
const char* const OscSection = "Osc";
// Twenty-two paths of any length fit many times over.
constexpr qint64 MaxSettingsSize = 1 << 20;

QByteArray konveirKey(int index)
{
    return "File" + QByteArray::number(index + 1).rightJustified(2, '0');
}

QString decodeValue(const QByteArray& bytes)
{
#if defined(Q_OS_WIN)
    QStringDecoder decoder("windows-1251");
    return decoder.decode(bytes);
#else
    // File names are UTF-8 here; a byte-order mark inside a name is part of it.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
#endif
}

QByteArray encodeValue(const QString& value)
{
#if defined(Q_OS_WIN)
    QStringEncoder encoder("windows-1251");
    return encoder.encode(value);
#else
    return QFile::encodeName(value);
#endif
}

// libinih reads lines into a 200-byte buffer and cuts what does not fit, takes
// an indented line as the continuation of the value above it, and, as Debian
// builds it, ends a value at a ';' after a blank. Windows does none of this,
// and file names run long and may hold "; " or start an edited line with
// blanks. So the text is tidied before libinih sees it: blank and comment lines
// go, every line loses its leading blanks, and a value that libinih would cut
// is parked here and replaced by a short reference (ParkMark and its index),
// which valueOf() resolves after parsing.
constexpr qsizetype LineRoom = 150;  // well inside libinih's line buffer
constexpr char ParkMark = '\x01';

struct TidyText {
    QByteArray text;
    std::vector<QByteArray> parked;
};

TidyText tidy(QByteArray raw)
{
    if (raw.startsWith("\xEF\xBB\xBF")) {
        raw.remove(0, 3);  // a byte-order mark left by an editor
    }
    TidyText out;
    for (QByteArray line : raw.split('\n')) {
        // A file name never holds a NUL byte: the value ends there, in a short
        // line as in a long one, so a value reads the same before and after a save.
        if (const qsizetype nul = line.indexOf('\0'); nul >= 0) {
            line.truncate(nul);
        }
        line = line.trimmed();
        if (line.isEmpty() || line.front() == ';' || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            // A section name this long is none of ours; keys below it must not
            // land in the section above.
            out.text += (line.size() > LineRoom ? QByteArray("[]") : line) + '\n';
            continue;
        }
        qsizetype equals = 0;
        while (equals < line.size() && line[equals] != '=' && line[equals] != ':') {
            ++equals;
        }
        if (equals == line.size() || equals > LineRoom) {
            continue;  // not a key line, or a key far longer than any of ours
        }
        const QByteArray value = line.mid(equals + 1);
        if (line.size() <= LineRoom && !value.contains(';') && !value.contains(ParkMark)) {
            out.text += line + '\n';
            continue;
        }
        out.text +=
            line.left(equals + 1) + ParkMark + QByteArray::number(static_cast<qsizetype>(out.parked.size())) + '\n';
        out.parked.push_back(value.trimmed());
    }
    return out;
}

QString valueOf(const INIReader& reader, const TidyText& tidied, const char* section, const QByteArray& key)
{
    std::string value = reader.Get(section, key.toStdString(), std::string());
    // INIReader joins the values of a key given twice with a line break.
    const auto lineEnd = value.find('\n');
    if (lineEnd != std::string::npos) {
        value.resize(lineEnd);
    }
    if (!value.empty() && value.front() == ParkMark) {
        bool isNumber = false;
        const qsizetype index = QByteArray::fromStdString(value.substr(1)).toLongLong(&isNumber);
        if (isNumber && index >= 0 && index < static_cast<qsizetype>(tidied.parked.size())) {
            return decodeValue(tidied.parked[static_cast<std::size_t>(index)]);
        }
        return {};
    }
    return decodeValue(QByteArray::fromStdString(value));
}

QByteArray valueLine(const QByteArray& key, const QString& value, const QByteArray& lineEnd)
{
    // A line break would end the value early and turn the rest into lines of
    // their own; an empty entry is the lesser harm.
    const bool keepable = !value.contains(QLatin1Char('\n')) && !value.contains(QLatin1Char('\r'));
    return key + '=' + (keepable ? encodeValue(value) : QByteArray()) + lineEnd;
}

}  // namespace

Settings readSettings(const QString& iniPath)
{
    Settings settings;
    // A missing, unreadable or foreign file (a pipe, a device, anything far
    // larger than twenty-two paths) reads as no settings at all.
    QByteArray bytes;
    if (!readWholeFile(iniPath, MaxSettingsSize, bytes).ok) {
        return settings;
    }
    const TidyText tidied = tidy(bytes);
    const INIReader reader(tidied.text.constData(), static_cast<std::size_t>(tidied.text.size()));
    for (int i = 0; i < KonveirEntryCount; ++i) {
        settings.konveir[static_cast<std::size_t>(i)] = valueOf(reader, tidied, KonveirSection, konveirKey(i));
    }
    settings.path = valueOf(reader, tidied, LastFileSection, "Path");
    settings.coder = valueOf(reader, tidied, LastFileSection, "Coder");

    // The network keys: a missing key keeps its default.
    const auto read = [&](const char* section, const char* key, QString& value) {
        if (reader.HasValue(section, key)) {
            value = valueOf(reader, tidied, section, key).trimmed();
        }
    };
    SacnSettings& sacn = settings.sacn;
    read(SacnSection, "Enabled", sacn.enabled);
    read(SacnSection, "Universe", sacn.universe);
    read(SacnSection, "Priority", sacn.priority);
    read(SacnSection, "Destination", sacn.destination);
    read(SacnSection, "Interface", sacn.interfaceName);
    read(SacnSection, "SourceName", sacn.sourceName);
    read(SacnSection, "CID", sacn.cid);
    read(SacnSection, "MulticastHops", sacn.multicastHops);
    ArtNetSettings& artnet = settings.artnet;
    read(ArtNetSection, "Enabled", artnet.enabled);
    read(ArtNetSection, "PortAddress", artnet.portAddress);
    read(ArtNetSection, "Destination", artnet.destination);
    read(ArtNetSection, "Interface", artnet.interfaceName);
    read(ArtNetSection, "AlwaysBroadcast", artnet.alwaysBroadcast);
    RemoteSettings& remote = settings.remote;
    read(RemoteSection, "Enabled", remote.enabled);
    read(RemoteSection, "Port", remote.port);
    read(RemoteSection, "Bind", remote.bind);
    read(RemoteSection, "Pin", remote.pin);
    read(OscSection, "Enabled", settings.osc.enabled);
    read(OscSection, "Port", settings.osc.port);
    read(OptionsSection, "Language", settings.language);
    read(InterfacesSection, "Kinds", settings.interfaceKinds);
    return settings;
}

FileResult writeSettings(const QString& iniPath, const Settings& settings)
{
#if defined(Q_OS_WIN)
    const QByteArray lineEnd = "\r\n";
#else
    const QByteArray lineEnd = "\n";
#endif
    QByteArray text = QByteArray("[") + KonveirSection + "]" + lineEnd;
    for (int i = 0; i < KonveirEntryCount; ++i) {
        text += valueLine(konveirKey(i), settings.konveir[static_cast<std::size_t>(i)], lineEnd);
    }
    text += lineEnd + "[" + LastFileSection + "]" + lineEnd;
    text += valueLine("Path", settings.path, lineEnd);
    text += valueLine("Coder", settings.coder, lineEnd);

    const SacnSettings& sacn = settings.sacn;
    text += lineEnd + "[" + SacnSection + "]" + lineEnd;
    text += valueLine("Enabled", sacn.enabled, lineEnd);
    text += valueLine("Universe", sacn.universe, lineEnd);
    text += valueLine("Priority", sacn.priority, lineEnd);
    text += valueLine("Destination", sacn.destination, lineEnd);
    text += valueLine("Interface", sacn.interfaceName, lineEnd);
    text += valueLine("SourceName", sacn.sourceName, lineEnd);
    text += valueLine("CID", sacn.cid, lineEnd);
    text += valueLine("MulticastHops", sacn.multicastHops, lineEnd);
    const ArtNetSettings& artnet = settings.artnet;
    text += "[" + QByteArray(ArtNetSection) + "]" + lineEnd;
    text += valueLine("Enabled", artnet.enabled, lineEnd);
    text += valueLine("PortAddress", artnet.portAddress, lineEnd);
    text += valueLine("Destination", artnet.destination, lineEnd);
    text += valueLine("Interface", artnet.interfaceName, lineEnd);
    text += valueLine("AlwaysBroadcast", artnet.alwaysBroadcast, lineEnd);
    const RemoteSettings& remote = settings.remote;
    text += "[" + QByteArray(RemoteSection) + "]" + lineEnd;
    text += valueLine("Enabled", remote.enabled, lineEnd);
    text += valueLine("Port", remote.port, lineEnd);
    text += valueLine("Bind", remote.bind, lineEnd);
    text += valueLine("Pin", remote.pin, lineEnd);
    text += "[" + QByteArray(OscSection) + "]" + lineEnd;
    text += valueLine("Enabled", settings.osc.enabled, lineEnd);
    text += valueLine("Port", settings.osc.port, lineEnd);
    text += "[" + QByteArray(OptionsSection) + "]" + lineEnd;
    text += valueLine("Language", settings.language, lineEnd);
    text += "[" + QByteArray(InterfacesSection) + "]" + lineEnd;
    text += valueLine("Kinds", settings.interfaceKinds, lineEnd);

    if (!replaceFile(iniPath, text).ok) {
        return {
            false,
            QCoreApplication::translate("FileErrors", "Unable to write to %1").arg(QDir::toNativeSeparators(iniPath))};
    }
    return {};
}

}  // namespace velantra
