#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

// How a file name, UTF-8 text in memory, reaches the file system, and the reading of whole files.
namespace tes {

// The one conversion between a file name in memory and the file system's own form. Windows' narrow
// file functions would read the name in the ANSI code page, so there it goes through UTF-16.
std::filesystem::path PathFromUtf8(std::string_view path);
std::string Utf8FromPath(const std::filesystem::path& path);

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Opens a file for reading its bytes and gives its size at that moment. Throws Failure: 53 file not
// found, 76 its folder not found, 75 no regular file (a folder, a pipe, a device: refused at once,
// never waited on), 70 no access, ...
FileHandle OpenForReading(const std::string& path, std::uint64_t& size);

// Reads a whole file into memory as bytes. Throws Failure.
std::string ReadFileBytes(const std::string& path);

// Whether a file, not a folder, is there. Never throws: false for a folder, a missing file and a
// name the system cannot take.
bool IsRegularFile(const std::string& path);

} // namespace tes
