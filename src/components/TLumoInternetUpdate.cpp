#include "components/TLumoInternetUpdate.h"

#include "platform/CodePage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <cstdio>
#include <stdexcept>
#include <unistd.h>

namespace kavio::components {

namespace {

const QString NoConnection =
    QStringLiteral("Es konnte keine Verbindung zum Updateserver hergestellt werden. Abbruch.");

bool Exists(const QString& APath) { return QFileInfo::exists(APath) || QFileInfo(APath).isSymLink(); }

}  // namespace

platform::THttpResult TSystemUpdateHost::Download(const QString& AUrl, const QString& APath,
                                                  const platform::THttpLimits& ALimits) {
  return platform::DownloadToFile(AUrl, APath, ALimits);
}

QString TSystemUpdateHost::DocumentsFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString TSystemUpdateHost::ExecutablePath() { return QCoreApplication::applicationFilePath(); }

bool TSystemUpdateHost::IsAdmin() { return ::geteuid() == 0; }

void TSystemUpdateHost::Restart() {
  QProcess::startDetached(QCoreApplication::applicationFilePath(), {});
  QCoreApplication::quit();
}

QString NormaliseWebAddress(QString AValue) {
  if (AValue.left(4).toLower() == QLatin1String("http")) AValue.remove(0, 4);
  while (AValue.startsWith(QLatin1Char(':'))) AValue.remove(0, 1);
  while (AValue.startsWith(QLatin1Char('/'))) AValue.remove(0, 1);
  if (AValue.endsWith(QLatin1Char('/'))) AValue.chop(1);
  if (AValue.endsWith(QLatin1Char('\\'))) AValue.chop(1);
  return AValue;
}

bool IsNewerVersion(const QString& AServerVersion, const QString& AProgramVersion) {
  return QString::compare(AServerVersion, AProgramVersion, Qt::CaseSensitive) > 0;
}

QString FirstLine(const QByteArray& AData) {
  qsizetype end = 0;
  while (end < AData.size() && AData[end] != '\r' && AData[end] != '\n') ++end;
  return platform::DecodeCodePage(AData.left(end), platform::CodePageWindows1252);
}

QString JoinPath(const QString& AFolder, const QString& AName) {
  return AFolder.endsWith(QLatin1Char('/')) ? AFolder + AName : AFolder + QLatin1Char('/') + AName;
}

QStringList GetProgramFilesDirs() { return {QStringLiteral("/usr/"), QStringLiteral("/opt/")}; }

bool IsInProgramFiles(const QString& AFolder, const QStringList& AProgramFilesDirs) {
  const QString folder = AFolder.endsWith(QLatin1Char('/')) ? AFolder : AFolder + QLatin1Char('/');
  for (const QString& dir : AProgramFilesDirs)
    if (!dir.isEmpty() && folder.startsWith(dir)) return true;
  return false;
}

QStringList PutNewFileInPlace(const QString& ATarget, const QString& AName, const QString& AVersion) {
  QStringList problems;
  const QString file = JoinPath(ATarget, AName);
  const QString fresh = file + QStringLiteral("_new");
  const QString old = file + QStringLiteral("_old");
  const QString copy = file + QLatin1Char('_') + AVersion;
  if (Exists(file)) {
    QFile::remove(copy);
    if (!QFile::copy(file, copy)) problems.append(QStringLiteral("Die Datei ") + file + QStringLiteral(" konnte nicht nach ") + copy + QStringLiteral(" kopiert werden."));
  }
  if (Exists(old) && !QFile::remove(old))
    problems.append(QStringLiteral("Die Datei ") + old + QStringLiteral(" konnte nicht gelöscht werden."));
  if (Exists(file) && ::rename(QFile::encodeName(file).constData(), QFile::encodeName(old).constData()) != 0)
    problems.append(QStringLiteral("Die Datei ") + file + QStringLiteral(" konnte nicht in ") + old + QStringLiteral(" umbenannt werden."));
  if (::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(file).constData()) != 0)
    problems.append(QStringLiteral("Die Datei ") + fresh + QStringLiteral(" konnte nicht in ") + file + QStringLiteral(" umbenannt werden."));
  return problems;
}

TLumoInternetUpdate::TLumoInternetUpdate(IUpdateHost& AHost, QObject* AOwner, const QString& AProduktversion)
    : QObject(AOwner), FHost(AHost), FProduktversion(AProduktversion) {
  // The defaults, stored as they are.
  FWebAdress = DefaultWebAdress;
  WebVersionFileName = QStringLiteral("programfilename.ver");
  WebDownloadFileName = QStringLiteral("programfilename.exe");
}

void TLumoInternetUpdate::SetWebAddress(const QString& AValue) { FWebAdress = NormaliseWebAddress(AValue); }

void TLumoInternetUpdate::InternetUpdate(QObject*) {
  // 1-3: the version file into the documents folder, fetched fresh (no cache).
  const QString versionUrl = QStringLiteral("http://") + FWebAdress + QLatin1Char('/') + WebVersionFileName;
  const QString versionPath = JoinPath(FHost.DocumentsFolder(), WebVersionFileName);
  platform::THttpLimits versionLimits;
  versionLimits.MaxBytes = MaxVersionFileBytes;
  if (!FHost.Download(versionUrl, versionPath, versionLimits).Ok) {
    FHost.Error(NoConnection);
    return;
  }
  // 4-5: its first line against the program's version.
  QFile versionFile(versionPath);
  if (!versionFile.open(QIODevice::ReadOnly))
    throw std::runtime_error(("Die Datei " + versionPath + " kann nicht gelesen werden: " + versionFile.errorString())
                                 .toStdString());
  const QString versionStr = FirstLine(versionFile.read(MaxVersionFileBytes));
  versionFile.close();
  if (!IsNewerVersion(versionStr, FProduktversion)) {
    FHost.Information(QStringLiteral("Es ist keine aktuellere Programmversion verfügbar."));
    return;
  }
  // 6: the offer.
  if (!FHost.AskInformation(QStringLiteral("Es ist die neuere Programmversion ") + versionStr +
                            QStringLiteral(" verfügbar.\r\nMöchten Sie diese Version herunterladen ?")))
    return;
  // 7-9: the target folder.
  QString chosenDirectory = QFileInfo(FHost.ExecutablePath()).absolutePath() + QLatin1Char('/');
  if (IsInProgramFiles(chosenDirectory, GetProgramFilesDirs()) && !FHost.IsAdmin()) {
    FHost.Information(QStringLiteral(
        "Es soll eine Datei aus den Internet geladen und im Programmverzeichnis abgelegt werden. \r\nSie sind "
        "nicht als Administrator eingeloggt.\r\nBitte wählen Sie ein Verzeichnis als Ziel aus auf dem Sie "
        "Schreibrechte haben."));
    chosenDirectory = FHost.PickFolder(chosenDirectory);
  }
  if (chosenDirectory.isEmpty()) {
    FHost.Information(QStringLiteral("Der Download wird abgebrochen."));
    return;
  }
  // 10-11: the download, as T/N_new once complete.
  const QString downloadUrl = QStringLiteral("http://") + FWebAdress + QLatin1Char('/') + WebDownloadFileName;
  const QString target = JoinPath(chosenDirectory, WebDownloadFileName);
  platform::THttpLimits downloadLimits;
  downloadLimits.MaxBytes = MaxDownloadBytes;
  if (!FHost.Download(downloadUrl, target + QStringLiteral("_new"), downloadLimits).Ok) {
    FHost.Error(NoConnection);
    return;
  }
  // 12-13: in place, keeping the file it replaces; the final message says where the file is.
  const QStringList problems = PutNewFileInPlace(chosenDirectory, WebDownloadFileName, FProduktversion);
  if (!problems.isEmpty()) FHost.Message(problems.join(QLatin1Char('\n')));
  const QString savedAs = QFileInfo::exists(target + QStringLiteral("_new")) ? target + QStringLiteral("_new") : target;
  FHost.FinalInformation(QStringLiteral("Die neue Datei wurde unter ") + savedAs + QStringLiteral(" gespeichert."));
  // 14.
  if (ProgramRestart) FHost.Restart();
}

}  // namespace kavio::components
