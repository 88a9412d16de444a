#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "common/ui_seam.h"

#include "shell/dawnly_app.h"

namespace wb::test {

QByteArray ReadFileBytes(const QString& path);
void WriteFileBytes(const QString& path, const QByteArray& bytes);
QString TestData(const QString& name);
// The messages shown through the seam, in order, and their texts.
std::vector<gui::CUiSeam::Record> MessageRecords();
QStringList MessageTexts();

// A started application in a fresh working directory of its own, with a scripted seam
// and the desktop registration going to a temporary data directory ("xdg", and "sys" for
// the system's).
class AppFixture final {
public:
    AppFixture();
    ~AppFixture();
    AppFixture(const AppFixture&) = delete;
    AppFixture& operator=(const AppFixture&) = delete;

    QString Dir() const { return m_dir.path(); }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    // Makes and starts the application; its InitInstance result.
    bool Start(std::unique_ptr<gui::CDawnlyApp> app = nullptr);
    gui::CDawnlyApp& App() { return *m_app; }
    gui::CMainFrame& Frame() { return *m_app->m_pMainWnd; }
    void Stop();

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
    std::unique_ptr<gui::CDawnlyApp> m_app;
};

}  // namespace wb::test
