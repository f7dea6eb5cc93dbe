#include "render/plot.h"
#include "render/state.h"
#include "render/surfaces.h"

#include "colouring.h"

namespace orv {

float* hitcount = nullptr;
std::uint32_t hitmax = 0;

colouring::Canvas colouring::RenderCanvas(HDC window) {
    return Canvas{hitcount, res, g_vhdc, window, ClientRes.right, ClientRes.bottom, hitmax};
}

int plot(HDC window, int xplot1, int yplot1) {
    if (xplot1 < 0 || xplot1 >= res || yplot1 < 0 || yplot1 >= res) {
        return 0;
    }
    {
        colouring::Canvas c = colouring::RenderCanvas(window);
        switch (method[type]) {
        case 0:
            colouring::colour<0>(c, xplot1, yplot1, v, oldv);
            break;
        case 1:
            colouring::colour<1>(c, xplot1, yplot1, v, oldv);
            break;
        case 2:
            colouring::colour<2>(c, xplot1, yplot1, v, oldv);
            break;
        default:
            break;
        }
        hitmax = c.most;
    }
    return 0;
}

} // namespace orv
