#include "form/preview_views_undo.h"

#include <utility>

namespace tes {

namespace {

constexpr std::size_t kMostChanges = 100; // older ones are forgotten

} // namespace

void PreviewViewsUndo::record(std::vector<ViewSection> before, std::string what) {
    push({std::move(before), std::nullopt, std::move(what)});
}

void PreviewViewsUndo::recordAreas(std::vector<AreaSection> before, std::string what) {
    push({std::nullopt, std::move(before), std::move(what)});
}

void PreviewViewsUndo::push(Change change) {
    if (m_changes.size() == kMostChanges)
        m_changes.erase(m_changes.begin());
    m_changes.push_back(std::move(change));
}

std::string PreviewViewsUndo::next() const {
    return m_changes.empty() ? std::string() : m_changes.back().what;
}

std::optional<Message> PreviewViewsUndo::undo(PreviewViewsTable views) {
    if (m_changes.empty())
        return std::nullopt;
    // A view that cannot be read is not written by the save: the table then takes it as the file holds it.
    const Change& last = m_changes.back();
    if (last.views)
        views.table.restoreViews(*last.views);
    if (last.areas)
        views.table.restoreAreas(*last.areas);
    std::optional<Message> failure = StorePreviewViews(views);
    if (!failure)
        m_changes.pop_back();
    return failure;
}

} // namespace tes
