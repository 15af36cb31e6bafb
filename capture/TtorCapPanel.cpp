// The camera view's set-up panel: capture modes and the driver dialogs.
#include "capture/TtorCap.h"

#include "capture/CaptureModes.h"
#include "capture/VideoCapture.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kNotSelected = QStringLiteral("Not Selected");

void Paint(QWidget* w, const QColor& back, const QColor& text) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, back);
    p.setColor(QPalette::Base, back);
    p.setColor(QPalette::Button, back);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::ButtonText, text);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QComboBox* ModeBox(QWidget* parent, const QString& name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setPlaceholderText(kNotSelected); // shown while no row is selected
    Paint(box, Qt::black, Qt::white);
    box->hide();
    return box;
}

QLabel* PanelLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(p);
    return label;
}

} // namespace

void TtorCap::BuildSetupPanel() {
    SetupPanel = new QFrame(this);
    SetupPanel->setObjectName(QStringLiteral("SetupPanel"));
    Paint(SetupPanel, QColor(0x80, 0x80, 0x00), Qt::white); // olive
    SetupPanel->setFrameShape(QFrame::Panel);
    SetupPanel->hide();
    auto* layout = new QVBoxLayout(SetupPanel);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(3);

    camName = new QLabel(SetupPanel);
    camName->setObjectName(QStringLiteral("camName"));
    Paint(camName, Qt::black, Qt::yellow);
    Label1 = PanelLabel(SetupPanel, QStringLiteral("Label1"), QStringLiteral("Video Mode"));
    Label1->hide();
    cbVModes = ModeBox(SetupPanel, QStringLiteral("cbVModes"));
    Label2 = PanelLabel(SetupPanel, QStringLiteral("Label2"), QStringLiteral("Audio Mode"));
    Label2->hide();
    cbAModes = ModeBox(SetupPanel, QStringLiteral("cbAModes"));
    Label3 = PanelLabel(SetupPanel, QStringLiteral("Label3"), QStringLiteral("Manufacturer\u2019s Drivers"));
    lbDialogs = new QListWidget(SetupPanel);
    lbDialogs->setObjectName(QStringLiteral("lbDialogs"));
    Paint(lbDialogs, Qt::black, Qt::white);
    lbDialogs->installEventFilter(this);
    Label4 = PanelLabel(SetupPanel, QStringLiteral("Label4"), QStringLiteral("Double Click to view"));
    Button2 = new QPushButton(QStringLiteral("Hide"), SetupPanel);
    Button2->setObjectName(QStringLiteral("Button2"));

    for (QWidget* w : std::initializer_list<QWidget*>{camName, Label1, cbVModes, Label2, cbAModes, Label3,
                                                      lbDialogs, Label4, Button2})
        layout->addWidget(w);

    connect(cbVModes, &QComboBox::activated, this, &TtorCap::cbVModesChange);
    connect(cbAModes, &QComboBox::activated, this, &TtorCap::cbAModesChange);
    connect(lbDialogs, &QListWidget::itemDoubleClicked, this, &TtorCap::lbDialogsDblClick);
    connect(Button2, &QPushButton::clicked, this, &TtorCap::Button2Click);
}

void TtorCap::capChangeDevice() {
    cbVModes->clear();
    const int videoModes = cap->VideoModeCount();
    for (int i = 0; i < videoModes; ++i) {
        TVideoMode mode{};
        cap->GetVideoMode(i, mode);
        cbVModes->addItem(DescribeVideoMode(mode));
    }
    cbAModes->clear();
    const int audioModes = cap->AudioModeCount();
    for (int i = 0; i < audioModes; ++i) {
        TAudioMode mode{};
        cap->GetAudioMode(i, mode);
        cbAModes->addItem(DescribeAudioMode(mode));
    }
    SelectCurrentModes();

    lbDialogs->clear();
    const TDialogSet set = dialogs_->FindDialogs();
    for (int n = 0; n < CaptureDialogCount; ++n) {
        if (!DialogInSet(set, n))
            continue;
        auto* item = new QListWidgetItem(QString::fromLatin1(CaptureDialogNames[n]), lbDialogs);
        item->setData(Qt::UserRole, n);
    }
}

void TtorCap::SelectCurrentModes() {
    // No row stays selected when the current mode is not among them.
    cbVModes->setCurrentIndex(-1);
    cbAModes->setCurrentIndex(-1);
    TVideoMode currentVideo{};
    cap->GetCurrentVideoMode(currentVideo);
    for (int i = 0; i < cbVModes->count(); ++i) {
        TVideoMode mode{};
        cap->GetVideoMode(i, mode);
        if (IsSameVideoMode(mode, currentVideo)) {
            cbVModes->setCurrentIndex(i);
            break;
        }
    }
    TAudioMode currentAudio{};
    cap->GetCurrentAudioMode(currentAudio);
    for (int i = 0; i < cbAModes->count(); ++i) {
        TAudioMode mode{};
        cap->GetAudioMode(i, mode);
        if (IsSameAudioMode(mode, currentAudio)) {
            cbAModes->setCurrentIndex(i);
            break;
        }
    }
}

void TtorCap::lbDialogsDblClick() {
    QListWidgetItem* item = lbDialogs->currentItem();
    if (lbDialogs->count() < 1 || !item)
        return;
    const QPointer<TtorCap> self(this);
    dialogs_->ShowDialog(item->data(Qt::UserRole).toInt());
    if (!self)
        return; // the view went while the dialog was open
    // A format chosen in the pin dialog is the current mode now.
    SelectCurrentModes();
}

void TtorCap::lbDialogsKeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        lbDialogsDblClick();
}

bool TtorCap::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lbDialogs && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            lbDialogsKeyDown(key);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void TtorCap::cbVModesChange() {
    cap->SetVideoMode(cbVModes->currentIndex());
    cap->StartPreview();
    SelectCurrentModes(); // a refused change (while recording) shows the mode still in use
}

void TtorCap::cbAModesChange() {
    cap->SetAudioMode(cbAModes->currentIndex());
    cap->StartPreview();
    SelectCurrentModes();
}

void TtorCap::ShowSetupPanel() {
    SetupPanel->setFrameShape(QFrame::NoFrame);
    SetupPanel->setWindowTitle(QString());
    Paint(SetupPanel, Qt::black, Qt::white);
    SetupPanel->move(10, 10);
    SetupPanel->resize(220, qMin(SetupPanel->sizeHint().height(), qMax(height() - 20, 60)));
    SetupPanel->show();
    SetupPanel->raise();
    cap->StopPreview();
    for (QComboBox* box : {cbVModes, cbAModes}) {
        if (box->count() > 0) {
            box->setEnabled(true);
        } else {
            box->setPlaceholderText(QStringLiteral("N/A"));
            box->setCurrentIndex(-1);
            box->setEnabled(false);
        }
    }
}

void TtorCap::Button2Click() {
    SetupPanel->hide();
}
