// What a save replaces when the name is a symbolic link or the old file carries set-ID
// bits. POSIX only: links and set-ID bits are POSIX matters.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/atomic_file.h"
#include "support/temp_dir.h"

namespace wb {
namespace {

namespace fs = std::filesystem;

struct SaveCase {
    const char* name;
    const char* setup;   // shell, run in the directory before the save
    const char* saveAs;  // the name the save is given
    const char* target;  // where the bytes must land
    const char* link;    // what `saveAs` must still point to afterwards, or "" for no link
    mode_t mode;         // the target's permission bits afterwards
};

class AtomicSave : public ::testing::TestWithParam<SaveCase> {};

TEST_P(AtomicSave, ReplacesTheResolvedTargetAndKeepsTheLink) {
    const SaveCase& c = GetParam();
    test::TempDir dir;
    umask(022);  // for the modes of the files made here
    ASSERT_EQ(std::system(("cd '" + dir.Path() + "' && " + c.setup).c_str()), 0);
    ASSERT_TRUE(platform::WriteFileAtomically(dir.File(c.saveAs), "new"));

    EXPECT_EQ(test::ReadFileBytes(dir.File(c.target)), "new");
    std::error_code ec;
    const fs::path saved = dir.File(c.saveAs);
    EXPECT_EQ(fs::is_symlink(saved, ec), *c.link != '\0');
    if (*c.link) {
        EXPECT_EQ(fs::read_symlink(saved, ec).string(), c.link);
    }
    struct stat st {};
    ASSERT_EQ(stat(dir.File(c.target).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, c.mode);
    // No temporary file stays behind, wherever the target lies.
    for (const auto& e : fs::recursive_directory_iterator(dir.Path()))
        EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
}

INSTANTIATE_TEST_SUITE_P(
    Table, AtomicSave,
    ::testing::Values(SaveCase{"RelativeLink",
                               "echo old >real.mp && chmod 640 real.mp && ln -s real.mp l.mp",
                               "l.mp", "real.mp", "real.mp", 0640},
                      SaveCase{"ChainIntoAnotherDirectory",
                               "mkdir sub && echo old >sub/real && ln -s sub/real b && ln -s b a",
                               "a", "sub/real", "b", 0644},
                      SaveCase{"DanglingLinkCreatesItsTarget", "ln -s made.mp l.mp", "l.mp",
                               "made.mp", "made.mp", 0644},
                      SaveCase{"SetIdBitsAreNotCarriedOver", "echo old >f.mp && chmod 6755 f.mp",
                               "f.mp", "f.mp", "", 0755},
                      SaveCase{"NorThroughALink",
                               "echo old >f.mp && chmod 2775 f.mp && ln -s f.mp l.mp", "l.mp",
                               "f.mp", "f.mp", 0775}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wb
