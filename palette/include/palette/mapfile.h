// Fractint ".map" palettes: reading one into the staging palette and showing
// a preview of it in the corner of the main window.
#pragma once

namespace orv {

// Reads the file named in file (the palette selection) into paltemp: line n
// gives entry n as three integers, each stored as its low eight bits; at most
// 256 lines are read and entries without a line become (1, 1, 1). Returns 0,
// or 1 when the file cannot be opened or read or a line does not begin with
// three integers (the entries before it are then already replaced).
int OpenMapFile();

// Draws the 296 x 100 preview of paltemp at the top left of the main window:
// a three-line frame, the background colour, and one 50-pixel bar per entry
// from x = 20. The off-screen image is not touched. Returns 0.
int showpalette();

} // namespace orv
