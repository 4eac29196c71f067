#include "ui/combiner/combiner_launcher.h"

#include "form/combiner_state.h"
#include "ui/combiner/combiner_window.h"

namespace tes {

CombinerLauncher::CombinerLauncher(CombinerState& state, QWidget* mainWindow)
    : m_state(state), m_mainWindow(mainWindow) {}

CombinerLauncher::~CombinerLauncher() {
    close();
}

void CombinerLauncher::load() {
    // A window the close box discarded may still wait for its deletion: finish it now.
    if (m_window && m_window->discarded())
        delete m_window.data();
    if (!m_window)
        m_window = new CombinerWindow(m_state, m_mainWindow);
}

void CombinerLauncher::open() {
    load();
    // Each opening starts a new combination; a huge list from last time gives its memory back.
    m_state.lstMaxScripts.clearAndRelease();
    m_state.utf8 = false;
    m_window->refresh();
    m_window->exec(); // modal over the main window, its owner, until Done or the close box
}

void CombinerLauncher::close() {
    if (!m_window)
        return;
    m_window->hide();
    delete m_window.data();
}

CombinerWindow* CombinerLauncher::window() const {
    return m_window.data();
}

} // namespace tes
