// The floor for dawnly's start-up: a bare Qt main window with Chinese menus like the
// program's and Qt's Chinese translation loaded, nothing else. At its first exposure it
// prints "shown NS US" (the steady clock and the processor time used, as dawnly does with
// WAKEBURST_SHOWN_STAMP) and ends.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QTranslator>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <initializer_list>

namespace {

class ExitWhenShown final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<QWindow*>(watched);
        if (!m_done && event->type() == QEvent::Expose && window && window->isExposed()) {
            m_done = true;
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            std::printf("shown %lld %lld\n",
                        static_cast<long long>(std::chrono::nanoseconds(now).count()),
                        static_cast<long long>(std::clock()) * 1000000 / CLOCKS_PER_SEC);
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QApplication::quit);
        }
        return false;
    }

private:
    bool m_done = false;
};

void AddMenu(QMainWindow& window, const char* title, std::initializer_list<const char*> items) {
    QMenu* menu = window.menuBar()->addMenu(QString::fromUtf8(title));
    for (const char* item : items) {
        if (*item) {
            menu->addAction(QString::fromUtf8(item));
        } else {
            menu->addSeparator();
        }
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTranslator qt;
    if (qt.load(QLocale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China),
                QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qt);
    }

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Wakeburst Utility"));
    AddMenu(window, "文件(&F)",
            {"新建(&N)\tCtrl+N", "打开(&O)...\tCtrl+O", "关闭(&C)", "保存(&S)\tCtrl+S",
             "另存为(&A)...", "", "打印(&P)...\tCtrl+P", "打印预览(&v)", "打印设置(&r)...", "",
             "最近文件", "", "退出(&x)"});
    AddMenu(window, "编辑(&E)",
            {"撤消(&U)\tCtrl+Z", "", "剪切(&t)\tCtrl+X", "复制(&C)\tCtrl+C", "粘贴(&P)\tCtrl+V", "",
             "查找(&F)", "替换(&R)", "全选(&S)"});
    AddMenu(window, "视图(&V)", {"工具栏(&T)", "状态栏(&S)"});
    AddMenu(window, "&Wakebursts",
            {"创建主机列表(&C)", "", "启动指定主机(&P)", "启动一组主机(&G)"});
    AddMenu(window, "窗口(&W)", {"新建窗口(&N)", "重叠窗口(&C)", "平铺窗口(&T)", "排列图标(&A)"});
    AddMenu(window, "帮助(&H)", {"帮助主题(&H)", "", "关于 Wakeburst Utility(&A)..."});
    window.statusBar()->showMessage(QString::fromUtf8("就绪"));
    window.resize(760, 520);

    ExitWhenShown exitWhenShown;
    window.winId();
    window.windowHandle()->installEventFilter(&exitWhenShown);
    window.show();
    return QApplication::exec();
}
