#pragma once

#include "lib/platform.h"

#include <cstdint>
#include <string>

namespace tes {

// Shows the platform's progress display for the lifetime of the object, so that it is closed on every
// way out of a long piece of work (finished, cancelled or failed).
class ProgressScope {
public:
    ProgressScope(Platform& platform, const std::string& label) : m_platform(platform) {
        m_platform.beginProgress(label);
    }
    ~ProgressScope() { m_platform.endProgress(); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

    // False when the user asked to stop.
    bool report(std::uint64_t done, std::uint64_t total) { return m_platform.reportProgress(done, total); }

private:
    Platform& m_platform;
};

} // namespace tes
