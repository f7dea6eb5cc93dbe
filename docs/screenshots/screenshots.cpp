// orv_screenshots SCREEN.json TOPO.map OUTPUT_DIR: runs the desktop program on
// Qt's offscreen platform, on a screen described by SCREEN.json, and saves
// what the user guide shows of it as PNG files in OUTPUT_DIR:
//   main-window.png     the main window after a fixed number of render steps
//   dialog-type.png, dialog-parameters.png, dialog-coloring.png,
//   dialog-background.png   the four dialogs with their start values
//   lyapunov-map.png    a 300 x 300 Lyapunov map in the Topo palette with
//                       its grid
// Everything is fixed, so every build makes the same pictures.
#include "palette/mapfile.h"
#include "palette/palette.h"
#include "platform/qt_backend.h"
#include "platform/user.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"
#include "ui/driver.h"
#include "ui/mainwindow.h"
#include "ui/startup.h"
#include "ui/state.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QMessageBox>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace orv {
namespace {

// The render steps of the main window's picture: enough for the default
// attractor to look finished, few enough to take a moment.
constexpr int kMainWindowSteps = 1500000;
constexpr int kMapSide = 300;

QString outputDir;
bool allSaved = true;

void save(const QPixmap& picture, const char* name) {
    const QString path = QDir(outputDir).filePath(QString::fromLatin1(name));
    if (!picture.save(path, "PNG")) {
        std::fprintf(stderr, "orv_screenshots: cannot write %s\n", qPrintable(path));
        allSaved = false;
    }
}

// Hands the main window the messages waiting for it, as the message loop
// would, without taking render steps.
void dispatchWaiting() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        DispatchMessageA(&msg);
    }
}

void runCommand(UINT id) {
    SendMessageA(g_hWnd, WM_COMMAND, id, 0);
    dispatchWaiting();
}

// Takes render steps until rendering pauses or the steps are done.
void render(int steps) {
    for (int i = 0; i < steps && okrun != 0; ++i) {
        RenderStep();
    }
}

// Opens the dialog of command id and saves it as shown, then cancels it.
void shootDialog(UINT id, const char* name) {
    QTimer::singleShot(0, [name] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr) {
            std::fprintf(stderr, "orv_screenshots: the dialog for %s did not open\n", name);
            allSaved = false;
            return;
        }
        save(dialog->grab(), name);
        QMetaObject::invokeMethod(dialog, "reject");
    });
    runCommand(id);
}

// Answers Yes, or else OK, to every message box that comes up.
void answerMessageBoxes(QTimer& timer) {
    QObject::connect(&timer, &QTimer::timeout, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        if (QAbstractButton* yes = box->button(QMessageBox::Yes)) {
            yes->click();
        } else {
            box->accept();
        }
    });
    timer.start(5);
}

int shoot(const char* topoMap) {
    RegisterResources();
    if (InitWindowClass(nullptr) != 0) {
        return 1;
    }
    program.oksplash = 0;
    if (CreateMainWindow(nullptr, SW_SHOWNORMAL) != 0) {
        return 1;
    }
    QWidget* window = WidgetOf(g_hWnd);
    QTimer answers;
    answerMessageBoxes(answers);

    // Rendering starts with the first message; the picture is taken
    // paused, as the user sees it with the menus back.
    dispatchWaiting();
    render(kMainWindowSteps);
    runCommand(kRenderCommand);
    save(window->grab(), "main-window.png");

    shootDialog(kAttractorType, "dialog-type.png");
    shootDialog(kParameters, "dialog-parameters.png");
    shootDialog(kColoringMethod, "dialog-coloring.png");
    shootDialog(kBackgroundColor, "dialog-background.png");

    if (ReadMapFile(topoMap, paltemp) != 0) {
        std::fprintf(stderr, "orv_screenshots: cannot read %s\n", topoMap);
        return 1;
    }
    genpalette(paltemp);
    if (!SetResolution(g_hWnd, kMapSide)) {
        return 1;
    }
    advisories.mapadvisory = 0;
    runCommand(kLyapunovMap);
    render(kMapSide);
    dispatchWaiting();
    save(WidgetOf(g_hWnd)->focusProxy()->grab(QRect(0, 0, kMapSide, kMapSide)), "lyapunov-map.png");

    DestroyWindow(g_hWnd);
    return allSaved ? 0 : 1;
}

} // namespace
} // namespace orv

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: orv_screenshots SCREEN.json TOPO.map OUTPUT_DIR\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + argv[1]);
    QApplication app(argc, argv);
    // One font everywhere, installed wherever the program is built.
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    orv::outputDir = QString::fromLocal8Bit(argv[3]);
    QDir().mkpath(orv::outputDir);
    orv::QtBackend backend;
    orv::InstallBackend(&backend);
    const int result = orv::shoot(argv[2]);
    orv::InstallBackend(nullptr);
    return result;
}
