#include "core/LinkUnavailable.h"

#include <QDebug>
#include <QSet>

namespace {

QSet<QString>& Reported() {
    static QSet<QString> reported; // GUI thread only
    return reported;
}

QString Key(const char* link, const char* routine) {
    return QString::fromLatin1(link) + QLatin1String("::") + QString::fromLatin1(routine);
}

} // namespace

void ReportLinkUnavailable(const char* link, const char* routine) {
    const QString key = Key(link, routine);
    if (Reported().contains(key))
        return;
    Reported().insert(key);
    qInfo().noquote() << key << "is not available in this build; nothing was done";
}

bool LinkWasReportedUnavailable(const char* link, const char* routine) {
    return Reported().contains(Key(link, routine));
}
