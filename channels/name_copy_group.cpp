#include "channels/name_copy_group.h"

#include "shell/dialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>

namespace velantra {

namespace {

QSpinBox* spin(const char* name, int low, int high, int start, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setValue(start);
    // The coupling runs once the operator has finished typing a number.
    box->setKeyboardTracking(false);
    box->setFixedWidth(52);
    return box;
}

QCheckBox* check(const char* name, const QString& text, QWidget* parent)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(true);
    return box;
}

// Two name tags, the second one numbered, with an arrow between them.
QPixmap copyPicture()
{
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1.0));
    p.setBrush(QColor(230, 238, 245));
    p.drawRect(QRectF(1.5, 2.5, 9, 6));
    p.setBrush(QColor(50, 250, 50));
    p.drawRect(QRectF(11.5, 13.5, 9, 6));
    p.setPen(QPen(QColor(0, 0, 128), 1.6));
    p.drawLine(QPointF(6, 9), QPointF(6, 16.5));
    p.drawLine(QPointF(6, 16.5), QPointF(10, 16.5));
    p.drawLine(QPointF(8, 14.5), QPointF(10, 16.5));
    p.drawLine(QPointF(8, 18.5), QPointF(10, 16.5));
    p.setPen(QPen(QColor(40, 40, 40), 1.0));
    p.drawLine(QPointF(3.5, 5.5), QPointF(8.5, 5.5));
    p.drawLine(QPointF(13.5, 16.5), QPointF(18.5, 16.5));
    return pixmap;
}

}  // namespace

NameCopyGroup::NameCopyGroup(ShowMemory& memory, ChannelTables& tables, QWidget* parent)
    : QGroupBox(tr("Имен "), parent)
    , memory_(memory)
    , tables_(tables)
    , first_(spin("SpinEditNameFirst", 1, 254, 1, this))
    , last_(spin("SpinEditNameLast", 1, 255, 10, this))
    , link_(check("CheckBoxTogmame", tr("Связать"), this))
    , destination_(spin("SpinEditNameFrom", 1, 254, 11, this))
    , numberNames_(check("CheckBoxNamePlus", tr("+ Namber Name"), this))
    , firstDigit_(spin("SpinEditFifsrtDigit", 1, 8, 2, this))
    , fixtures_(spin("SpinEditRepeatName", 1, 8, 1, this))
    , markFirst_(check("CheckBoxbEGcH", tr("Отмечать первый канал"), this))
    , copy_(new QToolButton(this))
{
    setObjectName(QStringLiteral("GroupBoxNameCopy"));
    first_->setToolTip(tr("Номер канала от которого начинается копирование "));
    last_->setToolTip(tr("Номер канала до которого продолжается копирование "));
    destination_->setToolTip(tr("Номер канала в который начинается копирование отмеченного блока"));
    copy_->setObjectName(QStringLiteral("SpeedButtonNameBlocCopy"));
    copy_->setToolTip(tr("Выполнить копирование"));
    copy_->setIcon(QIcon(copyPicture()));
    copy_->setIconSize(QSize(22, 22));
    copy_->setFixedSize(30, 28);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    auto* fromLabel = new QHBoxLayout;
    fromLabel->setSpacing(3);
    fromLabel->addWidget(new QLabel(tr("Начиная"), this));
    fromLabel->addWidget(new QLabel(tr("с канала "), this));
    fromLabel->addStretch();
    grid->addWidget(new QLabel(tr(" От канала "), this), 0, 0);
    grid->addWidget(first_, 0, 1);
    grid->addWidget(new QLabel(tr("До канала "), this), 1, 0);
    grid->addWidget(last_, 1, 1);
    grid->addWidget(new QLabel(tr("включительно"), this), 1, 2);
    grid->addLayout(fromLabel, 2, 0);
    grid->addWidget(destination_, 2, 1);
    grid->addWidget(link_, 2, 2);
    grid->addWidget(numberNames_, 3, 0, 1, 3);
    grid->addWidget(new QLabel(tr("Первая цифра"), this), 4, 0);
    grid->addWidget(firstDigit_, 4, 1);
    grid->addWidget(new QLabel(tr("Колво приборов"), this), 5, 0);
    grid->addWidget(fixtures_, 5, 1);
    grid->addWidget(markFirst_, 6, 0, 1, 2);
    grid->addWidget(copy_, 6, 2, Qt::AlignRight);
    grid->setColumnStretch(2, 1);

    connect(first_, &QSpinBox::valueChanged, this, &NameCopyGroup::firstChanged);
    connect(last_, &QSpinBox::valueChanged, this, &NameCopyGroup::lastChanged);
    connect(destination_, &QSpinBox::valueChanged, this, &NameCopyGroup::destinationChanged);
    connect(copy_, &QToolButton::clicked, this, &NameCopyGroup::ButtonNameBlocCopyClick);
}

void NameCopyGroup::setTakeUndo(std::function<void()> takeUndo)
{
    takeUndo_ = std::move(takeUndo);
}

void NameCopyGroup::setAfterCopy(std::function<void()> afterCopy)
{
    afterCopy_ = std::move(afterCopy);
}

NameCopySettings NameCopyGroup::settings() const
{
    NameCopySettings s;
    s.first = first_->value();
    s.last = last_->value();
    s.destination = destination_->value();
    s.numberNames = numberNames_->isChecked();
    s.firstDigit = firstDigit_->value();
    s.fixtures = fixtures_->value();
    s.markFirst = markFirst_->isChecked();
    return s;
}

bool NameCopyGroup::linked() const
{
    return link_->isChecked();
}

// A field moved by the coupling runs its own coupling in turn, as if the
// operator had set it: a first channel pushed past the last one moves the
// destination too.
void NameCopyGroup::firstChanged()
{
    NameCopySettings s = settings();
    coupleNameFirst(s);
    last_->setValue(s.last);
}

void NameCopyGroup::lastChanged()
{
    NameCopySettings s = settings();
    coupleNameLast(s, linked());
    last_->setValue(s.last);
    destination_->setValue(s.destination);
}

void NameCopyGroup::destinationChanged()
{
    NameCopySettings s = settings();
    coupleNameDestination(s, linked());
    destination_->setValue(s.destination);
}

void NameCopyGroup::ButtonNameBlocCopyClick()
{
    if (takeUndo_) {
        takeUndo_();
    }
    NameCopySettings s = settings();
    if (!blockCopyNames(memory_, tables_, s)) {
        warnOk(this, tr(" Копирование не выполнено: Максимальное число имен > 256 ! "));
    } else {
        // The next press continues where this copy ended.
        const QSignalBlocker blockDestination(destination_);
        destination_->setValue(s.destination);
        firstDigit_->setValue(s.firstDigit);
    }
    if (afterCopy_) {
        afterCopy_();
    }
}

}  // namespace velantra
