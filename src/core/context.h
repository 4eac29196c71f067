#pragma once

#include "core/line_list.h"
#include "core/main_model.h"
#include "core/session.h"
#include "lib/platform.h"

#include <memory>

namespace tes {

// Everything one running program works on: the session record, the main window's data stores, the
// combiner's list and the platform's services. Commands take it by reference.
struct Context {
    explicit Context(Platform& p) : platform(p) {}
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    Platform& platform;
    Session session;
    MainModel form;
    LineList lstMaxScripts; // the combiner window's list
    // The main window's handlers, installed by whoever builds the program (they run on model changes).
    std::unique_ptr<MainEvents> handlers;
    bool ended = false; // EndProgram has run
};

} // namespace tes
