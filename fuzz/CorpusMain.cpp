// Runs a fuzz target's checks over saved inputs, without libFuzzer, so that
// the corpus is part of the ordinary test suite: every argument is a file or a
// folder of files, and every file is one input.

#include "FuzzCheck.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool ReadFile(const fs::path& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE-OR-FOLDER...\n", argv[0]);
        return 2;
    }
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const fs::path argument(argv[i]);
        std::error_code error;
        if (fs::is_directory(argument, error)) {
            for (const auto& entry : fs::directory_iterator(argument, error)) {
                if (entry.is_regular_file() && entry.path().filename().string().front() != '.')
                    inputs.push_back(entry.path());
            }
        } else if (fs::is_regular_file(argument, error)) {
            inputs.push_back(argument);
        }
        if (error) {
            std::fprintf(stderr, "%s: %s\n", argv[i], error.message().c_str());
            return 2;
        }
    }
    // An empty corpus would pass without checking anything.
    if (inputs.empty()) {
        std::fprintf(stderr, "no inputs found\n");
        return 2;
    }
    std::sort(inputs.begin(), inputs.end());

    std::vector<std::uint8_t> bytes;
    for (const fs::path& input : inputs) {
        if (!ReadFile(input, bytes)) {
            std::fprintf(stderr, "%s: cannot read\n", input.string().c_str());
            return 2;
        }
        // Printed first, so that a failing check names its input.
        std::fprintf(stderr, "%s\n", input.string().c_str());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::fprintf(stderr, "%zu inputs passed\n", inputs.size());
    return 0;
}
