// The description of a saved model that info and demo print, as text or as JSON.
#pragma once

#include <string>

// Loads the model of DIR and prints its grid, extent, velocities, resolutions, fixed cells and
// horizons, then one warning line when the checks of `check` find problems. CommandError when
// the model cannot be loaded.
void DescribeModel(const std::string& dir, bool backup, bool json);
