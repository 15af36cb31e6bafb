#include "publish/AviPlayerWindow.h"

#include "core/MessageBox.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

AviVideoPanel::AviVideoPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("videoPanel"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void AviVideoPanel::SetFrame(const QImage& frame) {
    frame_ = frame;
    update();
}

void AviVideoPanel::Clear() {
    frame_ = QImage();
    update();
}

void AviVideoPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (frame_.isNull())
        painter.fillRect(rect(), Qt::black);
    else
        painter.drawImage(rect(), frame_);
}

void AviVideoPanel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit Clicked();
}

AviPlayerWindow::AviPlayerWindow(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("AviPlayerWindow"));
    setWindowTitle(QStringLiteral("AVI Player"));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    videoPanel = new AviVideoPanel(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(videoPanel);
    setFocusPolicy(Qt::StrongFocus);

    connect(videoPanel, &AviVideoPanel::Clicked, this, &AviPlayerWindow::StopAndClose);
    connect(&player_, &platform::VideoPlayback::FrameReady, this,
            [this] { videoPanel->SetFrame(player_.CurrentFrame()); });
    connect(&player_, &platform::VideoPlayback::Finished, this, &AviPlayerWindow::OnFinished);
}

AviPlayerWindow::~AviPlayerWindow() { player_.Stop(); }

void AviPlayerWindow::PlayAviFile(const QString& path) {
    player_.Stop();
    videoPanel->Clear();
    path_ = path;
    QString error;
    if (!player_.Play(path, &error)) {
        hide();
        ShowMessageBox(QFileInfo(path).isFile() ? CannotPlayText(error) : error);
        return;
    }
    // Without a window manager a full-screen request alone leaves the window at its own size.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());
    showFullScreen();
    raise();
    activateWindow();
    setFocus();
}

void AviPlayerWindow::StopAndClose() {
    player_.Stop();
    close();
}

void AviPlayerWindow::OnFinished(bool reachedEnd, const QString& error) {
    // The pipeline is at NULL already.
    close();
    if (!reachedEnd)
        ShowMessageBox(CannotPlayText(error));
}

QString AviPlayerWindow::CannotPlayText(const QString& reason) const {
    return reason.isEmpty() ? QStringLiteral("The AVI file %1 cannot be played.").arg(path_)
                            : QStringLiteral("The AVI file %1 cannot be played: %2").arg(path_, reason);
}

void AviPlayerWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        StopAndClose();
        return;
    }
    QWidget::keyPressEvent(event);
}

void AviPlayerWindow::closeEvent(QCloseEvent* event) {
    player_.Stop();
    videoPanel->Clear();
    QWidget::closeEvent(event);
    emit Closed();
}
