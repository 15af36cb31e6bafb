#include "core/AlarmSound.h"

#include <QFileInfo>

AlarmSound::AlarmSound(platform::ProgramFolder folder) : folder_(std::move(folder)) {}

QString AlarmSound::AlarmSoundFile() const {
    const QString own = folder_.File("camera.wav");
    if (folder_.IsValid() && QFileInfo(own).isFile())
        return own;
    for (const QString& fallback : fallbacks_)
        if (!fallback.isEmpty() && QFileInfo(fallback).isFile())
            return fallback;
    return {};
}

bool AlarmSound::PlayAlarmSound() {
    if (alarmTicked_ && !alarmTicked_())
        return false;
    const QString file = AlarmSoundFile();
    if (file.isEmpty())
        return false;
    return player_.Play(file);
}
