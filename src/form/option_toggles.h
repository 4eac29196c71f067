#pragma once

namespace tes {

struct Context;

// The check boxes' click handlers that keep the window consistent at once. Each runs when its box
// changes state, whether the user or the program changed it.
void chkSave_Click(Context& ctx);
void chkMainTile_Click(Context& ctx);
void chkPerimeterTile_Click(Context& ctx);
void chkRotateObjects_Click(Context& ctx);
void chkFaceTolvaneSun_Click(Context& ctx);
void chkUseObjectScale_Click(Context& ctx);
// A kind's key typed into the vegetation combo box ("Vegetation_12", any letter case) is that kind, as
// if picked from the list: the fields take its row. Process checks the text when pressed.
void comboSelectVegetation_Change(Context& ctx);

} // namespace tes
