// Replays seed inputs through a fuzz target's checks in an ordinary build, so that the corpus
// is a regression test that needs neither clang nor libFuzzer:
//   fuzz_TARGET FILE_OR_DIRECTORY...
// A broken check aborts, naming the input; a directory without inputs is a failure too, so a
// corpus that went missing does not pass as green.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        std::error_code notADirectory;  // then it is an input itself
        for (const auto& entry : fs::directory_iterator(argv[i], notADirectory))
            if (entry.is_regular_file()) inputs.push_back(entry.path());
        if (notADirectory) inputs.emplace_back(argv[i]);
    }
    if (inputs.empty()) {
        std::fprintf(stderr, "no inputs to replay\n");
        return 1;
    }
    std::sort(inputs.begin(), inputs.end());
    for (const fs::path& path : inputs) {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", path.c_str());
            return 1;
        }
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        std::fprintf(stderr, "%s\n", path.c_str());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu inputs replayed\n", inputs.size());
    return 0;
}
