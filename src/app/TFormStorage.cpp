#include "app/TFormStorage.h"

#include "app/TFormMain.h"

#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QStandardPaths>
#include <QStringList>
#include <algorithm>
#include <climits>
#include <optional>

namespace kavio::app {

using platform::ParseIniBool;
using platform::ParseIniInteger;

namespace {

const QString IniFileName = QStringLiteral("Kavio.ini");

// The keys: component name, underscore, property name.
const QString KeyFormVersion = QStringLiteral("FormVersion");
const QString KeyFlags = QStringLiteral("Flags");
const QString KeyPixelsPerInch = QStringLiteral("PixelsPerInch");
const QString KeyMinMaxPos = QStringLiteral("MinMaxPos");
const QString KeyNormPos = QStringLiteral("NormPos");
const QString KeyFolder = QStringLiteral("JvDirectoryEditSrc_Text");
const QString KeyPreString = QStringLiteral("CheckBoxPreString_Checked");
const QString KeyAbsender = QStringLiteral("CheckBoxAbsender_Checked");
const QString KeyBackup = QStringLiteral("CheckBoxBackup_Checked");
const QString KeyDirs = QStringLiteral("JvStrHolderDirs_Strings");
const QString KeyEml = QStringLiteral("JvRadioButtonEml_Checked");
const QString KeyOxMsg = QStringLiteral("JvRadioButtonMsg_OxMsg_Checked");
const QString KeyOutlook = QStringLiteral("JvRadioButtonMsg_Outlook_Checked");
const QString KeyCount = QStringLiteral("Count");

QString ItemKey(qsizetype AIndex) { return QStringLiteral("Item") + QString::number(AIndex); }

// The index of a key "Item<n>" as this store writes it (no sign, no leading zeros); -1 for
// every other key.
long long ItemIndex(const QString& AKey) {
  if (AKey.size() < 5 || !AKey.startsWith(QLatin1String("item"), Qt::CaseInsensitive)) return -1;
  const QString digits = AKey.mid(4);
  if (digits.size() > 1 && digits.front() == QLatin1Char('0')) return -1;
  for (const QChar c : digits)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return -1;
  bool ok = false;
  const long long index = digits.toLongLong(&ok);
  return ok ? index : -1;
}

bool OnAScreen(const QPoint& APoint) {
  const QList<QScreen*> screens = QGuiApplication::screens();
  return std::any_of(screens.begin(), screens.end(),
                     [&](const QScreen* AScreen) { return AScreen->geometry().contains(APoint); });
}

// The four numbers of a stored position; nothing unless there are four and all are numbers.
std::optional<QList<long long>> FourNumbers(const QString& AValue) {
  const QStringList parts = AValue.split(QLatin1Char(','));
  if (parts.size() != 4) return std::nullopt;
  QList<long long> numbers;
  for (const QString& part : parts) {
    const auto number = ParseIniInteger(part);
    if (!number || *number < INT_MIN || *number > INT_MAX) return std::nullopt;
    numbers.append(*number);
  }
  return numbers;
}

// A single stored item: an error while it is read or set, also one of the handler it fires,
// loses only that item.
template <typename F>
void Guarded(F AStep) {
  try {
    AStep();
  } catch (...) {
  }
}

}  // namespace

// --- TAppIniFileStorage ------------------------------------------------------------------------

QString TAppIniFileStorage::ConfigFolder() {
  const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) return QDir::cleanPath(xdg);
  return QDir::cleanPath(QDir::homePath() + QStringLiteral("/.config"));
}

QString TAppIniFileStorage::DefaultFileName() { return ConfigFolder() + QLatin1Char('/') + IniFileName; }

TAppIniFileStorage::TAppIniFileStorage(const QString& AFileName) : FIni(AFileName) {}

TAppIniFileStorage::~TAppIniFileStorage() { Flush(); }

bool TAppIniFileStorage::Flush() const { return FIni.UpdateFile(); }

// --- TFormStorage ------------------------------------------------------------------------------

TFormStorage::TFormStorage(TFormMain& AForm, TAppIniFileStorage& AStorage) : FForm(AForm), FStorage(AStorage) {
  FForm.installEventFilter(this);
}

QString TFormStorage::FormSection() { return QStringLiteral("FormMain"); }
QString TFormStorage::DirsSection() { return FormSection() + QLatin1Char('\\') + KeyDirs; }

int TFormStorage::ScreenPixelsPerInch() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen || screen->logicalDotsPerInchY() <= 0) return 96;
  return qRound(screen->logicalDotsPerInchY());
}

std::optional<long long> TFormStorage::WholeNumber(const QString& AKey) const {
  const std::optional<QString> value = FStorage.Ini().Value(FormSection(), AKey);
  if (!value) return std::nullopt;
  const auto number = ParseIniInteger(*value);
  if (!number)
    throw TSettingsError(QStringLiteral("„%1“ ist keine gültige ganze Zahl (%2 in %3).")
                             .arg(*value, AKey, FStorage.FileName())
                             .toStdString());
  return number;
}

void TFormStorage::RestoreFormPlacement() {
  if (WholeNumber(KeyFormVersion).value_or(0) < 0) return;
  RestorePlacement();
  // Restored counts from here: a restore stopped by a placement key leaves the stored items in
  // the file at closing instead of replacing them by the designed state.
  FRestored = true;
  RestoreItems();
}

void TFormStorage::RestorePlacement() {
  const platform::TIniFile& ini = FStorage.Ini();
  const QString section = FormSection();

  // The placement flags have no counterpart here; the value must still be a whole number.
  (void)WholeNumber(KeyFlags);
  // The minimised and maximised positions have no counterpart either; the window state is not
  // restored, the window opens in normal state.
  const bool hasMinMax = ini.ValueExists(section, KeyMinMaxPos);
  const std::optional<QString> normPos = ini.Value(section, KeyNormPos);
  if (hasMinMax || normPos) {
    const long long pixelsPerInch = WholeNumber(KeyPixelsPerInch).value_or(ScreenPixelsPerInch());
    // A rectangle with an item that is not a number is not applied.
    if (const auto rect = normPos ? FourNumbers(*normPos) : std::nullopt) {
      const int left = int((*rect)[0]), top = int((*rect)[1]), right = int((*rect)[2]), bottom = int((*rect)[3]);
      if (pixelsPerInch == ScreenPixelsPerInch() && left < right && top < bottom && OnAScreen(QPoint(left, top)) &&
          OnAScreen(QPoint(right - 1, bottom - 1)))
        ApplyFrame(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
    }
  }
}

void TFormStorage::ApplyFrame(const QRect& AFrame) {
  // A top-level window's position is its frame's; its size is the client area's. Until the
  // window manager has framed the window the frame's margins are not known: the size is then
  // corrected once they are.
  const QMargins margins = FFrameMarginsKnown ? FFrameMargins : QMargins();
  FForm.setWindowState(Qt::WindowNoState);
  FForm.move(AFrame.topLeft());
  FForm.resize(AFrame.size().shrunkBy(margins));
  FPendingFrame = FFrameMarginsKnown ? QRect() : AFrame;
}

void TFormStorage::RestoreItems() {
  const platform::TIniFile& ini = FStorage.Ini();
  const QString section = FormSection();
  auto setChecked = [&](QAbstractButton* AButton, const QString& AKey) {
    Guarded([&] {
      const std::optional<QString> value = ini.Value(section, AKey);
      if (!value) return;
      if (const auto on = ParseIniBool(*value)) AButton->setChecked(*on);
    });
  };

  Guarded([&] {
    if (const std::optional<QString> folder = ini.Value(section, KeyFolder)) FForm.JvDirectoryEditSrc->setText(*folder);
  });
  setChecked(FForm.CheckBoxPreString, KeyPreString);
  setChecked(FForm.CheckBoxAbsender, KeyAbsender);
  setChecked(FForm.CheckBoxBackup, KeyBackup);
  Guarded([&] {
    const QString dirs = DirsSection();
    if (!ini.SectionExists(dirs)) return;
    FForm.JvStrHolderDirs.Clear();
    const auto count = ParseIniInteger(ini.ReadString(dirs, KeyCount));
    if (!count || *count <= 0) return;
    // Every item above the highest one in the file reads as the same empty text, which the list
    // holds once: so a huge Count costs no more than the items that are there.
    long long highest = -1;
    for (const QString& key : ini.ReadSection(dirs)) highest = std::max(highest, ItemIndex(key));
    const long long present = std::min(*count, highest + 1);
    for (long long i = 0; i < present; ++i) FForm.JvStrHolderDirs.Add(ini.ReadString(dirs, ItemKey(i)));
    if (*count > present) FForm.JvStrHolderDirs.Add(QString());
  });
  setChecked(FForm.JvRadioButtonEml, KeyEml);
  setChecked(FForm.JvRadioButtonMsg_OxMsg, KeyOxMsg);
  setChecked(FForm.JvRadioButtonMsg_Outlook, KeyOutlook);
}

QRect TFormStorage::NormalFrame() const {
  const bool normal = !(FForm.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
  QRect client = normal ? FForm.geometry() : FForm.normalGeometry();
  if (client.isEmpty()) client = FForm.geometry();
  QMargins margins = FFrameMargins;
  if (normal && FForm.isVisible()) {
    const QRect frame = FForm.frameGeometry();
    const QRect inner = FForm.geometry();
    const QMargins current(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                           frame.bottom() - inner.bottom());
    if (current.left() >= 0 && current.top() >= 0 && current.right() >= 0 && current.bottom() >= 0) margins = current;
  }
  return client.marginsAdded(margins);
}

void TFormStorage::SaveFormPlacement() {
  FSaved = true;
  platform::TIniFile& ini = FStorage.Ini();
  ini.WriteInteger(FormSection(), KeyFormVersion, 0);
  if (!FRestored) return;
  SavePlacement();
  SaveItems();
}

void TFormStorage::FormDestroy() {
  if (!FSaved) SaveFormPlacement();
}

void TFormStorage::SavePlacement() {
  platform::TIniFile& ini = FStorage.Ini();
  const QString section = FormSection();
  const QRect frame = NormalFrame();
  ini.WriteInteger(section, KeyFlags, 0);
  ini.WriteInteger(section, KeyPixelsPerInch, ScreenPixelsPerInch());
  // No minimised or maximised position to report.
  ini.WriteString(section, KeyMinMaxPos, QStringLiteral("-1,-1,-1,-1"));
  ini.WriteString(section, KeyNormPos,
                  QStringLiteral("%1,%2,%3,%4")
                      .arg(frame.left())
                      .arg(frame.top())
                      .arg(frame.left() + frame.width())
                      .arg(frame.top() + frame.height()));
}

void TFormStorage::SaveItems() {
  platform::TIniFile& ini = FStorage.Ini();
  const QString section = FormSection();
  ini.WriteString(section, KeyFolder, FForm.JvDirectoryEditSrc->text());
  ini.WriteBool(section, KeyPreString, FForm.CheckBoxPreString->isChecked());
  ini.WriteBool(section, KeyAbsender, FForm.CheckBoxAbsender->isChecked());
  ini.WriteBool(section, KeyBackup, FForm.CheckBoxBackup->isChecked());

  const QString dirs = DirsSection();
  const QStringList& items = FForm.JvStrHolderDirs.Strings();
  for (qsizetype i = 0; i < items.size(); ++i) ini.WriteString(dirs, ItemKey(i), items[i]);
  ini.WriteInteger(dirs, KeyCount, items.size());
  // Items beyond the new count that the file still holds.
  for (const QString& key : ini.ReadSection(dirs))
    if (ItemIndex(key) >= items.size()) ini.DeleteKey(dirs, key);

  ini.WriteBool(section, KeyEml, FForm.JvRadioButtonEml->isChecked());
  ini.WriteBool(section, KeyOxMsg, FForm.JvRadioButtonMsg_OxMsg->isChecked());
  ini.WriteBool(section, KeyOutlook, FForm.JvRadioButtonMsg_Outlook->isChecked());
}

bool TFormStorage::eventFilter(QObject* AWatched, QEvent* AEvent) {
  if (AWatched == &FForm) {
    switch (AEvent->type()) {
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::Show:
        if (FForm.isVisible() && FForm.windowState() == Qt::WindowNoState) {
          const QRect frame = FForm.frameGeometry();
          const QRect inner = FForm.geometry();
          const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(),
                                 frame.right() - inner.right(), frame.bottom() - inner.bottom());
          if (!margins.isNull() && margins.left() >= 0 && margins.top() >= 0 && margins.right() >= 0 &&
              margins.bottom() >= 0) {
            FFrameMargins = margins;
            FFrameMarginsKnown = true;
            if (FPendingFrame.isValid()) {
              const QRect pending = FPendingFrame;
              FPendingFrame = QRect();
              FForm.resize(pending.size().shrunkBy(margins));
            }
          }
        }
        break;
      case QEvent::WindowStateChange:
        FPendingFrame = QRect();
        break;
      default:
        break;
    }
  }
  return QObject::eventFilter(AWatched, AEvent);
}

}  // namespace kavio::app
