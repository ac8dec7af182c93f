// Edits that join the learned-button grid and the slot table: a button deleted from the grid
// also leaves every "Button" event that used it.
#pragma once

#include "config/record.h"
#include "tools/button_grid.h"

namespace ztv {

// The shared popup's "Delete this key": the entry, its cell, and in every event of the button
// kind a main or modifier reference to exactly this column and row.
void delete_learned_button(Record& record, ButtonGrid& grid, unsigned column, unsigned row);

}  // namespace ztv
