#pragma once
// The picture store: every picture the station keeps (motion, time-lapse, taken by hand)
// is saved here as a numbered, captioned JPEG with a text note beside it, queued for the
// e-mail alert, recycled when the disk runs low and handed on for upload.
#include "core/PictureRecycler.h"
#include "core/PictureUploadTarget.h"
#include "platform/PictureCanvas.h"

#include <QDateTime>
#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class PictureCaptions;
class SettingsStore;
struct SettingsRecord;

// What the main window binds. Every hook may stay empty.
struct PictureStoreHooks {
    // The caption steps on a picture about to be saved: the caption font, the caption
    // itself (left out while "TV Out" is ticked), then the caption colours.
    std::function<void(platform::PictureCanvas& image)> applyCaptionFont;
    std::function<void(platform::PictureCanvas& image, int camera)> drawPictureCaption;
    std::function<void(platform::PictureCanvas& image)> applyCaptionColors;
    // The "TV Out" box (tvOutBox); without it the record's TvOut decides.
    std::function<bool()> tvOut;
    // Colours cameraAreaBox (a colour value 0x00BBGGRR) and repaints it.
    std::function<void(quint32 colour)> setGroupBoxColour;
    // One of the two camera views is exactly 180 pixels high: the group box keeps its colour.
    std::function<bool()> cameraViewIs180High;
    // cameraAreaBox's height, for the last-picture caption.
    std::function<int()> groupBoxHeight;
    // The picture log window is visible: nothing is recycled.
    std::function<bool()> logWindowVisible;
    std::function<bool()> internetConnected;
    std::function<QDateTime()> now;
};

// The FTP export choices as the settings record holds them.
FtpExportChoices FtpExportChoicesFromRecord(const SettingsRecord& record);

class PictureStore;
// Binds the three caption steps of the store to the station's picture captions.
void BindPictureCaptions(PictureStore& store, PictureCaptions& captions);

class PictureStore {
public:
    static constexpr quint32 kRed = 255;
    static constexpr quint32 kGreen = 32768;
    static constexpr quint32 kBlack = 0;

    explicit PictureStore(SettingsStore& settings, DiskSpaceProbe probe = SystemDiskSpaceProbe());

    PictureStoreHooks& Hooks() { return hooks_; }
    // The FTP and online-service side; null means nothing is uploaded.
    void SetUploadTarget(PictureUploadTarget* target) { uploads_ = target; }
    PictureUploadTarget* UploadTarget() const { return uploads_; }
    // The cleaned computer name, set once at the main window's first show.
    void SetPictureNamePrefix(const QString& prefix) {
        prefix_ = prefix;
        recycler_.SetPictureNamePrefix(prefix);
    }
    const QString& PictureNamePrefix() const { return prefix_; }

    // The next picture name from the counter file shared by both cameras; the counter
    // moves past any name already on disk, so no picture is ever overwritten. The counter
    // value the name carries goes to *pictureNumber.
    QString NextPictureFileName(qint64* pictureNumber = nullptr);
    // Saves the picture of camera 1 or 2; the caption is stamped on the given picture.
    // False (and the station says so once) when it could not be saved; a failed save
    // leaves nothing behind under the picture's name.
    bool SaveMotionPicture(platform::PictureCanvas& image, int camera);
    // The same for a frame the caller keeps unchanged.
    bool SaveMotionPicture(const QImage& picture, int camera);
    // The camera panel's caption after a picture: its number, and when the group box is
    // tall enough the camera's location and the time.
    QString FormatLastImageCaption(int camera) const;

    // The folder pictures of the camera go to; a missing one falls back to the record's
    // folder, else <program folder>camN/ (made and saved). Empty when none can be made.
    QString EnsurePictureFolder(int camera, QString* error = nullptr);
    QString CounterFilePath() const;

    // Pictures saved since start, per camera.
    qint32 PictureCount(int camera) const;
    void ResetPictureCounts();

    // The e-mail alert queue: camera digit + picture name, newest first.
    QStringList& EAlertBuffer() { return alertQueue_; }
    const QStringList& EAlertBuffer() const { return alertQueue_; }

    // Position in the FTP ring of numbered remote pictures, shared by both cameras.
    int FtpRing() const { return ftpRing_; }
    void ResetFtpRing() { ftpRing_ = 0; }

    QString LastPicturePath() const { return lastPicturePath_; }

    // At start-up, once the camera folders are known: removes what interrupted saves left
    // in the program folder and the camera folders (the station's own temporary files, and
    // notes whose picture is gone). Only names the station makes are touched. Returns the
    // paths removed.
    QStringList RemoveStrayFiles();
    PictureRecycler& Recycler() { return recycler_; }

private:
    qint64 ReadCounter() const;
    bool NumberIsTaken(qint64 number) const;
    qint64 FirstFreeNumber(qint64 number) const;
    QString TimeText(const QString& pattern) const;
    void SetGroupBoxColour(quint32 colour);
    void HandOffForUpload(int camera, const QString& folder, const QString& name, const QString& noteText);
    void PostWaitingUploads();
    void Upload(int camera, const QString& path, const QString& name, const QString& noteText);
    void ReportFailure(const QString& text);

    SettingsStore& settings_;
    PictureRecycler recycler_;
    PictureStoreHooks hooks_;
    PictureUploadTarget* uploads_ = nullptr;
    QString prefix_;
    qint32 counts_[2] = {0, 0};
    QStringList alertQueue_;
    int ftpRing_ = 0;
    QString lastPicturePath_;
    bool failureShown_ = false;
    bool counterFailureShown_ = false;
    // Saved pictures handed off and not yet posted, at most one per camera, in the order
    // saved; the queued call that posts them dies with the store.
    struct WaitingUpload {
        int camera = 0;
        QString path, name, noteText;
    };
    QList<WaitingUpload> waitingUploads_;
    bool postingUploads_ = false; // the queued call is on its way or posting
    QObject uploadQueue_;
};
