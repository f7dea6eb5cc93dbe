#include "qt_fixture.h"

#include "platform/window.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"
#include "ui/mainwindow.h"
#include "ui/state.h"

#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <QWidget>

#include <string>
#include <vector>

namespace orv::test {
namespace {

class QtAboutWindow : public QtProgramTest {
  protected:
    // Pauses what start-up began and opens the about window; its canvas.
    QWidget* OpenAbout() {
        RunLoop();
        SendMessageA(g_hWnd, WM_COMMAND, kRenderPauseResume, 0);
        SendMessageA(g_hWnd, WM_COMMAND, kAbout, 0);
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && window->size() == QSize(480, 240)) {
                return window->focusProxy();
            }
        }
        return nullptr;
    }
};

TEST_F(QtAboutWindow, AMenuKeyLeavesItOpenAndATypedLetterClosesIt) {
    Start();
    QWidget* about = OpenAbout();
    ASSERT_NE(about, nullptr);

    QTest::keyClick(about, Qt::Key_R);
    RunLoop();
    EXPECT_EQ(program.aboutflag, 1);
    EXPECT_EQ(okrun, 0) << "R reached no command";

    QTest::keyClick(about, Qt::Key_Q);
    RunLoop();
    EXPECT_EQ(program.aboutflag, 0);
    EXPECT_TRUE(IsWindowEnabled(g_hWnd));
}

// The disabled main window opens no menu and takes no click; keys typed
// there after a click reach the about window, and a punctuation key is a
// typed character too.
TEST_F(QtAboutWindow, TheDisabledMainWindowPassesItsKeysOnAndTakesNothingElse) {
    Start();
    ASSERT_NE(OpenAbout(), nullptr);
    Commands().clear();
    EXPECT_FALSE(MenuBar()->isEnabled());

    QTest::mouseClick(Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::keyClick(Canvas(), Qt::Key_F4);
    RunLoop();
    EXPECT_EQ(okrun, 0) << "the click toggled nothing";
    EXPECT_EQ(program.aboutflag, 1) << "F4 is no character";
    EXPECT_TRUE(Commands().empty());

    QTest::keyClick(Canvas(), Qt::Key_Period);
    RunLoop();
    EXPECT_EQ(program.aboutflag, 0);
    EXPECT_TRUE(IsWindowEnabled(g_hWnd));
    EXPECT_TRUE(MenuBar()->isEnabled());
}

std::vector<std::pair<UINT, WPARAM>> keys;

LRESULT keyRecordingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN || message == WM_CHAR) {
        keys.emplace_back(message, wParam);
    }
    return MainWindowProc(hWnd, message, wParam, lParam);
}

TEST_F(QtAboutWindow, KeysWithoutALetterHaveTheirKeyCodesAndTypeTheirCharacters) {
    Start();
    RunLoop();
    SendMessageA(g_hWnd, WM_COMMAND, kRenderPauseResume, 0);
    keys.clear();
    g_hWnd->proc = keyRecordingProc;
    const std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> pressed = {
        {Qt::Key_Period, Qt::NoModifier},    {Qt::Key_Minus, Qt::NoModifier},
        {Qt::Key_Comma, Qt::NoModifier},     {Qt::Key_Slash, Qt::NoModifier},
        {Qt::Key_Semicolon, Qt::NoModifier}, {Qt::Key_Exclam, Qt::ShiftModifier},
    };
    for (const auto& [key, modifiers] : pressed) {
        QTest::keyClick(Canvas(), key, modifiers);
    }
    RunLoop();
    std::vector<WPARAM> codes;
    std::string typed;
    for (const auto& [message, wParam] : keys) {
        if (message == WM_KEYDOWN && wParam != 0x10) {
            codes.push_back(wParam);
        } else if (message == WM_CHAR) {
            typed += static_cast<char>(wParam);
        }
    }
    EXPECT_EQ(codes, (std::vector<WPARAM>{0xBE, 0xBD, 0xBC, 0xBF, 0xBA, '1'}));
    EXPECT_EQ(typed, ".-,/;!");
}

} // namespace
} // namespace orv::test
