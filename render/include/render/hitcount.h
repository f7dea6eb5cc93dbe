// The memory of the hit-count buffer: one zero-filled block from the local
// heap, owned here and seen by everyone else through hitcount (plot.h).
#pragma once

namespace orv {

// Makes hitcount a buffer of res x res zeros: the present one cleared when it
// was made for this size (hcres equals res), else a new one, with hcres set
// to res. False, with no buffer and hcres 0, when no memory could be had.
bool PrepareHitCount();

// Frees the hit-count buffer; hcres becomes 0.
void FreeHitCount();

} // namespace orv
