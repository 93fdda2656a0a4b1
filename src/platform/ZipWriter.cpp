#include "platform/ZipWriter.h"

#include "platform/FileOps.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <exception>
#include <vector>

namespace kavio::platform {

namespace {

// Counts the bytes stored and turns them into a rising percentage. 100 is left to the end,
// when the archive has its final name.
class TByteProgress {
 public:
  TByteProgress(const TZipWriter::TProgress& AProgress, qint64 ATotal) : FProgress(AProgress), FTotal(ATotal) {}

  void Report(int APercent) {
    if (APercent <= FLast || !FProgress) return;
    FLast = APercent;
    FProgress(APercent);
  }
  void Add(qint64 ABytes) {
    FDone += ABytes;
    if (FTotal > 0) Report(static_cast<int>(std::min<qint64>(99, FDone * 100 / FTotal)));
  }

 private:
  const TZipWriter::TProgress& FProgress;
  qint64 FTotal;
  qint64 FDone = 0;
  int FLast = -1;
};

// What the writer learns of one entry while libzip reads it.
struct TEntryRecord {
  qint64 BytesRead = 0;
  std::exception_ptr Failure;  // an exception of the progress handler, carried past libzip
};

// A libzip source that reads one file and counts what it reads.
struct TFileSource {
  QByteArray Path;
  qint64 Size = 0;
  time_t MTime = 0;
  int Fd = -1;
  TEntryRecord* Record = nullptr;
  TByteProgress* Progress = nullptr;
  zip_error_t Error;
};

zip_int64_t FileSourceCallback(void* AState, void* AData, zip_uint64_t ALength, zip_source_cmd_t ACommand) {
  auto* source = static_cast<TFileSource*>(AState);
  switch (ACommand) {
    case ZIP_SOURCE_OPEN:
      source->Fd = ::open(source->Path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
      if (source->Fd < 0) {
        zip_error_set(&source->Error, ZIP_ER_OPEN, errno);
        return -1;
      }
      source->Record->BytesRead = 0;
      return 0;
    case ZIP_SOURCE_READ: {
      ssize_t got;
      do {
        got = ::read(source->Fd, AData, ALength);
      } while (got < 0 && errno == EINTR);
      if (got < 0) {
        zip_error_set(&source->Error, ZIP_ER_READ, errno);
        return -1;
      }
      source->Record->BytesRead += got;
      try {
        source->Progress->Add(got);
      } catch (...) {
        source->Record->Failure = std::current_exception();
        zip_error_set(&source->Error, ZIP_ER_INTERNAL, 0);
        return -1;
      }
      return got;
    }
    case ZIP_SOURCE_CLOSE:
      if (source->Fd >= 0) ::close(source->Fd);
      source->Fd = -1;
      return 0;
    case ZIP_SOURCE_STAT: {
      auto* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, AData, ALength, &source->Error);
      if (!st) return -1;
      zip_stat_init(st);
      st->size = static_cast<zip_uint64_t>(source->Size);
      st->mtime = source->MTime;
      st->valid |= ZIP_STAT_SIZE | ZIP_STAT_MTIME;
      return sizeof(*st);
    }
    case ZIP_SOURCE_ERROR:
      return zip_error_to_data(&source->Error, AData, ALength);
    case ZIP_SOURCE_FREE:
      if (source->Fd >= 0) ::close(source->Fd);
      zip_error_fini(&source->Error);
      delete source;
      return 0;
    case ZIP_SOURCE_SUPPORTS:
      return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                            ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
      zip_error_set(&source->Error, ZIP_ER_OPNOTSUPP, 0);
      return -1;
  }
}

QString WriteFailure(const QString& AArchivePath, const QString& AReason) {
  return QStringLiteral("Das Archiv \"%1\" konnte nicht geschrieben werden: %2").arg(AArchivePath, AReason);
}

QString ZipErrorText(zip_error_t* AError) { return QString::fromLocal8Bit(zip_error_strerror(AError)); }

// Flushes a file or folder to the disk; errno or 0.
int SyncPath(const QByteArray& APath, int AFlags) {
  const int fd = ::open(APath.constData(), O_RDONLY | O_CLOEXEC | AFlags);
  if (fd < 0) return errno;
  const int rc = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  return rc;
}

// The extended time stamp (Info-ZIP "UT", 0x5455) with the last-write time, so that unpacking
// restores it to the second and in UTC rather than as the DOS local time.
void AddTimeStamp(zip_t* AZip, zip_uint64_t AIndex, time_t AMTime) {
  if (AMTime < 0 || AMTime > 0x7fffffff) return;
  const auto t = static_cast<quint32>(AMTime);
  const zip_uint8_t data[5] = {1, static_cast<zip_uint8_t>(t), static_cast<zip_uint8_t>(t >> 8),
                               static_cast<zip_uint8_t>(t >> 16), static_cast<zip_uint8_t>(t >> 24)};
  zip_file_extra_field_set(AZip, AIndex, 0x5455, ZIP_EXTRA_FIELD_NEW, data, sizeof data, ZIP_FL_LOCAL | ZIP_FL_CENTRAL);
}

// Removes the temporary file unless it has been handed on.
class TTemporaryFile {
 public:
  explicit TTemporaryFile(QByteArray APath) : FPath(std::move(APath)) {}
  ~TTemporaryFile() {
    if (!FPath.isEmpty()) ::unlink(FPath.constData());
  }
  void Release() { FPath.clear(); }
  const QByteArray& Path() const { return FPath; }

 private:
  QByteArray FPath;
};

}  // namespace

void TZipWriter::Write(const QString& AArchivePath, const QList<TZipEntry>& AEntries, const TProgress& AProgress) {
  if (AEntries.isEmpty()) throw TZipError(WriteFailure(AArchivePath, QStringLiteral("keine Dateien")));
  const QByteArray finalPath = QFile::encodeName(AArchivePath);
  struct stat st {};
  if (::lstat(finalPath.constData(), &st) == 0)
    throw TZipError(WriteFailure(AArchivePath, QStringLiteral("eine Datei dieses Namens ist schon vorhanden")));

  // The hidden temporary name in the same folder: never listed, never matched by a mail mask.
  const QFileInfo info(AArchivePath);
  QByteArray pattern = QFile::encodeName(info.path() + QStringLiteral("/.") + info.fileName()) + ".XXXXXX";
  const int tempFd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (tempFd < 0) throw TZipError(WriteFailure(AArchivePath, ErrorText(errno)));
  TTemporaryFile temp(pattern);
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(tempFd, 0666 & ~mask);
  ::close(tempFd);

  // The sizes and times as the files are now; the percentage is counted against these.
  std::vector<TEntryRecord> records(static_cast<size_t>(AEntries.size()));
  std::vector<struct stat> stats(static_cast<size_t>(AEntries.size()));
  qint64 total = 0;
  for (qsizetype i = 0; i < AEntries.size(); ++i) {
    auto& fileStat = stats[static_cast<size_t>(i)];
    if (::lstat(QFile::encodeName(AEntries[i].SourcePath).constData(), &fileStat) != 0)
      throw TZipError(WriteFailure(AArchivePath, AEntries[i].Name + QStringLiteral(": ") + ErrorText(errno)));
    if (!S_ISREG(fileStat.st_mode))
      throw TZipError(WriteFailure(AArchivePath, AEntries[i].Name + QStringLiteral(": keine einfache Datei")));
    total += fileStat.st_size;
  }
  TByteProgress progress(AProgress, total);
  progress.Report(0);

  int zipErrorCode = 0;
  zip_t* zip = zip_open(temp.Path().constData(), ZIP_CREATE | ZIP_TRUNCATE, &zipErrorCode);
  if (!zip) {
    zip_error_t error;
    zip_error_init_with_code(&error, zipErrorCode);
    const QString text = ZipErrorText(&error);
    zip_error_fini(&error);
    throw TZipError(WriteFailure(AArchivePath, text));
  }
  const auto fail = [&](const QString& AReason) {
    zip_discard(zip);
    throw TZipError(WriteFailure(AArchivePath, AReason));
  };
  for (qsizetype i = 0; i < AEntries.size(); ++i) {
    const auto& fileStat = stats[static_cast<size_t>(i)];
    auto* state = new TFileSource;
    state->Path = QFile::encodeName(AEntries[i].SourcePath);
    state->Size = fileStat.st_size;
    state->MTime = fileStat.st_mtim.tv_sec;
    state->Record = &records[static_cast<size_t>(i)];
    state->Progress = &progress;
    zip_error_init(&state->Error);
    zip_source_t* source = zip_source_function(zip, FileSourceCallback, state);
    if (!source) {
      zip_error_fini(&state->Error);
      delete state;
      fail(QString::fromLocal8Bit(zip_strerror(zip)));
    }
    const zip_int64_t index = zip_file_add(zip, AEntries[i].Name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
      zip_source_free(source);
      fail(AEntries[i].Name + QStringLiteral(": ") + QString::fromLocal8Bit(zip_strerror(zip)));
    }
    const auto entry = static_cast<zip_uint64_t>(index);
    if (zip_set_file_compression(zip, entry, ZIP_CM_DEFLATE, CompressionLevel) != 0 ||
        zip_file_set_mtime(zip, entry, fileStat.st_mtim.tv_sec, 0) != 0)
      fail(QString::fromLocal8Bit(zip_strerror(zip)));
    AddTimeStamp(zip, entry, fileStat.st_mtim.tv_sec);
  }
  if (zip_close(zip) != 0) {
    const QString text = QString::fromLocal8Bit(zip_strerror(zip));
    zip_discard(zip);
    for (const auto& record : records)
      if (record.Failure) std::rethrow_exception(record.Failure);
    throw TZipError(WriteFailure(AArchivePath, text));
  }

  // Read back: every file, in order, with the size that was read from it.
  const QList<TEntryInfo> written = ReadDirectory(QFile::decodeName(temp.Path()));
  if (written.size() != AEntries.size())
    throw TZipError(WriteFailure(
        AArchivePath, QStringLiteral("das Archiv hält %1 statt %2 Dateien").arg(written.size()).arg(AEntries.size())));
  for (qsizetype i = 0; i < written.size(); ++i) {
    if (written[i].Name != AEntries[i].Name || written[i].Size != records[static_cast<size_t>(i)].BytesRead)
      throw TZipError(WriteFailure(AArchivePath, AEntries[i].Name + QStringLiteral(": im Archiv falsch abgelegt")));
  }
  if (const int error = SyncPath(temp.Path(), 0)) throw TZipError(WriteFailure(AArchivePath, ErrorText(error)));
  if (const int error = RenameNoReplace(QFile::decodeName(temp.Path()), AArchivePath)) {
    throw TZipError(WriteFailure(AArchivePath, error == EEXIST
                                                   ? QStringLiteral("eine Datei dieses Namens ist schon vorhanden")
                                                   : ErrorText(error)));
  }
  temp.Release();
  SyncPath(QFile::encodeName(info.path()), O_DIRECTORY);
  progress.Report(100);
}

QList<TZipWriter::TEntryInfo> TZipWriter::ReadDirectory(const QString& AArchivePath) {
  int code = 0;
  zip_t* zip = zip_open(QFile::encodeName(AArchivePath).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
  if (!zip) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = ZipErrorText(&error);
    zip_error_fini(&error);
    throw TZipError(QStringLiteral("Das Archiv \"%1\" ist nicht lesbar: %2").arg(AArchivePath, text));
  }
  QList<TEntryInfo> entries;
  const zip_int64_t count = zip_get_num_entries(zip, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    zip_stat_t st;
    if (zip_stat_index(zip, static_cast<zip_uint64_t>(i), 0, &st) != 0) {
      const QString text = QString::fromLocal8Bit(zip_strerror(zip));
      zip_discard(zip);
      throw TZipError(QStringLiteral("Das Archiv \"%1\" ist nicht lesbar: %2").arg(AArchivePath, text));
    }
    TEntryInfo entry;
    entry.Name = QString::fromUtf8(st.name);
    entry.Size = static_cast<qint64>(st.size);
    entry.MTime = QDateTime::fromSecsSinceEpoch(st.mtime, Qt::UTC);
    entries.append(entry);
  }
  zip_discard(zip);
  return entries;
}

QByteArray TZipWriter::ReadEntryData(const QString& AArchivePath, const QString& AName) {
  int code = 0;
  zip_t* zip = zip_open(QFile::encodeName(AArchivePath).constData(), ZIP_RDONLY, &code);
  const auto failure = [&](const QString& AReason) {
    return TZipError(QStringLiteral("Das Archiv \"%1\" ist nicht lesbar: %2").arg(AArchivePath, AReason));
  };
  if (!zip) throw failure(QString::number(code));
  const QByteArray name = AName.toUtf8();
  zip_stat_t st;
  zip_file_t* file = nullptr;
  if (zip_stat(zip, name.constData(), 0, &st) != 0 || !(file = zip_fopen(zip, name.constData(), 0))) {
    const QString text = QString::fromLocal8Bit(zip_strerror(zip));
    zip_discard(zip);
    throw failure(text);
  }
  QByteArray data;
  char buffer[65536];
  zip_int64_t got;
  while ((got = zip_fread(file, buffer, sizeof buffer)) > 0) data.append(buffer, static_cast<qsizetype>(got));
  const bool ok = got == 0 && zip_fclose(file) == 0;  // zip_fclose reports a wrong CRC
  if (!ok) {
    if (got != 0) zip_fclose(file);
    zip_discard(zip);
    throw failure(QStringLiteral("Daten von ") + AName);
  }
  zip_discard(zip);
  return data;
}

}  // namespace kavio::platform
