#include "lib/streamed_text_writer.h"

#include "lib/text_codec.h"

#include <system_error>
#include <utility>

namespace tes {

namespace {

constexpr std::size_t kChunkBytes = std::size_t{1} << 20;
// Chunks that may wait for the file: enough to ride out a slow moment of the disk, little memory.
constexpr std::size_t kMaxQueued = 4;

} // namespace

StreamedTextWriter::StreamedTextWriter(std::string targetPath, std::uint64_t byteLimit, Encoding encoding)
    : m_target(std::move(targetPath)), m_encoding(encoding), m_byteLimit(byteLimit) {
    m_chunk.resize(kChunkBytes);
    if (m_encoding == Encoding::Utf8WithBom) {
        std::memcpy(m_chunk.data(), kUtf8Bom.data(), kUtf8Bom.size());
        m_used = kUtf8Bom.size();
    }
    try {
        m_thread = std::thread([this] { writeChunks(); });
    } catch (const std::system_error&) {
        // No thread to be had: the chunks are written as they fill.
    }
}

StreamedTextWriter::~StreamedTextWriter() {
    if (m_thread.joinable()) {
        {
            const std::lock_guard lock(m_mutex);
            m_queue.clear(); // not committed: what waits is never written
            m_closing = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }
    // m_file, if any, removes its temporary file.
}

void StreamedTextWriter::writeLine(std::string_view utf8Line) {
    if (m_encoding == Encoding::Utf8WithBom || IsAscii(utf8Line)) {
        writeAsciiLine(utf8Line);
        return;
    }
    m_converted.clear();
    AppendUtf8AsCp1252(m_converted, utf8Line);
    writeAsciiLine(m_converted);
}

void StreamedTextWriter::makeRoom(std::size_t bytes) {
    if (m_used > 0)
        submit();
    if (m_chunk.size() < bytes)
        m_chunk.resize(bytes); // one line longer than a chunk
}

void StreamedTextWriter::submit() {
    Pending filled{std::move(m_chunk), m_used};
    m_chunk.clear();
    m_used = 0;
    if (!m_thread.joinable()) {
        write(filled.bytes, filled.size);
        m_chunk = std::move(filled.bytes);
        return;
    }
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_queue.size() < kMaxQueued; });
        m_queue.push_back(std::move(filled));
        if (!m_spare.empty()) {
            m_chunk = std::move(m_spare.back());
            m_spare.pop_back();
        }
    }
    m_changed.notify_all();
    if (m_chunk.empty())
        m_chunk.resize(kChunkBytes);
}

void StreamedTextWriter::writeChunks() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return !m_queue.empty() || m_closing; });
        if (m_queue.empty())
            return;
        Pending chunk = std::move(m_queue.front());
        m_queue.pop_front();
        lock.unlock();
        m_changed.notify_all(); // room in the queue
        write(chunk.bytes, chunk.size);
        lock.lock();
        m_spare.push_back(std::move(chunk.bytes));
    }
}

void StreamedTextWriter::write(const std::string& chunk, std::size_t size) {
    if (m_failure)
        return;
    try {
        if (!m_file)
            m_file = std::make_unique<AtomicTextWriter>(m_target, m_byteLimit);
        m_file->writeEncoded(std::string_view(chunk.data(), size));
        m_file->startWriteBack();
    } catch (...) {
        m_failure = std::current_exception();
        m_file.reset();
    }
}

void StreamedTextWriter::commit() {
    if (m_used > 0)
        submit();
    if (m_thread.joinable()) {
        {
            const std::lock_guard lock(m_mutex);
            m_closing = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }
    // The thread has ended: its file and its failure are this thread's now.
    if (m_failure)
        std::rethrow_exception(m_failure);
    if (!m_file)
        m_file = std::make_unique<AtomicTextWriter>(m_target, m_byteLimit); // no line at all: an empty file
    m_file->commit();
}

} // namespace tes
