#include "programming/fader_page.h"

#include "channels/channel_names.h"
#include "channels/gobo_images.h"
#include "engine/engine.h"
#include "programming/display_level.h"
#include "programming/fader_glyphs.h"
#include "programming/rate_table.h"
#include "shell/lean_scroll_bar.h"
#include "shell/shell.h"
#include "storage/channel_tables.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace velantra {

namespace {

constexpr int RowHeight = 17;
constexpr auto relaxed = std::memory_order_relaxed;

QToolButton* glyphButton(QWidget* parent, const char* name, const QString& glyph, const QString& hint)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(glyph);
    button->setToolTip(hint);
    button->setFixedSize(34, 18);
    return button;
}

// A button with a picture and no caption.
QToolButton* glyphButton(QWidget* parent, const char* name, const QIcon& glyph, const QString& hint)
{
    QToolButton* button = glyphButton(parent, name, QString(), hint);
    button->setIcon(glyph);
    button->setIconSize(FaderGlyphSize);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return button;
}

}  // namespace

FaderPage::FaderPage(Shell& form, const ChannelTables& tables, QWidget* parent)
    : QWidget(parent)
    , form_(form)
    , tables_(tables)
    , pageBar_(new QScrollBar(Qt::Vertical, this))
    , display_(new QTimer(this))
{
    setObjectName(QStringLiteral("TabSheetFaders"));
    shownOutput_.fill(-1);
    shownGobo_.fill(-1);
    shownSwatch_.fill(0xFFFFFFFF);
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    auto* header =
        new QLabel(tr("Канал             Уровень             Выход    Тип   Границы   Имя  канала              "
                      "Время изменения     Выбор"),
                   this);
    header->setObjectName(QStringLiteral("LabelOpis"));
    header->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto* rows = new QWidget(this);
    buildRows(rows);

    pageBar_->setObjectName(QStringLiteral("ScrolbarVertPos"));
    pageBar_->setRange(0, FaderOffsetMax);
    pageBar_->setPageStep(20);
    connect(pageBar_, &QScrollBar::valueChanged, this, &FaderPage::ScrolbarVertPosChange);
    connect(&form_.desk(), &DeskControls::changed, this, &FaderPage::follow);

    auto* body = new QHBoxLayout;
    body->setSpacing(2);
    body->addWidget(rows, 1);
    body->addWidget(pageBar_);
    body->addWidget(buildButtons());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    layout->addWidget(header);
    layout->addLayout(body, 1);

    display_->setObjectName(QStringLiteral("TimerDataDmxToDsp"));
    display_->setInterval(100);
    connect(display_, &QTimer::timeout, this, &FaderPage::TimerDataDmxToDspTimer);
    display_->start();
    NamberDmx();
}

void FaderPage::buildRows(QWidget* container)
{
    auto* grid = new QGridLayout(container);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);
    for (int n = 1; n <= Rows; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        const int r = n - 1;

        auto* number = new QLabel(container);
        number->setObjectName(QStringLiteral("Label%1c").arg(n, 2, 10, QLatin1Char('0')));
        number->setToolTip(tr("Номер канала в строке DMX"));
        number->setFixedSize(24, RowHeight);
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

        auto* fader = new LeanScrollBar(Qt::Horizontal, container);
        fader->setObjectName(QStringLiteral("ScrollBar%1").arg(n));
        fader->setRange(0, 255);
        fader->setPageStep(10);
        fader->setFixedHeight(RowHeight - 2);
        fader->setToolTip(tr("Уровень канала DMX высттавленный пользователем в текущем шаге"));
        connect(fader, &QScrollBar::valueChanged, this, [this, n](int v) { faderChanged(n, v); });

        auto* output = new QLabel(QStringLiteral("0"), container);
        output->setObjectName(QStringLiteral("Label%1").arg(n));
        output->setToolTip(tr("Реальный уровень канала DMX на выходе"));
        output->setFixedSize(26, RowHeight);  // a fixed size: new text never re-lays the page
        output->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

        auto* gobo = new QLabel(container);
        gobo->setObjectName(QStringLiteral("ImageGobo%1").arg(n));
        gobo->setFixedSize(16, 16);

        auto* swatch = new QLabel(container);
        swatch->setObjectName(QStringLiteral("ShapeBorder%1").arg(n));
        swatch->setFixedSize(24, 12);
        swatch->setAutoFillBackground(true);

        auto* name = new QLineEdit(container);
        name->setObjectName(QStringLiteral("Edit%1").arg(n));
        name->setToolTip(tr("Имя канала. Максимальное число символов - 16. Для изменения цвета дабл-клик"));
        name->setMaxLength(NameLength);
        name->setValidator(new NameValidator(name));
        name->setFixedSize(104, RowHeight);
        name->installEventFilter(this);
        // Stored as typed, so that no refresh or page move (the page bar and
        // the wheel take no focus) can replace a name before it is kept.
        connect(name, &QLineEdit::textEdited, this,
                [this, n](const QString& text) { SaveEdit(form_.engine().memory, channel(n), text); });

        auto* rate = new QScrollBar(Qt::Horizontal, container);
        rate->setObjectName(QStringLiteral("ScrollBarRate%1").arg(n, 2, 10, QLatin1Char('0')));
        rate->setRange(0, RatePositions - 1);
        rate->setPageStep(2);
        rate->setFixedSize(56, RowHeight - 2);
        rate->setToolTip(tr("Время изменения уровня DMX канала"));
        connect(rate, &QScrollBar::valueChanged, this, [this, n](int v) { rateChanged(n, v); });

        auto* check = new QCheckBox(container);
        check->setObjectName(QStringLiteral("CheckBox%1").arg(n));
        check->setToolTip(n == 1 ? tr("Индивидуальный выбор канала для режимов и блоков: Флэш, Ручной, Уровни, Время")
                                 : tr("Индивидуальный выбор канала "));
        connect(check, &QCheckBox::clicked, this, [this, n] { checkBoxClicked(n); });
        connect(check, &QCheckBox::toggled, this,
                [this, i](bool on) { form_.engine().controls.faderChecked[i].store(on, relaxed); });

        numbers_[i] = number;
        faders_[i] = fader;
        outputs_[i] = output;
        gobos_[i] = gobo;
        swatches_[i] = swatch;
        names_[i] = name;
        rates_[i] = rate;
        checks_[i] = check;
        grid->addWidget(number, r, 0);
        grid->addWidget(fader, r, 1);
        grid->addWidget(output, r, 2);
        grid->addWidget(gobo, r, 3);
        grid->addWidget(swatch, r, 4);
        grid->addWidget(name, r, 5);
        grid->addWidget(rate, r, 6);
        grid->addWidget(check, r, 7);
    }
    grid->setColumnStretch(1, 1);
}

QWidget* FaderPage::buildButtons()
{
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    buttonColumn_ = column;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);

    auto add = [&](QToolButton* button, auto handler) {
        connect(button, &QToolButton::clicked, this, handler);
        column->addWidget(button);
    };
    add(glyphButton(panel, "SpeedButtonAllScrl0", faderGlyph(FaderGlyph::SceneZero),
                    tr("Установить уровни все каналов сцены  в '0'")),
        [this] { setVisibleLevels(0, tr(" Вся сцена установлена в 0"), true); });
    add(glyphButton(panel, "SpeedButtonVis0", faderGlyph(FaderGlyph::Level0),
                    tr("Установить уровни видимых каналов в '0' ")),
        [this] { setVisibleLevels(0, tr(" Установлено в 0 "), false); });
    add(glyphButton(panel, "SpeedButtonVis127", faderGlyph(FaderGlyph::Level127),
                    tr("Установить уровни видимых каналов в '127' ")),
        [this] { setVisibleLevels(127, tr(" Установлено в 127"), false); });
    add(glyphButton(panel, "SpeedButtonVis255", faderGlyph(FaderGlyph::Level255),
                    tr("Установить уровни видимых каналов в '255' ")),
        [this] { setVisibleLevels(255, tr(" Установлено в 255"), false); });
    column->addSpacing(2);
    add(glyphButton(panel, "SpeedButtonOffVisCheck", faderGlyph(FaderGlyph::SelectNone),
                    tr("Сбросить все видимые флажки в столбце Выбор ")),
        [this] { setVisibleFlags(0); });
    add(glyphButton(panel, "SpeedButtonOnVisCheck", faderGlyph(FaderGlyph::SelectAll),
                    tr("Включить все видимые флажки в столбце Выбор ")),
        [this] { setVisibleFlags(1); });
    add(glyphButton(panel, "SpeedButtonOffAllCheck", faderGlyph(FaderGlyph::SelectClear),
                    tr("Сбросить все флажки в столбце Выбор ")),
        [this] {
            form_.OutStatus(tr(" Все флажки Установлены "));
            form_.engine().memory.fill(SelectBase, SelectBase + 255, 0);
            CheckBoxFromMemory();
        });
    for (int k : {1, 6, 11, 16, 21}) {
        add(glyphButton(panel, QStringLiteral("SpeedButtonInv%1").arg(k).toLatin1().constData(),
                        faderGlyph(FaderGlyph::Invert, k / 5), tr("Инвертирует состояние флажков в поле  Выбор ")),
            [this, k] { invertGroup(k); });
    }
    column->addSpacing(2);

    // Output display: DMX or percent, fast or slow.
    outLevel255_ =
        glyphButton(panel, "SpeedButtonOutLevel255", QStringLiteral("DMX"), tr("Уровень в стандарте DMX512  0-255"));
    outLevel100_ = glyphButton(panel, "SpeedButtonOutLevel100", QStringLiteral("%"), tr("Уровень в процентах"));
    auto* units = new QButtonGroup(panel);
    for (QToolButton* b : {outLevel255_, outLevel100_}) {
        b->setCheckable(true);
        units->addButton(b);
        column->addWidget(b);
        connect(b, &QToolButton::toggled, this, [this] { shownOutput_.fill(-1); });
    }
    outLevel255_->setChecked(true);
    level255_ =
        glyphButton(panel, "SpeedButtonLevel255", QStringLiteral(">>"), tr("Скорость презаписи данных на мониторе"));
    level255_->setCheckable(true);
    level255_->setChecked(true);
    column->addWidget(level255_);
    column->addSpacing(2);

    // Output mode: scene, blackout, or the "M" macro.
    onScena_ = glyphButton(panel, "SpeedButtonOnScena", QStringLiteral("On"), tr("Разрешить нормальную работу "));
    blackOut_ =
        glyphButton(panel, "SpeedButtonBlackOut", tr("BO"), tr("Выключает все каналы DMX  Горячая кнопка = O = "));
    macrosOut_ = glyphButton(panel, "SpeedButtonMacrosOut", QStringLiteral("M"),
                             tr("Выключает все каналы  и включает  каналы статической каркинки =M= "));
    auto* modes = new QButtonGroup(panel);
    for (QToolButton* b : {onScena_, blackOut_, macrosOut_}) {
        b->setCheckable(true);
        modes->addButton(b);
        column->addWidget(b);
    }
    onScena_->setChecked(true);
    // The output mode is the desk's: "M" holds the macro picture over a
    // blackout, "BO" ends it, "On" ends both.
    connect(onScena_, &QToolButton::clicked, this, [this] { form_.desk().backToScene(); });
    connect(blackOut_, &QToolButton::clicked, this, [this] {
        form_.desk().setMacro(false);
        form_.desk().setBlackOut(true);
    });
    connect(macrosOut_, &QToolButton::clicked, this, [this] { form_.desk().setMacro(true); });
    QSizePolicy keepPlace = blackOut_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    blackOut_->setSizePolicy(keepPlace);
    blink_ = new QTimer(this);
    blink_->setObjectName(QStringLiteral("TimerBlink"));
    blink_->setInterval(20);
    connect(blink_, &QTimer::timeout, this, [this] {
        const bool visible = form_.engine().outputs.blackOutButtonVisible.load(relaxed);
        if (blackOut_->isVisibleTo(this) != visible) {
            blackOut_->setVisible(visible);
        }
    });
    column->addStretch();
    return panel;
}

int FaderPage::channel(int row) const
{
    return form_.engine().shared.faderOffset.load(relaxed) + row;
}

bool FaderPage::playing() const
{
    return form_.engine().shared.playMode.load(relaxed) == 1;
}

void FaderPage::faderChanged(int row, int value)
{
    if (refreshing_) {
        // The bar shows the scene: its position is what manual mode takes.
        form_.engine().controls.faderPosition[static_cast<std::size_t>(row - 1)].store(static_cast<std::uint8_t>(value),
                                                                                       relaxed);
        return;
    }
    form_.desk().moveFader(row, value);
}

void FaderPage::follow(DeskControls::Control control, int index)
{
    if (control == DeskControls::Control::Fader && index >= 1 && index <= Rows) {
        const QScopedValueRollback guard(refreshing_, true);
        fader(index)->setValue(form_.desk().faderPosition(index));
    } else if (control == DeskControls::Control::PageOffset) {
        pageBar_->setValue(form_.desk().pageOffset());
    } else if (control == DeskControls::Control::LevelAll) {
        ReturnScrollBars();  // the selected channels' new level
    } else if (control == DeskControls::Control::BlackOut || control == DeskControls::Control::Macro) {
        showOutputMode();
    }
}

void FaderPage::showOutputMode()
{
    const DeskControls& desk = form_.desk();
    (desk.macro() ? macrosOut_ : desk.blackOut() ? blackOut_ : onScena_)->setChecked(true);
    // The tick blinks the blackout button during blackout; the page shows what it published.
    if (desk.blackOut()) {
        blink_->start();
    } else {
        blink_->stop();
        blackOut_->setVisible(true);
    }
}

void FaderPage::checkBoxClicked(int row)
{
    form_.engine().memory.set(SelectBase + channel(row), checkBox(row)->isChecked() ? 1 : 0);
}

void FaderPage::rateChanged(int row, int position)
{
    if (refreshing_) {
        return;
    }
    form_.engine().memory.set(RateBase + channel(row), rateStep(position));
    emit rateChosen(position);
}

void FaderPage::ReturnScrollBars()
{
    const QScopedValueRollback guard(refreshing_, true);
    Engine& e = form_.engine();
    const int address = sceneAddress(e.memory.get(CellScene));
    const bool manual = e.controls.manual.load(relaxed);
    for (int n = 1; n <= Rows; ++n) {
        if (!manual || !checkBox(n)->isChecked()) {
            fader(n)->setValue(e.memory.get(address + channel(n)));
        }
    }
}

void FaderPage::CheckBoxFromMemory()
{
    const QScopedValueRollback guard(refreshing_, true);
    for (int n = 1; n <= Rows; ++n) {
        checkBox(n)->setChecked(form_.engine().memory.get(SelectBase + channel(n)) == 1);
    }
}

void FaderPage::CheckBoxToMemory()
{
    for (int n = 1; n <= Rows; ++n) {
        form_.engine().memory.set(SelectBase + channel(n), checkBox(n)->isChecked() ? 1 : 0);
    }
}

void FaderPage::NamberDmx()
{
    for (int n = 1; n <= Rows; ++n) {
        numbers_[static_cast<std::size_t>(n - 1)]->setText(QString::number(channel(n)));
    }
}

void FaderPage::ReturnRate()
{
    const QScopedValueRollback guard(refreshing_, true);
    for (int n = 1; n <= Rows; ++n) {
        rateBar(n)->setValue(RatePositionOf(form_.engine().memory.get(RateBase + channel(n))));
    }
}

void FaderPage::ReturnName()
{
    for (int n = 1; n <= Rows; ++n) {
        const QString text = LoadEdit(form_.engine().memory, channel(n));
        QLineEdit* field = nameField(n);
        // A field being typed into keeps its trailing blanks and its cursor
        // while it shows the same name.
        const bool typing = field->hasFocus() && QStringView(field->text()).trimmed() == QStringView(text).trimmed();
        if (field->text() != text && !typing) {
            field->setText(text);
        }
    }
}

void FaderPage::SaveEditAll()
{
    for (int n = 1; n <= Rows; ++n) {
        SaveEdit(form_.engine().memory, channel(n), nameField(n)->text());
    }
    blankConversion(form_.engine().memory);
}

void FaderPage::refresh()
{
    ReturnScrollBars();
    ReturnRate();
    ReturnName();
    CheckBoxFromMemory();
    UpdateColorEditAll();
}

void FaderPage::showNameColor(int row)
{
    const auto c = static_cast<std::size_t>(channel(row));
    const ChannelTables& t = tables_;
    const QColor color(t.nameRed[c], t.nameGreen[c], t.nameBlue[c]);
    if (nameField(row)->palette().color(QPalette::Base) != color) {
        QPalette palette = nameField(row)->palette();
        palette.setColor(QPalette::Base, color);
        nameField(row)->setPalette(palette);
    }
}

void FaderPage::UpdateColorEditAll()
{
    for (int n = 1; n <= Rows; ++n) {
        showNameColor(n);
    }
}

void FaderPage::UstColorEditOne(int channel)
{
    const int row = channel - this->channel(0);
    if (row >= 1 && row <= Rows) {
        showNameColor(row);
    }
}

void FaderPage::ScrolbarVertPosChange(int position)
{
    form_.desk().setPageOffset(position);
    form_.ReturnPageControlAll();
    NamberDmx();
}

void FaderPage::setVisibleLevels(std::uint8_t level, const QString& status, bool wholeScene)
{
    if (playing()) {
        return;
    }
    form_.OutStatus(status);
    Engine& e = form_.engine();
    e.publishSceneAddress(e.memory.get(CellScene));
    const int address = e.shared.sceneAddr.load(relaxed);
    if (wholeScene) {
        e.memory.fill(address, address + 255, level);
    } else {
        e.memory.fill(address + channel(1), address + channel(Rows), level);
    }
    ReturnScrollBars();
}

void FaderPage::setVisibleFlags(std::uint8_t flag)
{
    form_.engine().memory.fill(SelectBase + channel(1), SelectBase + channel(Rows), flag);
    CheckBoxFromMemory();
}

void FaderPage::invertGroup(int firstRow)
{
    for (int n = firstRow; n < firstRow + 5; ++n) {
        checkBox(n)->setChecked(!checkBox(n)->isChecked());
    }
    CheckBoxToMemory();
}

void FaderPage::addUndoPair(QToolButton* mem, QToolButton* undo)
{
    for (QToolButton* b : {mem, undo}) {
        b->setParent(buttonColumn_->parentWidget());
        b->setFixedSize(34, 18);
        b->setText(b == mem ? QStringLiteral("M+") : QStringLiteral("<-"));
        buttonColumn_->insertWidget(buttonColumn_->count() - 1, b);
    }
}

void FaderPage::SetGobo(int row, std::uint8_t code)
{
    const auto i = static_cast<std::size_t>(row - 1);
    if (shownGobo_[i] == code) {
        return;
    }
    shownGobo_[i] = code;
    gobos_[i]->setPixmap(ImageListGobo::picture(code));
}

void FaderPage::ShapeColor(int row, std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    const auto i = static_cast<std::size_t>(row - 1);
    const std::uint32_t rgb = static_cast<std::uint32_t>(red) << 16 | static_cast<std::uint32_t>(green) << 8 | blue;
    if (shownSwatch_[i] == rgb) {
        return;
    }
    shownSwatch_[i] = rgb;
    QPalette palette = swatches_[i]->palette();
    palette.setColor(QPalette::Window, QColor(red, green, blue));
    swatches_[i]->setPalette(palette);
}

void FaderPage::showOutput(int row)
{
    const auto i = static_cast<std::size_t>(row - 1);
    const int shown =
        DisplayLevel(form_.engine().shownFrame.get(static_cast<std::size_t>(channel(row))), outLevel100_->isChecked());
    if (shownOutput_[i] != shown) {
        shownOutput_[i] = shown;
        outputs_[i]->setText(QString::number(shown));
    }
}

void FaderPage::TimerDataDmxToDspTimer()
{
    emit outputDisplayed();
    if (!form_.pageShown(this)) {
        return;
    }
    const ChannelTables& t = tables_;
    for (int n = 1; n <= Rows; ++n) {
        SetGobo(n, t.gobo[static_cast<std::size_t>(channel(n))]);
    }
    for (int n = 1; n <= Rows; ++n) {
        const auto c = static_cast<std::size_t>(channel(n));
        ShapeColor(n, t.borderRed[c], t.borderGreen[c], t.borderBlue[c]);
    }
    if (level255_->isChecked()) {
        for (int n = 1; n <= Rows; ++n) {
            showOutput(n);
        }
        return;
    }
    labelGroup_ = labelGroup_ + 1 == 10 ? 1 : labelGroup_ + 1;
    for (int n = 3 * labelGroup_ - 2; n <= 3 * labelGroup_; ++n) {
        showOutput(n);
    }
}

bool FaderPage::eventFilter(QObject* watched, QEvent* event)
{
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field == nullptr) {
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // Typing a name must fire no show keys.
        emit showKeysOffWanted();
        break;
    case QEvent::FocusOut:
        SaveEditAll();
        break;
    case QEvent::MouseButtonDblClick:
        for (int n = 1; n <= Rows; ++n) {
            if (nameField(n) == field) {
                emit nameColorChannelChosen(channel(n));
            }
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace velantra
