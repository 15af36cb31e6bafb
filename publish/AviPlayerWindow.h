#pragma once
// The AVI player: a borderless full-screen window whose black panel shows the film. Playing
// ends by itself at the end of the file; a click or Esc stops it sooner; an error is told in
// a message box. The window is made once and reused for every file.
#include "platform/VideoPlayback.h"

#include <QImage>
#include <QWidget>

// The black panel the pictures are painted on, stretched over all of it.
class AviVideoPanel : public QWidget {
    Q_OBJECT
public:
    explicit AviVideoPanel(QWidget* parent = nullptr);
    void SetFrame(const QImage& frame);
    void Clear();
    const QImage& Frame() const { return frame_; }

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage frame_;
};

class AviPlayerWindow : public QWidget {
    Q_OBJECT
public:
    explicit AviPlayerWindow(QWidget* parent = nullptr);
    ~AviPlayerWindow() override;

    // Shows the window full screen and plays the file; a file that cannot be played is told
    // in a message box and the window does not stay.
    void PlayAviFile(const QString& path);
    // Stops playing (pipeline to NULL) and closes the window.
    void StopAndClose();
    bool IsPlaying() const { return player_.IsPlaying(); }
    platform::VideoPlayback& Player() { return player_; }

    AviVideoPanel* videoPanel = nullptr;

signals:
    // The window closed, for whatever reason.
    void Closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void OnFinished(bool reachedEnd, const QString& error);
    QString CannotPlayText(const QString& reason) const;

    platform::VideoPlayback player_;
    QString path_; // the file playing, for the messages
};
