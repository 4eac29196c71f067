#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace tes::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end. Names
// and paths are UTF-8 text, as in the program.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // A file's path in the folder as UTF-8 text, the form the program keeps paths in.
    std::string file(std::string_view name) const;
    // Writes bytes as they stand (no line-end conversion) and returns the file's path.
    std::string write(std::string_view name, std::string_view bytes) const;
    // The names in the folder, sorted, to see that no temporary file is left behind.
    std::vector<std::string> entries() const;

private:
    std::filesystem::path m_path;
};

std::string ReadBytes(const std::string& path);
// What is left to read of a stream: the version of a file that a reader opened before it was replaced.
std::string ReadRest(std::istream& in);

} // namespace tes::test
