#pragma once
// What the installer needs of the system: install bases (the home folder, then writable
// mounted volumes), the desktop folder, file operations, desktop entries, the trash, starting
// a program and a Yes/No question. ShellInstallerSystem is the real one.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace platform {

struct InstallBase {
    QString path;  // no trailing '/'
    std::optional<qint64> freeBytes;
};

class InstallerSystem {
public:
    virtual ~InstallerSystem() = default;
    virtual QList<InstallBase> Bases() = 0;
    virtual QString DesktopFolder() = 0;
    // True when both paths lie on one file system.
    virtual bool SameVolume(const QString& a, const QString& b) = 0;
    virtual bool Exists(const QString& path) = 0;
    virtual QString CanonicalPath(const QString& path) = 0;
    // The path itself is a symbolic link (also one that leads nowhere).
    virtual bool IsSymLink(const QString& path) = 0;
    // Each returns false with *error set when it fails.
    virtual bool MakeFolder(const QString& path, QString* error) = 0;
    virtual bool RemoveFile(const QString& path, QString* error) = 0;
    // Fails when the target exists; the copy keeps mode 0755.
    virtual bool CopyProgram(const QString& from, const QString& to, QString* error) = 0;
    // Writes the text with mode 0755.
    virtual bool WriteDesktopEntry(const QString& path, const QString& text, QString* error) = 0;
    virtual bool MoveToTrash(const QString& path, QString* error) = 0;
    virtual bool StartProgram(const QString& executable, const QString& folder) = 0;
    virtual bool AskYesNo(const QString& question) = 0;
    virtual QStringList CaptureDeviceNames() = 0;
};


class ShellInstallerSystem : public InstallerSystem {
public:
    // captureDevices: the camera names (the capture side provides them).
    explicit ShellInstallerSystem(std::function<QStringList()> captureDevices);
    QList<InstallBase> Bases() override;
    QString DesktopFolder() override;
    bool SameVolume(const QString& a, const QString& b) override;
    bool Exists(const QString& path) override;
    QString CanonicalPath(const QString& path) override;
    bool IsSymLink(const QString& path) override;
    bool MakeFolder(const QString& path, QString* error) override;
    bool RemoveFile(const QString& path, QString* error) override;
    bool CopyProgram(const QString& from, const QString& to, QString* error) override;
    bool WriteDesktopEntry(const QString& path, const QString& text, QString* error) override;
    bool MoveToTrash(const QString& path, QString* error) override;
    bool StartProgram(const QString& executable, const QString& folder) override;
    bool AskYesNo(const QString& question) override;
    QStringList CaptureDeviceNames() override { return captureDevices_ ? captureDevices_() : QStringList(); }

    // The parent of the Yes/No question (the installer window, so it stays above it).
    void SetQuestionParent(QWidget* parent) { questionParent_ = parent; }

private:
    std::function<QStringList()> captureDevices_;
    QWidget* questionParent_ = nullptr;
};

} // namespace platform
