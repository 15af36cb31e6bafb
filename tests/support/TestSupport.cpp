#include "support/TestSupport.h"

#include "core/MessageBox.h"

#include <QDataStream>
#include <QFile>
#include <QThread>
#include <cmath>

namespace TestSupport {

bool WaitFor(const std::function<bool()>& pred, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!pred()) {
        if (deadline.hasExpired())
            return pred();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool WriteAll(const QString& path, const QByteArray& data) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(data) == data.size();
}

QByteArray ToneWav(int milliseconds) {
    const int rate = 8000;
    const int samples = rate * milliseconds / 1000;
    QByteArray wav;
    QDataStream out(&wav, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 dataBytes = quint32(samples) * 2;
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(rate) << quint32(rate * 2) << quint16(2)
        << quint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    for (int i = 0; i < samples; ++i)
        out << static_cast<qint16>(8000 * std::sin(i * 2 * M_PI * 440 / rate));
    return wav;
}

TempProgramFolder::TempProgramFolder() : dir_(QDir::tempPath() + "/torvek-test-XXXXXX") {}

MessageLog::MessageLog() {
    SetMessageBoxHandler([this](const QString& text) { append(text); });
}

MessageLog::~MessageLog() { SetMessageBoxHandler({}); }

} // namespace TestSupport
