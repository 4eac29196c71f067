#pragma once

#include <cstdint>
#include <limits>
#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace tes::test {

inline constexpr std::uint64_t kNoFileSizeLimit = std::numeric_limits<std::uint64_t>::max();

// While it lives, the file system refuses to let any file of this process grow beyond `bytes`
// (writes fail with EFBIG, as on a full disk); works for every user, root included. A POSIX resource
// limit: Windows has none for a process, so there the object does nothing and kAvailable is false
// (the tests leave out their cases that need the limit).
class FileSizeLimit {
public:
#ifdef _WIN32
    static constexpr bool kAvailable = false;
    explicit FileSizeLimit(std::uint64_t) {}
#else
    static constexpr bool kAvailable = true;
    explicit FileSizeLimit(std::uint64_t bytes) {
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limited = m_previous;
        limited.rlim_cur = bytes == kNoFileSizeLimit ? RLIM_INFINITY : static_cast<rlim_t>(bytes);
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;

public:
#endif
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
};

} // namespace tes::test
