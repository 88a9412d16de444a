#include "shell/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace wb::gui {

QLocale QtTextLocale(const QLocale& system) {
    if (system.language() == QLocale::Chinese) return system;
    return QLocale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China);
}

bool InstallQtTranslations() {
    static QTranslator* installed = nullptr;
    if (installed) return true;
    auto translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QtTextLocale(QLocale::system()), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return true;
}

}  // namespace wb::gui
