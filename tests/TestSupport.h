#pragma once
// Helpers shared by the tests: temporary folders with files, file times, a recording reporter.

#include "extract/Reporter.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace kavio::test {

// The test data folder tests/data/<ASub>.
QString TestData(const QString& ASub);
// The shared sample mails ("eml", "msg").
QString Samples(const QString& ASub);

// Writes a file (folders created); returns its path.
QString WriteFile(const QString& AFolder, const QString& AName, const QByteArray& AContent);
// Sets a file's last-write time.
void SetMTime(const QString& APath, const QDateTime& AInstant);

// Sets the process's time zone (TZ) for the life of the object.
class TScopedTimeZone {
 public:
  explicit TScopedTimeZone(const char* AZone);
  ~TScopedTimeZone();

 private:
  QByteArray FOld;
  bool FHadOld;
};

// Records every report; answers questions with FAnswer.
class TRecordingReporter : public extract::IReporter {
 public:
  struct TEntry {
    QString Kind;  // "warning", "error", "information", "message", "confirm", "status"
    QString Text;
  };
  void Warning(const QString& AText) override { FEntries.append({QStringLiteral("warning"), AText}); }
  void Error(const QString& AText) override { FEntries.append({QStringLiteral("error"), AText}); }
  void Information(const QString& AText) override { FEntries.append({QStringLiteral("information"), AText}); }
  void Message(const QString& AText) override { FEntries.append({QStringLiteral("message"), AText}); }
  bool Confirm(const QString& AText) override {
    FEntries.append({QStringLiteral("confirm"), AText});
    return FAnswer;
  }
  void Status(const QString& AText) override { FEntries.append({QStringLiteral("status"), AText}); }

  QStringList Texts(const QString& AKind) const;
  QList<TEntry> FEntries;
  bool FAnswer = true;
};

}  // namespace kavio::test

// Readable values in test failure messages.
#include <ostream>
inline void PrintTo(const QString& AText, std::ostream* AOut) { *AOut << '"' << AText.toStdString() << '"'; }
inline void PrintTo(const QByteArray& AText, std::ostream* AOut) { *AOut << '"' << AText.toStdString() << '"'; }
inline void PrintTo(const QDateTime& ATime, std::ostream* AOut) {
  *AOut << (ATime.isValid() ? ATime.toString(Qt::ISODateWithMs).toStdString() : std::string("(invalid)"));
}
