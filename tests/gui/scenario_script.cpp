#include "scenario_script.h"

#include <QCheckBox>
#include <QFile>
#include <QMessageBox>
#include <QTest>

namespace wb::test {

void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void DialogScript::AddRows(const QString& file) {
    QFile f(QStringLiteral(WAKEBURST_TEST_DATA "/gui/") + file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QTest::addColumn<QStringList>("lines");
    QStringList lines;
    QString name;
    const auto flush = [&] {
        if (!name.isEmpty()) QTest::newRow(qPrintable(name)) << lines;
        lines.clear();
    };
    for (const QString& line : QString::fromUtf8(f.readAll()).split('\n')) {
        if (line.startsWith("== ")) {
            flush();
            name = line.mid(3);
        } else if (!line.trimmed().isEmpty() && !line.startsWith('#')) {
            lines << line;
        }
    }
    flush();
}

QWidget* DialogScript::Widget(const QString& name) {
    const auto it = m_controls.find(name);
    if (it == m_controls.end() || !Dialog()) return nullptr;
    return Dialog()->findChild<QWidget*>(QStringLiteral("ctl%1").arg(it->second));
}

void DialogScript::Run(const QStringList& lines) {
    for (const QString& line : lines) {
        if (line.startsWith("= ")) {
            // "= key text", or "= key control text" for the keys that name a control.
            QStringList words = line.mid(2).split(' ');
            const QString key = words.takeFirst();
            const bool named =
                QStringList{"text", "selected", "readonly", "checked", "enabled", "maxlength"}
                    .contains(key);
            const QString arg = named ? words.takeFirst() : QString();
            const auto own = named ? std::nullopt : State(key);
            const QString got = own ? *own : CommonState(key, arg);
            QVERIFY2(got == words.join(' '), qPrintable(line + "\n   got: " + got));
        } else {
            const QStringList words = line.split(' ');
            if (!Act(words[0], words.mid(1))) CommonAct(words[0], words.mid(1));
            if (QTest::currentTestFailed()) QFAIL(qPrintable("at: " + line));
        }
    }
}

void DialogScript::CommonAct(const QString& verb, const QStringList& args) {
    QWidget* target = Widget(args.value(0));
    const QString rest = args.mid(1).join(' ');
    if (verb == "activate") {
        Dialog()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Dialog()));
        return;
    }
    if (verb == "answer")
        return gui::CUiSeam::QueueAnswer(args.value(0) == "yes" ? QMessageBox::Yes
                                                                : QMessageBox::No);
    QVERIFY2(target, qPrintable(verb + ' ' + args.join(' ')));
    if (verb == "type") {
        Type(static_cast<QLineEdit*>(target), rest);
    } else if (verb == "keys") {
        QTest::keyClicks(target, rest);
    } else if (verb == "set") {
        static_cast<QLineEdit*>(target)->setText(rest);
    } else if (verb == "click") {
        QTest::mouseClick(target, Qt::LeftButton);
    } else if (verb == "toggle") {
        static_cast<QCheckBox*>(target)->click();
    } else if (verb == "key") {
        target->setFocus();
        const std::map<QString, Qt::Key> keys{{"up", Qt::Key_Up},
                                              {"down", Qt::Key_Down},
                                              {"return", Qt::Key_Return},
                                              {"enter", Qt::Key_Enter}};
        QTest::keyClick(target, keys.at(rest));
    } else {
        QFAIL(qPrintable("unknown action " + verb));
    }
}

QString DialogScript::CommonState(const QString& key, const QString& arg) {
    QWidget* w = Widget(arg);
    const auto yes = [](bool b) { return QString(b ? "yes" : "no"); };
    if (key == "messages") return Short(MessageTexts().join(" | "));
    if (key == "records") {
        QStringList kinds;
        for (const auto& r : gui::CUiSeam::Records())
            kinds << QString::number(int(r.kind));
        return kinds.join(' ');
    }
    if (key == "focus") {
        for (const auto& [name, id] : m_controls)
            if (QApplication::focusWidget() == Widget(name)) return name;
        return "other";
    }
    if (!w) return "unknown state " + key;
    if (key == "text") return static_cast<QLineEdit*>(w)->text();
    if (key == "selected") return static_cast<QLineEdit*>(w)->selectedText();
    if (key == "readonly") return yes(static_cast<QLineEdit*>(w)->isReadOnly());
    if (key == "checked") return yes(static_cast<QCheckBox*>(w)->isChecked());
    if (key == "enabled") return yes(w->isEnabled());
    if (key == "maxlength") return QString::number(static_cast<QLineEdit*>(w)->maxLength());
    return "unknown state " + key;
}

}  // namespace wb::test
