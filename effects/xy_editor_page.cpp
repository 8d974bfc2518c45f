#include "effects/xy_editor_page.h"

#include "channels/channel_names.h"
#include "desk/timer_interval.h"
#include "effects/xy_view.h"
#include "engine/engine.h"
#include "shell/dialogs.h"
#include "shell/icons.h"
#include "shell/shell.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>
#include <optional>
#include <tuple>

namespace velantra {

namespace {

constexpr int RepeatStart = 700;  // ms, until the first release of a held button
constexpr int RepeatIdle = 1000;  // ms, after a release
constexpr int RepeatFast = 50;    // ms, while a button is held
constexpr int RotateStart = 45;
constexpr int SizeStart = 200;
constexpr int OptionStart = 7;
constexpr int ButtonSide = 24;
constexpr auto relaxed = std::memory_order_relaxed;

QString numbered(const char* prefix, int n)
{
    return QString::fromLatin1(prefix) + QString::number(n);
}

QScrollBar* bar(Qt::Orientation orientation, const QString& objectName, int low, int high, int start, QWidget* parent)
{
    auto* b = new QScrollBar(orientation, parent);
    b->setObjectName(objectName);
    b->setRange(low, high);
    b->setValue(start);
    return b;
}

QLabel* label(const QString& objectName, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(objectName);
    return l;
}

// Codes the timer repeats while their button is held.
bool repeats(int code)
{
    return (code >= XyRight && code <= XyDown) || code == XyShrink || code == XyGrow;
}

// Reports the real press and the real release of the left mouse button on a
// button. QAbstractButton's own pressed() and released() also fire when the
// held pointer slides off the button and back on, which would stop a held
// shift while it is still held and apply a transform again on the way back.
// Any other activation (Space on the focused button, a click() from assistive
// technology) comes as clicked() alone and is reported as one press and its
// release; the clicked() that a mouse release brings is that release's own.
class HoldWatcher : public QObject {
public:
    HoldWatcher(QToolButton* button, std::function<void()> onPress, std::function<void()> onRelease)
        : QObject(button)
        , onPress_(std::move(onPress))
        , onRelease_(std::move(onRelease))
    {
        button->installEventFilter(this);
        connect(button, &QToolButton::clicked, this, [this] {
            if (!inMouseRelease_) {
                onPress_();
                if (onRelease_) {
                    onRelease_();
                }
            }
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
            type != QEvent::MouseButtonRelease) {
            return false;
        }
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) {
            return false;
        }
        const bool enabled = static_cast<QToolButton*>(watched)->isEnabled();
        if (type != QEvent::MouseButtonRelease) {
            if (enabled) {
                onPress_();
            }
            return false;
        }
        if (enabled && onRelease_) {
            onRelease_();
        }
        // The button takes its release here, so that the clicked() it emits
        // is known to come from the mouse.
        const QScopedValueRollback guard(inMouseRelease_, true);
        watched->event(event);
        return true;
    }

private:
    std::function<void()> onPress_;
    std::function<void()> onRelease_;
    bool inMouseRelease_ = false;
};

}  // namespace

XyEditorPage::XyEditorPage(Shell& form, QWidget* parent)
    : QWidget(parent)
    , form_(form)
    , engine_(form.engine())
{
    setObjectName(QStringLiteral("XyEditorPage"));
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    repeatTimer_ = new QTimer(this);
    repeatTimer_->setObjectName(QStringLiteral("TimerRepeatButton"));
    connect(repeatTimer_, &QTimer::timeout, this, &XyEditorPage::TimerRepeatButtonTimer);

    auto* description = new QLabel(tr("Динамика изменения двух соседних каналов по выделенным сценам "), this);
    description->setObjectName(QStringLiteral("LabelXYdescription"));

    auto* left = new QVBoxLayout;
    left->setSpacing(2);
    left->addWidget(buildView());
    auto* below = new QHBoxLayout;
    below->setSpacing(4);
    below->addWidget(buildRange());
    below->addWidget(buildCurrent(), 1);
    left->addLayout(below);
    left->addStretch();

    auto* right = new QVBoxLayout;
    right->setSpacing(2);
    right->addWidget(buildPairs());
    right->addWidget(buildTransforms());
    right->addWidget(buildTurn());
    right->addStretch();

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setHorizontalSpacing(6);
    layout->setVerticalSpacing(2);
    layout->addWidget(description, 0, 0, 1, 2);
    layout->addLayout(left, 1, 0);
    layout->addLayout(right, 1, 1);
    layout->addWidget(buildFigures(), 2, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(3, 1);

    engine_.shared.xyChannel = static_cast<std::uint8_t>(channelBars_[0]->value());
    scene_->setText(tr(" Сцена ? "));
    setPathHint(tr("Переместить сцену в X-Y"));
    showLabels();
    ReturnEditXY();
    repeatTimer_->start(RepeatStart);
}

QWidget* XyEditorPage::buildView()
{
    // The grid and the path layer lie over one white background of the same size.
    auto* background = new QWidget(this);
    background->setObjectName(QStringLiteral("ShapeXYbackground"));
    background->setFixedSize(XyViewSize, XyViewSize);
    background->setAutoFillBackground(true);
    QPalette palette = background->palette();
    palette.setColor(QPalette::Window, Qt::white);
    background->setPalette(palette);

    auto* grid = new XyGridView(background);
    grid->setObjectName(QStringLiteral("PaintBoxGrid"));
    path_ = new XyPathView(background);
    path_->setObjectName(QStringLiteral("PaintBoxXY"));
    connect(path_, &XyPathView::mouseDown, this, &XyEditorPage::PaintBoxXYMouseDown);
    connect(path_, &XyPathView::mouseMove, this, &XyEditorPage::PaintBoxXYMouseMove);
    connect(path_, &XyPathView::mouseUp, this, &XyEditorPage::PaintBoxXYMouseUp);
    return background;
}

QWidget* XyEditorPage::buildPairs()
{
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    for (int k = 0; k < 4; ++k) {
        auto* frame = new QGroupBox(box);
        auto* grid = new QGridLayout(frame);
        grid->setContentsMargins(4, 2, 4, 2);
        grid->setHorizontalSpacing(4);
        grid->setVerticalSpacing(0);
        firstNames_[k] = label(numbered("LabelXYareaFirrtName", k + 1), frame);
        secondNames_[k] = label(numbered("LabelXYareaSecondName", k + 1), frame);
        channelBars_[k] = bar(Qt::Horizontal, numbered("ScrollBarEditXYCh", k + 1), 0, XyChannelMax, 0, frame);
        grid->addWidget(firstNames_[k], 0, 1);
        grid->addWidget(secondNames_[k], 1, 1);
        grid->addWidget(channelBars_[k], 2, 1);
        if (k > 0) {
            copyChecks_[k] = new QCheckBox(frame);
            copyChecks_[k]->setObjectName(numbered("CheckBoxEditXY", k + 1));
            copyChecks_[k]->setToolTip(
                tr("При включенном флажке содежимое Редактируемого поля  записывается в память"));
            grid->addWidget(copyChecks_[k], 0, 0, 3, 1);
        } else {
            grid->setColumnMinimumWidth(0, 16);
        }
        grid->setColumnStretch(1, 1);
        connect(channelBars_[k], &QScrollBar::valueChanged, this, [this, k](int v) { channelChanged(k, v); });
        column->addWidget(frame);
    }

    auto* copy = toolButton("SpeedButtonEditXYcopy", tr("Выполнить копирование в каналы, выбранные флажками "), box);
    copy->setIcon(toolIcon(ToolIcon::Copy));
    connect(copy, &QToolButton::clicked, this, &XyEditorPage::SpeedButtonEditXYcopyClick);
    undoRow_ = new QHBoxLayout;
    undoRow_->setSpacing(4);
    undoRow_->addWidget(copy);
    undoRow_->addStretch();
    column->addLayout(undoRow_);
    return box;
}

QWidget* XyEditorPage::buildRange()
{
    auto* g = new QGroupBox(tr("Видимые Сцены "), this);
    from_ = new QSpinBox(g);
    from_->setObjectName(QStringLiteral("SpinEditESSfrom"));
    from_->setRange(1, 250);
    from_->setValue(1);
    to_ = new QSpinBox(g);
    to_->setObjectName(QStringLiteral("SpinEditESSto"));
    to_->setRange(2, 255);
    to_->setValue(32);
    allScenes_ = new QCheckBox(tr("Все сцены"), g);
    allScenes_->setObjectName(QStringLiteral("CheckBoxEditXYAllScenes"));
    allScenes_->setChecked(true);
    changeScene_ = new QCheckBox(tr("Менять Сцену"), g);
    changeScene_->setObjectName(QStringLiteral("CheckBoxAllScen"));
    changeScene_->setToolTip(tr("Перетаскивание луча меняет текущую сцену"));
    changeScene_->setChecked(true);

    auto* grid = new QGridLayout(g);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setSpacing(2);
    grid->addWidget(new QLabel(tr("От Сцены"), g), 0, 0);
    grid->addWidget(from_, 0, 1);
    grid->addWidget(new QLabel(tr("До Сцены"), g), 1, 0);
    grid->addWidget(to_, 1, 1);
    grid->addWidget(allScenes_, 2, 0, 1, 2);
    grid->addWidget(changeScene_, 3, 0, 1, 2);

    connect(from_, &QSpinBox::valueChanged, this, &XyEditorPage::fromChanged);
    connect(to_, &QSpinBox::valueChanged, this, &XyEditorPage::toChanged);
    connect(allScenes_, &QCheckBox::clicked, this, &XyEditorPage::ReLabelEdiXY);
    return g;
}

QWidget* XyEditorPage::buildCurrent()
{
    auto* g = new QGroupBox(tr("Текущие"), this);
    posX_ = label(QStringLiteral("LabelESPosX"), g);
    posY_ = label(QStringLiteral("LabelESPosY"), g);
    scene_ = label(QStringLiteral("LabelEXYscena"), g);
    auto* column = new QVBoxLayout(g);
    column->setContentsMargins(4, 2, 4, 2);
    column->setSpacing(2);
    column->addWidget(posX_);
    column->addWidget(posY_);
    column->addWidget(scene_);
    column->addStretch();
    return g;
}

QToolButton* XyEditorPage::toolButton(const char* objectName, const QString& hint, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setToolTip(hint);
    b->setFixedSize(ButtonSide, ButtonSide);
    return b;
}

QWidget* XyEditorPage::buildTransforms()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    // Shift and size buttons repeat while held; a mirror acts once.
    auto repeating = [this](QToolButton* b, int code) {
        new HoldWatcher(
            b, [this, code] { repeatPressed(code); }, [this] { repeatReleased(); });
    };

    auto* position = new QGroupBox(tr("Положение"), row);
    auto* cross = new QGridLayout(position);
    cross->setContentsMargins(4, 2, 4, 2);
    cross->setSpacing(1);
    const QString shift = tr("Смещение фигуры");
    const struct {
        const char* name;
        Qt::ArrowType arrow;
        int code;
        int row;
        int column;
    } shifts[] = {{"SpeedButtonEditPosRight", Qt::RightArrow, XyRight, 1, 2},
                  {"SpeedButtonEditPosLeft", Qt::LeftArrow, XyLeft, 1, 0},
                  {"SpeedButtonEditPosUp", Qt::UpArrow, XyUp, 0, 1},
                  {"SpeedButtonEditPosDown", Qt::DownArrow, XyDown, 2, 1}};
    for (const auto& s : shifts) {
        auto* b = toolButton(s.name, shift, position);
        b->setArrowType(s.arrow);
        repeating(b, s.code);
        cross->addWidget(b, s.row, s.column);
    }
    layout->addWidget(position);

    auto* mirror = new QGroupBox(tr("Отражение "), row);
    auto* mirrors = new QVBoxLayout(mirror);
    mirrors->setContentsMargins(4, 2, 4, 2);
    mirrors->setSpacing(1);
    const QString mirrorHint = tr("Зеркальное отображение");
    for (auto [name, icon, code] : {std::tuple{"SpeedButtonGorizontMirror", XyIcon::MirrorX, int(XyMirrorX)},
                                    std::tuple{"SpeedButtonVerticalMirror", XyIcon::MirrorY, int(XyMirrorY)}}) {
        auto* b = toolButton(name, mirrorHint, mirror);
        b->setIcon(xyIcon(icon));
        const int mirrorCode = code;
        new HoldWatcher(b,
                        [this, mirrorCode] {
                            repeatCode_ = 0;
                            ButtonRepeat(mirrorCode);
                        },
                        {});
        mirrors->addWidget(b);
    }
    mirrors->addStretch();
    layout->addWidget(mirror);

    auto* size = new QGroupBox(tr("Размер "), row);
    auto* sizes = new QVBoxLayout(size);
    sizes->setContentsMargins(4, 2, 4, 2);
    sizes->setSpacing(1);
    auto* smaller = toolButton("SpeedButtonEditRazmerMene", tr("Уменьшить фигуру"), size);
    smaller->setIcon(xyIcon(XyIcon::Smaller));
    repeating(smaller, XyShrink);
    auto* larger = toolButton("SpeedButtonEditRazmerMore", tr("Увеличить фигуру"), size);
    larger->setIcon(xyIcon(XyIcon::Larger));
    repeating(larger, XyGrow);
    sizes->addWidget(smaller);
    sizes->addWidget(larger);
    sizes->addStretch();
    layout->addWidget(size);
    layout->addStretch();
    return row;
}

QWidget* XyEditorPage::buildTurn()
{
    auto* g = new QGroupBox(tr("Поворот"), this);
    rotate_ = bar(Qt::Horizontal, QStringLiteral("ScrollBarRotate"), 1, 359, RotateStart, g);
    rotateLabel_ = label(QStringLiteral("LabelEditRL"), g);
    auto* turn = toolButton("SpeedButtonRotateLeft", tr("Выполнить поворот "), g);
    turn->setIcon(xyIcon(XyIcon::Turn));
    connect(turn, &QToolButton::clicked, this, [this] { RotateArea(rotate_->value()); });
    connect(rotate_, &QScrollBar::valueChanged, this, &XyEditorPage::ReLabelEdiXY);

    auto* grid = new QGridLayout(g);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setSpacing(2);
    grid->addWidget(rotate_, 0, 0);
    grid->addWidget(turn, 0, 1, 2, 1);
    grid->addWidget(rotateLabel_, 1, 0);
    grid->setColumnStretch(0, 1);
    return g;
}

QWidget* XyEditorPage::buildFigures()
{
    auto* g = new QGroupBox(tr("Создание Фигур "), this);
    const QString hint = tr("Вычертить фигугу по сценам");
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    const struct {
        const char* name;
        std::optional<XyIcon> icon;
        QString text;
        Figure figure;
    } figures[] = {
        {"SpeedButtonEditXYmadeLine", XyIcon::Line, {}, &madeLine},
        {"SpeedButtonEditXYmadeTreug", XyIcon::Triangle, {}, &madeTreug},
        {"SpeedButtonEditXYmadeRect", XyIcon::Rectangle, {}, &madeRect},
        {"SpeedButtonEditXYmadeSix", std::nullopt, tr("X"), &madeSix},
        {"SpeedButtonEditXYmadeSnake", XyIcon::Snake, {}, &madeSnake},
        {"SpeedButtonEditXYmadeCucle", XyIcon::Circle, {}, &madeCucle},
        {"SpeedButtonEditXYmade8", std::nullopt, tr("8"), &made8},
        {"SpeedButtonEditXYmadePent", std::nullopt, tr("88"), &madePent},
        {"SpeedButtonEditSpiral", XyIcon::Spiral, {}, &madeSpiral},
    };
    for (const auto& f : figures) {
        auto* b = toolButton(f.name, hint, g);
        if (f.icon) {
            b->setIcon(xyIcon(*f.icon));
        } else {
            b->setText(f.text);
        }
        connect(b, &QToolButton::clicked, this, [this, figure = f.figure] { drawFigure(figure); });
        buttons->addWidget(b);
    }
    buttons->addStretch();

    size_ = bar(Qt::Horizontal, QStringLiteral("ScrollBarEditMaxX"), 20, 250, SizeStart, g);
    size_->setToolTip(tr("размер создаваемой фигуры"));
    option_ = bar(Qt::Vertical, QStringLiteral("ScrollBarEditWide"), 0, 10, OptionStart, g);
    option_->setToolTip(tr("вид или длинна конца фигуры"));
    option_->setFixedHeight(2 * ButtonSide + 8);
    figureLabel_ = label(QStringLiteral("LabelmadeFigure"), g);
    connect(size_, &QScrollBar::valueChanged, this, &XyEditorPage::ReLabelEdiXY);
    connect(option_, &QScrollBar::valueChanged, this, &XyEditorPage::ReLabelEdiXY);

    auto* grid = new QGridLayout(g);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setSpacing(2);
    grid->addLayout(buttons, 0, 0);
    grid->addWidget(size_, 1, 0);
    grid->addWidget(figureLabel_, 2, 0);
    grid->addWidget(option_, 0, 1, 3, 1);
    grid->setColumnStretch(0, 1);
    return g;
}

void XyEditorPage::addUndoPair(QToolButton* mem, QToolButton* undo)
{
    mem->setText(tr("Запомнить\nкартинку "));
    undo->setText(tr("Вернуть"));
    for (QToolButton* b : {mem, undo}) {
        b->setParent(this);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        undoRow_->insertWidget(undoRow_->count() - 1, b);
    }
}

XyRange XyEditorPage::range() const
{
    return {from_->value(), to_->value()};
}

void XyEditorPage::setPathHint(const QString& text)
{
    path_->setToolTip(text);
}

void XyEditorPage::ReLabelEdiXY()
{
    scene_->setText(tr(" Сцена ? "));
    setPathHint({});
    if (allScenes_->isChecked()) {
        // A spin box repaints on every setValue, even of the value it holds.
        if (from_->value() != 1) {
            from_->setValue(1);
        }
        if (const int last = engine_.memory.get(CellLastScene) + 1; to_->value() != last) {
            to_->setValue(last);
        }
    }
    showLabels();
}

void XyEditorPage::showLabels()
{
    for (int k = 0; k < 4; ++k) {
        const int c = channelBars_[k]->value();
        firstNames_[k]->setText(tr("Ch%1  %2").arg(c + 1).arg(nameLabel(engine_.memory, c + 1)));
        secondNames_[k]->setText(tr("Ch%1  %2").arg(c + 2).arg(nameLabel(engine_.memory, c + 2)));
    }
    const int theta = rotate_->value();
    rotateLabel_->setText(theta < 180 ? tr("Вправо %1").arg(theta) : tr("Влево %1").arg(360 - theta));
    figureLabel_->setText(tr(" Размер фигуры %1       Опция %2").arg(size_->value()).arg(option_->value()));
}

void XyEditorPage::ReturnEditXY()
{
    path_->setPath(pathPoints(engine_, range()));
}

void XyEditorPage::ButtonRepeat(int code)
{
    stepRange(engine_, range(), code);
    ReturnEditXY();
}

void XyEditorPage::SearchScena(int x, int y)
{
    if (const auto s = findScene(engine_, range(), x, y)) {
        foundScene_ = *s;
        scene_->setText(tr(" Сцена %1").arg(*s + 1));
        setPathHint(tr("Переместить сцену %1").arg(*s + 1));
    }
}

void XyEditorPage::RotateArea(int theta)
{
    if (theta == 0) {
        return;
    }
    rotateRange(engine_, range(), theta);
    ReturnEditXY();
}

void XyEditorPage::refresh()
{
    ReLabelEdiXY();
    if (engine_.shared.playMode.load(relaxed) == 0) {
        dragMode_ = 0;
        ReturnEditXY();
    }
}

void XyEditorPage::SpeedButtonEditXYcopyClick()
{
    emit undoSnapshotWanted();
    std::vector<int> targets;
    for (int k = 1; k < 4; ++k) {
        if (copyChecks_[k]->isChecked()) {
            targets.push_back(channelBars_[k]->value());
        }
    }
    copyPairs(engine_, range(), targets);
}

void XyEditorPage::TimerRepeatButtonTimer()
{
    if (repeats(repeatCode_)) {
        setTimerInterval(*repeatTimer_, RepeatFast);
        ButtonRepeat(repeatCode_);
    }
}

void XyEditorPage::repeatPressed(int code)
{
    repeatCode_ = code;
    ButtonRepeat(code);
}

void XyEditorPage::repeatReleased()
{
    repeatCode_ = 0;
    repeatTimer_->setInterval(RepeatIdle);
}

void XyEditorPage::channelChanged(int pair, int position)
{
    if (pair == 0) {
        engine_.shared.xyChannel = static_cast<std::uint8_t>(position);
    }
    ReLabelEdiXY();
    ReturnEditXY();
}

void XyEditorPage::fromChanged()
{
    if (coupling_) {
        return;
    }
    if (from_->value() >= to_->value()) {
        const QScopedValueRollback guard(coupling_, true);
        from_->setValue(to_->value());
    }
    ReturnEditXY();
}

void XyEditorPage::toChanged()
{
    if (coupling_) {
        return;
    }
    if (from_->value() >= to_->value()) {
        const QScopedValueRollback guard(coupling_, true);
        to_->setValue(from_->value());
    }
    ReturnEditXY();
}

void XyEditorPage::drawFigure(Figure figure)
{
    const FigureRange r{from_->value(), to_->value(), size_->value(), option_->value()};
    if (figure(engine_, r) == FigureResult::OneScene) {
        warnOk(this, tr("Для этой фигуры нужно выбрать не меньше двух сцен"));
    }
    ReturnEditXY();
}

void XyEditorPage::PaintBoxXYMouseDown(Qt::MouseButton button, QPoint pixel)
{
    if (button == Qt::LeftButton) {
        dragMode_ = 1;
    } else if (button == Qt::RightButton) {
        dragMode_ = 2;
    }
    const LevelPair at = levelsAt(pixel.x(), pixel.y());
    foundScene_ = XyNoScene;
    if (dragMode_ == 1) {
        SearchScena(at.p, at.q);
    }
    if (engine_.shared.playMode.load(relaxed) == 0 && foundScene_ != XyNoScene && changeScene_->isChecked()) {
        const auto scene = static_cast<std::uint8_t>(foundScene_);
        engine_.memory.set(CellScene, scene);
        if (scene > engine_.memory.get(CellLastScene)) {
            engine_.memory.set(CellLastScene, scene);
        }
        engine_.publishSceneAddress(scene);
        form_.ReturnDataSystem();
    }
}

void XyEditorPage::PaintBoxXYMouseMove(QPoint pixel)
{
    const LevelPair at = levelsAt(pixel.x(), pixel.y());
    posY_->setText(tr("Y = %1").arg(at.q));
    posX_->setText(tr("X = %1").arg(at.p));
    scene_->setText(QStringLiteral("  "));
    setPathHint({});
    SearchScena(at.p, at.q);
    if (dragMode_ == 1 && foundScene_ < 255) {
        engine_.DataWriteXY(static_cast<std::uint8_t>(foundScene_), at.p, at.q);
    }
    if (dragMode_ == 2) {
        scene_->setText(tr(" Размер "));
    }
    if (dragMode_ == 1) {
        path_->setCursor(Qt::ClosedHandCursor);
    } else if (dragMode_ == 2) {
        path_->setCursor(Qt::SizeAllCursor);
    }
    ReturnEditXY();
}

void XyEditorPage::PaintBoxXYMouseUp()
{
    path_->unsetCursor();
    dragMode_ = 0;
    scene_->setText(QStringLiteral(" "));
    setPathHint({});
}

}  // namespace velantra
