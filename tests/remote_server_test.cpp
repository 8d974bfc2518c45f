// The web remote's server in this process, with QWebSocket clients on the
// loopback standing in for phones: what a page sees and may do without and
// with the PIN, two pages in step, and every refusal.
#include "desk/desk_controls.h"
#include "desk/player.h"
#include "engine/engine.h"
#include "engine/scene_ops.h"
#include "remote/remote_protocol.h"
#include "remote/remote_server.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QTimer>
#include <QWebSocket>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace velantra::remote {
namespace {

constexpr char Pin[] = "314159";

// A port nobody listens on now.
quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// A page: its socket and everything the server said to it.
class Phone : public QObject {
public:
    Phone(quint16 port, const QString& origin = {})
        : socket(origin.isNull() ? QStringLiteral("http://127.0.0.1:%1").arg(port) : origin)
    {
        connect(&socket, &QWebSocket::textMessageReceived, this,
                [this](const QString& text) { heard.append(QJsonDocument::fromJson(text.toUtf8()).object()); });
        socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(port)));
    }
    bool waitOpen()
    {
        return QTest::qWaitFor([this] { return socket.state() == QAbstractSocket::ConnectedState; });
    }
    bool waitClosed()
    {
        return QTest::qWaitFor([this] { return socket.state() == QAbstractSocket::UnconnectedState; });
    }
    void send(const QByteArray& message) { socket.sendTextMessage(QString::fromUtf8(message)); }
    // The last message of type t, once one came.
    QJsonObject waitFor(const QString& t, int atLeast = 1)
    {
        if (!QTest::qWaitFor([&] { return count(t) >= atLeast; }, 3000)) {
            return {};
        }
        for (auto it = heard.crbegin(); it != heard.crend(); ++it) {
            if (it->value(QLatin1String("t")).toString() == t) {
                return *it;
            }
        }
        return {};
    }
    int count(const QString& t) const
    {
        return static_cast<int>(std::count_if(heard.cbegin(), heard.cend(), [&](const QJsonObject& m) {
            return m.value(QLatin1String("t")).toString() == t;
        }));
    }
    // The state as the page has put it together from the updates.
    QJsonObject state() const
    {
        QJsonObject whole;
        for (const QJsonObject& m : heard) {
            if (m.value(QLatin1String("t")).toString() == QLatin1String("state")) {
                for (auto it = m.begin(); it != m.end(); ++it) {
                    whole.insert(it.key(), it.value());
                }
            }
        }
        return whole;
    }
    bool unlock(const char* pin = Pin)
    {
        const int answers = count(QStringLiteral("pin"));
        send(QByteArray(R"({"do":"pin","pin":")") + pin + "\"}");
        return waitFor(QStringLiteral("pin"), answers + 1).value(QLatin1String("ok")).toBool();
    }

    QWebSocket socket;
    QList<QJsonObject> heard;
};

class RemoteServerTest : public ::testing::Test {
protected:
    RemoteServerTest()
    {
        engine->ClearAll();
        engine->memory.set(CellLastScene, 3);
        keepMessages();
    }
    void keepMessages()
    {
        QObject::connect(&server, &RemoteServer::message, &server,
                         [this](const QString& text) { messages.append(text); });
    }
    void start()
    {
        settings.enabled = QStringLiteral("1");
        settings.port = QString::number(port);
        settings.bind = QStringLiteral("127.0.0.1");
        settings.pin = QString::fromLatin1(Pin);
        server.apply(settings);
        ASSERT_TRUE(server.status().listening) << server.status().error.toStdString();
    }
    bool said(const QString& part) const
    {
        return std::any_of(messages.cbegin(), messages.cend(), [&](const QString& m) { return m.contains(part); });
    }
    int level(int channel) const { return engine->memory.get(sceneAddress(0) + channel); }

    std::unique_ptr<Engine> engine = std::make_unique<Engine>();
    Player player{*engine};
    DeskControls desk{*engine, player};
    RemoteServer server{desk};
    RemoteSettings settings;
    quint16 port = freePort();
    QStringList messages;
};

TEST_F(RemoteServerTest, APageWithoutThePinSeesTheDeskButMovesNothing)
{
    start();
    engine->DataWrite(0, 3, 77);
    Phone phone(port);
    ASSERT_TRUE(phone.waitOpen());
    const QJsonObject state = phone.waitFor(QStringLiteral("state"));
    EXPECT_EQ(state.value(QLatin1String("scenes")).toInt(), 4);
    EXPECT_EQ(state.value(QLatin1String("faders")).toArray().at(2).toInt(), 77);
    EXPECT_FALSE(phone.waitFor(QStringLiteral("hello")).value(QLatin1String("controlling")).toBool());

    phone.send(R"({"do":"fader","row":3,"value":200})");
    phone.send(R"({"do":"blackout"})");
    EXPECT_EQ(phone.waitFor(QStringLiteral("refused"), 2).value(QLatin1String("why")).toString(),
              QStringLiteral("enter the PIN first"));
    EXPECT_EQ(level(3), 77);
    EXPECT_FALSE(desk.blackOut());
    EXPECT_EQ(server.status().pages, 1);
    EXPECT_EQ(server.status().controlling, 0);
}

TEST_F(RemoteServerTest, WrongPinsAreRefusedAndTheFifthLocksTheAddressEvenForTheRightOne)
{
    start();
    Phone phone(port);
    ASSERT_TRUE(phone.waitOpen());
    for (int i = 1; i <= 4; ++i) {
        EXPECT_FALSE(phone.unlock("000000"));
    }
    EXPECT_EQ(phone.waitFor(QStringLiteral("pin")).value(QLatin1String("why")).toString(), QStringLiteral("wrong PIN"));
    EXPECT_FALSE(phone.unlock("000000"));
    EXPECT_EQ(phone.waitFor(QStringLiteral("pin")).value(QLatin1String("wait")).toInt(), 30);
    EXPECT_FALSE(phone.unlock()) << "locked: not even the right PIN is taken";
    EXPECT_TRUE(phone.waitFor(QStringLiteral("pin"))
                    .value(QLatin1String("why"))
                    .toString()
                    .contains(QLatin1String("too many wrong PINs")));
    Phone second(port);
    ASSERT_TRUE(second.waitOpen());
    EXPECT_FALSE(second.unlock()) << "the lock holds for the address, not the page";
    phone.send(R"({"do":"play"})");
    EXPECT_EQ(phone.waitFor(QStringLiteral("refused")).value(QLatin1String("why")).toString(),
              QStringLiteral("enter the PIN first"));
    EXPECT_FALSE(desk.playing());
    EXPECT_TRUE(said(QStringLiteral("неверный PIN с 127.0.0.1")));
    EXPECT_TRUE(said(QStringLiteral("попытки отклоняются 30 с")));
}

TEST_F(RemoteServerTest, TheRightPinControlsAndASecondPageFollowsTheFirstAndTheDesk)
{
    start();
    Phone first(port);
    Phone second(port);
    ASSERT_TRUE(first.waitOpen() && second.waitOpen());
    ASSERT_TRUE(first.unlock());
    EXPECT_EQ(server.status().controlling, 1);
    EXPECT_TRUE(said(QStringLiteral("127.0.0.1 управляет пультом")));

    first.send(R"({"do":"fader","row":3,"value":200})");
    first.send(R"({"do":"picture","n":7,"on":true})");
    ASSERT_TRUE(QTest::qWaitFor([&] { return level(3) == 200 && desk.picture(7); }, 2000));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const QJsonObject s = second.state();
            return s.value(QLatin1String("faders")).toArray().at(2).toInt() == 200 &&
                   s.value(QLatin1String("pictures")).toArray().at(6).toInt() == 1;
        },
        2000))
        << "the second page follows the first";

    desk.setBlackOut(true);  // the window's B.O.
    for (Phone* phone : {&first, &second}) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return phone->state().value(QLatin1String("blackout")).toBool(); }, 2000));
    }
    first.send(R"({"do":"on"})");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !desk.blackOut(); }, 2000));
}

TEST_F(RemoteServerTest, APictureHeldByAPageGoesOffWhenThePageGoes)
{
    start();
    auto phone = std::make_unique<Phone>(port);
    ASSERT_TRUE(phone->waitOpen() && phone->unlock());
    phone->send(R"({"do":"flash","n":3,"down":true})");
    phone->send(R"({"do":"picture","n":4,"on":true})");
    ASSERT_TRUE(QTest::qWaitFor([&] { return desk.picture(3) && desk.picture(4); }, 2000));
    phone.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !desk.picture(3); }, 3000)) << "a flash is let go";
    EXPECT_TRUE(desk.picture(4)) << "a latched picture stays";
}

TEST_F(RemoteServerTest, RefusesAPageFromAnotherOriginBeforeTheHandshake)
{
    start();
    for (const QString& origin : {QStringLiteral("http://evil.example"), QStringLiteral("http://127.0.0.1:1"),
                                  QStringLiteral("https://127.0.0.1:%1").arg(port), QStringLiteral("null")}) {
        SCOPED_TRACE(origin.toStdString());
        Phone phone(port, origin);
        EXPECT_TRUE(phone.waitClosed());
        EXPECT_TRUE(phone.heard.isEmpty());
        EXPECT_EQ(server.status().pages, 0);
    }
    EXPECT_TRUE(said(QStringLiteral("чужого адреса «http://evil.example»")));
}

TEST_F(RemoteServerTest, ClosesAPageThatSendsTooMuchOrTooOftenAndRefusesANinthPage)
{
    start();
    {
        Phone phone(port);
        ASSERT_TRUE(phone.waitOpen() && phone.unlock());
        phone.send(R"({"do":"fader","row":1,"value":9,"x":")" + QByteArray(MaxMessageBytes, 'x') + "\"}");
        ASSERT_TRUE(phone.waitClosed());
        EXPECT_EQ(phone.socket.closeCode(), QWebSocketProtocol::CloseCodeTooMuchData);
        EXPECT_EQ(level(1), 0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return said(QStringLiteral("длиннее 4096 байт")); }, 2000));
    }
    {
        Phone phone(port);
        ASSERT_TRUE(phone.waitOpen() && phone.unlock());
        for (int i = 0; i < RemoteServer::MaxMessagesPerSecond + 5; ++i) {
            phone.send(R"({"do":"tempo","value":20})");
        }
        ASSERT_TRUE(phone.waitClosed());
        EXPECT_EQ(phone.socket.closeCode(), QWebSocketProtocol::CloseCodePolicyViolated);
        EXPECT_EQ(phone.socket.closeReason(), QStringLiteral("more than 60 messages a second"));
        EXPECT_TRUE(said(QStringLiteral("больше 60 сообщений в секунду")));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.status().pages == 0; }, 3000));
    std::vector<std::unique_ptr<Phone>> phones;
    for (int i = 0; i < RemoteServer::MaxPages; ++i) {
        phones.push_back(std::make_unique<Phone>(port));
        ASSERT_TRUE(phones.back()->waitOpen());
    }
    Phone ninth(port);
    ASSERT_TRUE(ninth.waitClosed());
    EXPECT_EQ(ninth.socket.closeCode(), QWebSocketProtocol::CloseCodePolicyViolated);
    EXPECT_EQ(ninth.socket.closeReason(), QStringLiteral("too many pages open (8)"));
    EXPECT_EQ(server.status().pages, 8);
    EXPECT_TRUE(said(QStringLiteral("открыто уже 8 страниц")));
}

TEST_F(RemoteServerTest, AMalformedMessageIsAnsweredAndChangesNothing)
{
    start();
    Phone phone(port);
    ASSERT_TRUE(phone.waitOpen() && phone.unlock());
    phone.send(R"({"do":"fader","row":1,"value":"full"})");
    EXPECT_EQ(phone.waitFor(QStringLiteral("refused")).value(QLatin1String("why")).toString(),
              QStringLiteral("\"value\" must be a whole number 0..255"));
    phone.socket.sendBinaryMessage(QByteArray(R"({"do":"play"})"));
    EXPECT_EQ(phone.waitFor(QStringLiteral("refused"), 2).value(QLatin1String("why")).toString(),
              QStringLiteral("text messages only"));
    EXPECT_EQ(level(1), 0);
    EXPECT_FALSE(desk.playing());
    EXPECT_EQ(phone.socket.state(), QAbstractSocket::ConnectedState);
}

// A sanity bound, not a timing target: the desk changes every 5 ms, a page
// hears of it about ten times a second.
TEST_F(RemoteServerTest, APageHearsAtMostTenUpdatesASecond)
{
    start();
    Phone phone(port);
    ASSERT_TRUE(phone.waitOpen());
    phone.waitFor(QStringLiteral("state"));
    QTimer mover;
    int value = 0;
    QObject::connect(&mover, &QTimer::timeout, &mover, [&] { desk.moveFader(1, ++value % 256); });
    mover.start(5);
    const int before = phone.count(QStringLiteral("state"));
    QTest::qWait(2000);
    mover.stop();
    const int updates = phone.count(QStringLiteral("state")) - before;
    EXPECT_GE(updates, 8);
    EXPECT_LE(updates, 21);
}

TEST_F(RemoteServerTest, ServesThePageAndNothingElse)
{
    start();
    QNetworkAccessManager http;
    const auto get = [&](const QString& path, QByteArray* body = nullptr) {
        QNetworkReply* reply =
            http.get(QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path))));
        if (!QTest::qWaitFor([&] { return reply->isFinished(); }, 3000)) {
            return 0;
        }
        if (body != nullptr) {
            *body = reply->readAll();
        }
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        reply->deleteLater();
        return status;
    };
    QByteArray page;
    EXPECT_EQ(get(QStringLiteral("/"), &page), 200);
    EXPECT_TRUE(page.contains("<title>Velantra remote</title>"));
    EXPECT_FALSE(page.contains("http://") || page.contains("https://")) << "nothing loaded from elsewhere";
    EXPECT_EQ(get(QStringLiteral("/remote.js")), 200);
    EXPECT_EQ(get(QStringLiteral("/remote.css")), 200);
    for (const QString& path : {QStringLiteral("/index.html"), QStringLiteral("/ws"), QStringLiteral("/../etc/passwd"),
                                QStringLiteral("/remote.js/x"), QStringLiteral("/favicon.ico")}) {
        EXPECT_EQ(get(path), 404) << path.toStdString();
    }
}

struct SettingsCase {
    const char* enabled;
    QByteArray port;
    const char* bind;
    const char* pin;
    QByteArray error;  // a part of status().error; empty when it listens or is off
};

TEST(RemoteServerSettings, RefusesBadValuesAndABusyPortAndSaysWhy)
{
    auto engine = std::make_unique<Engine>();
    Player player(*engine);
    DeskControls desk(*engine, player);
    QTcpServer busy;
    ASSERT_TRUE(busy.listen(QHostAddress::LocalHost, 0));
    const QByteArray busyPort = QByteArray::number(busy.serverPort());
    const QByteArray freeOne = QByteArray::number(freePort());
    const SettingsCase cases[] = {
        {"0", freeOne, "", Pin, ""},
        {"1", "0", "", Pin, "неверный порт «0»"},
        {"1", "65536", "", Pin, "неверный порт"},
        {"1", "nine", "", Pin, "неверный порт"},
        {"1", freeOne, "phone.local", Pin, "неверный адрес «phone.local»"},
        {"1", freeOne, "127.0.0.1", "12345", "PIN должен состоять из шести цифр"},
        {"1", freeOne, "127.0.0.1", "", "PIN"},
        {"1", busyPort, "127.0.0.1", Pin, "порт " + busyPort + " занят"},
        {"1", freeOne, "192.0.2.250", Pin, "не удаётся открыть 192.0.2.250"},
        {"1", freeOne, "127.0.0.1", Pin, ""},
    };
    for (const SettingsCase& c : cases) {
        SCOPED_TRACE(std::string(c.enabled) + " " + c.port.toStdString() + " " + c.bind + " " + c.pin);
        RemoteServer server(desk);
        QSignalSpy said(&server, &RemoteServer::message);
        server.apply({QString::fromLatin1(c.enabled), QString::fromLatin1(c.port), QString::fromLatin1(c.bind),
                      QString::fromLatin1(c.pin)});
        const RemoteStatus status = server.status();
        const QString error = QString::fromUtf8(c.error);
        EXPECT_EQ(status.listening, error.isEmpty() && c.enabled[0] == '1');
        if (error.isEmpty()) {
            EXPECT_TRUE(status.error.isEmpty()) << status.error.toStdString();
            continue;
        }
        EXPECT_TRUE(status.error.contains(error)) << status.error.toStdString();
        ASSERT_EQ(said.count(), 1);
        EXPECT_EQ(said.at(0).at(0).toString(), status.error);
    }
}

TEST(RemoteServerSettings, SaysTheAddressOfTheBoundInterfaceAndStopsWhenSwitchedOff)
{
    auto engine = std::make_unique<Engine>();
    Player player(*engine);
    DeskControls desk(*engine, player);
    RemoteServer server(desk);
    const QString port = QString::number(freePort());
    server.apply({QStringLiteral("1"), port, QStringLiteral("127.0.0.1"), QString::fromLatin1(Pin)});
    EXPECT_EQ(server.status().addresses, QStringList{QStringLiteral("http://127.0.0.1:%1/").arg(port)});
    Phone phone(server.status().port);
    ASSERT_TRUE(phone.waitOpen());
    server.apply({QStringLiteral("0"), port, QStringLiteral("127.0.0.1"), QString::fromLatin1(Pin)});
    EXPECT_FALSE(server.status().listening);
    EXPECT_TRUE(phone.waitClosed()) << "its pages are closed";
    QTcpServer again;
    EXPECT_TRUE(again.listen(QHostAddress::LocalHost, server.status().port == 0 ? port.toUShort() : 0))
        << "the port is free again";
}

}  // namespace
}  // namespace velantra::remote

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
