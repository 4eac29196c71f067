#include "form/preview_views.h"

#include "lib/ini.h"
#include "lib/numbers.h"
#include "project/kind_keys.h"
#include "project/kinds_table_sections.h"

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

// The field a key of a [ViewN] section fills: Camera and Target fill two.
std::vector<ViewField> FieldsOfKey(std::string_view key) {
    if (key == "Camera")
        return {ViewField::cameraX, ViewField::cameraY};
    if (key == "Target")
        return {ViewField::targetX, ViewField::targetY};
    for (const ViewField field : {ViewField::fov, ViewField::margin, ViewField::keepRadius, ViewField::far}) {
        if (key == KeyOf(field))
            return {field};
    }
    return {};
}

std::size_t At(ViewField field) {
    return static_cast<std::size_t>(field);
}

} // namespace

std::vector<PlantView> PreviewedViews(const KindsTable& table) {
    return table.viewFaults().empty() ? table.views() : std::vector<PlantView>();
}

ViewFieldTexts ViewFieldsOf(const ViewSection& section) {
    ViewFieldTexts texts;
    if (section.view) {
        for (std::size_t i = 0; i < kViewFields; ++i)
            texts[i] = ViewFieldText(*section.view, static_cast<ViewField>(i));
        return texts;
    }
    // As written; a key left out shows its default, but for the points, which have none.
    const PlantView defaults;
    for (const ViewField field : {ViewField::fov, ViewField::margin, ViewField::keepRadius, ViewField::far})
        texts[At(field)] = ViewFieldText(defaults, field);
    kinds_lines::SectionKeys keys;
    for (std::size_t i = 1; i < section.lines.size(); ++i)
        keys.add(section.lines[i]);
    for (const char* key : {"Camera", "Target", "Fov", "Margin", "KeepRadius", "Far"}) {
        const std::optional<std::string> text = keys.text(key);
        if (!text)
            continue;
        const std::vector<ViewField> fields = FieldsOfKey(key);
        const std::size_t comma = fields.size() == 2 ? text->find(',') : std::string::npos;
        texts[At(fields[0])] = std::string(TrimIniBlanks(text->substr(0, comma)));
        if (comma != std::string::npos)
            texts[At(fields[1])] = std::string(TrimIniBlanks(text->substr(comma + 1)));
    }
    return texts;
}

ViewFieldTexts ViewFieldFaultsOf(const ViewSection& section) {
    ViewFieldTexts why;
    for (const KeyFault& fault : section.faults) {
        // A fault of the view as a whole is shown on the camera, where a click mends it.
        const std::vector<ViewField> fields =
            fault.key.empty() ? std::vector<ViewField>{ViewField::cameraX} : FieldsOfKey(fault.key);
        for (const ViewField field : fields) {
            why[At(field)] =
                fault.key.empty() ? fault.problem : fault.key + "=" + fault.text + " " + fault.problem;
        }
    }
    return why;
}

std::optional<Message> StorePreviewViews(PreviewViewsTable views) {
    if (views.path.empty())
        return std::nullopt;
    std::optional<Message> failure = StoreKindsTable(views.table, views.path);
    if (failure) {
        // The preview, Process and the command line all take the views as the file holds them.
        views.table.revert();
        Messages read;
        views.table.follow(views.path, read);
    }
    return failure;
}

std::optional<Message> SetPreviewView(PreviewViewsTable views, std::size_t index, const PlantView& view,
                                      bool store) {
    const std::vector<ViewSection>& sections = views.table.viewSections();
    if (const std::optional<std::string> problem = ViewProblem(view)) {
        const std::string name =
            index < sections.size() ? sections[index].section : "View" + std::to_string(sections.size() + 1);
        return Refusal(name + ": " + *problem);
    }
    views.table.setView(index, view);
    return store ? StorePreviewViews(views) : std::nullopt;
}

std::optional<Message> RemovePreviewView(PreviewViewsTable views, std::size_t index) {
    if (index >= views.table.viewSections().size())
        return std::nullopt;
    views.table.removeView(index);
    return StorePreviewViews(views);
}

ViewFieldEdit SetPreviewViewField(PreviewViewsTable views, std::size_t index, ViewField field,
                                  std::string_view text) {
    const std::vector<ViewSection>& sections = views.table.viewSections();
    if (index >= sections.size())
        return {"there is no View" + std::to_string(index + 1), field, std::nullopt};
    ViewFieldTexts texts = ViewFieldsOf(sections[index]);
    texts[At(field)] = std::string(text);
    return SetPreviewViewFields(views, index, texts, field);
}

ViewFieldEdit SetPreviewViewFields(PreviewViewsTable views, std::size_t index, const ViewFieldTexts& texts,
                                   ViewField field) {
    if (index >= views.table.viewSections().size())
        return {"there is no View" + std::to_string(index + 1), field, std::nullopt};
    // The typed field first, then the others a view that could not be read may still hold.
    std::vector<ViewField> order{field};
    for (std::size_t i = 0; i < kViewFields; ++i) {
        if (static_cast<ViewField>(i) != field)
            order.push_back(static_cast<ViewField>(i));
    }
    PlantView view;
    for (const ViewField each : order) {
        const KeyValue<double> read = ReadField(each, texts[At(each)]);
        if (!read.read())
            return {std::string(KeyOf(each)) + "=" + texts[At(each)] + " " + read.problem, each,
                    std::nullopt};
        ValueOf(view, each) = read.value;
    }
    if (const std::optional<std::string> problem = ViewProblem(view))
        return {*problem, field, std::nullopt};
    return {{}, field, SetPreviewView(views, index, view, true)};
}

std::string ViewFieldText(const PlantView& view, ViewField field) {
    PlantView copy = view;
    return DecimalText(ValueOf(copy, field));
}

} // namespace tes
