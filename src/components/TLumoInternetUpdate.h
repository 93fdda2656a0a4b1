#pragma once
// The online update: asks a web server whether a newer version of the program exists and, when
// the user agrees, downloads one file from the same server folder into the program's folder (or
// a folder the user picks when the program lies in a system folder and the user is no
// administrator), keeping copies of the file it replaces. It never unpacks or runs what it
// downloads, apart from the optional restart of the program.

#include "platform/HttpDownload.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace kavio::components {

// Everything the update needs of the world: the network, the file system's special folders, the
// user's answers. The window implements it with its dialogs; tests with a fake.
class IUpdateHost {
 public:
  virtual ~IUpdateHost() = default;
  virtual platform::THttpResult Download(const QString& AUrl, const QString& APath,
                                         const platform::THttpLimits& ALimits) = 0;
  // The user's documents folder.
  virtual QString DocumentsFolder() = 0;
  // The full path of the running program.
  virtual QString ExecutablePath() = 0;
  virtual bool IsAdmin() = 0;
  // The folder picker, opened at AStart; empty when the user cancels.
  virtual QString PickFolder(const QString& AStart) = 0;
  // Starts the program anew and ends this one.
  virtual void Restart() = 0;

  virtual void Error(const QString& AText) = 0;
  virtual void Information(const QString& AText) = 0;
  // An information dialog with Yes and No; true for Yes.
  virtual bool AskInformation(const QString& AText) = 0;
  // A plain message box.
  virtual void Message(const QString& AText) = 0;
  // The closing message box, titled "Information".
  virtual void FinalInformation(const QString& AText) = 0;
};

// The host of the real program: effective user id 0 is the administrator, libcurl downloads,
// QStandardPaths's documents folder. Dialogs and the folder picker come from a subclass.
class TSystemUpdateHost : public IUpdateHost {
 public:
  platform::THttpResult Download(const QString& AUrl, const QString& APath,
                                 const platform::THttpLimits& ALimits) override;
  QString DocumentsFolder() override;
  QString ExecutablePath() override;
  bool IsAdmin() override;
  void Restart() override;
};

// "http", colons and slashes at the front, one closing slash and one closing backslash removed.
QString NormaliseWebAddress(QString AValue);
// Whether the server's version is greater than the program's, comparing the texts character by
// character (so "1.0.1.10" is not greater than "1.0.1.9").
bool IsNewerVersion(const QString& AServerVersion, const QString& AProgramVersion);
// The first line of a version file, read as Windows-1252, up to the first line break, untrimmed.
QString FirstLine(const QByteArray& AData);
// A folder and a file name joined by exactly one "/".
QString JoinPath(const QString& AFolder, const QString& AName);
// The system program folders: a program below one of them cannot be replaced by a user.
QStringList GetProgramFilesDirs();
bool IsInProgramFiles(const QString& AFolder, const QStringList& AProgramFilesDirs);

// Puts T/N_new in place as T/N: copies T/N to T/N_<AVersion>, deletes T/N_old, renames T/N to
// T/N_old, renames T/N_new to T/N. Each step that has nothing to act on changes nothing. Returns
// the problems met, in German, empty when there were none.
QStringList PutNewFileInPlace(const QString& ATarget, const QString& AName, const QString& AVersion);

class TLumoInternetUpdate : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString Produktversion READ GetProduktversion)
  Q_PROPERTY(QString About READ GetVersion)
  Q_PROPERTY(QString WebAdress READ WebAdress WRITE SetWebAddress)

 public:
  static inline const QString cVersion = QStringLiteral("1.2");
  static inline const QString DefaultWebAdress = QStringLiteral("www.example.com/programfolder");
  static constexpr qint64 MaxVersionFileBytes = 64 * 1024;
  static constexpr qint64 MaxDownloadBytes = 512LL * 1024 * 1024;

  explicit TLumoInternetUpdate(IUpdateHost& AHost, QObject* AOwner = nullptr,
                               const QString& AProduktversion = QStringLiteral(KAVIO_FILE_VERSION));

  virtual QString GetProduktversion() const { return FProduktversion; }
  virtual QString GetVersion() const { return cVersion; }
  const QString& WebAdress() const { return FWebAdress; }
  void SetWebAddress(const QString& AValue);

  QString WebVersionFileName;
  QString WebDownloadFileName;
  bool ProgramRestart = false;

  // The whole check and download, with its dialogs. An unreadable version file throws
  // std::runtime_error, for the application's error reporting.
  void InternetUpdate(QObject* ASender = nullptr);

 private:
  IUpdateHost& FHost;
  QString FProduktversion;
  QString FWebAdress;
};

}  // namespace kavio::components
