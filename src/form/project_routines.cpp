#include "form/project_routines.h"

#include "form/context.h"
#include "project/sun.h"

#include <optional>

namespace tes {

TileOptions TileOptionsFromForm(const Context& ctx) {
    const MainModel& form = ctx.form;
    return {form.isChecked(CheckBox::chkMainTile), form.text(TextField::txtOverlap),
            form.isChecked(CheckBox::chkUseObjectScale)};
}

LoadFields LoadFieldsFromForm(const Context& ctx) {
    const MainModel& form = ctx.form;
    LoadFields fields;
    fields.scene = {ctx.session.TerrainWidth, form.text(TextField::txtNumberOfTiles),
                    form.text(TextField::txtGridRes), form.text(TextField::txtHeading),
                    form.text(TextField::txtPitch)};
    fields.gridSize = form.text(TextField::txtGridSize);
    fields.objectScale = form.text(TextField::txtObjectScale);
    fields.rotationAngle = form.text(TextField::txtRotationAngle);
    return fields;
}

void ApplyLoadFields(Context& ctx, const LoadFields& fields) {
    MainModel& form = ctx.form;
    ctx.session.TerrainWidth = fields.scene.terrainWidth;
    form.setText(TextField::txtNumberOfTiles, fields.scene.tileFormat);
    form.setText(TextField::txtGridRes, fields.scene.gridRes);
    form.setText(TextField::txtHeading, fields.scene.heading);
    form.setText(TextField::txtPitch, fields.scene.pitch);
    form.setText(TextField::txtGridSize, fields.gridSize);
    form.setText(TextField::txtObjectScale, fields.objectScale);
    form.setText(TextField::txtRotationAngle, fields.rotationAngle);
}

void ApplyVegetationKinds(Context& ctx, const VegetationKinds& kinds) {
    MainModel& form = ctx.form;
    LineList& list3 = form.list(ListId::List3);
    list3.clear();
    for (const std::string& item : kinds.listed)
        list3.append(item);
    form.listChanged(ListId::List3);
    form.setComboText("");
    form.clearComboItems();
    for (const std::string& entry : VegetationEntries(kinds))
        form.addComboItem(entry);
    ctx.kinds = kinds.kinds;
}

void FaceTolvaneSun(Context& ctx) {
    if (std::optional<std::string> angle = RotationFacingSun(ctx.form.text(TextField::txtHeading)))
        ctx.form.setText(TextField::txtRotationAngle, *angle);
}

} // namespace tes
