#include "common/help.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "common/ui_seam.h"

namespace wb::gui {

QString HelpPageHtml() {
    return QCoreApplication::translate(
               "Help",
               "<h2>%1 帮助</h2>"
               "<p>%1 通过局域网发送唤醒帧(Wake-on-LAN), 远程开启计算机. "
               "唤醒帧为 UDP 数据报, 发往端口 2304.</p>"
               "<h3><a name=\"commands\"></a>命令</h3>"
               "<ul>"
               "<li><b>创建主机列表</b>: 轮询本子网的每个地址, 读取 ARP 缓存, 查找主机名, "
               "写出一个主机列表文件(.mp)并打开它.</li>"
               "<li><b>启动指定主机</b>: 输入以太网地址和广播地址, 立即唤醒一台主机.</li>"
               "<li><b>启动一组主机</b>: 设置提醒, "
               "在指定的星期和时间唤醒一个主机列表中的所有主机.</li>"
               "<li><b>文件</b>菜单: 新建、打开、保存、打印主机列表文件. "
               "也可以把文件拖到主窗口上打开.</li>"
               "</ul>"
               "<h3><a name=\"hostlist\"></a>主机列表文件格式</h3>"
               "<p>主机列表文件是文本文件(GBK 编码, CR LF 行尾). 以 # 开头的行是注释. "
               "其余每行为: IP 地址、主机名、以太网地址, 以空格或 TAB 分隔, 例如:</p>"
               "<pre>198.51.100.12\tpc-12\t00-0A-95-9D-68-16</pre>"
               "<p>以太网地址为六对十六进制数字, 以 - 或 . 分隔.</p>"
               "<h3><a name=\"documents\"></a>编辑主机列表</h3>"
               "<p>每个打开的文件显示在一个文档窗口中, 可以像普通文本一样编辑、查找、替换和打印. "
               "定时唤醒读取磁盘上的文件, 修改只有在保存后才生效.</p>"
               "<p>在主机列表中按 Ctrl+Return 唤醒所选各行(或光标所在行)的主机, "
               "按 Ctrl+Shift+Return 唤醒列表中所有主机; 两者读取窗口中的当前文本, "
               "未保存的修改也算在内. "
               "文本左边的标记表示主机是否应答: 绿色为应答, 红色为未应答, 空心为尚未知道; "
               "把鼠标停在标记上可以看到自何时起.</p>"
               "<h3><a name=\"alarms\"></a>提醒</h3>"
               "<p>每个提醒包含一个主机列表文件、一个 IP 广播地址、若干星期和一个时间(时:分). "
               "程序运行期间, 每分钟检查一次所有提醒; 到时的提醒唤醒其文件中的每台主机. "
               "提醒保存在启动目录的文件 DwnGs 中, 最多 16 个.</p>"
               "<h3><a name=\"log\"></a>唤醒日志</h3>"
               "<p>每次定时唤醒都在启动目录的文本文件 Dawnly.log 末尾添加一条记录: "
               "日期行, 以及唤醒的主机数或出错原因. 可以用任何文本编辑器查看.</p>"
               "<h3>上下文帮助</h3>"
               "<p>按 Shift+F1 或工具栏上的帮助按钮, 再点击按钮、菜单或对话框中的控件, "
               "即可看到它的简短说明.</p>")
        .arg(AppTitle().toHtmlEscaped());
}

namespace {

// Inside the screen's free area and below the main window's menu bar, so that the window
// never hides the menus it was opened from; centred on the window as far as that allows.
void PlaceHelpWindow(QDialog* dialog, QWidget* parent) {
    QWidget* top = parent ? parent->window() : nullptr;
    QScreen* screen = top ? top->screen() : dialog->screen();
    if (!screen) return;
    QRect area = screen->availableGeometry();
    if (auto* frame = qobject_cast<QMainWindow*>(top); frame && frame->menuBar()->isVisible()) {
        const int below = frame->menuBar()->mapToGlobal(QPoint(0, frame->menuBar()->height())).y();
        if (below > area.top() && below < area.bottom()) area.setTop(below);
    }
    // Room for the frame the window manager draws around it.
    const QMargins frameRoom(8, 32, 8, 8);
    const QRect room = area - frameRoom;
    QRect placed(QPoint(), QSize(520, 460).boundedTo(room.size()));
    placed.moveCenter(top ? top->frameGeometry().center() : area.center());
    placed.moveLeft(std::clamp(placed.left(), room.left(), room.right() - placed.width() + 1));
    placed.moveTop(std::clamp(placed.top(), room.top(), room.bottom() - placed.height() + 1));
    dialog->setGeometry(placed);
}

}  // namespace

void ShowHelpTopics(QWidget* parent, const QString& anchor) {
    static QPointer<QDialog> s_dialog;
    if (!s_dialog) {
        s_dialog = new QDialog(parent);
        s_dialog->setAttribute(Qt::WA_DeleteOnClose);
        s_dialog->setWindowTitle(QCoreApplication::translate("Help", "%1 帮助").arg(AppTitle()));
        auto* layout = new QVBoxLayout(s_dialog);
        auto* browser = new QTextBrowser(s_dialog);
        browser->setObjectName(QStringLiteral("helpBrowser"));
        browser->setHtml(HelpPageHtml());
        layout->addWidget(browser);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, s_dialog);
        QObject::connect(buttons, &QDialogButtonBox::rejected, s_dialog, &QDialog::close);
        layout->addWidget(buttons);
        PlaceHelpWindow(s_dialog, parent);
    }
    auto* browser = s_dialog->findChild<QTextBrowser*>(QStringLiteral("helpBrowser"));
    if (browser && !anchor.isEmpty()) browser->scrollToAnchor(anchor);
    s_dialog->show();
    s_dialog->raise();
    s_dialog->activateWindow();
}

QString ContextHelpText(std::uint32_t id) {
    static const std::pair<std::uint32_t, const char*> kTexts[] = {
        // Host-list creation.
        {0x808303EAu,
         QT_TRANSLATE_NOOP("ContextHelp", "保存主机列表的文件名; 不带目录时存放在当前目录.")},
        {0x80830408u,
         QT_TRANSLATE_NOOP("ContextHelp",
                           "本机所在子网的子网掩码, 四个 0 到 255 的数 (最后一个至多 254).")},
        // Send dialog.
        {0x808203E8u,
         QT_TRANSLATE_NOOP("ContextHelp", "唤醒帧发往的 IP 广播地址、主机地址或主机名.")},
        {0x80820468u,
         QT_TRANSLATE_NOOP("ContextHelp", "目标主机以太网地址的一个字节, 两位十六进制数.")},
        {0x80840005u, QT_TRANSLATE_NOOP("ContextHelp", "立即向目标主机发送一个唤醒帧.")},
        // Alarm dialog.
        {0x808403E9u,
         QT_TRANSLATE_NOOP("ContextHelp", "包含要唤醒的主机列表的文件; 下拉列表中是已设置的提醒.")},
        {0x808403FAu, QT_TRANSLATE_NOOP("ContextHelp", "选择一个主机列表文件.")},
        {0x8084052Du,
         QT_TRANSLATE_NOOP("ContextHelp", "唤醒帧发往的 IP 广播地址, 四个 0 到 255 的数.")},
        {0x808405E2u, QT_TRANSLATE_NOOP("ContextHelp", "提醒生效的星期几.")},
        {0x80840589u, QT_TRANSLATE_NOOP("ContextHelp", "唤醒的时间: 时 (0-23) 和分 (0-59).")},
        {0x808403FBu, QT_TRANSLATE_NOOP("ContextHelp", "按当前设置添加一个提醒 (最多 16 个).")},
        {0x808403FCu, QT_TRANSLATE_NOOP("ContextHelp", "移除所选的提醒.")},
        {0x80840004u, QT_TRANSLATE_NOOP("ContextHelp", "保存所有提醒并关闭对话框; 提醒立即生效.")},
        {0x80840003u, QT_TRANSLATE_NOOP("ContextHelp", "关闭对话框, 不保存修改.")},
        // Shared buttons.
        {0x80840001u, QT_TRANSLATE_NOOP("ContextHelp", "开始创建主机列表.")},
        {0x80840002u, QT_TRANSLATE_NOOP("ContextHelp", "关闭对话框.")},
    };
    for (const auto& [key, text] : kTexts) {
        if (key == id) return QCoreApplication::translate("ContextHelp", text);
    }
    return {};
}

void SetContextHelp(QWidget* control, std::uint32_t helpContextId) {
    if (control) control->setWhatsThis(ContextHelpText(helpContextId));
}

}  // namespace wb::gui
