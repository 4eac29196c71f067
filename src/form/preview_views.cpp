#include "form/preview_views.h"

#include "lib/numbers.h"
#include "project/kind_keys.h"

#include <vector>

namespace tes {

namespace {

// The key each field stands for, as a problem names it.
const char* KeyOf(ViewField field) {
    switch (field) {
    case ViewField::cameraX:
        return "Camera X";
    case ViewField::cameraY:
        return "Camera Y";
    case ViewField::targetX:
        return "Target X";
    case ViewField::targetY:
        return "Target Y";
    case ViewField::fov:
        return "Fov";
    case ViewField::margin:
        return "Margin";
    case ViewField::keepRadius:
        return "KeepRadius";
    case ViewField::far:
        return "Far";
    }
    return "";
}

// The value the field's text gives, read as the kinds table reads its key.
KeyValue<double> ReadField(ViewField field, std::string_view text) {
    switch (field) {
    case ViewField::cameraX:
    case ViewField::targetX:
    case ViewField::cameraY:
    case ViewField::targetY: {
        const bool x = field == ViewField::cameraX || field == ViewField::targetX;
        const KeyValue<GroundPoint> point =
            ReadGroundPoint(x ? std::string(text) + ",0" : "0," + std::string(text));
        if (!point.read())
            return {0, "is not a number"};
        return {x ? point.value.x : point.value.y, {}};
    }
    case ViewField::fov:
        return ReadFov(text);
    case ViewField::margin:
        return ReadMargin(text);
    case ViewField::keepRadius:
    case ViewField::far:
        break;
    }
    return ReadDistance(text);
}

double& ValueOf(PlantView& view, ViewField field) {
    switch (field) {
    case ViewField::cameraX:
        return view.camera.x;
    case ViewField::cameraY:
        return view.camera.y;
    case ViewField::targetX:
        return view.target.x;
    case ViewField::targetY:
        return view.target.y;
    case ViewField::fov:
        return view.fov;
    case ViewField::margin:
        return view.margin;
    case ViewField::keepRadius:
        return view.keepRadius;
    case ViewField::far:
        break;
    }
    return view.far;
}

} // namespace

std::optional<Message> StorePreviewViews(PreviewViewsTable views) {
    if (views.path.empty())
        return std::nullopt;
    return StoreKindsTable(views.table, views.path);
}

std::optional<Message> SetPreviewView(PreviewViewsTable views, std::size_t index, const PlantView& view,
                                      bool store) {
    std::vector<PlantView> all = views.table.views();
    if (const std::optional<std::string> problem = ViewProblem(view))
        return Refusal("View" + std::to_string(std::min(index, all.size()) + 1) + ": " + *problem);
    if (index < all.size())
        all[index] = view;
    else
        all.push_back(view);
    views.table.setViews(std::move(all));
    return store ? StorePreviewViews(views) : std::nullopt;
}

std::optional<Message> RemovePreviewView(PreviewViewsTable views, std::size_t index) {
    std::vector<PlantView> all = views.table.views();
    if (index >= all.size())
        return std::nullopt;
    all.erase(all.begin() + static_cast<std::ptrdiff_t>(index));
    views.table.setViews(std::move(all));
    return StorePreviewViews(views);
}

ViewFieldEdit SetPreviewViewField(PreviewViewsTable views, std::size_t index, ViewField field,
                                  std::string_view text) {
    if (index >= views.table.views().size())
        return {"there is no View" + std::to_string(index + 1), std::nullopt};
    const KeyValue<double> read = ReadField(field, text);
    if (!read.read())
        return {std::string(KeyOf(field)) + "=" + std::string(text) + " " + read.problem, std::nullopt};
    PlantView view = views.table.views()[index];
    ValueOf(view, field) = read.value;
    if (const std::optional<std::string> problem = ViewProblem(view))
        return {*problem, std::nullopt};
    return {{}, SetPreviewView(views, index, view, true)};
}

std::string ViewFieldText(const PlantView& view, ViewField field) {
    PlantView copy = view;
    return DecimalText(ValueOf(copy, field));
}

} // namespace tes
