#pragma once

#include "form/main_model.h"
#include "ui/main/script_options_dialog.h"

#include <array>
#include <functional>

#include <QWidget>

class QAbstractItemView;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTimer;

namespace tes {

struct Context;
class OutputPane;
class RecordsTable;
class MainWindowHost;
class PreviewWindow;

// frmTolvaneEnviroScripter: a thin view over the window's model (ctx.form). It shows the model, and
// forwards what the user does (clicks, typing, focus changes, buttons) to the model and the commands;
// the model tells it about every change, so what the commands write appears at once.
class MainWindow final : public QWidget, private MainModelObserver {
    Q_OBJECT
public:
    explicit MainWindow(Context& ctx, QWidget* parent = nullptr);
    ~MainWindow() override;

    void setHost(MainWindowHost* host) { m_host = host; }
    // Loads a project file as if the user had chosen it with Browse.
    void openProjectFile(const std::string& path);

    QLineEdit* field(TextField field) const { return m_fields[static_cast<std::size_t>(field)]; }
    QCheckBox* box(CheckBox box) const { return m_boxes[static_cast<std::size_t>(box)]; }
    QAbstractItemView* list(ListId id) const;
    RecordsTable* records() const { return m_list1; }
    OutputPane* outputPane() const { return m_list2; }
    // The keyboard order of the focusable controls, first to last.
    const std::vector<QWidget*>& tabOrder() const { return m_tabOrder; }
    // Remembers a size the user chose that waits to be saved (the program ends, say).
    void saveSizeNow();
    // The line under the controls that says what the last load or build did.
    QStatusBar* statusLine() const { return m_statusLine; }
    // How the window's own dialogs run (tests answer them without waiting on a real one).
    void setDialogRunner(DialogRunner run) { m_runDialog = std::move(run); }
    // The Preview window, once the user has opened it.
    PreviewWindow* previewWindow() const { return m_preview; }

signals:
    // A load finished, or a field the records' positions depend on changed.
    void previewInputsChanged();
    // The kinds table changed on disk and the window has read it again (its unsaved changes kept).
    void kindsTableFollowed();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Building the controls (main_window_layout.cpp).
    void buildControls();
    void buildProjectFrame();
    void buildMaxFileFrame();
    void buildOutputAndCredits();
    void buildRightColumn();
    void buildTabOrder();

    // Growing with the window (main_window_resize.cpp).
    enum Anchor : unsigned {
        kMoveRight = 1,        // keeps to the window's right edge
        kGrowWide = 2,         // takes the extra width
        kMoveDownRecords = 4,  // moves down with the records list's bottom edge
        kMoveDownAll = 8,      // keeps to the window's bottom edge
        kGrowTallRecords = 16, // takes the records list's share of the extra height
        kGrowTallOutput = 32,  // takes the script pane's share of the extra height
    };
    struct Anchored {
        QWidget* widget;
        QRect drawn; // its place in the window as drawn
        unsigned anchors;
    };
    void anchor(QWidget* widget, unsigned anchors);
    void anchorControls();
    void placeControls();
    void growToShowLists();
    QLineEdit* makeField(TextField id, QWidget* parent, const QRect& rect, const char* toolTip = nullptr);
    QCheckBox* makeBox(CheckBox id, const char* caption, QWidget* parent, const QRect& rect);
    QLabel* makeLabel(const char* name, const char* caption, QWidget* parent, int left, int top);
    QPushButton* makeButton(const char* name, const char* caption, QWidget* parent, const QRect& rect,
                            const char* toolTip = nullptr);

    // Forwarding.
    void connectEvents();
    // Looks at the kinds table's file every so often and reads it again when it changed
    // (main_window_follow.cpp).
    void startFollowingKindsTable();
    void runCommand(const char* name, const std::function<void()>& command);
    void onFieldFocusOut(TextField id);

    // Showing the model.
    void showAll();
    void showText(TextField id);
    void showFieldState(TextField id);
    void showCheck(CheckBox id);
    void showCombo();
    void showVersion();
    void refreshLists();
    void showScriptFolder();

    // MainModelObserver
    void textChanged(TextField id) override {
        showText(id);
        emit previewInputsChanged();
    }
    void fieldStateChanged(TextField id) override { showFieldState(id); }
    void checkChanged(CheckBox id) override {
        showCheck(id);
        emit previewInputsChanged();
    }
    void controlChanged(Control control) override;
    void comboChanged() override { showCombo(); }
    void listChanged(ListId id) override;

    Context& m_ctx;
    MainWindowHost* m_host = nullptr;
    bool m_shownBefore = false;
    int m_showing = 0; // > 0 while the window writes the model's values into its widgets

    std::array<QLineEdit*, static_cast<std::size_t>(TextField::Count)> m_fields{};
    std::array<QCheckBox*, static_cast<std::size_t>(CheckBox::Count)> m_boxes{};
    QGroupBox* m_frameSourceTolvaneProject = nullptr;
    QGroupBox* m_frame2 = nullptr;
    QGroupBox* m_frameMaxScriptOutput = nullptr;
    QGroupBox* m_frame1 = nullptr;
    QComboBox* m_comboSelectVegetation = nullptr;
    RecordsTable* m_list1 = nullptr;
    OutputPane* m_list2 = nullptr;
    QLabel* m_lblRecordCount = nullptr;
    QPushButton* m_btnBrowseProjectFile = nullptr;
    QPushButton* m_btnBrowseMaxFile = nullptr;
    QPushButton* m_btnProcess = nullptr;
    QPushButton* m_btnRunScriptCompiler = nullptr;
    QPushButton* m_btnViewHelp = nullptr;
    QPushButton* m_btnExit = nullptr;
    QPushButton* m_btnScriptOptions = nullptr;
    QPushButton* m_btnKinds = nullptr;
    QPushButton* m_btnProcessAll = nullptr;
    QPushButton* m_btnPreview = nullptr;
    PreviewWindow* m_preview = nullptr;
    QLabel* m_lblRotationAngle = nullptr;
    QLabel* m_lblCredits = nullptr;
    QLabel* m_lblVersion = nullptr;
    QStatusBar* m_statusLine = nullptr;
    std::vector<QWidget*> m_tabOrder;
    QSize m_drawnSize;
    std::vector<Anchored> m_anchors;
    QTimer* m_saveSize = nullptr; // remembers the size once the user has stopped resizing
    QTimer* m_followKindsTable = nullptr;
    DialogRunner m_runDialog = ExecDialog;
};

} // namespace tes
