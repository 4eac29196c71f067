#pragma once

#include "form/variation_texts.h"

#include <optional>
#include <string>

#include <QComboBox>

namespace tes {

// The Kinds dialog's choice of where the kind's model meets each plant's point: the default (the
// pivot for a model of one object, the base for a group), the pivot or the base. A Stand the kinds
// table could not read is one more entry, as the file writes it, marked while it is chosen. The panel
// that shows it names it after the Stand key's field.
class StandChoice final : public QComboBox {
public:
    explicit StandChoice(QWidget* parent = nullptr);

    // Chooses the stand VariationTexts holds; `mark`, the table's text it could not read, if any.
    void showStand(const std::string& stand, const std::optional<VariationMark>& mark);
    // The chosen stand as VariationTexts holds it.
    std::string stand() const;
    const std::optional<VariationMark>& mark() const { return m_mark; }

private:
    void refreshMark();

    std::optional<VariationMark> m_mark;
};

} // namespace tes
