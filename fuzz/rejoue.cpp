// Without libFuzzer: runs a target once on each file given, or on each file of
// each folder given, as the fuzzer runs an input. ctest runs every target so
// on tests/data, where the inputs that once made a target fail are kept.
#include <QCoreApplication>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::filesystem::path> fichiers;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path p(argv[i]);
        if (std::filesystem::is_directory(p)) {
            for (const auto& e : std::filesystem::directory_iterator(p))
                if (e.is_regular_file()) fichiers.push_back(e.path());
        } else {
            fichiers.push_back(p);
        }
    }
    for (const auto& f : fichiers) {
        std::ifstream in(f, std::ios::binary);
        const std::string octets{std::istreambuf_iterator<char>(in), {}};
        if (!in.good() && !in.eof()) {
            std::fprintf(stderr, "illisible : %s\n", f.c_str());
            return 1;
        }
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(octets.data()), octets.size());
    }
    std::printf("%zu entrées rejouées\n", fichiers.size());
    return 0;
}
