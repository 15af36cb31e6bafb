#pragma once
// Plays a video file through GStreamer's playbin at its own pace. The pictures come out of an
// appsink as images for our own widget to paint; sound goes to a fakesink, so no sound device
// is needed. The end of the file and errors reach the owner on the GUI thread.
#include <QImage>
#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <memory>
#include <mutex>

typedef struct _GstElement GstElement;

namespace platform {

class VideoPlayback : public QObject {
    Q_OBJECT
public:
    static constexpr int kFirstPictureMs = 5000;

    explicit VideoPlayback(QObject* parent = nullptr);
    // The pipeline goes to NULL before the object does.
    ~VideoPlayback() override;

    // Starts playing and returns at once; a play in progress is stopped first. False (with
    // the reason) when the file is missing, its header announces pictures larger than a
    // camera's (AviPictureRefusal), or the pipeline cannot be made or started. Pictures
    // larger than kMaxPictureSide in a side end the play as an error.
    bool Play(const QString& path, QString* error = nullptr);
    // Pipeline to NULL; nothing is reported afterwards for the play that was stopped.
    void Stop();
    bool IsPlaying() const { return pipeline_ != nullptr; }

    // The latest picture (null before the first one and after Stop).
    QImage CurrentFrame() const;
    // Pictures of the current (or last) play.
    quint64 FramesShown() const { return frames_.load(); }

signals:
    void FrameReady();
    // The play is over by itself: reachedEnd, or an error with its reason. The pipeline is
    // already at NULL when this arrives. A file that ends without a picture, or gives none
    // within kFirstPictureMs (the decoder may swallow a damaged file's error), is an error.
    void Finished(bool reachedEnd, const QString& error);

protected:
    bool event(QEvent* e) override;

private:
    struct Shared;
    void OnBusMessage(quint64 generation, bool endOfStream, const QString& error);
    void FirstPictureOverdue();

    GstElement* pipeline_ = nullptr;
    std::shared_ptr<Shared> shared_;
    quint64 generation_ = 0;
    std::atomic<quint64> frames_{0};
    QTimer firstPicture_;
};

} // namespace platform
