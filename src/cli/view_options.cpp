#include "cli/view_options.h"

#include "cli/variation_options.h"
#include "project/kind_keys.h"

#include <CLI/CLI.hpp>

namespace tes::cli {

namespace {

constexpr const char* kCameraForm = "CX,CY:TX,TY";

GivenCamera ReadCamera(const char* option, const std::string& text) {
    const std::size_t colon = text.find(':');
    const KeyValue<GroundPoint> camera = ReadGroundPoint(text.substr(0, colon));
    const KeyValue<GroundPoint> target =
        colon == std::string::npos ? camera : ReadGroundPoint(text.substr(colon + 1));
    if (colon == std::string::npos || !camera.read() || !target.read())
        throw CLI::ValidationError(option, text + " is not " + kCameraForm);
    return {camera.value, target.value, option};
}

// A number of the views, read as the kinds table reads its key.
CLI::Option* AddNumber(CLI::App& app, const char* name, const char* placeholder,
                       std::optional<double>& target, KeyValue<double> (*read)(std::string_view),
                       std::string_view rule, const std::string& help, const char* group) {
    return app
        .add_option_function<std::string>(
            name,
            [&target, name, read, rule](const std::string& text) {
                RefuseEmpty(name, text, rule);
                target = ReadOption(name, text, read);
            },
            help + ": " + std::string(rule))
        ->type_name(placeholder)
        ->group(group);
}

} // namespace

std::vector<PlantView> ViewOptions::views() const {
    std::vector<PlantView> views;
    for (const GivenCamera& given : cameras) {
        PlantView view;
        view.camera = given.camera;
        view.target = given.target;
        view.fov = fov.value_or(view.fov);
        view.margin = margin.value_or(view.margin);
        view.keepRadius = keepRadius.value_or(view.keepRadius);
        view.far = far.value_or(view.far);
        views.push_back(view);
    }
    return views;
}

std::vector<PlantView> ViewOptions::applied(const std::vector<PlantView>& table) const {
    std::vector<PlantView> result = replace ? std::vector<PlantView>() : table;
    for (const PlantView& view : views())
        result.push_back(view);
    return result;
}

std::string CameraText(const PlantView& view) {
    return GroundPointText(view.camera) + ":" + GroundPointText(view.target);
}

void AddViewOptions(CLI::App& app, ViewOptions& views, ViewScope scope) {
    const bool table = scope == ViewScope::Table;
    const char* group = "View options";
    // --view is the only view of the table, or one of the run's views; it comes before those added.
    const auto setView = [&views](const std::vector<std::string>& texts) {
        views.replace = true;
        for (std::size_t i = 0; i < texts.size(); ++i)
            views.cameras.insert(views.cameras.begin() + static_cast<std::ptrdiff_t>(i),
                                 ReadCamera("--view", texts[i]));
    };
    const std::string help =
        table ? "Set the project's only view, kept in the kinds table: a camera at CX,CY looking at TX,TY "
                "(the scene's X and Y, as $Camera01.pos and $Camera01.target.pos show them in 3ds Max). "
                "Only the plants a view sees are written"
              : "For this run, instead of the kinds table's views: write only the plants a camera at CX,CY "
                "looking at TX,TY sees (the scene's X and Y, as 3ds Max shows them). Repeatable: a plant "
                "any of them sees is kept";
    // The table's only view is given once; a run may have several. Given twice, the parser keeps the last
    // so that the callback can refuse the two in the words of the options.
    CLI::Option* view = nullptr;
    if (table) {
        view = app.add_option_function<std::string>(
                      "--view",
                      [setView, &app](const std::string& text) {
                          if (app.get_option("--view")->count() > 1)
                              throw CLI::ValidationError("--view", "takes one view; use --add-view for more");
                          setView({text});
                      },
                      help)
                   ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    } else {
        view = app.add_option_function<std::vector<std::string>>("--view", setView, help);
    }
    view->type_name(kCameraForm)->group(group);
    if (table) {
        app.add_option_function<std::vector<std::string>>(
               "--add-view",
               [&views](const std::vector<std::string>& texts) {
                   for (const std::string& text : texts)
                       views.cameras.push_back(ReadCamera("--add-view", text));
               },
               "Add a view to the project's, as --view gives it; repeatable")
            ->type_name(kCameraForm)
            ->group(group);
    }
    app.add_flag_callback(
           "--no-view", [&views] { views.replace = true; },
           table ? "Remove the project's views: every plant is written again; not with --view"
                 : "For this run, write every plant, whatever views the kinds table holds; not with --view")
        ->excludes(view)
        ->group(group);
    AddNumber(app, "--fov", "DEGREES", views.fov, &ReadFov, kFovRule,
              "The horizontal field of view of each view given, in degrees (default 45, as in 3ds Max)",
              group);
    AddNumber(app, "--margin", "PERCENT", views.margin, &ReadMargin, kDistanceRule,
              "Widen the field of view of each view given by this percent, so that edges and shadows stay "
              "(default 10)",
              group);
    AddNumber(app, "--keep-radius", "N", views.keepRadius, &ReadDistance, kDistanceRule,
              "Keep every plant this near the camera of a view given, whichever way it looks (default 0)",
              group);
    AddNumber(app, "--far", "N", views.far, &ReadDistance, kDistanceRule,
              "Leave out the plants further than this from the camera of a view given (default 0: none)",
              group);
}

void CheckViewOptions(const ViewOptions& views) {
    if (views.cameras.empty()) {
        for (const auto& [name, given] :
             {std::pair("--fov", views.fov.has_value()), std::pair("--margin", views.margin.has_value()),
              std::pair("--keep-radius", views.keepRadius.has_value()),
              std::pair("--far", views.far.has_value())}) {
            if (given)
                throw CLI::ValidationError(name, "applies to a view given with it (--view)");
        }
    }
    const std::vector<PlantView> given = views.views();
    for (std::size_t i = 0; i < given.size(); ++i) {
        if (std::optional<std::string> problem = ViewProblem(given[i]))
            throw CLI::ValidationError(views.cameras[i].option, CameraText(given[i]) + ": " + *problem);
    }
}

} // namespace tes::cli
