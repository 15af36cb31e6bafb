#include "app/Magnifier.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QWindow>

namespace {

constexpr int kToolbarHeight = 28;
constexpr int kMaxMagnification = 10;

MagnifierKey KeyOf(int key) {
    switch (key) {
    case Qt::Key_Up: return MagnifierKey::Up;
    case Qt::Key_Down: return MagnifierKey::Down;
    case Qt::Key_Left: return MagnifierKey::Left;
    case Qt::Key_Right: return MagnifierKey::Right;
    default: return MagnifierKey::Other;
    }
}

} // namespace

// pictureView: the frame's picture, stretched over it.
class Magnifier::PictureView : public QWidget {
public:
    explicit PictureView(Magnifier& frame) : QWidget(&frame), frame_(frame) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
        setContextMenuPolicy(Qt::CustomContextMenu);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        ++frame_.paints_;
        QPainter painter(this);
        frame_.shown_.Paint(painter, event->region(), size(), Qt::black);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        frame_.PictureViewMouseMove(at.x(), at.y());
        QWidget::mouseMoveEvent(event); // the camera area above still hears the move
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        frame_.PictureViewMouseUp();
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && frame_.onClick)
            frame_.onClick();
        QWidget::mouseReleaseEvent(event);
    }

private:
    Magnifier& frame_;
};

Magnifier::Magnifier(QWidget* parent) : QWidget(parent) {
    pictureView = new PictureView(*this);
    pictureView->setObjectName("pictureView");

    magnifierToolbar = new QWidget(this);
    magnifierToolbar->setObjectName("magnifierToolbar");
    magnifierToolbar->setAutoFillBackground(true);
    auto* row = new QHBoxLayout(magnifierToolbar);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(4);
    auto button = [&](const char* name, const QString& text) {
        auto* b = new QPushButton(text, magnifierToolbar);
        b->setObjectName(QString::fromLatin1(name));
        b->setFocusPolicy(Qt::NoFocus);
        row->addWidget(b);
        return b;
    };
    auto slider = [&](const char* name, const QString& label, int min, int max) {
        row->addWidget(new QLabel(label, magnifierToolbar));
        auto* s = new QSlider(Qt::Horizontal, magnifierToolbar);
        s->setObjectName(QString::fromLatin1(name));
        s->setRange(min, max);
        s->setFocusPolicy(Qt::NoFocus);
        row->addWidget(s, 1);
        return s;
    };
    lensOffButton = button("lensOffButton", QStringLiteral("X"));
    lensOffButton->setFixedWidth(24);
    lensSizeSlider = slider("lensSizeSlider", QStringLiteral("Size"), MagnifierState::kMinLensSize, MagnifierState::kMaxLensSize);
    magnificationSlider = slider("magnificationSlider", QStringLiteral("Zoom X"), MagnifierState::kStartMagnification,
                               kMaxMagnification);
    takePictureButton = button("takePictureButton", QStringLiteral("Take Pic"));
    pictureLogButton = button("pictureLogButton", QStringLiteral("Log 3"));
    magnifierToolbar->hide();

    // Off screen: it only takes the keys.
    keyEdit = new QLineEdit(this);
    keyEdit->setObjectName("keyEdit");
    keyEdit->installEventFilter(this);

    pictureMenu = new QMenu(this);
    pictureMenu->setObjectName("pictureMenu");
    imageToolbarAction = pictureMenu->addAction(QStringLiteral("Image Toolbar"));
    imageToolbarAction->setObjectName("imageToolbarAction");

    connect(takePictureButton, &QPushButton::clicked, this, &Magnifier::TakePictureButtonClick);
    connect(pictureLogButton, &QPushButton::clicked, this, &Magnifier::PictureLogButtonClick);
    connect(lensOffButton, &QPushButton::clicked, this, &Magnifier::LensOffButtonClick);
    connect(lensSizeSlider, &QSlider::valueChanged, this, [this](int value) { state_.LensSize = value; });
    connect(imageToolbarAction, &QAction::triggered, this, &Magnifier::ImageToolbarActionClick);
    connect(pictureView, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { pictureMenu->popup(pictureView->mapToGlobal(at)); });
    PlaceChildren();
}

void Magnifier::SetPicture(const QImage& picture, const platform::PictureOverlay& caption) {
    picture_ = picture;
    caption_ = caption;
    // Only what the new picture changes is painted again; hidden or unmapped, all of it once
    // shown.
    const QWindow* screen = window()->windowHandle();
    const bool seen = pictureView->isVisible() && (!screen || screen->isExposed());
    const QRect area = shown_.Set(picture, caption, pictureView->size(), seen);
    if (!area.isEmpty())
        pictureView->update(area);
}

bool Magnifier::ToolbarShown() const { return !magnifierToolbar->isHidden(); }

void Magnifier::PlaceChildren() {
    const int bar = ToolbarShown() ? qMin(kToolbarHeight, height()) : 0;
    pictureView->setGeometry(0, 0, width(), height() - bar);
    magnifierToolbar->setGeometry(0, height() - bar, width(), bar);
    keyEdit->setGeometry(-10, -10, 1, 1);
}

void Magnifier::resizeEvent(QResizeEvent* event) {
    PlaceChildren();
    QWidget::resizeEvent(event);
}

void Magnifier::CreateImage() {
    state_.Bind(pictureView->width(), pictureView->height());
    lensSizeSlider->setValue(MagnifierState::kMinLensSize);
    magnificationSlider->setValue(MagnifierState::kStartMagnification);
    state_.LensSize = lensSizeSlider->value();
}

void Magnifier::FreeImage() { state_.Active = 0; }

void Magnifier::ShowMagnifier(int, int) {
    if (!state_.Active) {
        magnifierToolbar->hide();
        PlaceChildren();
        return;
    }
    pictureView->update();
}

void Magnifier::TakePictureButtonClick() {
    if (takePicture)
        takePicture(CaptionedPicture());
}

void Magnifier::PictureLogButtonClick() {
    if (showHistory)
        showHistory();
}

void Magnifier::LensOffButtonClick() {
    state_.Active = 0;
    magnifierToolbar->hide();
    PlaceChildren();
    ResetCursor();
    pictureView->update();
}

void Magnifier::ImageToolbarActionClick() {
    magnifierToolbar->show();
    PlaceChildren();
}

void Magnifier::KeyEditKeyDown(int key) {
    if (MoveLensCentre(state_, KeyOf(key)) && state_.Active)
        ShowMagnifier(state_.CentreX, state_.CentreY);
}

void Magnifier::PictureViewMouseMove(int x, int y) {
    if (FollowMouse(state_, x, y) && state_.Active)
        ShowMagnifier(x, y);
}

void Magnifier::PictureViewMouseUp() {
    state_.Dragging = 0;
    ResetCursor();
    keyEdit->setFocus(Qt::MouseFocusReason);
}

void Magnifier::ResetCursor() { pictureView->unsetCursor(); }

bool Magnifier::eventFilter(QObject* watched, QEvent* event) {
    if (watched == keyEdit && event->type() == QEvent::KeyPress)
        KeyEditKeyDown(static_cast<QKeyEvent*>(event)->key());
    return QWidget::eventFilter(watched, event);
}
