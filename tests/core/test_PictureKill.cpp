// A station killed anywhere in its picture saves: after the next start there is never a
// picture without its note, no temporary file, and the counter is not behind the pictures.
#include "core/PictureNames.h"
#include "core/PictureStore.h"
#include "core/SettingsStore.h"
#include "platform/WholeFile.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <gtest/gtest.h>

using TestSupport::ReadAll;
using TestSupport::TempProgramFolder;

namespace {

const QString kNamePart = "1host"; // begins with a digit, as some computer names do

struct Tally {
    int notesWithoutPicture = 0; // seen before a start cleared them
    int temporaries = 0;
    int pictures = 0;
};

QProcess::ExitStatus RunSaver(const QString& folder, int pictures, long stopAfter, int* exitCode) {
    QProcess saver;
    saver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    saver.start(TOOL_PICTURE_SAVER, {folder, QString::number(pictures), QString::number(stopAfter), kNamePart});
    EXPECT_TRUE(saver.waitForFinished(60000));
    *exitCode = saver.exitCode();
    return saver.exitStatus();
}

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// What the next start finds and leaves.
void StartAgainAndCheck(const QString& root, Tally& tally) {
    for (const QString& folder : {root, root + "cam1/", root + "cam2/"})
        for (const QString& name : Entries(folder)) {
            if (platform::IsStagedFileName(name))
                ++tally.temporaries;
            if (name.endsWith(".txt") && name != "counter.txt" &&
                !QFileInfo::exists(folder + name.left(name.size() - 4) + ".jpg"))
                ++tally.notesWithoutPicture;
        }

    SettingsStore settings(platform::ProgramFolder(root), root + "torvek", "/nonexistent/Desktop");
    ASSERT_TRUE(settings.LoadSettings());
    PictureStore store(settings);
    store.SetPictureNamePrefix(kNamePart);
    store.RemoveStrayFiles();

    qint64 highest = 0;
    int pictures = 0;
    for (const QString& folder : {root, root + "cam1/", root + "cam2/"}) {
        for (const QString& name : Entries(folder)) {
            EXPECT_FALSE(platform::IsStagedFileName(name)) << qPrintable(folder + name);
            const QString base = name.left(name.size() - 4);
            if (name.endsWith(".jpg")) {
                ++pictures;
                const qint64 number = PictureNumberOf(name, kNamePart);
                highest = std::max(highest, number);
                const QByteArray note = ReadAll(folder + base + ".txt");
                EXPECT_TRUE(note.startsWith("N.o. " + FormatPictureNumber(number).toLatin1() + "\r\n"))
                    << qPrintable(folder + name) << " note: " << note.left(20).constData();
            } else if (name.endsWith(".txt") && name != "counter.txt") {
                EXPECT_TRUE(QFileInfo::exists(folder + base + ".jpg")) << qPrintable(folder + name);
            }
        }
    }
    const qint64 counter = QString::fromLatin1(ReadAll(root + "cam1/counter.txt")).trimmed().toLongLong();
    EXPECT_GE(counter, highest);
    EXPECT_GE(pictures, tally.pictures) << "a start never loses a picture";
    tally.pictures = pictures;
}

} // namespace

TEST(PictureKill, StoppedAfterEveryStepOfTheSaveLeavesNothingUnexplained) {
    TempProgramFolder dir;
    Tally tally;
    // A picture takes seven steps: counter, two temporaries opened and written, two renames.
    for (long stop = 1; stop <= 21; ++stop) {
        SCOPED_TRACE(stop);
        int code = 0;
        EXPECT_EQ(RunSaver(dir.path(), 3, stop, &code), QProcess::CrashExit);
        StartAgainAndCheck(dir.path(), tally);
        if (HasFatalFailure())
            return;
    }
    EXPECT_GT(tally.notesWithoutPicture, 0) << "the kills hit between the note and its picture";
    EXPECT_GT(tally.temporaries, 0);
    EXPECT_GE(tally.pictures, 15);

    // And a run that is not stopped leaves every picture with its note.
    int code = -1;
    EXPECT_EQ(RunSaver(dir.path(), 4, 0, &code), QProcess::NormalExit);
    EXPECT_EQ(code, 0);
    StartAgainAndCheck(dir.path(), tally);
}

TEST(PictureKill, KilledAtRandomMomentsLeavesNothingUnexplained) {
    TempProgramFolder dir;
    Tally tally;
    QRandomGenerator random(16);
    for (int run = 0; run < 8; ++run) {
        SCOPED_TRACE(run);
        QProcess saver;
        saver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        saver.start(TOOL_PICTURE_SAVER, {dir.path(), "100000", "0", kNamePart});
        ASSERT_TRUE(saver.waitForStarted(10000));
        QThread::msleep(random.bounded(80, 400));
        saver.kill();
        ASSERT_TRUE(saver.waitForFinished(10000));
        StartAgainAndCheck(dir.path(), tally);
    }
    EXPECT_GT(tally.pictures, 0);
}
