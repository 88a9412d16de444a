#include "scenario_script.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaEnum>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>

#include "common/ui_seam.h"
#include "platform/codepage.h"
#include "shell/main_frame.h"

namespace wb::test {
namespace {

const QString kData = QStringLiteral(WAKEBURST_TEST_DATA "/");
const QStringList kCommon =
    QString("answer file-dialog-gives file clock alarms disk type set key click close choose")
        .split(' ');

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
    QTest::addColumn<QStringList>("lines");
    for (const QString& file : QDir(kData + "gui").entryList(names.split(','))) {
        QFile f(kData + "gui/" + file);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(file));
        QStringList lines;
        QString name;
        const auto flush = [&] {
            if (!name.isEmpty()) QTest::newRow(qPrintable(name)) << lines;
            lines.clear();
        };
        for (const QString& line : QString::fromUtf8(f.readAll()).split('\n')) {
            if (line.startsWith("== "))
                flush(), name = file.section('.', 0, 0) + ": " + line.mid(3);
            else if (!line.trimmed().isEmpty() && !line.startsWith('#'))
                lines << line;
        }
        flush();
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

void Scenario::Run(const QStringList& lines) {
    m_skipped = false;
    for (const QString& line : lines) {
        QStringList words = line.split(' ');
        const QString verb = words.takeFirst();
        if (verb != "=" && verb != "=>") {
            kCommon.contains(verb) ? CommonAct(verb, words) : Act(verb, words);
            if (m_skipped) return;
            if (QTest::currentTestFailed()) QFAIL(qPrintable("at: " + line));
            continue;
        }
        const QString key = words.value(0).section(':', 0, 0);
        const QString arg = words.value(0).section(':', 1);
        const QString want = words.mid(1).join(' ');
        QString got;
        const auto match = [&] {
            const auto own = State(key, arg);
            return Matches(got = own ? *own : CommonState(key, arg), want);
        };
        const bool ok = verb == "=>" ? QTest::qWaitFor(match, 20000) : match();
        if (QTest::currentTestFailed()) QFAIL(qPrintable("at: " + line));
        QVERIFY2(ok, qPrintable(line + "\n   got: " + got));
    }
}

void Scenario::CommonAct(const QString& verb, const QStringList& args) {
    const QString arg = args.value(0), rest = args.mid(1).join(' ');
    if (verb == "answer")
        return gui::CUiSeam::QueueAnswer(arg == "yes"  ? QMessageBox::Yes
                                         : arg == "no" ? QMessageBox::No
                                                       : QMessageBox::Cancel);
    if (verb == "file-dialog-gives") return gui::CUiSeam::QueueFileNames({File(arg)});
    if (verb == "file") {  // its name, then its bytes or "@" and a file of tests/data
        const QString path = File(QString::fromUtf8(QByteArray::fromPercentEncoding(arg.toUtf8())));
        const QByteArray bytes = QByteArray::fromPercentEncoding(rest.toUtf8());
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        return WriteFileBytes(path,
                              bytes.startsWith('@') ? ReadFileBytes(kData + bytes.mid(1)) : bytes);
    }
    if (verb == "clock") {
        const QDateTime at = QDateTime::fromString(arg, Qt::ISODateWithMs);
        m_now = std::chrono::system_clock::time_point(
            std::chrono::milliseconds(at.toMSecsSinceEpoch()));
        return args.value(1) == "running" ? m_running.start() : void();
    }
    if (verb == "alarms") return void(Store().m_alarms = m_given = Alarms(args));
    if (verb == "disk") QVERIFY(wb::CAlarmStore(Store().m_strStartDir).SaveAlarms(Alarms(args)));
    if (verb == "disk") return;
    QWidget* w = Widget(arg.section(',', 0, 0));
    if (w && verb == "click" && args.size() > 1) w = w->findChild<QToolButton*>(rest);
    QVERIFY2(w, qPrintable("no control for " + verb + ' ' + args.join(' ')));
    const QStringList names = arg.split(',');
    for (int k = 0; (verb == "type" || verb == "set") && k < names.size(); ++k) {
        auto* edit = qobject_cast<QLineEdit*>(Widget(names[k]));
        const QString text = Long(names.size() > 1 ? args.value(k + 1) : rest);
        QVERIFY2(edit, qPrintable(names[k]));
        if (verb == "set") {
            edit->setText(text);
            continue;
        }
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    if (verb == "type" || verb == "set") return;
    if (verb == "key") return w->setFocus(), QTest::keyClick(w, QKeySequence(rest)[0].key());
    // Where a person clicks: a field where its text starts, a box on its mark.
    if (verb == "click")
        return QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(2, w->height() / 2));
    if (verb == "close") return void(w->close());
    auto* combo = qobject_cast<QComboBox*>(w->parentWidget());
    if (verb == "choose" && combo) combo->setCurrentIndex(rest.toInt());
    if (verb == "choose" && combo) return combo->activated(rest.toInt());
    QFAIL(qPrintable("unknown action " + verb));
}

QString Scenario::CommonState(const QString& key, const QString& arg) {
    const auto& records = gui::CUiSeam::Records();
    QStringList out;
    for (const auto& r : key == "messages" ? records : std::vector<gui::CUiSeam::Record>())
        if (r.kind == gui::CUiSeam::Kind::Message) out << r.text;
    if (key == "messages") return Short(out.join(" | "));
    for (const auto& r : key == "boxes" ? records : std::vector<gui::CUiSeam::Record>())
        out << (r.kind != gui::CUiSeam::Kind::Message
                    ? QString("kind %1 ").arg(int(r.kind)) + r.caption
                    : r.caption + ':' +
                          Keys(QMetaEnum::fromType<QMessageBox::StandardButtons>(), r.buttons) +
                          ':' + Keys(QMetaEnum::fromType<QMessageBox::Icon>(), r.icon));
    if (key == "boxes") return out.join(" | ");
    if (key == "program") return Alarms(Store().m_alarms);
    for (const auto& a : key == "fresh" ? Store().m_alarms : wb::AlarmList())
        out << QString::number(std::find(m_given.begin(), m_given.end(), a) == m_given.end());
    if (key == "fresh") return out.join(' ');
    if (key == "disk" && !QFile::exists(QString::fromStdString(Store().StorePath()))) return "none";
    if (key == "disk") {
        wb::CAlarmStore reread(Store().m_strStartDir);
        return reread.LoadAlarms() ? '[' + Alarms(reread.m_alarms) + ']' : "damaged";
    }
    const QFileInfo info(File(arg));
    if (key == "exists")
        return info.exists() ? info.isFile() && !info.size() ? "empty" : "yes" : "no";
    const QByteArray bytes = ReadFileBytes(File(arg));
    if (key == "bytes") return Escape(bytes);
    if (key == "file")
        return Short(QString::fromStdString(platform::FromFileText(bytes.toStdString())));
    for (const QString& name : arg.isEmpty() ? QStringList() : arg.split(',')) {
        const QVariant v = Widget(name) ? Widget(name)->property(qPrintable(key)) : QVariant();
        if (!v.isValid()) return name + " has no " + key;
        out << (v.typeId() == QMetaType::Bool ? QString::number(v.toBool()) : Short(v.toString()));
    }
    return arg.isEmpty() ? "unknown state " + key : out.join(' ');
}

}  // namespace wb::test
