// A window's menu as a Qt menu bar. The actions have no shortcuts of their
// own: keys go through the accelerator table only.
#include "qt_window.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace orv {

namespace {

void addItems(QMenu* menu, const Menu* source, HWND hwnd, std::map<UINT, QAction*>& actions) {
    for (const MenuItem& item : source->items) {
        if ((item.flags & MF_SEPARATOR) != 0) {
            menu->addSeparator();
        } else if (item.popup != nullptr) {
            addItems(menu->addMenu(QString::fromStdString(item.text)), item.popup, hwnd, actions);
        } else {
            QAction* action = menu->addAction(QString::fromStdString(item.text));
            const UINT id = item.id;
            QObject::connect(action, &QAction::triggered, [hwnd, id] {
                if (!hwnd->destroyed && hwnd->enabled) {
                    PostMessageA(hwnd, WM_COMMAND, id, 0);
                }
            });
            actions[id] = action;
        }
    }
}

void updateItems(const Menu* menu, const std::map<UINT, QAction*>& actions) {
    for (const MenuItem& item : menu->items) {
        if (item.popup != nullptr) {
            updateItems(item.popup, actions);
            continue;
        }
        auto found = actions.find(item.id);
        if ((item.flags & MF_SEPARATOR) != 0 || found == actions.end()) {
            continue;
        }
        QAction* action = found->second;
        const bool enabled = (item.flags & (MF_GRAYED | MF_DISABLED)) == 0;
        const bool checked = (item.flags & MF_CHECKED) != 0;
        if (action->isEnabled() != enabled) {
            action->setEnabled(enabled);
        }
        if (action->isChecked() != checked || action->isCheckable() != checked) {
            action->setCheckable(checked);
            action->setChecked(checked);
        }
    }
}

// A menu closed with Esc leaves the menu bar holding the keyboard until a
// second Esc; the window gets its keys back instead, once no other menu of
// the bar has opened meanwhile.
void giveKeysBack(QMenuBar* bar) {
    QTimer::singleShot(0, bar, [bar] {
        QWidget* canvas = bar->window()->focusProxy();
        if (QApplication::activePopupWidget() == nullptr && canvas != nullptr) {
            canvas->setFocus(Qt::OtherFocusReason);
        }
    });
}

} // namespace

void BuildMenuBar(QMenuBar* bar, HWND hwnd, std::map<UINT, QAction*>& actions) {
    for (const MenuItem& top : hwnd->menu->items) {
        if (top.popup != nullptr) {
            QMenu* menu = bar->addMenu(QString::fromStdString(top.text));
            addItems(menu, top.popup, hwnd, actions);
            QObject::connect(menu, &QMenu::aboutToHide, bar, [bar] { giveKeysBack(bar); });
        }
    }
    UpdateMenuActions(hwnd->menu, actions);
}

void UpdateMenuActions(HMENU menu, const std::map<UINT, QAction*>& actions) {
    updateItems(menu, actions);
}

} // namespace orv
