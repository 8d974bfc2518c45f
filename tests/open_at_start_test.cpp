// "velantra FILE": the show named on the command line is opened at start
// instead of the last one, by the Open command's own steps.
#include "player/player.h"
#include "storage/show_file.h"
#include "tests/gui_fixture.h"

#include <QFile>

namespace velantra {
namespace {

class OpenAtStartTest : public GuiTest {
protected:
    void start(const QString& show)
    {
        form = std::make_unique<TBaseForm>(std::make_unique<FakeD2xx>(), nullptr, TBaseForm::OutputClock::ByHand, show);
    }
};

TEST_F(OpenAtStartTest, TheNamedShowIsOpenedWithItsTempo)
{
    auto show = std::make_unique<Engine>();
    show->ClearAll();
    show->memory.set(CellLastScene, 4);
    show->memory.set(CellTempo, 30);
    const QString file = path(QStringLiteral("Named.vlt"));
    ASSERT_TRUE(writeShowFile(file, show->memory).ok);

    start(file);
    EXPECT_EQ(form->engine().memory.get(CellLastScene), 4);
    EXPECT_EQ(form->player().stepInterval(), 30 * 30);
    EXPECT_EQ(form->windowTitle(), form->captionPrefix() + file);
    EXPECT_EQ(unexpected, 0);
}

TEST_F(OpenAtStartTest, ADamagedShowGetsTheOpenCommandsMessageAndChangesNothing)
{
    const QString file = path(QStringLiteral("Short.vlt"));
    QFile short_(file);
    ASSERT_TRUE(short_.open(QIODevice::WriteOnly));
    short_.write(QByteArray(100, 'x'));
    short_.close();

    answerBox(QMessageBox::Ok);
    start(file);
    EXPECT_EQ(boxTexts, QStringList{QStringLiteral("Read beyond end of file")});
    auto fresh = std::make_unique<Engine>();
    fresh->ClearAll();
    EXPECT_EQ(form->engine().memory.get(CellLastScene), fresh->memory.get(CellLastScene)) << "the new show stays";
    EXPECT_FALSE(form->windowTitle().endsWith(file));
}

}  // namespace
}  // namespace velantra
