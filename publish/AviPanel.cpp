#include "publish/AviPanel.h"

#include "core/SaveFileNameAsker.h"
#include "publish/AviCompressionDialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kAviFilter = QStringLiteral("AVI file (*.avi)");

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

AviPanel::AviPanel(QWidget* parent) : QFrame(parent), logic_(AviPanelHooks{}) {
    setObjectName(QStringLiteral("Panel5"));
    setFrameShape(QFrame::Panel);
    Label2 = new QLabel(QStringLiteral("New AVI"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->hide();
    Button14 = MakeButton(this, "Button14", QStringLiteral("&Open"));
    Button15 = MakeButton(this, "Button15", QStringLiteral("&Play"));
    Button16 = MakeButton(this, "Button16", QStringLiteral("&Create"));
    CheckBox1 = new QCheckBox(QStringLiteral("Use Compression"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    // Its box is drawn in the base colour: on the black log it would not show.
    QPalette box = CheckBox1->palette();
    box.setColor(QPalette::Base, Qt::white);
    box.setColor(QPalette::Text, Qt::black);
    CheckBox1->setPalette(box);
    Button17 = MakeButton(this, "Button17", QStringLiteral("C&lose"));

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {Button14, Button15, Button16})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(Button17);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label2);
    layout->addWidget(ProgressBar1);
    layout->addLayout(buttons);
    // A row of its own: beside the buttons the log's small size cut it off.
    layout->addWidget(CheckBox1);

    connect(Button14, &QPushButton::clicked, &logic_, &AviPanelLogic::OpenClicked);
    connect(Button15, &QPushButton::clicked, &logic_, &AviPanelLogic::PlayClicked);
    connect(Button16, &QPushButton::clicked, &logic_, &AviPanelLogic::CreateAviFromPictures);
    connect(Button17, &QPushButton::clicked, &logic_, &AviPanelLogic::CloseClicked);
    connect(&logic_, &AviPanelLogic::StatusChanged, Label2, &QLabel::setText);
    connect(&logic_, &AviPanelLogic::ProgressChanged, ProgressBar1, &QProgressBar::setValue);
    connect(&logic_, &AviPanelLogic::ProgressVisibleChanged, this, [this](bool visible) {
        ProgressBar1->setVisible(visible);
        Button16->setEnabled(!visible); // one creation at a time
    });
    connect(&logic_, &AviPanelLogic::PanelVisibleChanged, this, &QWidget::setVisible);
    logic_.SetHooks(WithDefaults({}));
    hide(); // shown by the log window's "AVI" button and "Create AVI"
}

void AviPanel::SetHooks(AviPanelHooks hooks) { logic_.SetHooks(WithDefaults(std::move(hooks))); }

AviPanelHooks AviPanel::WithDefaults(AviPanelHooks hooks) {
    if (!hooks.AskSaveFileName)
        hooks.AskSaveFileName = [this] {
            if (saveAsker_)
                return saveAsker_->AskSaveFileName(QStringLiteral("Save As"), kAviFilter + QStringLiteral("|*.avi"), QString());
            return QFileDialog::getSaveFileName(window(), QStringLiteral("Save As"), programFolder_, kAviFilter);
        };
    if (!hooks.AskOpenFileName)
        hooks.AskOpenFileName = [this] {
            return QFileDialog::getOpenFileName(window(), QStringLiteral("Open"), programFolder_, kAviFilter);
        };
    if (!hooks.AskYesNo)
        hooks.AskYesNo = [this](const QString& question) {
            return QMessageBox::question(window(), QString(), question, QMessageBox::Yes | QMessageBox::No,
                                         QMessageBox::Yes) == QMessageBox::Yes;
        };
    if (!hooks.UseCompression)
        hooks.UseCompression = [this] { return CheckBox1->isChecked(); };
    if (!hooks.AskCompression)
        hooks.AskCompression = [this]() -> std::optional<AviCompressionChoice> {
            const auto choice = AviCompressionDialog::Ask(window(), lastCompression_);
            if (choice)
                lastCompression_ = *choice;
            return choice;
        };
    return hooks;
}
