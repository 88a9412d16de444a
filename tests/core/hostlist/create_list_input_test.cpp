#include <gtest/gtest.h>

#include "hostlist/create_list_input.h"
#include "support/case_file.h"

namespace wb {
namespace {

TEST(CreateListInput, EveryRowOfTheTable) {
    for (const test::CaseRow& row : test::ReadCases("hostlist/create_input.cases")) {
        SCOPED_TRACE(row.where);
        MaskFields fields;
        if (row[0] == "name") {
            EXPECT_EQ(HostListFileName(row[1]), row[2]);
        } else if (row[0] == "split") {
            const bool split = SplitMaskText(row[1], fields);
            EXPECT_EQ(split, row[2] != "no");
            if (split) {
                EXPECT_EQ(fields[0] + "," + fields[1] + "," + fields[2] + "," + fields[3], row[2]);
            }
        } else {
            ASSERT_TRUE(SplitMaskText(row[1], fields));
            std::string reason;
            EXPECT_EQ(ValidateMaskFields(fields, reason), row[2] == "yes") << reason;
            EXPECT_EQ(reason.empty(), row[2] == "yes");
            if (row[2] != "yes" && row[2] != "no") {
                EXPECT_EQ(reason, row[2]);
            }
            EXPECT_EQ(BuildMaskText(fields), row[1]);
        }
    }
}

}  // namespace
}  // namespace wb
