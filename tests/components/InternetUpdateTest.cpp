#include "TestSupport.h"
#include "components/TLumoInternetUpdate.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <gtest/gtest.h>

using namespace kavio;
using components::TLumoInternetUpdate;

namespace {

// The world as the update sees it: a server of files by URL, folders, the user's answers, and a
// log of every dialog.
class TFakeHost : public components::IUpdateHost {
 public:
  platform::THttpResult Download(const QString& AUrl, const QString& APath, const platform::THttpLimits& ALimits) override {
    Log.append("download " + AUrl);
    platform::THttpResult result;
    if (!Server.contains(AUrl) || Server[AUrl].size() > ALimits.MaxBytes) return result;
    test::WriteFile(QFileInfo(APath).absolutePath(), QFileInfo(APath).fileName(), Server[AUrl]);
    result.Ok = true;
    result.Status = 200;
    return result;
  }
  QString DocumentsFolder() override { return Documents; }
  QString ExecutablePath() override { return Executable; }
  bool IsAdmin() override {
    Log.append("is admin");
    return Admin;
  }
  QString PickFolder(const QString& AStart) override {
    Log.append("pick " + AStart);
    return Picked;
  }
  void Restart() override { Log.append("restart"); }
  void Error(const QString& AText) override { Log.append("error " + AText); }
  void Information(const QString& AText) override { Log.append("information " + AText); }
  bool AskInformation(const QString& AText) override {
    Log.append("ask " + AText);
    return Yes;
  }
  void Message(const QString& AText) override { Log.append("message " + AText); }
  void FinalInformation(const QString& AText) override { Log.append("final " + AText); }

  QMap<QString, QByteArray> Server;
  QString Documents, Executable, Picked;
  bool Admin = false;
  bool Yes = true;
  QStringList Log;
};

class InternetUpdate : public ::testing::Test {
 protected:
  void SetUp() override {
    Host.Documents = Dir.path() + "/docs";
    QDir().mkpath(Host.Documents);
    Host.Executable = Dir.path() + "/prog/kavio";
    QDir().mkpath(Dir.path() + "/prog");
    Update.SetWebAddress("HTTP://updates.example.org/kavio/");
    Update.WebVersionFileName = "kavio.ver";
    Update.WebDownloadFileName = "Kavio.zip";
  }
  void Offer(const QByteArray& AVersionFile) { Host.Server["http://updates.example.org/kavio/kavio.ver"] = AVersionFile; }
  QByteArray Read(const QString& APath) {
    QFile file(APath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
  }

  QTemporaryDir Dir;
  TFakeHost Host;
  TLumoInternetUpdate Update{Host, nullptr, "1.0.1.1"};
};

const QString NoConnection = "error Es konnte keine Verbindung zum Updateserver hergestellt werden. Abbruch.";
const QString NoNewer = "information Es ist keine aktuellere Programmversion verfügbar.";

}  // namespace

TEST(InternetUpdateLogic, AddressAndVersions) {
  EXPECT_EQ(components::NormaliseWebAddress("HTTP://host/folder/"), "host/folder");
  EXPECT_EQ(components::NormaliseWebAddress("http:::///host/f\\"), "host/f");
  EXPECT_EQ(components::NormaliseWebAddress("host/f"), "host/f");
  EXPECT_TRUE(components::IsNewerVersion("1.0.1.2", "1.0.1.1"));
  EXPECT_FALSE(components::IsNewerVersion("1.0.1.1", "1.0.1.1"));
  EXPECT_FALSE(components::IsNewerVersion("1.0.1.10", "1.0.1.9"));  // character by character
  EXPECT_TRUE(components::IsNewerVersion("1.0.1.1a", "1.0.1.1"));
  EXPECT_FALSE(components::IsNewerVersion("", "1.0.1.1"));
  EXPECT_EQ(components::FirstLine("1.0.1.2 \r\nsecond"), "1.0.1.2 ");  // untrimmed
  EXPECT_EQ(components::FirstLine("2.0\n"), "2.0");
  EXPECT_EQ(components::JoinPath("/a/", "b"), "/a/b");
  EXPECT_EQ(components::JoinPath("/a", "b"), "/a/b");
  EXPECT_TRUE(components::IsInProgramFiles("/usr/bin/", components::GetProgramFilesDirs()));
  EXPECT_TRUE(components::IsInProgramFiles("/opt/kavio", components::GetProgramFilesDirs()));
  EXPECT_FALSE(components::IsInProgramFiles("/home/anna/usr/bin/", components::GetProgramFilesDirs()));
  TFakeHost host;
  TLumoInternetUpdate fresh(host);
  EXPECT_EQ(fresh.WebAdress(), TLumoInternetUpdate::DefaultWebAdress);
  EXPECT_EQ(fresh.WebVersionFileName, "programfilename.ver");
  EXPECT_EQ(fresh.WebDownloadFileName, "programfilename.exe");
  EXPECT_FALSE(fresh.ProgramRestart);
  EXPECT_EQ(fresh.GetVersion(), "1.2");
  EXPECT_EQ(fresh.GetProduktversion(), KAVIO_FILE_VERSION);
}

TEST_F(InternetUpdate, NoServer) {
  Update.InternetUpdate();
  EXPECT_EQ(Host.Log, (QStringList{"download http://updates.example.org/kavio/kavio.ver", NoConnection}));
}

TEST_F(InternetUpdate, NothingNewer) {
  for (const QByteArray& file : {QByteArray("1.0.1.1\r\n"), QByteArray("1.0.1.0"), QByteArray(""), QByteArray("\r\n9.9")}) {
    Host.Log.clear();
    Offer(file);
    Update.InternetUpdate();
    EXPECT_EQ(Host.Log.value(1), NoNewer) << file.toStdString();
    EXPECT_EQ(Host.Log.size(), 2);
  }
  EXPECT_EQ(Read(Host.Documents + "/kavio.ver"), "\r\n9.9");  // left in the documents folder
}

TEST_F(InternetUpdate, OfferDeclined) {
  Offer("1.0.1.2\r\n");
  Host.Yes = false;
  Update.InternetUpdate();
  EXPECT_EQ(Host.Log.value(1), "ask Es ist die neuere Programmversion 1.0.1.2 verfügbar.\r\nMöchten Sie diese Version herunterladen ?");
  EXPECT_EQ(Host.Log.size(), 2);
}

TEST_F(InternetUpdate, FirstAndSecondUpdateIntoTheProgramFolder) {
  Offer("1.0.1.2");
  Host.Server["http://updates.example.org/kavio/Kavio.zip"] = "zip one";
  Update.InternetUpdate();
  const QString target = Dir.path() + "/prog/Kavio.zip";
  EXPECT_FALSE(Host.Log.contains("is admin"));  // not in a system folder: no question
  EXPECT_EQ(Host.Log.last(), "final Die neue Datei wurde unter " + target + " gespeichert.");
  EXPECT_EQ(Read(target), "zip one");
  EXPECT_EQ(QDir(Dir.path() + "/prog").entryList(QDir::Files), QStringList{"Kavio.zip"});

  Host.Server["http://updates.example.org/kavio/Kavio.zip"] = "zip two";
  Update.InternetUpdate();
  EXPECT_EQ(Read(target), "zip two");
  EXPECT_EQ(Read(target + "_old"), "zip one");
  EXPECT_EQ(Read(target + "_1.0.1.1"), "zip one");
  EXPECT_FALSE(Host.Log.contains("restart"));
}

TEST_F(InternetUpdate, SystemFolderAsksForAFolderUnlessAdmin) {
  Offer("1.0.1.2");
  Host.Server["http://updates.example.org/kavio/Kavio.zip"] = "zip";
  Host.Executable = "/usr/bin/kavio";
  Host.Picked = Dir.path() + "/picked";  // without closing slash
  QDir().mkpath(Host.Picked);
  Update.InternetUpdate();
  EXPECT_TRUE(Host.Log.contains("pick /usr/bin/"));
  EXPECT_TRUE(Host.Log.filter("information Es soll eine Datei aus den Internet geladen").size() == 1);
  EXPECT_EQ(Read(Host.Picked + "/Kavio.zip"), "zip");

  Host.Log.clear();
  Host.Picked.clear();  // cancelled
  Update.InternetUpdate();
  EXPECT_EQ(Host.Log.last(), "information Der Download wird abgebrochen.");

  Host.Log.clear();
  Host.Admin = true;
  Host.Executable = Dir.path() + "/opt-like/kavio";
  Update.InternetUpdate();
  EXPECT_FALSE(Host.Log.contains("is admin"));
}

TEST_F(InternetUpdate, FailedDownloadLeavesNothing) {
  Offer("1.0.1.2");
  Update.InternetUpdate();
  EXPECT_EQ(Host.Log.last(), NoConnection);
  EXPECT_TRUE(QDir(Dir.path() + "/prog").entryList(QDir::Files).isEmpty());
}

TEST_F(InternetUpdate, AFileThatCannotBePutInPlaceIsReportedWhereItIs) {
  Offer("1.0.1.2");
  Host.Server["http://updates.example.org/kavio/Kavio.zip"] = "zip";
  // Kavio.zip and Kavio.zip_old are folders with files in them: nothing can replace them.
  test::WriteFile(Dir.path() + "/prog/Kavio.zip", "x", "x");
  test::WriteFile(Dir.path() + "/prog/Kavio.zip_old", "x", "x");
  Update.InternetUpdate();
  const QString fresh = Dir.path() + "/prog/Kavio.zip_new";
  EXPECT_TRUE(Host.Log.filter("message ").size() == 1);
  EXPECT_EQ(Host.Log.last(), "final Die neue Datei wurde unter " + fresh + " gespeichert.");
  EXPECT_EQ(Read(fresh), "zip");
}

TEST_F(InternetUpdate, RestartWhenAsked) {
  Offer("1.0.1.2");
  Host.Server["http://updates.example.org/kavio/Kavio.zip"] = "zip";
  Update.ProgramRestart = true;
  Update.InternetUpdate();
  EXPECT_EQ(Host.Log.last(), "restart");
}
