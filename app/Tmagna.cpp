#include "app/Tmagna.h"

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

// Image1: the frame's picture, stretched over it.
class Tmagna::PictureView : public QWidget {
public:
    explicit PictureView(Tmagna& frame) : QWidget(&frame), frame_(frame) {
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
        frame_.Image1MouseMove(at.x(), at.y());
        QWidget::mouseMoveEvent(event); // the camera area above still hears the move
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        frame_.Image1MouseUp();
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && frame_.onClick)
            frame_.onClick();
        QWidget::mouseReleaseEvent(event);
    }

private:
    Tmagna& frame_;
};

Tmagna::Tmagna(QWidget* parent) : QWidget(parent) {
    Image1 = new PictureView(*this);
    Image1->setObjectName("Image1");

    Magnifiertoolbar = new QWidget(this);
    Magnifiertoolbar->setObjectName("Magnifiertoolbar");
    Magnifiertoolbar->setAutoFillBackground(true);
    auto* row = new QHBoxLayout(Magnifiertoolbar);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(4);
    auto button = [&](const char* name, const QString& text) {
        auto* b = new QPushButton(text, Magnifiertoolbar);
        b->setObjectName(QString::fromLatin1(name));
        b->setFocusPolicy(Qt::NoFocus);
        row->addWidget(b);
        return b;
    };
    auto slider = [&](const char* name, const QString& label, int min, int max) {
        row->addWidget(new QLabel(label, Magnifiertoolbar));
        auto* s = new QSlider(Qt::Horizontal, Magnifiertoolbar);
        s->setObjectName(QString::fromLatin1(name));
        s->setRange(min, max);
        s->setFocusPolicy(Qt::NoFocus);
        row->addWidget(s, 1);
        return s;
    };
    Button3 = button("Button3", QStringLiteral("X"));
    Button3->setFixedWidth(24);
    imgsize = slider("imgsize", QStringLiteral("Size"), MagnifierState::kMinLensSize, MagnifierState::kMaxLensSize);
    EditMagnification = slider("EditMagnification", QStringLiteral("Zoom X"), MagnifierState::kStartMagnification,
                               kMaxMagnification);
    Button1 = button("Button1", QStringLiteral("Take Pic"));
    Button2 = button("Button2", QStringLiteral("Log 3"));
    Magnifiertoolbar->hide();

    // Off screen: it only takes the keys.
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->installEventFilter(this);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    ImageToolbar1 = PopupMenu1->addAction(QStringLiteral("Image Toolbar"));
    ImageToolbar1->setObjectName("ImageToolbar1");

    connect(Button1, &QPushButton::clicked, this, &Tmagna::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tmagna::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &Tmagna::Button3Click);
    connect(imgsize, &QSlider::valueChanged, this, [this](int value) { state_.LensSize = value; });
    connect(ImageToolbar1, &QAction::triggered, this, &Tmagna::ImageToolbar1Click);
    connect(Image1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(Image1->mapToGlobal(at)); });
    PlaceChildren();
}

void Tmagna::SetPicture(const QImage& picture, const platform::PictureOverlay& caption) {
    picture_ = picture;
    caption_ = caption;
    // Only what the new picture changes is painted again; hidden or unmapped, all of it once
    // shown.
    const QWindow* screen = window()->windowHandle();
    const bool seen = Image1->isVisible() && (!screen || screen->isExposed());
    const QRect area = shown_.Set(picture, caption, Image1->size(), seen);
    if (!area.isEmpty())
        Image1->update(area);
}

bool Tmagna::ToolbarShown() const { return !Magnifiertoolbar->isHidden(); }

void Tmagna::PlaceChildren() {
    const int bar = ToolbarShown() ? qMin(kToolbarHeight, height()) : 0;
    Image1->setGeometry(0, 0, width(), height() - bar);
    Magnifiertoolbar->setGeometry(0, height() - bar, width(), bar);
    Edit1->setGeometry(-10, -10, 1, 1);
}

void Tmagna::resizeEvent(QResizeEvent* event) {
    PlaceChildren();
    QWidget::resizeEvent(event);
}

void Tmagna::CreateImage() {
    state_.Bind(Image1->width(), Image1->height());
    imgsize->setValue(MagnifierState::kMinLensSize);
    EditMagnification->setValue(MagnifierState::kStartMagnification);
    state_.LensSize = imgsize->value();
}

void Tmagna::FreeImage() { state_.Active = 0; }

void Tmagna::ShowMagnifier(int, int) {
    if (!state_.Active) {
        Magnifiertoolbar->hide();
        PlaceChildren();
        return;
    }
    Image1->update();
}

void Tmagna::Button1Click() {
    if (takePicture)
        takePicture(CaptionedPicture());
}

void Tmagna::Button2Click() {
    if (showHistory)
        showHistory();
}

void Tmagna::Button3Click() {
    state_.Active = 0;
    Magnifiertoolbar->hide();
    PlaceChildren();
    ResetCursor();
    Image1->update();
}

void Tmagna::ImageToolbar1Click() {
    Magnifiertoolbar->show();
    PlaceChildren();
}

void Tmagna::Edit1KeyDown(int key) {
    if (MoveLensCentre(state_, KeyOf(key)) && state_.Active)
        ShowMagnifier(state_.CentreX, state_.CentreY);
}

void Tmagna::Image1MouseMove(int x, int y) {
    if (FollowMouse(state_, x, y) && state_.Active)
        ShowMagnifier(x, y);
}

void Tmagna::Image1MouseUp() {
    state_.Dragging = 0;
    ResetCursor();
    Edit1->setFocus(Qt::MouseFocusReason);
}

void Tmagna::ResetCursor() { Image1->unsetCursor(); }

bool Tmagna::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit1 && event->type() == QEvent::KeyPress)
        Edit1KeyDown(static_cast<QKeyEvent*>(event)->key());
    return QWidget::eventFilter(watched, event);
}
