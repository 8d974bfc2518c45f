// The network outputs as the program runs them: the sACN source and the
// Art-Net controller, their settings checked and turned into addresses
// (interfaces by name, host names resolved without blocking), and what they
// are doing turned into texts for the window. QtCore and QtNetwork only: no
// widget, so a program without a window can use it too.
#pragma once

#include "engine/further_patch.h"
#include "network/artnet_output.h"
#include "network/sacn_output.h"
#include "storage/settings_file.h"

#include <QList>
#include <QLoggingCategory>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUuid>

#include <array>
#include <chrono>
#include <optional>

// Network events: outputs that start or stop sending, refused settings and sends.
Q_DECLARE_LOGGING_CATEGORY(lcNetwork)

namespace velantra {

class OutputCycle;

// A computer's interface that can carry the network outputs.
struct InterfaceChoice {
    QString name;                 // "eth0"
    std::uint32_t address = 0;    // its IPv4 address
    std::uint32_t broadcast = 0;  // its directed broadcast
    std::uint32_t netmask = 0;
    int index = 0;                      // the system's interface index
    std::array<std::uint8_t, 6> mac{};  // its hardware address (zeros: none)
    bool loopback = false;
    QString text() const;  // "eth0 (192.168.1.20)"
    bool operator==(const InterfaceChoice&) const = default;
};

// What one output shows in the window.
struct OutputState {
    bool on = false;  // configured, switched on, sending (a datagram left with the last frame)
    QString via;      // the interface it uses ("eth0 (192.168.1.20)"), chosen or by default
    double packetsPerSecond = 0;
    QString lastError;  // the last refused send or refused setting; empty: none
};

// GUI thread. The CID of this computer's sACN source when the settings hold
// none: a name-based UUID (version 5) of the machine's identity and the data
// directory, so that the source keeps it from one start to the next, the
// window and the headless player alike.
QUuid derivedSourceCid(const QByteArray& machineId, const QString& dataDirectory);

class NetworkOutputs : public QObject {
    Q_OBJECT
public:
    // GUI thread. Adds both outputs to the cycle (before the output thread
    // starts) and starts their sender threads, switched off.
    explicit NetworkOutputs(OutputCycle& cycle, QObject* parent = nullptr);
    // GUI thread. Ends both streams (stop()) if that has not happened yet.
    ~NetworkOutputs() override;
    NetworkOutputs(const NetworkOutputs&) = delete;
    NetworkOutputs& operator=(const NetworkOutputs&) = delete;

    // GUI thread. Checks and applies the settings of each output. A bad value
    // is refused with a message on status(), and that output stays off; the
    // other output and the settings themselves are kept as they are. A
    // missing CID is derived here (derivedSourceCid of this computer and its
    // data directory) and kept in the settings.
    void applySacn(const SacnSettings& settings);
    void applyArtNet(const ArtNetSettings& settings);
    const SacnSettings& sacnSettings() const { return sacn_; }
    const ArtNetSettings& artNetSettings() const { return artnet_; }

    // GUI thread, at the end of the program (after the output thread has
    // stopped): sACN says goodbye, both sender threads end.
    void stop();

    // GUI thread, once a second: counts turned into rates and texts.
    void refresh();
    // GUI thread; the timer "TimerNetworkFollow" runs it every FollowPeriod.
    // Looks at the interfaces again: an address that changed (DHCP, a cable
    // moved), an interface that came or went, another default interface.
    // Each output that uses one of them is pointed at it anew, without
    // ending its streams.
    void followInterfaces();
    static constexpr int FollowPeriod = 2000;  // milliseconds
    const OutputState& sacnState() const { return sacnState_; }
    const OutputState& artNetState() const { return artNetState_; }
    std::vector<ArtNetNode> artNetNodes() const { return artnetOutput_.nodes(); }

    // GUI thread. What each of the desk's universes carries and where it
    // goes, one line each: the first (the patch, the USB interface and the
    // network), then the further ones from their patch.
    QStringList universeTexts(const FurtherPatch& further) const;
    // GUI thread. A further universe's patched slots in runs ("слоты 1-48 ←
    // каналы 1-48"); empty when none.
    static QString patchRuns(const FurtherPatch& further, int universe);

    // GUI thread. The computer's interfaces with an IPv4 address (loopback last).
    static QList<InterfaceChoice> interfaces();
    // GUI thread. The interface of that name, when it exists and has an IPv4 address.
    static std::optional<InterfaceChoice> findInterface(const QString& name);
    // GUI thread. The interface used when none is chosen: the one whose
    // address the system sends to destination from, else the first that is
    // up and not the loopback.
    static std::optional<InterfaceChoice> defaultInterface(std::uint32_t destination);

    SacnOutput& sacnOutput() { return sacnOutput_; }
    ArtNetOutput& artNetOutput() { return artnetOutput_; }

signals:
    // A refused setting or a failed name look-up, for the status line.
    void status(const QString& text);

private:
    void refuseSacn(const QString& text);
    void refuseArtNet(const QString& text);
    // Points a checked, switched-on target at its destination: none, an
    // address, or a host name looked up in the background while the output
    // waits switched off; a name that does not resolve is refused.
    template <typename Output, typename Target>
    void aim(Output& output, Target& target, const QString& destination, int& lookup, const char* label,
             void (NetworkOutputs::*refuse)(const QString&));
    static QString errorText(int error);
    // The interface an output named (or the default one for destination);
    // nullopt with missing set when a named one is not there.
    static std::optional<InterfaceChoice> interfaceFor(const QString& name, std::uint32_t destination, bool& missing);
    void pointSacn(const std::optional<InterfaceChoice>& via);
    void pointArtNet(const std::optional<InterfaceChoice>& via);

    SacnOutput sacnOutput_;
    ArtNetOutput artnetOutput_;
    SacnSettings sacn_;
    ArtNetSettings artnet_;
    SacnTarget sacnTarget_;  // checked, waiting for its address when a name is looked up
    ArtNetTarget artnetTarget_;
    int sacnLookup_ = -1;  // the look-up whose answer counts
    int artnetLookup_ = -1;
    QString sacnRefused_;
    QString artnetRefused_;
    // The failure last logged for each output (empty: none since it last sent).
    QString sacnLogged_;
    QString artnetLogged_;
    OutputState sacnState_;
    OutputState artNetState_;
    SenderCounters sacnBefore_;
    SenderCounters artnetBefore_;
    std::chrono::steady_clock::time_point lastRefresh_;
    std::optional<InterfaceChoice> sacnVia_;  // the interface each output uses now
    std::optional<InterfaceChoice> artnetVia_;
    bool sacnMissing_ = false;  // refused for a named interface that is not there
    bool artnetMissing_ = false;
    QTimer* follow_;
    bool stopped_ = false;
};

}  // namespace velantra
