// The Palette command's two steps: reading the chosen ".map" file and showing
// a preview of it in the corner of the main window.
#pragma once

namespace orv {

// Reads the file named in file (the palette selection) into paltemp, as
// ReadMapFile does. Returns 0, or 1 when it cannot be read.
int OpenMapFile();

// Draws the 296 x 100 preview of paltemp at the top left of the main window:
// a three-line frame, the background colour, and one 50-pixel bar per entry
// from x = 20. The off-screen image is not touched. Returns 0.
int showpalette();

} // namespace orv
