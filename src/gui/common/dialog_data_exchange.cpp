#include "common/dialog_data_exchange.h"

#include <QCoreApplication>
#include <QLineEdit>

#include "common/ui_seam.h"

namespace wb::gui {

namespace {

bool Refuse(QWidget* dialog, QLineEdit* field, const QString& message) {
    CUiSeam::Message(dialog, message, QMessageBox::Ok, QMessageBox::Warning, AppTitle());
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    return false;
}

}  // namespace

QString ParseUIntMessage() {
    return QCoreApplication::translate("DialogDataExchange", "请输入一个正整数。");
}

QString RangeMessage(unsigned min, unsigned max) {
    return QCoreApplication::translate("DialogDataExchange", "请输入一个在 %1 和 %2 之间的整数。")
        .arg(min)
        .arg(max);
}

QString MaxCharsMessage(int max) {
    return QCoreApplication::translate("DialogDataExchange", "请输入不超过 %1 个字符。").arg(max);
}

bool ExchangeUInt(QWidget* dialog, QLineEdit* field, unsigned min, unsigned max, unsigned& value) {
    const QString text = field->text().trimmed();
    bool digits = !text.isEmpty();
    for (QChar c : text)
        digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    bool fits = false;
    const qulonglong read = digits ? text.toULongLong(&fits) : 0;
    if (!digits || !fits || read > 0xFFFFFFFFull) return Refuse(dialog, field, ParseUIntMessage());
    if (read < min || read > max) return Refuse(dialog, field, RangeMessage(min, max));
    value = static_cast<unsigned>(read);
    return true;
}

bool ExchangeMaxChars(QWidget* dialog, QLineEdit* field, int max) {
    if (field->text().size() <= max) return true;
    return Refuse(dialog, field, MaxCharsMessage(max));
}

}  // namespace wb::gui
