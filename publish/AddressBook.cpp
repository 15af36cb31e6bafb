#include "publish/AddressBook.h"

#include "core/Helpers.h"
#include "platform/Ansi.h"
#include "platform/RecordFile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace AddressBook {
namespace {

bool ReadBytes(const QString& path, QByteArray& bytes, QString* error) {
    bytes.clear();
    if (!QFileInfo::exists(path)) return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = file.errorString();
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error) *error = file.errorString();
        return false;
    }
    return true;
}

QStringList SplitLines(const QByteArray& bytes) {
    // CR LF, a lone CR or a lone LF each end a line; nothing after the last end is no line.
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n') continue;
        lines << platform::FromAnsi(bytes.constData() + start, i - start);
        if (c == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines << platform::FromAnsi(bytes.constData() + start, bytes.size() - start);
    return lines;
}

// A-Z only: other letters compare as they are.
QString FoldAsciiCase(const QString& text) {
    QString folded = text;
    for (QChar& c : folded)
        if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + 32);
    return folded;
}

bool Before(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

} // namespace

bool Read(const QString& path, QStringList& lines, QString* error) {
    QByteArray bytes;
    if (!ReadBytes(path, bytes, error)) return false;
    lines = SplitLines(bytes);
    return true;
}

QStringList Sorted(QStringList lines) {
    std::stable_sort(lines.begin(), lines.end(), Before);
    return lines;
}

qsizetype SortedPosition(const QStringList& items, const QString& item) {
    return std::upper_bound(items.begin(), items.end(), item, Before) - items.begin();
}

AddResult Add(const QString& path, const QString& address, QString* error) {
    QByteArray bytes;
    if (!ReadBytes(path, bytes, error)) return AddResult::Failed;
    const QString wanted = FoldAsciiCase(TrimText(address));
    for (const QString& line : SplitLines(bytes))
        if (FoldAsciiCase(TrimText(line)) == wanted) return AddResult::AlreadyThere;

    // A last line without its end would otherwise get the new address glued onto it.
    if (!bytes.isEmpty() && !bytes.endsWith('\n') && !bytes.endsWith('\r')) bytes.append("\r\n");
    bytes.append(platform::ToAnsi(address));
    bytes.append("\r\n");
    if (!platform::WriteFileAtomically(path, bytes, error)) return AddResult::Failed;
    return AddResult::Added;
}

} // namespace AddressBook
