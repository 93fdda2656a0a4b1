#include "app/TWindowUpdateHost.h"

#include "app/MessageDialogs.h"

#include <QFileDialog>

namespace kavio::app {

void TWindowUpdateHost::Error(const QString& AText) { ShowError(AText); }
void TWindowUpdateHost::Information(const QString& AText) { ShowInformation(AText); }
bool TWindowUpdateHost::AskInformation(const QString& AText) {
  return MessageDlg(AText, TMsgDlgType::Information, {TMsgDlgBtn::Yes, TMsgDlgBtn::No}, TMsgDlgBtn::No) ==
         TMsgDlgBtn::Yes;
}
void TWindowUpdateHost::Message(const QString& AText) { ShowMessage(AText); }
void TWindowUpdateHost::FinalInformation(const QString& AText) {
  ShowSystemInformation(QStringLiteral("Information"), AText);
}

QString TWindowUpdateHost::PickFolder(const QString& AStart) {
  if (FolderPicker) return FolderPicker(AStart);
  return QFileDialog::getExistingDirectory(nullptr, QStringLiteral("Zielverzeichnis wählen"), AStart,
                                           QFileDialog::ShowDirsOnly);
}

}  // namespace kavio::app
