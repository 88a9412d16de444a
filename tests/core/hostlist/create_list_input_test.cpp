#include <gtest/gtest.h>

#include "hostlist/create_list_input.h"

namespace wb {
namespace {

struct NameCase {
    const char* typed;
    const char* saved;
};

class FileNameRules : public ::testing::TestWithParam<NameCase> {};

TEST_P(FileNameRules, AppendsExtensionOnlyWhenMissing) {
    EXPECT_EQ(HostListFileName(GetParam().typed), GetParam().saved);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FileNameRules,
    ::testing::Values(NameCase{"", "新建组.mp"}, NameCase{"hosts", "hosts.mp"},
                      NameCase{"Hosts.MP", "Hosts.MP"}, NameCase{"LIST.MP", "LIST.MP"},
                      NameCase{"x.mp.bak", "x.mp.bak"}, NameCase{"a.mp.txt", "a.mp.txt"},
                      NameCase{"hosts.Mp", "hosts.Mp"}, NameCase{"机房", "机房.mp"},
                      NameCase{"sub/dir/lab", "sub/dir/lab.mp"}, NameCase{"mp", "mp.mp"}));

struct MaskCase {
    MaskFields fields;
    bool valid;
    const char* text;  // the mask text built from the fields as typed
};

class MaskRules : public ::testing::TestWithParam<MaskCase> {};

TEST_P(MaskRules, ValidatesAndJoinsAsTyped) {
    std::string reason;
    EXPECT_EQ(ValidateMaskFields(GetParam().fields, reason), GetParam().valid) << reason;
    EXPECT_EQ(reason.empty(), GetParam().valid);
    EXPECT_EQ(BuildMaskText(GetParam().fields), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MaskRules,
    ::testing::Values(
        MaskCase{{"255", "255", "255", "0"}, true, "255.255.255.0"},
        MaskCase{{"255", "255", "255", "254"}, true, "255.255.255.254"},
        MaskCase{{"255", "255", "255", "255"}, false, "255.255.255.255"},
        MaskCase{{"255", "255", "255", "010"}, true, "255.255.255.010"},
        MaskCase{{"256", "255", "255", "0"}, false, "256.255.255.0"},
        MaskCase{{"255", "", "255", "0"}, false, "255..255.0"},
        MaskCase{{"255", "-1", "255", "0"}, false, "255.-1.255.0"},
        MaskCase{{"255", "255", "0x1", "0"}, false, "255.255.0x1.0"},
        MaskCase{{"255", "255", " 1", "0"}, false, "255.255. 1.0"},
        MaskCase{{"99999999999999999999", "0", "0", "0"}, false, "99999999999999999999.0.0.0"},
        MaskCase{{"0", "0", "0", "0"}, true, "0.0.0.0"}));

TEST(MaskRules, ReasonNamesTheField) {
    std::string reason;
    ASSERT_FALSE(ValidateMaskFields({"255", "255", "255", "255"}, reason));
    EXPECT_EQ(reason, "mask part 4 must be an integer from 0 to 254, not '255'");
}

struct SplitCase {
    const char* text;
    bool ok;
    MaskFields fields;
};

class MaskSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(MaskSplit, NeedsFourParts) {
    MaskFields fields;
    ASSERT_EQ(SplitMaskText(GetParam().text, fields), GetParam().ok);
    if (GetParam().ok) {
        EXPECT_EQ(fields, GetParam().fields);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, MaskSplit,
    ::testing::Values(SplitCase{"255.255.255.0", true, {"255", "255", "255", "0"}},
                      SplitCase{"1..2.3", true, {"1", "", "2", "3"}},
                      SplitCase{"255.255.255", false, {}}, SplitCase{"1.2.3.4.5", false, {}},
                      SplitCase{"", false, {}}));

}  // namespace
}  // namespace wb
