#pragma once

#include "core/script/placement_script.h"
#include "form/chosen_kind.h"
#include "form/combiner_state.h"
#include "form/kinds_table_follow.h"
#include "form/main_model.h"
#include "form/session.h"
#include "form/show_messages.h"
#include "lib/line_list.h"
#include "lib/message.h"
#include "lib/platform.h"
#include "project/kinds_table.h"
#include "project/vegetation_list.h"

#include <memory>
#include <optional>
#include <vector>

namespace tes {

// Everything one running program works on: the session record, the main window's data stores, the
// combiner's state and the platform's services. The main window's routines and handlers take it by
// reference; the other windows take only their part.
struct Context {
    explicit Context(Platform& p) : platform(p) {}
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    Platform& platform;
    Session session;
    MainModel form;
    // How scripts are built and files written (tests choose small thresholds and limits).
    BuildTuning tuning;
    // How the placement scripts are written: shape, clones, encoding (remembered per user).
    ScriptStyle scriptStyle;
    // The folder the scripts are written into; empty: beside the project (remembered per user).
    std::string outputFolder;
    CombinerState combiner{platform, session.DefaultDir, outputFolder};
    // Each List1 record's line in the environment file, from 1: the IDs of the point caches.
    std::vector<std::uint32_t> recordLines;
    // The kinds of the loaded tile, each once (the combo box lists a kind written 5 and 05 twice).
    std::vector<VegetationKind> kinds;
    // The loaded project's kinds table (<base>.tes.ini) and where it is kept.
    KindsTable kindsTable;
    std::string kindsTablePath;
    // The table's file as last looked at, so that it is read again only when it changed.
    KindsTableStamp kindsTableStamp;
    // The Max file fields as the chosen kind's row filled them; none while no listed kind is chosen.
    std::optional<ChosenKindFields> chosenKindFields;
    // Process All also joins the scripts into one (remembered per user).
    bool joinAllScripts = false;
    // The main window's handlers, installed by whoever builds the program (they run on model changes).
    std::unique_ptr<MainEvents> handlers;
    bool ended = false; // EndProgram has run
};

} // namespace tes
