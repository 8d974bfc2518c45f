#include "midi/midi_page.h"

#include "midi/midi_control.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace velantra::midi {

namespace {

QTableWidget* table(QWidget* parent, const char* name, const QStringList& headers)
{
    auto* t = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setHorizontalHeaderLabels(headers);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setWordWrap(false);
    t->setTextElideMode(Qt::ElideMiddle);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 4);
    return t;
}

void setRow(QTableWidget* t, int row, const QStringList& cells)
{
    for (int c = 0; c < cells.size(); ++c) {
        auto* item = t->item(row, c);
        if (item == nullptr) {
            t->setItem(row, c, new QTableWidgetItem(cells[c]));
        } else if (item->text() != cells[c]) {
            item->setText(cells[c]);
        }
    }
}

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

}  // namespace

MidiPage::MidiPage(MidiControl& control, TargetOfWidget targetOf, QWidget* parent)
    : QWidget(parent)
    , control_(control)
    , targetOf_(std::move(targetOf))
    , timer_(new QTimer(this))
{
    setObjectName(QStringLiteral("MidiPage"));

    auto* portsBox = new QGroupBox(tr("Порты MIDI"), this);
    system_ = new QLabel(portsBox);
    system_->setObjectName(QStringLiteral("LabelMidiSystem"));
    system_->setWordWrap(true);
    api_ = new QComboBox(portsBox);
    api_->setObjectName(QStringLiteral("ComboBoxMidiApi"));
    api_->addItem(QStringLiteral("ALSA"), QStringLiteral("alsa"));
    api_->addItem(QStringLiteral("JACK"), QStringLiteral("jack"));
    api_->setToolTip(tr("Система MIDI; переменная VELANTRA_MIDI_API выбирает ее вместо этой настройки"));
    input_ = new QComboBox(portsBox);
    input_->setObjectName(QStringLiteral("ComboBoxMidiInput"));
    input_->setToolTip(tr("С какого контроллера принимать сообщения"));
    output_ = new QComboBox(portsBox);
    output_->setObjectName(QStringLiteral("ComboBoxMidiOutput"));
    output_->setToolTip(tr("Куда посылать значения для моторизованных фэйдеров и светодиодов"));
    for (QComboBox* box : {input_, output_}) {
        // A long port name must not widen the page.
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(12);
    }
    pickUp_ = new QCheckBox(tr("Подхват фэйдеров"), portsBox);
    pickUp_->setObjectName(QStringLiteral("CheckBoxMidiPickUp"));
    pickUp_->setToolTip(tr("Фэйдер контроллера действует, только пройдя через значение программы: ничего не прыгает"));
    ports_ = table(portsBox, "TableMidiPorts", {tr("Порт"), tr("Вид"), tr("Состояние")});
    auto* portsForm = new QFormLayout(portsBox);
    portsForm->addRow(tr("Состояние"), system_);
    portsForm->addRow(tr("Система MIDI"), api_);
    portsForm->addRow(tr("Вход"), input_);
    portsForm->addRow(tr("Обратная связь"), output_);
    portsForm->addRow(pickUp_);
    portsForm->addRow(ports_);

    auto* bindBox = new QGroupBox(tr("Привязки"), this);
    learn_ = new QToolButton(bindBox);
    learn_->setObjectName(QStringLiteral("SpeedButtonMidiLearn"));
    learn_->setText(tr("Обучение"));
    learn_->setCheckable(true);
    learn_->setToolTip(tr("Щелкните элемент окна, затем двиньте регулятор или нажмите клавишу контроллера"));
    learning_ = new QLabel(bindBox);
    learning_->setObjectName(QStringLiteral("LabelMidiLearn"));
    learning_->setWordWrap(true);
    bindings_ = table(bindBox, "TableMidiBindings", {tr("Контроллер"), tr("Регулятор"), tr("Элемент")});
    bindings_->setTextElideMode(Qt::ElideRight);
    bindings_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    unbind_ = new QPushButton(tr("Удалить привязку"), bindBox);
    unbind_->setObjectName(QStringLiteral("ButtonMidiUnbind"));
    last_ = new QLabel(bindBox);
    last_->setObjectName(QStringLiteral("LabelMidiLast"));
    auto* learnRow = new QHBoxLayout;
    learnRow->addWidget(learn_);
    learnRow->addWidget(learning_, 1);
    auto* bindLayout = new QVBoxLayout(bindBox);
    bindLayout->addLayout(learnRow);
    bindLayout->addWidget(bindings_, 1);
    bindLayout->addWidget(unbind_, 0, Qt::AlignLeft);
    bindLayout->addWidget(last_);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(portsBox, 1);
    layout->addWidget(bindBox, 1);

    connect(api_, &QComboBox::currentIndexChanged, this, [this] {
        if (!showing_) {
            control_.setApi(api_->currentData().toString().toStdString());
        }
    });
    connect(input_, &QComboBox::currentIndexChanged, this, &MidiPage::portsChosen);
    connect(output_, &QComboBox::currentIndexChanged, this, &MidiPage::portsChosen);
    connect(pickUp_, &QCheckBox::toggled, this, [this](bool on) {
        if (!showing_) {
            control_.setPickUp(on);
        }
    });
    connect(learn_, &QToolButton::toggled, this, &MidiPage::learnToggled);
    connect(unbind_, &QPushButton::clicked, this, &MidiPage::unbindChosen);
    connect(&control_.ports(), &MidiPorts::portsChanged, this, &MidiPage::showPorts);
    connect(&control_, &MidiControl::bindingsChanged, this, &MidiPage::showAll);
    connect(&control_, &MidiControl::learningChanged, this, &MidiPage::showLearning);
    timer_->setObjectName(QStringLiteral("TimerMidiPage"));
    timer_->setInterval(500);
    connect(timer_, &QTimer::timeout, this, [this] {
        if (last_->text() != control_.lastSeen()) {
            last_->setText(control_.lastSeen());
        }
    });
    showAll();
}

void MidiPage::showAll()
{
    showPorts();
    showBindings();
    showLearning();
}

void MidiPage::showPorts()
{
    const QSignalBlocker blockInput(input_);
    const QSignalBlocker blockOutput(output_);
    const bool was = std::exchange(showing_, true);
    const Bindings& b = control_.bindings();
    MidiPorts& ports = control_.ports();
    system_->setText(ports.systemError().isEmpty() ? tr("%1 работает").arg(ports.apiName())
                                                   : tr("%1 недоступна: %2").arg(ports.apiName(), ports.systemError()));
    system_->setToolTip(system_->text());
    api_->setCurrentIndex(ports.apiName() == QStringLiteral("JACK") ? 1 : 0);
    pickUp_->setChecked(b.pickUp);

    input_->clear();
    input_->addItem(tr("Все входы"), QString::fromLatin1(Bindings::AllInputs));
    for (const MidiPorts::Port& p : ports.inputs()) {
        if (input_->findData(qs(p.controller)) < 0) {
            input_->addItem(qs(p.controller), qs(p.controller));
        }
    }
    output_->clear();
    output_->addItem(tr("Нет"), QString());
    for (const MidiPorts::Port& p : ports.outputs()) {
        if (output_->findData(qs(p.controller)) < 0) {
            output_->addItem(qs(p.controller), qs(p.controller));
        }
    }
    // A chosen port that is unplugged stays chosen, marked as gone.
    for (auto [box, chosen] : {std::pair{input_, b.input}, std::pair{output_, b.output}}) {
        if (box->findData(qs(chosen)) < 0) {
            box->addItem(tr("%1 (нет)").arg(qs(chosen)), qs(chosen));
        }
        box->setCurrentIndex(box->findData(qs(chosen)));
    }

    int row = 0;
    const auto list = [&](const std::vector<MidiPorts::Port>& from, const QString& kind) {
        for (const MidiPorts::Port& p : from) {
            ports_->setRowCount(std::max(ports_->rowCount(), row + 1));
            setRow(ports_, row, {qs(p.name), kind, p.open ? tr("открыт") : tr("есть")});
            ports_->item(row++, 0)->setToolTip(qs(p.name));
        }
    };
    list(ports.inputs(), tr("вход"));
    list(ports.outputs(), tr("выход"));
    for (const auto& [gone, output] : ports.missing()) {
        ports_->setRowCount(std::max(ports_->rowCount(), row + 1));
        setRow(ports_, row++, {qs(gone), output ? tr("выход") : tr("вход"), tr("отключен")});
    }
    ports_->setRowCount(row);
    showing_ = was;
}

void MidiPage::showBindings()
{
    int row = 0;
    for (const auto& [controller, set] : control_.bindings().controllers) {
        for (const auto& [source, target] : set.bySource()) {
            bindings_->setRowCount(std::max(bindings_->rowCount(), row + 1));
            setRow(bindings_, row, {qs(controller), qs(sourceText(source)), targetName(target)});
            bindings_->item(row, 0)->setToolTip(qs(controller));
            bindings_->item(row, 0)->setData(Qt::UserRole, qs(controller));
            bindings_->item(row, 2)->setData(Qt::UserRole, qs(targetText(target)));
            ++row;
        }
    }
    bindings_->setRowCount(row);
    unbind_->setEnabled(row > 0);
}

void MidiPage::showLearning()
{
    const auto target = control_.learning();
    learning_->setText(!learn_->isChecked() ? QString()
                       : target ? tr("«%1»: двиньте регулятор контроллера").arg(targetName(*target))
                                : tr("Щелкните элемент окна"));
}

void MidiPage::portsChosen()
{
    if (showing_) {
        return;
    }
    control_.choosePorts(input_->currentData().toString().toStdString(),
                         output_->currentData().toString().toStdString());
}

void MidiPage::learnToggled(bool on)
{
    if (on) {
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
        control_.learn(std::nullopt);
    }
    showLearning();
}

void MidiPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    last_->setText(control_.lastSeen());
    timer_->start();  // only while the page is shown
}

void MidiPage::hideEvent(QHideEvent* event)
{
    timer_->stop();
    QWidget::hideEvent(event);
}

bool MidiPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick) {
        return false;
    }
    const auto* widget = qobject_cast<const QWidget*>(watched);
    const auto target = widget != nullptr ? targetOf_(widget) : std::nullopt;
    if (!target) {
        return false;
    }
    control_.learn(*target);
    emit status(tr("MIDI: «%1» ждет регулятор контроллера").arg(targetName(*target)));
    return true;  // choosing is all the click does
}

void MidiPage::unbindChosen()
{
    const int row = bindings_->currentRow();
    if (row < 0 || bindings_->item(row, 0) == nullptr) {
        return;
    }
    const std::string controller = bindings_->item(row, 0)->data(Qt::UserRole).toString().toStdString();
    const auto target = parseTarget(bindings_->item(row, 2)->data(Qt::UserRole).toString().toStdString());
    if (target) {
        control_.unbind(controller, *target);
    }
}

}  // namespace velantra::midi
