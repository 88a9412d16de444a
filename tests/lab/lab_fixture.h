#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "lab/lab_network.h"

namespace wb::test {

// One lab for all tests of a suite. Without root the tests skip; with root a lab that
// cannot be built fails them.
class LabFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    // Suites that count polls set this before their first test runs.
    static bool s_withSink;
    static std::unique_ptr<LabNetwork> s_lab;
    static std::string s_error;
    static std::string s_skip;

    LabNetwork& Lab() { return *s_lab; }
};

}  // namespace wb::test
