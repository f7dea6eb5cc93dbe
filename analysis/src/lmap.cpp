#include "analysis/lmap.h"
#include "analysis/lyapunov.h"
#include "analysis/workers.h"
#include "palette/palette.h"
#include "render/state.h"
#include "render/surfaces.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace orv {

namespace {

int row = 0;
LmapRows givenRows;

// The clamped exponent of the pixel with parameters A and B for the map of
// type Type with the parameter set q. It reads no global, so pixels can be
// computed on any thread. Only x and y enter the estimate: the map leaves z
// out, and the ghost image mode plays no part.
template <int Type> double Exponent(const PARAM& q, double A, double B) {
    PARAM pixel = q;
    pixel.a = A;
    pixel.b = B;
    int count = 0;
    VOXEL orbit{q.xstart, q.ystart, 0.0};
    VOXEL neighbour;
    double logaccum = 0.0;
    for (int n = 0; n < 200; ++n) {
        if (n == 101) {
            neighbour = orbit;
            neighbour.x = orbit.x + 1e-6;
        }
        const VOXEL next = MapPoint<false>(Type, pixel, false, orbit, count);
        if (n > 100) {
            neighbour = MapPoint<false>(Type, pixel, false, neighbour, count);
        }
        orbit = next;
        if (n > 100) {
            logaccum = logaccum + Separate(orbit, neighbour);
        }
    }
    double lexp = 1.442694 * logaccum * 0.01;
    if (!(lexp >= -1.984375)) {
        lexp = -1.984375;
    } else if (lexp > 1.984375) {
        lexp = 1.984375;
    }
    return lexp;
}

template <int Type> void Exponents(const PARAM& q, int side, double B, double* exponents) {
    // The pixels of a row are independent: their exponents are computed on
    // every core.
    ParallelFor(side, [&](int begin, int end) {
        for (int i = begin; i < end; ++i) {
            const double A = i * 6.0 / (side - 1) - 3.0;
            exponents[i] = Exponent<Type>(q, A, B);
        }
    });
}

} // namespace

void LmapRow(int t, const PARAM& q, int side, int row, double* exponents) {
    const double B = (side - 1 - row) * 6.0 / (side - 1) - 3.0;
    switch (t) {
    case 0:
        Exponents<0>(q, side, B, exponents);
        break;
    case 1:
        Exponents<1>(q, side, B, exponents);
        break;
    case 2:
        Exponents<2>(q, side, B, exponents);
        break;
    default:
        Exponents<3>(q, side, B, exponents);
        break;
    }
}

void SetLmapRows(LmapRows rows) {
    givenRows = std::move(rows);
}

int lmap(HDC window, int iter) {
    if (iter == 0) {
        row = 0;
    }
    // The exponents are coloured and set one by one here, as a single pass
    // would.
    std::vector<double> exponents(static_cast<std::size_t>(res));
    if (givenRows) {
        givenRows(row, exponents.data());
    } else {
        LmapRow(type, p[type], res, row, exponents.data());
    }
    for (int i = 0; i < res; ++i) {
        LExp = exponents[static_cast<std::size_t>(i)];
        const int color = static_cast<int>((LExp + 2.0) * 64.0);
        SetPixel(g_vhdc, i, row, PaletteColor(palette, static_cast<unsigned>(color)));
    }
    if (row < std::min(res, static_cast<int>(ClientRes.bottom))) {
        BitBlt(window, 0, row, std::min(res, static_cast<int>(ClientRes.right)), 1, g_vhdc, 0, row,
               SRCCOPY);
    }
    ++row;
    return row == res ? 1 : 0;
}

void drawgrid(HDC hdc) {
    const COLORREF yellow = RGB(255, 255, 0);
    HPEN pen = CreatePen(PS_SOLID, 1, yellow);
    SelectObject(hdc, pen);
    SetTextColor(hdc, yellow);
    SetBkMode(hdc, TRANSPARENT);
    int hash[12];
    for (int k = 0; k < 12; ++k) {
        hash[k] = res * k / 12;
    }
    const int right = std::min(res, static_cast<int>(ClientRes.right));
    const int bottom = std::min(res, static_cast<int>(ClientRes.bottom));
    for (int k = 1; k < 12; ++k) {
        if (hash[k] < ClientRes.right) {
            MoveToEx(hdc, hash[k], 0, nullptr);
            LineTo(hdc, hash[k], bottom);
        }
        if (hash[k] < ClientRes.bottom) {
            MoveToEx(hdc, 0, hash[k], nullptr);
            LineTo(hdc, right, hash[k]);
        }
    }
    DeleteObject(pen);
    struct Label {
        const char* text;
        int x;
        int y;
    };
    const Label labels[] = {
        {"A:", hash[1] + 2, 2},  {"-2.0", hash[2] + 2, 2}, {"-1.0", hash[4] + 2, 2},
        {"0.0", hash[6] + 2, 2}, {"1.0", hash[8] + 2, 2},  {"2.0", hash[10] + 2, 2},
        {"B:", 2, hash[1] + 2},  {"2.0", 2, hash[2] + 2},  {"1.0", 2, hash[4] + 2},
        {"0.0", 2, hash[6] + 2}, {"-1.0", 2, hash[8] + 2}, {"-2.0", 2, hash[10] + 2},
    };
    for (const Label& label : labels) {
        TextOutA(hdc, label.x, label.y, label.text, static_cast<int>(std::strlen(label.text)));
    }
}

} // namespace orv
