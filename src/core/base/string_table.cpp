#include "base/string_table.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "base/translate.h"

namespace wb {

namespace {

constexpr std::pair<int, std::string_view> kStrings[] = {
    {IDS_SOCKETS_INIT_FAILED, WB_TR_NOOP("wakeburst", "Windows套接字初始化失败.")},
    {IDS_APP_TITLE, kAppTitle},
    {IDP_ALARMS_NOT_SAVED, WB_TR_NOOP("wakeburst", "无法创建文件 %1\n提醒设置未被保存.")},
    {IDS_CANNOT_OPEN_READ, WB_TR_NOOP("wakeburst", "\t无法以只读方式打开 %1 .\n")},
    {IDS_CANNOT_OPEN_WRITE, WB_TR_NOOP("wakeburst", "\t无法以写入方式打开 %1.\n")},
    {IDS_BAD_ETHERNET, WB_TR_NOOP("wakeburst", "不合法的以太网地址: %1\r\n\nWakeburst 未被发送.")},
    {IDS_BAD_BROADCAST,
     WB_TR_NOOP("wakeburst", "\t错误: %1是一个非法的IP 广播地址.\r\n\n\t文件: %2\r\n")},
    {IDS_FILE_NOT_FOUND, WB_TR_NOOP("wakeburst", "文件 \r\n%1\n未被发现.  请查实后重试.")},
};

}  // namespace

std::string_view LoadStringText(int id, UiLanguage language) {
    auto it = std::find_if(std::begin(kStrings), std::end(kStrings),
                           [id](const auto& e) { return e.first == id; });
    if (it == std::end(kStrings)) return {};
    // The title is a name, the same in every language, and no text of the catalogue.
    if (id == IDS_APP_TITLE) return it->second;
    return TranslateTo(language, "wakeburst", it->second.data());
}

std::string FormatPlaceholders(std::string_view pattern, const std::string* args, int count) {
    std::string out;
    out.reserve(pattern.size() + 32);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            int k = pattern[i + 1] - '1';
            if (k < count) out += args[k];
            ++i;
            continue;
        }
        out += c;
    }
    return out;
}

std::string FormatString1(int id, const std::string& arg1, UiLanguage language) {
    return FormatPlaceholders(LoadStringText(id, language), &arg1, 1);
}

std::string FormatText(std::string_view pattern, std::initializer_list<std::string> args) {
    return FormatPlaceholders(pattern, args.begin(), static_cast<int>(args.size()));
}

std::string SaveFailureText(const std::string& refusedLink, std::string otherwise) {
    if (refusedLink.empty()) return otherwise;
    return FormatText(WB_TR("wakeburst", "拒绝经由其他用户的符号链接 %1 写入."),
                      {EscapeControlChars(refusedLink)});
}

std::string LockWaitText(const std::string& path) {
    return FormatText(WB_TR("wakeburst", "等待另一个程序释放 %1 ..."), {EscapeControlChars(path)});
}

std::string FormatString2(int id, const std::string& arg1, const std::string& arg2,
                          UiLanguage language) {
    const std::string args[2] = {arg1, arg2};
    return FormatPlaceholders(LoadStringText(id, language), args, 2);
}

}  // namespace wb
