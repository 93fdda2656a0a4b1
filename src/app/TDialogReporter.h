#pragma once
// The window's reporter: warnings, errors, informations and questions as modal message dialogs,
// progress text in the status bar.

#include "extract/Reporter.h"

#include <functional>

namespace kavio::app {

class TDialogReporter : public extract::IReporter {
 public:
  using TStatusSink = std::function<void(const QString&)>;
  explicit TDialogReporter(TStatusSink AStatus = {}) : FStatus(std::move(AStatus)) {}

  void Warning(const QString& AText) override;
  void Error(const QString& AText) override;
  void Information(const QString& AText) override;
  void Message(const QString& AText) override;
  bool Confirm(const QString& AText) override;
  void Status(const QString& AText) override;

 private:
  TStatusSink FStatus;
};

}  // namespace kavio::app
