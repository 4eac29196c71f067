// The INI lookup on arbitrary bytes: the first line names the section and key to look up, the rest
// is the file. A value found is never longer than the file, and the whole routine never fails on a file.
#include "fuzz_support.h"
#include "lib/ini.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = tes::fuzz::AsText(data, size);
    const std::size_t firstBreak = text.find('\n');
    const std::string_view request = text.substr(0, firstBreak);
    const std::string_view file = firstBreak == std::string_view::npos ? "" : text.substr(firstBreak + 1);
    const std::size_t equals = request.find('=');
    const std::string_view section = request.substr(0, equals);
    const std::string_view key = equals == std::string_view::npos ? "Name" : request.substr(equals + 1);

    std::string value;
    if (tes::LookupIniValue(file, section, key, value) && value.size() > file.size())
        tes::fuzz::Fail("a value comes out of the file");

    const std::string path = tes::fuzz::WriteScratchFile("fuzz.ini", file);
    tes::Messages messages;
    const std::string read = tes::GetINIString(section, key, path, messages);
    if (read.size() > 254 * 3)
        tes::fuzz::Fail("at most 254 characters are read");
    if (!messages.empty())
        tes::fuzz::Fail("a readable file never gives a failure message");
    return 0;
}
