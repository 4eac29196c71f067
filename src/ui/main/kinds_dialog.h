#pragma once

#include "form/variation_texts.h"
#include "ui/main/kinds_model.h"
#include "ui/main/script_options_dialog.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>

class QBoxLayout;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tes {

struct Context;
class KindVariationPanel;

// "Kinds": the Max file and object of every kind of the tile (and of the table's other kinds) in one
// table to edit in place, a Browse button for the selected row, how the selected kind's plants differ
// and how many are kept, the project's seed, and whether Process All also joins its scripts into one.
// Values the kinds table could not read are shown as the user wrote them, marked, to be mended in
// place. OK checks what was changed of the variation of every kind and of the seed, and names the first
// field that is wrong; what was left as shown stays as it was, faults included. Cancel ends it. The
// owner stores what OK leaves.
class KindsDialog final : public QDialog {
    Q_OBJECT
public:
    struct Files {
        std::string table;  // "Valley.tes.ini"
        std::string joined; // "Valley_MainVeg_All.ms"
    };
    // The seed is the table's, or the value it could not read. The dialog opens on the Max file of
    // entry `chosen` (the first entry when it is none of them).
    KindsDialog(std::vector<KindEntry> entries, const Files& files, bool join, std::int64_t seed,
                const std::optional<KeyFault>& seedFault, std::size_t chosen = 0, QWidget* owner = nullptr);

    // How Browse asks for a Max file: the chosen path, or the empty text when none was chosen.
    void setMaxFileChooser(std::function<std::string()> choose);
    // How OK tells why it keeps the dialog open.
    void setRefusalShower(std::function<void(const std::string&)> show) { m_showRefusal = std::move(show); }
    // How OK stores what it took, before the dialog closes: false (the store has said why) keeps it open.
    void setStore(std::function<bool()> store) { m_store = std::move(store); }

    // Shows the kinds table read again while the dialog is open: `now` its entries (KindEntries), with
    // its seed. What the user changed in the dialog stays; the values the table changed are marked.
    void follow(std::vector<KindEntry> now, std::int64_t seed, const std::optional<KeyFault>& seedFault);

    // The rows, with their variation once OK has taken it.
    const std::vector<KindEntry>& entries() const { return m_model->entries(); }
    // The rows as the table gave them when the dialog opened (or last followed the table), in the order
    // of entries(): what the user changed is told from them.
    const std::vector<KindEntry>& openedEntries() const { return m_opened; }
    bool joinChosen() const;
    // The seed OK took from its field; nothing when the field was left as it was shown.
    std::optional<std::int64_t> seed() const { return m_seed; }
    QTableView* table() const { return m_table; }

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildTable();
    QBoxLayout* buildSeedRow();
    // Shows the seed's text and why it is marked, as the table gives it.
    void showSeed(std::int64_t seed, const std::optional<KeyFault>& fault);
    void browseForCurrentRow();
    // Keeps the variation typed for the row shown and shows the row's own.
    void showVariationOf(int row);
    // Takes the seed and every row's variation, or shows the first refusal and keeps the dialog open.
    bool takeVariation();
    // Whether the current cell's editor is open.
    bool editing() const;
    // Takes the text of a cell still being edited, as leaving the cell does.
    void finishEdit();

    KindsModel* m_model = nullptr;
    std::vector<KindEntry> m_opened;
    std::string m_tableName;
    QLabel* m_followed = nullptr; // says that the table changed while the dialog was open
    QTableView* m_table = nullptr;
    QPushButton* m_browse = nullptr;
    QCheckBox* m_join = nullptr;
    KindVariationPanel* m_variation = nullptr;
    QLineEdit* m_seedField = nullptr;
    std::vector<VariationTexts> m_variationTexts;    // one per row, as typed
    std::vector<std::vector<std::string>> m_changed; // per row, the keys the table changed under it
    int m_variationRow = -1;                         // the row the panel shows
    QString m_seedShown;                             // the seed field's text as the table gave it
    QString m_seedWhy;                               // why the table's seed could not be read, if so
    std::optional<std::int64_t> m_seed;
    std::function<std::string()> m_chooseMaxFile;
    std::function<void(const std::string&)> m_showRefusal;
    std::function<bool()> m_store;
};

// The "Kinds..." button: the dialog over `owner` for the loaded project, following the kinds table
// while it is open when `owner` is the main window. OK applies the values the user changed, and the
// seed, to the kinds table as it then is and writes it beside the project; when it cannot, the dialog
// stays open and the table is as before. It then keeps the join choice and the Max files' folder, and
// names the kinds left with values that cannot be read. Cancel changes nothing.
void EditKinds(Context& ctx, QWidget* owner, const DialogRunner& run = ExecDialog);

} // namespace tes
