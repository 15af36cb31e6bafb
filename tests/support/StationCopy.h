#pragma once
// The built station copied into an empty program folder and run as its own process, offscreen
// with one test-pattern camera, the way the end-to-end tests drive it.
#include "support/TestSupport.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

namespace TestSupport {

class StationCopy {
public:
    StationCopy();
    ~StationCopy() { Stop(); }

    bool Copied() const { return copied_; }
    QString Executable() const { return exe_; }
    QString Folder() const { return folder_.path(); }
    QString File(const QString& name) const { return folder_.file(name); }

    // Starts it; extra holds variables beside the test camera and offscreen platform.
    void Start(const QProcessEnvironment& extra = {});
    // SIGTERM, then a kill if it has not ended within 30 s.
    void Stop();
    bool Running() const { return process_.state() == QProcess::Running; }
    QString Output() { return QString::fromLocal8Bit(process_.readAll()); }

private:
    TempProgramFolder folder_;
    QString exe_;
    bool copied_ = false;
    QProcess process_;
};

} // namespace TestSupport
