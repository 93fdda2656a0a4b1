#pragma once
// Automation servers: programs that offer objects whose methods and properties are reached by
// name at run time (late binding). Linux has none; a program can register servers of its own,
// and the tests register fakes.

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <memory>
#include <stdexcept>

namespace kavio::platform {

class TAutomationError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An object of a server, addressed by names. Every call throws TAutomationError on failure.
class IAutomationObject {
 public:
  virtual ~IAutomationObject() = default;
  // Calls a method; AArgs are passed by reference (the method may change them).
  virtual QVariant CallMethod(const QString& AName, QVariantList& AArgs) = 0;
  virtual QVariant GetProperty(const QString& AName) = 0;
};

// A reference to an automation object; releasing the last reference releases the object.
using TAutomationRef = std::shared_ptr<IAutomationObject>;

class IAutomationServer {
 public:
  virtual ~IAutomationServer() = default;
  // The application object of a running instance; null when none runs.
  virtual TAutomationRef AttachRunning() = 0;
  // The application object of a new instance; null when none can be started.
  virtual TAutomationRef Create() = 0;
};

// Attach to a running instance of the server registered under a program id ("Outlook.Application").
// Throws TAutomationError when no server of that id is registered or none runs.
TAutomationRef GetActiveObject(const QString& AProgId);

// Start a new instance. Throws TAutomationError when it cannot be created.
TAutomationRef CreateOleObject(const QString& AProgId);

// Registers (or with null, removes) the server of a program id. Returns the one it replaced.
std::shared_ptr<IAutomationServer> RegisterAutomationServer(const QString& AProgId,
                                                            std::shared_ptr<IAutomationServer> AServer);

}  // namespace kavio::platform
