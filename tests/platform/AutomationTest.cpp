#include "platform/Automation.h"

#include <gtest/gtest.h>

using namespace kavio::platform;

namespace {

class TObject : public IAutomationObject {
 public:
  QVariant CallMethod(const QString&, QVariantList&) override { return 1; }
  QVariant GetProperty(const QString& AName) override { return AName; }
};

class TServer : public IAutomationServer {
 public:
  bool Running = false;
  bool CanStart = false;
  TAutomationRef AttachRunning() override { return Running ? std::make_shared<TObject>() : nullptr; }
  TAutomationRef Create() override { return CanStart ? std::make_shared<TObject>() : nullptr; }
};

}  // namespace

TEST(Automation, NoServerRegisteredFails) {
  EXPECT_THROW(GetActiveObject(QStringLiteral("Nothing.Here")), TAutomationError);
  EXPECT_THROW(CreateOleObject(QStringLiteral("Nothing.Here")), TAutomationError);
}

TEST(Automation, RegisteredServerAttachesAndCreates) {
  auto server = std::make_shared<TServer>();
  RegisterAutomationServer(QStringLiteral("Fake.App"), server);
  EXPECT_THROW(GetActiveObject(QStringLiteral("fake.app")), TAutomationError);
  EXPECT_THROW(CreateOleObject(QStringLiteral("Fake.App")), TAutomationError);
  server->Running = true;
  EXPECT_EQ(GetActiveObject(QStringLiteral("FAKE.APP"))->GetProperty(QStringLiteral("Subject")).toString(),
            QStringLiteral("Subject"));
  server->CanStart = true;
  EXPECT_TRUE(CreateOleObject(QStringLiteral("Fake.App")));
  EXPECT_EQ(RegisterAutomationServer(QStringLiteral("Fake.App"), nullptr), server);
  EXPECT_THROW(GetActiveObject(QStringLiteral("Fake.App")), TAutomationError);
}
