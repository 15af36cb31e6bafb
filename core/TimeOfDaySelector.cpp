#include "core/TimeOfDaySelector.h"

#include "core/Helpers.h"
#include "core/TimeLapseRules.h"

#include <QLabel>
#include <QScrollBar>

TimeOfDaySelector::TimeOfDaySelector(const QString& name, QWidget* parent) : QFrame(parent) {
    setObjectName(name);
    setFrameShape(QFrame::StyledPanel);
    setFixedSize(170, 26);
    slotScrollBar_ = new QScrollBar(Qt::Horizontal, this);
    slotScrollBar_->setObjectName(QStringLiteral("slotScrollBar"));
    slotScrollBar_->setRange(0, timelapse::kSlotsPerDay);
    slotScrollBar_->setPageStep(6);
    slotScrollBar_->setGeometry(3, 4, 110, 18);
    timeLabel_ = new QLabel(SlotToTimeText(0), this);
    timeLabel_->setObjectName(QStringLiteral("timeLabel"));
    timeLabel_->setGeometry(120, 4, 46, 18);
    connect(slotScrollBar_, &QScrollBar::valueChanged, this, [this](int slot) {
        SelectedTime();
        emit Changed(slot);
    });
}

void TimeOfDaySelector::setup(int slot) {
    slotScrollBar_->setValue(slot);
    SelectedTime();
}

int TimeOfDaySelector::SelectedSlot() const { return slotScrollBar_->value(); }

QString TimeOfDaySelector::SelectedTime() {
    const QString text = SlotToTimeText(slotScrollBar_->value());
    timeLabel_->setText(text);
    return text;
}
