#include "core/TimeOfDaySelector.h"

#include "core/Helpers.h"
#include "core/TimeLapseRules.h"

#include <QLabel>
#include <QScrollBar>

TimeOfDaySelector::TimeOfDaySelector(const QString& name, QWidget* parent) : QFrame(parent) {
    setObjectName(name);
    setFrameShape(QFrame::StyledPanel);
    setFixedSize(170, 26);
    bar_ = new QScrollBar(Qt::Horizontal, this);
    bar_->setObjectName(QStringLiteral("slotScrollBar"));
    bar_->setRange(0, timelapse::kSlotsPerDay);
    bar_->setPageStep(6);
    bar_->setGeometry(3, 4, 110, 18);
    label_ = new QLabel(SlotToTimeText(0), this);
    label_->setObjectName(QStringLiteral("timeLabel"));
    label_->setGeometry(120, 4, 46, 18);
    connect(bar_, &QScrollBar::valueChanged, this, [this](int slot) {
        SelectedTime();
        emit Changed(slot);
    });
}

void TimeOfDaySelector::setup(int slot) {
    bar_->setValue(slot);
    SelectedTime();
}

int TimeOfDaySelector::SelectedSlot() const { return bar_->value(); }

QString TimeOfDaySelector::SelectedTime() {
    const QString text = SlotToTimeText(bar_->value());
    label_->setText(text);
    return text;
}
