#include "channels/form_color_group.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QScopedValueRollback>
#include <QScrollBar>

namespace velantra {

namespace {

constexpr int Cells[] = {CellFormRed, CellFormGreen, CellFormBlue};

}  // namespace

FormColorGroup::FormColorGroup(ShowMemory& memory, QWidget* parent)
    : QGroupBox(tr("Цвет формы"), parent)
    , memory_(memory)
    , colorOn_(new QCheckBox(tr("Вкл. цвет"), this))
    , colorAvto_(new QCheckBox(tr("Менять цвет автоматически"), this))
{
    setObjectName(QStringLiteral("GroupBoxFormColor"));
    setAutoFillBackground(true);
    colorOn_->setObjectName(QStringLiteral("CheckBoxColorZamok"));
    colorOn_->setToolTip(tr("Включить цвет"));
    colorOn_->setChecked(true);
    colorAvto_->setObjectName(QStringLiteral("CheckBoxColorAvto"));

    const char* names[] = {"ScrollBarRed", "ScrollBarGreen", "ScrollBarBlue"};
    const QString hints[] = {tr("Красная компонента цвета базовой формы"), tr("Зеленая компонента цвета базовой формы"),
                             tr("Синяя компонента цвета базовой формы")};
    auto* layout = new QGridLayout(this);
    for (int k = 0; k < 3; ++k) {
        auto* b = new QScrollBar(Qt::Vertical, this);
        b->setObjectName(QString::fromLatin1(names[k]));
        b->setRange(0, 255);
        b->setPageStep(30);
        b->setValue(180);
        b->setToolTip(hints[k]);
        b->setMinimumHeight(80);
        bars_[static_cast<std::size_t>(k)] = b;
        layout->addWidget(b, 0, k, 2, 1);
        connect(b, &QScrollBar::valueChanged, this, [this, k](int v) {
            if (showing_) {
                return;
            }
            memory_.set(Cells[k], static_cast<std::uint8_t>(v));
            emit changed();
        });
    }
    layout->addWidget(colorOn_, 0, 3, Qt::AlignTop);
    layout->addWidget(colorAvto_, 1, 3, Qt::AlignTop);
    layout->setColumnStretch(3, 1);
    connect(colorOn_, &QCheckBox::toggled, this, [this](bool on) {
        if (showing_) {
            return;
        }
        memory_.set(CellFormColorOn, on ? 1 : 0);
        emit changed();
    });
}

QColor FormColorGroup::showColor() const
{
    return {memory_.get(CellFormRed), memory_.get(CellFormGreen), memory_.get(CellFormBlue)};
}

QColor FormColorGroup::barsColor() const
{
    return {bars_[0]->value(), bars_[1]->value(), bars_[2]->value()};
}

void FormColorGroup::showFromMemory()
{
    {
        const QScopedValueRollback guard(showing_, true);
        const std::uint8_t on = memory_.get(CellFormColorOn);
        if (on == 1 || on == 0) {
            colorOn_->setChecked(on == 1);
        }
        for (std::size_t k = 0; k < 3; ++k) {
            bars_[k]->setValue(memory_.get(Cells[k]));
        }
    }
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, showColor());
    setPalette(palette);
}

}  // namespace velantra
