#include "lab/lab_fixture.h"

#include <csignal>
#include <cstdlib>

namespace wb::test {

bool LabFixture::s_withSink = false;
LabOptions LabFixture::s_options;
std::unique_ptr<LabNetwork> LabFixture::s_lab;
std::string LabFixture::s_error;
std::string LabFixture::s_skip;

namespace {

// A test killed by a signal still removes its namespaces.
void OnSignal(int sig) {
    std::signal(sig, SIG_DFL);
    std::exit(128 + sig);
}

}  // namespace

void LabFixture::SetUpTestSuite() {
    if (!LabNetwork::CanRun(s_skip)) return;
    for (int sig : {SIGINT, SIGTERM, SIGHUP})
        std::signal(sig, OnSignal);
    s_lab = std::make_unique<LabNetwork>();
    static bool registered = false;
    if (!registered) {
        registered = true;
        std::atexit([] {
            if (s_lab) s_lab->Down();
        });
    }
    LabOptions options = s_options;
    options.sink = options.sink || s_withSink;
    if (!s_lab->Up(s_error, options)) s_lab->Down();
}

void LabFixture::TearDownTestSuite() {
    if (s_lab) s_lab->Down();
    s_lab.reset();
}

void LabFixture::SetUp() {
    if (!s_skip.empty()) GTEST_SKIP() << s_skip;
    ASSERT_TRUE(s_error.empty()) << "lab not built: " << s_error;
    ASSERT_TRUE(s_lab);
    s_lab->ClearReceived();
}

}  // namespace wb::test
