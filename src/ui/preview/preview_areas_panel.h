#pragma once

#include "form/preview_areas.h"

#include <array>
#include <vector>

#include <QString>
#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tes {

// The preview's areas: the mode in which clicks draw an area or move the chosen one's points, the
// list of areas with Delete, and the chosen area's values; with no area chosen, the values the next
// area drawn takes. It only shows and reports; the window applies.
class PreviewAreasPanel final : public QWidget {
    Q_OBJECT
public:
    explicit PreviewAreasPanel(QWidget* parent = nullptr);

    // Lists the areas, those that cannot be read marked, and shows the values of area `selected`, or
    // `fresh` (the next area's) when it is -1.
    void showAreas(const std::vector<AreaSection>& areas, int selected, const AreaFieldTexts& fresh);
    // Marks a value that was not taken, saying why; an empty `why` shows every value plain again.
    void markField(AreaField field, const QString& why);
    AreaFieldTexts fieldTexts() const;

    QToolButton* modeButton() const { return m_mode; }
    QComboBox* selector() const { return m_selector; }
    QPushButton* deleteButton() const { return m_delete; }
    QComboBox* modeChoice() const { return m_areaMode; }
    QLineEdit* field(AreaField field) const;

signals:
    void modeToggled(bool on);
    void selected(int index);
    void deleteClicked();
    // The values once one is typed or chosen.
    void fieldsEdited(AreaField field);

private:
    QToolButton* m_mode = nullptr;
    QComboBox* m_selector = nullptr;
    QPushButton* m_delete = nullptr;
    QComboBox* m_areaMode = nullptr;
    QLineEdit* m_kinds = nullptr;
    QLineEdit* m_width = nullptr;
    QLineEdit* m_falloff = nullptr;
    AreaFieldTexts m_shown; // what the values showed
};

} // namespace tes
