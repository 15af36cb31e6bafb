#include "platform/ScreenSaver.h"

#include <QDBusMessage>

namespace platform {

namespace {
const char* const kService = "org.freedesktop.ScreenSaver";
const char* const kPath = "/org/freedesktop/ScreenSaver";
const char* const kInterface = "org.freedesktop.ScreenSaver";
} // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor(const QDBusConnection& bus) : bus_(bus) {}

ScreenSaverInhibitor::~ScreenSaverInhibitor() { Release(); }

bool ScreenSaverInhibitor::Inhibit(const QString& application, const QString& reason) {
    if (held_)
        return true;
    if (!bus_.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "Inhibit");
    call << application << reason;
    const QDBusMessage reply = bus_.call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    bool ok = false;
    const uint cookie = reply.arguments().constFirst().toUInt(&ok);
    if (!ok)
        return false;
    cookie_ = cookie;
    held_ = true;
    return true;
}

void ScreenSaverInhibitor::Release() {
    if (!held_)
        return;
    held_ = false;
    if (!bus_.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "UnInhibit");
    call << cookie_;
    bus_.call(call, QDBus::Block, kCallTimeoutMs);
}

void EnableScreenSaver(bool on) {
    // Never destroyed: the bus drops the inhibit by itself when the process ends.
    static ScreenSaverInhibitor* const inhibitor = new ScreenSaverInhibitor();
    if (on)
        inhibitor->Release();
    else
        inhibitor->Inhibit(QStringLiteral("TORVEK"), QStringLiteral("Video surveillance is running"));
}

} // namespace platform
