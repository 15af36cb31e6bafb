#pragma once
// Turns chosen JPEG pictures into an AVI file. The pictures are decoded one at a time
// straight into frames on a worker thread; nothing but the AVI file is written. Status texts
// and progress reach the GUI thread as signals, so timers and the motion loop go on.
#include "platform/AviWriter.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <thread>

struct AviCreationRequest {
    QStringList Pictures; // full paths, in list order
    QString Target;       // the AVI file
    platform::AviCodec Codec = platform::AviCodec::Dib;
    int Quality = 90; // Motion JPEG only
    int FramesPerSecond = 10;
    qint64 SizeLimit = platform::kAviSizeLimit;
};

struct AviCreationResult {
    enum class Outcome { Written, LimitReached, Failed };
    Outcome Result = Outcome::Failed;
    QString Target;
    int Chosen = 0;     // pictures asked for
    int Written = 0;    // frames in the file
    int OtherSize = 0;  // left out: not the first picture's size
    int Unreadable = 0; // left out: could not be decoded
    int Gone = 0;       // skipped: deleted while the file was made
    QString Error;      // the technical reason of a failure

    bool Succeeded() const { return Result != Outcome::Failed; }
    // The status line of the AVI panel.
    QString Status() const;
    // A text for the message box, empty when there is nothing to tell that way.
    QString Message() const;
};
Q_DECLARE_METATYPE(AviCreationResult)

class AviCreation : public QObject {
    Q_OBJECT
public:
    explicit AviCreation(QObject* parent = nullptr);
    // Stops a running creation and waits for its thread; the unfinished file is dropped and
    // any older file of that name stays.
    ~AviCreation() override;

    // Starts the worker and returns at once; false while one is running.
    bool Start(const AviCreationRequest& request);
    bool IsRunning() const { return running_; }

    // i of count as a whole percentage; a single item is 100 %.
    static int Percent(int index, int count);
    static QString PreparingText(int percent);
    static QString MakingText(int percent);
    static QString FinalText(int percent);

signals:
    void StatusChanged(const QString& text);
    void ProgressChanged(int percent);
    void Finished(const AviCreationResult& result);

private:
    void Run(AviCreationRequest request);
    void Post(const QString& text, int percent);
    void Join();

    std::thread worker_;
    std::atomic<bool> stop_{false};
    bool running_ = false;
    QString lastPosted_;
};
