#include "network/network_outputs.h"

#include "engine/output_cycle.h"
#include "storage/data_dir.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QLoggingCategory>
#include <QNetworkInterface>
#include <QSysInfo>

#include <algorithm>

Q_LOGGING_CATEGORY(lcNetwork, "velantra.network", QtInfoMsg)

namespace velantra {

namespace {

using Clock = std::chrono::steady_clock;

// "1" switches an output on and "0" (or nothing) off; anything else is refused.
std::optional<bool> switchValue(const QString& text)
{
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("1") || t == QLatin1String("true") || t == QLatin1String("yes")) {
        return true;
    }
    if (t.isEmpty() || t == QLatin1String("0") || t == QLatin1String("false") || t == QLatin1String("no")) {
        return false;
    }
    return std::nullopt;
}

std::optional<int> numberIn(const QString& text, int low, int high)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < low || n > high) {
        return std::nullopt;
    }
    return n;
}

std::optional<std::uint32_t> ipv4Literal(const QString& text)
{
    QHostAddress address;
    if (!address.setAddress(text.trimmed()) || address.protocol() != QAbstractSocket::IPv4Protocol) {
        return std::nullopt;
    }
    return address.toIPv4Address();
}

std::optional<std::uint32_t> firstIpv4(const QHostInfo& info)
{
    for (const QHostAddress& a : info.addresses()) {
        if (a.protocol() == QAbstractSocket::IPv4Protocol) {
            return a.toIPv4Address();
        }
    }
    return std::nullopt;
}

sacn::Cid cidOf(const QUuid& uuid)
{
    sacn::Cid cid{};
    const QByteArray bytes = uuid.toRfc4122();
    std::copy_n(bytes.constData(), std::min<qsizetype>(bytes.size(), 16), cid.begin());
    return cid;
}

// The machine's identity: its machine id (/etc/machine-id or D-Bus's copy),
// else its host name.
QByteArray machineIdentity()
{
    const QByteArray id = QSysInfo::machineUniqueId();
    return id.isEmpty() ? QSysInfo::machineHostName().toUtf8() : id;
}

}  // namespace

QUuid derivedSourceCid(const QByteArray& machineId, const QString& dataDirectory)
{
    // The program's own namespace for name-based source identifiers.
    static const QUuid sourceNamespace(QStringLiteral("2528da6d-55c4-49fd-b8ab-22de7a740c92"));
    return QUuid::createUuidV5(sourceNamespace, machineId + '\n' + dataDirectory.toUtf8());
}

QString InterfaceChoice::text() const
{
    return QStringLiteral("%1 (%2)").arg(name, QHostAddress(address).toString());
}

NetworkOutputs::NetworkOutputs(OutputCycle& cycle, QObject* parent)
    : QObject(parent)
    , lastRefresh_(Clock::now())
    , follow_(new QTimer(this))
{
    cycle.addOutput(&sacnOutput_);
    cycle.addOutput(&artnetOutput_);
    sacnOutput_.start();
    artnetOutput_.start();
    follow_->setObjectName(QStringLiteral("TimerNetworkFollow"));
    follow_->setInterval(FollowPeriod);
    connect(follow_, &QTimer::timeout, this, &NetworkOutputs::followInterfaces);
    follow_->start();
}

NetworkOutputs::~NetworkOutputs()
{
    stop();
}

void NetworkOutputs::stop()
{
    if (stopped_) {
        return;
    }
    stopped_ = true;
    sacnOutput_.stop();
    artnetOutput_.stop();
}

QList<InterfaceChoice> NetworkOutputs::interfaces()
{
    QList<InterfaceChoice> found;
    QList<InterfaceChoice> loopback;
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        if (!i.flags().testFlag(QNetworkInterface::IsUp)) {
            continue;
        }
        for (const QNetworkAddressEntry& entry : i.addressEntries()) {
            const QHostAddress ip = entry.ip();
            if (ip.protocol() != QAbstractSocket::IPv4Protocol) {
                continue;
            }
            InterfaceChoice choice;
            choice.name = i.name();
            choice.address = ip.toIPv4Address();
            choice.netmask = entry.netmask().toIPv4Address();
            choice.broadcast = entry.broadcast().toIPv4Address();
            if (choice.broadcast == 0) {
                choice.broadcast = choice.address | ~choice.netmask;
            }
            choice.index = i.index();
            const QStringList mac = i.hardwareAddress().split(QLatin1Char(':'));
            if (mac.size() == 6) {
                for (std::size_t k = 0; k < 6; ++k) {
                    choice.mac[k] = static_cast<std::uint8_t>(mac[static_cast<qsizetype>(k)].toUInt(nullptr, 16));
                }
            }
            choice.loopback = i.flags().testFlag(QNetworkInterface::IsLoopBack);
            (choice.loopback ? loopback : found).append(choice);
            break;  // an interface's first IPv4 address
        }
    }
    return found + loopback;
}

std::optional<InterfaceChoice> NetworkOutputs::findInterface(const QString& name)
{
    for (const InterfaceChoice& choice : interfaces()) {
        if (choice.name == name.trimmed()) {
            return choice;
        }
    }
    return std::nullopt;
}

std::optional<InterfaceChoice> NetworkOutputs::defaultInterface(std::uint32_t destination)
{
    const QList<InterfaceChoice> all = interfaces();
    const std::uint32_t source = UdpSocket::sourceFor(destination);
    for (const InterfaceChoice& choice : all) {
        if (source != 0 && choice.address == source) {
            return choice;
        }
    }
    for (const InterfaceChoice& choice : all) {
        if (!choice.loopback) {
            return choice;
        }
    }
    return std::nullopt;
}

std::optional<InterfaceChoice> NetworkOutputs::interfaceFor(const QString& name, std::uint32_t destination,
                                                            bool& missing)
{
    missing = false;
    if (name.trimmed().isEmpty()) {
        return defaultInterface(destination);
    }
    std::optional<InterfaceChoice> found = findInterface(name);
    missing = !found;
    return found;
}

void NetworkOutputs::pointSacn(const std::optional<InterfaceChoice>& via)
{
    sacnVia_ = via;
    sacnTarget_.interfaceAddress = via ? via->address : 0;
    sacnTarget_.interfaceIndex = via ? via->index : 0;
    sacnState_.via = via ? via->text() : QString();
}

void NetworkOutputs::pointArtNet(const std::optional<InterfaceChoice>& via)
{
    artnetVia_ = via;
    artnetTarget_.interfaceAddress = via ? via->address : 0;
    artnetTarget_.netmask = via ? via->netmask : 0;
    artnetTarget_.broadcastAddress = via ? via->broadcast : ipv4(255, 255, 255, 255);
    artnetTarget_.mac = via ? via->mac : std::array<std::uint8_t, 6>{};
    artNetState_.via = via ? via->text() : QString();
}

void NetworkOutputs::followInterfaces()
{
    if (stopped_) {
        return;
    }
    bool missing = false;
    if (sacnMissing_) {
        if (findInterface(sacn_.interfaceName)) {
            applySacn(sacn_);
        }
    } else if (sacnTarget_.enabled) {
        const std::uint32_t to =
            sacnTarget_.destination != 0 ? sacnTarget_.destination : sacn::multicastGroup(sacnTarget_.universe);
        const std::optional<InterfaceChoice> via = interfaceFor(sacn_.interfaceName, to, missing);
        if (via && via != sacnVia_) {
            qCInfo(lcNetwork, "sACN: now by %s", qUtf8Printable(via->text()));
            pointSacn(via);
            if (sacnLookup_ < 0) {
                sacnOutput_.configure(sacnTarget_);
            }
        }
    }
    if (artnetMissing_) {
        if (findInterface(artnet_.interfaceName)) {
            applyArtNet(artnet_);
        }
    } else if (artnetTarget_.enabled) {
        const std::uint32_t to = artnetTarget_.destination != 0 ? artnetTarget_.destination : ipv4(255, 255, 255, 255);
        const std::optional<InterfaceChoice> via = interfaceFor(artnet_.interfaceName, to, missing);
        if (via && via != artnetVia_) {
            qCInfo(lcNetwork, "Art-Net: now by %s", qUtf8Printable(via->text()));
            pointArtNet(via);
            if (artnetLookup_ < 0) {
                artnetOutput_.configure(artnetTarget_);
            }
        }
    }
}

void NetworkOutputs::refuseSacn(const QString& text)
{
    sacnTarget_.enabled = false;
    sacnOutput_.configure(sacnTarget_);
    sacnRefused_ = text;
    emit status(text);
}

void NetworkOutputs::refuseArtNet(const QString& text)
{
    artnetTarget_.enabled = false;
    artnetOutput_.configure(artnetTarget_);
    artnetRefused_ = text;
    emit status(text);
}

template <typename Output, typename Target>
void NetworkOutputs::aim(Output& output, Target& target, const QString& destination, int& lookup, const char* label,
                         void (NetworkOutputs::*refuse)(const QString&))
{
    const QString name = destination.trimmed();
    if (name.isEmpty()) {
        output.configure(target);
        return;
    }
    if (const auto literal = ipv4Literal(name)) {
        target.destination = *literal;
        output.configure(target);
        return;
    }
    Target waiting = target;
    waiting.enabled = false;
    output.configure(waiting);
    lookup = QHostInfo::lookupHost(
        name, this, [this, &output, &target, &lookup, label, refuse, name](const QHostInfo& info) {
            if (info.lookupId() != lookup) {
                return;  // the settings changed meanwhile
            }
            lookup = -1;
            const std::optional<std::uint32_t> address = firstIpv4(info);
            if (!address) {
                (this->*refuse)(tr(" %1: адрес %2 не найден, выход выключен ").arg(QLatin1String(label), name));
                return;
            }
            target.destination = *address;
            output.configure(target);
        });
}

void NetworkOutputs::applySacn(const SacnSettings& settings)
{
    sacn_ = settings;
    sacnRefused_.clear();
    sacnLookup_ = -1;
    sacnMissing_ = false;
    pointSacn(std::nullopt);
    QUuid cid(sacn_.cid.trimmed());
    if (cid.isNull()) {
        cid = derivedSourceCid(machineIdentity(), dataDirectory());
        sacn_.cid = cid.toString(QUuid::WithoutBraces);
    }
    SacnTarget target;
    target.cid = cidOf(cid);
    target.sourceName = sacn_.sourceName.toStdString();
    const std::optional<bool> on = switchValue(sacn_.enabled);
    if (!on) {
        refuseSacn(tr(" sACN: Enabled=%1 - не 0 и не 1, выход выключен ").arg(sacn_.enabled));
        return;
    }
    if (!*on) {
        sacnTarget_ = target;
        sacnOutput_.configure(sacnTarget_);
        return;
    }
    const std::optional<int> universe = numberIn(sacn_.universe, 1, 63999);
    if (!universe) {
        refuseSacn(tr(" sACN: вселенная %1 - вне 1..63999, выход выключен ").arg(sacn_.universe));
        return;
    }
    const std::optional<int> priority = numberIn(sacn_.priority, 0, 200);
    if (!priority) {
        refuseSacn(tr(" sACN: приоритет %1 - вне 0..200, выход выключен ").arg(sacn_.priority));
        return;
    }
    const std::optional<int> hops = numberIn(sacn_.multicastHops, 1, 255);
    if (!hops) {
        refuseSacn(tr(" sACN: MulticastHops=%1 - вне 1..255, выход выключен ").arg(sacn_.multicastHops));
        return;
    }
    target.universe = static_cast<std::uint16_t>(*universe);
    target.priority = static_cast<std::uint8_t>(*priority);
    target.hops = *hops;
    bool missing = false;
    const std::optional<std::uint32_t> literal = ipv4Literal(sacn_.destination);
    const std::optional<InterfaceChoice> via =
        interfaceFor(sacn_.interfaceName, literal ? *literal : sacn::multicastGroup(target.universe), missing);
    if (missing) {
        sacnMissing_ = true;
        refuseSacn(tr(" sACN: интерфейс %1 не найден или без адреса IPv4, выход выключен ").arg(sacn_.interfaceName));
        return;
    }
    target.enabled = true;
    sacnTarget_ = target;
    pointSacn(via);
    aim(sacnOutput_, sacnTarget_, sacn_.destination, sacnLookup_, "sACN", &NetworkOutputs::refuseSacn);
}

void NetworkOutputs::applyArtNet(const ArtNetSettings& settings)
{
    artnet_ = settings;
    artnetRefused_.clear();
    artnetLookup_ = -1;
    artnetMissing_ = false;
    pointArtNet(std::nullopt);
    ArtNetTarget target;
    const std::optional<bool> on = switchValue(artnet_.enabled);
    const std::optional<bool> always = switchValue(artnet_.alwaysBroadcast);
    if (!on || !always) {
        refuseArtNet(tr(" Art-Net: Enabled=%1, AlwaysBroadcast=%2 - не 0 и не 1, выход выключен ")
                         .arg(artnet_.enabled, artnet_.alwaysBroadcast));
        return;
    }
    if (!*on) {
        artnetTarget_ = target;
        artnetOutput_.configure(artnetTarget_);
        return;
    }
    const std::optional<std::uint16_t> portAddress = artnet::parsePortAddress(artnet_.portAddress.toStdString());
    if (!portAddress) {
        refuseArtNet(tr(" Art-Net: Port-Address %1 - не 0..32767 и не Net:Sub-Net:Universe, выход выключен ")
                         .arg(artnet_.portAddress));
        return;
    }
    target.portAddress = *portAddress;
    target.alwaysBroadcast = *always;
    bool missing = false;
    const std::optional<std::uint32_t> literal = ipv4Literal(artnet_.destination);
    const std::optional<InterfaceChoice> via =
        interfaceFor(artnet_.interfaceName, literal ? *literal : ipv4(255, 255, 255, 255), missing);
    if (missing) {
        artnetMissing_ = true;
        refuseArtNet(
            tr(" Art-Net: интерфейс %1 не найден или без адреса IPv4, выход выключен ").arg(artnet_.interfaceName));
        return;
    }
    target.enabled = true;
    artnetTarget_ = target;
    pointArtNet(via);
    aim(artnetOutput_, artnetTarget_, artnet_.destination, artnetLookup_, "Art-Net", &NetworkOutputs::refuseArtNet);
}

QString NetworkOutputs::patchRuns(const FurtherPatch& further, int universe)
{
    constexpr int ShownRuns = 4;
    QStringList runs;
    int hidden = 0;
    int slot = 1;
    while (slot <= UniverseSlotCount) {
        const int channel = further.source(universe, slot);
        if (channel == 0) {
            ++slot;
            continue;
        }
        int end = slot;
        while (end < UniverseSlotCount && further.source(universe, end + 1) == channel + (end + 1 - slot)) {
            ++end;
        }
        if (runs.size() == ShownRuns) {
            ++hidden;
        } else if (end == slot) {
            runs << tr("слот %1 ← канал %2").arg(slot).arg(channel);
        } else {
            runs << tr("слоты %1-%2 ← каналы %3-%4").arg(slot).arg(end).arg(channel).arg(channel + end - slot);
        }
        slot = end + 1;
    }
    if (hidden > 0) {
        runs << tr("и еще %1").arg(hidden);
    }
    return runs.join(QStringLiteral(", "));
}

QStringList NetworkOutputs::universeTexts(const FurtherPatch& further) const
{
    const auto sacnOf = [this](int index) {
        if (!sacnTarget_.enabled) {
            return tr("sACN выкл");
        }
        return tr("sACN %1").arg(std::min<int>(sacnTarget_.universe + index, sacn::LastUniverse));
    };
    const auto artnetOf = [this](int index) {
        if (!artnetTarget_.enabled) {
            return tr("Art-Net выкл");
        }
        const auto portAddress = static_cast<std::uint16_t>(std::min(artnetTarget_.portAddress + index, 0x7FFF));
        return tr("Art-Net %1").arg(QString::fromStdString(artnet::portAddressText(portAddress)));
    };
    QStringList lines;
    lines << tr("1: каналы по коммутации кодера; USB, %1, %2").arg(sacnOf(0), artnetOf(0));
    for (int u = 0; u < FurtherUniverseCount; ++u) {
        if (u >= further.used()) {
            lines << tr("%1: не передается").arg(u + 2);
            continue;
        }
        QString runs = patchRuns(further, u);
        if (runs.isEmpty()) {
            runs = tr("пусто (нули)");
        }
        lines << tr("%1: %2; %3, %4").arg(u + 2).arg(runs, sacnOf(u + 1), artnetOf(u + 1));
    }
    return lines;
}

QString NetworkOutputs::errorText(int error)
{
    return qt_error_string(error);
}

void NetworkOutputs::refresh()
{
    const auto now = Clock::now();
    const double seconds = std::chrono::duration<double>(now - lastRefresh_).count();
    lastRefresh_ = now;
    const auto update = [seconds](const char* name, OutputState& state, SenderCounters& before,
                                  const SenderCounters& after, const QString& refused, QString& logged) {
        const bool wasOn = state.on;
        state.on = after.sending;
        state.packetsPerSecond = seconds > 0 ? static_cast<double>(after.packets - before.packets) / seconds : 0.0;
        QString cause;  // a failing send, without the count: logged once, not every second
        if (!refused.isEmpty()) {
            // A refused setting was said once, through status(), when it was refused.
            state.lastError = refused.trimmed();
        } else if (after.failures != before.failures) {
            cause = errorText(after.lastError);
            state.lastError = tr("%1 (отказов: %2)").arg(cause).arg(after.failures);
        } else {
            state.lastError.clear();
        }
        before = after;
        if (state.on != wasOn) {
            if (state.on && !state.via.isEmpty()) {
                qCInfo(lcNetwork, "%s: sending by %s", name, qUtf8Printable(state.via));
            } else {
                qCInfo(lcNetwork, "%s: %s", name, state.on ? "sending" : "not sending");
            }
        }
        if (cause != logged) {
            if (!cause.isEmpty()) {
                qCWarning(lcNetwork, "%s: %s", name, qUtf8Printable(cause));
            } else {
                qCInfo(lcNetwork, "%s: sending again", name);
            }
            logged = cause;
        }
    };
    update("sACN", sacnState_, sacnBefore_, sacnOutput_.counters(), sacnRefused_, sacnLogged_);
    update("Art-Net", artNetState_, artnetBefore_, artnetOutput_.counters(), artnetRefused_, artnetLogged_);
}

}  // namespace velantra
