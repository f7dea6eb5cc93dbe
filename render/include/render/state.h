// The render state: everything that describes the picture being rendered.
// One set of values for the whole run, grouped by what they describe, with
// their start values written once in the groups below. The parts of the
// program read and write them by the names at the end, from its single
// thread.
#pragma once

#include "render/defaults.h"
#include "render/kernel.h"
#include "render/types.h"

#include <cstdint>

namespace orv {

// What is drawn: the selected type, the settings each type keeps while
// another is selected, and the rotation order all types share.
struct Picture {
    int type = 0;
    PARAM p[kTypes] = {pdef[0], pdef[1], pdef[2], pdef[3]};
    MINMAX mm[kTypes] = {mmdef[0], mmdef[1], mmdef[2], mmdef[3]};
    VOXEL rot[kTypes] = {};
    int rotationorder = 0;
    int method[kTypes] = {0, 0, 0, 0};
};

// The image side. A size takes effect through SetRes, which keeps dres equal
// to res; the Parameters dialog holds a size it has not applied yet in res
// alone, and saveres the size to go back to.
struct ImageSize {
    int res = kStartRes;
    double dres = kStartRes;
    int saveres = 0;
};

// The background colour: back is what is drawn, red, green and blue its
// parts as the Background dialog shows them. SetBackground sets all four
// together. A parameter file is loaded as it was written, so after loadgan
// back and the parts agree only if they agreed in the file.
struct Background {
    std::uint32_t back =
        BackgroundColour(kStartBackground[0], kStartBackground[1], kStartBackground[2]);
    int red = kStartBackground[0];
    int green = kStartBackground[1];
    int blue = kStartBackground[2];
};

// The render in progress: the current and the previous iterate, the steps
// taken (counting stops at 1000), the rotation's angles in radians as the
// render driver last computed them, and the ghost image counter of the map
// in use, which the Lyapunov estimate advances too.
struct Iteration {
    VOXEL v;
    VOXEL oldv;
    int itercount = 0;
    long double xradians_user = 0.0L;
    long double yradians_user = 0.0L;
    long double zradians_user = 0.0L;
    int ghostcount = 0;
};

// Mode flags, 0 = off and 1 = on.
struct Modes {
    int okrun = 0;
    int firstloop = 1;
    int lmapflag = 0;
    int ghostflag = 0;
    int debugflag = 0;
    int gridflag = 0;
    int logsquare = 0;
};

struct RenderState {
    Picture picture;
    ImageSize image;
    Background background;
    Iteration iteration;
    Modes modes;
};

extern RenderState renderstate;

inline int& type = renderstate.picture.type;
inline PARAM (&p)[kTypes] = renderstate.picture.p;
inline MINMAX (&mm)[kTypes] = renderstate.picture.mm;
inline VOXEL (&rot)[kTypes] = renderstate.picture.rot;
inline int& rotationorder = renderstate.picture.rotationorder;
inline int (&method)[kTypes] = renderstate.picture.method;

inline int& res = renderstate.image.res;
inline double& dres = renderstate.image.dres;
inline int& saveres = renderstate.image.saveres;

inline std::uint32_t& back = renderstate.background.back;
inline int& red = renderstate.background.red;
inline int& green = renderstate.background.green;
inline int& blue = renderstate.background.blue;

inline VOXEL& v = renderstate.iteration.v;
inline VOXEL& oldv = renderstate.iteration.oldv;
inline int& itercount = renderstate.iteration.itercount;
inline long double& xradians_user = renderstate.iteration.xradians_user;
inline long double& yradians_user = renderstate.iteration.yradians_user;
inline long double& zradians_user = renderstate.iteration.zradians_user;
inline int& ghostcount = renderstate.iteration.ghostcount;

inline int& okrun = renderstate.modes.okrun;
inline int& firstloop = renderstate.modes.firstloop;
inline int& lmapflag = renderstate.modes.lmapflag;
inline int& ghostflag = renderstate.modes.ghostflag;
inline int& debugflag = renderstate.modes.debugflag;
inline int& gridflag = renderstate.modes.gridflag;
inline int& logsquare = renderstate.modes.logsquare;

// The side the hit-count buffer was made for, 0 while there is none. It
// belongs to the buffer (render/hitcount.h), which alone writes it, and
// outlives a reset of the state above.
extern int hcres;

// Names shown to the user for the colouring methods (the types' are in
// render/types.h).
extern const char* const methodNames[3];

// A size that takes effect: res and dres.
void SetRes(int side);
// The background colour from its parts, each 0 to 255.
void SetBackground(int r, int g, int b);

// The inputs of a render step of the selected type, from the state above.
KernelInputs RenderInputs();

// Puts the render state back to how the program starts. The hit-count buffer
// and hcres are not touched.
void ResetRenderState();

} // namespace orv
