#pragma once

#include "core/plants/variation_texts.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

#include <QGroupBox>

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tes {

class StandChoice;

// The Kinds dialog's fields of how the selected kind's plants differ: the turn and the scale as
// from-to ranges, the weight of the row's own Max file, and the list of further Max files and objects
// with their weights, which Add, Browse and Remove edit; below them, how many of the kind's plants are
// kept (Keep, and with a view a thinner share beyond a distance), with a view the far model and
// boxes beyond their distances, and where the model stands. It holds text; the dialog checks it. A
// field that shows a value the kinds table could not read is marked while it holds that text.
class KindVariationPanel final : public QGroupBox {
    Q_OBJECT
public:
    explicit KindVariationPanel(QWidget* parent = nullptr);

    // Shows the texts of one kind with their marks, or none with the fields disabled.
    void showKind(const QString& kindCaption, const VariationTexts& texts);
    void showNone();
    // The texts as typed, a cell still being edited included, with the marks shown.
    VariationTexts texts() const;
    // Whether a variant's cell is being edited.
    bool editing() const;
    // Puts the focus on the field a refusal names.
    void focusField(VariationField field, std::size_t variant);

    void setMaxFileChooser(std::function<std::string()> choose) { m_chooseMaxFile = std::move(choose); }

private:
    QLineEdit* addField(const char* name, const char* toolTip);
    // The field of the turn, the scale, the weight or the thinning.
    QLineEdit* field(VariationField field) const { return m_fields.at(static_cast<std::size_t>(field)); }
    void showMarks(const std::vector<VariationMark>& marks);
    // Shows the marks whose fields still hold the texts the table gave.
    void refreshMarks();
    void addVariant();
    void browseForVariant();
    void removeVariant();
    void updateButtons();

    void browseForFarModel();

    // The turn's and the scale's ends, the weight, the thinning and the level of detail, in the order of
    // VariationField.
    std::array<QLineEdit*, 12> m_fields{};
    std::array<std::optional<VariationMark>, 12> m_marks;
    bool m_refreshing = false;
    QTableWidget* m_variants = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_browseFar = nullptr;
    StandChoice* m_stand = nullptr;
    std::function<std::string()> m_chooseMaxFile;
};

} // namespace tes
