#include "app/TDialogReporter.h"

#include "app/MessageDialogs.h"

namespace kavio::app {

void TDialogReporter::Warning(const QString& AText) { ShowWarning(AText); }
void TDialogReporter::Error(const QString& AText) { ShowError(AText); }
void TDialogReporter::Information(const QString& AText) { ShowInformation(AText); }
void TDialogReporter::Message(const QString& AText) { ShowMessage(AText); }
bool TDialogReporter::Confirm(const QString& AText) { return app::Confirm(AText); }
void TDialogReporter::Status(const QString& AText) {
  if (FStatus) FStatus(AText);
}

}  // namespace kavio::app
