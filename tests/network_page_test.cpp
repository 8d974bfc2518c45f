// The page "Сеть" and the network settings as the operator meets them: the
// outputs start switched off, bad values are refused with a message and leave
// the output off, good ones switch it on, and the sections survive a restart.
#include "network/network_outputs.h"
#include "network/network_page.h"
#include "storage/settings_file.h"
#include "tests/gui_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QUuid>

#include <cctype>
#include <string>

namespace velantra {
namespace {

class NetworkPageTest : public GuiTest {
protected:
    NetworkPageTest()
    {
        makeForm(TBaseForm::OutputClock::ByHand);
        page = form->networkPage();
    }
    template <typename T> T* get(const char* name)
    {
        T* w = page->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    NetworkOutputs& outputs() { return form->networkOutputs(); }
    // Types into a field and leaves it, as the operator does.
    void type(const char* name, const QString& text)
    {
        QLineEdit* edit = get<QLineEdit>(name);
        edit->setText(text);
        emit edit->editingFinished();
    }

    NetworkPage* page = nullptr;
};

TEST_F(NetworkPageTest, StartsOffWithTheDefaultsAndAPersistentSourceIdentifier)
{
    EXPECT_EQ(form->pageControlInput()->tabText(TBaseForm::PageNetwork), QStringLiteral("Сеть"));
    EXPECT_FALSE(get<QCheckBox>("CheckBoxSacnOn")->isChecked());
    EXPECT_FALSE(get<QCheckBox>("CheckBoxArtNetOn")->isChecked());
    EXPECT_EQ(get<QLineEdit>("EditSacnUniverse")->text(), QStringLiteral("1"));
    EXPECT_EQ(get<QLineEdit>("EditSacnPriority")->text(), QStringLiteral("100"));
    EXPECT_EQ(get<QLineEdit>("EditSacnName")->text(), QStringLiteral("Velantra"));
    EXPECT_EQ(get<QLineEdit>("EditArtNetPortAddress")->text(), QStringLiteral("0:0:0"));
    EXPECT_EQ(get<QComboBox>("ComboBoxSacnInterface")->currentData().toString(), QString());
    EXPECT_NE(get<QComboBox>("ComboBoxSacnInterface")->findData(QStringLiteral("lo")), -1) << "interfaces are listed";
    const QString cid = outputs().sacnSettings().cid;
    EXPECT_FALSE(QUuid(cid).isNull()) << "made at the first start: " << cid.toStdString();

    closeForm();
    const Settings kept = readSettings(dataPath(QStringLiteral("Vela43.ini")));
    EXPECT_EQ(kept.sacn.cid, cid) << "kept in the settings";
    makeForm(TBaseForm::OutputClock::ByHand);
    EXPECT_EQ(form->networkOutputs().sacnSettings().cid, cid) << "and used again";
}

// A bad value: a message in the status line, the output off, nothing else lost.
struct BadValue {
    const char* field;
    const char* text;
    const char* message;
};

class NetworkBadValue : public NetworkPageTest, public ::testing::WithParamInterface<BadValue> {};

TEST_P(NetworkBadValue, IsRefusedWithAMessageAndTheOutputStaysOff)
{
    const BadValue& bad = GetParam();
    const bool sacn = QByteArray(bad.field).contains("Sacn");
    type("EditSacnDestination", QStringLiteral("127.0.0.1"));
    type("EditArtNetDestination", QStringLiteral("127.0.0.1"));
    get<QCheckBox>(sacn ? "CheckBoxSacnOn" : "CheckBoxArtNetOn")->setChecked(true);
    form->TimerStatusTimer();
    type(bad.field, QString::fromUtf8(bad.text));
    EXPECT_TRUE(form->statusPanel()->text().contains(QString::fromUtf8(bad.message)))
        << form->statusPanel()->text().toStdString();
    NetworkSender& output = sacn ? static_cast<NetworkSender&>(outputs().sacnOutput()) : outputs().artNetOutput();
    QTest::qWait(100);  // the sender takes the refusal
    const std::uint64_t before = output.counters().packets;
    stepOutput(6);
    QTest::qWait(100);  // the sender thread would have sent them by now
    EXPECT_EQ(output.counters().packets, before) << "nothing is sent";
    EXPECT_FALSE(output.counters().sending);
    outputs().refresh();
    page->showState();
    EXPECT_FALSE(get<QLabel>(sacn ? "LabelSacnError" : "LabelArtNetError")->text().isEmpty());
    // The value stays what the operator typed, to be corrected.
    EXPECT_EQ(get<QLineEdit>(bad.field)->text(), QString::fromUtf8(bad.text));
}

INSTANTIATE_TEST_SUITE_P(Network, NetworkBadValue,
                         ::testing::Values(BadValue{"EditSacnUniverse", "0", "вне 1..63999"},
                                           BadValue{"EditSacnUniverse", "64000", "вне 1..63999"},
                                           BadValue{"EditSacnPriority", "201", "вне 0..200"},
                                           BadValue{"EditArtNetPortAddress", "128:0:0", "Port-Address"},
                                           BadValue{"EditArtNetPortAddress", "32768", "Port-Address"}),
                         [](const ::testing::TestParamInfo<BadValue>& param) {
                             std::string name = std::string(param.param.field).substr(4) + "_";
                             for (const char c : std::string(param.param.text)) {
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

TEST_F(NetworkPageTest, AnInterfaceThatDoesNotExistIsRefused)
{
    SacnSettings s = outputs().sacnSettings();
    s.enabled = QStringLiteral("1");
    s.interfaceName = QStringLiteral("nosuch9");
    outputs().applySacn(s);
    EXPECT_TRUE(form->statusPanel()->text().contains(QStringLiteral("интерфейс nosuch9 не найден")));
    page->showSettings();
    EXPECT_EQ(get<QComboBox>("ComboBoxSacnInterface")->currentText(), QStringLiteral("nosuch9 (нет)"))
        << "the remembered interface stays in sight";
}

TEST_F(NetworkPageTest, SwitchedOnBothSendEveryFrameAndShowTheirRate)
{
    type("EditSacnDestination", QStringLiteral("127.0.0.1"));
    type("EditArtNetDestination", QStringLiteral("localhost"));  // a name, looked up in the background
    type("EditArtNetPortAddress", QStringLiteral("1:2:3"));
    EXPECT_EQ(get<QLabel>("LabelArtNetPortNumber")->text(), QStringLiteral("= 291"));
    get<QCheckBox>("CheckBoxSacnOn")->setChecked(true);
    get<QCheckBox>("CheckBoxArtNetOn")->setChecked(true);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            stepOutput();
            return outputs().sacnOutput().counters().packets > 10 && outputs().artNetOutput().counters().packets > 10;
        },
        5000));
    QTest::qWait(1100);
    outputs().refresh();
    page->showState();
    EXPECT_TRUE(get<QLabel>("LabelSacnRate")->text().startsWith(QStringLiteral("Пакетов в секунду:")))
        << get<QLabel>("LabelSacnRate")->text().toStdString();
    EXPECT_EQ(outputs().artNetSettings().portAddress, QStringLiteral("1:2:3"));

    closeForm();
    const Settings kept = readSettings(dataPath(QStringLiteral("Vela43.ini")));
    EXPECT_EQ(kept.sacn.enabled, QStringLiteral("1"));
    EXPECT_EQ(kept.sacn.destination, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(kept.artnet.enabled, QStringLiteral("1"));
    EXPECT_EQ(kept.artnet.portAddress, QStringLiteral("1:2:3"));
    EXPECT_EQ(kept.artnet.destination, QStringLiteral("localhost"));
}

// The further universes, patched range by range on the page: said on the
// page, kept in their own file at once, back after a restart; a damaged file
// is refused whole at start and said.
TEST_F(NetworkPageTest, FurtherUniversesArePatchedOnThePageKeptInTheirFileAndSaid)
{
    const auto patch = [&](int universe, int slot, int first, int last) {
        QComboBox* u = get<QComboBox>("ComboBoxUniverse");
        u->setCurrentIndex(u->findText(QString::number(universe)));
        get<QSpinBox>("SpinBoxUniverseSlot")->setValue(slot);
        get<QSpinBox>("SpinBoxUniverseFirst")->setValue(first);
        get<QSpinBox>("SpinBoxUniverseLast")->setValue(last);
        QTest::mouseClick(get<QPushButton>("ButtonUniversePatch"), Qt::LeftButton);
    };
    const auto lines = [&] { return get<QLabel>("LabelUniverses")->text().split(QLatin1Char('\n')); };
    patch(3, 10, 1, 5);
    patch(3, 15, 9, 9);
    ASSERT_EQ(lines().size(), 4);
    EXPECT_EQ(lines()[1], QStringLiteral("2: пусто (нули); sACN выкл, Art-Net выкл"));
    EXPECT_EQ(lines()[2], QStringLiteral("3: слоты 10-14 ← каналы 1-5, слот 15 ← канал 9; sACN выкл, Art-Net выкл"));
    EXPECT_EQ(lines()[3], QStringLiteral("4: не передается"));

    type("EditSacnDestination", QStringLiteral("127.0.0.1"));
    type("EditSacnUniverse", QStringLiteral("7"));
    get<QCheckBox>("CheckBoxSacnOn")->setChecked(true);
    EXPECT_TRUE(lines()[2].endsWith(QStringLiteral("sACN 9, Art-Net выкл"))) << lines()[2].toStdString();

    patch(2, 500, 1, 20);
    EXPECT_EQ(get<QLabel>("LabelUniverseNote")->text(),
              QStringLiteral("Каналы 14-20 не поместились: во вселенной 512 слотов"));
    EXPECT_TRUE(lines()[1].startsWith(QStringLiteral("2: слоты 500-512 ← каналы 1-13;")));
    QTest::mouseClick(get<QPushButton>("ButtonUniverseClear"), Qt::LeftButton);  // universe 2, still chosen
    EXPECT_TRUE(lines()[1].startsWith(QStringLiteral("2: пусто (нули)")));

    closeForm();
    makeForm(TBaseForm::OutputClock::ByHand);
    page = form->networkPage();
    EXPECT_EQ(form->engine().furtherPatch.used(), 2) << "kept in their file";
    EXPECT_EQ(form->engine().furtherPatch.source(1, 15), 9);

    closeForm();
    QFile damaged(dataPath(QStringLiteral("Vela43.universes")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    const QByteArray cut("{\"format\": \"velantra-universes\", \"version\": 1, \"univ");
    damaged.write(cut);
    damaged.close();
    makeForm(TBaseForm::OutputClock::ByHand);
    EXPECT_EQ(form->engine().furtherPatch.used(), 0) << "refused whole";
    EXPECT_TRUE(form->statusPanel()->text().contains(QStringLiteral("Файл вселенных отвергнут")))
        << form->statusPanel()->text().toStdString();
    EXPECT_EQ(QFileInfo(dataPath(QStringLiteral("Vela43.universes"))).size(), cut.size()) << "and left as it was";
}

// No interface chosen: the page says which one the output uses.
TEST_F(NetworkPageTest, WithNoInterfaceChosenThePageSaysWhichIsUsed)
{
    const std::optional<InterfaceChoice> chosen = NetworkOutputs::defaultInterface(ipv4(239, 255, 0, 1));
    if (!chosen) {
        GTEST_SKIP() << "this machine has no interface with an IPv4 address";
    }
    get<QCheckBox>("CheckBoxSacnOn")->setChecked(true);
    EXPECT_EQ(outputs().sacnState().via, chosen->text());
    EXPECT_EQ(get<QLabel>("LabelSacnVia")->text(), QStringLiteral("Выбран интерфейс %1").arg(chosen->text()));
}

}  // namespace
}  // namespace velantra
