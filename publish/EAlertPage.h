#pragma once
// The texts of an e-alert mail: subject, plain note and the HTML page, for single pictures
// and for proof sheets. The page is one line without line breaks.
#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

// "Images from " + the trimmed site, or "TORVEK E-Alert" when the site is empty.
QString AlertPageTitle(const QString& siteLocation);
// The subject: "Images from <site> HH:MM DD:MMMM:YYYY"; with no site the title ends in a
// blank of its own, so two blanks precede the time.
QString AlertSubject(const QString& siteLocation, const QDateTime& now,
                     const QLocale& locale = QLocale());
// The fixed plain-text part.
QString AlertPlainText();

// &, <, > and " as entities; ordinary text stays byte for byte.
QString HtmlEscape(const QString& text);

// The page's opening: html and body tags, the title in bold and the time.
QString WriteAlertHtmlHeader(const QString& siteLocation, const QDateTime& now,
                             const QLocale& locale = QLocale());

// One picture of a single-picture page: its name (the content id is "0" + name) and the
// lines of its note, empty when it has none.
struct AlertPagePicture {
    QString name;
    QStringList noteLines;
};
QString SinglePicturesPage(const QString& siteLocation, const QDateTime& now,
                           const QList<AlertPagePicture>& pictures,
                           const QLocale& locale = QLocale());

// The proof-sheet page: one image per sheet name, in the order given.
QString ProofSheetsPage(const QString& siteLocation, const QDateTime& now,
                        const QStringList& sheetNames, const QLocale& locale = QLocale());

// The lines of a note file (Windows-1252, CR LF), as a text list reads them: a final line
// end adds no empty line. *exists tells whether the note was there.
QStringList ReadNoteLines(const QString& path, bool* exists = nullptr);
