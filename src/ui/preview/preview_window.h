#pragma once

#include "core/preview_scene.h"
#include "form/preview_input.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

namespace tes {

class PreviewCanvas;

// The "Preview" window: the loaded tile from above, as the placement scripts would place its records.
// It follows every load and every change of the fields the positions depend on; the records are read
// in slices between events, so the window keeps answering on long lists.
class PreviewWindow final : public QWidget {
    Q_OBJECT
public:
    explicit PreviewWindow(PreviewSource source, QWidget* parent = nullptr);

    // Shows the window in front and reads the records when they changed since it last did.
    void open();
    // The main window's fields or records changed: the picture follows shortly.
    void inputsChanged();
    // Reads the records now, in one go (tests, and the first showing).
    void rebuildNow();
    // The Save PNG button's work, with the file already chosen.
    void savePicture(const std::string& path);

    PreviewCanvas* canvas() const { return m_canvas; }
    QPushButton* fitButton() const { return m_fit; }
    QPushButton* saveButton() const { return m_save; }

private:
    void startBuild();
    void buildSlice();
    void chooseAndSave();
    void showHovered(qint64 row);

    PreviewSource m_source;
    PreviewCanvas* m_canvas = nullptr;
    QPushButton* m_fit = nullptr;
    QPushButton* m_save = nullptr;
    QLabel* m_status = nullptr;
    QTimer* m_settle = nullptr; // waits for a burst of changes to end
    QTimer* m_slices = nullptr; // reads the next slice of records
    std::unique_ptr<PreviewSceneBuilder> m_builder;
    std::size_t m_nextRow = 0;
    std::uint64_t m_buildingGeneration = 0;
    std::string m_buildingKey;
    std::vector<PlantView> m_buildingViews;              // drawn over the scene being read
    std::uint64_t m_shownGeneration = ~std::uint64_t{0}; // the records the picture shows
    std::string m_shownKey;                              // and the fields it was drawn with
};

} // namespace tes
