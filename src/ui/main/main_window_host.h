#pragma once

namespace tes {

// What the main window asks of the program around it: the things that involve other windows or the
// program's end.
class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;
    // "Combine Scripts...": shows the combiner modally; returns when it is hidden or closed.
    virtual void openCombiner() = 0;
    // Exit, or the main window closing.
    virtual void endProgram() = 0;
};

} // namespace tes
