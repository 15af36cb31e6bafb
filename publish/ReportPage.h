#pragma once
// The HTML page of an e-mail report, built from a snapshot of the report window.
#include "core/EmailSettingsRecord.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

struct ReportPageInput {
    QDateTime now;
    QString reference; // ref, as typed
    QString code;
    QStringList freeText; // the lines of the free text
    // Contact table: the stored contact fields and the texts of the time and day lists.
    bool useContactInfo = false;
    EmailSettingsRecord contact;
    QString fromTimeText, toTimeText, dayText;
    // The pictures: in single-picture mode only the one at position belongs to the report.
    QStringList pictures;
    bool singlePictureMode = false;
    int position = 0;
    QString pictureFolder; // where the pictures and their notes lie ('/' at the end)
};

// The pictures a report carries: the one at the position in single-picture mode (none when
// the list is empty), else all of them.
QStringList ReportPictures(const QStringList& pictures, bool singlePictureMode, int position);

// The page's text, every line ending in CR LF. Texts from the user and the notes are
// HTML-escaped; ordinary text comes out unchanged.
QString BuildReportHtml(const ReportPageInput& input);
