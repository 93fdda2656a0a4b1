#include "app/MessageDialogs.h"

#include "app/ProgramInfo.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace kavio::app {

namespace {

TDialogHook& Hook() {
  static TDialogHook hook;
  return hook;
}

QMessageBox::Icon IconOfType(TMsgDlgType AType) {
  switch (AType) {
    case TMsgDlgType::Warning:
      return QMessageBox::Warning;
    case TMsgDlgType::Error:
      return QMessageBox::Critical;
    case TMsgDlgType::Information:
      return QMessageBox::Information;
    case TMsgDlgType::Confirmation:
      return QMessageBox::Question;
    case TMsgDlgType::Plain:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::ButtonRole RoleOfButton(TMsgDlgBtn AButton) {
  switch (AButton) {
    case TMsgDlgBtn::Yes:
      return QMessageBox::YesRole;
    case TMsgDlgBtn::No:
      return QMessageBox::NoRole;
    case TMsgDlgBtn::Ok:
      break;
  }
  return QMessageBox::AcceptRole;
}

TMsgDlgBtn ShowBox(const TDialogRequest& ARequest) {
  QMessageBox box(IconOfType(ARequest.Type), ARequest.Title, ARequest.Text, QMessageBox::NoButton,
                  ARequest.Owned ? QApplication::activeWindow() : nullptr);
  box.setWindowModality(Qt::ApplicationModal);
  QList<QPair<QAbstractButton*, TMsgDlgBtn>> buttons;
  for (TMsgDlgBtn b : ARequest.Buttons) {
    QPushButton* button = box.addButton(ButtonCaption(b), RoleOfButton(b));
    buttons.append({button, b});
    if (b == ARequest.Default) {
      box.setDefaultButton(button);
      box.setEscapeButton(button);
    }
  }
  box.exec();
  for (const auto& [button, b] : buttons)
    if (box.clickedButton() == button) return b;
  return ARequest.Default;
}

}  // namespace

QString DialogTitle(TMsgDlgType AType) {
  switch (AType) {
    case TMsgDlgType::Warning:
      return QStringLiteral("Warnung");
    case TMsgDlgType::Error:
      return QStringLiteral("Fehler");
    case TMsgDlgType::Information:
      return QStringLiteral("Informationen");
    case TMsgDlgType::Confirmation:
      return QStringLiteral("Bestätigen");
    case TMsgDlgType::Plain:
      break;
  }
  return ApplicationTitle;
}

QString ButtonCaption(TMsgDlgBtn AButton) {
  switch (AButton) {
    case TMsgDlgBtn::Yes:
      return QStringLiteral("&Ja");
    case TMsgDlgBtn::No:
      return QStringLiteral("&Nein");
    case TMsgDlgBtn::Ok:
      break;
  }
  return QStringLiteral("OK");
}

TDialogHook SetDialogHook(TDialogHook AHook) {
  TDialogHook old = std::move(Hook());
  Hook() = std::move(AHook);
  return old;
}

namespace {

TMsgDlgBtn Show(const TDialogRequest& ARequest) {
  if (Hook()) return Hook()(ARequest);
  return ShowBox(ARequest);
}

}  // namespace

TMsgDlgBtn MessageDlg(const QString& AText, TMsgDlgType AType, const QList<TMsgDlgBtn>& AButtons, TMsgDlgBtn ADefault) {
  TDialogRequest request;
  request.Type = AType;
  request.Title = DialogTitle(AType);
  request.Text = AText;
  request.Buttons = AButtons;
  request.Default = ADefault;
  return Show(request);
}

void ShowSystemInformation(const QString& ATitle, const QString& AText) {
  TDialogRequest request;
  request.Type = TMsgDlgType::Information;
  request.Title = ATitle;
  request.Text = AText;
  request.Buttons = {TMsgDlgBtn::Ok};
  request.Owned = false;
  Show(request);
}

void ShowWarning(const QString& AText) { MessageDlg(AText, TMsgDlgType::Warning, {TMsgDlgBtn::Ok}, TMsgDlgBtn::Ok); }
void ShowError(const QString& AText) { MessageDlg(AText, TMsgDlgType::Error, {TMsgDlgBtn::Ok}, TMsgDlgBtn::Ok); }
void ShowInformation(const QString& AText) {
  MessageDlg(AText, TMsgDlgType::Information, {TMsgDlgBtn::Ok}, TMsgDlgBtn::Ok);
}
bool Confirm(const QString& AText) {
  return MessageDlg(AText, TMsgDlgType::Confirmation, {TMsgDlgBtn::Yes, TMsgDlgBtn::No}, TMsgDlgBtn::No) ==
         TMsgDlgBtn::Yes;
}
void ShowMessage(const QString& AText) { MessageDlg(AText, TMsgDlgType::Plain, {TMsgDlgBtn::Ok}, TMsgDlgBtn::Ok); }

}  // namespace kavio::app
