// The render state: everything that describes the picture being rendered.
// One set of globals for the whole run, read and written directly by the
// parts of the program from its single thread.
#pragma once

#include "render/kernel.h"
#include "render/types.h"

#include <cstdint>

namespace orv {

constexpr int kTypes = 4;

// The attractor types, indexing every per-type array.
extern int type;
extern const PARAM pdef[kTypes];
extern PARAM p[kTypes];
extern const double abcdrange[4];
extern const MINMAX mmdef[kTypes];
extern MINMAX mm[kTypes];
extern const MINMAX mmrange;
extern VOXEL rot[kTypes];
extern int rotationorder;
extern int method[kTypes];

// The image.
extern int res;
extern double dres;
extern int saveres;
extern int hcres;

// The background colour: back is always red | green << 8 | blue << 16.
extern std::uint32_t back;
extern int red;
extern int green;
extern int blue;

// The iteration.
extern VOXEL v;
extern VOXEL oldv;
extern int itercount;
extern long double xradians_user;
extern long double yradians_user;
extern long double zradians_user;
// The ghost image counter of the map in use; the Lyapunov estimate advances
// it too.
extern int ghostcount;

// Mode flags, 0 = off and 1 = on.
extern int okrun;
extern int firstloop;
extern int lmapflag;
extern int ghostflag;
extern int debugflag;
extern int gridflag;
extern int logsquare;

// Names shown to the user for the types and the colouring methods.
extern const char* const typeNames[kTypes];
extern const char* const methodNames[3];

// The inputs of a render step of the selected type, from the state above.
KernelInputs RenderInputs();
// True when inputs equals RenderInputs(), without making a copy: the render
// driver asks on every step.
bool MatchesRenderState(const KernelInputs& inputs);

// Puts the render state back to how the program starts: the working sets,
// view windows and rotations from the default tables, and every other value
// at its initial value. The hit-count buffer is not touched.
void ResetRenderState();

} // namespace orv
