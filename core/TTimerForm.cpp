#include "core/TTimerForm.h"

#include "core/TTimerSel.h"

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

TTimerForm::TTimerForm(TimeLapse& timeLapse, QWidget* parent) : QDialog(parent), timeLapse_(timeLapse) {
    setObjectName(QStringLiteral("TimerForm"));
    setWindowTitle(kCaption);
    setFixedSize(470, 370);
    BuildControls();
    Bind();
    timeLapse_.SetDialog(this);
}

TTimerForm::~TTimerForm() { timeLapse_.SetDialog(nullptr); }

void TTimerForm::BuildControls() {
    MakeLabel(this, QStringLiteral("Label1"), QStringLiteral("Seconds between pictures"), QRect(10, 10, 170, 21));
    timerseconds = Named(new QLineEdit(this), QStringLiteral("timerseconds"), QRect(180, 10, 60, 21));
    MakeLabel(this, QStringLiteral("Label2"), QStringLiteral("Maximum % of disk"), QRect(10, 40, 170, 21));
    maxdiskspace = Named(new QListWidget(this), QStringLiteral("maxdiskspace"), QRect(180, 40, 60, 70));

    const struct {
        QCheckBox** box;
        TTimerSel** start;
        TTimerSel** stop;
        const char* boxName;
        const char* startName;
        const char* stopName;
        const char* title;
        int y;
    } cameras[] = {
        {&Cam1Timer, &Cam1StartTime, &Cam1StopTime, "Cam1Timer", "Cam1StartTime", "Cam1StopTime", "Camera 1", 120},
        {&Cam2Timer, &Cam2StartTime, &Cam2StopTime, "Cam2Timer", "Cam2StartTime", "Cam2StopTime", "Camera 2", 175},
    };
    for (const auto& c : cameras) {
        MakeLabel(this, QString::fromLatin1(c.boxName) + "Label", QString::fromLatin1(c.title), QRect(10, c.y, 70, 21));
        *c.box = Named(new QCheckBox(QStringLiteral("Enabled"), this), QString::fromLatin1(c.boxName),
                       QRect(80, c.y, 80, 21));
        *c.start = new TTimerSel(QString::fromLatin1(c.startName), this);
        (*c.start)->move(10, c.y + 24);
        *c.stop = new TTimerSel(QString::fromLatin1(c.stopName), this);
        (*c.stop)->move(190, c.y + 24);
    }
    // The stops start at the end of the day.
    Cam1StopTime->setup(timelapse::kSlotsPerDay);
    Cam2StopTime->setup(timelapse::kSlotsPerDay);

    const QStringList actions = {QStringLiteral("Motion"), QStringLiteral("Time Lapse"), QStringLiteral("Both")};
    action1 = Named(new QComboBox(this), QStringLiteral("action1"), QRect(370, 120, 90, 21));
    action2 = Named(new QComboBox(this), QStringLiteral("action2"), QRect(370, 175, 90, 21));
    for (QComboBox* list : {action1, action2}) {
        list->addItems(actions);
        list->setCurrentIndex(0);
        list->hide();
    }
    CheckBox1 = Named(new QCheckBox(QStringLiteral("Recycle Disk Space"), this), QStringLiteral("CheckBox1"),
                      QRect(260, 10, 150, 21));
    CheckBox1->hide();

    EstimatePanel = Named(new QGroupBox(QStringLiteral("Statistical Estimate"), this),
                          QStringLiteral("EstimatePanel"), QRect(10, 230, 450, 100));
    MakeLabel(EstimatePanel, QStringLiteral("Label3"), QStringLiteral("A day: Cam1"), QRect(10, 20, 75, 16));
    picsperday = MakeLabel(EstimatePanel, QStringLiteral("picsperday"), QString(), QRect(88, 20, 60, 16));
    MakeLabel(EstimatePanel, QStringLiteral("Label4"), QStringLiteral("Cam2"), QRect(150, 20, 35, 16));
    picsperday2 = MakeLabel(EstimatePanel, QStringLiteral("picsperday2"), QString(), QRect(188, 20, 60, 16));
    MakeLabel(EstimatePanel, QStringLiteral("Label5"), QStringLiteral("Max. pictures"), QRect(250, 20, 85, 16));
    maxpics = MakeLabel(EstimatePanel, QStringLiteral("maxpics"), QString(), QRect(338, 20, 105, 16));
    FileSize1 = MakeLabel(EstimatePanel, QStringLiteral("FileSize1"), QString(), QRect(10, 38, 210, 16));
    FileSize2 = MakeLabel(EstimatePanel, QStringLiteral("FileSize2"), QString(), QRect(230, 38, 210, 16));
    Usable = MakeLabel(EstimatePanel, QStringLiteral("Usable"), QString(), QRect(10, 56, 210, 16));
    FreeSpace = MakeLabel(EstimatePanel, QStringLiteral("FreeSpace"), QString(), QRect(230, 56, 210, 16));
    Expires = MakeLabel(EstimatePanel, QStringLiteral("Expires"), QString(), QRect(10, 76, 210, 16));
    Allowable = MakeLabel(EstimatePanel, QStringLiteral("Allowable"), QString(), QRect(230, 76, 210, 16));

    Start = MakeButton(this, QStringLiteral("Start"), QStringLiteral("S&tart"), QRect(200, 338, 80, 25));
    Stop = MakeButton(this, QStringLiteral("Stop"), QStringLiteral("&Stop"), QRect(290, 338, 80, 25));
    Cancel = MakeButton(this, QStringLiteral("Cancel"), QStringLiteral("&Close"), QRect(380, 338, 80, 25));
}

void TTimerForm::Bind() {
    const struct {
        TTimerSel* selector;
        int camera;
        bool stop;
    } selectors[] = {{Cam1StartTime, 1, false}, {Cam1StopTime, 1, true}, {Cam2StartTime, 2, false}, {Cam2StopTime, 2, true}};
    for (const auto& s : selectors) {
        connect(s.selector, &TTimerSel::Changed, this, [this, s](int slot) {
            if (!syncing_)
                timeLapse_.SelectorChanged(s.camera, s.stop, slot);
        });
    }
    for (QCheckBox* box : {Cam1Timer, Cam2Timer}) {
        connect(box, &QCheckBox::toggled, this, [this] {
            EnableSelectors();
            if (!syncing_)
                timeLapse_.WindowToggled();
        });
    }
    connect(timerseconds, &QLineEdit::returnPressed, this, [this] { timeLapse_.PercentChosen(SelectedPercentLine()); });
    connect(maxdiskspace, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!syncing_)
            timeLapse_.PercentChosen(row);
    });
    connect(Start, &QPushButton::clicked, this, [this] {
        SetIntervalText(timeLapse_.StartIntervalText(timerseconds->text()));
        Finish(Outcome::Start);
    });
    connect(Stop, &QPushButton::clicked, this, [this] { Finish(Outcome::Stop); });
    connect(Cancel, &QPushButton::clicked, this, [this] { Finish(Outcome::Close); });
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &TTimerForm::OnFocusWindowChanged);
    EnableSelectors();
}

void TTimerForm::EnableSelectors() {
    for (TTimerSel* s : {Cam1StartTime, Cam1StopTime})
        s->setEnabled(Cam1Timer->isChecked());
    for (TTimerSel* s : {Cam2StartTime, Cam2StopTime})
        s->setEnabled(Cam2Timer->isChecked());
}

int TTimerForm::SelectedPercentLine() const {
    return maxdiskspace->selectedItems().isEmpty() ? -1 : maxdiskspace->currentRow();
}

void TTimerForm::Prepare(int seconds, bool recycle) {
    setWindowTitle(kCaption);
    outcome_ = Outcome::Close;
    syncing_ = true;
    timerseconds->setText(QString::number(seconds));
    CheckBox1->setChecked(recycle);
    syncing_ = false;
}

void TTimerForm::FillPercentList(int count) {
    syncing_ = true;
    maxdiskspace->clear();
    for (int percent = 1; percent <= count; ++percent)
        maxdiskspace->addItem(QString::number(percent));
    syncing_ = false;
}

TimeLapseDialogValues TTimerForm::Values() const {
    TimeLapseDialogValues v;
    v.intervalText = timerseconds->text();
    v.action[0] = action1->currentIndex();
    v.action[1] = action2->currentIndex();
    v.windowOn[0] = Cam1Timer->isChecked();
    v.windowOn[1] = Cam2Timer->isChecked();
    v.startSlot[0] = Cam1StartTime->get144Time();
    v.startSlot[1] = Cam2StartTime->get144Time();
    v.stopSlot[0] = Cam1StopTime->get144Time();
    v.stopSlot[1] = Cam2StopTime->get144Time();
    v.recycle = CheckBox1->isChecked();
    v.percentLine = SelectedPercentLine();
    return v;
}

void TTimerForm::SetIntervalText(const QString& text) { timerseconds->setText(text); }

void TTimerForm::ShowEstimate(const timelapse::Estimate& e) {
    picsperday->setText(e.picsPerDay[0]);
    picsperday2->setText(e.picsPerDay[1]);
    if (!e.complete)
        return;
    maxpics->setText(e.maxPics);
    Expires->setText(e.expires);
    FileSize1->setText(e.fileSize[0]);
    FileSize2->setText(e.fileSize[1]);
    Usable->setText(e.usable);
    FreeSpace->setText(e.freeText);
}

void TTimerForm::ShowAllowable(const QString& text) { Allowable->setText(text); }

TimeLapseDialog::Outcome TTimerForm::Exec() {
    outcome_ = Outcome::Close;
    // Loaded now as well, so the fields are right where no window manager activates us.
    FormActivate();
    activationPending_ = true;
    exec();
    activationPending_ = false;
    timeLapse_.SaveTimeLapseSettings(Values());
    return outcome_;
}

void TTimerForm::Finish(Outcome outcome) {
    outcome_ = outcome;
    QDialog::accept();
}

void TTimerForm::reject() { Finish(Outcome::Close); }

void TTimerForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        timeLapse_.HelpRequested();
        return;
    }
    QDialog::keyPressEvent(event); // Esc: reject, which closes
}

void TTimerForm::FormActivate() {
    const TimeLapseDialogValues v = timeLapse_.DialogValuesFromSettings();
    syncing_ = true;
    timerseconds->setText(v.intervalText);
    action1->setCurrentIndex(qBound(0, v.action[0], action1->count() - 1));
    action2->setCurrentIndex(qBound(0, v.action[1], action2->count() - 1));
    Cam1Timer->setChecked(v.windowOn[0]);
    Cam2Timer->setChecked(v.windowOn[1]);
    Cam1StartTime->setup(v.startSlot[0]);
    Cam2StartTime->setup(v.startSlot[1]);
    Cam1StopTime->setup(v.stopSlot[0]);
    Cam2StopTime->setup(v.stopSlot[1]);
    CheckBox1->setChecked(v.recycle);
    if (v.percentLine >= 0 && v.percentLine < maxdiskspace->count())
        maxdiskspace->setCurrentRow(v.percentLine);
    syncing_ = false;
    EnableSelectors();
    timeLapse_.UpdateTimeLapseEstimate();
}

void TTimerForm::OnFocusWindowChanged(QWindow* focus) {
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

bool TTimerForm::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate && isVisible() && (activationPending_ || lastFocusWasOurs_)) {
        activationPending_ = false;
        lastFocusWasOurs_ = false;
        FormActivate();
    }
    return handled;
}
