// The Qt backend on a screen of two device pixels per Qt pixel: windows
// count in device pixels and show every pixel of their surface as one
// pixel of the screen.
#include "qt_fixture.h"

#include "platform/dialog.h"
#include "platform/window.h"
#include "render/surfaces.h"
#include "resources/resources.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace orv::test {
namespace {

using QtHighDensity = QtProgramTest;

TEST_F(QtHighDensity, APixelOfTheSurfaceIsOnePixelOfTheScreen) {
    ASSERT_EQ(QApplication::primaryScreen()->devicePixelRatio(), 2.0);
    Start();
    EXPECT_EQ(g_hWnd->client.right, 2 * Canvas()->width());
    EXPECT_EQ(g_hWnd->client.bottom, 2 * Canvas()->height());
    HDC hdc = GetDC(g_hWnd);
    SetPixel(hdc, 3, 5, RGB(200, 100, 50));
    ReleaseDC(g_hWnd, hdc);
    const QImage shown = Canvas()->grab().toImage();
    ASSERT_EQ(shown.width(), g_hWnd->client.right);
    EXPECT_EQ(shown.pixelColor(3, 5), QColor(200, 100, 50));
    for (const QPoint& beside : {QPoint(2, 5), QPoint(4, 5), QPoint(3, 4), QPoint(3, 6)}) {
        EXPECT_NE(shown.pixelColor(beside), QColor(200, 100, 50))
            << beside.x() << "," << beside.y();
    }
}

TEST_F(QtHighDensity, AClickIsAtTheDevicePixelUnderTheMouse) {
    Start();
    std::vector<LPARAM> clicks;
    static std::vector<LPARAM>* seen = nullptr;
    seen = &clicks;
    g_hWnd->proc = [](HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_LBUTTONDOWN) {
            seen->push_back(lParam);
        }
        return DefWindowProcA(hWnd, message, wParam, lParam);
    };
    QTest::mouseClick(Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 7));
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE && msg.message != WM_PAINT) {
        DispatchMessageA(&msg);
    }
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], (14 << 16) | 20);
}

// Dialogs are not counted in device pixels: Qt lays them out in its own
// units and draws them, text included, at the screen's two device pixels per
// unit, so that they are sharp and look as they do at a scale of 1.
TEST_F(QtHighDensity, ADialogIsLaidOutInQtUnitsAndDrawnAtDevicePixels) {
    Start();
    QSize size;
    QImage shown;
    QStringList cut;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        size = dialog->size();
        shown = dialog->grab().toImage();
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            if (label->fontMetrics().horizontalAdvance(label->text()) >
                label->contentsRect().width()) {
                cut << label->text();
            }
        }
        QMetaObject::invokeMethod(dialog, "reject");
    });
    DialogBoxParamA(nullptr, MAKEINTRESOURCEA(kBackgroundDialog), g_hWnd, BackgroundDialogProc, 0);
    const DialogTemplate* tmpl = FindDialogResource(MAKEINTRESOURCEA(kBackgroundDialog));
    QFont font(QString::fromStdString(tmpl->fontName));
    font.setPointSize(tmpl->pointSize);
    EXPECT_EQ(size.height(), (tmpl->cy * QFontMetrics(font).height() + 4) / 8);
    EXPECT_EQ(shown.devicePixelRatio(), 2.0);
    EXPECT_EQ(shown.size(), 2 * size);
    EXPECT_TRUE(cut.isEmpty()) << cut.join(" | ").toStdString();
}

} // namespace
} // namespace orv::test
