#include "shell/app_strings.h"

#include <QCoreApplication>
#include <QHash>
#include <QStringList>

#include "common/ui_seam.h"
#include "shell/command_ids.h"

namespace wb::gui {

namespace {

QHash<int, QString> BuildTable() {
    QHash<int, QString> t;
    // The table holds the source texts; AppString() translates them as it hands them out.
    auto add = [&t](int id, const char* text) { t.insert(id, QString::fromUtf8(text)); };
    t.insert(IDR_MAINFRAME, AppTitle());
    add(IDR_DAWNLYTYPE,
        QT_TRANSLATE_NOOP(
            "AppStrings",
            "\nDawnly\nDawnly\nDawnly 文件 (*.mp)\n.mp\nDawnly.Document\nDawnly Document"));
    t.insert(AFX_IDS_APP_TITLE, AppTitle());
    add(AFX_IDS_IDLEMESSAGE, QT_TRANSLATE_NOOP("AppStrings", "按F1获取帮助"));
    add(AFX_IDS_HELPMODEMESSAGE, QT_TRANSLATE_NOOP("AppStrings", "选择一个对象获取帮助"));

    add(ID_CREATE_HOST_LIST,
        QT_TRANSLATE_NOOP("AppStrings", "在局域网中创建一个主机列表\n创建列表"));
    add(ID_POWER_ON_HOST,
        QT_TRANSLATE_NOOP("AppStrings", "发送wakeburst到一台主机, 単播或广播\n发送到指定主体"));
    add(ID_GROUP_POWER_ON, QT_TRANSLATE_NOOP("AppStrings", "设置开启一组主机的提醒时间\n设置提醒"));

    add(ID_FILE_NEW, QT_TRANSLATE_NOOP("AppStrings", "创建新文档\n新建"));
    add(ID_FILE_OPEN, QT_TRANSLATE_NOOP("AppStrings", "打开已存在文档\n打开"));
    add(ID_FILE_CLOSE, QT_TRANSLATE_NOOP("AppStrings", "关闭活动文档\n关闭"));
    add(ID_FILE_SAVE, QT_TRANSLATE_NOOP("AppStrings", "保存活动文档\n保存"));
    add(ID_FILE_SAVE_AS, QT_TRANSLATE_NOOP("AppStrings", "使用一个新名称保存活动文档\n另存为"));
    add(ID_FILE_PAGE_SETUP, QT_TRANSLATE_NOOP("AppStrings", "更改打印选项\n页面设置"));
    add(ID_FILE_PRINT_SETUP, QT_TRANSLATE_NOOP("AppStrings", "更改打印机和打印选项\n打印设置"));
    add(ID_FILE_PRINT, QT_TRANSLATE_NOOP("AppStrings", "打印活动文档\n打印"));
    add(ID_FILE_PRINT_PREVIEW, QT_TRANSLATE_NOOP("AppStrings", "显示全部页面\n打印预览"));
    for (int id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_FILE1 + 15; ++id)
        add(id, QT_TRANSLATE_NOOP("AppStrings", "打开此文档"));
    add(ID_APP_EXIT, QT_TRANSLATE_NOOP("AppStrings", "退出应用程序;提示保存文件\n退出"));
    add(ID_VIEW_TOOLBAR, QT_TRANSLATE_NOOP("AppStrings", "显示或隐藏工具栏\n切换工具栏"));
    add(ID_VIEW_STATUS_BAR, QT_TRANSLATE_NOOP("AppStrings", "显示或隐藏状态栏\n切换状态栏"));
    add(ID_HELP_FINDER, QT_TRANSLATE_NOOP("AppStrings", "帮助主题列表\n帮助主题"));
    add(ID_APP_ABOUT, QT_TRANSLATE_NOOP("AppStrings", "查看程序信息,版本号和版权\n关于"));
    add(ID_CONTEXT_HELP, QT_TRANSLATE_NOOP("AppStrings", "点击按钮、菜单、窗口查看帮助信息\n帮助"));

    add(ID_EDIT_UNDO, QT_TRANSLATE_NOOP("AppStrings", "撤消上一个动作\n撤消"));
    add(ID_EDIT_CUT, QT_TRANSLATE_NOOP("AppStrings", "剪切所选内容到剪贴板\n剪切"));
    add(ID_EDIT_COPY, QT_TRANSLATE_NOOP("AppStrings", "复制所选内容到剪贴板\n复制"));
    add(ID_EDIT_PASTE, QT_TRANSLATE_NOOP("AppStrings", "插入剪贴板内容\n粘贴"));
    add(ID_EDIT_FIND, QT_TRANSLATE_NOOP("AppStrings", "查找只定文本\n查找"));
    add(ID_EDIT_REPLACE, QT_TRANSLATE_NOOP("AppStrings", "使用其它文本替换制定文本\n替换"));
    add(ID_EDIT_SELECT_ALL, QT_TRANSLATE_NOOP("AppStrings", "选择所有文档\n全部选择"));
    add(ID_EDIT_CLEAR, QT_TRANSLATE_NOOP("AppStrings", "擦除已选择的内容\n擦除"));
    add(ID_EDIT_CLEAR_ALL, QT_TRANSLATE_NOOP("AppStrings", "擦除所有内容\n擦除所有"));
    add(ID_EDIT_REPEAT, QT_TRANSLATE_NOOP("AppStrings", "重复最后一个动作\n重复"));
    add(ID_EDIT_REDO, QT_TRANSLATE_NOOP("AppStrings", "重做上一步撤消动作\n重做"));

    add(ID_WINDOW_NEW, QT_TRANSLATE_NOOP("AppStrings", "为激活文档打开另一个窗口\n新窗口"));
    add(ID_WINDOW_CASCADE, QT_TRANSLATE_NOOP("AppStrings", "以重叠方式排列窗口\n窗口层迭"));
    add(ID_WINDOW_TILE_HORZ, QT_TRANSLATE_NOOP("AppStrings", "以平铺方式排列窗口\n平铺窗口"));
    add(ID_WINDOW_ARRANGE, QT_TRANSLATE_NOOP("AppStrings", "在窗口底部排列图标\n排列图标"));
    add(ID_WINDOW_TILE_VERT, QT_TRANSLATE_NOOP("AppStrings", "以平铺方式排列窗口\n平铺窗口"));
    add(ID_WINDOW_SPLIT, QT_TRANSLATE_NOOP("AppStrings", "拆分活动窗为窗格\n拆分"));

    add(ID_HELP_INDEX, QT_TRANSLATE_NOOP("AppStrings", "打开帮助\n帮助主题"));
    add(ID_HELP_USING, QT_TRANSLATE_NOOP("AppStrings", "查看使用帮助说明\n帮助"));
    add(ID_HELP, QT_TRANSLATE_NOOP("AppStrings", "查看当前任务或命令的帮助信息\n帮助"));
    add(ID_NEXT_PANE, QT_TRANSLATE_NOOP("AppStrings", "切换到下一个窗格\n下一个窗格"));
    add(ID_PREV_PANE, QT_TRANSLATE_NOOP("AppStrings", "切换到前一个窗格\n前一个窗格"));

    add(61184, QT_TRANSLATE_NOOP("AppStrings", "更改窗口大小"));
    add(61185, QT_TRANSLATE_NOOP("AppStrings", "更改窗口位置"));
    add(61186, QT_TRANSLATE_NOOP("AppStrings", "最小化到任务栏"));
    add(61187, QT_TRANSLATE_NOOP("AppStrings", "放大到全尺寸窗口"));
    add(61188, QT_TRANSLATE_NOOP("AppStrings", "切换到下一个文档窗口"));
    add(61189, QT_TRANSLATE_NOOP("AppStrings", "切换到前一个文档窗口"));
    add(61190, QT_TRANSLATE_NOOP("AppStrings", "关闭活动窗口，并提示保存文档"));
    add(61202, QT_TRANSLATE_NOOP("AppStrings", "还原到正常大小窗口"));
    add(61203, QT_TRANSLATE_NOOP("AppStrings", "激活任务列表"));
    add(61215, QT_TRANSLATE_NOOP("AppStrings", "激活此窗口"));
    add(61445, QT_TRANSLATE_NOOP("AppStrings", "关闭打印预览模式\n取消预览"));
    add(ID_INDICATOR_EXT, QT_TRANSLATE_NOOP("AppStrings", "EXT"));
    add(ID_INDICATOR_CAPS, QT_TRANSLATE_NOOP("AppStrings", "CAP"));
    add(ID_INDICATOR_NUM, QT_TRANSLATE_NOOP("AppStrings", "NUM"));
    add(ID_INDICATOR_SCRL, QT_TRANSLATE_NOOP("AppStrings", "SCRL"));
    add(59140, QT_TRANSLATE_NOOP("AppStrings", "OVR"));
    add(59141, QT_TRANSLATE_NOOP("AppStrings", "REC"));
    return t;
}

}  // namespace

QString AppString(int id) {
    static const QHash<int, QString> table = BuildTable();
    const QString text = table.value(id);
    return text.isEmpty() ? text
                          : QCoreApplication::translate("AppStrings", text.toUtf8().constData());
}

QString PromptOf(int id) { return AppString(id).section(QLatin1Char('\n'), 0, 0); }

QString ToolTipOf(int id) {
    const QString s = AppString(id);
    const int nl = s.indexOf(QLatin1Char('\n'));
    return nl < 0 ? QString() : s.mid(nl + 1);
}

QString DocTemplateString(DocString field) {
    return AppString(IDR_DAWNLYTYPE).split(QLatin1Char('\n')).value(static_cast<int>(field));
}

}  // namespace wb::gui
