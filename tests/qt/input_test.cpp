#include "qt_fixture.h"

#include "files/gan.h"
#include "files/selection.h"
#include "platform/window.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"
#include "ui/startup.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QElapsedTimer>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <cstring>

namespace orv::test {
namespace {

class QtInput : public QtProgramTest {};

TEST_F(QtInput, AKeyPressReachesTheAcceleratorTable) {
    Start();
    // Ctrl+Alt+D says what it did in a message box, which the user closes.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->accept();
        }
    });
    closer.start(20);
    QTest::keyClick(Canvas(), Qt::Key_R);
    QTest::keyClick(Canvas(), Qt::Key_F10);
    QTest::keyClick(Canvas(), Qt::Key_D, Qt::ControlModifier | Qt::AltModifier);
    RunLoop();
    EXPECT_EQ(Commands(), (std::vector<UINT>{165, 165, 140, 198}));
    EXPECT_EQ(okrun, 0) << "R paused what start-up began";
}

TEST_F(QtInput, AGrayedItemsKeyDeliversNothing) {
    Start();
    RunLoop(); // start-up's 165: rendering runs
    Commands().clear();
    QTest::keyClick(Canvas(), Qt::Key_F4);
    QTest::keyClick(Canvas(), Qt::Key_S);
    RunLoop();
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(okrun, 1);
}

TEST_F(QtInput, TabReachesTheWindowInsteadOfMovingTheFocus) {
    Start();
    RunLoop();
    SendMessageA(g_hWnd, WM_COMMAND, 165, 0);
    gridflag = 1;
    QTest::keyClick(Canvas(), Qt::Key_Tab);
    RunLoop();
    EXPECT_EQ(gridflag, 0);
}

TEST_F(QtInput, AClickTogglesRendering) {
    Start();
    RunLoop();
    ASSERT_EQ(okrun, 1);
    QTest::mouseClick(Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    RunLoop();
    EXPECT_EQ(okrun, 0);
    QTest::mouseClick(Canvas(), Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    RunLoop();
    EXPECT_EQ(okrun, 1);
}

TEST_F(QtInput, ClosingTheWindowEndsTheLoopTheWin32Way) {
    Start();
    WidgetOf(g_hWnd)->close();
    EXPECT_EQ(ProgramDriver(), 0u);
    EXPECT_FALSE(IsWindow(g_hWnd));
}

TEST_F(QtInput, TheMainWindowFitsTheScreensAvailableAreaFrameIncluded) {
    Start();
    QApplication::processEvents();
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(available.contains(WidgetOf(g_hWnd)->frameGeometry()))
        << WidgetOf(g_hWnd)->frameGeometry().bottom() << " " << available.bottom();
    EXPECT_EQ(g_hWnd->client.bottom, Canvas()->height());
}

// A parameter file dropped on the paused window loads and renders; while
// rendering runs, a drop is refused like every command.
TEST_F(QtInput, ADroppedParameterFileLoadsWhilePaused) {
    Start();
    RunLoop();
    const QTemporaryDir folder;
    const std::string saved = (folder.path() + "/drop.GAN").toStdString();
    std::strcpy(sganfile, saved.c_str());
    p[type].a = 1.25;
    ASSERT_EQ(writegan(0), SaveResult::Saved);
    p[type].a = 0.5;
    auto drop = [this, &saved] {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(saved))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(Canvas(), &enter);
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Canvas(), &event);
        RunLoop();
    };
    drop();
    EXPECT_EQ(p[type].a, 0.5) << "rendering ran";
    SendMessageA(g_hWnd, WM_COMMAND, kRenderPauseResume, 0);
    drop();
    EXPECT_EQ(p[type].a, 1.25);
    EXPECT_STREQ(oganfile, saved.c_str());
    EXPECT_EQ(okrun, 1) << "the loaded set renders";
}

TEST_F(QtInput, TheWidgetShowsTheWindowsSurface) {
    Start();
    HDC hdc = GetDC(g_hWnd);
    SetPixel(hdc, 3, 4, RGB(200, 100, 50));
    ReleaseDC(g_hWnd, hdc);
    const QImage shown = Canvas()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(3, 4), QColor(200, 100, 50));
    EXPECT_EQ(Canvas()->cursor().shape(), Qt::ArrowCursor);
    SetCursor(cross);
    EXPECT_EQ(Canvas()->cursor().shape(), Qt::CrossCursor);
}

TEST_F(QtInput, OnlyTheChangedPartOfASurfaceIsShownAgain) {
    Start();
    backend.flush();
    HDC hdc = GetDC(g_hWnd);
    SetPixel(hdc, 30, 40, RGB(1, 2, 3));
    SetPixel(hdc, 10, 50, RGB(1, 2, 3));
    ReleaseDC(g_hWnd, hdc);
    const RECT& touched = g_hWnd->dc.touched;
    EXPECT_EQ(touched.left, 10);
    EXPECT_EQ(touched.top, 40);
    EXPECT_EQ(touched.right, 31);
    EXPECT_EQ(touched.bottom, 51);
    backend.flush();
    EXPECT_EQ(g_hWnd->dc.touched.right, 0) << "shown, nothing is left to show";
}

TEST_F(QtInput, TheWidgetOfADestroyedWindowIsDeletedByTheMessageLoop) {
    Start();
    HWND popup = CreateWindowExA(0, "WJPopupWindow", "", WS_POPUP, 10, 10, 48, 24, g_hWnd, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(popup, nullptr);
    QPointer<QWidget> widget = WidgetOf(popup);
    ASSERT_FALSE(widget.isNull());
    DestroyWindow(popup);
    QElapsedTimer clock;
    clock.start();
    MSG msg;
    while (!widget.isNull() && clock.elapsed() < 5000) {
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    }
    EXPECT_TRUE(widget.isNull());
}

} // namespace
} // namespace orv::test
