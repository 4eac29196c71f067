#pragma once

#include <QDialog>

class QGroupBox;
class QPushButton;

namespace tes {

struct CombinerState;
class LineListView;
class StatusLine;

// frmScriptCompiler, "Combine Scripts": joins several MAXScript files into one. The list shows
// the state's lstMaxScripts; Add File and Save As run the combiner's commands and then show the list afresh.
// Done (and Escape) hide the window and keep its position; the close box discards it.
class CombinerWindow final : public QDialog {
    Q_OBJECT
public:
    CombinerWindow(CombinerState& state, QWidget* owner);
    ~CombinerWindow() override;

    // Shows the list as it now stands (after it was changed outside the window).
    void refresh();

    LineListView* list() const { return m_lstMaxScripts; }
    // True once the close box has discarded the window; it is deleted soon after.
    bool discarded() const { return m_discarded; }

public slots:
    void reject() override; // Escape presses Done

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void btnAddFile_Click();
    void btnSaveAs_Click();
    void btnDone_Click();
    // Shows what the last command said in the status line.
    void showStatus();

    CombinerState& m_state;
    QPushButton* m_btnDone;
    QGroupBox* m_frameCompiledMaxScript;
    LineListView* m_lstMaxScripts;
    QPushButton* m_btnAddFile;
    QPushButton* m_btnSaveAs;
    StatusLine* m_statusLine;
    bool m_discarded = false;
    bool m_shownOnce = false;
};

} // namespace tes
