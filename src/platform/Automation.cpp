#include "platform/Automation.h"

#include <QHash>
#include <mutex>

namespace kavio::platform {

namespace {

struct TRegistry {
  std::mutex Mutex;
  QHash<QString, std::shared_ptr<IAutomationServer>> Servers;
};

TRegistry& Registry() {
  static TRegistry registry;
  return registry;
}

std::shared_ptr<IAutomationServer> FindServer(const QString& AProgId) {
  auto& registry = Registry();
  std::lock_guard lock(registry.Mutex);
  // Program ids are not case sensitive.
  return registry.Servers.value(AProgId.toLower());
}

}  // namespace

TAutomationRef GetActiveObject(const QString& AProgId) {
  auto server = FindServer(AProgId);
  if (!server) throw TAutomationError("no automation server registered for " + AProgId.toStdString());
  TAutomationRef object = server->AttachRunning();
  if (!object) throw TAutomationError("no running instance of " + AProgId.toStdString());
  return object;
}

TAutomationRef CreateOleObject(const QString& AProgId) {
  auto server = FindServer(AProgId);
  if (!server) throw TAutomationError("no automation server registered for " + AProgId.toStdString());
  TAutomationRef object = server->Create();
  if (!object) throw TAutomationError("cannot start " + AProgId.toStdString());
  return object;
}

std::shared_ptr<IAutomationServer> RegisterAutomationServer(const QString& AProgId,
                                                            std::shared_ptr<IAutomationServer> AServer) {
  auto& registry = Registry();
  std::lock_guard lock(registry.Mutex);
  auto previous = registry.Servers.take(AProgId.toLower());
  if (AServer) registry.Servers.insert(AProgId.toLower(), std::move(AServer));
  return previous;
}

}  // namespace kavio::platform
