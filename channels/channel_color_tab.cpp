#include "channels/channel_color_tab.h"

#include "channels/gobo_images.h"

#include <QGridLayout>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>

namespace velantra {

namespace {

constexpr int BarHeight = 13;

QLabel* swatch(QWidget* parent, const QColor& colour, QSize size)
{
    auto* label = new QLabel(parent);
    label->setFixedSize(size);
    label->setAutoFillBackground(true);
    label->setFrameShape(QFrame::Box);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, colour);
    label->setPalette(palette);
    return label;
}

QScrollBar* bar(QWidget* parent, const char* name, int minimum, int maximum, int start, const QString& hint)
{
    auto* b = new QScrollBar(Qt::Horizontal, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setRange(minimum, maximum);
    b->setValue(start);
    b->setToolTip(hint);
    return b;
}

}  // namespace

ChannelColorTab::ChannelColorTab(ChannelTables& tables, QWidget* parent)
    : QWidget(parent)
    , tables_(tables)
    , channel_(bar(this, "ScrollBar35", 1, 255, 1, tr("Выбор канала для графической подсказки")))
    , gobo_(bar(this, "ScrollBar36", 0, 255, 0,
                tr("Установка типа изображения сопоставимого с типом регулировки прибора")))
    , goboPreview_(new QLabel(this))
    , preview_(swatch(this, QColor(196, 196, 196), QSize(40, 16)))
    , status_(new QLabel(tr("Нет выбранного"), this))
{
    setToolTip(tr("Для установки цвета канала двойной клик на поле измения"));
    gobo_->setPageStep(10);
    channel_->setPageStep(10);
    goboPreview_->setObjectName(QStringLiteral("ImageGoboPreview"));
    goboPreview_->setFixedSize(16, 16);
    preview_->setObjectName(QStringLiteral("ShapeCltrey"));
    status_->setObjectName(QStringLiteral("LabelEditColor"));

    // Compact rows: the tab shares the right-hand column with two other groups.
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(1);
    layout->addWidget(channel_, 0, 1, 1, 3);
    layout->addWidget(gobo_, 1, 1, 1, 3);
    layout->addWidget(goboPreview_, 1, 0);

    const char* names[] = {"ScrollBar31", "ScrollBar32", "ScrollBar33"};
    const QColor marks[] = {Qt::red, Qt::green, Qt::blue};
    for (int k = 0; k < 3; ++k) {
        QScrollBar* b = bar(this, names[k], 128, 255, 196, tr("Цвет пля для ввода имени канала "));
        b->setPageStep(10);
        colour_[static_cast<std::size_t>(k)] = b;
        connect(b, &QScrollBar::valueChanged, this, [this, k](int v) { colorBarChanged(k, v); });
        layout->addWidget(swatch(this, marks[k], QSize(10, 10)), 2 + k, 0, Qt::AlignCenter);
        layout->addWidget(b, 2 + k, 1, 1, 3);
    }

    auto* setColor = new QToolButton(this);
    setColor->setObjectName(QStringLiteral("SpeedButton22"));
    setColor->setText(tr("setColor"));
    setColor->setToolTip(tr("Устанвить выбранный Цвет группы"));
    auto* off = new QToolButton(this);
    off->setObjectName(QStringLiteral("SpeedButton21"));
    off->setText(QStringLiteral("OFF"));
    off->setToolTip(tr("Выключить изменение цвета"));
    for (QScrollBar* b : {channel_, gobo_, colour_[0], colour_[1], colour_[2]}) {
        b->setFixedHeight(BarHeight);
    }
    for (QToolButton* b : {setColor, off}) {
        b->setFixedHeight(BarHeight + 2);
    }
    layout->addWidget(preview_, 5, 0, 1, 2, Qt::AlignLeft);
    layout->addWidget(setColor, 5, 2);
    layout->addWidget(off, 5, 3);
    layout->addWidget(status_, 6, 0, 1, 4);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(7, 1);

    connect(channel_, &QScrollBar::valueChanged, this, &ChannelColorTab::showChannelAndCode);
    connect(gobo_, &QScrollBar::valueChanged, this, [this](int code) {
        tables_.gobo[static_cast<std::size_t>(channel_->value())] = static_cast<std::uint8_t>(code);
        showChannelAndCode();
    });
    connect(setColor, &QToolButton::clicked, this, [this] {
        const auto c = static_cast<std::size_t>(channel_->value());
        for (std::size_t k = 0; k < 3; ++k) {
            (tables_.*ChannelTables::Border[k])[c] = static_cast<std::uint8_t>(colour_[k]->value());
        }
    });
    connect(off, &QToolButton::clicked, this, [this] {
        colorEditChannel_ = NoChannel;
        status_->setText(tr("Нет выбора"));
    });
    goboPreview_->setPixmap(ImageListGobo::picture(gobo_->value()));
}

void ChannelColorTab::showChannelAndCode()
{
    status_->setText(tr("Канал: %1 - N: %2").arg(channel_->value()).arg(gobo_->value()));
    goboPreview_->setPixmap(ImageListGobo::picture(gobo_->value()));
}

void ChannelColorTab::showPreview()
{
    QPalette palette = preview_->palette();
    palette.setColor(QPalette::Window, QColor(colour_[0]->value(), colour_[1]->value(), colour_[2]->value()));
    preview_->setPalette(palette);
}

void ChannelColorTab::UpdateScrollRGBtxt(int channel)
{
    if (channel < 0 || channel >= 512) {
        return;
    }
    colorEditChannel_ = channel;
    // The bars only show the colour here: a component below the bars' range
    // (possible in a colour file) must not be raised by showing it.
    for (std::size_t k = 0; k < 3; ++k) {
        const QSignalBlocker quiet(colour_[k]);
        colour_[k]->setValue((tables_.*ChannelTables::Name[k])[static_cast<std::size_t>(channel)]);
    }
    showPreview();
    status_->setText(QString::number(channel));
}

void ChannelColorTab::colorBarChanged(int component, int value)
{
    showPreview();
    if (colorEditChannel_ > 511) {
        return;
    }
    (tables_.*ChannelTables::Name[static_cast<std::size_t>(component)])[static_cast<std::size_t>(colorEditChannel_)] =
        static_cast<std::uint8_t>(value);
    emit nameColorChanged(colorEditChannel_);
}

}  // namespace velantra
