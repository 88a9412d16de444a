#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "lab/lab_network.h"

namespace wb::test {

// A wake-up frame as the recorder prints it, for an Ethernet address with or without hyphens.
inline std::string FrameHex(const std::string& ethernet) {
    std::string mac, hex = "ffffffffffff";
    for (char c : ethernet)
        if (c != '-') mac += c;
    for (int i = 0; i < 16; ++i)
        hex += mac;
    return hex;
}

// One lab for all tests of a suite. Without root the tests skip; with root a lab that
// cannot be built fails them.
class LabFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    // Suites that count polls set this before their first test runs.
    static bool s_withSink;
    // Suites that need more of the lab (LabOptions) set this the same way.
    static LabOptions s_options;
    static std::unique_ptr<LabNetwork> s_lab;
    static std::string s_error;
    static std::string s_skip;

    LabNetwork& Lab() { return *s_lab; }
};

}  // namespace wb::test
