#include "remote/remote_server.h"

#include "desk/desk_controls.h"
#include "remote/page_server.h"
#include "remote/remote_log.h"
#include "remote/remote_protocol.h"
#include "remote/remote_state.h"

#include <QAbstractHttpServer>
#include <QHostAddress>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QJsonDocument>
#include <QNetworkInterface>
#include <QSet>
#include <QTcpServer>
#include <QTimer>
#include <QUrl>
#include <QWebSocket>

#include <utility>

Q_LOGGING_CATEGORY(lcRemote, "velantra.remote", QtInfoMsg)

namespace velantra::remote {

namespace {

// Close codes of RFC 6455 that the page tells apart.
constexpr auto PolicyViolated = QWebSocketProtocol::CloseCodePolicyViolated;
constexpr auto TooMuchData = QWebSocketProtocol::CloseCodeTooMuchData;
constexpr auto GoingAway = QWebSocketProtocol::CloseCodeGoingAway;
// A refused socket that does not answer the close is dropped after this (ms).
constexpr int CloseGraceMs = 2000;

QString pageAddress(const QHostAddress& address, quint16 port)
{
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(addressText(address));
    url.setPort(port);
    url.setPath(QStringLiteral("/"));
    return url.toString();
}

// What a phone opens: every IPv4 address of the interfaces that are up (the
// loopback when there is no other), or the one address listened on.
QStringList pageAddresses(const QHostAddress& bound, quint16 port)
{
    if (bound != QHostAddress::Any) {
        return {pageAddress(bound, port)};
    }
    QStringList addresses;
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        const auto flags = i.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack)) {
            continue;
        }
        for (const QNetworkAddressEntry& entry : i.addressEntries()) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol) {
                addresses.append(pageAddress(entry.ip(), port));
            }
        }
    }
    if (addresses.isEmpty()) {
        addresses.append(pageAddress(QHostAddress(QHostAddress::LocalHost), port));
    }
    return addresses;
}

// The PIN compared in a time that does not tell how much of it was right.
bool samePin(const QString& given, const QString& pin)
{
    int differ = static_cast<int>(given.size() ^ pin.size());
    for (qsizetype i = 0; i < given.size() && i < pin.size(); ++i) {
        differ |= given[i].unicode() ^ pin[i].unicode();
    }
    return differ == 0;
}

bool validPin(const QString& pin)
{
    if (pin.size() != PinDigits) {
        return false;
    }
    for (const QChar c : pin) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
    }
    return true;
}

}  // namespace

struct RemoteServer::Page {
    std::unique_ptr<QWebSocket> socket;
    QString address;
    bool controlling = false;
    bool refusedOnce = false;  // a refused message was logged
    QJsonObject shown;         // what the page was last told
    RateWindow rate{MaxMessagesPerSecond};
    QSet<int> flashes;  // pictures this page holds down
};

RemoteServer::RemoteServer(DeskControls& desk, QObject* parent)
    : QObject(parent)
    , desk_(desk)
    , publishTimer_(new QTimer(this))
{
    setObjectName(QStringLiteral("RemoteServer"));
    clock_.start();
    publishTimer_->setInterval(UpdatePeriodMs);
    connect(publishTimer_, &QTimer::timeout, this, &RemoteServer::publish);
}

RemoteServer::~RemoteServer()
{
    // The desk may already be gone: nothing is let go on it.
    const QSignalBlocker quiet(this);
    stop(QStringLiteral("the desk is closing"), false);
}

RemoteStatus RemoteServer::status() const
{
    return status_;
}

void RemoteServer::apply(const RemoteSettings& settings)
{
    if (settings == settings_ && status_.listening) {
        return;
    }
    const bool wasListening = status_.listening;
    stop(QStringLiteral("the web remote was switched off"), true);
    settings_ = settings;
    status_ = RemoteStatus{};
    if (settings.enabled.trimmed() != QLatin1String("1")) {
        if (wasListening) {
            emit message(tr("Пульт по сети выключен"));
        }
        emit statusChanged();
        return;
    }
    status_.error = listen();
    if (status_.error.isEmpty()) {
        emit message(tr("Пульт по сети: %1").arg(status_.addresses.join(QStringLiteral(", "))));
    } else {
        emit message(status_.error);
    }
    emit statusChanged();
}

QString RemoteServer::listen()
{
    bool ok = false;
    const int port = settings_.port.trimmed().toInt(&ok);
    if (!ok || port < 1 || port > 65535) {
        return tr("Пульт по сети: неверный порт «%1» (нужен 1..65535)").arg(settings_.port);
    }
    QHostAddress address(QHostAddress::Any);
    const QString bind = settings_.bind.trimmed();
    if (!bind.isEmpty() && !address.setAddress(bind)) {
        return tr("Пульт по сети: неверный адрес «%1»").arg(bind);
    }
    if (!validPin(settings_.pin)) {
        return tr("Пульт по сети: PIN должен состоять из шести цифр");
    }
    auto tcp = std::make_unique<QTcpServer>();
    if (!tcp->listen(address, static_cast<quint16>(port))) {
        if (tcp->serverError() == QAbstractSocket::AddressInUseError) {
            return tr("Пульт по сети: порт %1 занят").arg(port);
        }
        return tr("Пульт по сети: не удаётся открыть %1, порт %2: %3")
            .arg(addressText(address), QString::number(port), tcp->errorString());
    }

    http_ = std::make_unique<PageServer>([this](const QString& origin, const QString& from) {
        emit message(tr("Пульт по сети: отказано странице с чужого адреса «%1» (с %2)").arg(origin, from));
    });
    connect(http_.get(), &QAbstractHttpServer::newWebSocketConnection, this, &RemoteServer::takeConnections);
    const quint16 listening = tcp->serverPort();
    http_->bind(tcp.release());  // the server takes it

    status_.listening = true;
    status_.port = listening;
    status_.addresses = pageAddresses(address, listening);
    return {};
}

void RemoteServer::stop(const QString& reason, bool letGo)
{
    publishTimer_->stop();
    for (const auto& page : pages_) {
        for (const int k : std::as_const(page->flashes)) {
            if (letGo) {
                desk_.setPicture(k, false);
            }
        }
        page->socket->disconnect(this);
        page->socket->close(GoingAway, reason);
        page->socket->abort();
    }
    pages_.clear();
    http_.reset();
}

void RemoteServer::takeConnections()
{
    while (http_ && http_->hasPendingWebSocketConnections()) {
        std::unique_ptr<QWebSocket> socket = http_->nextPendingWebSocketConnection();
        const QString address = addressText(socket->peerAddress());
        if (pages_.size() >= static_cast<std::size_t>(MaxPages)) {
            emit message(tr("Пульт по сети: отказано %1: открыто уже %2 страниц").arg(address).arg(MaxPages));
            refuse(std::move(socket), PolicyViolated, QStringLiteral("too many pages open (%1)").arg(MaxPages));
            continue;
        }
        socket->setMaxAllowedIncomingFrameSize(MaxMessageBytes);
        socket->setMaxAllowedIncomingMessageSize(MaxMessageBytes);
        auto page = std::make_unique<Page>();
        page->socket = std::move(socket);
        page->address = address;
        Page& p = *page;
        QWebSocket* raw = p.socket.get();
        connect(raw, &QWebSocket::textMessageReceived, this, [this, &p](const QString& text) { received(p, text); });
        connect(raw, &QWebSocket::binaryMessageReceived, this, [this, &p](const QByteArray& data) {
            if (data.size() > MaxMessageBytes) {
                close(p, TooMuchData, QStringLiteral("message longer than %1 bytes").arg(MaxMessageBytes));
                return;
            }
            send(p, {{QStringLiteral("t"), QStringLiteral("refused")},
                     {QStringLiteral("why"), QStringLiteral("text messages only")}});
        });
        connect(raw, &QWebSocket::disconnected, this, [this, raw] {
            if (raw->closeCode() == TooMuchData) {
                // Qt closed it for a message over the limit.
                for (const auto& q : pages_) {
                    if (q->socket.get() == raw) {
                        emit message(tr("Пульт по сети: %1 прислал сообщение длиннее %2 байт, соединение закрыто")
                                         .arg(q->address)
                                         .arg(MaxMessageBytes));
                    }
                }
            }
            gone(raw);
        });
        pages_.push_back(std::move(page));
        send(p, {{QStringLiteral("t"), QStringLiteral("hello")},
                 {QStringLiteral("controlling"), false},
                 {QStringLiteral("pinDigits"), PinDigits},
                 {QStringLiteral("updateMs"), UpdatePeriodMs}});
        p.shown = deskState(desk_);
        QJsonObject state = p.shown;
        state.insert(QStringLiteral("t"), QStringLiteral("state"));
        send(p, state);
        publishTimer_->start();
        setCounts();
    }
}

void RemoteServer::refuse(std::unique_ptr<QWebSocket> socket, int code, const QString& reason)
{
    QWebSocket* raw = socket.release();
    raw->setParent(this);
    connect(raw, &QWebSocket::disconnected, raw, &QObject::deleteLater);
    QTimer::singleShot(CloseGraceMs, raw, [raw] { raw->abort(); });
    raw->close(static_cast<QWebSocketProtocol::CloseCode>(code), reason);
}

void RemoteServer::received(Page& page, const QString& text)
{
    if (!page.rate.take(clock_.elapsed())) {
        emit message(tr("Пульт по сети: %1 прислал больше %2 сообщений в секунду, соединение закрыто")
                         .arg(page.address)
                         .arg(MaxMessagesPerSecond));
        close(page, PolicyViolated, QStringLiteral("more than %1 messages a second").arg(MaxMessagesPerSecond));
        return;
    }
    const Parsed parsed = parseMessage(text.toUtf8());
    QString refusal;
    if (const auto* refused = std::get_if<Refusal>(&parsed)) {
        refusal = refused->reason;
        if (!page.refusedOnce) {
            page.refusedOnce = true;
            emit message(tr("Пульт по сети: %1 прислал непонятное сообщение (%2)").arg(page.address, refusal));
        }
    } else {
        const Action& action = std::get<Action>(parsed);
        if (action.kind == ActionKind::Pin) {
            checkPin(page, action.text);
            return;
        }
        if (!page.controlling) {
            refusal = QStringLiteral("enter the PIN first");
        } else {
            if (action.kind == ActionKind::Flash) {
                if (action.value != 0) {
                    page.flashes.insert(action.index);
                } else {
                    page.flashes.remove(action.index);
                }
            } else if (action.kind == ActionKind::Picture) {
                page.flashes.remove(action.index);
            }
            applyAction(action, desk_);
            return;
        }
    }
    send(page, {{QStringLiteral("t"), QStringLiteral("refused")}, {QStringLiteral("why"), refusal}});
}

void RemoteServer::checkPin(Page& page, const QString& pin)
{
    const auto answer = [&](bool ok, const QString& why, qint64 waitMs) {
        send(page, {{QStringLiteral("t"), QStringLiteral("pin")},
                    {QStringLiteral("ok"), ok},
                    {QStringLiteral("why"), why},
                    {QStringLiteral("wait"), static_cast<int>((waitMs + 999) / 1000)}});
    };
    const qint64 now = clock_.elapsed();
    if (const qint64 wait = pins_.lockedFor(page.address, now); wait > 0) {
        answer(false, QStringLiteral("too many wrong PINs: wait %1 s").arg((wait + 999) / 1000), wait);
        return;
    }
    if (samePin(pin, settings_.pin)) {
        pins_.right(page.address);
        const bool was = page.controlling;
        page.controlling = true;
        answer(true, {}, 0);
        if (!was) {
            emit message(tr("Пульт по сети: %1 управляет пультом").arg(page.address));
            setCounts();
        }
        return;
    }
    if (pins_.wrong(page.address, now)) {
        emit message(tr("Пульт по сети: с %1 %2 раз подряд неверный PIN, попытки отклоняются %3 с")
                         .arg(page.address)
                         .arg(PinGuard::Tries)
                         .arg(PinGuard::LockMs / 1000));
        answer(false, QStringLiteral("wrong PIN: wait %1 s").arg(PinGuard::LockMs / 1000), PinGuard::LockMs);
        return;
    }
    emit message(tr("Пульт по сети: неверный PIN с %1").arg(page.address));
    answer(false, QStringLiteral("wrong PIN"), 0);
}

void RemoteServer::close(Page& page, int code, const QString& reason)
{
    QWebSocket* raw = page.socket.get();
    QTimer::singleShot(CloseGraceMs, raw, [raw] { raw->abort(); });
    raw->close(static_cast<QWebSocketProtocol::CloseCode>(code), reason);
}

void RemoteServer::gone(QWebSocket* socket)
{
    for (auto it = pages_.begin(); it != pages_.end(); ++it) {
        if ((*it)->socket.get() != socket) {
            continue;
        }
        for (const int k : std::as_const((*it)->flashes)) {
            desk_.setPicture(k, false);  // a page that goes lets go of what it held
        }
        (*it)->socket->disconnect(this);
        (*it)->socket.release()->deleteLater();
        pages_.erase(it);
        break;
    }
    if (pages_.empty()) {
        publishTimer_->stop();
    }
    setCounts();
}

void RemoteServer::publish()
{
    if (pages_.empty()) {
        return;
    }
    const QJsonObject now = deskState(desk_);
    for (const auto& page : pages_) {
        QJsonObject changed = changedMembers(page->shown, now);
        if (changed.isEmpty()) {
            continue;
        }
        page->shown = now;
        changed.insert(QStringLiteral("t"), QStringLiteral("state"));
        send(*page, changed);
    }
}

void RemoteServer::send(Page& page, const QJsonObject& object)
{
    page.socket->sendTextMessage(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)));
}

void RemoteServer::setCounts()
{
    int controlling = 0;
    for (const auto& page : pages_) {
        controlling += page->controlling ? 1 : 0;
    }
    const int pages = static_cast<int>(pages_.size());
    if (pages == status_.pages && controlling == status_.controlling) {
        return;
    }
    status_.pages = pages;
    status_.controlling = controlling;
    emit statusChanged();
}

}  // namespace velantra::remote
