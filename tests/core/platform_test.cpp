#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "alarm/alarm_store.h"
#include "base/string_text.h"
#include "hostlist/host_list_reader.h"
#include "platform/atomic_file.h"
#include "platform/file_path.h"
#include "platform/inet_addr.h"
#include "platform/sockets.h"
#include "platform/ui_language.h"
#include "support/case_file.h"
#include "support/process.h"
#include "support/temp_dir.h"
#include "support/transcript.h"

// File names and arguments that are not ASCII, through the core and through the command line.
// On Windows these are what the wide-character paths and the UTF-8 command line are for.
namespace wb {
namespace {

namespace fs = std::filesystem;

// The core's messages are checked in Chinese, the language of the program's own texts,
// whatever the locale or the Windows UI language of the machine; a test that wants English
// pins it while it runs.
class ChineseUser final : public ::testing::Environment {
public:
    void SetUp() override { platform::PinUiLanguage(platform::UiLanguage::Chinese); }
};
[[maybe_unused]] const auto* const kChineseUser =
    ::testing::AddGlobalTestEnvironment(new ChineseUser);

// Two hosts in GBK with CR LF, the way the system writes its lists.
const std::string kList = test::ReadFileBytes(WAKEBURST_TEST_DATA "/platform/gbk_hosts.mp");

class Utf8Names : public ::testing::TestWithParam<test::CaseRow> {
protected:
    void SetUp() override {
        ASSERT_FALSE(tmp.Path().empty());
        if (!GetParam()[1].empty()) {
            dir += "/" + GetParam()[1];
            ASSERT_TRUE(fs::create_directory(platform::PathFromUtf8(dir)));
        }
        ASSERT_TRUE(platform::WriteFileAtomically(path, kList));
    }

    test::TempDir tmp;
    std::string dir = tmp.Path();
    std::string path =
        dir + (GetParam()[1].empty() ? "" : "/" + GetParam()[1]) + "/" + GetParam()[2];
};

TEST_P(Utf8Names, CoreListsReadsReplacesAndRemovesIt) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(platform::PathFromUtf8(dir)))
        names.push_back(platform::PathToUtf8(e.path().filename()));
    EXPECT_EQ(names, std::vector<std::string>{GetParam()[2]});

    // The start-up directory prefixes the store's and the log's names as it stands.
    const std::string start = ResolveStartDir(dir);
    std::string bytes;
    ASSERT_TRUE(platform::ReadWholeFile(start + GetParam()[2], bytes)) << start;
    EXPECT_EQ(bytes, kList);
    EXPECT_NE(start.find(GetParam()[1]), std::string::npos) << start;

    std::string report;
    std::vector<std::string> addresses;
    ASSERT_TRUE(ReadHostList(path, report, addresses)) << report;
    EXPECT_EQ(report, "");
    EXPECT_EQ(addresses, (std::vector<std::string>{"02-00-5e-00-00-10", "02-00-5e-00-00-11"}));

    ASSERT_TRUE(platform::WriteFileAtomically(path, "replaced"));
    ASSERT_TRUE(platform::ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes, "replaced");
    EXPECT_TRUE(platform::RemoveFile(path));
    EXPECT_FALSE(platform::ReadWholeFile(path, bytes));
    EXPECT_FALSE(platform::RemoveFile(path));
    EXPECT_FALSE(platform::ReadWholeFile(dir, bytes)) << "a directory is no file";
}

// The name reaches the tool on its command line and comes back in its messages unchanged.
TEST_P(Utf8Names, CliTakesTheNameAsArgument) {
    auto r = test::RunProcess({WAKEBURST_CLI, "check", path});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "02-00-5e-00-00-10\n02-00-5e-00-00-11\n");
    EXPECT_EQ(r.err, "");

    const std::string missing = dir + "/缺少的.mp";
    r = test::RunProcess({WAKEBURST_CLI, "check", missing});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(missing), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\r'), std::string::npos) << "line ends as on every platform";
}

TEST_P(Utf8Names, CliKeepsTheAlarmStoreAndLogInTheDirectory) {
    auto r = test::RunProcess({WAKEBURST_CLI, "alarms", "add", "--dir", dir, "--file", path,
                               "--days", "mon", "--time", "07:30", "--to", "127.0.0.1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = test::RunProcess({WAKEBURST_CLI, "alarms", "--dir", dir});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "1\t-M-----\t07:30\t127.0.0.1\t" + path + "\n");

    r = test::RunProcess({WAKEBURST_CLI, "wake", path, "--to", "127.0.0.1", "--dir", dir});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    std::string log;
    EXPECT_TRUE(platform::ReadWholeFile(dir + "/Dawnly.log", log));
    EXPECT_NE(log.find("\r\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Table, Utf8Names,
                         ::testing::ValuesIn(test::ReadCases("platform/names.cases")),
                         [](const auto& info) { return info.param[0]; });

// Which locale variable decides the language, and which of their values mean English.
TEST(UiLanguage, EveryRowOfTheTable) {
    for (const test::CaseRow& row : test::ReadCases("platform/ui_language.cases")) {
        SCOPED_TRACE(row.where);
        const auto value = [&](std::size_t i) { return row[i] == "-" ? nullptr : row[i].c_str(); };
        const auto got = platform::UiLanguageFromLocale(value(0), value(1), value(2), value(3));
        EXPECT_EQ(got == platform::UiLanguage::English ? "English" : "Chinese", row[4]);
    }
}

// The text rules that the core, the tool and the window share.
TEST(SharedTextRules, EveryRowOfTheTable) {
    for (const test::CaseRow& row : test::ReadCases("platform/text_rules.cases")) {
        SCOPED_TRACE(row.where);
        const std::string& kind = row[0];
        if (kind == "quad") {
            const std::string canonical = platform::CanonicalDottedQuad(row[1]);
            EXPECT_EQ(canonical, row[2] == "none" ? "" : row[2]);
            // A destination is read by the same rule: never as octal, never in short form.
            platform::IpAddress ip;
            const bool v4 = platform::ParseIpAddress(row[1], ip) && !ip.v6;
            EXPECT_EQ(v4 ? platform::FormatIpAddress(ip) : "", canonical);
        } else if (kind == "utf8") {
            EXPECT_EQ(ValidUtf8(row[1]), row[2]);
        } else if (kind == "lower") {
            EXPECT_EQ(AsciiLower(row[1]), row[2]);
        } else {
            ADD_FAILURE() << "unknown kind " << kind;
        }
    }
}

#ifndef _WIN32  // what a save replaces: links, their owners and set-ID bits are POSIX matters
class AtomicSave : public ::testing::TestWithParam<test::CaseRow> {};

TEST_P(AtomicSave, ReplacesTheResolvedTargetAndKeepsTheLink) {
    const test::CaseRow& c = GetParam();
    const std::string &saveAs = c[2], &target = c[3], &link = c[4];
    test::TempDir dir;
    umask(022);  // for the modes of the files made here
    const std::string helpers =
        "as_nobody() { [ \"$(id -u)\" = 0 ] || exit 77; setpriv --reuid=65534 --regid=65534 "
        "--clear-groups \"$@\"; }; give_away() { [ \"$(id -u)\" = 0 ] || exit 77; chown 65534 "
        "\"$@\"; }; old() { for f; do echo stale >\"$f\" && touch -d '2 minutes ago' \"$f\"; "
        "done; }; ";
    const int status = std::system((helpers + "cd '" + dir.Path() + "' && " + c[1]).c_str());
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) GTEST_SKIP() << "needs root";
    ASSERT_EQ(status, 0) << c[1];
    const platform::SaveResult saved = platform::WriteFileAtomically(dir.File(saveAs), "new");

    std::error_code ec;
    EXPECT_EQ(fs::is_symlink(dir.File(saveAs), ec), !link.empty());
    if (!link.empty()) {
        EXPECT_EQ(fs::read_symlink(dir.File(saveAs), ec).string(), link);
    }
    std::vector<std::string> temporaries;
    for (const auto& e : fs::recursive_directory_iterator(dir.Path())) {
        const std::string name = e.path().filename().string();
        if (name.find(".tmp") != std::string::npos) temporaries.push_back(name);
    }
    std::sort(temporaries.begin(), temporaries.end());
    EXPECT_EQ(temporaries, test::TranscriptWords(c[6]));

    if (target.rfind("refused ", 0) == 0) {
        EXPECT_FALSE(saved);
        EXPECT_EQ(saved.refusedLink, dir.File(target.substr(8)));
        for (const auto& e : fs::recursive_directory_iterator(dir.Path())) {
            if (e.is_regular_file()) {
                EXPECT_EQ(test::ReadFileBytes(e.path().string()), "old\n") << e.path();
            }
        }
        return;
    }
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved.refusedLink, "");
    EXPECT_EQ(test::ReadFileBytes(dir.File(target)), "new");
    struct stat st {};
    ASSERT_EQ(stat(dir.File(target).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, std::stoul(c[5], nullptr, 8));
}

INSTANTIATE_TEST_SUITE_P(Table, AtomicSave,
                         ::testing::ValuesIn(test::ReadCases("platform/atomic_save.cases")),
                         [](const auto& info) { return info.param[0]; });
#endif

}  // namespace
}  // namespace wb
