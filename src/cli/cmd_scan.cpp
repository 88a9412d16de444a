#include <string>
#include <vector>

#include "base/string_table.h"
#include "base/translate.h"
#include "cli/cli_args.h"
#include "cli/cli_output.h"
#include "cli/commands.h"
#include "hostlist/create_list_input.h"
#include "hostlist/host_list_creation.h"

namespace wb::cli {

int RunScan(const ParsedArgs& pa) {
    std::string error;
    const std::string maskArg = pa.Get("--mask", kDefaultSubnetMask);
    MaskFields fields;
    if (!SplitMaskText(maskArg, fields)) {
        PrintErr(
            FormatText(WB_TR("wakeburst", "wakeburst scan: 掩码须有四部分 A.B.C.D, 而不是 '%1'"),
                       {EscapeControlChars(maskArg)}));
        return kExitUsage;
    }
    if (!ValidateMaskFields(fields, error)) {
        // The reason quotes the part of the mask that failed.
        PrintErr("wakeburst scan: " + EscapeControlChars(error));
        return kExitUsage;
    }
    const std::string path = HostListFileName(pa.Get("-o"));
    CreateListOptions options;
    options.progress = [](std::size_t done, std::size_t total) {
        ShowProgress(std::to_string(done) + "/" + std::to_string(total));
    };
    const bool ok = RunHostListCreation(
        BuildMaskText(fields), path,
        [](const std::string& phase) { PrintErr(Translate("wakeburst", phase)); }, options);
    if (!ok) return kExitFailed;
    PrintOut(EscapeControlChars(path));
    return kExitOk;
}

}  // namespace wb::cli
