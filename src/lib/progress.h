#pragma once

#include <cstdint>
#include <string>

namespace tes {

// Where long work reports how far it is, and learns that the user wants it stopped. The windows show
// a progress dialog with Cancel, the command line a line on a terminal; the default shows nothing and
// never stops the work.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void beginProgress(const std::string& /*label*/) {}
    // `done` and `total` are in any unit (bytes read, rows built). Returns false to ask the work to
    // stop (the user cancelled).
    virtual bool reportProgress(unsigned long long /*done*/, unsigned long long /*total*/) { return true; }
    virtual void endProgress() {}
};

// Work that nobody watches.
inline Progress& NoProgress() {
    static Progress none;
    return none;
}

// Shows the progress for the lifetime of the object, so that it is closed on every way out of a
// long piece of work (finished, cancelled or failed).
class ProgressScope {
public:
    ProgressScope(Progress& progress, const std::string& label) : m_progress(progress) {
        m_progress.beginProgress(label);
    }
    ~ProgressScope() { m_progress.endProgress(); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

    // False when the user asked to stop.
    bool report(std::uint64_t done, std::uint64_t total) { return m_progress.reportProgress(done, total); }

private:
    Progress& m_progress;
};

} // namespace tes
