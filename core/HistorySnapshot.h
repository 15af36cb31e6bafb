#pragma once
// The pictures a magnifier frame takes by hand: JPEGs at quality 90 in the history folder,
// named by the picture counter both cameras share, with no note, no alert and no upload.
#include <QImage>
#include <QString>
#include <functional>

class HistorySnapshots {
public:
    static constexpr int kJpegQuality = 90;
    // The counter's next picture name (advancing the counter).
    using NameSource = std::function<QString()>;

    HistorySnapshots(std::function<QString()> historyFolder, NameSource nextPictureFileName);

    // Saves the picture in the history folder (made when missing) under the next counter
    // name not yet taken there; an earlier picture is never replaced and a failed save leaves
    // nothing behind. The path saved, or empty with *error saying why.
    QString Save(const QImage& picture, QString* error = nullptr) const;
    // The same, telling the user once when it failed. True when the picture was saved.
    bool Take(const QImage& picture) const;

private:
    std::function<QString()> historyFolder_;
    NameSource nextName_;
};
