#pragma once
// The program's modal message dialogs. A dialog of a kind carries the German caption of its kind
// as its title and German buttons; a plain message box carries the application title.
//
// Every dialog goes through one place, so a test can install a hook that sees each request and
// answers it instead of a user.

#include <QList>
#include <QString>
#include <functional>

namespace kavio::app {

enum class TMsgDlgType { Warning, Error, Information, Confirmation, Plain };
enum class TMsgDlgBtn { Yes, No, Ok };

// "Warnung", "Fehler", "Informationen", "Bestätigen"; the application title for a plain box.
QString DialogTitle(TMsgDlgType AType);
// "&Ja", "&Nein", "OK".
QString ButtonCaption(TMsgDlgBtn AButton);

struct TDialogRequest {
  TMsgDlgType Type = TMsgDlgType::Plain;
  QString Title;
  QString Text;
  QList<TMsgDlgBtn> Buttons;
  TMsgDlgBtn Default = TMsgDlgBtn::Ok;  // also the answer when the dialog is closed
  bool Owned = true;                    // shown over the active window
};

// Answers a request instead of showing it.
using TDialogHook = std::function<TMsgDlgBtn(const TDialogRequest&)>;
// Installs the hook (an empty one shows real dialogs again); returns the one it replaces.
TDialogHook SetDialogHook(TDialogHook AHook);

// Shows a modal dialog of a kind with the given buttons; returns the button chosen, ADefault
// when the dialog was closed otherwise.
TMsgDlgBtn MessageDlg(const QString& AText, TMsgDlgType AType, const QList<TMsgDlgBtn>& AButtons, TMsgDlgBtn ADefault);
// A warning, an error or an information with one OK button.
void ShowWarning(const QString& AText);
void ShowError(const QString& AText);
void ShowInformation(const QString& AText);
// A question with Ja and Nein; true for Ja. Closing the dialog answers Nein.
bool Confirm(const QString& AText);
// A plain message box titled with the application title, with one OK button.
void ShowMessage(const QString& AText);
// A system message box of no window, with the information icon, one OK button and its own title.
void ShowSystemInformation(const QString& ATitle, const QString& AText);

}  // namespace kavio::app
