#pragma once
// The alarm that sounds on motion: camera.wav in the program folder, else the desktop's
// bell, else its "complete" sound. The call returns while the sound plays; no sound device
// means silence.
#include "platform/ProgramFolder.h"
#include "platform/SoundPlayer.h"

#include <QString>
#include <QStringList>
#include <functional>

class AlarmSound {
public:
    static constexpr const char* kDesktopBell = "/usr/share/sounds/freedesktop/stereo/bell.oga";
    static constexpr const char* kDesktopComplete =
        "/usr/share/sounds/freedesktop/stereo/complete.oga";

    explicit AlarmSound(platform::ProgramFolder folder);

    // The main window's soundAlarmBox; without a hook the alarm always plays.
    void SetAlarmTickedHook(std::function<bool()> hook) { alarmTicked_ = std::move(hook); }
    // The sounds tried in turn when camera.wav is missing.
    void SetFallbackSounds(const QStringList& paths) { fallbacks_ = paths; }
    void SetFallbackSound(const QString& path) { fallbacks_ = QStringList{path}; }

    // The file the alarm plays, or empty when there is none.
    QString AlarmSoundFile() const;
    // Starts the alarm when the box is ticked and a sound file exists; true when it started.
    bool PlayAlarmSound();

    platform::SoundPlayer& Player() { return player_; }

private:
    platform::ProgramFolder folder_;
    QStringList fallbacks_{kDesktopBell, kDesktopComplete};
    std::function<bool()> alarmTicked_;
    platform::SoundPlayer player_;
};
