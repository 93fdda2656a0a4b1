#pragma once
// The online update's view of the world in the window: the system's network, folders and user
// id, the program's message dialogs and the folder picker.

#include "components/TLumoInternetUpdate.h"

#include <functional>

namespace kavio::app {

class TWindowUpdateHost : public components::TSystemUpdateHost {
 public:
  using TFolderPicker = std::function<QString(const QString& AStart)>;

  void Error(const QString& AText) override;
  void Information(const QString& AText) override;
  bool AskInformation(const QString& AText) override;
  void Message(const QString& AText) override;
  void FinalInformation(const QString& AText) override;
  // QFileDialog's folder picker, or the one a test sets.
  QString PickFolder(const QString& AStart) override;
  TFolderPicker FolderPicker;
};

}  // namespace kavio::app
