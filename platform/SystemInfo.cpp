#include "platform/SystemInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QSysInfo>

namespace platform {

namespace {

QStorageInfo StorageOf(const QString& folder) {
    QString path = folder.isEmpty() ? QDir::currentPath() : QFileInfo(folder).absoluteFilePath();
    while (!QFileInfo::exists(path)) {
        const QString parent = QFileInfo(path).path();
        if (parent == path) break;
        path = parent;
    }
    return QStorageInfo(path);
}

QList<QByteArrayList> ReadTable(const QString& path) {
    QList<QByteArrayList> rows;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return rows;
    // /proc files report size 0, so read line by line until the end.
    while (true) {
        const QByteArray line = file.readLine();
        if (line.isEmpty()) break;
        rows.append(line.simplified().split(' '));
    }
    return rows;
}

constexpr quint32 kRouteUp = 0x0001;
constexpr quint32 kRouteReject = 0x0200;

bool HasIpv4DefaultRoute(const QString& path) {
    // Iface Destination Gateway Flags RefCnt Use Metric Mask ...
    for (const QByteArrayList& row : ReadTable(path)) {
        if (row.size() < 8 || row[0] == "Iface" || row[0] == "lo") continue;
        bool ok = false;
        const quint32 flags = row[3].toUInt(&ok, 16);
        if (ok && row[1] == "00000000" && row[7] == "00000000" && (flags & kRouteUp) &&
            !(flags & kRouteReject))
            return true;
    }
    return false;
}

bool HasIpv6DefaultRoute(const QString& path) {
    // destination prefix source prefix next-hop metric refcount use flags iface
    for (const QByteArrayList& row : ReadTable(path)) {
        if (row.size() < 10 || row[9] == "lo") continue;
        bool ok = false;
        const quint32 flags = row[8].toUInt(&ok, 16);
        if (ok && row[0] == QByteArray(32, '0') && row[1] == "00" && (flags & kRouteUp) &&
            !(flags & kRouteReject))
            return true;
    }
    return false;
}

} // namespace

QString ComputerName() {
    return QSysInfo::machineHostName();
}

qint64 DriveFreeBytes(const QString& folder) {
    const QStorageInfo storage = StorageOf(folder);
    return storage.isValid() && storage.isReady() ? storage.bytesAvailable() : -1;
}

qint64 DriveTotalBytes(const QString& folder) {
    const QStorageInfo storage = StorageOf(folder);
    return storage.isValid() && storage.isReady() ? storage.bytesTotal() : -1;
}

QString DriveRoot(const QString& folder) {
    const QStorageInfo storage = StorageOf(folder);
    return storage.isValid() ? storage.rootPath() : QString();
}

DriveSpace DriveSpaceOf(const QString& folder) {
    DriveSpace space;
    const QStorageInfo storage = StorageOf(folder);
    if (!storage.isValid())
        return space;
    space.root = storage.rootPath();
    if (storage.isReady()) {
        space.freeBytes = storage.bytesAvailable();
        space.totalBytes = storage.bytesTotal();
    }
    return space;
}

bool IsInternetConnected() {
    return IsInternetConnected(QStringLiteral("/proc/net/route"),
                               QStringLiteral("/proc/net/ipv6_route"));
}

bool IsInternetConnected(const QString& ipv4RouteFile, const QString& ipv6RouteFile) {
    return HasIpv4DefaultRoute(ipv4RouteFile) || HasIpv6DefaultRoute(ipv6RouteFile);
}

} // namespace platform
