#pragma once
// Facts about the machine: its name, the disk holding a folder, and whether it is online.
#include <QString>
#include <QtGlobal>

namespace platform {

// The computer's host name.
QString ComputerName();

// Bytes available to this user / total bytes of the file system holding `folder`. A folder
// that does not exist yet is looked up through its nearest existing parent. -1 when the
// file system cannot be determined.
qint64 DriveFreeBytes(const QString& folder);
qint64 DriveTotalBytes(const QString& folder);

// The mount point of the file system holding `folder` (the place of a Windows drive).
QString DriveRoot(const QString& folder);

// All three from one look-up of the file system, for callers that want them on every frame.
// Byte counts are -1 and the root empty when the file system cannot be determined.
struct DriveSpace {
    QString root;
    qint64 freeBytes = -1;
    qint64 totalBytes = -1;
};
DriveSpace DriveSpaceOf(const QString& folder);

// True when the kernel has a usable default route (IPv4 or IPv6) on an interface other
// than loopback: the machine can reach the internet as far as it knows.
bool IsInternetConnected();
// The same over given route tables (the formats of /proc/net/route and /proc/net/ipv6_route).
bool IsInternetConnected(const QString& ipv4RouteFile, const QString& ipv6RouteFile);

} // namespace platform
