#include "qt_fixture.h"

#include "platform/menu.h"
#include "platform/window.h"
#include "render/state.h"
#include "render/surfaces.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <string>
#include <vector>

namespace orv::test {
namespace {

// A menu as text lines: "-" for a separator, "> title" for a sub-menu
// whose items follow indented.
std::vector<std::string> Describe(const QMenu* menu, const std::string& indent = "") {
    std::vector<std::string> lines;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            lines.push_back(indent + "-");
        } else if (action->menu() != nullptr) {
            lines.push_back(indent + "> " + action->text().toStdString());
            for (const std::string& line : Describe(action->menu(), indent + "  ")) {
                lines.push_back(line);
            }
        } else {
            lines.push_back(indent + action->text().toStdString());
        }
    }
    return lines;
}

QAction* Item(QMenuBar* bar, const QString& text) {
    for (QAction* action : bar->findChildren<QAction*>()) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}

class QtMenuBar : public QtProgramTest {};

TEST_F(QtMenuBar, HoldsTheMenuWithItsExactTextsAndOrder) {
    Start();
    QMenuBar* bar = MenuBar();
    ASSERT_NE(bar, nullptr);
    const QList<QAction*> titles = bar->actions();
    ASSERT_EQ(titles.size(), 4);
    EXPECT_EQ(titles[0]->text().toStdString(), "File      ");
    EXPECT_EQ(titles[1]->text().toStdString(), "Render      ");
    EXPECT_EQ(titles[2]->text().toStdString(), "Options      ");
    EXPECT_EQ(titles[3]->text().toStdString(), "Help");
    EXPECT_EQ(Describe(titles[0]->menu()),
              (std::vector<std::string>{"Load Parameter File (L)", "Save Image and Parameters (S)",
                                        "Save Parameters Only (P)", "-", "Exit (Esc)"}));
    EXPECT_EQ(
        Describe(titles[1]->menu()),
        (std::vector<std::string>{"Render / Pause / Resume (R)", "-", "Lyapunov Map (M)", "-",
                                  "Normalize (N)", "Equalize (E)", "> Hit Count Log Normalization",
                                  "  Hit Count Log (C)", "  Hit Count Log Squared (Alt + C)"}));
    EXPECT_EQ(Describe(titles[2]->menu()),
              (std::vector<std::string>{
                  "Attractor Type (F3)", "-", "Parameters (F4)", "Random Parameter Set (F5)", "-",
                  "Coloring Method (F6)", "Background Color (F7)", "Palette (F8)",
                  "Default Palette 1 (F9)", "Default Palette 2 (F10)", "-", "Clear Screen (F11)"}));
    EXPECT_EQ(Describe(titles[3]->menu()),
              (std::vector<std::string>{"Help Topics (F1)", "-", "About (F2)"}));
    for (QAction* action : bar->findChildren<QAction*>()) {
        EXPECT_TRUE(action->shortcut().isEmpty()) << "keys go through the accelerator table";
    }
}

TEST_F(QtMenuBar, MirrorsTheItemStates) {
    Start();
    QMenuBar* bar = MenuBar();
    EXPECT_TRUE(Item(bar, "Default Palette 1 (F9)")->isChecked());
    EXPECT_FALSE(Item(bar, "Default Palette 2 (F10)")->isChecked());
    EXPECT_TRUE(Item(bar, "Parameters (F4)")->isEnabled());

    SendMessageA(g_hWnd, WM_COMMAND, 165, 0);
    EXPECT_FALSE(Item(bar, "Parameters (F4)")->isEnabled());
    EXPECT_FALSE(Item(bar, "Exit (Esc)")->isEnabled());
    EXPECT_TRUE(Item(bar, "Render / Pause / Resume (R)")->isEnabled());

    CheckMenuItem(GetMenu(g_hWnd), 145, MF_BYCOMMAND | MF_CHECKED);
    CheckMenuItem(GetMenu(g_hWnd), 140, MF_BYCOMMAND | MF_UNCHECKED);
    EXPECT_TRUE(Item(bar, "Default Palette 2 (F10)")->isChecked());
    EXPECT_FALSE(Item(bar, "Default Palette 1 (F9)")->isChecked());
}

TEST_F(QtMenuBar, ChoosingAnItemSendsItsCommand) {
    Start();
    Item(MenuBar(), "Render / Pause / Resume (R)")->trigger();
    Item(MenuBar(), "Clear Screen (F11)")->trigger();
    RunLoop();
    EXPECT_EQ(Commands(), (std::vector<UINT>{165, 165, 150}))
        << "start-up's own 165, then the two chosen";
}

TEST_F(QtMenuBar, AMenuClosedWithEscGivesTheKeysBackToTheWindow) {
    Start();
    QWidget* window = WidgetOf(g_hWnd);
    window->activateWindow();
    QApplication::processEvents();
    QMenuBar* bar = MenuBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                      bar->actionGeometry(bar->actions().constFirst()).center());
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    QTest::keyClick(popup, Qt::Key_Escape);
    QApplication::processEvents();
    // Without a window manager the main window is not active again by itself.
    window->activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), Canvas());
}

} // namespace
} // namespace orv::test
