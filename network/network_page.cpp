#include "network/network_page.h"

#include "engine/further_patch.h"
#include "network/network_outputs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHostAddress>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QStringList>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace velantra {

namespace {

QLineEdit* field(QWidget* parent, const char* name, const QString& hint)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setToolTip(hint);
    return edit;
}

QLabel* stateLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    return label;
}

QString onOff(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

}  // namespace

NetworkPage::NetworkPage(NetworkOutputs& outputs, FurtherPatch& further, std::function<FileResult()> saveUniverses,
                         QWidget* parent)
    : QWidget(parent)
    , outputs_(outputs)
    , further_(further)
    , saveUniverses_(std::move(saveUniverses))
    , timer_(new QTimer(this))
{
    setObjectName(QStringLiteral("TabSheetNetwork"));

    auto* sacn = new QGroupBox(tr("sACN (E1.31)"), this);
    sacn->setObjectName(QStringLiteral("GroupBoxSacn"));
    sacnOn_ = new QCheckBox(tr("Вкл"), sacn);
    sacnOn_->setObjectName(QStringLiteral("CheckBoxSacnOn"));
    sacnOn_->setToolTip(tr("Посылать кадр DMX по сети в стандарте sACN (E1.31)"));
    sacnUniverse_ = field(sacn, "EditSacnUniverse", tr("Вселенная sACN: 1..63999"));
    sacnUniverse_->setValidator(new QIntValidator(1, 63999, sacnUniverse_));
    sacnPriority_ = field(sacn, "EditSacnPriority", tr("Приоритет источника: 0..200, обычно 100"));
    sacnPriority_->setValidator(new QIntValidator(0, 200, sacnPriority_));
    sacnDestination_ = field(sacn, "EditSacnDestination", tr("Адрес IPv4 или имя приемника; пусто - multicast"));
    sacnDestination_->setPlaceholderText(tr("multicast"));
    sacnInterface_ = new QComboBox(sacn);
    sacnInterface_->setObjectName(QStringLiteral("ComboBoxSacnInterface"));
    sacnInterface_->setToolTip(tr("Сетевой интерфейс, через который идет multicast"));
    sacnName_ = field(sacn, "EditSacnName", tr("Имя источника, видимое на приемниках (до 63 байт)"));
    sacnVia_ = stateLabel(sacn, "LabelSacnVia");
    sacnRate_ = stateLabel(sacn, "LabelSacnRate");
    sacnError_ = stateLabel(sacn, "LabelSacnError");
    auto* sacnForm = new QFormLayout(sacn);
    sacnForm->addRow(sacnOn_);
    sacnForm->addRow(tr("Вселенная"), sacnUniverse_);
    sacnForm->addRow(tr("Приоритет"), sacnPriority_);
    sacnForm->addRow(tr("Адрес"), sacnDestination_);
    sacnForm->addRow(tr("Интерфейс"), sacnInterface_);
    sacnForm->addRow(sacnVia_);
    sacnForm->addRow(tr("Имя источника"), sacnName_);
    sacnForm->addRow(sacnRate_);
    sacnForm->addRow(sacnError_);

    auto* artnet = new QGroupBox(tr("Art-Net 4"), this);
    artnet->setObjectName(QStringLiteral("GroupBoxArtNet"));
    artnetOn_ = new QCheckBox(tr("Вкл"), artnet);
    artnetOn_->setObjectName(QStringLiteral("CheckBoxArtNetOn"));
    artnetOn_->setToolTip(tr("Посылать кадр DMX по сети в стандарте Art-Net 4"));
    artnetPortAddress_ =
        field(artnet, "EditArtNetPortAddress", tr("Port-Address: Net:Sub-Net:Universe (0:0:0) или число 0..32767"));
    artnetNumber_ = stateLabel(artnet, "LabelArtNetPortNumber");
    auto* portRow = new QHBoxLayout;
    portRow->addWidget(artnetPortAddress_, 1);
    portRow->addWidget(artnetNumber_);
    artnetDestination_ =
        field(artnet, "EditArtNetDestination", tr("Адрес IPv4 или имя узла; пусто - найденные узлы, иначе broadcast"));
    artnetDestination_->setPlaceholderText(tr("найденные узлы"));
    artnetInterface_ = new QComboBox(artnet);
    artnetInterface_->setObjectName(QStringLiteral("ComboBoxArtNetInterface"));
    artnetInterface_->setToolTip(tr("Сетевой интерфейс для опроса узлов и broadcast"));
    artnetBroadcast_ = new QCheckBox(tr("Всегда broadcast"), artnet);
    artnetBroadcast_->setObjectName(QStringLiteral("CheckBoxArtNetBroadcast"));
    artnetBroadcast_->setToolTip(tr("Для узлов, которые не отвечают на опрос"));
    artnetVia_ = stateLabel(artnet, "LabelArtNetVia");
    artnetRate_ = stateLabel(artnet, "LabelArtNetRate");
    artnetError_ = stateLabel(artnet, "LabelArtNetError");
    nodes_ = new QTableWidget(0, 3, artnet);
    nodes_->setObjectName(QStringLiteral("TableArtNetNodes"));
    nodes_->setHorizontalHeaderLabels({tr("IP"), tr("Имя"), tr("Port-Address")});
    nodes_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    nodes_->horizontalHeader()->setStretchLastSection(true);
    nodes_->verticalHeader()->hide();
    nodes_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    nodes_->setToolTip(tr("Узлы, ответившие на последний опрос (опрос каждые 2,75 с, ответ ждется 3 с)"));
    auto* artnetForm = new QFormLayout(artnet);
    artnetForm->addRow(artnetOn_);
    artnetForm->addRow(tr("Port-Address"), portRow);
    artnetForm->addRow(tr("Адрес"), artnetDestination_);
    artnetForm->addRow(tr("Интерфейс"), artnetInterface_);
    artnetForm->addRow(artnetVia_);
    artnetForm->addRow(artnetBroadcast_);
    artnetForm->addRow(artnetRate_);
    artnetForm->addRow(artnetError_);
    artnetForm->addRow(nodes_);

    for (QLabel* error : {sacnError_, artnetError_}) {
        QPalette red = error->palette();
        red.setColor(QPalette::WindowText, QColor(200, 0, 0));
        error->setPalette(red);
    }

    auto* left = new QVBoxLayout;
    left->addWidget(sacn);
    left->addWidget(makeUniverses(), 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(artnet, 1);

    connect(sacnOn_, &QCheckBox::toggled, this, &NetworkPage::sacnEdited);
    connect(sacnInterface_, &QComboBox::currentIndexChanged, this, &NetworkPage::sacnEdited);
    for (QLineEdit* edit : {sacnUniverse_, sacnPriority_, sacnDestination_, sacnName_}) {
        connect(edit, &QLineEdit::editingFinished, this, &NetworkPage::sacnEdited);
    }
    connect(artnetOn_, &QCheckBox::toggled, this, &NetworkPage::artNetEdited);
    connect(artnetBroadcast_, &QCheckBox::toggled, this, &NetworkPage::artNetEdited);
    connect(artnetInterface_, &QComboBox::currentIndexChanged, this, &NetworkPage::artNetEdited);
    for (QLineEdit* edit : {artnetPortAddress_, artnetDestination_}) {
        connect(edit, &QLineEdit::editingFinished, this, &NetworkPage::artNetEdited);
    }

    timer_->setObjectName(QStringLiteral("TimerNetworkState"));
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, [this] {
        outputs_.refresh();
        showState();
    });
    timer_->start();
    showSettings();
    showState();
}

QWidget* NetworkPage::makeUniverses()
{
    auto* box = new QGroupBox(tr("Вселенные"), this);
    box->setObjectName(QStringLiteral("GroupBoxUniverses"));
    universes_ = stateLabel(box, "LabelUniverses");
    universes_->setToolTip(tr("Вселенная 1 идет по коммутации кодера на USB и в сеть; вселенные 2-4 - только в сеть, "
                              "на следующие вселенные sACN и Port-Address Art-Net"));
    universe_ = new QComboBox(box);
    universe_->setObjectName(QStringLiteral("ComboBoxUniverse"));
    for (int u = 2; u <= 1 + FurtherUniverseCount; ++u) {
        universe_->addItem(QString::number(u), u - 2);
    }
    const auto spin = [box](const char* name, int high, const QString& tip) {
        auto* s = new QSpinBox(box);
        s->setObjectName(QString::fromLatin1(name));
        s->setRange(1, high);
        s->setToolTip(tip);
        return s;
    };
    firstSlot_ = spin("SpinBoxUniverseSlot", UniverseSlotCount, tr("Первый слот вселенной"));
    firstChannel_ = spin("SpinBoxUniverseFirst", 255, tr("Первый канал пульта"));
    lastChannel_ = spin("SpinBoxUniverseLast", 255, tr("Последний канал пульта"));
    auto* patch = new QPushButton(tr("Скоммутировать"), box);
    patch->setObjectName(QStringLiteral("ButtonUniversePatch"));
    patch->setToolTip(tr("Каналы с первого по последний - в слоты вселенной подряд, начиная с первого слота"));
    auto* clear = new QPushButton(tr("Очистить"), box);
    clear->setObjectName(QStringLiteral("ButtonUniverseClear"));
    clear->setToolTip(tr("Убрать из вселенной все каналы"));
    universeNote_ = stateLabel(box, "LabelUniverseNote");

    auto* where = new QHBoxLayout;
    where->addWidget(new QLabel(tr("Вселенная"), box));
    where->addWidget(universe_);
    where->addWidget(new QLabel(tr("со слота"), box));
    where->addWidget(firstSlot_);
    where->addStretch(1);
    auto* what = new QHBoxLayout;
    what->addWidget(new QLabel(tr("каналы"), box));
    what->addWidget(firstChannel_);
    what->addWidget(new QLabel(QStringLiteral("-"), box));
    what->addWidget(lastChannel_);
    what->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(patch);
    buttons->addWidget(clear);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(universes_);
    layout->addLayout(where);
    layout->addLayout(what);
    layout->addLayout(buttons);
    layout->addWidget(universeNote_);
    layout->addStretch(1);
    connect(patch, &QPushButton::clicked, this, &NetworkPage::patchUniverseRange);
    connect(clear, &QPushButton::clicked, this, &NetworkPage::clearUniverse);
    return box;
}

void NetworkPage::patchUniverseRange()
{
    const int u = universe_->currentData().toInt();
    const int first = firstChannel_->value();
    const int last = std::max(first, lastChannel_->value());
    int slot = firstSlot_->value();
    int channel = first;
    for (; channel <= last && slot <= UniverseSlotCount; ++channel, ++slot) {
        further_.setSource(u, slot, static_cast<std::uint8_t>(channel));
    }
    QString said;
    if (channel <= last) {
        said = tr("Каналы %1-%2 не поместились: во вселенной 512 слотов").arg(channel).arg(last);
    }
    universesEdited(said);
}

void NetworkPage::clearUniverse()
{
    const int u = universe_->currentData().toInt();
    for (int slot = 1; slot <= UniverseSlotCount; ++slot) {
        further_.setSource(u, slot, 0);
    }
    universesEdited({});
}

void NetworkPage::universesEdited(const QString& said)
{
    const FileResult saved = saveUniverses_ ? saveUniverses_() : FileResult{};
    universeNote_->setText(saved.ok ? said : saved.message.trimmed());
    showState();
}

void NetworkPage::fillInterfaces(QComboBox* box, const QString& chosen)
{
    box->clear();
    box->addItem(tr("выбор системы"), QString());
    for (const InterfaceChoice& choice : NetworkOutputs::interfaces()) {
        box->addItem(choice.text(), choice.name);
    }
    int at = box->findData(chosen.trimmed());
    if (at < 0) {
        // A remembered interface that is not there now stays visible and chosen.
        box->addItem(tr("%1 (нет)").arg(chosen), chosen);
        at = box->count() - 1;
    }
    box->setCurrentIndex(at);
}

void NetworkPage::showSettings()
{
    const QScopedValueRollback guard(showing_, true);
    const SacnSettings& s = outputs_.sacnSettings();
    sacnOn_->setChecked(s.enabled.trimmed() == QLatin1String("1"));
    sacnUniverse_->setText(s.universe);
    sacnPriority_->setText(s.priority);
    sacnDestination_->setText(s.destination);
    sacnName_->setText(s.sourceName);
    fillInterfaces(sacnInterface_, s.interfaceName);
    const ArtNetSettings& a = outputs_.artNetSettings();
    artnetOn_->setChecked(a.enabled.trimmed() == QLatin1String("1"));
    const auto number = artnet::parsePortAddress(a.portAddress.toStdString());
    artnetPortAddress_->setText(number ? QString::fromStdString(artnet::portAddressText(*number)) : a.portAddress);
    artnetNumber_->setText(number ? tr("= %1").arg(*number) : QString());
    artnetDestination_->setText(a.destination);
    artnetBroadcast_->setChecked(a.alwaysBroadcast.trimmed() == QLatin1String("1"));
    fillInterfaces(artnetInterface_, a.interfaceName);
}

void NetworkPage::sacnEdited()
{
    if (showing_) {
        return;
    }
    SacnSettings s = outputs_.sacnSettings();
    s.enabled = onOff(sacnOn_->isChecked());
    s.universe = sacnUniverse_->text();
    s.priority = sacnPriority_->text();
    s.destination = sacnDestination_->text();
    s.interfaceName = sacnInterface_->currentData().toString();
    s.sourceName = sacnName_->text();
    outputs_.applySacn(s);
    showState();
}

void NetworkPage::artNetEdited()
{
    if (showing_) {
        return;
    }
    ArtNetSettings s = outputs_.artNetSettings();
    s.enabled = onOff(artnetOn_->isChecked());
    s.portAddress = artnetPortAddress_->text();
    s.destination = artnetDestination_->text();
    s.interfaceName = artnetInterface_->currentData().toString();
    s.alwaysBroadcast = onOff(artnetBroadcast_->isChecked());
    outputs_.applyArtNet(s);
    const auto number = artnet::parsePortAddress(s.portAddress.toStdString());
    artnetNumber_->setText(number ? tr("= %1").arg(*number) : tr("неверно"));
    showState();
}

void NetworkPage::showState()
{
    const OutputState& s = outputs_.sacnState();
    const OutputState& a = outputs_.artNetState();
    const auto via = [](const OutputState& state, const QComboBox* box) {
        if (state.via.isEmpty()) {
            return QString();
        }
        return box->currentData().toString().isEmpty() ? tr("Выбран интерфейс %1").arg(state.via)
                                                       : tr("Через %1").arg(state.via);
    };
    sacnVia_->setText(via(s, sacnInterface_));
    artnetVia_->setText(via(a, artnetInterface_));
    universes_->setText(outputs_.universeTexts(further_).join(QLatin1Char('\n')));
    sacnRate_->setText(s.on ? tr("Пакетов в секунду: %1").arg(qRound(s.packetsPerSecond)) : tr("Не передает"));
    sacnError_->setText(s.lastError);
    artnetRate_->setText(a.on ? tr("Пакетов в секунду: %1").arg(qRound(a.packetsPerSecond)) : tr("Не передает"));
    artnetError_->setText(a.lastError);

    const std::vector<ArtNetNode> nodes = outputs_.artNetNodes();
    nodes_->setRowCount(static_cast<int>(nodes.size()));
    for (int row = 0; row < static_cast<int>(nodes.size()); ++row) {
        const ArtNetNode& node = nodes[static_cast<std::size_t>(row)];
        QStringList ports;
        for (const std::uint16_t p : node.outputs) {
            ports << tr("%1 (%2)").arg(QString::fromStdString(artnet::portAddressText(p))).arg(p);
        }
        QString ip = QHostAddress(node.address).toString();
        if (node.bindIndex > 1) {
            ip = tr("%1 #%2").arg(ip).arg(node.bindIndex);  // a further group of the node's ports
        }
        const QString cells[] = {ip, QString::fromStdString(node.shortName), ports.join(QStringLiteral(", "))};
        for (int column = 0; column < 3; ++column) {
            auto* item = nodes_->item(row, column);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                nodes_->setItem(row, column, item);
            }
            if (item->text() != cells[column]) {
                item->setText(cells[column]);
            }
        }
    }
}

}  // namespace velantra
