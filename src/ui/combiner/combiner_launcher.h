#pragma once

#include <QPointer>

class QWidget;

namespace tes {

struct CombinerState;
class CombinerWindow;

// Owns the one combiner window: loads it hidden at start-up, opens it modally from the main window
// with an empty list, recreates it after its close box discarded it, and closes it at shutdown.
class CombinerLauncher {
public:
    CombinerLauncher(CombinerState& state, QWidget* mainWindow);
    ~CombinerLauncher();

    // Creates the window hidden (it centres itself) unless it exists.
    void load();
    // The "Combine Scripts..." button: empties the list and shows the window modally; returns when
    // the window has been hidden (Done) or closed.
    void open();
    // Closes (discards) the window, as at shutdown.
    void close();
    // The window, or null when it does not exist at the moment.
    CombinerWindow* window() const;

private:
    CombinerState& m_state;
    QWidget* m_mainWindow;
    QPointer<CombinerWindow> m_window;
};

} // namespace tes
