#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace tes {

struct Context;

// What the file system says of the kinds table's file, to tell cheaply whether it changed.
struct KindsTableStamp {
    enum class Kind { Missing, Regular, Other };
    Kind kind = Kind::Missing;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type time{};
    bool operator==(const KindsTableStamp&) const = default;
};

KindsTableStamp KindsTableStampOf(const std::string& path);

// The window follows its kinds table: when the file changed on disk since the window read, wrote or
// followed it, it is read again with the window's unsaved changes kept on top; the chosen kind's Max
// file fields take its row anew unless the user has edited them since they were filled, and the
// status line says the table was read again and how many of its values cannot be read. Whether the
// table changed. Nothing happens without a loaded project, or when the file is no regular file (a
// pipe or a folder in its place is never read, so the window cannot wait on it).
bool FollowKindsTable(Context& ctx);

} // namespace tes
