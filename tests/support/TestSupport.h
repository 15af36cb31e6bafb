#pragma once
// Small helpers shared by the tests.
#include <QByteArray>
#include <QDeadlineTimer>
#include <QCoreApplication>
#include <QString>
#include <QDir>
#include <QTemporaryDir>
#include <QStringList>
#include <functional>
#include <ostream>

namespace TestSupport {

// Runs the event loop until pred() holds or timeoutMs passes; returns pred().
bool WaitFor(const std::function<bool()>& pred, int timeoutMs = 10000);

// Reads or writes a whole file; empty on failure.
QByteArray ReadAll(const QString& path);
bool WriteAll(const QString& path, const QByteArray& data);

// A mono 16-bit PCM WAV file's bytes: a tone lasting the given milliseconds.
QByteArray ToneWav(int milliseconds);

// A fresh program folder ending in '/', removed with the object.
class TempProgramFolder {
public:
    TempProgramFolder();
    QString path() const { return dir_.path() + "/"; }
    QString file(const QString& name) const { return path() + name; }

private:
    QTemporaryDir dir_;
};

// The texts the station's message box was asked to show while this object lives.
class MessageLog : public QStringList {
public:
    MessageLog();
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;
};

} // namespace TestSupport

// Readable QString and QStringList values in GoogleTest failure messages.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '{';
    for (qsizetype i = 0; i < list.size(); ++i)
        *os << (i ? ", \"" : "\"") << list.at(i).toStdString() << '"';
    *os << '}';
}
