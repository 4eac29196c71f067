#include "ui/program.h"

#include "form/context.h"
#include "form/main_events.h"
#include "form/startup.h"
#include "lib/memory_tuning.h"
#include "ui/combiner/combiner_launcher.h"
#include "ui/main/main_window.h"
#include "ui/qt_platform.h"
#include "ui/to_qt.h"
#include "ui/window_centring.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QTimer>

namespace tes {

Program::Program(Platform& platform) : m_ctx(CreateProgram(platform)) {}

Program::~Program() {
    // The combiner belongs to the main window; it goes first.
    m_combiner.reset();
    m_window.reset();
}

void Program::start() {
    // Form_Load of the main window: created hidden and centred, vertically first.
    m_window = std::make_unique<MainWindow>(*m_ctx);
    m_window->setHost(this);
    CenterOnScreen(*m_window);
    m_combiner = std::make_unique<CombinerLauncher>(m_ctx->combiner, m_window.get());
    m_combiner->load();
    StartSession(*m_ctx);
    restoreWindowSize();
    m_window->show();
    // The window's frame is known only once it is shown; centre again with it.
    CenterOnScreen(*m_window);
}

void Program::restoreWindowSize() {
    const WindowSize saved = SavedWindowSize(*m_ctx);
    if (saved.width == 0 || saved.height == 0)
        return;
    // Never smaller than the window is drawn, never larger than the screen's free area.
    QSize size(saved.width, saved.height);
    size = size.expandedTo(m_window->minimumSize());
    if (const QScreen* screen = m_window->screen())
        size = size.boundedTo(screen->availableGeometry().size()).expandedTo(m_window->minimumSize());
    m_window->resize(size);
}

void Program::openCombiner() {
    if (m_combiner)
        m_combiner->open();
}

void Program::endProgram() {
    if (!BeginEndProgram(*m_ctx))
        return;
    if (m_combiner)
        m_combiner->close();
    if (m_window) {
        m_window->saveSizeNow();
        m_window->close();
    }
    // Ends the event loop: no further handler runs and nothing else is saved.
    m_quit();
}

int Main(int argc, char** argv) {
    ReturnLargeBlocksPromptly();
    QApplication app(argc, argv);
    // Desktops find the window's menu entry and icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tolvane.EnviroScripter"));
    // The program ends through EndProgram only (Exit or closing the main window).
    QApplication::setQuitOnLastWindowClosed(false);

    QtPlatform platform;
    Program program(platform);
    program.start();

    // A project named on the command line loads once the window is up, as if chosen with Browse.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) {
        const std::string path =
            ToStdString(QDir::toNativeSeparators(QFileInfo(arguments.at(1)).absoluteFilePath()));
        QTimer::singleShot(0, &program.mainWindow(),
                           [&program, path] { program.mainWindow().openProjectFile(path); });
    }
    // For a smoke test of an installed copy: the program starts, loads the project named and ends
    // through EndProgram, as if Exit were pressed.
    if (qEnvironmentVariableIsSet("TES_QUIT_AFTER_START"))
        QTimer::singleShot(0, &program.mainWindow(), [&program] { program.endProgram(); });
    return QApplication::exec();
}

} // namespace tes
