#pragma once

#include "form/preview_views.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// What Undo in the preview takes back: the changes of the views (a camera placed, a view added or
// removed, a number typed) and of the areas (drawn, a point moved, a value typed, removed), newest
// first, each as the views or the areas were before it.
namespace tes {

class PreviewViewsUndo {
public:
    // Notes a change once it is made and saved: `before` the views as viewSections() held them before
    // it, `what` what it did ("View2 removed").
    void record(std::vector<ViewSection> before, std::string what);
    // The same for a change of the areas, `before` as areaSections() held them.
    void recordAreas(std::vector<AreaSection> before, std::string what);
    bool empty() const { return m_changes.empty(); }
    // What the next Undo takes back; empty when there is nothing.
    std::string next() const;
    // Puts the views back as they were before the last change and writes the table through the save
    // every change takes, which keeps every other line of the file. A view that could not be read
    // comes back only as far as the table still holds it: its lines as written are not kept here.
    // When the table cannot be written the change stays, to be undone again; returns the failure.
    std::optional<Message> undo(PreviewViewsTable views);
    // Another project: its changes cannot be undone in this one.
    void clear() { m_changes.clear(); }

private:
    struct Change {
        std::optional<std::vector<ViewSection>> views; // none: the views did not change
        std::optional<std::vector<AreaSection>> areas; // none: the areas did not change
        std::string what;
    };
    void push(Change change);
    std::vector<Change> m_changes;
};

} // namespace tes
