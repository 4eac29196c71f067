#include "form/context.h"
#include "form/kinds_table_follow.h"
#include "ui/main/main_window.h"

#include <exception>
#include <string>

#include <QGuiApplication>
#include <QTimer>

namespace tes {

namespace {

// A change on disk shows within a second; a look that finds the file unchanged reads nothing.
constexpr int kFollowIntervalMs = 500;

} // namespace

void MainWindow::startFollowingKindsTable() {
    m_followKindsTable = new QTimer(this);
    m_followKindsTable->setInterval(kFollowIntervalMs);
    connect(m_followKindsTable, &QTimer::timeout, this, [this] {
        // Not while a command works under the wait pointer (a load, a build, Process All): it holds the
        // table, and the progress display lets this timer run in the middle of it.
        if (QGuiApplication::overrideCursor() || m_ctx.ended)
            return;
        bool changed = false;
        try {
            changed = FollowKindsTable(m_ctx);
        } catch (const std::exception& failure) {
            // Said once: looking again would say it again every half second.
            m_followKindsTable->stop();
            m_ctx.platform.showMessageOfKind(
                {MessageKind::Failure,
                 std::string("Unexpected error in FollowKindsTable: ") + failure.what()});
        }
        if (changed)
            emit kindsTableFollowed();
    });
    m_followKindsTable->start();
}

} // namespace tes
