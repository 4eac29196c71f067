#pragma once

#include "form/preview_views.h"
#include "project/kinds_table.h"

#include <array>
#include <vector>

#include <QString>
#include <QWidget>

class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tes {

// The preview's views: the mode in which a click sets the chosen view, the list of views with Add,
// Remove and Undo, and the chosen view's numbers. It only shows and reports; the window applies.
class PreviewViewsPanel final : public QWidget {
    Q_OBJECT
public:
    static constexpr std::size_t kFields = kViewFields;

    explicit PreviewViewsPanel(QWidget* parent = nullptr);

    // Names the views, those that cannot be read marked, and shows the numbers of view `selected`
    // (-1: none, and the numbers grey), or the texts as written where it cannot be read, marked.
    void showViews(const std::vector<ViewSection>& views, int selected);
    // Marks a field whose text was not taken, saying why; an empty `why` shows it plain again.
    void markField(ViewField field, const QString& why);
    // The texts the fields hold now, typed ones included.
    ViewFieldTexts fieldTexts() const;
    // What Undo would take back, said in its tip; empty disables it.
    void showUndo(const QString& what);
    // The row the window adds its own buttons to.
    QHBoxLayout* topRow() const { return m_top; }

    QToolButton* modeButton() const { return m_mode; }
    QComboBox* selector() const { return m_selector; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* removeButton() const { return m_remove; }
    QPushButton* undoButton() const { return m_undo; }
    QLineEdit* field(ViewField field) const { return m_fields[static_cast<std::size_t>(field)]; }

signals:
    void modeToggled(bool on);
    void selected(int index);
    void addClicked();
    void removeClicked();
    void undoClicked();
    // A field's text once typed (Enter, or leaving a field that changed).
    void fieldEdited(ViewField field, const QString& text);

private:
    QHBoxLayout* m_top = nullptr;
    QToolButton* m_mode = nullptr;
    QComboBox* m_selector = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_undo = nullptr;
    QWidget* m_numbers = nullptr;
    std::array<QLineEdit*, kFields> m_fields{};
    std::array<QString, kFields> m_shown; // what each field showed of the view
    std::array<bool, kFields> m_marked{}; // holds a text that was not taken
};

} // namespace tes
