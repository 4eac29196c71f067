#include "core/script/placement_script.h"

#include "core/cache/point_cache.h"
#include "core/engine_step.h"
#include "core/place/placement_frame.h"
#include "core/place/record_position.h"
#include "core/place/tile_geometry.h"
#include "core/plants/plant_filter.h"
#include "core/script/maxscript_literals.h"
#include "core/script/output_paths.h"
#include "core/script/script_builder.h"
#include "lib/failure.h"
#include "lib/fields.h"
#include "lib/text_codec.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>
#include <new>
#include <string_view>
#include <unordered_map>

namespace tes {

PlantVariation VariationOf(const PlacementOptions& options, const std::string& number) {
    PlantVariation variation;
    variation.turn = options.plants.turn;
    variation.scale = options.plants.scale;
    variation.seed = options.seed;
    variation.kind = FieldNumber(number);
    variation.weights.push_back(options.weight);
    for (const VariantSource& variant : options.variants)
        variation.weights.push_back(variant.weight);
    if (options.detailed()) {
        for (const PlantView& view : options.views)
            variation.cameras.push_back(view.camera);
        variation.farFrom = options.farModel() ? options.plants.detail.farFrom : 0;
        variation.boxFrom = options.plants.detail.boxFrom;
    }
    return variation;
}

namespace {

constexpr const char* kRefusedNameMessage =
    "Please specify a Max object name without quotes or control characters";
constexpr const char* kRefusedFastNameMessage = "Please specify a Max object name without control characters";
constexpr const char* kClassicVariationMessage =
    "Plants that differ in turn, scale or object need the fast script";
constexpr const char* kClassicDetailMessage =
    "A far model and boxes for plants far from the cameras need the fast script";
constexpr const char* kCodePageMessage =
    "The Max file name and the object name must be written in the Windows-1252 code page";

// Names one source whatever the letter case (as Windows finds files and 3ds Max names) and whichever
// folder separator a path writes.
std::string SourceKey(std::string_view maxFile, std::string_view object) {
    std::string key = UpperCase(maxFile);
    std::replace(key.begin(), key.end(), '/', '\\');
    key += '\0';
    key += UpperCase(object);
    return key;
}

// The far model's source; when it is one of the kind's other objects (as SourceKey tells), written
// as that one, so the script merges and turns it once.
FastSource FarSource(const PlacementOptions& options, const std::vector<FastSource>& sources) {
    const PlantDetail& detail = options.plants.detail;
    const std::string key = SourceKey(detail.farFile, detail.farObjectName());
    if (key == SourceKey(options.maxFile, options.objectName))
        return sources.front();
    for (std::size_t i = 0; i < options.variants.size(); ++i) {
        if (key == SourceKey(options.variants[i].maxFile, options.variants[i].object()))
            return sources[i + 1];
    }
    return {MaxFilePathBody(UpperCase(detail.farFile)), MaxStringBody(detail.farObjectName())};
}

// Names the script and works out the numbers of the build from the options; the derived grid size
// or object scale goes into the result as soon as it is known. Throws Failure.
ScriptSetup PrepareBuild(const PlacementRequest& request, const std::string& number,
                         PlacementResult& result) {
    const PlacementOptions& options = request.options;
    result.scriptPath = KindOutputPathsOf(options.projectBasePath, options.mainTile, number).script;

    PlacementFrame frame = AgreeTileAndScale(options);
    result.gridSize = frame.scale.gridSizeText;
    result.objectScale = frame.scale.objectScaleText;
    ReadVerticalValues(options, frame);

    ScriptSetup setup;
    setup.number = number;
    setup.objectName = options.objectName;
    setup.maxFile = options.maxFile;
    setup.scriptPath = result.scriptPath;
    setup.save = options.saveToFile;
    setup.middle = frame.tile.middle;
    setup.objectScale = frame.scale.objectScale;
    setup.verticalScale = frame.verticalScale;
    setup.verticalOffset = frame.verticalOffset;
    setup.rotate = options.rotate;
    setup.rotationAngle = options.rotationAngle;
    setup.twoThreadsFrom = request.tuning.twoThreadsFrom;
    setup.fileByteLimit = request.tuning.fileByteLimit;
    setup.style = options.style;
    setup.stand = options.plants.stand;
    if (options.varies()) {
        setup.variation = VariationOf(options, number);
        setup.sources.push_back(
            {MaxFilePathBody(UpperCase(options.maxFile)), MaxStringBody(options.objectName)});
        for (const VariantSource& variant : options.variants)
            setup.sources.push_back(
                {MaxFilePathBody(UpperCase(variant.maxFile)), MaxStringBody(variant.object())});
        if (options.farModel())
            setup.sources.push_back(FarSource(options, setup.sources));
    }
    return setup;
}

// Whether field 0 of any record reads the kind's number.
bool AnyRecordOf(const LineList& records, const std::string& number) {
    PositionRule rule;
    rule.number = number;
    for (std::size_t row = 0; row < records.size(); ++row)
        if (rule.matches(records[row]))
            return true;
    return false;
}

constexpr const char* kBeyondFloats = " lies beyond the numbers 3ds Max can hold";

// A field whose number the script would write although 3ds Max cannot hold it, named in a message.
std::optional<std::string> NumberBeyondSinglePrecision(const ScriptSetup& setup) {
    const double angle = setup.rotationAngle.value();
    if (setup.rotate && std::isfinite(angle) && !FitsSinglePrecision(angle))
        return std::string("The rotation angle") + kBeyondFloats;
    if (!FitsSinglePrecision(setup.objectScale / 100))
        return std::string("The object scale") + kBeyondFloats;
    return std::nullopt;
}

// A build refused once it has begun changes nothing: no field, no list, no file.
PlacementResult Refused(PlacementResult result, std::string message) {
    result.outcome = BuildOutcome::Refused;
    result.gridSize.reset();
    result.objectScale.reset();
    result.lines.clearAndRelease();
    result.objectCount = 0;
    result.kindRecords = 0;
    result.filtered = false;
    result.messages.push_back(Refusal(std::move(message)));
    return result;
}

} // namespace

PlacementResult BuildPlacementScript(const PlacementRequest& request) {
    PlacementResult result;
    const std::string& number = request.options.kindNumber;
    if (number.empty()) {
        result.messages.push_back(Refusal("Invalid Vegetation Number"));
        return result;
    }
    result.number = number;
    const PlacementOptions& options = request.options;
    // The far model is one more object merged, named and written as the variants are.
    std::vector<VariantSource> others = options.variants;
    if (options.farModel())
        others.push_back({options.plants.detail.farFile, options.plants.detail.farObjectName(), 0});
    // The classic script names the object by its pathname, the fast one by a string.
    const bool fast = options.style.shape == ScriptShape::Fast;
    const auto writable = [&](bool pathname) {
        return IsWritableMaxName(options.objectName, pathname) &&
               std::all_of(others.begin(), others.end(), [&](const VariantSource& variant) {
                   return IsWritableMaxName(variant.object(), pathname);
               });
    };
    if (!writable(!fast)) {
        result.messages.push_back(Refusal(
            fast ? std::string(kRefusedFastNameMessage)
            : writable(false)
                ? std::string(kRefusedNameMessage) +
                      " (the fast script takes a name with an apostrophe: " + options.fastScriptChoice + ")"
                : std::string(kRefusedNameMessage)));
        return result;
    }
    // A character the file's code page lacks would be written as '?', a wildcard in a pathname.
    const bool variantsFit = std::all_of(others.begin(), others.end(), [](const VariantSource& v) {
        return FitsWindows1252(v.maxFile) && FitsWindows1252(v.object());
    });
    if (!options.style.utf8 &&
        (!FitsWindows1252(options.maxFile) || !FitsWindows1252(options.objectName) || !variantsFit)) {
        result.messages.push_back(Refusal(kCodePageMessage));
        return result;
    }
    if (options.varies() && options.style.shape != ScriptShape::Fast) {
        const bool differ = options.plants.turn || options.plants.scale || !options.variants.empty();
        result.messages.push_back(
            Refusal(std::string(differ ? kClassicVariationMessage : kClassicDetailMessage) + " (" +
                    options.fastScriptChoice + ")"));
        return result;
    }
    // The classic script places the named object by its pivot alone.
    if (options.plants.stand == PlantStand::Base && options.style.shape != ScriptShape::Fast) {
        result.messages.push_back(
            Refusal("Plants standing on their base need the fast script (" + options.fastScriptChoice + ")"));
        return result;
    }
    if (std::optional<std::string> problem = ViewsProblem(options.views)) {
        result.messages.push_back(Refusal(std::move(*problem)));
        return result;
    }

    static const LineList kNoRecords;
    const LineList* records = request.records ? request.records : &kNoRecords;
    const std::vector<std::uint32_t>* recordLines = request.recordLines;
    Progress& progress = request.progress ? *request.progress : NoProgress();
    std::unique_ptr<ScriptBuilder> builder;
    std::optional<KeptPlants> ownKept;
    const KeptPlants* kept = request.kept;
    std::size_t keptKind = request.keptKind;
    try {
        ScriptSetup setup = PrepareBuild(request, number, result);
        if (std::optional<std::string> beyond = NumberBeyondSinglePrecision(setup))
            return Refused(std::move(result), *beyond);
        // The plants the views, the thinning, the heights and the areas leave out are decided once,
        // here or for every kind at once: the script, the caches and the counts all take the rows kept.
        if (std::optional<PlantFilter> filter = PlantFilterOf(options)) {
            if (!kept) {
                const ScenePlacement placement{setup.middle, setup.verticalScale, setup.verticalOffset,
                                               setup.objectScale};
                ownKept = KeepPlants(*records, placement, {{number, std::move(filter)}}, progress,
                                     request.tuning.twoThreadsFrom);
                if (!ownKept) {
                    result.outcome = BuildOutcome::Cancelled;
                    return result;
                }
                kept = &*ownKept;
                keptKind = 0;
            }
            result.filtered = true;
            result.kindRecords = kept->count[keptKind];
        }
        const ChosenRows* chosen = kept ? kept->chosen() : nullptr;
        // A kind with no plant merges nothing. The classic script of a kind without records keeps its
        // merge line, as it always wrote it; only plants the filters left out drop it.
        if (result.filtered)
            setup.noPlants = kept->kept[keptKind] == 0;
        else if (setup.style.shape == ScriptShape::Fast)
            setup.noPlants = !AnyRecordOf(*records, number);
        // A cache that fails is given up, and the script reports the same fault where it meets it; only
        // a failure of the cache's own (its file) is reported once the script is written.
        std::unique_ptr<PointCacheWriter> cache;
        std::exception_ptr cacheFailure;
        if (setup.save && setup.style.cache != PointCache::None) {
            try {
                cache = std::make_unique<PointCacheWriter>(CacheSetupFor(
                    request.options, {CacheKindOf(request.options)},
                    KindOutputPathsOf(options.projectBasePath, options.mainTile, number), request.tuning));
                if (!cache->run(*records, recordLines, progress, chosen)) {
                    result.outcome = BuildOutcome::Cancelled;
                    return result;
                }
            } catch (...) {
                cache.reset();
                cacheFailure = std::current_exception();
            }
        }
        builder = std::make_unique<ScriptBuilder>(std::move(setup));
        if (builder->run(*records, progress, chosen) == RunOutcome::Cancelled) {
            result.outcome = BuildOutcome::Cancelled;
            return result;
        }
        result.fileWritten = request.options.saveToFile;
        if (cacheFailure)
            std::rethrow_exception(cacheFailure);
        if (cache)
            result.cachePaths = cache->commit();
        result.outcome = BuildOutcome::Built;
    } catch (const Failure& failure) {
        result.outcome = BuildOutcome::Failed;
        result.failure = failure;
        result.messages.push_back(StepFailure(EngineStep::BuildScript, failure));
    } catch (const std::bad_alloc&) {
        result.outcome = BuildOutcome::Failed;
        result.failure = failures::outOfMemory();
        result.messages.push_back(StepFailure(EngineStep::BuildScript, failures::outOfMemory()));
    } catch (const BeyondSinglePrecision& beyond) {
        return Refused(std::move(result),
                       "The position of the record \"" + beyond.record + "\"" + kBeyondFloats);
    }
    // Finished or failed, the script is what this build produced.
    if (builder) {
        result.lines.swap(builder->lines());
        result.objectCount = builder->objectCount();
        if (!result.filtered)
            result.kindRecords = result.objectCount;
    }
    return result;
}

std::string VariantSource::object() const {
    return ObjectOrFileName(maxFile, objectName);
}

void PlacementOptions::takePlants(const KindRow& row, std::int64_t tableSeed) {
    plants = row.plants;
    seed = tableSeed;
    weight = plants.weight;
    variants.clear();
    variants.reserve(plants.variants.size());
    // Each source's key, and its place: 0 the kind's own object (the row's, or the options' for a row
    // without a Max file), n the variant n.
    std::unordered_map<std::string, std::size_t> places;
    places.reserve(plants.variants.size() + 1);
    if (!row.maxFile.empty() || maxFile.empty())
        places.emplace(SourceKey(row.maxFile, row.object()), 0);
    else
        places.emplace(SourceKey(maxFile, ObjectOrFileName(maxFile, objectName)), 0);
    for (const KindVariant& variant : plants.variants) {
        const auto [found, added] =
            places.try_emplace(SourceKey(variant.maxFile, variant.object()), variants.size() + 1);
        if (added)
            variants.push_back({variant.maxFile, variant.objectName, variant.weight});
        else
            (found->second == 0 ? weight : variants[found->second - 1].weight) += variant.weight;
    }
}

PointCacheSetup CacheSetupFor(const PlacementOptions& options, std::vector<CacheKind> kinds,
                              KindOutputPaths files, const BuildTuning& tuning) {
    const PlacementFrame frame = ComputePlacementFrame(options);
    PointCacheSetup setup;
    setup.kinds = std::move(kinds);
    setup.placement = frame.placement();
    setup.look = ScriptLook(options.rotate, options.rotationAngle, frame.scale.objectScale);
    setup.files = std::move(files);
    setup.formats = options.style.cache;
    setup.fileByteLimit = tuning.fileByteLimit;
    return setup;
}

std::optional<PlantFilter> PlantFilterOf(const PlacementOptions& options) {
    PlantFilter filter(options.views, options.plants.thinning, options.seed, FieldNumber(options.kindNumber));
    filter.limit(options.plants.heights, options.areas, options.kindNumber);
    if (!filter.active())
        return std::nullopt;
    return filter;
}

CacheKind CacheKindOf(const PlacementOptions& options) {
    CacheKind kind{options.kindNumber, KindMtlIndex(options.kindNumber), {}};
    if (options.varies())
        kind.variation = VariationOf(options, options.kindNumber);
    return kind;
}

std::optional<Message> CheckObjectInput(const PlacementOptions& options) {
    if (options.maxFile.empty())
        return Refusal("Please specify a Max file");
    if (options.objectName.empty())
        return Refusal("Please specify a Max object name");
    return std::nullopt;
}

} // namespace tes
