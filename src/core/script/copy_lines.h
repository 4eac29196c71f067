#pragma once

#include "lib/line_list.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tes {

// The pieces of an object's lines that do not change from record to record, worked out once so the
// record loop only appends.
struct ObjectNames {
    std::string path;         // $Tree or $'Oak Tree'
    std::string copyHead;     // copy $Tree isSelected:on name:"Tree
    std::string copyPathHead; // $Tree or $'Oak Tree (the copy number follows)
    std::string copyPathTail; // .pos = [ or '.pos = [
};

// `instances`: the copies share the object's geometry ("instance" in place of "copy").
ObjectNames MakeObjectNames(const std::string& name, bool instances);

// The copy number as "00" (at least two digits), counted in its text so that a million copies cost no
// conversions.
class CopyNumber {
public:
    CopyNumber() { m_digits.fill('0'); }

    std::string_view text() const { return {m_digits.data() + m_begin, m_digits.size() - m_begin}; }
    void increment() {
        std::size_t i = m_digits.size();
        while (i > m_begin && m_digits[i - 1] == '9')
            m_digits[--i] = '0';
        if (i > m_begin)
            ++m_digits[i - 1];
        else
            m_digits[--m_begin] = '1';
    }

private:
    std::array<char, 22> m_digits;
    std::size_t m_begin = 20; // the last two digits: "00"
};

// Appends the three lines of a copy: the copy itself, its move to `position` ("X,Y,Z]") and a blank
// line.
void AppendCopyLines(LineList& lines, const ObjectNames& names, std::string_view copyNumber,
                     std::string_view position);

} // namespace tes
