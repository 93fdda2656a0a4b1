#pragma once
// File times of the host.

#include <QDateTime>
#include <QString>

namespace kavio::platform {

// The last-write time of a file as an instant (to the nanosecond's millisecond); invalid when
// the file cannot be examined. Links are followed.
QDateTime LastWriteTime(const QString& APath);

}  // namespace kavio::platform
