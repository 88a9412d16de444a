// What a save replaces when the name is a symbolic link or the old file carries set-ID
// bits. POSIX only: links and set-ID bits are POSIX matters.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/atomic_file.h"
#include "support/case_file.h"
#include "support/temp_dir.h"

namespace wb {
namespace {

namespace fs = std::filesystem;

class AtomicSave : public ::testing::TestWithParam<test::CaseRow> {};

TEST_P(AtomicSave, ReplacesTheResolvedTargetAndKeepsTheLink) {
    const test::CaseRow& c = GetParam();
    const std::string &saveAs = c[2], &target = c[3], &link = c[4];
    test::TempDir dir;
    umask(022);  // for the modes of the files made here
    ASSERT_EQ(std::system(("cd '" + dir.Path() + "' && " + c[1]).c_str()), 0);
    ASSERT_TRUE(platform::WriteFileAtomically(dir.File(saveAs), "new"));

    EXPECT_EQ(test::ReadFileBytes(dir.File(target)), "new");
    std::error_code ec;
    EXPECT_EQ(fs::is_symlink(dir.File(saveAs), ec), !link.empty());
    if (!link.empty()) {
        EXPECT_EQ(fs::read_symlink(dir.File(saveAs), ec).string(), link);
    }
    struct stat st {};
    ASSERT_EQ(stat(dir.File(target).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, std::stoul(c[5], nullptr, 8));
    // No temporary file stays behind, wherever the target lies.
    for (const auto& e : fs::recursive_directory_iterator(dir.Path()))
        EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
}

INSTANTIATE_TEST_SUITE_P(Table, AtomicSave,
                         ::testing::ValuesIn(test::ReadCases("platform/atomic_save.cases")),
                         [](const auto& info) { return info.param[0]; });

}  // namespace
}  // namespace wb
