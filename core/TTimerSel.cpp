#include "core/TTimerSel.h"

#include "core/Helpers.h"
#include "core/TimeLapseRules.h"

#include <QLabel>
#include <QScrollBar>

TTimerSel::TTimerSel(const QString& name, QWidget* parent) : QFrame(parent) {
    setObjectName(name);
    setFrameShape(QFrame::StyledPanel);
    setFixedSize(170, 26);
    bar_ = new QScrollBar(Qt::Horizontal, this);
    bar_->setObjectName(QStringLiteral("ScrollBar1"));
    bar_->setRange(0, timelapse::kSlotsPerDay);
    bar_->setPageStep(6);
    bar_->setGeometry(3, 4, 110, 18);
    label_ = new QLabel(SlotToTimeText(0), this);
    label_->setObjectName(QStringLiteral("Label1"));
    label_->setGeometry(120, 4, 46, 18);
    connect(bar_, &QScrollBar::valueChanged, this, [this](int slot) {
        SelectedTime();
        emit Changed(slot);
    });
}

void TTimerSel::setup(int slot) {
    bar_->setValue(slot);
    SelectedTime();
}

int TTimerSel::get144Time() const { return bar_->value(); }

QString TTimerSel::SelectedTime() {
    const QString text = SlotToTimeText(bar_->value());
    label_->setText(text);
    return text;
}
