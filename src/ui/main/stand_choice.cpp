#include "ui/main/stand_choice.h"

#include "ui/main/fault_marks.h"
#include "ui/to_qt.h"

#include <algorithm>

namespace tes {

namespace {

// The default, the pivot and the base; the table's text that could not be read comes after them.
constexpr int kChoices = 3;

} // namespace

StandChoice::StandChoice(QWidget* parent) : QComboBox(parent) {
    setToolTip(QStringLiteral(
        "Where each plant's model meets its point on the terrain: its pivot, or the lowest point of its "
        "bounding box (all its objects), X and Y still by the pivot. 3ds Max pivots a new group at the "
        "middle of its box, so by default a group stands on its base and one object on its pivot. Base "
        "needs the fast script"));
    addItem(QStringLiteral("Default (pivot for one object, base for a group)"), QString());
    addItem(QStringLiteral("Pivot"), QStringLiteral("pivot"));
    addItem(QStringLiteral("Base"), QStringLiteral("base"));
    connect(this, &QComboBox::currentIndexChanged, this, &StandChoice::refreshMark);
}

void StandChoice::showStand(const std::string& stand, const std::optional<VariationMark>& mark) {
    while (count() > kChoices)
        removeItem(count() - 1);
    m_mark = mark;
    if (m_mark)
        addItem(ToQString(m_mark->text), ToQString(m_mark->text));
    setCurrentIndex(std::max(findData(ToQString(stand)), 0));
    refreshMark();
}

std::string StandChoice::stand() const {
    return ToStdString(currentData().toString());
}

void StandChoice::refreshMark() {
    const bool held = m_mark && currentData().toString() == ToQString(m_mark->text);
    ShowFaultMark(*this, held ? ToQString(m_mark->why) : QString());
}

} // namespace tes
