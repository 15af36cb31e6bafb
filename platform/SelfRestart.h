#pragma once
// Starting the station's own executable again, detached from this process.
#include <QString>

namespace platform {

// Starts the running executable (no arguments, its own folder as working folder) as a
// detached process. False when it could not be started; errorText then says why.
bool StartOwnExecutableDetached(QString* errorText = nullptr);

} // namespace platform
