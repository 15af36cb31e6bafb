#include "core/TimeLapseWindow.h"

#include "core/TimeOfDaySelector.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QWindow>

namespace {

template <typename T>
T* Named(T* widget, const QString& name, QRect geometry) {
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry) {
    return Named(new QLabel(text, parent), name, geometry);
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text, QRect geometry) {
    auto* button = Named(new QPushButton(text, parent), name, geometry);
    // Enter belongs to the interval edit, not to a default button.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace

TimeLapseWindow::TimeLapseWindow(TimeLapse& timeLapse, QWidget* parent) : QDialog(parent), timeLapse_(timeLapse) {
    setObjectName(QStringLiteral("TimeLapseWindow"));
    setWindowTitle(kCaption);
    setFixedSize(470, 370);
    BuildControls();
    Bind();
    timeLapse_.SetDialog(this);
}

TimeLapseWindow::~TimeLapseWindow() { timeLapse_.SetDialog(nullptr); }

void TimeLapseWindow::BuildControls() {
    MakeLabel(this, QStringLiteral("intervalLabel"), QStringLiteral("Seconds between pictures"), QRect(10, 10, 170, 21));
    intervalEdit = Named(new QLineEdit(this), QStringLiteral("intervalEdit"), QRect(180, 10, 60, 21));
    MakeLabel(this, QStringLiteral("diskShareLabel"), QStringLiteral("Maximum % of disk"), QRect(10, 40, 170, 21));
    diskShareList = Named(new QListWidget(this), QStringLiteral("diskShareList"), QRect(180, 40, 60, 70));

    const struct {
        QCheckBox** box;
        TimeOfDaySelector** start;
        TimeOfDaySelector** stop;
        const char* boxName;
        const char* startName;
        const char* stopName;
        const char* title;
        int y;
    } cameras[] = {
        {&camera1WindowBox, &camera1StartSelector, &camera1StopSelector, "camera1WindowBox", "camera1StartSelector", "camera1StopSelector", "Camera 1", 120},
        {&camera2WindowBox, &camera2StartSelector, &camera2StopSelector, "camera2WindowBox", "camera2StartSelector", "camera2StopSelector", "Camera 2", 175},
    };
    for (const auto& c : cameras) {
        MakeLabel(this, QString::fromLatin1(c.boxName) + "Label", QString::fromLatin1(c.title), QRect(10, c.y, 70, 21));
        *c.box = Named(new QCheckBox(QStringLiteral("Enabled"), this), QString::fromLatin1(c.boxName),
                       QRect(80, c.y, 80, 21));
        *c.start = new TimeOfDaySelector(QString::fromLatin1(c.startName), this);
        (*c.start)->move(10, c.y + 24);
        *c.stop = new TimeOfDaySelector(QString::fromLatin1(c.stopName), this);
        (*c.stop)->move(190, c.y + 24);
    }
    // The stops start at the end of the day.
    camera1StopSelector->setup(timelapse::kSlotsPerDay);
    camera2StopSelector->setup(timelapse::kSlotsPerDay);

    const QStringList actions = {QStringLiteral("Motion"), QStringLiteral("Time Lapse"), QStringLiteral("Both")};
    camera1ActionCombo = Named(new QComboBox(this), QStringLiteral("camera1ActionCombo"), QRect(370, 120, 90, 21));
    camera2ActionCombo = Named(new QComboBox(this), QStringLiteral("camera2ActionCombo"), QRect(370, 175, 90, 21));
    for (QComboBox* list : {camera1ActionCombo, camera2ActionCombo}) {
        list->addItems(actions);
        list->setCurrentIndex(0);
        list->hide();
    }
    recycleBox = Named(new QCheckBox(QStringLiteral("Recycle Disk Space"), this), QStringLiteral("recycleBox"),
                      QRect(260, 10, 150, 21));
    recycleBox->hide();

    estimatePanel = Named(new QGroupBox(QStringLiteral("Statistical Estimate"), this),
                          QStringLiteral("estimatePanel"), QRect(10, 230, 450, 100));
    MakeLabel(estimatePanel, QStringLiteral("perDayCaptionLabel"), QStringLiteral("A day: Cam1"), QRect(10, 20, 75, 16));
    picturesPerDay1Label = MakeLabel(estimatePanel, QStringLiteral("picturesPerDay1Label"), QString(), QRect(88, 20, 60, 16));
    MakeLabel(estimatePanel, QStringLiteral("camera2CaptionLabel"), QStringLiteral("Cam2"), QRect(150, 20, 35, 16));
    picturesPerDay2Label = MakeLabel(estimatePanel, QStringLiteral("picturesPerDay2Label"), QString(), QRect(188, 20, 60, 16));
    MakeLabel(estimatePanel, QStringLiteral("maxPicturesCaptionLabel"), QStringLiteral("Max. pictures"), QRect(250, 20, 85, 16));
    maxPicturesLabel = MakeLabel(estimatePanel, QStringLiteral("maxPicturesLabel"), QString(), QRect(338, 20, 105, 16));
    fileSize1Label = MakeLabel(estimatePanel, QStringLiteral("fileSize1Label"), QString(), QRect(10, 38, 210, 16));
    fileSize2Label = MakeLabel(estimatePanel, QStringLiteral("fileSize2Label"), QString(), QRect(230, 38, 210, 16));
    usableLabel = MakeLabel(estimatePanel, QStringLiteral("usableLabel"), QString(), QRect(10, 56, 210, 16));
    freeSpaceLabel = MakeLabel(estimatePanel, QStringLiteral("freeSpaceLabel"), QString(), QRect(230, 56, 210, 16));
    expiresLabel = MakeLabel(estimatePanel, QStringLiteral("expiresLabel"), QString(), QRect(10, 76, 210, 16));
    allowableLabel = MakeLabel(estimatePanel, QStringLiteral("allowableLabel"), QString(), QRect(230, 76, 210, 16));

    startTimeLapseButton = MakeButton(this, QStringLiteral("startTimeLapseButton"), QStringLiteral("S&tart"), QRect(200, 338, 80, 25));
    stopTimeLapseButton = MakeButton(this, QStringLiteral("stopTimeLapseButton"), QStringLiteral("&Stop"), QRect(290, 338, 80, 25));
    closeTimeLapseButton = MakeButton(this, QStringLiteral("closeTimeLapseButton"), QStringLiteral("&Close"), QRect(380, 338, 80, 25));
}

void TimeLapseWindow::Bind() {
    const struct {
        TimeOfDaySelector* selector;
        int camera;
        bool stop;
    } selectors[] = {{camera1StartSelector, 1, false}, {camera1StopSelector, 1, true}, {camera2StartSelector, 2, false}, {camera2StopSelector, 2, true}};
    for (const auto& s : selectors) {
        connect(s.selector, &TimeOfDaySelector::Changed, this, [this, s](int slot) {
            if (!syncing_)
                timeLapse_.SelectorChanged(s.camera, s.stop, slot);
        });
    }
    for (QCheckBox* box : {camera1WindowBox, camera2WindowBox}) {
        connect(box, &QCheckBox::toggled, this, [this] {
            EnableSelectors();
            if (!syncing_)
                timeLapse_.WindowToggled();
        });
    }
    connect(intervalEdit, &QLineEdit::returnPressed, this, [this] { timeLapse_.PercentChosen(SelectedPercentLine()); });
    connect(diskShareList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!syncing_)
            timeLapse_.PercentChosen(row);
    });
    connect(startTimeLapseButton, &QPushButton::clicked, this, [this] {
        SetIntervalText(timeLapse_.StartIntervalText(intervalEdit->text()));
        Finish(Outcome::Start);
    });
    connect(stopTimeLapseButton, &QPushButton::clicked, this, [this] { Finish(Outcome::Stop); });
    connect(closeTimeLapseButton, &QPushButton::clicked, this, [this] { Finish(Outcome::Close); });
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &TimeLapseWindow::OnFocusWindowChanged);
    EnableSelectors();
}

void TimeLapseWindow::EnableSelectors() {
    for (TimeOfDaySelector* s : {camera1StartSelector, camera1StopSelector})
        s->setEnabled(camera1WindowBox->isChecked());
    for (TimeOfDaySelector* s : {camera2StartSelector, camera2StopSelector})
        s->setEnabled(camera2WindowBox->isChecked());
}

int TimeLapseWindow::SelectedPercentLine() const {
    return diskShareList->selectedItems().isEmpty() ? -1 : diskShareList->currentRow();
}

void TimeLapseWindow::Prepare(int seconds, bool recycle) {
    setWindowTitle(kCaption);
    outcome_ = Outcome::Close;
    syncing_ = true;
    intervalEdit->setText(QString::number(seconds));
    recycleBox->setChecked(recycle);
    syncing_ = false;
}

void TimeLapseWindow::FillPercentList(int count) {
    syncing_ = true;
    diskShareList->clear();
    for (int percent = 1; percent <= count; ++percent)
        diskShareList->addItem(QString::number(percent));
    syncing_ = false;
}

TimeLapseDialogValues TimeLapseWindow::Values() const {
    TimeLapseDialogValues v;
    v.intervalText = intervalEdit->text();
    v.action[0] = camera1ActionCombo->currentIndex();
    v.action[1] = camera2ActionCombo->currentIndex();
    v.windowOn[0] = camera1WindowBox->isChecked();
    v.windowOn[1] = camera2WindowBox->isChecked();
    v.startSlot[0] = camera1StartSelector->SelectedSlot();
    v.startSlot[1] = camera2StartSelector->SelectedSlot();
    v.stopSlot[0] = camera1StopSelector->SelectedSlot();
    v.stopSlot[1] = camera2StopSelector->SelectedSlot();
    v.recycle = recycleBox->isChecked();
    v.percentLine = SelectedPercentLine();
    return v;
}

void TimeLapseWindow::SetIntervalText(const QString& text) { intervalEdit->setText(text); }

void TimeLapseWindow::ShowEstimate(const timelapse::Estimate& e) {
    picturesPerDay1Label->setText(e.picsPerDay[0]);
    picturesPerDay2Label->setText(e.picsPerDay[1]);
    if (!e.complete)
        return;
    maxPicturesLabel->setText(e.maxPics);
    expiresLabel->setText(e.expires);
    fileSize1Label->setText(e.fileSize[0]);
    fileSize2Label->setText(e.fileSize[1]);
    usableLabel->setText(e.usable);
    freeSpaceLabel->setText(e.freeText);
}

void TimeLapseWindow::ShowAllowable(const QString& text) { allowableLabel->setText(text); }

TimeLapseDialog::Outcome TimeLapseWindow::Exec() {
    outcome_ = Outcome::Close;
    // Loaded now as well, so the fields are right where no window manager activates us.
    FormActivate();
    activationPending_ = true;
    exec();
    activationPending_ = false;
    timeLapse_.SaveTimeLapseSettings(Values());
    return outcome_;
}

void TimeLapseWindow::Finish(Outcome outcome) {
    outcome_ = outcome;
    QDialog::accept();
}

void TimeLapseWindow::reject() { Finish(Outcome::Close); }

void TimeLapseWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        timeLapse_.HelpRequested();
        return;
    }
    QDialog::keyPressEvent(event); // Esc: reject, which closes
}

void TimeLapseWindow::FormActivate() {
    const TimeLapseDialogValues v = timeLapse_.DialogValuesFromSettings();
    syncing_ = true;
    intervalEdit->setText(v.intervalText);
    camera1ActionCombo->setCurrentIndex(qBound(0, v.action[0], camera1ActionCombo->count() - 1));
    camera2ActionCombo->setCurrentIndex(qBound(0, v.action[1], camera2ActionCombo->count() - 1));
    camera1WindowBox->setChecked(v.windowOn[0]);
    camera2WindowBox->setChecked(v.windowOn[1]);
    camera1StartSelector->setup(v.startSlot[0]);
    camera2StartSelector->setup(v.startSlot[1]);
    camera1StopSelector->setup(v.stopSlot[0]);
    camera2StopSelector->setup(v.stopSlot[1]);
    recycleBox->setChecked(v.recycle);
    if (v.percentLine >= 0 && v.percentLine < diskShareList->count())
        diskShareList->setCurrentRow(v.percentLine);
    syncing_ = false;
    EnableSelectors();
    timeLapse_.UpdateTimeLapseEstimate();
}

void TimeLapseWindow::OnFocusWindowChanged(QWindow* focus) {
    QWindow* own = windowHandle();
    if (own && focus == own) {
        hadFocus_ = true;
        return; // judged when the activation event arrives
    }
    // Another window of the station taking over saves; a switch to another application
    // (no focus window of ours) does not.
    if (hadFocus_ && focus && isVisible())
        timeLapse_.SaveTimeLapseSettings(Values());
    hadFocus_ = false;
    lastFocusWasOurs_ = focus != nullptr;
}

bool TimeLapseWindow::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate && isVisible() && (activationPending_ || lastFocusWasOurs_)) {
        activationPending_ = false;
        lastFocusWasOurs_ = false;
        FormActivate();
    }
    return handled;
}
