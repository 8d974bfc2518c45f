// The OSC server driven by the real counterpart: liblo's command-line tools
// oscsend and oscdump (Debian's liblo-tools) as processes, against the server
// in this process. Skipped, and said so, only when the tools are missing.
#include "osc/osc_server.h"
#include "osc_client.h"
#include "osc_desk_fixture.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace velantra::osc {
namespace {

TEST(OscTools, OscsendDrivesPlayAFaderAndAPictureAndOscdumpHearsTheFeedback)
{
    const QString oscsend = QStandardPaths::findExecutable(QStringLiteral("oscsend"));
    const QString oscdump = QStandardPaths::findExecutable(QStringLiteral("oscdump"));
    if (oscsend.isEmpty() || oscdump.isEmpty()) {
        GTEST_SKIP() << "oscsend and oscdump not found (Debian package liblo-tools): the real OSC tools are not tried";
    }
    OscDesk d;
    OscServer server(d.desk);
    const int port = freePort();
    server.apply({QStringLiteral("1"), QString::number(port)});
    ASSERT_TRUE(server.status().listening);

    const int dumpPort = freePort();
    QProcess dump;
    dump.start(oscdump, {QStringLiteral("-L"), QString::number(dumpPort)});
    ASSERT_TRUE(dump.waitForStarted());
    QString heard;
    const auto hears = [&](const QString& line) {
        return QTest::qWaitFor(
            [&] {
                heard += QString::fromUtf8(dump.readAllStandardOutput());
                return heard.contains(line);
            },
            5000);
    };
    const auto send = [&](const QStringList& message) {
        QProcess p;
        p.start(oscsend, QStringList{QStringLiteral("127.0.0.1"), QString::number(port)} + message);
        // The event loop runs meanwhile, so the server reads what arrives.
        EXPECT_TRUE(QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, 5000))
            << message.join(' ').toStdString();
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    };

    // oscsend sends from a port of its own: the feedback goes to oscdump's.
    // Until oscdump listens, the full round may be lost: ask again until heard.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            send({QStringLiteral("/velantra/feedback"), QStringLiteral("i"), QString::number(dumpPort)});
            return hears(QStringLiteral("/velantra/stop i 1"));
        },
        10000))
        << heard.toStdString();
    send({QStringLiteral("/velantra/fader/5"), QStringLiteral("f"), QStringLiteral("0.5")});
    send({QStringLiteral("/velantra/picture/2"), QStringLiteral("i"), QStringLiteral("1")});
    send({QStringLiteral("/velantra/play")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return d.desk.playing(); }, 3000));
    EXPECT_TRUE(d.desk.picture(2));
    EXPECT_EQ(d.desk.faderPosition(5), 128);
    EXPECT_TRUE(hears(QStringLiteral("/velantra/play i 1")));
    EXPECT_TRUE(hears(QStringLiteral("/velantra/fader/5 f 0.501961"))) << heard.toStdString();
    EXPECT_TRUE(hears(QStringLiteral("/velantra/picture/2 i 1")));
    dump.kill();
    dump.waitForFinished();
}

}  // namespace
}  // namespace velantra::osc
