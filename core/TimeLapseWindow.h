#pragma once
// The time-lapse settings dialog: interval, daily windows, disk share and the statistical
// estimate. A thin window over TimeLapse, which decides everything.
#include "core/TimeLapse.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TimeOfDaySelector;

class TimeLapseWindow : public QDialog, public TimeLapseDialog {
    Q_OBJECT
public:
    static inline const QString kCaption = QStringLiteral("TORVEK Time Lapse Settings");

    explicit TimeLapseWindow(TimeLapse& timeLapse, QWidget* parent = nullptr);
    ~TimeLapseWindow() override;

    // TimeLapseDialog.
    void Prepare(int seconds, bool recycle) override;
    void FillPercentList(int count) override;
    TimeLapseDialogValues Values() const override;
    void SetIntervalText(const QString& text) override;
    bool IsShown() const override { return isVisible(); }
    void ShowEstimate(const timelapse::Estimate& estimate) override;
    void ShowAllowable(const QString& text) override;
    Outcome Exec() override;

    // Esc and closing the window count as Close.
    void reject() override;
    // Loads the record's fields into the controls.
    void FormActivate();

    QLineEdit* intervalEdit = nullptr;
    QListWidget* diskShareList = nullptr;
    QCheckBox* camera1WindowBox = nullptr;
    QCheckBox* camera2WindowBox = nullptr;
    TimeOfDaySelector* camera1StartSelector = nullptr;
    TimeOfDaySelector* camera1StopSelector = nullptr;
    TimeOfDaySelector* camera2StartSelector = nullptr;
    TimeOfDaySelector* camera2StopSelector = nullptr;
    QComboBox* camera1ActionCombo = nullptr;
    QComboBox* camera2ActionCombo = nullptr;
    QCheckBox* recycleBox = nullptr;
    QPushButton* startTimeLapseButton = nullptr;
    QPushButton* stopTimeLapseButton = nullptr;
    QPushButton* closeTimeLapseButton = nullptr;
    QGroupBox* estimatePanel = nullptr;
    QLabel* picturesPerDay1Label = nullptr;
    QLabel* picturesPerDay2Label = nullptr;
    QLabel* maxPicturesLabel = nullptr;
    QLabel* expiresLabel = nullptr;
    QLabel* allowableLabel = nullptr;
    QLabel* fileSize1Label = nullptr;
    QLabel* fileSize2Label = nullptr;
    QLabel* usableLabel = nullptr;
    QLabel* freeSpaceLabel = nullptr;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void Bind();
    void Finish(Outcome outcome);
    void OnFocusWindowChanged(QWindow* focus);
    void EnableSelectors();
    int SelectedPercentLine() const;

    TimeLapse& timeLapse_;
    Outcome outcome_ = Outcome::Close;
    bool syncing_ = false;
    bool activationPending_ = false;
    bool hadFocus_ = false;
    bool lastFocusWasOurs_ = false;
};
