#pragma once
// Qt's own German texts (file dialogs, standard buttons, context menus of edit fields).

class QCoreApplication;

namespace kavio::app {

// Installs Qt's German translations on the application; false when they are not installed.
bool LoadQtTranslations(QCoreApplication& AApp);

}  // namespace kavio::app
