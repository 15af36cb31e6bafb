#pragma once
// The station's program folder: the executable's folder, where every data file lives.
// Handed to constructors as a value so tests can point it at a temporary folder.
#include <QString>

namespace platform {

// Joins a folder and a name with exactly one '/' between them.
QString JoinPath(const QString& folder, const QString& name);

// Ensures a folder string ends with one '/', the way stored folder strings keep it.
QString WithTrailingSlash(const QString& folder);

class ProgramFolder {
public:
    ProgramFolder() = default;
    explicit ProgramFolder(const QString& root);

    // The running executable's folder, symlinks resolved.
    static ProgramFolder FromApplication();

    bool IsValid() const { return !root_.isEmpty(); }
    // The folder with a trailing '/'.
    const QString& Root() const { return root_; }
    // A file directly in the program folder.
    QString File(const QString& name) const { return JoinPath(root_, name); }
    // A sub-folder, with a trailing '/' ("cam1/", "history/", "SentItems/").
    QString Sub(const QString& name) const { return WithTrailingSlash(JoinPath(root_, name)); }

private:
    QString root_;
};

} // namespace platform
