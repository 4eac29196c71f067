#pragma once

#include "core/preview/preview_scene.h"
#include "form/preview_areas.h"
#include "form/preview_input.h"
#include "form/preview_views_undo.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QPointer>
#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

namespace tes {

class PreviewCanvas;
class PreviewViewsPanel;
class PreviewAreasPanel;

// The "Preview" window: the loaded tile from above, as the placement scripts would place its records.
// It follows every load and every change of the fields the positions depend on; the records are read
// in slices between events, so the window keeps answering on long lists. Its views panel sets the
// project's views, which the picture follows at once (the plants are marked again, not read again).
// It is a window of its own, which the main window does not hold in front of itself; it opens beside
// `owner` and closes with it.
class PreviewWindow final : public QWidget {
    Q_OBJECT
public:
    explicit PreviewWindow(PreviewSource source, QWidget* owner = nullptr);

    // Shows the window in front and reads the records when they changed since it last did.
    void open();
    // The main window's fields or records changed: the picture follows shortly.
    void inputsChanged();
    // The kinds table was read again from its file: the views, the panel and the picture follow.
    void tableFollowed();
    // Reads the records now, in one go (tests, and the first showing).
    void rebuildNow();
    // The Save PNG button's work, with the file already chosen.
    void savePicture(const std::string& path);

    PreviewCanvas* canvas() const { return m_canvas; }
    PreviewViewsPanel* viewsPanel() const { return m_panel; }
    PreviewAreasPanel* areasPanel() const { return m_areasPanel; }
    QPushButton* fitButton() const { return m_fit; }
    QPushButton* saveButton() const { return m_save; }
    QString statusText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeBesideOwner();
    void startBuild();
    void buildSlice();
    void chooseAndSave();
    void showHovered(qint64 row);
    void showStatus(const QString& text);
    // The views as the kinds table holds them, followed by the picture and the panel.
    void followViews();
    void showMessage(const std::optional<Message>& message);
    QString selectedName() const;
    QString savedStatus(const QString& done) const;
    void setMode(bool on);
    void showModeHint();
    void pressView(double X, double Y);
    void dragView(double X, double Y);
    void releaseView();
    void addView();
    void removeView();
    void undoView();
    // Notes a change of the views made and saved, for Undo.
    void recordChange(std::vector<ViewSection> before, const QString& what);
    void editField(ViewField field, const QString& text);
    GroundPoint pointAt(double X, double Y) const;
    // The areas (preview_window_areas.cpp): the panel and the picture as the kinds table holds them.
    void followAreas();
    void setAreaMode(bool on);
    void pressEdit(double X, double Y);
    void dragEdit(double X, double Y);
    void releaseEdit();
    void pressArea(double X, double Y);
    void dragArea(double X, double Y);
    void releaseArea();
    void finishArea();
    void deleteArea();
    void editAreaFields(AreaField field);
    // The area the picture shows, and whose points it offers: the one being dragged, else the chosen.
    void showAreaEdit();
    bool drawingAreas() const;
    // Says what an area's change did, also once the picture has followed it.
    void showAreaStatus(const QString& text);
    void recordAreaChange(std::vector<AreaSection> before, const QString& what);

    PreviewSource m_source;
    QPointer<QWidget> m_owner;
    PreviewViewsUndo m_undo;
    std::vector<ViewSection> m_pressBefore; // the views before the camera being placed
    PreviewCanvas* m_canvas = nullptr;
    PreviewViewsPanel* m_panel = nullptr;
    QPushButton* m_fit = nullptr;
    QPushButton* m_save = nullptr;
    QLabel* m_status = nullptr;
    QString m_summary;          // what the status line says when it names no record
    bool m_namesRecord = false; // the status line names the record under the pointer
    QTimer* m_settle = nullptr; // waits for a burst of changes to end
    QTimer* m_slices = nullptr; // reads the next slice of records
    std::unique_ptr<PreviewSceneBuilder> m_builder;
    std::size_t m_nextRow = 0;
    std::uint64_t m_buildingGeneration = 0;
    std::string m_buildingKey;
    std::vector<PlantView> m_buildingViews;              // the views the scene being read is marked for
    std::uint64_t m_shownGeneration = ~std::uint64_t{0}; // the records the picture shows
    std::string m_shownKey;                              // and the fields it was drawn with
    std::vector<PlantView> m_shownViews;                 // and the views its plants are marked for
    int m_selected = -1;                                 // the view a click and the numbers set
    bool m_settingView = false;                          // a press of the view mode is held
    bool m_placed = false;                               // placed beside the main window once
    PreviewAreasPanel* m_areasPanel = nullptr;
    int m_selectedArea = -1;                      // the area whose points a drag moves; -1: a new one
    std::vector<GroundPoint> m_draft;             // the points of a new area clicked so far
    AreaFieldTexts m_freshArea = NewAreaFields(); // the values the next new area takes
    std::optional<std::size_t> m_heldPoint;       // the point of the chosen area being dragged
    std::optional<PlantArea> m_movedArea;         // that area while it is, stored on release
    QString
        m_afterBuild; // what the status line says again once the records are read anew; empty: the summary
};

} // namespace tes
