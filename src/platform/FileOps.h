#pragma once
// File operations of the apply run: renaming within a folder without ever replacing a file, and
// setting a file's last-write time. Every function answers 0 on success or the errno of the
// failure; none throws.

#include <QDateTime>
#include <QString>
#include <cerrno>

namespace kavio::platform {

// The failure for a file that has no write permission bit at all: it counts as read-only and its
// time is not changed, also for a user (root) whom the system would let write.
inline constexpr int ReadOnlyFileError = EACCES;

// Whether a name can stand for a file inside a folder: not empty, not "." or "..", no "/" and no
// NUL character.
bool IsPlainFileName(const QString& AName);

// Renames AOldPath to ANewPath. An existing ANewPath is never replaced (EEXIST). Uses
// renameat2(RENAME_NOREPLACE); on a file system that lacks it, a hard link under the new name
// followed by removing the old one, which fails the same way when the name exists. Where neither
// works the rename fails (ENOTSUP).
int RenameNoReplace(const QString& AOldPath, const QString& ANewPath);

// The fallback of RenameNoReplace on its own: link the new name, then unlink the old one.
int RenameByLink(const QString& AOldPath, const QString& ANewPath);

// Sets only the last-write time of a plain file to an instant (to the millisecond); the access
// time stays. The file is opened for reading and writing without following a symbolic link and
// must be a regular file (else ELOOP, EISDIR or EINVAL). A file without any write permission bit
// is refused with ReadOnlyFileError; one that another process holds an exclusive lock on (flock)
// with EWOULDBLOCK. An invalid instant gives EINVAL.
int SetLastWriteTime(const QString& APath, const QDateTime& AInstant);

// The system's text for an errno value.
QString ErrorText(int AErrno);

}  // namespace kavio::platform
