#include "core/Helpers.h"

QString TrimText(const QString& s) {
    qsizetype first = 0;
    qsizetype last = s.size();
    while (first < last && s.at(first).unicode() <= u' ')
        ++first;
    while (last > first && s.at(last - 1).unicode() <= u' ')
        --last;
    return s.mid(first, last - first);
}
