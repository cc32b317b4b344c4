#pragma once
// Qt's own texts (file dialogues, message box buttons, context menus) in German, and German dates
// and numbers in Qt's widgets.
#include <QCoreApplication>

namespace zarvik::qthost {

// Loads Qt's German catalogue from the system's translations (Debian qt6-translations-l10n) into
// the application; false when it is not installed (Qt's texts then stay English).
bool installGermanTranslations(QCoreApplication& application);

}  // namespace zarvik::qthost
