#pragma once

#include "ui/main/main_window_host.h"

#include <functional>
#include <memory>
#include <string>

#include <QCoreApplication>

namespace tes {

struct Context;
class CombinerLauncher;
class MainWindow;
class Platform;

// The running program on the Qt side: the context with the main window's handlers, the main window and
// the combiner. Start-up and the program's end live here.
class Program final : public MainWindowHost {
public:
    explicit Program(Platform& platform);
    ~Program() override;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // How the program's end stops the event loop (QCoreApplication::exit(0) unless replaced).
    void setQuit(std::function<void()> quit) { m_quit = std::move(quit); }

    // Loads both windows hidden (the main window centred), starts the session and shows the main window.
    void start();

    // MainWindowHost
    void openCombiner() override;
    // EndProgram: closes the combiner and the main window and ends the event loop. A second call (the
    // main window's own closing calls it again) does nothing.
    void endProgram() override;

    Context& context() { return *m_ctx; }
    MainWindow& mainWindow() { return *m_window; }
    CombinerLauncher& combiner() { return *m_combiner; }

private:
    // The size the user left the window at, as the settings remember it.
    void restoreWindowSize();

    std::function<void()> m_quit = [] { QCoreApplication::exit(0); };
    std::unique_ptr<Context> m_ctx;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<CombinerLauncher> m_combiner;
};

// Main: the program's start-up routine. An optional argument names a project file that is loaded at
// once, as if chosen with Browse. Returns when the program has ended. With the environment variable
// TES_QUIT_AFTER_START set, the program ends by itself right after that load (the installed copy's
// smoke test).
int Main(int argc, char** argv);

} // namespace tes
