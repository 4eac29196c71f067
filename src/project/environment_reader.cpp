#include "project/environment_reader.h"

#include "lib/failure.h"
#include "lib/fields.h"
#include "lib/line_reader.h"
#include "project/field_number.h"

#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <string_view>

namespace tes {

namespace {

constexpr std::uint64_t kProgressStep = 4u << 20; // report every 4 MB read

// Whether field 3 (z) of a record whose field 1 ends at `p` lies in [low, high]; a missing field
// reads 0.
bool ZWithin(const char* p, const char* end, double low, double high) {
    const void* afterHeight =
        p == end ? nullptr : std::memchr(p + 1, ',', static_cast<std::size_t>(end - p - 1));
    if (afterHeight == nullptr)
        return low <= 0 && 0 <= high;
    p = static_cast<const char*>(afterHeight) + 1;
    return NextFieldWithin(p, end, low, high);
}

// A wide overlap keeps nearly every record. Room for the whole file is reserved up front so the list
// is never copied while it grows, which would hold it twice for a moment; pages that are never
// written cost no memory. Lines are rarely shorter than 16 bytes; should they be, the list grows.
void ReserveForWholeFile(LineList& list, std::vector<std::uint32_t>* lineNumbers, std::uint64_t fileSize) {
    constexpr std::uint64_t kShortLine = 16;
    try {
        list.reserve(static_cast<std::size_t>(fileSize / kShortLine), static_cast<std::size_t>(fileSize));
        if (lineNumbers)
            lineNumbers->reserve(static_cast<std::size_t>(fileSize / kShortLine));
    } catch (const std::bad_alloc&) {
        // Not enough address space for the whole file: grow as the kept lines need.
    } catch (const std::length_error&) {
    }
}

} // namespace

void ReadTileRecords(const std::string& path, double low, double high, LineList& records, Progress& progress,
                     std::vector<std::uint32_t>* lineNumbers) {
    ProgressScope shown(progress, "Reading " + GetFileNameFromPath(path));
    LineReader reader(LineBreaks::CrLfOrLf, /*skipBom=*/true);
    reader.open(path);
    ReserveForWholeFile(records, lineNumbers, reader.fileSize());
    std::uint64_t nextReport = kProgressStep;
    std::string decoded;
    std::string_view line;
    std::uint64_t lineNumber = 0;
    while (reader.next(line)) {
        ++lineNumber;
        if (reader.bytesConsumed() >= nextReport) {
            nextReport = reader.bytesConsumed() + kProgressStep;
            if (!shown.report(reader.bytesConsumed(), reader.fileSize()))
                throw failures::cancelled();
        }
        const void* comma = std::memchr(line.data(), ',', line.size());
        if (!comma)
            continue; // blank lines and headings are no records
        const char* const end = line.data() + line.size();
        const char* p = static_cast<const char*>(comma) + 1;
        if (!NextFieldWithin(p, end, low, high) || !ZWithin(p, end, low, high))
            continue;
        if (lineNumbers) {
            if (lineNumber > std::numeric_limits<std::uint32_t>::max()) [[unlikely]]
                throw failures::overflow();
            lineNumbers->push_back(static_cast<std::uint32_t>(lineNumber));
        }
        if (reader.needsDecoding()) {
            decoded.clear();
            reader.appendDecoded(decoded, line);
            records.append(decoded);
        } else {
            records.append(line);
        }
    }
    reader.close();
}

} // namespace tes
