// The about window's procedure (class "WJPopupWindow").
#pragma once

#include "platform/user.h"

namespace orv {

LRESULT PopupWindowProc(HWND hPopupwnd, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace orv
