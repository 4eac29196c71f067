#pragma once

#include "form/variation_texts.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QGroupBox>

class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tes {

class StandChoice;

// The Kinds dialog's fields of how the selected kind's plants differ: the fields of each key of a kind's
// row that has them, line by line as the keys' declarations place them (the turn and the scale as
// from-to ranges, the weight of the row's own Max file; below the variants, how many of the kind's
// plants are kept, with a view the far model and boxes beyond their distances, and where the model
// stands), and the list of further Max files and objects with their weights, which Add, Browse and
// Remove edit. It holds text; the dialog checks it. A field that shows a value the kinds table could not
// read is marked while it holds that text.
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
    // A field the user types a key's text, or a part of it, into; marked while it holds `mark`'s text.
    struct TypedField {
        VariationField field;
        QLineEdit* edit = nullptr;
        std::optional<VariationMark> mark;
    };

    // Adds the key's fields, each after its label, to the line; a Max file's field with its Browse.
    void addKeyFields(const KindKey& key, QHBoxLayout& line);
    QLineEdit* addLineEdit(const KeyField& field);
    QPushButton* addBrowseButton(const KindKey& key, const KeyField& field, QLineEdit& edit);
    // Adds the table of variants with its buttons to the line.
    void addVariants(const KindKey& key, QHBoxLayout& line);
    void showMarks(const std::vector<VariationMark>& marks);
    // Shows the marks whose fields still hold the texts the table gave.
    void refreshMarks();
    void addVariant();
    void browseForVariant();
    void removeVariant();
    void updateButtons();

    void browseForPath(QLineEdit& edit, QPushButton& browse);

    std::vector<TypedField> m_fields; // in the order Tab takes them
    bool m_refreshing = false;
    const KindKey* m_variantsKey = nullptr;
    QTableWidget* m_variants = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_remove = nullptr;
    VariationField m_standField;
    StandChoice* m_stand = nullptr;
    std::function<std::string()> m_chooseMaxFile;
};

} // namespace tes
