#pragma once
// Small helpers shared by the tests.
#include <QByteArray>
#include <QDeadlineTimer>
#include <QCoreApplication>
#include <QString>
#include <QDir>
#include <QTemporaryDir>
#include <functional>

namespace TestSupport {

// Runs the event loop until pred() holds or timeoutMs passes; returns pred().
bool WaitFor(const std::function<bool()>& pred, int timeoutMs = 10000);

// Reads or writes a whole file; empty on failure.
QByteArray ReadAll(const QString& path);
bool WriteAll(const QString& path, const QByteArray& data);

// A fresh program folder ending in '/', removed with the object.
class TempProgramFolder {
public:
    TempProgramFolder();
    QString path() const { return dir_.path() + "/"; }
    QString file(const QString& name) const { return path() + name; }

private:
    QTemporaryDir dir_;
};

} // namespace TestSupport
