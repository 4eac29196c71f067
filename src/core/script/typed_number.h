#pragma once

#include "lib/numbers.h"

#include <string>
#include <utility>

namespace tes {

// A number the script writes exactly as the user typed it: the text, and its value by the
// leading-number rule, read once where the text is given, so the two always agree.
class TypedNumber {
public:
    TypedNumber(std::string typed) : m_text(std::move(typed)), m_value(LeadingNumberValue(m_text)) {}
    TypedNumber(const char* typed) : TypedNumber(std::string(typed)) {}
    const std::string& text() const { return m_text; }
    double value() const { return m_value; } // infinite or NaN as the text gives it: the build refuses it
private:
    std::string m_text;
    double m_value;
};

} // namespace tes
