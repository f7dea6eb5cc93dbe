// Modal dialogs from registered templates; the controls keep their state
// here, and the backend shows them.
#include "platform/dialog.h"
#include "platform/backend.h"
#include "platform/menu.h"
#include "platform/window.h"

#include "queue.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

namespace orv {

namespace {

struct DialogRecord {
    HWND hwnd = nullptr;
    DLGPROC proc = nullptr;
    const DialogTemplate* tmpl = nullptr;
    std::vector<HWND> controls;
    bool ended = false;
    INT_PTR result = 0;
};

std::map<std::string, DialogTemplate>& dialogResources() {
    static std::map<std::string, DialogTemplate> resources;
    return resources;
}

std::vector<std::unique_ptr<DialogRecord>>& dialogs() {
    static std::vector<std::unique_ptr<DialogRecord>> all;
    return all;
}

std::string resourceKey(const char* name) {
    if (IS_INTRESOURCE(name)) {
        return "#" + std::to_string(reinterpret_cast<std::uintptr_t>(name));
    }
    return name;
}

DialogRecord* recordOf(HWND dialog) {
    for (const auto& d : dialogs()) {
        if (d->hwnd == dialog) {
            return d.get();
        }
    }
    return nullptr;
}

// The window keys go to.
HWND focused = nullptr;

bool isAutoRadio(HWND control) {
    return control->cls != nullptr && control->cls->name == "BUTTON" &&
           (control->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
}

// An edit box keeps the arrow keys for its caret.
bool takesArrows(HWND control) {
    return control->cls != nullptr && control->cls->name == "EDIT";
}

bool reachable(HWND control) {
    return control->visible && control->enabled;
}

void setCheck(HWND control, bool checked) {
    if (control->checked != checked) {
        control->checked = checked;
        CurrentBackend().controlChanged(control);
    }
}

// The group of the control at index at: from the control with WS_GROUP at
// or before it (or the first) up to, not including, the next one.
struct Group {
    std::size_t first;
    std::size_t last;
};

Group groupAround(const std::vector<HWND>& controls, std::size_t at) {
    Group group{at, at + 1};
    while (group.first > 0 && (controls[group.first]->style & WS_GROUP) == 0) {
        --group.first;
    }
    while (group.last < controls.size() && (controls[group.last]->style & WS_GROUP) == 0) {
        ++group.last;
    }
    return group;
}

// Checks an automatic radio button and unchecks the others of its group;
// notify says whether the backend is told.
void checkInGroup(const std::vector<HWND>& controls, HWND control, bool notify) {
    const auto at = std::find(controls.begin(), controls.end(), control);
    if (at == controls.end()) {
        return;
    }
    const Group group = groupAround(controls, static_cast<std::size_t>(at - controls.begin()));
    for (std::size_t i = group.first; i < group.last; ++i) {
        HWND member = controls[i];
        if (!isAutoRadio(member)) {
            continue;
        }
        if (notify) {
            setCheck(member, member == control);
        } else {
            member->checked = member == control;
        }
    }
}

HWND firstTabStop(const std::vector<HWND>& controls) {
    for (HWND control : controls) {
        if ((control->style & WS_TABSTOP) != 0 && reachable(control)) {
            return control;
        }
    }
    return nullptr;
}

LRESULT controlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case BM_GETCHECK:
        return hwnd->checked ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK:
        setCheck(hwnd, wParam == BST_CHECKED);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

// What the window system does for a dialog when its procedure does not
// handle a message: closing it means Cancel.
LRESULT dialogWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogRecord* record = recordOf(hwnd);
    if (record != nullptr && record->proc(hwnd, message, wParam, lParam) != FALSE) {
        return TRUE;
    }
    if (message == WM_CLOSE) {
        return SendMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    }
    return 0;
}

const WindowClass* controlClass(const std::string& name) {
    static std::map<std::string, WindowClass> builtIn;
    auto [it, inserted] = builtIn.try_emplace(name);
    if (inserted) {
        it->second.name = name;
        it->second.wc.lpfnWndProc = controlProc;
        it->second.wc.lpszClassName = it->second.name.c_str();
    }
    return &it->second;
}

HWND createControl(HWND dialog, const DialogItemTemplate& item) {
    auto window = std::make_unique<Window>();
    window->cls = controlClass(item.className);
    window->proc = controlProc;
    window->title = item.text;
    window->style = item.style;
    window->frame = RECT{item.x, item.y, item.x + item.cx, item.y + item.cy};
    window->client = RECT{0, 0, item.cx, item.cy};
    window->owner = dialog;
    window->parent = dialog;
    window->id = item.id;
    window->visible = true;
    return AddWindowRecord(std::move(window));
}

} // namespace

void RegisterDialogResource(WORD id, DialogTemplate dialog) {
    dialogResources()[resourceKey(MAKEINTRESOURCEA(id))] = std::move(dialog);
}

const DialogTemplate* FindDialogResource(const char* name) {
    if (name == nullptr) {
        return nullptr;
    }
    auto found = dialogResources().find(resourceKey(name));
    return found != dialogResources().end() ? &found->second : nullptr;
}

INT_PTR DialogBoxParamA(HINSTANCE, const char* templateName, HWND owner, DLGPROC proc,
                        LPARAM init) {
    const DialogTemplate* tmpl = FindDialogResource(templateName);
    if (tmpl == nullptr || proc == nullptr) {
        return -1;
    }
    auto window = std::make_unique<Window>();
    window->proc = dialogWindowProc;
    window->title = tmpl->caption;
    window->style = tmpl->style;
    window->frame = RECT{0, 0, tmpl->cx, tmpl->cy};
    window->client = RECT{0, 0, tmpl->cx, tmpl->cy};
    window->owner = owner;
    HWND hwnd = AddWindowRecord(std::move(window));

    auto record = std::make_unique<DialogRecord>();
    record->hwnd = hwnd;
    record->proc = proc;
    record->tmpl = tmpl;
    for (const DialogItemTemplate& item : tmpl->items) {
        record->controls.push_back(createControl(hwnd, item));
    }
    DialogRecord* current = record.get();
    dialogs().push_back(std::move(record));

    const bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner) != FALSE;
    if (ownerWasEnabled) {
        EnableWindow(owner, FALSE);
    }
    if (proc(hwnd, WM_INITDIALOG, 0, init) != FALSE && !current->ended) {
        SetFocus(firstTabStop(current->controls));
    }
    if (!current->ended) {
        CurrentBackend().runDialog(hwnd);
    }
    DestroyWindow(hwnd);
    if (ownerWasEnabled) {
        EnableWindow(owner, TRUE);
    }
    return current->result;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    DialogRecord* record = recordOf(dialog);
    if (record == nullptr || record->ended) {
        return FALSE;
    }
    record->ended = true;
    record->result = result;
    CurrentBackend().dialogEnded(dialog);
    return TRUE;
}

HWND GetDlgItem(HWND dialog, int id) {
    DialogRecord* record = recordOf(dialog);
    if (record == nullptr) {
        return nullptr;
    }
    for (HWND control : record->controls) {
        if (control->id == id) {
            return control;
        }
    }
    return nullptr;
}

int GetDlgCtrlID(HWND control) {
    return control != nullptr ? control->id : 0;
}

UINT GetDlgItemTextA(HWND dialog, int id, char* buffer, int size) {
    if (buffer == nullptr || size <= 0) {
        return 0;
    }
    HWND control = GetDlgItem(dialog, id);
    const std::string text = control != nullptr ? control->title : std::string();
    const std::size_t count = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<UINT>(count);
}

BOOL SetDlgItemTextA(HWND dialog, int id, const char* text) {
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) {
        return FALSE;
    }
    control->title = text != nullptr ? text : "";
    CurrentBackend().controlChanged(control);
    return TRUE;
}

BOOL CheckRadioButton(HWND dialog, int first, int last, int checked) {
    DialogRecord* record = recordOf(dialog);
    if (record == nullptr) {
        return FALSE;
    }
    for (HWND control : record->controls) {
        if (control->id >= first && control->id <= last) {
            setCheck(control, control->id == checked);
        }
    }
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr && control->checked ? BST_CHECKED : BST_UNCHECKED;
}

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(GetDlgItem(dialog, id), message, wParam, lParam);
}

const DialogTemplate* DialogTemplateOf(HWND dialog) {
    DialogRecord* record = recordOf(dialog);
    return record != nullptr ? record->tmpl : nullptr;
}

std::vector<HWND> DialogControls(HWND dialog) {
    DialogRecord* record = recordOf(dialog);
    return record != nullptr ? record->controls : std::vector<HWND>{};
}

bool DialogEnded(HWND dialog) {
    DialogRecord* record = recordOf(dialog);
    return record == nullptr || record->ended;
}

void UserEditedText(HWND control, const std::string& text) {
    if (control != nullptr && !control->destroyed) {
        control->title = text;
    }
}

void UserCheckedRadio(HWND control) {
    if (control == nullptr || control->destroyed || !isAutoRadio(control)) {
        return;
    }
    if (DialogRecord* record = recordOf(control->parent)) {
        checkInGroup(record->controls, control, false);
    }
}

void UserFocused(HWND hwnd) {
    if (hwnd != nullptr && !hwnd->destroyed) {
        focused = hwnd;
    }
}

HWND GetFocus() {
    return focused != nullptr && !focused->destroyed ? focused : nullptr;
}

HWND SetFocus(HWND hwnd) {
    if (hwnd != nullptr && hwnd->destroyed) {
        return nullptr;
    }
    HWND previous = GetFocus();
    focused = hwnd;
    if (hwnd != nullptr && hwnd != previous) {
        CurrentBackend().focusChanged(hwnd);
    }
    return previous;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
    DialogRecord* record = recordOf(dialog);
    if (record == nullptr) {
        return nullptr;
    }
    const std::vector<HWND>& controls = record->controls;
    const auto found = std::find(controls.begin(), controls.end(), control);
    if (found == controls.end()) {
        return nullptr;
    }
    const auto at = static_cast<std::size_t>(found - controls.begin());
    const Group group = groupAround(controls, at);
    const std::size_t size = group.last - group.first;
    const std::size_t index = at - group.first;
    for (std::size_t step = 1; step < size; ++step) {
        const std::size_t i =
            previous != FALSE ? (index + size - step) % size : (index + step) % size;
        HWND candidate = controls[group.first + i];
        if (reachable(candidate)) {
            return candidate;
        }
    }
    return control;
}

BOOL IsDialogMessageA(HWND dialog, MSG* msg) {
    if (msg == nullptr || msg->message != WM_KEYDOWN || msg->hwnd == nullptr ||
        msg->hwnd->parent != dialog || recordOf(dialog) == nullptr || takesArrows(msg->hwnd)) {
        return FALSE;
    }
    const WPARAM key = msg->wParam;
    const bool previous = key == VK_UP || key == VK_LEFT;
    if (!previous && key != VK_DOWN && key != VK_RIGHT) {
        return FALSE;
    }
    HWND next = GetNextDlgGroupItem(dialog, msg->hwnd, previous ? TRUE : FALSE);
    SetFocus(next);
    if (isAutoRadio(next) && !next->checked) {
        checkInGroup(recordOf(dialog)->controls, next, true);
        SendMessageA(dialog, WM_COMMAND,
                     static_cast<WPARAM>(static_cast<WORD>(next->id)) |
                         static_cast<WPARAM>(BN_CLICKED) << 16,
                     reinterpret_cast<LPARAM>(next));
    }
    return TRUE;
}

void ResetDialogs() {
    dialogs().clear();
    focused = nullptr;
}

} // namespace orv
