#pragma once
// Fixed texts of the program that several windows show.

#include <QString>

namespace kavio::app {

// The title of plain message boxes (the name the program had on its first platform).
inline const QString ApplicationTitle = QStringLiteral("Prj_kavio");

// The owner notice and the contact line, in the main window's title and the info text.
inline const QString OwnerNotice = QStringLiteral("© Kavio-Projekt");
inline const QString ContactLine = QStringLiteral("Kontakt: kavio@example.org");

// The main window's title for a product version.
QString MainWindowTitle(const QString& AProduktversion);

}  // namespace kavio::app
