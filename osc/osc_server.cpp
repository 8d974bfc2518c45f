#include "osc/osc_server.h"

#include "desk/desk_controls.h"
#include "osc/osc_desk.h"
#include "osc/osc_message.h"

#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>

#include <lo/lo.h>
#include <lo/lo_throw.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

namespace velantra::osc {

namespace {

using Clock = std::chrono::steady_clock;
constexpr int PollMs = 100;          // at most ten feedback rounds a second
constexpr int RefusalLineMs = 5000;  // at most one refusal line in this time
constexpr int ReadsPerWake = 64;     // datagrams read before the event loop has its turn

// What liblo said while a server was being made (no context is set then).
struct CreateError {
    int num = 0;
    std::string text;
    int systemError = 0;  // errno when liblo gave up (bind's)
} createError;

}  // namespace

struct OscServer::State {
    lo_server server = nullptr;
    QSocketNotifier* notifier = nullptr;
    QTimer poll;
    QTimer scheduled;  // bundles liblo holds for a later time
    int port = 0;
    QString error;
    int accepted = 0;
    int refused = 0;
    QElapsedTimer lastLine;
    int unsaid = 0;  // refusals since the last line about one
    std::chrono::milliseconds silence = FeedbackSilence;

    struct Client {
        QString host;
        QString from;  // the source port it subscribed from
        int port = 0;  // where its feedback goes
        lo_address address = nullptr;
        Clock::time_point heard;
        int failures = 0;
    };
    std::vector<Client> clients;
    std::vector<FeedbackValue> sent;  // the values as the clients last got them
};

struct OscServer::Callbacks {
    static void error(int num, const char* msg, const char* where)
    {
        auto* server = static_cast<OscServer*>(lo_error_get_context());
        if (server == nullptr) {
            createError = {num, msg != nullptr ? msg : "", errno};
            return;
        }
        // A datagram that is no OSC message: refused like any other.
        server->refuse(where != nullptr ? where : "", QString(), Refusal::BadPacket);
    }

    static int message(const char* path, const char* types, lo_arg** argv, int argc, lo_message msg, void* user)
    {
        auto* server = static_cast<OscServer*>(user);
        lo_address source = lo_message_get_source(msg);
        const char* host = source != nullptr ? lo_address_get_hostname(source) : nullptr;
        const char* port = source != nullptr ? lo_address_get_port(source) : nullptr;
        const std::vector<Arg> args = argsOf(types, argv, argc);
        server->handle(path != nullptr ? path : "", args, QString::fromUtf8(host != nullptr ? host : ""),
                       QString::fromUtf8(port != nullptr ? port : ""));
        return 0;  // handled
    }
};

namespace {

bool sendValue(lo_address to, lo_server from, const FeedbackValue& v)
{
    lo_message m = lo_message_new();
    if (v.isFloat) {
        lo_message_add_float(m, v.f);
    } else {
        lo_message_add_int32(m, v.i);
    }
    const int sent = lo_send_message_from(to, from, v.address.c_str(), m);
    lo_message_free(m);
    return sent >= 0;
}

}  // namespace

OscServer::OscServer(DeskControls& desk, QObject* parent)
    : QObject(parent)
    , desk_(desk)
    , state_(std::make_unique<State>())
{
    setObjectName(QStringLiteral("OscServer"));
    state_->poll.setInterval(PollMs);
    connect(&state_->poll, &QTimer::timeout, this, &OscServer::pollDesk);
    state_->scheduled.setSingleShot(true);
    connect(&state_->scheduled, &QTimer::timeout, this, &OscServer::receive);
}

OscServer::~OscServer()
{
    stop();
}

void OscServer::apply(const OscSettings& settings)
{
    const bool on = settings.enabled.trimmed() == QLatin1String("1");
    bool ok = false;
    const int port = settings.port.trimmed().toInt(&ok);
    if (!on) {
        if (state_->server != nullptr || !state_->error.isEmpty()) {
            stop();
            state_->error.clear();
            emit message(tr("OSC: выключен"));
            emit statusChanged();
        }
        return;
    }
    if (!ok || port < 1 || port > 65535) {
        stop();
        state_->port = 0;
        state_->error = tr("OSC: неверный порт «%1»").arg(settings.port);
        emit message(state_->error);
        emit statusChanged();
        return;
    }
    if (state_->server != nullptr && port == state_->port) {
        return;
    }
    stop();
    start(port);
    emit statusChanged();
}

void OscServer::start(int port)
{
    createError = {};
    const QByteArray service = QByteArray::number(port);
    lo_server server = lo_server_new_with_proto(service.constData(), LO_UDP, Callbacks::error);
    state_->port = port;
    if (server == nullptr) {
        // liblo says "cannot find free port" for a port in use, and bind's
        // errno when it was refused (a port under 1024 without the right).
        if (createError.num == EACCES || createError.systemError == EACCES) {
            state_->error = tr("OSC: нет прав открыть порт %1").arg(port);
        } else if (createError.num == LO_NOPORT) {
            state_->error = tr("OSC: порт %1 занят").arg(port);
        } else {
            state_->error =
                tr("OSC: не удалось открыть порт %1: %2").arg(port).arg(QString::fromStdString(createError.text));
        }
        emit message(state_->error);
        return;
    }
    state_->server = server;
    state_->error.clear();
    state_->accepted = 0;
    state_->refused = 0;
    state_->unsaid = 0;
    state_->lastLine.invalidate();
    lo_server_set_error_context(server, this);
    lo_server_add_method(server, nullptr, nullptr, Callbacks::message, this);
    state_->notifier = new QSocketNotifier(lo_server_get_socket_fd(server), QSocketNotifier::Read, this);
    connect(state_->notifier, &QSocketNotifier::activated, this, &OscServer::receive);
    emit message(tr("OSC: принимаю сообщения на UDP-порту %1").arg(port));
}

void OscServer::stop()
{
    for (auto& c : state_->clients) {
        lo_address_free(c.address);
    }
    state_->clients.clear();
    state_->sent.clear();
    state_->poll.stop();
    state_->scheduled.stop();
    delete state_->notifier;
    state_->notifier = nullptr;
    if (state_->server != nullptr) {
        lo_server_free(state_->server);
        state_->server = nullptr;
    }
}

OscStatus OscServer::status() const
{
    OscStatus s;
    s.listening = state_->server != nullptr;
    s.port = state_->port;
    s.error = state_->error;
    s.feedbackClients = static_cast<int>(state_->clients.size());
    s.accepted = state_->accepted;
    s.refused = state_->refused;
    return s;
}

void OscServer::receive()
{
    lo_server server = state_->server;
    for (int i = 0; i < ReadsPerWake && state_->server == server && server != nullptr; ++i) {
        if (lo_server_recv_noblock(server, 0) <= 0) {
            break;
        }
    }
    if (state_->server != nullptr && lo_server_events_pending(state_->server) != 0) {
        const double delay = lo_server_next_event_delay(state_->server);
        state_->scheduled.start(static_cast<int>(std::clamp(delay * 1000.0, 0.0, 100.0)));
    }
}

QString OscServer::reason(Refusal why)
{
    switch (why) {
    case Refusal::None:
        break;
    case Refusal::UnknownAddress:
        return tr("неизвестный адрес");
    case Refusal::BadIndex:
        return tr("нет такого номера");
    case Refusal::BadArguments:
        return tr("неверные аргументы");
    case Refusal::OutOfRange:
        return tr("значение вне диапазона");
    case Refusal::BadPacket:
        return tr("повреждённый пакет");
    }
    return QString();
}

void OscServer::handle(std::string_view address, std::span<const Arg> args, const QString& host,
                       const QString& sourcePort)
{
    heardFrom(host);
    const QString from = host + QLatin1Char(':') + sourcePort;
    const Decision d = decide(address, args);
    if (!d.accepted()) {
        refuse(address, from, d.refusal);
        return;
    }
    switch (d.action.kind) {
    case ActionKind::Feedback:
        subscribe(host, sourcePort, d.action.value == 1 ? sourcePort.toInt() : d.action.value);
        break;
    case ActionKind::Unsubscribe:
        unsubscribe(host, sourcePort, d.action.value == 1 ? 0 : d.action.value);
        break;
    default:
        if (const Refusal r = applyTo(desk_, d.action); r != Refusal::None) {
            refuse(address, from, r);
            return;
        }
        break;
    }
    ++state_->accepted;
}

void OscServer::refuse(std::string_view address, const QString& from, Refusal why)
{
    ++state_->refused;
    if (state_->lastLine.isValid() && state_->lastLine.elapsed() < RefusalLineMs) {
        ++state_->unsaid;
        return;
    }
    // An address as text, cut short: it came from the network.
    const QString shown =
        QString::fromUtf8(address.data(), static_cast<qsizetype>(std::min<std::size_t>(address.size(), 64)));
    const QString sender = from.isEmpty() ? tr("неизвестного отправителя") : from;
    const QString line = state_->unsaid == 0
                             ? tr("OSC: отклонено «%1» от %2: %3").arg(shown, sender, reason(why))
                             : tr("OSC: отклонено «%1» от %2: %3 (и ещё %n с прошлой записи)", "", state_->unsaid)
                                   .arg(shown, sender, reason(why));
    state_->unsaid = 0;
    state_->lastLine.start();
    emit message(line);
}

void OscServer::heardFrom(const QString& host)
{
    const auto now = Clock::now();
    for (auto& c : state_->clients) {
        if (c.host == host) {
            c.heard = now;
        }
    }
}

void OscServer::subscribe(const QString& host, const QString& sourcePort, int port)
{
    auto& clients = state_->clients;
    const auto same = [&](const State::Client& c) { return c.host == host && c.port == port; };
    auto it = std::find_if(clients.begin(), clients.end(), same);
    if (it == clients.end()) {
        if (static_cast<int>(clients.size()) >= MaxFeedbackClients) {
            emit message(tr("OSC: обратная связь уже идёт %1 клиентам, %2:%3 отказано")
                             .arg(MaxFeedbackClients)
                             .arg(host)
                             .arg(port));
            return;
        }
        pollDesk();  // the others are brought up to date before the newcomer's full round
        const QByteArray portText = QByteArray::number(port);
        State::Client c;
        c.host = host;
        c.from = sourcePort;
        c.port = port;
        c.address = lo_address_new(host.toUtf8().constData(), portText.constData());
        c.heard = Clock::now();
        if (c.address == nullptr) {
            return;
        }
        clients.push_back(c);
        it = clients.end() - 1;
        emit message(tr("OSC: обратная связь для %1:%2").arg(host).arg(port));
        emit statusChanged();
    } else {
        pollDesk();
        it = std::find_if(clients.begin(), clients.end(), same);  // polling may have dropped one
        if (it == clients.end()) {
            return;
        }
        it->from = sourcePort;
    }
    if (state_->sent.empty()) {
        state_->sent = feedbackValues(desk_);
    }
    // Every value at once, also to a client that asks again (a layout reloaded).
    for (const auto& v : state_->sent) {
        sendValue(it->address, state_->server, v);
    }
    state_->poll.start();
}

void OscServer::unsubscribe(const QString& host, const QString& sourcePort, int port)
{
    auto& clients = state_->clients;
    // port 0: whatever this sender asked for, to its own port or another one.
    for (std::size_t i = clients.size(); i-- > 0;) {
        const auto& c = clients[i];
        const bool mine = port == 0 ? c.from == sourcePort || c.port == sourcePort.toInt() : c.port == port;
        if (c.host == host && mine) {
            dropClient(i, tr("OSC: обратная связь для %1:%2 закончена").arg(c.host).arg(c.port));
        }
    }
}

void OscServer::dropClient(std::size_t i, const QString& line)
{
    auto& clients = state_->clients;
    lo_address_free(clients[i].address);
    clients.erase(clients.begin() + static_cast<std::ptrdiff_t>(i));
    if (clients.empty()) {
        state_->poll.stop();
    }
    emit message(line);
    emit statusChanged();
}

void OscServer::setFeedbackSilence(std::chrono::milliseconds silence)
{
    state_->silence = silence;
}

void OscServer::pollDesk()
{
    auto& clients = state_->clients;
    const auto now = Clock::now();
    for (std::size_t i = clients.size(); i-- > 0;) {
        if (now - clients[i].heard > state_->silence) {
            const auto minutes = std::chrono::duration_cast<std::chrono::minutes>(state_->silence).count();
            dropClient(i, tr("OSC: %1:%2 молчит %n мин, обратная связь закончена", "", static_cast<int>(minutes))
                              .arg(clients[i].host)
                              .arg(clients[i].port));
        }
    }
    std::vector<FeedbackValue> values = feedbackValues(desk_);
    const bool all = state_->sent.size() != values.size();
    for (std::size_t i = clients.size(); i-- > 0;) {
        auto& c = clients[i];
        bool failed = false;
        for (std::size_t k = 0; k < values.size(); ++k) {
            if (all || !(values[k] == state_->sent[k])) {
                failed = !sendValue(c.address, state_->server, values[k]) || failed;
            }
        }
        c.failures = failed ? c.failures + 1 : 0;
        if (c.failures >= FeedbackFailuresMax) {
            dropClient(i, tr("OSC: отправка на %1:%2 не удаётся, обратная связь закончена").arg(c.host).arg(c.port));
        }
    }
    state_->sent = std::move(values);
}

}  // namespace velantra::osc
