#pragma once

#include "lib/line_list.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tes {

// The main window's controls that hold data, as a plain model. Commands read and write the model; the
// Qt window shows it and forwards the user's edits to it.
enum class TextField {
    txtOverlap,
    txtProjectFilePath,
    txtNumberOfTiles,
    txtGridRes,
    txtHeading,
    txtPitch,
    txtVerticalScale,
    txtVerticalOffset,
    txtMaxFile,
    txtMaxObjectName,
    txtRotationAngle,
    txtObjectScale,
    txtGridSize,
    Count
};

enum class CheckBox {
    chkMainTile,
    chkPerimeterTile,
    chkUseMaxName,
    chkRotateObjects,
    chkFaceTolvaneSun,
    chkSave,
    chkUseObjectScale,
    Count
};

enum class ListId { List1, List2, List3 };

// Other controls whose state the commands change.
enum class Control { btnProcess, lblRotationAngle, lblVersion, lblStatus, lblRecordCount };

inline constexpr int kUnchecked = 0;
inline constexpr int kChecked = 1;

const char* Name(TextField field);
const char* Name(CheckBox box);

struct TextFieldState {
    std::string text;
    bool locked = false; // shows and selects its text, takes the focus, but the user cannot change it
    bool enabled = true; // a disabled field is dimmed and takes neither focus nor input
    bool grey = false;   // button-face background instead of the window background
    int maxLength = 0;   // how many characters the user may type; 0 means no limit
};

struct CheckBoxState {
    int value = kUnchecked;
    bool enabled = true;
};

// The handlers that the toolkit runs when the program (or the user) changes a control.
class MainEvents {
public:
    virtual ~MainEvents() = default;
    virtual void checkBoxClicked(CheckBox box) = 0;
    virtual void textChanged(TextField field) = 0;
    virtual void comboTextChanged() = 0;
    // The user picked one of the combo box's entries.
    virtual void comboItemPicked() {}
};

// Told about every change, so a view can show it.
class MainModelObserver {
public:
    virtual ~MainModelObserver() = default;
    virtual void textChanged(TextField) {}
    virtual void fieldStateChanged(TextField) {}
    virtual void checkChanged(CheckBox) {}
    virtual void controlChanged(Control) {}
    virtual void comboChanged() {}
    virtual void listChanged(ListId) {}
};

class MainModel {
public:
    MainModel(); // the design-time contents of the window

    void setEvents(MainEvents* events) { m_events = events; }
    void setObserver(MainModelObserver* observer) { m_observer = observer; }

    // Text fields. Setting a text other than the one held runs the field's change handler.
    const std::string& text(TextField field) const { return field_(field).text; }
    void setText(TextField field, std::string_view text);
    const TextFieldState& field(TextField field) const { return field_(field); }
    void setLocked(TextField field, bool locked);
    void setEnabled(TextField field, bool enabled);
    void setGrey(TextField field, bool grey);

    // Check boxes. Setting a new state runs the box's click handler; setting the state it already has
    // runs nothing. `click` is the user's click: it flips the state.
    int check(CheckBox box) const { return box_(box).value; }
    bool isChecked(CheckBox box) const { return box_(box).value == kChecked; }
    void setCheck(CheckBox box, int value);
    void click(CheckBox box) { setCheck(box, isChecked(box) ? kUnchecked : kChecked); }
    const CheckBoxState& checkBox(CheckBox box) const { return box_(box); }
    void setEnabled(CheckBox box, bool enabled);

    bool processEnabled() const { return m_processEnabled; }
    void setProcessEnabled(bool enabled);
    bool rotationAngleLabelEnabled() const { return m_rotationLabelEnabled; }
    void setRotationAngleLabelEnabled(bool enabled);
    const std::string& versionCaption() const { return m_versionCaption; }
    // The status line under the window's controls: what the last load or build did.
    const std::string& statusText() const { return m_statusText; }
    void setStatusText(std::string_view text);
    // What the records list holds, beside it: "168 records on the main tile, 5 kinds".
    const std::string& recordCountText() const { return m_recordCountText; }
    void setRecordCountText(std::string_view text);
    void setVersionCaption(std::string_view caption);

    // comboSelectVegetation: the entries and the text of its edit part. Setting the text (typing or
    // the program) runs the change handler; picking an entry from the list does not.
    const std::vector<std::string>& comboItems() const { return m_comboItems; }
    void clearComboItems();
    void addComboItem(std::string item);
    const std::string& comboText() const { return m_comboText; }
    void setComboText(std::string_view text);
    void pickComboItem(std::size_t index);

    // List1 (environment records), List2 (the script), List3 (hidden, sorted vegetation numbers).
    // Commands change them in bulk and then call listChanged() once.
    LineList& list(ListId id) { return m_lists[static_cast<std::size_t>(id)]; }
    const LineList& list(ListId id) const { return m_lists[static_cast<std::size_t>(id)]; }
    void listChanged(ListId id);

private:
    TextFieldState& field_(TextField f) { return m_fields[static_cast<std::size_t>(f)]; }
    const TextFieldState& field_(TextField f) const { return m_fields[static_cast<std::size_t>(f)]; }
    CheckBoxState& box_(CheckBox b) { return m_boxes[static_cast<std::size_t>(b)]; }
    const CheckBoxState& box_(CheckBox b) const { return m_boxes[static_cast<std::size_t>(b)]; }

    std::array<TextFieldState, static_cast<std::size_t>(TextField::Count)> m_fields;
    std::array<CheckBoxState, static_cast<std::size_t>(CheckBox::Count)> m_boxes;
    bool m_processEnabled = false;
    bool m_rotationLabelEnabled = true;
    std::string m_versionCaption = "X";
    std::string m_statusText;
    std::string m_recordCountText;
    std::vector<std::string> m_comboItems;
    std::string m_comboText;
    std::array<LineList, 3> m_lists;
    MainEvents* m_events = nullptr;
    MainModelObserver* m_observer = nullptr;
};

} // namespace tes
