#pragma once
// The settings of the main window in "Kavio.ini": the window's placement, the folder text, the
// three name options, the mail kind and the recent-folders list.
//
// TAppIniFileStorage holds the file in memory from the window's creation and writes it when it is
// freed. TFormStorage restores the window from it at the first showing and collects the window
// into it when the window closes (or is freed without having been closed).

#include "platform/IniFile.h"

#include <QMargins>
#include <QObject>
#include <QRect>
#include <QString>
#include <optional>
#include <stdexcept>

class QWidget;

namespace kavio::app {

class TFormMain;

// A value of the window's section that must be a whole number is not one; restoring stops.
class TSettingsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TAppIniFileStorage {
 public:
  // "Kavio.ini" in the user's configuration folder.
  static QString DefaultFileName();
  // $XDG_CONFIG_HOME when it is set to an absolute path, else ~/.config.
  static QString ConfigFolder();

  // Reads the file when it exists; else the store starts empty.
  explicit TAppIniFileStorage(const QString& AFileName = DefaultFileName());
  // Writes the file; a failure loses this run's settings without a message.
  ~TAppIniFileStorage();
  TAppIniFileStorage(const TAppIniFileStorage&) = delete;
  TAppIniFileStorage& operator=(const TAppIniFileStorage&) = delete;

  QString FileName() const { return FIni.FileName(); }
  platform::TIniFile& Ini() { return FIni; }
  const platform::TIniFile& Ini() const { return FIni; }
  // Writes the whole file now; false when it could not be written.
  bool Flush() const;

 private:
  platform::TIniFile FIni;
};

class TFormStorage : public QObject {
 public:
  TFormStorage(TFormMain& AForm, TAppIniFileStorage& AStorage);

  // The section of the window and the section of the recent-folders list.
  static QString FormSection();
  static QString DirsSection();

  // At the first showing, before the window is mapped. Errors of single items are ignored; a
  // FormVersion, Flags or PixelsPerInch that is not a whole number throws TSettingsError, and
  // what follows it is not restored.
  void RestoreFormPlacement();
  // Into the file in memory; the placement and the items only when the restore ran.
  void SaveFormPlacement();
  // The window is freed: collects unless a closing did already.
  void FormDestroy();

  bool Restored() const { return FRestored; }

  // The normal-state frame rectangle as stored: left, top, right, bottom, right and bottom
  // exclusive.
  QRect NormalFrame() const;
  // The screen resolution written to and compared with PixelsPerInch.
  static int ScreenPixelsPerInch();

 protected:
  bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

 private:
  // A value of the window's section that must be a whole number; nothing when it is missing.
  std::optional<long long> WholeNumber(const QString& AKey) const;
  void RestorePlacement();
  void RestoreItems();
  void SavePlacement();
  void SaveItems();
  void ApplyFrame(const QRect& AFrame);

  TFormMain& FForm;
  TAppIniFileStorage& FStorage;
  bool FRestored = false;
  bool FSaved = false;
  // The window frame's margins around the client area, as last seen in normal state; until the
  // window manager has framed the window they are not known.
  QMargins FFrameMargins;
  bool FFrameMarginsKnown = false;
  // A restored frame whose client size must be corrected once the frame's margins are known.
  QRect FPendingFrame;
};

}  // namespace kavio::app
