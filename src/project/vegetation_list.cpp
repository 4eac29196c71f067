#include "project/vegetation_list.h"

#include "lib/failure.h"
#include "lib/fields.h"
#include "lib/ini.h"
#include "lib/numbers.h"
#include "project/reader_step.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <new>
#include <optional>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

namespace tes {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsOctalDigit(char c) {
    return c >= '0' && c <= '7';
}
bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::size_t SkipWhile(std::string_view s, std::size_t i, bool (*accept)(char)) {
    while (i < s.size() && accept(s[i]))
        ++i;
    return i;
}

bool IsPrefixedWholeNumber(std::string_view s) {
    if (s.size() < 3 || s[0] != '&')
        return false;
    const char kind = s[1];
    bool (*digit)(char) = kind == 'H' || kind == 'h'   ? IsHexDigit
                          : kind == 'O' || kind == 'o' ? IsOctalDigit
                                                       : nullptr;
    return digit && SkipWhile(s, 2, digit) == s.size();
}

bool IsDecimalNumber(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    const std::size_t intEnd = SkipWhile(s, i, IsDigit);
    std::size_t digits = intEnd - i;
    i = intEnd;
    if (i < s.size() && s[i] == '.') {
        const std::size_t fracEnd = SkipWhile(s, i + 1, IsDigit);
        digits += fracEnd - (i + 1);
        i = fracEnd;
    }
    if (digits == 0)
        return false;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        const std::size_t expEnd = SkipWhile(s, i, IsDigit);
        if (expEnd == i)
            return false;
        i = expEnd;
    }
    return i == s.size();
}

// Field 0 is short: a plain loop finds its end faster than a library search.
std::string_view FirstField(std::string_view line) {
    std::size_t end = 0;
    while (end < line.size() && line[end] != ',')
        ++end;
    return line.substr(0, end);
}

// Upper-case key of a vegetation number: ASCII is folded in place, other text by the full mapping.
void FoldCase(std::string_view text, std::string& key) {
    key.assign(text);
    for (char& c : key) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            key = UpperCase(text);
            return;
        }
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
}

struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};
using TextSet = std::unordered_set<std::string, TextHash, std::equal_to<>>;

// The raw texts already met. A file names only a handful of kinds, written with a few characters:
// the first sixteen texts of up to seven bytes are kept packed into integers and compared all at
// once; other texts go to a hash set.
class SeenTexts {
public:
    SeenTexts() { m_packed.fill(kUnused); }

    // True when the text was met before; otherwise remembers it.
    bool checkAndAdd(std::string_view text) {
        if (text.size() <= kMaxPackedSize) {
            const std::uint64_t packed = Pack(text);
            bool seen = false;
            for (const std::uint64_t known : m_packed)
                seen |= known == packed;
            if (seen)
                return true;
            if (m_packedCount < m_packed.size()) {
                m_packed[m_packedCount++] = packed;
                return false;
            }
        }
        return !m_more.emplace(text).second;
    }

private:
    static constexpr std::size_t kMaxPackedSize = 7;
    static constexpr std::uint64_t kUnused =
        ~std::uint64_t{0}; // no text packs to this: its length byte is 255

    // The bytes of the text, and its length in the top byte.
    static std::uint64_t Pack(std::string_view text) {
        std::uint64_t packed = 0;
        if (!text.empty()) // an empty view may hold no pointer at all
            std::memcpy(&packed, text.data(), text.size());
        return packed | (std::uint64_t{text.size()} << 56);
    }

    std::array<std::uint64_t, 16> m_packed;
    std::size_t m_packedCount = 0;
    TextSet m_more;
};

// Field 0 of every line: each exact text once, and each text once with letter case ignored (the
// first spelling kept), both in the order first met.
struct DistinctTexts {
    std::vector<std::string> exact;
    std::vector<std::string> folded;
};

DistinctTexts DistinctVegetationNumbers(const LineList& list1) {
    DistinctTexts distinct;
    SeenTexts seenExactly; // most lines repeat a text already met: no case folding for them
    TextSet seenFolded;
    std::string key;
    for (std::size_t row = 0; row < list1.size(); ++row) {
        const std::string_view value = FirstField(list1[row]);
        if (seenExactly.checkAndAdd(value))
            continue;
        distinct.exact.emplace_back(value);
        FoldCase(value, key);
        if (seenFolded.insert(key).second)
            distinct.folded.emplace_back(value);
    }
    return distinct;
}

// The List3 form of a vegetation number: a number with at least two digits, other text unchanged.
std::string TwoDigitForm(const std::string& value) {
    return IsNumericText(value) ? FormatPattern(LeadingNumberValue(value), "00") : value;
}

// The number of the kind a text of field 0 belongs to: the listed form's value without leading zeros.
// None for a number beyond the double range, which names no section.
std::optional<std::string> KindNumberOf(const std::string& text) {
    const double value = LeadingNumberValue(TwoDigitForm(text));
    if (!std::isfinite(value))
        return std::nullopt;
    return DecimalText(value);
}

// Ascending as text, letter case ignored; equal items keep their order.
std::vector<std::string> SortedAsText(const std::vector<std::string>& values) {
    std::vector<std::pair<std::string, std::string>> keyed; // upper-case key, item
    keyed.reserve(values.size());
    for (const std::string& value : values) {
        std::string item = TwoDigitForm(value);
        keyed.emplace_back(UpperCase(item), std::move(item));
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> items;
    items.reserve(keyed.size());
    for (auto& entry : keyed)
        items.push_back(std::move(entry.second));
    return items;
}

std::size_t KindIndex(std::vector<VegetationKind>& kinds, const std::string& number) {
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        if (kinds[i].number == number)
            return i;
    }
    kinds.push_back({number, {}, {}});
    return kinds.size() - 1;
}

// Each listed text with its kind and the kind's name, then each kind's texts as written. A listed
// text that names no section (a number beyond the double range) ends the routine with a failure; the
// texts listed before it keep their kinds.
void FillVegetationKinds(const LineList& records, const std::string& definitionsPath, VegetationKinds& kinds,
                         Messages& messages) {
    const DistinctTexts distinct = DistinctVegetationNumbers(records);
    kinds.listed = SortedAsText(distinct.folded);
    std::vector<bool> named;
    for (const std::string& item : kinds.listed) {
        const std::string number = DecimalText(checkedFinite(LeadingNumberValue(item)));
        const std::size_t kind = KindIndex(kinds.kinds, number);
        kinds.listedKind.push_back(kind);
        // Each listed text looks its name up, as the list is filled one entry at a time.
        std::string name = GetINIString("Vegetation_" + number, "Name", definitionsPath, messages);
        named.resize(kinds.kinds.size());
        if (!named[kind])
            kinds.kinds[kind].name = std::move(name);
        named[kind] = true;
    }
    for (const std::string& text : distinct.exact) {
        if (const std::optional<std::string> number = KindNumberOf(text))
            kinds.kinds[KindIndex(kinds.kinds, *number)].texts.push_back(text);
    }
}

} // namespace

std::string VegetationEntry(const VegetationKind& kind) {
    return "Vegetation_" + kind.number + ":  " + kind.name;
}

std::vector<std::string> VegetationEntries(const VegetationKinds& kinds) {
    std::vector<std::string> entries;
    entries.reserve(kinds.listedKind.size());
    for (const std::size_t kind : kinds.listedKind)
        entries.push_back(VegetationEntry(kinds.kinds[kind]));
    return entries;
}

bool IsNumericText(std::string_view text) {
    const std::size_t begin = SkipWhile(text, 0, IsBlank);
    std::size_t end = text.size();
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    const std::string_view number = text.substr(begin, end - begin);
    if (!IsPrefixedWholeNumber(number) && !IsDecimalNumber(number))
        return false;
    return std::isfinite(LeadingNumberValue(number));
}

VegetationKinds ReadVegetationKinds(const LineList& records, const std::string& definitionsPath,
                                    Messages& messages) {
    VegetationKinds kinds;
    try {
        FillVegetationKinds(records, definitionsPath, kinds, messages);
    } catch (const Failure& failure) {
        messages.push_back(ReaderFailure(ReaderStep::VegetationKinds, failure));
    } catch (const std::bad_alloc&) {
        messages.push_back(ReaderFailure(ReaderStep::VegetationKinds, failures::outOfMemory()));
    }
    return kinds;
}

} // namespace tes
