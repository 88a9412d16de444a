#include "scenario_script.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMetaEnum>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>
#include <cstdio>

#include "common/ui_seam.h"
#include "platform/codepage.h"
#include "shell/host_marks.h"
#include "shell/main_frame.h"
#include "shell/qt_translations.h"

namespace wb::test {
namespace {

const QString kData = QStringLiteral(WAKEBURST_TEST_DATA "/");
// "<...>" stands for anything.
bool Matches(const QString& got, const QString& want) {
    QStringList parts = want.split("<...>");
    for (QString& part : parts)
        part = QRegularExpression::escape(part);
    const auto any = QRegularExpression::DotMatchesEverythingOption;
    return QRegularExpression("\\A(?:" + parts.join(".*") + ")\\z", any).match(got).hasMatch();
}

QString Keys(const QMetaEnum& names, int value) { return names.valueToKeys(value); }

}  // namespace

QByteArray ReadFileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteFileBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

AppFixture::AppFixture() : m_previousDir(QDir::currentPath()) {
    QDir::setCurrent(m_dir.path());
    qputenv("XDG_DATA_HOME", QDir(m_dir.path()).filePath(QStringLiteral("xdg")).toUtf8());
    // The system's data directories stand empty, whatever this machine has installed.
    qputenv("XDG_DATA_DIRS", QDir(m_dir.path()).filePath(QStringLiteral("sys")).toUtf8());
    // The window's size and place are kept there, not in the user's own settings.
    qputenv("XDG_CONFIG_HOME", QDir(m_dir.path()).filePath(QStringLiteral("cfg")).toUtf8());
    // Documents probe their hosts only where a scenario asks, inside the network lab.
    gui::CHostMarks::SetProbing(false);
    gui::CUiSeam::SetScripted(true);
    gui::CUiSeam::Reset();
}

AppFixture::~AppFixture() {
    Stop();
    QDir::setCurrent(m_previousDir);
}

bool AppFixture::Start(std::unique_ptr<gui::CDawnlyApp> app) {
    m_app = app ? std::move(app) : std::make_unique<gui::CDawnlyApp>();
    return m_app->InitInstance();
}

void AppFixture::Stop() {
    if (!m_app) return;
    // Nothing may ask any more: whatever is modified is dropped.
    if (m_app->m_pMainWnd) m_app->m_pMainWnd->hide();
    m_app.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Scenario::AddRows(const QString& names) {
    QTest::addColumn<Script>("script");
    for (const QString& file : QDir(kData + "gui").entryList(names.split(','))) {
        QFile f(kData + "gui/" + file);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(file));
        const QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
        Script script{QDir(QDir::cleanPath(kData + "../..")).relativeFilePath(f.fileName()), 0, {}};
        QString name;
        for (int i = 0; i <= lines.size(); ++i) {
            if (i < lines.size() && !lines[i].startsWith("== ")) {
                script.lines << lines[i];
                continue;
            }
            if (!name.isEmpty()) QTest::newRow(qPrintable(name)) << script;
            name = file.section('.', 0, 0) + ": " + lines.value(i).mid(3);
            script.first = i + 2;
            script.lines.clear();
        }
    }
}

QString Scenario::Long(const QString& text) const {
    if (text.startsWith("data/")) return kData + text.mid(5);
    return text.startsWith("tmp/") ? QDir(Dir()).filePath(text.mid(4)) : text;
}

QString Scenario::File(const QString& name) const {
    const QString path = Long(name);
    return path == name ? QDir(Dir()).filePath(name) : path;
}

QString Scenario::Escape(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toPercentEncoding(" !\"#$&'()*+,/:;<=>?@[\\]^`{|}"));
}

QString Scenario::Short(QString text) const {
    for (const QString& dir : {Dir(), QDir(Dir()).canonicalPath()})
        text.replace(dir + '/', "tmp/");
    text.replace(kData, "data/").replace("\r", "\\r").replace("\n", "\\n");
    return text.replace("\t", "\\t");
}

wb::AlarmList Scenario::Alarms(const QStringList& rows) const {
    wb::AlarmList list;
    for (const QString& row : rows) {
        const QStringList f = row.split(',');
        auto a = std::make_shared<wb::CAlarmSetting>();
        a->m_strGroupFile = Long(f.value(0)).toStdString();
        a->m_nDays = static_cast<std::uint8_t>(f.value(1).toUInt(nullptr, 16));
        a->m_nHour = f.value(2).toInt();
        a->m_nMinute = f.value(3).toInt();
        a->m_strBroadcast = f.size() > 4 ? f.mid(4).join(',').toStdString() : "198.51.100.255";
        list.push_back(a);
    }
    return list;
}
QString Scenario::Alarms(const wb::AlarmList& list) const {
    QStringList out;
    for (const auto& a : list)
        out << QString::asprintf("%s,%02x,%d,%d,%s",
                                 qPrintable(Short(QString::fromStdString(a->m_strGroupFile))),
                                 a->m_nDays, a->m_nHour, a->m_nMinute, a->m_strBroadcast.c_str());
    return out.join(' ');
}

wb::WallClock Scenario::Clock() {
    if (!m_now) return {};
    return [this] {
        return *m_now + std::chrono::milliseconds(m_running.isValid() ? m_running.elapsed() : 0);
    };
}

void Scenario::Run(const Script& script) {
    m_skipped = false;
    Actions actions;
    Checks checks;
    AddActions(actions), AddCommonActions(actions), AddChecks(checks), AddCommonChecks(checks);
    for (int i = 0; i < script.lines.size(); ++i) {
        const QString& line = script.lines[i];
        if (line.trimmed().isEmpty() || line.startsWith('#')) continue;
        const QString at = QString("%1:%2: %3").arg(script.file).arg(script.first + i).arg(line);
        QStringList words = line.split(' ');
        const QString verb = words.takeFirst();
        if (verb != "=" && verb != "=>") {
            const auto* action = actions.Find(verb);
            if (!action) QFAIL(qPrintable(at + "\n   unknown verb " + verb));
            action->run(words);
            if (m_skipped) return;
            if (QTest::currentTestFailed()) QFAIL(qPrintable(at));
            continue;
        }
        const QString key = words.value(0).section(':', 0, 0);
        const auto* check = checks.Find(key);
        if (!check) QFAIL(qPrintable(at + "\n   unknown check " + key));
        QString got;
        const auto match = [&] {
            return Matches(got = check->run(words.value(0).section(':', 1)),
                           words.mid(1).join(' '));
        };
        const bool ok = verb == "=>" ? QTest::qWaitFor(match, 20000) : match();
        if (QTest::currentTestFailed()) QFAIL(qPrintable(at));
        QVERIFY2(ok, qPrintable(at + "\n   got: " + got));
    }
}

void Scenario::CheckReadme(const QString& scripts) {
    const QStringList readme =
        QString::fromUtf8(ReadFileBytes(kData + "gui/README.md")).split('\n');
    Actions common, own;
    Checks commonChecks, ownChecks;
    AddCommonActions(common), AddActions(own), AddCommonChecks(commonChecks), AddChecks(ownChecks);
    const std::pair<QString, QStringList> sections[] = {
        {"Every script: actions", common.Listed()},
        {"Every script: checks", commonChecks.Listed()},
        {scripts + ": actions", own.Listed()},
        {scripts + ": checks", ownChecks.Listed()}};
    QString wrong;
    for (const auto& [heading, want] : sections) {
        QStringList listed;
        for (auto l = std::find(readme.begin(), readme.end(), "### " + heading);
             l != readme.end() && ++l != readme.end() && !l->startsWith('#');)
            if (l->startsWith("- ")) listed << *l;
        if (listed != want) wrong += "\n### " + heading + "\n\n" + want.join('\n') + '\n';
    }
    if (!wrong.isEmpty()) std::fputs(qPrintable(wrong), stderr);  // whole, to paste
    QVERIFY2(wrong.isEmpty(), "tests/data/gui/README.md lists the verbs otherwise: see above");
}

Scenario::~Scenario() { RestoreEnv(); }

void Scenario::RestoreEnv() {
    for (const auto& [name, old] : m_env)
        old.isNull() ? qunsetenv(name.constData()) : qputenv(name.constData(), old);
    if (!m_env.empty()) gui::InstallTranslations();
    m_env.clear();
}

void Scenario::SetEnv(const QByteArray& name, const QByteArray& value) {
    m_env.try_emplace(name, qgetenv(name.constData()));
    value.isNull() ? qunsetenv(name.constData()) : qputenv(name.constData(), value);
    gui::InstallTranslations();
}

void Scenario::AddCommonActions(Actions& add) {
    const auto control = [this](Args a, auto run) {
        QWidget* w = Widget(a.value(0));
        QVERIFY2(w, qPrintable("no control " + a.value(0)));
        run(w, a.mid(1).join(' '));
    };
    add("answer yes|no|cancel: the answer to the next message box", [](Args a) {
        gui::CUiSeam::QueueAnswer(a.value(0) == "yes"  ? QMessageBox::Yes
                                  : a.value(0) == "no" ? QMessageBox::No
                                                       : QMessageBox::Cancel);
    });
    add("file-dialog-gives FILE: what the next file dialog gives",
        [this](Args a) { gui::CUiSeam::QueueFileNames({File(a.value(0))}); });
    add("file NAME BYTES: a file (name and bytes percent-encoded; \"@\" and a file of tests/data)",
        [this](Args a) {
            const QString path =
                File(QString::fromUtf8(QByteArray::fromPercentEncoding(a.value(0).toUtf8())));
            const QByteArray bytes = QByteArray::fromPercentEncoding(a.mid(1).join(' ').toUtf8());
            QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
            WriteFileBytes(path,
                           bytes.startsWith('@') ? ReadFileBytes(kData + bytes.mid(1)) : bytes);
        });
    add("clock LOCAL-TIME [running]: the program's clock from then, standing or running (before "
        "start)",
        [this](Args a) {
            const QDateTime at = QDateTime::fromString(a.value(0), Qt::ISODateWithMs);
            m_now = std::chrono::system_clock::time_point(
                std::chrono::milliseconds(at.toMSecsSinceEpoch()));
            if (a.value(1) == "running") m_running.start();
        });
    add("alarms ALARMS: the program's list",
        [this](Args a) { Store().m_alarms = m_given = Alarms(a); });
    add("disk ALARMS: another program saves the store",
        [this](Args a) { QVERIFY(wb::CAlarmStore(Store().m_strStartDir).SaveAlarms(Alarms(a))); });
    add("away: the current directory moves elsewhere",
        [](Args) { QVERIFY(QDir::setCurrent(QDir::tempPath())); });
    add("type NAMES TEXTS: typed into the named fields, a word each (one field: all the rest)",
        [this](Args a) { Fill(a, true); });
    add("set NAMES TEXTS: as type, without the keyboard", [this](Args a) { Fill(a, false); });
    add("key NAME KEY: a key pressed in the control", [=](Args a) {
        control(a, [](QWidget* w, const QString& key) {
            w->setFocus();
            QTest::keyClick(w, QKeySequence(key)[0].key());
        });
    });
    // Where a person clicks: a field where its text starts, a box on its mark.
    add("click NAME [BUTTON]: a click on the control or its tool button BUTTON", [=](Args a) {
        control(a, [](QWidget* w, const QString& button) {
            if (!button.isEmpty()) w = w->findChild<QToolButton*>(button);
            QVERIFY2(w, qPrintable("no button " + button));
            QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(2, w->height() / 2));
        });
    });
    add("close NAME: the control closes",
        [=](Args a) { control(a, [](QWidget* w, auto) { w->close(); }); });
    add("choose NAME INDEX: the item chosen in the combo box whose field NAME is", [=](Args a) {
        control(a, [](QWidget* w, const QString& index) {
            auto* combo = qobject_cast<QComboBox*>(w->parentWidget());
            QVERIFY2(combo, "not a combo box's field");
            combo->setCurrentIndex(index.toInt());
            combo->activated(index.toInt());
        });
    });
    add("env NAME [TEXT]: a variable set to the text, or unset (the program's language follows)",
        [this](Args a) {
            SetEnv(a.value(0).toUtf8(),
                   a.size() > 1 ? QFile::encodeName(Long(a[1])) : QByteArray());
        });
}

void Scenario::Fill(Args a, bool typed) {
    const QStringList names = a.value(0).split(',');
    for (int k = 0; k < names.size(); ++k) {
        auto* edit = qobject_cast<QLineEdit*>(Widget(names[k]));
        QVERIFY2(edit, qPrintable("no field " + names[k]));
        const QString text = Long(names.size() > 1 ? a.value(k + 1) : a.mid(1).join(' '));
        if (!typed) {
            edit->setText(text);
            continue;
        }
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
}

namespace {

// What every window shows of itself and its controls, but not what they hold (documents,
// fields): titles, labels, buttons, menus, commands with their prompts and tips.
QStringList ShownTexts() {
    QStringList out;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible()) continue;
        QList<QWidget*> widgets = top->findChildren<QWidget*>();
        widgets.prepend(top);
        for (QWidget* w : widgets) {
            out << w->windowTitle() << w->toolTip() << w->whatsThis() << w->statusTip();
            if (auto* label = qobject_cast<QLabel*>(w)) out << label->text();
            if (auto* button = qobject_cast<QAbstractButton*>(w)) out << button->text();
            if (auto* box = qobject_cast<QGroupBox*>(w)) out << box->title();
            if (auto* menu = qobject_cast<QMenu*>(w)) out << menu->title();
        }
        for (QAction* a : top->findChildren<QAction*>())
            out << a->text() << a->statusTip() << a->toolTip() << a->whatsThis();
    }
    return out;
}

}  // namespace

void Scenario::AddCommonChecks(Checks& add) {
    using gui::CUiSeam;
    add("messages: the texts of the messages shown, \" | \" between", [this](Arg) {
        QStringList out;
        for (const auto& r : CUiSeam::Records())
            if (r.kind == CUiSeam::Kind::Message) out << r.text;
        return Short(out.join(" | "));
    });
    add("boxes: each message's caption:buttons:icon, or \"kind\" and a dialog's kind and caption",
        [](Arg) {
            QStringList out;
            for (const auto& r : CUiSeam::Records())
                out << (r.kind != CUiSeam::Kind::Message
                            ? QString("kind %1 ").arg(int(r.kind)) + r.caption
                            : r.caption + ':' +
                                  Keys(QMetaEnum::fromType<QMessageBox::StandardButtons>(),
                                       r.buttons) +
                                  ':' + Keys(QMetaEnum::fromType<QMessageBox::Icon>(), r.icon));
            return out.join(" | ");
        });
    add("program: the program's alarms", [this](Arg) { return Alarms(Store().m_alarms); });
    add("fresh: 1 for each alarm of the program that is a copy, not one the script gave, else 0",
        [this](Arg) {
            QStringList out;
            for (const auto& a : Store().m_alarms)
                out << QString::number(std::find(m_given.begin(), m_given.end(), a) ==
                                       m_given.end());
            return out.join(' ');
        });
    add("disk: the store reread: [ALARMS], none or damaged", [this](Arg) {
        if (!QFile::exists(QString::fromStdString(Store().StorePath()))) return QString("none");
        wb::CAlarmStore reread(Store().m_strStartDir);
        return reread.LoadAlarms() ? '[' + Alarms(reread.m_alarms) + ']' : "damaged";
    });
    add("exists FILE: yes, no, or empty (a file without bytes)", [this](Arg arg) {
        const QFileInfo info(File(arg));
        return info.exists() ? info.isFile() && !info.size() ? "empty" : "yes" : "no";
    });
    add("bytes FILE: its bytes, percent-encoded",
        [this](Arg arg) { return Escape(ReadFileBytes(File(arg))); });
    add("file FILE: its text", [this](Arg arg) {
        const std::string bytes = ReadFileBytes(File(arg)).toStdString();
        return Short(QString::fromStdString(platform::FromFileText(bytes)));
    });
    add("chinese: the texts the windows show of themselves (not of documents or fields) that have "
        "Chinese characters, or none",
        [this](Arg) {
            QStringList found = ShownTexts().filter(QRegularExpression("\\p{Han}"));
            found.removeDuplicates();
            return found.isEmpty() ? QString("none") : Short(found.join(" | "));
        });
    for (const char* property : {"text", "enabled", "checked", "visible", "focus", "readOnly",
                                 "maxLength", "selectedText", "windowTitle"})
        add(property + QString(" NAMES: this Qt property of each named control (booleans 1 or 0)"),
            [this, property](Arg arg) {
                QStringList out;
                for (const QString& name : arg.split(',')) {
                    const QVariant v = Widget(name) ? Widget(name)->property(property) : QVariant();
                    if (!v.isValid()) return name + " has no " + property;
                    out << (v.typeId() == QMetaType::Bool ? QString::number(v.toBool())
                                                          : Short(v.toString()));
                }
                return out.join(' ');
            });
}

}  // namespace wb::test
