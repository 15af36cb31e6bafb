#include "publish/ReportMail.h"

#include "core/Helpers.h"

#include <QFile>

QStringList SplitRecipients(const QString& text) {
    QStringList addresses;
    for (const QString& item : text.split(QLatin1Char(',')))
        if (!TrimText(item).isEmpty())
            addresses << TrimText(item);
    return addresses;
}

bool ValidRecipients(const QString& text) {
    const QStringList addresses = SplitRecipients(text);
    if (addresses.isEmpty())
        return false;
    for (const QString& address : addresses) {
        QString message;
        if (!ValidateEmailAddress(address, message, false))
            return false;
    }
    return true;
}

QList<ReportMail::Picture> ReadReportPictures(const QString& folder, const QStringList& names,
                                              QStringList* missing) {
    QList<ReportMail::Picture> pictures;
    for (const QString& picture : names) {
        const QString name = TrimText(picture);
        QFile file(folder + name);
        if (name.isEmpty() || !file.open(QIODevice::ReadOnly)) {
            if (missing)
                *missing << name;
            continue;
        }
        pictures << ReportMail::Picture{name, file.readAll()};
    }
    return pictures;
}
