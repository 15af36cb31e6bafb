#pragma once
// A camera's picture display (pic1, pic2): the latest captioned picture stretched over the
// whole widget; a click is reported to the main window.
#include <QImage>
#include <QWidget>
#include <functional>

class CameraPicture : public QWidget {
    Q_OBJECT
public:
    explicit CameraPicture(QWidget* parent = nullptr);

    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }
    std::function<void()> onClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const QImage& Paintable();

    QImage picture_;
    QImage paintable_; // picture_ in the format the painter stretches fastest
    qint64 paintableKey_ = 0;
};
