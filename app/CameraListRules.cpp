#include "app/CameraListRules.h"

#include <cstdlib>

CameraRows ChooseCameraRows(int deviceCount, int default1, int default2) {
    CameraRows rows;
    if (deviceCount <= 0)
        return rows;
    rows.present = true;
    if (deviceCount == 1) {
        rows.camera1 = rows.camera2 = 0;
        return rows;
    }
    const auto inList = [deviceCount](int index) { return index >= 0 && index < deviceCount; };
    rows.camera1 = inList(default1) ? default1 : 0;
    rows.camera2 = inList(default2) ? default2 : 1;
    return rows;
}

QString MotionCounterText(qint64 count) {
    const qint64 magnitude = count < 0 ? -count : count;
    const QString digits =
        QStringLiteral("000000") + QStringLiteral("%1").arg(magnitude, 5, 10, QLatin1Char('0'));
    return QStringLiteral("MO ") + digits.right(5);
}
