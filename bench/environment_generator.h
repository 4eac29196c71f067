#pragma once

#include <cstdint>
#include <string>

namespace tes::generator {

// A synthetic Tolvane project: a 5 x 5 terrain with grid resolution 3 (coordinates 0 to 3840), a sun
// in the south-east, five vegetation kinds (1 Pine, 2 Birch, 5 Oak Tree, 7 without a name, 12 Fern)
// and `records` environment records spread evenly over the whole terrain.
struct ProjectFiles {
    std::string projectPath;     // base.prj
    std::string environmentPath; // base.txt
    std::uint64_t environmentBytes = 0;
};

// Writes base.prj, base.scn, base.est and base.txt into `folder` (created when missing). The same
// seed always gives the same files, byte for byte, on every platform. Throws std::runtime_error.
ProjectFiles WriteSyntheticProject(const std::string& folder, const std::string& baseName,
                                   std::uint64_t records, std::uint64_t seed);

} // namespace tes::generator
