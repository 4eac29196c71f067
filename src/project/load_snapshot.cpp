#include "project/load_snapshot.h"

#include "core/context.h"

#include <utility>

namespace tes {

namespace {

constexpr std::size_t kFieldCount = static_cast<std::size_t>(TextField::Count);

} // namespace

LoadSnapshot::LoadSnapshot(Context& ctx, Session sessionBefore)
    : m_ctx(ctx), m_session(std::move(sessionBefore)), m_comboItems(ctx.form.comboItems()),
      m_comboText(ctx.form.comboText()) {
    for (std::size_t i = 0; i < kFieldCount; ++i)
        m_texts[i] = ctx.form.text(static_cast<TextField>(i));
    m_projectPathEnabled = ctx.form.field(TextField::txtProjectFilePath).enabled;
    m_list1.swap(ctx.form.list(ListId::List1));
    m_list3.swap(ctx.form.list(ListId::List3));
    ctx.form.listChanged(ListId::List1);
    ctx.form.listChanged(ListId::List3);
}

void LoadSnapshot::restore() {
    MainModel& form = m_ctx.form;
    m_ctx.session = m_session;
    for (std::size_t i = 0; i < kFieldCount; ++i)
        form.setText(static_cast<TextField>(i), m_texts[i]);
    form.setEnabled(TextField::txtProjectFilePath, m_projectPathEnabled);
    form.list(ListId::List1).swap(m_list1);
    form.list(ListId::List3).swap(m_list3);
    m_list1.clearAndRelease();
    m_list3.clearAndRelease();
    form.listChanged(ListId::List1);
    form.listChanged(ListId::List3);
    form.clearComboItems();
    for (const std::string& item : m_comboItems)
        form.addComboItem(item);
    form.setComboText(m_comboText);
}

} // namespace tes
