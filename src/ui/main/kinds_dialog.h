#pragma once

#include "ui/main/kinds_model.h"
#include "ui/main/script_options_dialog.h"

#include <functional>
#include <string>
#include <vector>

#include <QDialog>

class QCheckBox;
class QPushButton;
class QTableView;

namespace tes {

struct Context;

// "Kinds": the Max file and object of every kind of the tile (and of the table's other kinds) in one
// table to edit in place, a Browse button for the selected row, and whether Process All also joins
// its scripts into one. OK and Cancel end it; the owner stores what OK leaves.
class KindsDialog final : public QDialog {
    Q_OBJECT
public:
    struct Files {
        std::string table;  // "Valley.tes.ini"
        std::string joined; // "Valley_MainVeg_All.ms"
    };
    KindsDialog(std::vector<KindEntry> entries, const Files& files, bool join, QWidget* owner = nullptr);

    // How Browse asks for a Max file: the chosen path, or the empty text when none was chosen.
    void setMaxFileChooser(std::function<std::string()> choose) { m_chooseMaxFile = std::move(choose); }

    const std::vector<KindEntry>& entries() const { return m_model->entries(); }
    bool joinChosen() const;
    QTableView* table() const { return m_table; }

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildTable();
    void browseForCurrentRow();
    // Whether the current cell's editor is open.
    bool editing() const;
    // Takes the text of a cell still being edited, as leaving the cell does.
    void finishEdit();

    KindsModel* m_model = nullptr;
    QTableView* m_table = nullptr;
    QPushButton* m_browse = nullptr;
    QCheckBox* m_join = nullptr;
    std::function<std::string()> m_chooseMaxFile;
};

// The "Kinds..." button: the dialog over `owner` for the loaded project. OK stores the rows into the
// kinds table and writes it beside the project, and keeps the join choice and the Max files' folder;
// Cancel changes nothing.
void EditKinds(Context& ctx, QWidget* owner, const DialogRunner& run = ExecDialog);

} // namespace tes
