#include "qt_fixture.h"

#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"
#include "ui/state.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace orv::test {
namespace {

using QtAboutWindow = QtProgramTest;

TEST_F(QtAboutWindow, AMenuKeyLeavesItOpenAndATypedLetterClosesIt) {
    Start();
    RunLoop(); // start-up's 165: rendering runs
    SendMessageA(g_hWnd, WM_COMMAND, kRenderPauseResume, 0);
    SendMessageA(g_hWnd, WM_COMMAND, kAbout, 0);
    QWidget* about = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->size() == QSize(480, 240)) {
            about = window->focusProxy();
        }
    }
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

} // namespace
} // namespace orv::test
