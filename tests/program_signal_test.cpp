// The program ended from outside: a logout (SIGHUP), a shutdown (SIGTERM) or
// Ctrl+C in its terminal (SIGINT). It must stop the output, keep the show in
// the autosave copy, write the colour and settings files and exit with 0.
#include "tests/program_process.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

namespace velantra {
namespace {

class ProgramSignal : public ::testing::TestWithParam<int> {
protected:
    QString data(const QString& name) const { return home.filePath(QStringLiteral("data/korvex/velantra/")) + name; }
    QTemporaryDir home;
};

TEST_P(ProgramSignal, SavesTheShowColoursAndSettingsAndExitsWithZero)
{
    // A show with a pattern of its own, remembered as the last one.
    QByteArray show(81920, '\0');
    for (int i = 16384; i < show.size(); ++i) {  // the scenes
        show[i] = static_cast<char>(i * 7 % 251);
    }
    show[131] = 3;   // current scene
    show[132] = 9;   // last scene
    show[133] = 44;  // tempo
    const QString showPath = home.filePath(QStringLiteral("Gala.vlt"));
    {
        QFile file(showPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(show), show.size());
    }
    ASSERT_TRUE(QDir().mkpath(data({})));
    {
        QFile ini(data(QStringLiteral("Vela43.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[LastFile]\nPath=" + QFile::encodeName(showPath) + "\n");
    }

    QProcess program;
    ASSERT_TRUE(startProgram(program, home, QStringLiteral("offscreen")));
    // The colour file is written at the end of start-up, then the patch file.
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(data(QStringLiteral("Vela43.vdx"))); }, 20000));
    QTest::qWait(300);
    EXPECT_FALSE(QFile::exists(data(QStringLiteral("Vela43.vlt")))) << "no autosave before the signal";
    QFile::remove(data(QStringLiteral("Vela43.col")));
    QFile::remove(data(QStringLiteral("Vela43.ini")));

    ::kill(static_cast<pid_t>(program.processId()), GetParam());
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << "ended by the signal, not by saving";
    EXPECT_EQ(program.exitCode(), 0);

    QFile autosave(data(QStringLiteral("Vela43.vlt")));
    ASSERT_TRUE(autosave.open(QIODevice::ReadOnly));
    EXPECT_TRUE(autosave.readAll() == show) << "the autosave copy is the running show";
    EXPECT_EQ(QFileInfo(data(QStringLiteral("Vela43.col"))).size(), 16384);
    QFile ini(data(QStringLiteral("Vela43.ini")));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().contains("Path=" + QFile::encodeName(showPath))) << "the settings remember the show";
}

INSTANTIATE_TEST_SUITE_P(Signals, ProgramSignal, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const ::testing::TestParamInfo<int>& param) {
                             return param.param == SIGTERM ? "Term" : param.param == SIGINT ? "Int" : "Hup";
                         });

}  // namespace
}  // namespace velantra
