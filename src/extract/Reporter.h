#pragma once
// How the work reports to the user. The window shows these as modal dialogs and in the status
// bar, the command line on the terminal, the tests record them.

#include <QString>

namespace kavio::extract {

class IReporter {
 public:
  virtual ~IReporter() = default;
  // A warning with one OK button; returns when the user has answered.
  virtual void Warning(const QString& AText) = 0;
  // An error with one OK button.
  virtual void Error(const QString& AText) = 0;
  // An information with one OK button.
  virtual void Information(const QString& AText) = 0;
  // A plain message box with one OK button.
  virtual void Message(const QString& AText) = 0;
  // A question with Yes and No; true for Yes.
  virtual bool Confirm(const QString& AText) = 0;
  // Progress text, shown at once.
  virtual void Status(const QString& AText) = 0;
};

// Swallows everything and answers No.
class TSilentReporter : public IReporter {
 public:
  void Warning(const QString&) override {}
  void Error(const QString&) override {}
  void Information(const QString&) override {}
  void Message(const QString&) override {}
  bool Confirm(const QString&) override { return false; }
  void Status(const QString&) override {}
};

}  // namespace kavio::extract
