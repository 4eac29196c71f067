#include "project/environment_reader.h"

#include "core/context.h"
#include "core/failure_message.h"
#include "core/progress_scope.h"
#include "lib/failure.h"
#include "lib/fields.h"
#include "lib/numbers.h"
#include "lib/text_file.h"
#include "project/field_number.h"
#include "project/routine_failure.h"
#include "project/tile_region.h"

#include <cstring>
#include <new>
#include <stdexcept>
#include <string_view>

namespace tes {

namespace {

constexpr std::uint64_t kProgressStep = 4u << 20; // report every 4 MB read

double FieldValue(const MainModel& form, TextField field) {
    return checkedFinite(LeadingNumberValue(form.text(field)));
}

// Brings the grid size and the object scale into agreement for a tile of the given span: the field
// that the user does not edit is derived from the other one.
void ReconcileScale(MainModel& form, double span, double gridSize, double objectScale) {
    if (form.isChecked(CheckBox::chkUseObjectScale)) {
        const double grid = checkedFinite(RoundHalfEven(checkedFinite(objectScale * span) / 100));
        form.setText(TextField::txtGridSize, DecimalText(grid));
    } else {
        const double scale = checkedDivide(checkedFinite(gridSize * 100), span);
        form.setText(TextField::txtObjectScale, FormatPattern(RoundHalfEven(scale, 6), "0.000000"));
    }
}

// Whether field 3 (z) of a record whose field 1 ends at `p` lies in [low, high]; a missing field
// reads 0.
bool ZWithin(const char* p, const char* end, const char* readable, double low, double high) {
    const void* afterHeight =
        p == end ? nullptr : std::memchr(p + 1, ',', static_cast<std::size_t>(end - p - 1));
    if (afterHeight == nullptr)
        return low <= 0 && 0 <= high;
    p = static_cast<const char*>(afterHeight) + 1;
    return NextFieldWithin(p, end, readable, low, high);
}

// A wide overlap keeps nearly every record. Room for the whole file is reserved up front so the list
// is never copied while it grows, which would hold it twice for a moment; pages that are never
// written cost no memory. Lines are rarely shorter than 16 bytes; should they be, the list grows.
void ReserveForWholeFile(LineList& list, std::uint64_t fileSize) {
    constexpr std::uint64_t kShortLine = 16;
    try {
        list.reserve(static_cast<std::size_t>(fileSize / kShortLine), static_cast<std::size_t>(fileSize));
    } catch (const std::bad_alloc&) {
        // Not enough address space for the whole file: grow as the kept lines need.
    } catch (const std::length_error&) {
    }
}

void KeepTileRecords(Context& ctx, const TileRegion& region) {
    LineList& list1 = ctx.form.list(ListId::List1);
    const std::string& path = ctx.session.EnvironmentFilePath;
    ProgressScope progress(ctx.platform, "Reading " + GetFileNameFromPath(path));
    LineReader reader(LineBreaks::CrLfOrLf, /*skipBom=*/true);
    reader.open(path);
    ReserveForWholeFile(list1, reader.fileSize());
    std::uint64_t nextReport = kProgressStep;
    std::string_view line;
    while (reader.next(line)) {
        if (reader.bytesConsumed() >= nextReport) {
            nextReport = reader.bytesConsumed() + kProgressStep;
            if (!progress.report(reader.bytesConsumed(), reader.fileSize()))
                throw failures::cancelled();
        }
        const void* comma = std::memchr(line.data(), ',', line.size());
        if (!comma)
            continue; // blank lines and headings are no records
        const char* const end = line.data() + line.size();
        const char* p = static_cast<const char*>(comma) + 1;
        const char* const readable = reader.readableEnd();
        if (!NextFieldWithin(p, end, readable, region.low, region.high) ||
            !ZWithin(p, end, readable, region.low, region.high))
            continue;
        reader.appendDecoded(list1.textBuffer(), line);
        list1.endLine();
    }
    reader.close();
}

void ReadTile(Context& ctx) {
    MainModel& form = ctx.form;
    const double gridRes = FieldValue(form, TextField::txtGridRes);
    const double gridSize = checkedFinite(RoundHalfEven(FieldValue(form, TextField::txtGridSize)));
    const double objectScale = FieldValue(form, TextField::txtObjectScale);
    const double overlap = FieldValue(form, TextField::txtOverlap);
    const TileRegion region =
        ComputeTileRegion(form.isChecked(CheckBox::chkMainTile), ctx.session.TerrainWidth, gridRes, overlap);
    ReconcileScale(form, region.span, gridSize, objectScale);
    KeepTileRecords(ctx, region);
}

} // namespace

void ReadEnvironmentFile(Context& ctx) {
    LineList& list1 = ctx.form.list(ListId::List1);
    list1.clear();
    // Tell the view at once: the progress display may repaint the window while the file is read.
    ctx.form.listChanged(ListId::List1);
    try {
        ReadTile(ctx);
    } catch (const Failure& failure) {
        if (IsCancellation(failure)) {
            ctx.form.listChanged(ListId::List1);
            throw;
        }
        ctx.platform.showMessage(UnexpectedErrorMessage("ReadEnvironmentFile", failure));
    } catch (const std::bad_alloc&) {
        ctx.platform.showMessage(UnexpectedErrorMessage("ReadEnvironmentFile", failures::outOfMemory()));
    }
    ctx.form.listChanged(ListId::List1);
}

} // namespace tes
