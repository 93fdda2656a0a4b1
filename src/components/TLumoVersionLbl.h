#pragma once
// The version label: a label that offers the program's "FileVersion" as Produktversion. The
// main window keeps one, never visible, as the source of the version in its title.

#include "components/VersionInfo.h"

#include <QLabel>

namespace kavio::components {

class TLumoVersionLbl : public QLabel {
  Q_OBJECT
  Q_PROPERTY(QString Produktversion READ GetProduktversion)
  Q_PROPERTY(QString About READ GetVersion WRITE SetVersion)

 public:
  // The revision of the label itself.
  static inline const QString cVersion = QStringLiteral("1.1");

  explicit TLumoVersionLbl(QWidget* AParent = nullptr);
  // A block other than the program's own, for tests.
  TLumoVersionLbl(const TVersionBlock& ABlock, QWidget* AParent = nullptr);

  virtual QString GetProduktversion() const { return FProduktversion; }
  virtual QString GetVersion() const { return cVersion; }
  // Ignores the value: About always reads cVersion.
  void SetVersion(const QString& AValue);

 private:
  TVersionBlock FVersionBlock;
  QString FProduktversion;
};

}  // namespace kavio::components
