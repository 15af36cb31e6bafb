#pragma once
// Plays a sound file through GStreamer's playbin without blocking the caller.
// No sound device means silence: the pipeline's error ends the play quietly.
#include <QObject>
#include <QString>

typedef struct _GstElement GstElement;

namespace platform {

class SoundPlayer : public QObject {
    Q_OBJECT
public:
    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;

    // Audio sink element to use instead of the automatic choice (tests pass "fakesink").
    void SetAudioSinkFactory(const QString& factoryName) { sinkFactory_ = factoryName; }

    // Starts playing the file and returns at once; a play in progress starts over.
    // False when the file is missing or the pipeline cannot be made.
    bool Play(const QString& path);
    void Stop();
    bool IsPlaying() const { return playing_; }

signals:
    // The play is over: reachedEnd is true when the sound ran to its end.
    void Finished(bool reachedEnd);

private:
    void OnBusMessage(quint64 generation, bool endOfStream);
    void TearDown();

    QString sinkFactory_;
    GstElement* pipeline_ = nullptr;
    quint64 generation_ = 0;
    bool playing_ = false;
};

} // namespace platform
