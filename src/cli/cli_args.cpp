#include "cli/cli_args.h"

#include <filesystem>
#include <system_error>

#include "alarm/alarm_store.h"
#include "base/string_table.h"
#include "base/translate.h"
#include "cli/cli_output.h"
#include "platform/file_path.h"

namespace wb::cli {

std::string ParsedArgs::Get(const std::string& name, const std::string& fallback) const {
    auto it = options.find(name);
    return it == options.end() ? fallback : it->second;
}

bool ParseArgs(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
               const std::set<std::string>& flagOptions, ParsedArgs& out, std::string& error) {
    out = ParsedArgs{};
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a.size() < 2 || a[0] != '-' || a == "-") {
            out.positional.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = a;
        std::string value;
        bool inlineValue = false;
        auto eq = a.find('=');
        if (a.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = a.substr(0, eq);
            value = a.substr(eq + 1);
            inlineValue = true;
        }
        if (valueOptions.count(name)) {
            if (!inlineValue) {
                if (i + 1 >= args.size()) {
                    error = FormatText(WB_TR("wakeburst", "选项 %1 需要一个值"),
                                       {EscapeControlChars(name)});
                    return false;
                }
                value = args[++i];
            }
        } else if (flagOptions.count(name)) {
            if (inlineValue) {
                error =
                    FormatText(WB_TR("wakeburst", "选项 %1 不带值"), {EscapeControlChars(name)});
                return false;
            }
        } else {
            error = FormatText(WB_TR("wakeburst", "未知的选项 %1"), {EscapeControlChars(name)});
            return false;
        }
        if (!out.options.emplace(name, value).second) {
            error =
                FormatText(WB_TR("wakeburst", "选项 %1 给出了两次"), {EscapeControlChars(name)});
            return false;
        }
    }
    return true;
}

std::string StoreDirectory(const ParsedArgs& pa) {
    const std::string dir = ResolveStartDir(pa.Get("--dir"));
    std::error_code ec;
    if (dir.empty()) {
        ec = std::make_error_code(std::errc::no_such_file_or_directory);
    } else {
        const std::filesystem::directory_iterator probe(platform::PathFromUtf8(dir), ec);
    }
    if (!ec) return dir;
    // Named as it was given: that is the name the user knows and may have mistyped.
    PrintErr(FormatText(WB_TR("wakeburst", "无法读取目录 %1 (%2)"),
                        {EscapeControlChars(pa.Get("--dir", ".")), ec.message()}));
    return {};
}

}  // namespace wb::cli
