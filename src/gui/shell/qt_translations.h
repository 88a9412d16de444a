#pragma once

#include <QLocale>

namespace wb::gui {

// The program's English catalogue, built into the program by lrelease.
inline constexpr char kEnglishCatalogue[] = ":/i18n/wakeburst_en.qm";

// The language of Qt's own texts (standard buttons, file, print and page dialogs) when the
// program speaks Chinese: the system's when it is a Chinese one, else simplified Chinese.
QLocale QtTextLocale(const QLocale& system);

// Puts the program and Qt's own texts in the user's language (see UserUiLanguage): with
// English the program's catalogue and Qt's untranslated texts; with Chinese no catalogue of
// the program's, whose texts are Chinese, and Qt's Chinese translations (qtbase) when they
// are installed. Called again, it follows a changed environment. False when a catalogue the
// language needs could not be loaded.
bool InstallTranslations();

}  // namespace wb::gui
