#pragma once

#include "core/record_deflate.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

// One zlib stream (deflate with the zlib header) fed in blocks of records, made by zlib or by the
// point cache's own deflate (core/record_deflate.h). Both streams inflate to the same bytes.
namespace tes {

class DeflatePipe {
public:
    // Receives the compressed bytes in order; may throw (a full disk), which stops the stream.
    using Sink = std::function<void(std::string_view)>;

    // The blocks hold `blockBytes` each and are made of records of `recordBytes`. A `level` of 0 to 9
    // has zlib compress them at that level; -1 matches each record against the one before it, several
    // times quicker for point caches (docs/performance.md). Throws Failure when zlib cannot start.
    DeflatePipe(int level, Sink sink, std::size_t blockBytes, std::size_t recordBytes);
    ~DeflatePipe();
    DeflatePipe(const DeflatePipe&) = delete;
    DeflatePipe& operator=(const DeflatePipe&) = delete;

    // The room to pack the next block into (`blockBytes` of it); push() compresses its first `used`
    // bytes. Both throw what the sink or zlib threw.
    char* room() { return m_block.data(); }
    std::size_t blockBytes() const { return m_block.size(); }
    void push(std::size_t used) { compress(m_block.data(), used, false); }
    // Compresses the last `used` bytes of room() and ends the stream.
    void finish(std::size_t used) { compress(m_block.data(), used, true); }

private:
    struct Stream;
    void compress(const char* bytes, std::size_t used, bool last);

    std::unique_ptr<Stream> m_stream;          // zlib's, or
    std::unique_ptr<RecordDeflater> m_records; // the records' own
    Sink m_sink;
    std::vector<char> m_block; // filled by the caller
    std::vector<char> m_output;
};

} // namespace tes
