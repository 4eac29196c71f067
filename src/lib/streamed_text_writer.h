#pragma once

#include "lib/atomic_file.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace tes {

// Writes a text file while its lines are still being produced. The lines gather in large chunks in
// the file's encoding (Windows-1252, each ended by CR LF), and a thread of its own hands every full
// chunk to an AtomicTextWriter, so the copy into the file overlaps the work that produces the lines.
// The file replaces its target only at commit(); without it (a failure, a cancel) the target stays
// as it was and no temporary file is left.
//
// A failure of the file (it cannot be created, the disk is full) is kept and thrown by commit(): the
// producer finishes its own work first and reports its own failure, if it has one, instead.
//
// The thread also has the system start writing each chunk to the disk once it is in the file, so
// that the flush to the disk at commit() has little left to wait for.
class StreamedTextWriter {
public:
    // How the lines' text is written: Windows-1252, or UTF-8 behind a byte-order mark.
    enum class Encoding { Windows1252, Utf8WithBom };

    // `byteLimit` as for AtomicTextWriter: past it the file fails as on a full disk.
    explicit StreamedTextWriter(std::string targetPath, std::uint64_t byteLimit = kNoByteLimit,
                                Encoding encoding = Encoding::Windows1252);
    ~StreamedTextWriter();
    StreamedTextWriter(const StreamedTextWriter&) = delete;
    StreamedTextWriter& operator=(const StreamedTextWriter&) = delete;

    // A line of UTF-8 text.
    void writeLine(std::string_view utf8Line);
    // A line known to be plain ASCII, the same bytes in every encoding.
    void writeAsciiLine(std::string_view line) {
        if (m_used + line.size() + 2 > m_chunk.size())
            makeRoom(line.size() + 2);
        if (!line.empty()) // an empty view may hold no pointer at all
            std::memcpy(m_chunk.data() + m_used, line.data(), line.size());
        m_used += line.size();
        m_chunk[m_used++] = '\r';
        m_chunk[m_used++] = '\n';
    }
    // Writes what is left, waits for the file and renames it over the target. Throws the file's
    // failure; the target is then untouched.
    void commit();

private:
    // Hands the filled part of the chunk over and takes a fresh one with room for `bytes`.
    void makeRoom(std::size_t bytes);
    void submit();
    void writeChunks();
    // Writes one chunk; the first failure is kept and later chunks are dropped.
    void write(const std::string& chunk, std::size_t size);

    std::string m_target;
    Encoding m_encoding;
    std::uint64_t m_byteLimit;
    std::string m_chunk; // its whole size is the room; m_used bytes of it are filled
    std::size_t m_used = 0;
    std::string m_converted;

    struct Pending {
        std::string bytes;
        std::size_t size = 0;
    };
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Pending> m_queue;      // chunks waiting for the file
    std::vector<std::string> m_spare; // written chunks, for reuse
    bool m_closing = false;           // no more chunks will come
    bool m_busy = false;              // the thread is writing a chunk
    std::exception_ptr m_failure;
    std::unique_ptr<AtomicTextWriter> m_file; // created and used by whoever writes the chunks
    std::thread m_thread;                     // not started when the system has no thread to give
};

} // namespace tes
