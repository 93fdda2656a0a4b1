#pragma once
// Writing a zip archive of files (libzip, deflate level 6). The archive is written under a hidden
// temporary name in the target folder, read back and checked, flushed to the disk, and only then
// given its final name, without ever replacing a file of that name: a run that is killed or fails
// never leaves a partly written archive under the final name.

#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>
#include <stdexcept>

namespace kavio::platform {

class TZipError : public std::runtime_error {
 public:
  explicit TZipError(const QString& AText) : std::runtime_error(AText.toStdString()), FText(AText) {}
  const QString& Text() const { return FText; }

 private:
  QString FText;
};

struct TZipEntry {
  QString SourcePath;  // the file to store
  QString Name;        // the entry's name in the archive
};

class TZipWriter {
 public:
  // Percentage of the bytes stored so far, 0 to 100; called only when it rises, first with 0,
  // last with 100.
  using TProgress = std::function<void(int APercent)>;

  static constexpr int CompressionLevel = 6;

  // Writes the entries into a new archive AArchivePath. Each entry keeps its file's last-write
  // time (DOS time and the extended time stamp). Throws TZipError when a file cannot be read, the
  // archive cannot be written or does not read back with every entry and its size, or a file of
  // the archive's name exists; then no file of that name has been created and no temporary file
  // is left.
  static void Write(const QString& AArchivePath, const QList<TZipEntry>& AEntries, const TProgress& AProgress = {});

  // Reads an archive back: the entries' names and uncompressed sizes in archive order, after a
  // consistency check of the local headers against the central directory. Throws TZipError.
  struct TEntryInfo {
    QString Name;
    qint64 Size = 0;
    QDateTime MTime;
  };
  static QList<TEntryInfo> ReadDirectory(const QString& AArchivePath);

  // The unpacked data of the entry AName (its CRC checked). Throws TZipError.
  static QByteArray ReadEntryData(const QString& AArchivePath, const QString& AName);
};

}  // namespace kavio::platform
