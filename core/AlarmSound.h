#pragma once
// The alarm that sounds on motion: camera.wav in the program folder, else the desktop's
// bell. The call returns while the sound plays; no sound device means silence.
#include "platform/ProgramFolder.h"
#include "platform/SoundPlayer.h"

#include <QString>
#include <functional>

class AlarmSound {
public:
    static constexpr const char* kDesktopBell = "/usr/share/sounds/freedesktop/stereo/bell.oga";

    explicit AlarmSound(platform::ProgramFolder folder);

    // The main window's "alarm" box; without a hook the alarm always plays.
    void SetAlarmTickedHook(std::function<bool()> hook) { alarmTicked_ = std::move(hook); }
    void SetFallbackSound(const QString& path) { fallback_ = path; }

    // The file the alarm plays, or empty when there is none.
    QString AlarmSoundFile() const;
    // Starts the alarm when the box is ticked and a sound file exists; true when it started.
    bool PlayAlarmSound();

    platform::SoundPlayer& Player() { return player_; }

private:
    platform::ProgramFolder folder_;
    QString fallback_ = kDesktopBell;
    std::function<bool()> alarmTicked_;
    platform::SoundPlayer player_;
};
