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
    setObjectName(QStringLiteral("aviPanel"));
    setFrameShape(QFrame::Panel);
    statusLabel = new QLabel(QStringLiteral("New AVI"), this);
    statusLabel->setObjectName(QStringLiteral("statusLabel"));
    statusLabel->setWordWrap(true);
    creationProgressBar = new QProgressBar(this);
    creationProgressBar->setObjectName(QStringLiteral("creationProgressBar"));
    creationProgressBar->setRange(0, 100);
    creationProgressBar->hide();
    openButton = MakeButton(this, "openButton", QStringLiteral("&Open"));
    playButton = MakeButton(this, "playButton", QStringLiteral("&Play"));
    createButton = MakeButton(this, "createButton", QStringLiteral("&Create"));
    compressionBox = new QCheckBox(QStringLiteral("Use Compression"), this);
    compressionBox->setObjectName(QStringLiteral("compressionBox"));
    // Its box is drawn in the base colour: on the black log it would not show.
    QPalette box = compressionBox->palette();
    box.setColor(QPalette::Base, Qt::white);
    box.setColor(QPalette::Text, Qt::black);
    compressionBox->setPalette(box);
    closeButton = MakeButton(this, "closeButton", QStringLiteral("C&lose"));

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {openButton, playButton, createButton})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(statusLabel);
    layout->addWidget(creationProgressBar);
    layout->addLayout(buttons);
    // A row of its own: beside the buttons the log's small size cut it off.
    layout->addWidget(compressionBox);

    connect(openButton, &QPushButton::clicked, &logic_, &AviPanelLogic::OpenClicked);
    connect(playButton, &QPushButton::clicked, &logic_, &AviPanelLogic::PlayClicked);
    connect(createButton, &QPushButton::clicked, &logic_, &AviPanelLogic::CreateAviFromPictures);
    connect(closeButton, &QPushButton::clicked, &logic_, &AviPanelLogic::CloseClicked);
    connect(&logic_, &AviPanelLogic::StatusChanged, statusLabel, &QLabel::setText);
    connect(&logic_, &AviPanelLogic::ProgressChanged, creationProgressBar, &QProgressBar::setValue);
    connect(&logic_, &AviPanelLogic::ProgressVisibleChanged, this, [this](bool visible) {
        creationProgressBar->setVisible(visible);
        createButton->setEnabled(!visible); // one creation at a time
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
        hooks.UseCompression = [this] { return compressionBox->isChecked(); };
    if (!hooks.AskCompression)
        hooks.AskCompression = [this]() -> std::optional<AviCompressionChoice> {
            const auto choice = AviCompressionDialog::Ask(window(), lastCompression_);
            if (choice)
                lastCompression_ = *choice;
            return choice;
        };
    return hooks;
}
