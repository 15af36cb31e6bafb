#pragma once
// 8-bit text of the capture files (alias records, CAM<n>.DAT), Windows-1252.
#include <QByteArray>
#include <QString>

namespace capture_text {

QByteArray ToAnsi(const QString& text);
QString FromAnsi(const QByteArray& bytes);

} // namespace capture_text
