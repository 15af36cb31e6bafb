#pragma once
// The mail settings: record 1 of ETR0511.dat, 1228 bytes of fixed layout.
// SmtpPassword is held scrambled here and in the file.
#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <vector>

struct EmailSettingsRecord {
    static constexpr int kSize = 1228;
    static constexpr int kTextCapacity = 100;

    EmailSettingsRecord();

    static EmailSettingsRecord Decode(const QByteArray& image);
    QByteArray Encode() const;

    struct FieldInfo {
        int offset;
        int size;
        const char* name;
    };
    static std::vector<FieldInfo> FieldTable();

    // Clears what a first run clears: the password, the contact details and their choices.
    // Host, user and reply address stay.
    void ClearForFirstRun();

    QString SmtpHost;
    QString SmtpUser;
    QString SmtpPassword;
    QString ReplyAddress;
    QString ContactFirstName;
    QString ContactSecondName;
    QString ContactPhone1;
    QString ContactPhone2;
    QString ContactAddress1;
    QString ContactAddress2;
    QString ContactNote1;
    QString ContactNote2;
    qint32 ContactFromTime = 9;
    qint32 ContactToTime = 20;
    qint32 ContactDay = 0;
    bool UseContactInfo = false;

    // The whole 1228-byte image as last read (zero in a fresh record); keeps the padding.
    QByteArray RecordImage;
};
