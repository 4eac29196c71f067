// Runs a fuzz target without libFuzzer: every file of its seed corpus, then a few thousand inputs
// made by mutating the seeds with a fixed seed, so `make test` exercises each target in seconds.
// The real fuzzing run (`make fuzz`) links libFuzzer instead of this file.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::string> ReadCorpus(const char* folder) {
    std::vector<std::string> seeds;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::sort(seeds.begin(), seeds.end());
    if (seeds.empty())
        seeds.emplace_back();
    return seeds;
}

std::string Mutate(std::string input, std::mt19937& rng) {
    static const char kInteresting[] = ",\r\n\\/.:;=[]\"'*?&HEe-+0123456789 \t\x00\xff";
    std::uniform_int_distribution<int> what(0, 5);
    const int steps = 1 + static_cast<int>(rng() % 8);
    for (int s = 0; s < steps; ++s) {
        const std::size_t pos = input.empty() ? 0 : rng() % (input.size() + 1);
        switch (what(rng)) {
        case 0:
            input.insert(pos, 1, static_cast<char>(rng()));
            break;
        case 1:
            input.insert(pos, 1, kInteresting[rng() % (sizeof kInteresting - 1)]);
            break;
        case 2:
            if (!input.empty() && pos < input.size())
                input.erase(pos, 1 + rng() % 4);
            break;
        case 3:
            if (!input.empty() && pos < input.size())
                input[pos] = static_cast<char>(rng());
            break;
        case 4:
            if (!input.empty())
                input.insert(pos, input.substr(rng() % input.size(), 1 + rng() % 16));
            break;
        default:
            if (pos < input.size())
                input.resize(pos);
            break;
        }
    }
    return input;
}

void Run(const std::string& input) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER [RUNS]\n", argv[0]);
        return 2;
    }
    const std::vector<std::string> seeds = ReadCorpus(argv[1]);
    const long runs = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 2000;
    for (const std::string& seed : seeds)
        Run(seed);
    std::mt19937 rng(20261207);
    for (long i = 0; i < runs; ++i)
        Run(Mutate(seeds[static_cast<std::size_t>(i) % seeds.size()], rng));
    std::printf("%zu seeds and %ld mutated inputs ran without a finding\n", seeds.size(), runs);
    return 0;
}
