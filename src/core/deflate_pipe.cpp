#include "core/deflate_pipe.h"

#include "lib/failure.h"

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

DeflatePipe::DeflatePipe(int level, Sink sink, std::size_t blockBytes, std::size_t recordBytes)
    : m_sink(std::move(sink)), m_block(blockBytes) {
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

DeflatePipe::~DeflatePipe() = default;

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

} // namespace tes
