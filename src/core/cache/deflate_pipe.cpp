#include "core/cache/deflate_pipe.h"

#include "lib/failure.h"

#include <system_error>
#include <zlib.h>

namespace tes {

namespace {

// The compressed bytes gathered before each handing to the sink.
constexpr std::size_t kOutputBytes = 1u << 20;

} // namespace

struct DeflatePipe::Stream {
    z_stream z{};
    bool open = false;
    ~Stream() {
        if (open)
            deflateEnd(&z);
    }
};

DeflatePipe::DeflatePipe(int level, Sink sink, bool ownThread, std::size_t blockBytes,
                         std::size_t recordBytes)
    : m_sink(std::move(sink)), m_block(blockBytes), m_ownThread(ownThread) {
    if (level < 0) {
        m_records = std::make_unique<RecordDeflater>(recordBytes, m_sink);
        return;
    }
    m_stream = std::make_unique<Stream>();
    m_output.resize(kOutputBytes);
    if (deflateInit(&m_stream->z, level) != Z_OK)
        throw failures::outOfMemory();
    m_stream->open = true;
}

DeflatePipe::~DeflatePipe() {
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void DeflatePipe::hand(std::size_t used, bool last) {
    if (m_ownThread && !m_thread.joinable() && !last) {
        // Started at the first full block, so that a stream of one block never pays for it.
        m_waiting.resize(m_block.size());
        try {
            m_thread = std::thread([this, blockBytes = m_block.size()] { work(blockBytes); });
        } catch (const std::system_error&) {
            m_ownThread = false; // no thread to be had: compressed here instead
        }
    }
    if (!m_thread.joinable()) {
        compress(m_block.data(), used, last);
        return;
    }
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_hasWaiting || m_failure; });
    if (m_failure)
        std::rethrow_exception(m_failure);
    // The free room the thread left becomes the next block.
    m_block.swap(m_waiting);
    m_waitingUsed = used;
    m_waitingLast = last;
    m_hasWaiting = true;
    m_changed.notify_all();
    if (last) {
        m_changed.wait(lock, [this] { return m_done || m_failure; });
        if (m_failure)
            std::rethrow_exception(m_failure);
    }
}

void DeflatePipe::compress(const char* bytes, std::size_t used, bool last) {
    if (m_records) {
        m_records->compress(bytes, used, last);
        return;
    }
    z_stream& z = m_stream->z;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes));
    z.avail_in = static_cast<uInt>(used);
    const int flush = last ? Z_FINISH : Z_NO_FLUSH;
    int status = Z_OK;
    do {
        z.next_out = reinterpret_cast<Bytef*>(m_output.data());
        z.avail_out = static_cast<uInt>(m_output.size());
        status = deflate(&z, flush);
        if (status == Z_STREAM_ERROR)
            throw failures::deviceIoError();
        const std::size_t produced = m_output.size() - z.avail_out;
        if (produced > 0)
            m_sink(std::string_view(m_output.data(), produced));
    } while (z.avail_out == 0 || (last && status != Z_STREAM_END));
}

void DeflatePipe::work(std::size_t blockBytes) {
    std::vector<char> block(blockBytes);
    for (;;) {
        std::size_t used = 0;
        bool last = false;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_hasWaiting || m_quit; });
            if (m_quit)
                return;
            block.swap(m_waiting);
            used = m_waitingUsed;
            last = m_waitingLast;
            m_hasWaiting = false;
        }
        m_changed.notify_all();
        try {
            compress(block.data(), used, last);
        } catch (...) {
            const std::lock_guard lock(m_mutex);
            m_failure = std::current_exception();
            m_changed.notify_all();
            return;
        }
        if (last) {
            const std::lock_guard lock(m_mutex);
            m_done = true;
            m_changed.notify_all();
            return;
        }
    }
}

} // namespace tes
