#pragma once
// Keeps the station's cameras running: a camera the user wants on that stops (its device
// went away, its stream failed or hung) is shown lost, told once, and reconnected with a
// growing pause between attempts until it runs again or the user switches it off. Every
// attempt runs on the GUI thread without holding it up (a start waits for its first frame in
// a nested event loop). The window side is reached only through the hooks.
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <functional>

class CameraHealth : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        // Whether the camera (1 or 2) runs now.
        std::function<bool(int camera)> IsPreviewing;
        // Whether the user wants it on (switched on, not switched off since).
        std::function<bool(int camera)> WantedOn;
        // Shows the camera lost (true) or running again (false) on its button and list.
        std::function<void(int camera, bool lost)> ShowLost;
        // One reconnect attempt by the camera's identity; true when it runs again.
        std::function<bool(int camera)> Reconnect;
        // Puts back what ran with the camera before it was lost (mode, zone, surveillance).
        std::function<void(int camera)> Resume;
        // Tells the user once, without waiting for an answer, and logs it.
        std::function<void(const QString& text)> Tell;
        // The name the camera is known by in messages.
        std::function<QString(int camera)> CameraName;
    };

    explicit CameraHealth(Hooks hooks, QObject* parent = nullptr);

    // The caption of a lost camera's button.
    static inline const QString kLostText = QStringLiteral("LOST");

    // Pause before the first attempt, doubled after each failed one up to the maximum.
    int FirstDelayMs = 2000;
    int MaxDelayMs = 60000;

    // The camera's capture reported a failure (device lost, stream aborted). Looked at once
    // the current event is over: a failed recording leaves the camera running.
    void CameraFailed(int camera);
    // Looks at the camera now: marks it lost when it is wanted on but does not run.
    void Check(int camera);
    // The user switched the camera off or on by hand: attempts stop, nothing is shown lost.
    void Forget(int camera);

    bool IsLost(int camera) const { return Slot(camera).lost; }
    // The pause before the next attempt (0 when none is due).
    int NextDelayMs(int camera) const { return Slot(camera).lost ? Slot(camera).delayMs : 0; }
    int Attempts(int camera) const { return Slot(camera).attempts; }

    static QString LostText(const QString& name);
    static QString BackText(const QString& name);

signals:
    void CameraLost(int camera);
    void CameraBack(int camera);

private:
    struct CameraSlot {
        bool lost = false;
        bool attempting = false;
        int delayMs = 0;
        int attempts = 0;
        QTimer* timer = nullptr;
    };
    void MarkLost(int camera);
    void Attempt(int camera);
    void Recovered(int camera);
    CameraSlot& Slot(int camera) { return slots_[camera == 2 ? 1 : 0]; }
    const CameraSlot& Slot(int camera) const { return slots_[camera == 2 ? 1 : 0]; }
    QString NameOf(int camera) const;

    Hooks hooks_;
    std::array<CameraSlot, 2> slots_;
};
