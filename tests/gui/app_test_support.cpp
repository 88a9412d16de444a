#include "app_test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include "common/ui_seam.h"
#include "shell/main_frame.h"

namespace wb::test {

QByteArray ReadFileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteFileBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QString TestData(const QString& name) { return QStringLiteral(WAKEBURST_TEST_DATA "/gui/") + name; }

std::vector<gui::CUiSeam::Record> MessageRecords() {
    std::vector<gui::CUiSeam::Record> out;
    for (const auto& r : gui::CUiSeam::Records())
        if (r.kind == gui::CUiSeam::Kind::Message) out.push_back(r);
    return out;
}

QStringList MessageTexts() {
    QStringList out;
    for (const auto& r : MessageRecords())
        out << r.text;
    return out;
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

}  // namespace wb::test
