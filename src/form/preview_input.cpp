#include "form/preview_input.h"

#include "form/context.h"
#include "form/process_command.h"
#include "lib/fields.h"

namespace tes {

PreviewInput PreviewInputFromForm(const Context& ctx) {
    PreviewInput input;
    input.placement = PlacementOptionsFromForm(ctx);
    input.overlap = ctx.form.text(TextField::txtOverlap);
    input.heading = ctx.form.text(TextField::txtHeading);
    input.kinds = ctx.kinds;
    input.kindRows = ctx.kindsTable.rows();
    input.seed = ctx.kindsTable.seed();
    input.views = PreviewedViews(ctx.kindsTable);
    input.areas = ctx.kindsTable.areas();
    return input;
}

PreviewSource PreviewSourceOf(Context& ctx) {
    return {ctx.platform,
            ctx.form.list(ListId::List1),
            [&ctx] { return PreviewInputFromForm(ctx); },
            ctx.session.ProjectDir,
            {ctx.kindsTable, ctx.kindsTablePath},
            ctx.outputFolder,
            ctx.recordLines,
            ctx.session.EnvironmentFilePath};
}

std::string RecordLabel(const PreviewSource& source, std::size_t row) {
    const bool numbered = source.recordLines.size() == source.records.size();
    const std::uint64_t line = numbered ? source.recordLines[row] : row + 1;
    return "Line " + std::to_string(line) + " of " + GetFileNameFromPath(source.environmentFile) + ": " +
           std::string(source.records[row]);
}

} // namespace tes
