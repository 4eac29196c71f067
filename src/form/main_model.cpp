#include "form/main_model.h"

namespace tes {

namespace {

struct FieldDesign {
    TextField field;
    const char* name;
    const char* text;
    int maxLength;
    bool locked;
    bool enabled;
    bool grey;
};

// The window as designed, before start-up code runs.
constexpr FieldDesign kFieldDesign[] = {
    {TextField::txtOverlap, "txtOverlap", "0", 5, false, true, false},
    {TextField::txtProjectFilePath, "txtProjectFilePath", "", 0, true, false, false},
    {TextField::txtNumberOfTiles, "txtNumberOfTiles", "5 x 5", 0, true, true, true},
    {TextField::txtGridRes, "txtGridRes", "3.0", 0, true, true, true},
    {TextField::txtHeading, "txtHeading", "90.0", 5, false, true, false},
    {TextField::txtPitch, "txtPitch", "45.0", 4, true, true, true},
    {TextField::txtVerticalScale, "txtVerticalScale", "1.000", 0, false, true, false},
    {TextField::txtVerticalOffset, "txtVerticalOffset", "0.000000", 0, false, true, false},
    {TextField::txtMaxFile, "txtMaxFile", "", 0, false, true, false},
    {TextField::txtMaxObjectName, "txtMaxObjectName", "", 0, false, true, false},
    {TextField::txtRotationAngle, "txtRotationAngle", "0.000", 0, false, true, false},
    {TextField::txtObjectScale, "txtObjectScale", "33.333333", 11, true, true, true},
    {TextField::txtGridSize, "txtGridSize", "256", 4, false, true, false},
};

struct BoxDesign {
    CheckBox box;
    const char* name;
    int value;
};

constexpr BoxDesign kBoxDesign[] = {
    {CheckBox::chkMainTile, "chkMainTile", kChecked},
    {CheckBox::chkPerimeterTile, "chkPerimeterTile", kUnchecked},
    {CheckBox::chkUseMaxName, "chkUseMaxName", kChecked},
    {CheckBox::chkRotateObjects, "chkRotateObjects", kChecked},
    {CheckBox::chkFaceTolvaneSun, "chkFaceTolvaneSun", kChecked},
    {CheckBox::chkSave, "chkSave", kUnchecked},
    {CheckBox::chkUseObjectScale, "chkUseObjectScale", kUnchecked},
};

} // namespace

const char* Name(TextField field) {
    return kFieldDesign[static_cast<std::size_t>(field)].name;
}
const char* Name(CheckBox box) {
    return kBoxDesign[static_cast<std::size_t>(box)].name;
}

MainModel::MainModel() {
    for (const FieldDesign& d : kFieldDesign) {
        TextFieldState& f = field_(d.field);
        f.text = d.text;
        f.maxLength = d.maxLength;
        f.locked = d.locked;
        f.enabled = d.enabled;
        f.grey = d.grey;
    }
    for (const BoxDesign& d : kBoxDesign)
        box_(d.box).value = d.value;
}

void MainModel::setText(TextField field, std::string_view text) {
    TextFieldState& f = field_(field);
    if (f.text == text)
        return;
    f.text.assign(text);
    if (m_observer)
        m_observer->textChanged(field);
    if (m_events)
        m_events->textChanged(field);
}

void MainModel::setLocked(TextField field, bool locked) {
    if (field_(field).locked == locked)
        return;
    field_(field).locked = locked;
    if (m_observer)
        m_observer->fieldStateChanged(field);
}

void MainModel::setEnabled(TextField field, bool enabled) {
    if (field_(field).enabled == enabled)
        return;
    field_(field).enabled = enabled;
    if (m_observer)
        m_observer->fieldStateChanged(field);
}

void MainModel::setGrey(TextField field, bool grey) {
    if (field_(field).grey == grey)
        return;
    field_(field).grey = grey;
    if (m_observer)
        m_observer->fieldStateChanged(field);
}

void MainModel::setCheck(CheckBox box, int value) {
    CheckBoxState& b = box_(box);
    if (b.value == value)
        return;
    b.value = value;
    if (m_observer)
        m_observer->checkChanged(box);
    if (m_events)
        m_events->checkBoxClicked(box);
}

void MainModel::setEnabled(CheckBox box, bool enabled) {
    if (box_(box).enabled == enabled)
        return;
    box_(box).enabled = enabled;
    if (m_observer)
        m_observer->checkChanged(box);
}

void MainModel::setProcessEnabled(bool enabled) {
    if (m_processEnabled == enabled)
        return;
    m_processEnabled = enabled;
    if (m_observer)
        m_observer->controlChanged(Control::btnProcess);
}

void MainModel::setRotationAngleLabelEnabled(bool enabled) {
    if (m_rotationLabelEnabled == enabled)
        return;
    m_rotationLabelEnabled = enabled;
    if (m_observer)
        m_observer->controlChanged(Control::lblRotationAngle);
}

void MainModel::setVersionCaption(std::string_view caption) {
    if (m_versionCaption == caption)
        return;
    m_versionCaption.assign(caption);
    if (m_observer)
        m_observer->controlChanged(Control::lblVersion);
}

void MainModel::setStatusText(std::string_view text) {
    if (m_statusText == text)
        return;
    m_statusText.assign(text);
    if (m_observer)
        m_observer->controlChanged(Control::lblStatus);
}

void MainModel::setRecordCountText(std::string_view text) {
    if (m_recordCountText == text)
        return;
    m_recordCountText.assign(text);
    if (m_observer)
        m_observer->controlChanged(Control::lblRecordCount);
}

void MainModel::clearComboItems() {
    m_comboItems.clear();
    if (m_observer)
        m_observer->comboChanged();
}

void MainModel::addComboItem(std::string item) {
    m_comboItems.push_back(std::move(item));
    if (m_observer)
        m_observer->comboChanged();
}

void MainModel::setComboText(std::string_view text) {
    if (m_comboText == text)
        return;
    m_comboText.assign(text);
    if (m_observer)
        m_observer->comboChanged();
    if (m_events)
        m_events->comboTextChanged();
}

void MainModel::pickComboItem(std::size_t index) {
    if (index >= m_comboItems.size() || m_comboText == m_comboItems[index])
        return;
    m_comboText = m_comboItems[index];
    if (m_observer)
        m_observer->comboChanged();
    if (m_events)
        m_events->comboItemPicked();
}

void MainModel::listChanged(ListId id) {
    if (m_observer)
        m_observer->listChanged(id);
}

} // namespace tes
