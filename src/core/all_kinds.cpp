#include "core/all_kinds.h"

#include "core/cache/point_cache.h"
#include "core/engine_step.h"
#include "core/place/placement_frame.h"
#include "core/plants/kind_plan.h"
#include "core/plants/plant_filter.h"
#include "core/script/combine_scripts.h"
#include "core/script/output_paths.h"
#include "lib/fields.h"
#include "lib/numbers.h"

#include <algorithm>
#include <new>
#include <optional>

namespace tes {

namespace {

std::string Summary(const AllKindsResult& result, bool saved) {
    std::uint64_t scripts = 0;
    std::uint64_t objects = 0;
    std::string skipped;
    std::string failed;
    std::string caches;
    std::string kept;
    for (const KindOutcome& kind : result.kinds) {
        if (kind.status == KindOutcome::Status::Built) {
            ++scripts;
            objects += kind.objects;
            if (kind.filtered)
                kept += (kept.empty() ? " " : "; ") + KeptPlantsText(kind.kind, kind.objects, kind.records);
            for (const std::string& path : kind.cachePaths)
                caches += (caches.empty() ? "" : ", ") + GetFileNameFromPath(path);
        } else {
            std::string& list = kind.status == KindOutcome::Status::Skipped ? skipped : failed;
            list += (list.empty() ? "" : ", ") + kind.kind + " (" + kind.reason + ")";
        }
    }
    std::string summary = std::string(saved ? "Wrote " : "Built ") + CountText(scripts, "script") + ", " +
                          CountText(objects, "object") + (saved ? "." : " (not saved).");
    if (!kept.empty())
        summary += kept + ".";
    if (!caches.empty())
        summary += " Point caches: " + caches + ".";
    if (!skipped.empty())
        summary += " Skipped: " + skipped + ".";
    if (!failed.empty())
        summary += " Failed: " + failed + ".";
    if (result.cancelled)
        summary += " Stopped before the other kinds.";
    std::string joined;
    for (const std::string& path : result.joinedCachePaths)
        joined += " and " + GetFileNameFromPath(path);
    if (!result.joinedPath.empty())
        summary += " Joined into " + GetFileNameFromPath(result.joinedPath) + joined + ".";
    return summary;
}

// A message on one line, for the summary: "Unexpected error in BuildScript 61 - Disk full".
std::string OneLine(std::string_view text) {
    std::string line;
    for (const char c : text) {
        const bool blank = c == '\n' || c == '\r' || c == ' ';
        if (!blank)
            line += c;
        else if (!line.empty() && line.back() != ' ')
            line += ' ';
    }
    return line;
}

// Each kind's build as its share of the one progress display of the run. A Cancel is held until the
// kind is finished, so that its script is whole; the run then stops before the next kind. A step that
// writes nothing (choosing the plants) may stop at once.
class KindShare final : public Progress {
public:
    static constexpr std::uint64_t kSteps = 1000;

    KindShare(ProgressScope& run, std::uint64_t index, std::uint64_t count, bool holdCancel = true)
        : m_run(run), m_index(index), m_count(count), m_holdCancel(holdCancel) {}

    // The build's own label and end are not shown: the run's display stays open.
    void beginProgress(const std::string&) override {}
    void endProgress() override {}
    bool reportProgress(unsigned long long done, unsigned long long total) override {
        const std::uint64_t within = total == 0 ? 0 : std::min<std::uint64_t>(done, total) * kSteps / total;
        if (!m_run.report(m_index * kSteps + within, m_count * kSteps))
            m_cancelled = true;
        return m_holdCancel || !m_cancelled;
    }
    bool cancelled() const { return m_cancelled; }

private:
    ProgressScope& m_run;
    std::uint64_t m_index;
    std::uint64_t m_count;
    bool m_holdCancel;
    bool m_cancelled = false;
};

const LineList& RecordsOf(const AllKindsRequest& request) {
    static const LineList kNoRecords;
    return request.records ? *request.records : kNoRecords;
}

// Writes the particles of every kind built into one cache; the failure, if it fails.
// Each kind's plants are those the run's one choice kept (`kept`; none: all of them).
std::optional<Message> JoinCaches(const AllKindsRequest& request, std::vector<CacheKind> kinds,
                                  const KeptPlants* kept, Progress& progress, AllKindsResult& result) {
    try {
        PointCacheWriter cache(CacheSetupFor(
            request.options, std::move(kinds),
            JoinedOutputPaths(request.options.projectBasePath, request.options.mainTile), request.tuning));
        if (cache.run(RecordsOf(request), request.recordLines, progress, kept ? kept->chosen() : nullptr))
            result.joinedCachePaths = cache.commit();
    } catch (const Failure& failure) {
        return StepFailure(EngineStep::BuildScript, failure);
    } catch (const std::bad_alloc&) {
        return StepFailure(EngineStep::BuildScript, failures::outOfMemory());
    } catch (const BeyondSinglePrecision&) {
        // Each kind's own build has refused such a record already.
    }
    return std::nullopt;
}

} // namespace

bool AllKindsResult::anyFailed() const {
    return std::any_of(kinds.begin(), kinds.end(),
                       [](const KindOutcome& kind) { return kind.status == KindOutcome::Status::Failed; });
}

std::string KindSectionName(const VegetationKind& kind) {
    return "Vegetation_" + kind.number;
}

std::string KeptPlantsText(const std::string& kind, std::uint64_t kept, std::uint64_t of) {
    return kind + ": " + GroupedDigits(kept) + " of " + CountText(of, "plant");
}

AllKindsResult BuildAllKinds(const AllKindsRequest& request) {
    AllKindsResult result;
    Progress& progress = request.progress ? *request.progress : NoProgress();
    const std::size_t count = request.kinds.size();
    const bool joinCaches = !request.joinInto.empty() && request.options.saveToFile &&
                            request.options.style.cache != PointCache::None;
    // Every kind's plan first: the plants every kind to be built keeps are decided in one pass over the
    // records for all of them, when any kind leaves some out. placeOf[i]: kind i's place in that pass.
    std::vector<KindPlan> plans;
    plans.reserve(count);
    std::vector<FilteredKind> choosing;
    std::vector<std::size_t> placeOf(count, 0);
    bool leavesOut = false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& number = request.kinds[i].number;
        plans.push_back(PlanKind(request.options, number, request.table,
                                 {request.fallbackMaxFile, request.fallbackObject}, KindScope::All));
        if (plans.back().status != KindPlan::Status::Build)
            continue;
        placeOf[i] = choosing.size();
        choosing.push_back({number, PlantFilterOf(plans.back().options)});
        leavesOut = leavesOut || choosing.back().filter;
    }
    // Choosing the plants and the joined cache each take a kind's share of the progress.
    const std::size_t first = leavesOut ? 1 : 0;
    const std::size_t shares = first + count + (joinCaches ? 1 : 0);
    std::vector<std::string> written;
    std::vector<CacheKind> cached;
    ProgressScope shown(progress, "Building scripts");
    std::optional<KeptPlants> kept;
    if (leavesOut) {
        KindShare share(shown, 0, shares, false);
        kept = KeepPlants(RecordsOf(request), ComputePlacementFrame(request.options).placement(), choosing,
                          share, request.tuning.twoThreadsFrom);
        result.cancelled = !kept;
    }
    bool stopAsked = result.cancelled; // Cancel was pressed while a kind was built
    for (std::size_t i = 0; i < count; ++i) {
        const VegetationKind& kind = request.kinds[i];
        if (stopAsked || !shown.report((first + i) * KindShare::kSteps, shares * KindShare::kSteps)) {
            result.cancelled = true;
            break;
        }
        KindOutcome outcome;
        outcome.kind = KindSectionName(kind);
        PlacementResult built;
        KindPlan& plan = plans[i];
        if (plan.status == KindPlan::Status::Skip) {
            outcome.reason = std::move(plan.reason);
        } else if (plan.status == KindPlan::Status::Refuse) {
            // Its old script and caches stay until the row is mended.
            outcome.status = KindOutcome::Status::Failed;
            // The summary names the kind before its reason already.
            const std::string named = outcome.kind + ": ";
            outcome.reason = plan.reason.starts_with(named) ? plan.reason.substr(named.size()) : plan.reason;
            outcome.messages = {Refusal(plan.reason)};
            result.messages.push_back(Refusal(std::move(plan.reason)));
        } else {
            KindShare share(shown, first + i, shares);
            PlacementRequest build{
                std::move(plan.options), request.records,         &share,    request.tuning,
                request.recordLines,     kept ? &*kept : nullptr, placeOf[i]};
            built = BuildPlacementScript(build);
            stopAsked = share.cancelled();
            outcome.scriptPath = built.scriptPath;
            outcome.objects = built.objectCount;
            outcome.records = built.kindRecords;
            outcome.filtered = built.filtered;
            if (built.outcome == BuildOutcome::Built) {
                outcome.status = KindOutcome::Status::Built;
                outcome.cachePaths = built.cachePaths;
                if (built.fileWritten)
                    written.push_back(built.scriptPath);
                cached.push_back(CacheKindOf(build.options));
            } else {
                outcome.status = KindOutcome::Status::Failed;
                outcome.reason = built.messages.empty() ? "failed" : OneLine(built.messages.front().text);
                outcome.messages = built.messages;
                result.messages.insert(result.messages.end(), built.messages.begin(), built.messages.end());
            }
        }
        if (request.kindDone)
            request.kindDone(outcome, built.lines);
        if (outcome.status == KindOutcome::Status::Built)
            result.lastScript.swap(built.lines);
        const bool stop =
            outcome.status == KindOutcome::Status::Failed && request.afterFailure == AfterFailure::Stop;
        result.kinds.push_back(std::move(outcome));
        if (stop) {
            result.stopped = true;
            break;
        }
    }
    std::string notJoined;
    if (!request.joinInto.empty() && !written.empty() && !result.cancelled && !result.stopped) {
        CombineResult joined = CombineScripts({written, request.joinInto, request.tuning.fileByteLimit});
        if (joined.written)
            result.joinedPath = request.joinInto;
        else if (!joined.messages.empty())
            notJoined = " Not joined: " + OneLine(joined.messages.front().text) + ".";
        result.messages.insert(result.messages.end(), joined.messages.begin(), joined.messages.end());
        if (joined.written && joinCaches) {
            KindShare share(shown, first + count, shares);
            if (std::optional<Message> failed =
                    JoinCaches(request, std::move(cached), kept ? &*kept : nullptr, share, result))
                result.messages.push_back(*failed);
        }
    }
    result.summary = Summary(result, request.options.saveToFile) + notJoined;
    return result;
}

std::string JoinedScriptPath(const PlacementOptions& options) {
    return JoinedOutputPaths(options.projectBasePath, options.mainTile).script;
}

} // namespace tes
