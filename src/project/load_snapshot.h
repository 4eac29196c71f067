#pragma once

#include "core/line_list.h"
#include "core/main_model.h"
#include "core/session.h"

#include <array>
#include <string>
#include <vector>

namespace tes {

struct Context;

// What a project load may change, kept so that a load the user stops can put it all back. The
// environment and vegetation lists are moved out, not copied: they may hold millions of lines.
class LoadSnapshot {
public:
    // Records the session as it was before the load began, the window's fields, and moves List1 and
    // List3 out (they stay empty).
    LoadSnapshot(Context& ctx, Session sessionBefore);
    // Puts everything back as it was when the snapshot was taken.
    void restore();

private:
    Context& m_ctx;
    Session m_session;
    std::array<std::string, static_cast<std::size_t>(TextField::Count)> m_texts;
    bool m_projectPathEnabled = false;
    std::vector<std::string> m_comboItems;
    std::string m_comboText;
    LineList m_list1;
    LineList m_list3;
};

} // namespace tes
