#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace tes::fuzz {

const std::string& ScratchFolder() {
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "tes-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            Fail("cannot create a scratch folder");
        return pattern;
    }();
    return folder;
}

std::string WriteScratchFile(const std::string& name, std::string_view bytes) {
    const std::string path = ScratchFolder() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

void Fail(const char* what) {
    std::fprintf(stderr, "fuzz property broken: %s\n", what);
    std::abort();
}

} // namespace tes::fuzz
