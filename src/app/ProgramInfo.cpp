#include "app/ProgramInfo.h"

namespace kavio::app {

QString MainWindowTitle(const QString& AProduktversion) {
  return QStringLiteral("Manipulation von Dateidatum und Dateiname von exportierten Emails") + QStringLiteral("  ") +
         OwnerNotice + QStringLiteral("  ") + QStringLiteral("Ver. ") + AProduktversion + QStringLiteral("   ") +
         ContactLine;
}

}  // namespace kavio::app
