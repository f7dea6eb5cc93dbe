// Modal dialogs from registered templates; the controls keep their state
// here, and the backend shows them.
#include "platform/dialog.h"
#include "platform/backend.h"
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

bool isAutoRadio(HWND control) {
    return control->cls != nullptr && control->cls->name == "BUTTON" &&
           (control->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
}

void setCheck(HWND control, bool checked) {
    if (control->checked != checked) {
        control->checked = checked;
        CurrentBackend().controlChanged(control);
    }
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
    proc(hwnd, WM_INITDIALOG, 0, init);
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
    DialogRecord* record = recordOf(control->parent);
    if (record == nullptr) {
        return;
    }
    // The group is the run of automatic radio buttons around the control,
    // broken by any other kind of control or by a button that starts a new
    // group.
    auto& controls = record->controls;
    const auto at = std::find(controls.begin(), controls.end(), control);
    auto first = at;
    while (first != controls.begin() && (((*first)->style & WS_GROUP) == 0) &&
           isAutoRadio(*(first - 1))) {
        --first;
    }
    auto last = at + 1;
    while (last != controls.end() && isAutoRadio(*last) && ((*last)->style & WS_GROUP) == 0) {
        ++last;
    }
    for (auto it = first; it != last; ++it) {
        (*it)->checked = *it == control;
    }
}

void ResetDialogs() {
    dialogs().clear();
}

} // namespace orv
