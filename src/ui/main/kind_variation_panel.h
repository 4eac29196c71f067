#pragma once

#include "core/variation_texts.h"

#include <functional>
#include <string>

#include <QGroupBox>

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tes {

// The Kinds dialog's fields of how the selected kind's plants differ: the turn and the scale as
// from-to ranges, the weight of the row's own Max file, and the list of further Max files and objects
// with their weights, which Add, Browse and Remove edit. It holds text; the dialog checks it.
class KindVariationPanel final : public QGroupBox {
    Q_OBJECT
public:
    explicit KindVariationPanel(QWidget* parent = nullptr);

    // Shows the texts of one kind, or none with the fields disabled.
    void showKind(const QString& kindCaption, const VariationTexts& texts);
    void showNone();
    // The texts as typed, a cell still being edited included.
    VariationTexts texts() const;
    // Whether a variant's cell is being edited.
    bool editing() const;
    // Puts the focus on the field a refusal names.
    void focusField(VariationField field, std::size_t variant);

    void setMaxFileChooser(std::function<std::string()> choose) { m_chooseMaxFile = std::move(choose); }

private:
    QLineEdit* addField(const char* name, const char* toolTip);
    void addVariant();
    void browseForVariant();
    void removeVariant();
    void updateButtons();

    QLineEdit* m_turnFrom = nullptr;
    QLineEdit* m_turnTo = nullptr;
    QLineEdit* m_scaleFrom = nullptr;
    QLineEdit* m_scaleTo = nullptr;
    QLineEdit* m_weight = nullptr;
    QTableWidget* m_variants = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_remove = nullptr;
    std::function<std::string()> m_chooseMaxFile;
};

} // namespace tes
