// Files dropped on a window: a window that accepts them gets WM_DROPFILES
// with the drop in wParam, reads the names and then releases the drop.
#pragma once

#include "platform/types.h"

#include <string>
#include <vector>

namespace orv {

struct DropFiles;
using HDROP = DropFiles*;

constexpr UINT WM_DROPFILES = 0x0233;

void DragAcceptFiles(HWND hwnd, BOOL accept);
// Whether files dropped on the window are passed to it.
bool AcceptsFiles(HWND hwnd);
// The number of files with index 0xFFFFFFFF; otherwise copies the name of
// file index into buffer (size characters with the terminator) and returns
// its length, 0 if there is no such file or it does not fit.
UINT DragQueryFileA(HDROP drop, UINT index, char* buffer, UINT size);
void DragFinish(HDROP drop);

// Posts WM_DROPFILES with the paths to a window that accepts files, as the
// window system does; backends and tests use it.
void PostDroppedFiles(HWND hwnd, const std::vector<std::string>& paths);
// Releases every drop not finished yet.
void ResetDrops();

} // namespace orv
