// Runs a fuzz target once on every file of the folders (or files) named on
// the command line, for builds without libFuzzer. A crash or a sanitizer
// report fails the run; the name of each input is printed before it runs.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

int RunOne(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << path << '\n';
        return 1;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    std::cout << path.string() << std::endl;
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path named(argv[i]);
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(named)) {
            for (const auto& entry : std::filesystem::directory_iterator(named)) {
                files.push_back(entry.path());
            }
        } else {
            files.push_back(named);
        }
        for (const auto& file : files) {
            if (RunOne(file) != 0) {
                return 1;
            }
            ++inputs;
        }
    }
    if (inputs == 0) {
        std::cerr << "no inputs\n";
        return 1;
    }
    return 0;
}
