// Qt keys as Win32 virtual-key codes.
#include "platform/menu.h"
#include "platform/qt_backend.h"

#include <Qt>

namespace orv {

namespace {

// The keys of a US keyboard that type punctuation, by the character they
// type without and with Shift, and their virtual-key codes: the digit keys
// for the characters above the digits, the OEM keys for the rest.
struct PunctuationKey {
    char plain;
    char shifted;
    int key;
};

constexpr PunctuationKey kPunctuation[] = {
    {';', ':', 0xBA},  {'=', '+', 0xBB}, {',', '<', 0xBC}, {'-', '_', 0xBD},  {'.', '>', 0xBE},
    {'/', '?', 0xBF},  {'`', '~', 0xC0}, {'[', '{', 0xDB}, {'\\', '|', 0xDC}, {']', '}', 0xDD},
    {'\'', '"', 0xDE}, {'1', '!', '1'},  {'2', '@', '2'},  {'3', '#', '3'},   {'4', '$', '4'},
    {'5', '%', '5'},   {'6', '^', '6'},  {'7', '&', '7'},  {'8', '*', '8'},   {'9', '(', '9'},
    {'0', ')', '0'},
};

int punctuationKey(int qtKey) {
    for (const PunctuationKey& entry : kPunctuation) {
        if (qtKey == entry.plain || qtKey == entry.shifted) {
            return entry.key;
        }
    }
    return 0;
}

} // namespace

int VirtualKeyFromQt(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        return 'A' + (qtKey - Qt::Key_A);
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return '0' + (qtKey - Qt::Key_0);
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return VK_F1 + (qtKey - Qt::Key_F1);
    }
    switch (qtKey) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Backspace:
        return 0x08;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_PageUp:
        return 0x21;
    case Qt::Key_PageDown:
        return 0x22;
    case Qt::Key_End:
        return 0x23;
    case Qt::Key_Home:
        return 0x24;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return 0x2D;
    case Qt::Key_Delete:
        return 0x2E;
    default:
        return punctuationKey(qtKey);
    }
}

} // namespace orv
