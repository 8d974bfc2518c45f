// The OSC server on the loopback, in this process: a liblo client drives
// the desk and hears the feedback it asked for; ports that cannot be opened,
// refusals and the feedback clients' limits.
#include "osc/osc_server.h"
#include "osc_client.h"
#include "osc_desk_fixture.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace velantra::osc {
namespace {

OscSettings on(const QString& port)
{
    return {QStringLiteral("1"), port};
}

struct Listening : ::testing::Test {
    OscDesk d;
    OscServer server{d.desk};
    int port = freePort();

    void SetUp() override
    {
        server.apply(on(QString::number(port)));
        ASSERT_TRUE(server.status().listening) << server.status().error.toStdString();
    }
};

TEST_F(Listening, ASubscribedClientDrivesPlayAFaderAndAPictureAndHearsThemBack)
{
    OscClient client(port);
    client.send("/velantra/feedback", 1);
    ASSERT_TRUE(client.waitFor("/velantra/conveyor/20", 0)) << "the full round on subscribing";
    EXPECT_EQ(client.received, 6 + 27 + 16 + 2 + 2 + 20);
    EXPECT_EQ(server.status().feedbackClients, 1);

    // Stopped, a fader sets the scene's level (playing, the scene's own levels show).
    client.send("/velantra/fader/5", 1.0F);
    client.send("/velantra/picture/3", 1);
    client.send("/velantra/play");
    ASSERT_TRUE(QTest::qWaitFor([&] { return d.desk.playing(); }, 3000));
    EXPECT_TRUE(d.desk.picture(3));
    EXPECT_TRUE(d.desk.playing());
    EXPECT_EQ(d.desk.faderPosition(5), 255);
    EXPECT_TRUE(client.waitFor("/velantra/play", 1));
    EXPECT_TRUE(client.waitFor("/velantra/fader/5", 1.0));
    EXPECT_TRUE(client.waitFor("/velantra/picture/3", 1));

    // A change made elsewhere (the window) reaches the client too; then it leaves.
    d.desk.setPicture(3, false);
    EXPECT_TRUE(client.waitFor("/velantra/picture/3", 0));
    client.send("/velantra/feedback", 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.status().feedbackClients == 0; }, 3000));
    EXPECT_EQ(server.status().accepted, 5);
}

TEST_F(Listening, RefusalsAreCountedChangeNothingAndAreLoggedOnce)
{
    QSignalSpy lines(&server, &OscServer::message);
    OscClient client(port);
    for (int i = 0; i < 20; ++i) {
        client.send("/velantra/fader/99", 255);
        client.send("/velantra/picture/1", "on");
    }
    // Bytes that are no OSC message.
    const int raw = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<std::uint16_t>(port));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const char junk[] = "/velantra/play\0\0,i";
    sendto(raw, junk, sizeof junk, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    close(raw);

    EXPECT_TRUE(QTest::qWaitFor([&] { return server.status().refused == 41; }, 3000)) << server.status().refused;
    EXPECT_EQ(lines.count(), 1);
    EXPECT_FALSE(d.desk.picture(1));
    EXPECT_EQ(server.status().accepted, 0);
}

TEST_F(Listening, FeedbackClientsAreLimitedAndDroppedWhenSilent)
{
    OscClient client(port);
    for (int i = 0; i < MaxFeedbackClients + 2; ++i) {
        client.send("/velantra/subscribe", 40000 + i);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.status().accepted == MaxFeedbackClients + 2; }, 3000));
    EXPECT_EQ(server.status().feedbackClients, MaxFeedbackClients);
    client.send("/velantra/unsubscribe", 40000);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.status().feedbackClients == MaxFeedbackClients - 1; }, 3000));
    server.setFeedbackSilence(std::chrono::milliseconds(0));
    QTest::qWait(5);
    server.pollDesk();
    EXPECT_EQ(server.status().feedbackClients, 0);
}

TEST(OscSettingsApplied, APortThatCannotBeOpenedIsSaidNotCrashed)
{
    OscDesk d;
    OscServer server(d.desk);
    QSignalSpy lines(&server, &OscServer::message);
    server.apply(OscSettings{});  // off by default
    EXPECT_FALSE(server.status().listening);
    EXPECT_TRUE(server.status().error.isEmpty());

    for (const char* bad : {"abc", "0", "70000", ""}) {
        server.apply(on(QString::fromLatin1(bad)));
        EXPECT_FALSE(server.status().listening) << bad;
        EXPECT_TRUE(server.status().error.contains(QStringLiteral("порт"))) << bad;
    }
    OscClient holder(0);  // its port is taken
    server.apply(on(QString::number(holder.port())));
    EXPECT_FALSE(server.status().listening);
    EXPECT_EQ(server.status().error, QStringLiteral("OSC: порт %1 занят").arg(holder.port()));
    EXPECT_EQ(lines.last()[0].toString(), server.status().error);

    const int port = freePort();
    server.apply(on(QString::number(port)));
    EXPECT_TRUE(server.status().listening);
    EXPECT_EQ(server.status().port, port);
    server.apply(OscSettings{});
    EXPECT_FALSE(server.status().listening);
}

}  // namespace
}  // namespace velantra::osc
