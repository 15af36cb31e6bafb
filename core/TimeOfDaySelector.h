#pragma once
// A time-of-day selector in 10-minute slots: a scroll bar 0..144 and a label "HH:MM".
#include <QFrame>

class QLabel;
class QScrollBar;

class TimeOfDaySelector : public QFrame {
    Q_OBJECT
public:
    explicit TimeOfDaySelector(const QString& name, QWidget* parent = nullptr);

    // Sets the position and refreshes the label.
    void setup(int slot);
    int SelectedSlot() const;
    // The label text, "HH:MM".
    QString SelectedTime();

    QScrollBar* ScrollBar() const { return slotScrollBar_; }

signals:
    void Changed(int slot);

private:
    QScrollBar* slotScrollBar_ = nullptr;
    QLabel* timeLabel_ = nullptr;
};
