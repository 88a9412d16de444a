#include "shell/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

#include "platform/ui_language.h"

namespace wb::gui {

namespace {

// The translator of each kind installed now, if any.
std::unique_ptr<QTranslator>& Installed(platform::UiLanguage language) {
    static std::unique_ptr<QTranslator> english, chinese;
    return language == platform::UiLanguage::English ? english : chinese;
}

bool LoadOnce(platform::UiLanguage language) {
    std::unique_ptr<QTranslator>& slot = Installed(language);
    if (slot) return true;
    auto translator = std::make_unique<QTranslator>();
    const bool loaded = language == platform::UiLanguage::English
                            ? translator->load(QString::fromLatin1(kEnglishCatalogue))
                            : translator->load(QtTextLocale(QLocale::system()),
                                               QStringLiteral("qtbase"), QStringLiteral("_"),
                                               QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (!loaded) return false;
    QCoreApplication::installTranslator(translator.get());
    slot = std::move(translator);
    return true;
}

void Remove(platform::UiLanguage language) {
    std::unique_ptr<QTranslator>& slot = Installed(language);
    if (slot) QCoreApplication::removeTranslator(slot.get());
    slot.reset();
}

}  // namespace

QLocale QtTextLocale(const QLocale& system) {
    if (system.language() == QLocale::Chinese) return system;
    return QLocale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China);
}

bool InstallTranslations() {
    const platform::UiLanguage language = platform::UserUiLanguage();
    Remove(language == platform::UiLanguage::English ? platform::UiLanguage::Chinese
                                                     : platform::UiLanguage::English);
    return LoadOnce(language);
}

}  // namespace wb::gui
