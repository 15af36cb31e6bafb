#include "capture/CameraHealth.h"

#include <QPointer>

#include <algorithm>

CameraHealth::CameraHealth(Hooks hooks, QObject* parent) : QObject(parent), hooks_(std::move(hooks)) {
    for (int camera : {1, 2}) {
        CameraSlot& slot = Slot(camera);
        slot.timer = new QTimer(this);
        slot.timer->setSingleShot(true);
        connect(slot.timer, &QTimer::timeout, this, [this, camera] { Attempt(camera); });
    }
}

QString CameraHealth::LostText(const QString& name) {
    return QStringLiteral("The camera %1 is lost. The station keeps trying to reconnect it.").arg(name);
}

QString CameraHealth::BackText(const QString& name) {
    return QStringLiteral("The camera %1 is back.").arg(name);
}

QString CameraHealth::NameOf(int camera) const {
    const QString name = hooks_.CameraName ? hooks_.CameraName(camera).trimmed() : QString();
    return name.isEmpty() ? QString::number(camera) : QStringLiteral("%1 (%2)").arg(camera).arg(name);
}

void CameraHealth::CameraFailed(int camera) {
    if (camera != 1 && camera != 2)
        return;
    const QPointer<CameraHealth> self(this);
    QTimer::singleShot(0, this, [self, camera] {
        if (self)
            self->Check(camera);
    });
}

void CameraHealth::Check(int camera) {
    if (camera != 1 && camera != 2)
        return;
    const CameraSlot& slot = Slot(camera);
    if (slot.lost || slot.attempting)
        return;
    const bool wanted = hooks_.WantedOn && hooks_.WantedOn(camera);
    const bool running = hooks_.IsPreviewing && hooks_.IsPreviewing(camera);
    if (wanted && !running)
        MarkLost(camera);
}

void CameraHealth::Forget(int camera) {
    if (camera != 1 && camera != 2)
        return;
    CameraSlot& slot = Slot(camera);
    slot.timer->stop();
    slot.lost = false;
    slot.delayMs = 0;
    slot.attempts = 0;
}

void CameraHealth::MarkLost(int camera) {
    CameraSlot& slot = Slot(camera);
    slot.lost = true;
    slot.attempts = 0;
    slot.delayMs = std::max(1, FirstDelayMs);
    if (hooks_.ShowLost)
        hooks_.ShowLost(camera, true);
    if (hooks_.Tell)
        hooks_.Tell(LostText(NameOf(camera)));
    emit CameraLost(camera);
    slot.timer->start(slot.delayMs);
}

void CameraHealth::Attempt(int camera) {
    CameraSlot& slot = Slot(camera);
    if (!slot.lost || slot.attempting)
        return;
    if (!hooks_.WantedOn || !hooks_.WantedOn(camera)) {
        Forget(camera); // switched off meanwhile
        return;
    }
    if (hooks_.IsPreviewing && hooks_.IsPreviewing(camera)) {
        Forget(camera); // switched off and on again by hand: it runs
        return;
    }
    ++slot.attempts;
    slot.attempting = true;
    const QPointer<CameraHealth> self(this);
    const bool back = hooks_.Reconnect && hooks_.Reconnect(camera);
    if (!self)
        return;
    slot.attempting = false;
    if (!slot.lost)
        return; // switched off by hand while the attempt ran
    if (!hooks_.WantedOn || !hooks_.WantedOn(camera)) {
        Forget(camera);
        return;
    }
    if (back && hooks_.IsPreviewing && hooks_.IsPreviewing(camera)) {
        Recovered(camera);
        return;
    }
    slot.delayMs = std::min(std::max(MaxDelayMs, 1), slot.delayMs * 2);
    slot.timer->start(slot.delayMs);
}

void CameraHealth::Recovered(int camera) {
    Forget(camera);
    if (hooks_.ShowLost)
        hooks_.ShowLost(camera, false);
    if (hooks_.Resume)
        hooks_.Resume(camera);
    if (hooks_.Tell)
        hooks_.Tell(BackText(NameOf(camera)));
    emit CameraBack(camera);
}
