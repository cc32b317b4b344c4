#include "host/translations.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zarvik::qthost {

bool installGermanTranslations(QCoreApplication& application) {
    const QLocale german(QLocale::German, QLocale::Germany);
    QLocale::setDefault(german);
    // One catalogue for the process, kept for its whole life like the application itself.
    static QTranslator* translator = nullptr;
    if (translator != nullptr) {
        return true;
    }
    auto* loaded = new QTranslator(&application);
    if (!loaded->load(german, QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete loaded;
        return false;
    }
    QCoreApplication::installTranslator(loaded);
    translator = loaded;
    return true;
}

}  // namespace zarvik::qthost
