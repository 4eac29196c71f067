#include "core/cache/point_cache.h"

#include "core/cache/cache_files.h"
#include "core/script/maxscript_literals.h"
#include "lib/failure.h"
#include "lib/fields.h"
#include "lib/file_access.h"
#include "lib/numbers.h"
#include "project/sun.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <limits>
#include <tuple>

namespace tes {

namespace {

constexpr std::uint64_t kProgressStep = 65536;

// The float 3ds Max holds for the number at `text`, which a comma or a bracket ends; `text` then
// moves past them.
float ReadFloat(const char*& text, const char* end) {
    double value = 0;
    const auto [next, error] = std::from_chars(text, end, value);
    text = std::min(next + 1, end);
    return error == std::errc() ? static_cast<float>(value) : 0.0f;
}

// Gives the particle the look `look` of its plant, from the text the fast script writes beside its
// position: the plant's turn goes on top of the kind's (both about Z, so the angles add), and its
// factor multiplies the kind's scale as 3ds Max multiplies floats.
void TakePlantLook(Particle& particle, const ParticleLook& kindLook, const PlantLook& look) {
    std::array<char, kMaxPlantLookText> text{};
    const char* const end = WritePlantLook(text.data(), look);
    const char* at = text.data();
    const float turn = ReadFloat(at, end);
    const float factor = ReadFloat(at, end);
    particle.orientation = TurnAboutZ(static_cast<double>(kindLook.turn) + static_cast<double>(turn));
    particle.scale.fill(kindLook.scale[0] * factor);
    particle.shapeIndex = static_cast<std::int32_t>(look.variant);
}

} // namespace

std::array<float, 4> TurnAboutZ(double degrees) {
    const double half = static_cast<double>(static_cast<float>(degrees)) * Pi() / 360;
    return {0.0f, 0.0f, static_cast<float>(std::sin(half)), static_cast<float>(std::cos(half))};
}

ParticleLook ScriptLook(bool rotate, const TypedNumber& rotationAngle, double objectScale) {
    ParticleLook look;
    // The numbers the script writes, read back as 3ds Max reads them: a full stop is the decimal point
    // whatever the user's locale.
    if (rotate && checkedFinite(rotationAngle.value()) != 0) {
        // As typed when it is a plain literal, the value itself; else the text the script writes for it.
        const std::string written = MaxAngleText(rotationAngle.text());
        look.turn = static_cast<float>(written == rotationAngle.text() ? rotationAngle.value()
                                                                       : LeadingNumberValue(written));
        look.orientation = TurnAboutZ(look.turn);
    }
    if (objectScale != 100) {
        const float factor =
            static_cast<float>(LeadingNumberValue(PatternText(RoundHalfEven(objectScale / 100, 8), 1, 8)));
        look.scale = {factor, factor, factor};
    }
    return look;
}

std::int32_t KindMtlIndex(const std::string& number) {
    const double value = std::round(LeadingNumberValue(number));
    constexpr double kLow = std::numeric_limits<std::int32_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
    return std::isfinite(value) ? static_cast<std::int32_t>(std::clamp(value, kLow, kHigh)) : 0;
}

PointCacheWriter::PointCacheWriter(PointCacheSetup setup) : m_setup(std::move(setup)) {
    for (const CacheKind& kind : m_setup.kinds) {
        PositionRule rule;
        static_cast<ScenePlacement&>(rule) = m_setup.placement;
        rule.number = kind.number;
        m_rules.push_back(rule);
        m_looks.emplace_back(kind.variation);
    }
}

PointCacheWriter::~PointCacheWriter() = default;

bool PointCacheWriter::run(const LineList& records, const std::vector<std::uint32_t>* lineNumbers,
                           Progress& progress, const ChosenRows* chosen) {
    const std::uint64_t count = records.size();
    ProgressScope shown(progress, "Writing " + GetFileNameFromPath(m_setup.files.stem) + " point cache");
    if (!shown.report(0, count))
        return false;
    // A channel names the object a plant is cloned from when any kind has more than one.
    const bool shapes = std::any_of(m_setup.kinds.begin(), m_setup.kinds.end(),
                                    [](const CacheKind& kind) { return kind.variation.objects() > 1; });
    if (WritesPrt(m_setup.formats))
        m_files.push_back(
            MakePrtFile(m_setup.files.prt, m_setup.fileByteLimit, m_setup.compressionLevel, shapes));
    if (WritesCsv(m_setup.formats))
        m_files.push_back(MakeCsvFile(m_setup.files.csv, m_setup.fileByteLimit, shapes));
    const bool numbered = lineNumbers && lineNumbers->size() == count;

    Particle plain; // a plant of a kind that does not vary
    plain.orientation = m_setup.look.orientation;
    plain.scale = m_setup.look.scale;
    Particle particle = plain;
    for (std::uint64_t row = 0; row < count; ++row) {
        if (row % kProgressStep == 0 && row > 0 && !shown.report(row, count))
            return false;
        if (chosen && !chosen->has(row))
            continue;
        const std::string_view entry = records[row];
        for (std::size_t k = 0; k < m_rules.size(); ++k) {
            if (!m_rules[k].matches(entry))
                continue;
            // The position as the script writes it, read back as 3ds Max reads it.
            double xz[2];
            const ScenePoint point = m_rules[k].placeRecord(entry, xz);
            particle.position = {ScriptFloat(point.X), ScriptFloat(point.Y), ScriptFloat(point.Z)};
            particle.id = numbered ? (*lineNumbers)[row] : static_cast<std::int64_t>(row + 1);
            particle.mtlIndex = m_setup.kinds[k].mtlIndex;
            if (m_setup.kinds[k].variation.any())
                TakePlantLook(particle, m_setup.look, m_looks[k](xz[0], xz[1], point.X, point.Y));
            else
                std::tie(particle.orientation, particle.scale, particle.shapeIndex) =
                    std::tie(plain.orientation, plain.scale, plain.shapeIndex);
            for (const auto& file : m_files)
                file->add(particle);
            ++m_count;
            break;
        }
    }
    for (const auto& file : m_files)
        file->finish();
    return shown.report(count, count);
}

std::vector<std::string> PointCacheWriter::commit() {
    std::vector<std::string> paths;
    for (const auto& file : m_files) {
        // The PRT format's owner refuses a file of no particle, even one its own writer made: none is
        // written, and an earlier one goes, so that no loader takes an old run's plants for this one's.
        if (m_count == 0 && file->path().ends_with(".prt")) {
            std::error_code error;
            std::filesystem::remove(PathFromUtf8(file->path()), error);
            if (error)
                throw failures::fromErrno(error.default_error_condition().value()).inFile(file->path());
            continue;
        }
        file->commit();
        paths.push_back(file->path());
    }
    return paths;
}

} // namespace tes
