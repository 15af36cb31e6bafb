#include "core/HistorySnapshot.h"

#include "core/MessageBox.h"
#include "platform/Jpeg.h"
#include "platform/ProgramFolder.h"
#include "platform/WholeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

HistorySnapshots::HistorySnapshots(std::function<QString()> historyFolder, NameSource nextPictureFileName)
    : historyFolder_(std::move(historyFolder)), nextName_(std::move(nextPictureFileName)) {}

QString HistorySnapshots::Save(const QImage& picture, QString* error) const {
    QString why;
    auto fail = [&](const QString& text) {
        if (error)
            *error = text;
        return QString();
    };
    if (picture.isNull())
        return fail(QStringLiteral("there is no picture to save"));
    const QString folder = historyFolder_ ? historyFolder_() : QString();
    if (folder.isEmpty())
        return fail(QStringLiteral("the history folder is not known"));
    if (!QDir().mkpath(folder))
        return fail("the folder " + folder + " cannot be made");
    QByteArray jpeg;
    if (!platform::EncodeJpeg(picture, kJpegQuality, &jpeg, &why))
        return fail(why);

    // The counter only knows the camera folders: after a lost counter its names can be
    // those of earlier snapshots here, so it moves on until the name is free in this folder
    // too. Each step gives a new name, so the walk ends past the pictures already here.
    const QStringList present = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    const QSet<QString> taken(present.begin(), present.end());
    QString name;
    QString path;
    for (qsizetype steps = 0;; ++steps) {
        const QString next = nextName_ ? nextName_() : QString();
        if (next.isEmpty() || next == name || steps > taken.size())
            return fail("no free picture name could be found in " + folder);
        name = next;
        path = platform::JoinPath(folder, name);
        if (!taken.contains(name) && !QFileInfo::exists(path))
            break;
    }

    platform::StagedFile file;
    if (!file.Write(path, jpeg, &why, platform::FileSync::Cached))
        return fail(why);
    // Only the station writes here, on its one thread; still, a name that appeared meanwhile
    // is not replaced.
    if (QFileInfo::exists(path)) {
        file.Discard();
        return fail(path + " already exists");
    }
    if (!file.Commit(&why))
        return fail(why);
    return path;
}

bool HistorySnapshots::Take(const QImage& picture) const {
    QString error;
    if (!Save(picture, &error).isEmpty())
        return true;
    ShowMessageBox("The picture could not be saved in the history folder: " + error + ".");
    return false;
}
