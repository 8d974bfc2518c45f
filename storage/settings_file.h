// The settings file "Vela43.ini": the twenty conveyor entries, the last show
// and the output patch file in use, in a Windows-style initialisation file:
//
//   [Konveir]
//   File01=C:\shows\Gala.vlt
//   ...
//   File20=
//
//   [LastFile]
//   Path=C:\shows\Gala.vlt
//   Coder=C:\KORVEX\VELANTRA\Vela43.vdx
//
//   [sACN]                 the network outputs, after the sections above
//   Enabled=0
//   Universe=1
//   Priority=100
//   Destination=
//   Interface=
//   SourceName=Velantra
//   CID=
//   MulticastHops=8
//   [ArtNet]
//   Enabled=0
//   PortAddress=0
//   Destination=
//   Interface=
//   AlwaysBroadcast=0
//   [Remote]               the web remote for phones and tablets
//   Enabled=0
//   Port=9090
//   Bind=                  empty: every address of this computer
//   Pin=                   made at the first start and kept
//   [Osc]                  OSC over UDP
//   Enabled=0
//   Port=8000
//   [Options]
//   Language=              ru, en, or empty: the system's language
//   [Interfaces]
//   Kinds=EN123456:pro,B0012345:opendmx   the kind chosen per device serial number
//
// File names are in the system's 8-bit encoding (Windows-1251 on Windows, the
// file-name encoding elsewhere), without quotes or escapes. The network values
// are kept as the text the file holds: the program checks them when it applies
// them, so a bad value is reported and never silently replaced.
#pragma once

#include "storage/file_result.h"

#include <QString>

#include <array>

namespace velantra {

inline constexpr int KonveirEntryCount = 20;

// Section "sACN", a missing key reading as its default.
struct SacnSettings {
    QString enabled = QStringLiteral("0");
    QString universe = QStringLiteral("1");
    QString priority = QStringLiteral("100");
    QString destination;    // empty: multicast
    QString interfaceName;  // "Interface"; empty: the system's choice
    QString sourceName = QStringLiteral("Velantra");
    QString cid;                                  // made at the first start and kept
    QString multicastHops = QStringLiteral("8");  // time to live of multicast: a site's routed network

    bool operator==(const SacnSettings&) const = default;
};

// Section "ArtNet".
struct ArtNetSettings {
    QString enabled = QStringLiteral("0");
    QString portAddress = QStringLiteral("0");
    QString destination;    // empty: the nodes found by polling, else broadcast
    QString interfaceName;  // "Interface"
    QString alwaysBroadcast = QStringLiteral("0");

    bool operator==(const ArtNetSettings&) const = default;
};

// Section "Remote".
struct RemoteSettings {
    QString enabled = QStringLiteral("0");
    QString port = QStringLiteral("9090");
    QString bind;  // empty: every address
    QString pin;

    bool operator==(const RemoteSettings&) const = default;
};

// Section "Osc".
struct OscSettings {
    QString enabled = QStringLiteral("0");
    QString port = QStringLiteral("8000");

    bool operator==(const OscSettings&) const = default;
};

struct Settings {
    std::array<QString, KonveirEntryCount> konveir;  // "Konveir"/"File01".."File20"
    QString path;                                    // "LastFile"/"Path": the last show
    QString coder;                                   // "LastFile"/"Coder": the output patch file
    SacnSettings sacn;
    ArtNetSettings artnet;
    RemoteSettings remote;
    OscSettings osc;
    QString language;        // "Options"/"Language": ru, en, or empty for the system's
    QString interfaceKinds;  // "Interfaces"/"Kinds": serial:kind pairs, comma-separated

    bool operator==(const Settings&) const = default;
};

// GUI thread. Reads the file the way Windows reads such files: section and key
// names in any case, blanks around '=' ignored, ';' or '#' starts a comment only
// at the start of a line, the first of a repeated key counts. A missing file or
// key reads as an empty value.
Settings readSettings(const QString& iniPath);

// GUI thread. Writes all twenty "Konveir" keys (empty ones as "File07="), then
// "Path" and "Coder", then the sections "sACN", "ArtNet", "Remote", "Osc" and "Options", through a temporary file
// renamed over iniPath. A refused write gives "Unable to write to <iniPath>" and leaves the previous file as it was. A
// value with a line break cannot be kept in this format and is written empty; blanks at either end of a value do not
// survive a read.
FileResult writeSettings(const QString& iniPath, const Settings& settings);

}  // namespace velantra
