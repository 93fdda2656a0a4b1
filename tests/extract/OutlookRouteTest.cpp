#include "TestSupport.h"
#include "extract/TFormViewMail.h"
#include "platform/DateTime.h"
#include "platform/MimeHeader.h"

#include <gtest/gtest.h>

using namespace kavio;
using platform::TAutomationRef;

namespace {

// A fake Outlook: records every call; items answer from a table.
struct TLog {
  QStringList Calls;
};

class TFakeItem : public platform::IAutomationObject {
 public:
  TFakeItem(TLog& ALog, QVariantMap AProps) : FLog(ALog), FProps(std::move(AProps)) {}
  ~TFakeItem() override { FLog.Calls.append(QStringLiteral("release item")); }
  QVariant CallMethod(const QString& AName, QVariantList&) override { throw platform::TAutomationError(AName.toStdString()); }
  QVariant GetProperty(const QString& AName) override {
    FLog.Calls.append(AName);
    if (FProps.value(AName).toString() == QLatin1String("<error>")) throw platform::TAutomationError("read failed");
    return FProps.value(AName);
  }

 private:
  TLog& FLog;
  QVariantMap FProps;
};

class TFakeOutlook : public platform::IAutomationObject {
 public:
  explicit TFakeOutlook(TLog& ALog) : FLog(ALog) {}
  QVariant CallMethod(const QString& AName, QVariantList& AArgs) override {
    FLog.Calls.append(AName + QLatin1Char(' ') + AArgs.value(0).toString());
    if (AName != QLatin1String("CreateItemFromTemplate") || !Items.contains(AArgs.value(0).toString()))
      throw platform::TAutomationError("cannot open");
    return QVariant::fromValue<TAutomationRef>(std::make_shared<TFakeItem>(FLog, Items.value(AArgs.value(0).toString())));
  }
  QVariant GetProperty(const QString&) override { return {}; }
  QMap<QString, QVariantMap> Items;

 private:
  TLog& FLog;
};

class TFakeServer : public platform::IAutomationServer {
 public:
  explicit TFakeServer(TLog& ALog) : FLog(ALog) {}
  TAutomationRef AttachRunning() override {
    FLog.Calls.append(QStringLiteral("attach"));
    return Running ? Instance : nullptr;
  }
  TAutomationRef Create() override {
    FLog.Calls.append(QStringLiteral("create"));
    return Installed ? Instance : nullptr;
  }
  bool Running = false;
  bool Installed = false;
  std::shared_ptr<TFakeOutlook> Instance;

 private:
  TLog& FLog;
};

class OutlookRoute : public ::testing::Test {
 protected:
  void SetUp() override {
    Server = std::make_shared<TFakeServer>(Log);
    Server->Instance = std::make_shared<TFakeOutlook>(Log);
    platform::RegisterAutomationServer(extract::OutlookProgId, Server);
  }
  void TearDown() override { platform::RegisterAutomationServer(extract::OutlookProgId, nullptr); }

  TLog Log;
  std::shared_ptr<TFakeServer> Server;
  test::TRecordingReporter Reporter;
};

}  // namespace

TEST_F(OutlookRoute, NoOutlookReportsAndFails) {
  extract::TFormViewMail viewMail(&Reporter);
  EXPECT_FALSE(viewMail.ConnectOutLook());
  EXPECT_EQ(Log.Calls, (QStringList{"attach", "create"}));
  EXPECT_EQ(Reporter.Texts("error"), QStringList{"Es konnte keine Verbindung zu Outlook hergestellt werden-"});
  QByteArray stream;
  EXPECT_FALSE(viewMail.GetMsgData_OutLook("/x/a.msg", stream));
}

TEST_F(OutlookRoute, NoServerAtAllReportsAndFails) {
  platform::RegisterAutomationServer(extract::OutlookProgId, nullptr);
  extract::TFormViewMail viewMail(&Reporter);
  EXPECT_FALSE(viewMail.ConnectOutLook());
  EXPECT_EQ(Reporter.Texts("error").size(), 1);
}

TEST_F(OutlookRoute, AttachesToARunningOutlookAndReadsInOrder) {
  Server->Running = true;
  Server->Instance->Items["/m/a.msg"] = {{"Subject", QString(u8"Grüße 日本")},
                                         {"SenderEmailAddress", "hans@example.org"},
                                         {"SenderName", QString(u8"Hans Müller")},
                                         {"ReceivedTime", platform::LocalToDayCount(QDate(2015, 2, 3), QTime(9, 15))}};
  extract::TFormViewMail viewMail(&Reporter);
  ASSERT_TRUE(viewMail.ConnectOutLook());
  EXPECT_EQ(Log.Calls, QStringList{"attach"});  // no second instance started
  viewMail.DisConnectOutlook();                  // keeps the connection
  QByteArray stream;
  ASSERT_TRUE(viewMail.GetMsgData_OutLook("/m/a.msg", stream));
  EXPECT_EQ(Log.Calls, (QStringList{"attach", "CreateItemFromTemplate /m/a.msg", "Subject", "SenderEmailAddress",
                                    "SenderName", "ReceivedTime", "release item"}));
  platform::TIdMessage message;
  message.LoadHeaders(stream);
  EXPECT_EQ(message.Subject(), QString(u8"Grüße 日本"));  // no code-page loss
  EXPECT_EQ(message.From().Name, QString(u8"Hans Müller"));
  EXPECT_EQ(message.From().Address, QString("hans@example.org"));
  EXPECT_EQ(message.Date(), QDateTime(QDate(2015, 2, 3), QTime(8, 15), Qt::UTC));
  EXPECT_TRUE(Reporter.FEntries.isEmpty());
}

TEST_F(OutlookRoute, StartsOutlookWhenNoneRuns) {
  Server->Installed = true;
  extract::TFormViewMail viewMail(&Reporter);
  EXPECT_TRUE(viewMail.ConnectOutLook());
  EXPECT_EQ(Log.Calls, (QStringList{"attach", "create"}));
}

TEST_F(OutlookRoute, EmptyPropertiesAndNoDate) {
  Server->Running = true;
  Server->Instance->Items["/m/e.msg"] = {{"ReceivedTime", 0.0}};
  extract::TFormViewMail viewMail(&Reporter);
  ASSERT_TRUE(viewMail.ConnectOutLook());
  QByteArray stream;
  ASSERT_TRUE(viewMail.GetMsgData_OutLook("/m/e.msg", stream));
  EXPECT_FALSE(stream.contains("Date:"));
  platform::TIdMessage message;
  message.LoadHeaders(stream);
  EXPECT_EQ(message.From(), platform::TMailAddress());
  EXPECT_TRUE(message.Subject().isEmpty());
  EXPECT_FALSE(message.Date().isValid());
}

TEST_F(OutlookRoute, AnErrorInAnyStepFails) {
  Server->Running = true;
  Server->Instance->Items["/m/bad.msg"] = {{"Subject", "s"}, {"SenderName", "<error>"}};
  extract::TFormViewMail viewMail(&Reporter);
  ASSERT_TRUE(viewMail.ConnectOutLook());
  QByteArray stream = "kept";
  EXPECT_FALSE(viewMail.GetMsgData_OutLook("/m/bad.msg", stream));    // a property read fails
  EXPECT_FALSE(viewMail.GetMsgData_OutLook("/m/absent.msg", stream)); // the item cannot be made
  EXPECT_TRUE(Log.Calls.contains("release item"));                    // the item was released
  EXPECT_TRUE(Reporter.FEntries.isEmpty());
}

TEST_F(OutlookRoute, AFailedReconnectKeepsTheConnection) {
  Server->Running = true;
  Server->Instance->Items["/m/a.msg"] = {{"Subject", "s"}};
  extract::TFormViewMail viewMail(&Reporter);
  ASSERT_TRUE(viewMail.ConnectOutLook());
  Server->Running = false;
  EXPECT_FALSE(viewMail.ConnectOutLook());
  QByteArray stream;
  EXPECT_TRUE(viewMail.GetMsgData_OutLook("/m/a.msg", stream));
}
