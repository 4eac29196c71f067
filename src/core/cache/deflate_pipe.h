#pragma once

#include "core/cache/record_deflate.h"

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

// One zlib stream (deflate with the zlib header) fed in blocks of records, made by zlib or by the
// point cache's own deflate (core/cache/record_deflate.h). Both streams inflate to the same bytes.
// Compressing a point cache costs about as much as working out its particles, so a stream of more than one
// block may be compressed on a thread of its own while the next block is packed (docs/performance.md).
namespace tes {

class DeflatePipe {
public:
    // Receives the compressed bytes in order; may throw (a full disk), which stops the stream.
    using Sink = std::function<void(std::string_view)>;

    // The blocks hold `blockBytes` each and are made of records of `recordBytes`. A `level` of 0 to 9
    // has zlib compress them at that level; -1 matches each record against the one before it, several
    // times quicker for point caches (docs/performance.md). With `ownThread` the blocks from the first
    // push() on are compressed and handed to the sink on a second thread. Throws Failure when zlib
    // cannot start.
    DeflatePipe(int level, Sink sink, bool ownThread, std::size_t blockBytes, std::size_t recordBytes);
    // Without finish() (a cancel, a failure) the stream is dropped unfinished.
    ~DeflatePipe();
    DeflatePipe(const DeflatePipe&) = delete;
    DeflatePipe& operator=(const DeflatePipe&) = delete;

    // The room to pack the next block into (`blockBytes` of it); push() takes its first `used` bytes
    // and gives back room for the next one. Both throw what the sink or zlib threw.
    char* room() { return m_block.data(); }
    std::size_t blockBytes() const { return m_block.size(); }
    void push(std::size_t used) { hand(used, false); }
    // Compresses the last `used` bytes of room(), ends the stream and waits for the sink.
    void finish(std::size_t used) { hand(used, true); }

private:
    struct Stream;
    void hand(std::size_t used, bool last);
    void compress(const char* bytes, std::size_t used, bool last);
    void work(std::size_t blockBytes);

    std::unique_ptr<Stream> m_stream;          // zlib's, or
    std::unique_ptr<RecordDeflater> m_records; // the records' own
    Sink m_sink;
    std::vector<char> m_block; // filled by the caller
    std::vector<char> m_output;
    // The second thread's side: one block waiting for it, and what stopped it.
    bool m_ownThread;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<char> m_waiting; // a block handed over, or free room once the thread has taken it
    std::size_t m_waitingUsed = 0;
    bool m_waitingLast = false;
    bool m_hasWaiting = false;
    bool m_done = false; // the last block is compressed
    bool m_quit = false;
    std::exception_ptr m_failure;
    std::thread m_thread;
};

} // namespace tes
