#include "channels/coder_page.h"

#include "shell/dialogs.h"
#include "shell/icons.h"
#include "storage/data_dir.h"
#include "storage/patch_file.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace velantra {

namespace {

constexpr int RowHeight = 15;
constexpr int PositionPageStep = 20;
constexpr int CoarseSteps[] = {3, 4, 6, 8, 12, 16};

// objectName: prefix and a two-digit number.
QString numbered(const char* prefix, int n)
{
    return QString::fromLatin1(prefix) + QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QToolButton* button(const QString& objectName, const QString& hint, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(objectName);
    b->setToolTip(hint);
    b->setAutoRaise(false);
    return b;
}

}  // namespace

CoderPage::CoderPage(Engine& engine, QWidget* parent)
    : QWidget(parent)
    , engine_(engine)
{
    setObjectName(QStringLiteral("CoderPage"));
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    const QString filter = tr("Файлы перекодировки Velantra  (*.vdx)");
    openDialog_ = std::make_unique<FileDialog>(this, QStringLiteral("OpenDialogCoder"), FileDialog::Mode::Open, filter,
                                               QStringLiteral("vdx"));
    saveDialog_ = std::make_unique<FileDialog>(this, QStringLiteral("SaveDialogCoder"), FileDialog::Mode::Save, filter,
                                               QStringLiteral("vdx"));

    auto* title = new QLabel(tr("Таблица перекодировок каналов  строки DMX512. на выходе программы"), this);
    title->setObjectName(QStringLiteral("Label33"));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(3);
    column->addWidget(title);
    column->addWidget(buildButtons());
    column->addWidget(buildRows(), 1);
}

CoderPage::~CoderPage() = default;

QWidget* CoderPage::buildButtons()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);

    QToolButton* reset =
        button(QStringLiteral("SpeedButtonResetCoder"), tr("Сбросить все установки 1=1, 2=2 и т.д."), bar);
    reset->setText(QStringLiteral("R"));
    QFont bold = reset->font();
    bold.setBold(true);
    reset->setFont(bold);
    QPalette red = reset->palette();
    red.setColor(QPalette::ButtonText, Qt::red);
    reset->setPalette(red);
    QToolButton* open = button(QStringLiteral("SpeedButtonOpenCoderTab"), tr("Загрузить таблицу"), bar);
    open->setIcon(toolIcon(ToolIcon::Open));
    QToolButton* save = button(QStringLiteral("SpeedButtonSaveCoderTab"), tr("Сохранить таблицу"), bar);
    save->setIcon(toolIcon(ToolIcon::Save));
    for (QToolButton* b : {reset, open, save}) {
        b->setFixedSize(26, 26);
        row->addWidget(b);
    }
    connect(reset, &QToolButton::clicked, this, &CoderPage::SpeedButtonResetCoderClick);
    connect(open, &QToolButton::clicked, this, &CoderPage::SpeedButtonOpenCoderTabClick);
    connect(save, &QToolButton::clicked, this, &CoderPage::SpeedButtonSaveCoderTabClick);
    row->addSpacing(12);

    // At most one step button is down; pressing the one that is down raises
    // it and leaves the step as it was.
    steps_ = new QButtonGroup(bar);
    steps_->setExclusive(false);
    for (int step : CoarseSteps) {
        QToolButton* b =
            button(QStringLiteral("SpeedButtonCoderCh") + QString::number(step), tr("Измение канала на ..."), bar);
        b->setText(QString::number(step));
        b->setCheckable(true);
        b->setChecked(step == StartCoarseStep);
        b->setFixedSize(26, 26);
        steps_->addButton(b, step);
        row->addWidget(b);
    }
    connect(steps_, &QButtonGroup::idToggled, this, [this](int id, bool down) {
        if (!down) {
            return;
        }
        for (QAbstractButton* other : steps_->buttons()) {
            if (steps_->id(other) != id) {
                other->setChecked(false);
            }
        }
    });
    connect(steps_, &QButtonGroup::idClicked, this, &CoderPage::SpeedButtonCoderChClick);
    row->addSpacing(12);

    fileLabel_ = new QLabel(tr("Имя Кодера"), bar);
    fileLabel_->setObjectName(QStringLiteral("LabelCoder"));
    row->addWidget(fileLabel_, 1);
    startCodeLabel_ = new QLabel(bar);
    startCodeLabel_->setObjectName(QStringLiteral("LabelCoderStartCode"));
    startCodeLabel_->setToolTip(tr("Стартовый код кадра DMX: приемники принимают только кадры с кодом 0"));
    startCodeLabel_->setText(startCodeText());
    row->addWidget(startCodeLabel_);
    return bar;
}

QWidget* CoderPage::buildRows()
{
    auto* area = new QWidget(this);
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(1);

    const auto padded = [](int n) { return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')); };
    for (int r = 1; r <= Rows; ++r) {
        auto* label = new QLabel(tr("Канал %1 выводится в канал %2 ").arg(padded(r), padded(r)), area);
        label->setObjectName(numbered("Labelcoder", r));
        label->setFixedHeight(RowHeight);
        label->setMinimumWidth(label->sizeHint().width());  // the three-digit caption is the widest
        auto* source = new QScrollBar(Qt::Horizontal, area);
        source->setObjectName(numbered("ScrollBarCoder", r));
        source->setRange(1, 255);
        source->setSingleStep(1);
        source->setPageStep(StartCoarseStep);
        source->setValue(r);
        source->setToolTip(tr("Устанавливаем из какого канала будет пееренаправлятся в какой канал DMX"));
        source->setFixedHeight(RowHeight - 1);
        connect(source, &QScrollBar::valueChanged, this, [this, r] { ScrollBarCoderChange(r); });
        labels_[static_cast<std::size_t>(r - 1)] = label;
        sources_[static_cast<std::size_t>(r - 1)] = source;
        grid->addWidget(label, r - 1, 0);
        grid->addWidget(source, r - 1, 1);
    }

    position_ = new QScrollBar(Qt::Vertical, area);
    position_->setObjectName(QStringLiteral("ScrollBarCoderPos"));
    position_->setRange(0, OffsetMax);
    position_->setPageStep(PositionPageStep);
    position_->setToolTip(tr("Установка изменяемого канала"));
    connect(position_, &QScrollBar::valueChanged, this, &CoderPage::ScrollBarCoderPosChange);
    grid->addWidget(position_, 0, 2, Rows, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(Rows, 1);
    return area;
}

int CoderPage::offset() const
{
    return position_->value();
}

void CoderPage::showRow(int row)
{
    const int output = offset() + row;
    labels_[static_cast<std::size_t>(row - 1)]->setText(
        tr("Канал %1 выводится в канал %2").arg(engine_.coderTable.get(static_cast<std::size_t>(output))).arg(output));
}

QString CoderPage::startCodeText() const
{
    const int source = engine_.coderTable.get(0);
    return source == 0 ? tr("Стартовый код 0") : tr("Стартовый код = уровень канала %1").arg(source);
}

void CoderPage::UpDateDmxCoder()
{
    const bool foreign = engine_.coderTable.get(0) != 0;
    startCodeLabel_->setText(startCodeText());
    QPalette p = startCodeLabel_->palette();
    p.setColor(QPalette::WindowText, foreign ? QColor(200, 0, 0) : palette().color(QPalette::WindowText));
    startCodeLabel_->setPalette(p);
    for (int r = 1; r <= Rows; ++r) {
        QScrollBar* source = sources_[static_cast<std::size_t>(r - 1)];
        const QSignalBlocker quiet(source);
        source->setValue(engine_.coderTable.get(static_cast<std::size_t>(offset()) + static_cast<std::size_t>(r)));
        showRow(r);
    }
}

void CoderPage::ScrollBarCoderChange(int row)
{
    const int output = offset() + row;  // 1..255: entry 0 is never edited here
    engine_.coderTable.set(static_cast<std::size_t>(output),
                           static_cast<std::uint16_t>(sources_[static_cast<std::size_t>(row - 1)]->value()));
    showRow(row);
}

void CoderPage::ScrollBarCoderPosChange()
{
    UpDateDmxCoder();
}

void CoderPage::SpeedButtonResetCoderClick()
{
    for (int k = 1; k < CoderEntries; ++k) {
        engine_.coderTable.set(static_cast<std::size_t>(k), static_cast<std::uint16_t>(k));
    }
    UpDateDmxCoder();
}

void CoderPage::SpeedButtonCoderChClick(int step)
{
    for (QScrollBar* source : sources_) {
        source->setPageStep(step);
    }
}

void CoderPage::SpeedButtonOpenCoderTabClick()
{
    if (!openDialog_->execute()) {
        return;
    }
    int replaced = 0;
    const FileResult result = readPatchFile(openDialog_->fileName(), engine_.coderTable, &replaced);
    if (!result.ok) {
        showIoError(this, result.message);
        return;
    }
    UpDateDmxCoder();
    for (const QString& note : DeskCore::patchNotes(replaced, engine_)) {
        emit status(note);
    }
}

void CoderPage::SpeedButtonSaveCoderTabClick()
{
    const QString previous = saveDialog_->fileName();
    if (!saveDialog_->execute()) {
        return;
    }
    const FileResult result = writePatchFile(saveDialog_->fileName(), engine_.coderTable);
    if (!result.ok) {
        saveDialog_->setFileName(previous);
        showIoError(this, result.message);
        return;
    }
    openDialog_->setFileName(saveDialog_->fileName());
    emit savingNameChanged(saveDialog_->fileName());
}

void CoderPage::startUp(const QString& rememberedName)
{
    showStartUp(DeskCore::readPatchAtStart(engine_, rememberedName), rememberedName);
}

void CoderPage::showStartUp(const DeskCore::PatchAtStart& loaded, const QString& rememberedName)
{
    const QString file = loaded.file.isEmpty() ? rememberedName : loaded.file;
    openDialog_->setFileName(file);
    saveDialog_->setFileName(file);
    for (const QString& note : loaded.notes) {
        emit status(note);
    }
    if (!loaded.result.ok) {
        showIoError(this, loaded.result.message);
        return;
    }
    UpDateDmxCoder();
    fileLabel_->setText(QFileInfo(savingName()).fileName());
}

QString CoderPage::savingName() const
{
    return saveDialog_->fileName();
}

}  // namespace velantra
