#pragma once

#include <QLocale>

namespace wb::gui {

// The language of Qt's own texts (standard buttons, file, print and page dialogs): the
// system's when it is a Chinese one, else simplified Chinese, as every text of the program
// is Chinese.
QLocale QtTextLocale(const QLocale& system);

// Loads Qt's translations (qtbase) for QtTextLocale(QLocale::system()) once per run; false
// when they are not installed (Qt's texts then stay English).
bool InstallQtTranslations();

}  // namespace wb::gui
