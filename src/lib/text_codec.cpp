#include "lib/text_codec.h"

#include "lib/utf8.h"

#include <array>

namespace tes {

namespace {

// Bytes 0x80-0x9F of Windows-1252; the five unassigned bytes stand for the C1 control of their value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t ByteToCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

char CodePointToByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

// Copies runs of ASCII as they stand (the same in both encodings) and converts the rest one
// character at a time.
template <typename ConvertOne>
void AppendConverted(std::string& out, std::string_view text, ConvertOne convertOne) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t run = utf8::AsciiRun(text, pos);
        out.append(text.substr(pos, run));
        pos += run;
        if (pos < text.size())
            convertOne(out, text, pos);
    }
}

} // namespace

void AppendCp1252AsUtf8(std::string& out, std::string_view bytes) {
    AppendConverted(out, bytes, [](std::string& to, std::string_view from, std::size_t& pos) {
        utf8::Append(to, ByteToCodePoint(static_cast<unsigned char>(from[pos++])));
    });
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    AppendCp1252AsUtf8(out, bytes);
    return out;
}

void AppendUtf8AsCp1252(std::string& out, std::string_view text) {
    AppendConverted(out, text, [](std::string& to, std::string_view from, std::size_t& pos) {
        const char32_t cp = utf8::Decode(from, pos);
        to.push_back(cp == utf8::kInvalid ? '?' : CodePointToByte(cp));
    });
}

std::string Utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendUtf8AsCp1252(out, text);
    return out;
}

bool FitsWindows1252(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        pos += utf8::AsciiRun(text, pos);
        if (pos == text.size())
            return true;
        const char32_t cp = utf8::Decode(text, pos);
        if (cp == utf8::kInvalid || CodePointToByte(cp) == '?')
            return false;
    }
    return true;
}

bool IsAscii(std::string_view bytes) {
    return utf8::AsciiRun(bytes, 0) == bytes.size();
}

} // namespace tes
