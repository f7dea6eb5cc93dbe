// Top-level widgets for windows and the canvas that shows a window's
// surface.
#include "qt_window.h"
#include "platform/qt_backend.h"
#include "platform/shellapi.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QtMath>

#include <algorithm>

namespace orv {

namespace {

std::vector<WindowWidget*>& liveWidgets() {
    static std::vector<WindowWidget*> all;
    return all;
}

constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;

unsigned modifiersOf(Qt::KeyboardModifiers held) {
    unsigned modifiers = 0;
    if (held.testFlag(Qt::ShiftModifier)) {
        modifiers |= kShiftDown;
    }
    if (held.testFlag(Qt::ControlModifier)) {
        modifiers |= kControlDown;
    }
    if (held.testFlag(Qt::AltModifier)) {
        modifiers |= kAltDown;
    }
    return modifiers;
}

// The character a key press types, as the keyboard layout says: a
// printable Latin-1 character; 0 for none, or with Ctrl held, whose
// control characters the platform works out itself.
WPARAM typedCharacter(const QKeyEvent* event) {
    const QString text = event->text();
    if (text.size() != 1 || event->modifiers().testFlag(Qt::ControlModifier)) {
        return 0;
    }
    const char16_t c = text.at(0).unicode();
    const bool printable = (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c <= 0xFF);
    return printable ? c : 0;
}

LPARAM pointParam(int x, int y) {
    return static_cast<LPARAM>((static_cast<unsigned>(y) & 0xFFFFu) << 16 |
                               (static_cast<unsigned>(x) & 0xFFFFu));
}

QIcon iconOf(HWND hwnd) {
    const IconResource* icon =
        hwnd->cls != nullptr ? FindIconResource(hwnd->cls->wc.hIcon) : nullptr;
    if (icon == nullptr || icon->pixels.empty()) {
        return QIcon();
    }
    const QImage image(reinterpret_cast<const uchar*>(icon->pixels.data()), icon->width,
                       icon->height, icon->width * 4, QImage::Format_RGBX8888);
    return QIcon(QPixmap::fromImage(image.copy()));
}

} // namespace

qreal DeviceScale() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->devicePixelRatio() : 1.0;
}

int ToQt(int devicePixels) {
    return qRound(devicePixels / DeviceScale());
}

QRect ToQt(const QRect& devicePixels) {
    const qreal scale = DeviceScale();
    const int left = qFloor(devicePixels.left() / scale);
    const int top = qFloor(devicePixels.top() / scale);
    const int right = qCeil((devicePixels.right() + 1) / scale);
    const int bottom = qCeil((devicePixels.bottom() + 1) / scale);
    return QRect(left, top, right - left, bottom - top);
}

const std::vector<WindowWidget*>& LiveWindowWidgets() {
    return liveWidgets();
}

Canvas::Canvas(HWND hwnd, QWidget* parent) : QWidget(parent), hwnd_(hwnd) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAcceptDrops(true);
}

void Canvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const Bitmap* surface = hwnd_->surface;
    if (surface == nullptr) {
        painter.fillRect(event->rect(), Qt::black);
        return;
    }
    QImage image(reinterpret_cast<const uchar*>(surface->bits.get()), surface->width,
                 surface->height, surface->width * 4, QImage::Format_RGBX8888);
    const qreal scale = DeviceScale();
    image.setDevicePixelRatio(scale);
    const QRect area = ToQt(image.rect());
    const QRect shown = event->rect() & area;
    const QRectF source(shown.x() * scale, shown.y() * scale, shown.width() * scale,
                        shown.height() * scale);
    painter.drawImage(QRectF(shown), image, source);
    const QRegion beyond = QRegion(event->rect()) - QRegion(area);
    for (const QRect& r : beyond) {
        painter.fillRect(r, Qt::black);
    }
}

void Canvas::resizeEvent(QResizeEvent*) {
    const int across = qRound(width() * DeviceScale());
    const int down = qRound(height() * DeviceScale());
    if (hwnd_->destroyed || (across == hwnd_->client.right && down == hwnd_->client.bottom)) {
        return;
    }
    hwnd_->client = RECT{0, 0, across, down};
    ResizeClientSurface(hwnd_, across, down);
    InvalidateRect(hwnd_, nullptr, TRUE);
    SendMessageA(hwnd_, WM_SIZE, 0, pointParam(across, down));
}

void Canvas::postKey(QKeyEvent* event, bool down) {
    const int key = VirtualKeyFromQt(event->key());
    if (key == 0 || hwnd_->destroyed) {
        return;
    }
    // A disabled window's keys go to the window that has taken its input.
    if (!hwnd_->enabled) {
        auto* window = static_cast<WindowWidget*>(this->window());
        if (WindowWidget* taker = window->inputTaker()) {
            taker->activateWindow();
            taker->canvas()->postKey(event, down);
        }
        return;
    }
    const unsigned modifiers = modifiersOf(event->modifiers());
    // Alt without Ctrl, and F10, are system keys.
    const bool system =
        ((modifiers & kAltDown) != 0 && (modifiers & kControlDown) == 0) || key == VK_F10;
    UINT message = 0;
    if (down) {
        message = system ? WM_SYSKEYDOWN : WM_KEYDOWN;
    } else {
        message = system ? WM_SYSKEYUP : WM_KEYUP;
    }
    LPARAM lParam = 1;
    if ((modifiers & kAltDown) != 0) {
        lParam |= LPARAM{1} << 29;
    }
    if (event->isAutoRepeat()) {
        lParam |= LPARAM{1} << 30;
    }
    PostInputMessage(hwnd_, message, static_cast<WPARAM>(key), lParam, modifiers,
                     down ? typedCharacter(event) : 0);
}

void Canvas::keyPressEvent(QKeyEvent* event) {
    postKey(event, true);
}

void Canvas::keyReleaseEvent(QKeyEvent* event) {
    postKey(event, false);
}

void Canvas::postButton(QMouseEvent* event, bool down) {
    if (hwnd_->destroyed) {
        return;
    }
    if (!hwnd_->enabled) {
        auto* window = static_cast<WindowWidget*>(this->window());
        if (WindowWidget* taker = window->inputTaker(); taker != nullptr && down) {
            taker->activateWindow();
        }
        return;
    }
    const QPoint at = (event->position() * DeviceScale()).toPoint();
    if (event->button() == Qt::LeftButton) {
        PostInputMessage(hwnd_, down ? WM_LBUTTONDOWN : WM_LBUTTONUP, down ? MK_LBUTTON : 0,
                         pointParam(at.x(), at.y()), modifiersOf(event->modifiers()));
    } else if (event->button() == Qt::RightButton) {
        PostInputMessage(hwnd_, down ? WM_RBUTTONDOWN : WM_RBUTTONUP, down ? MK_RBUTTON : 0,
                         pointParam(at.x(), at.y()), modifiersOf(event->modifiers()));
    }
}

void Canvas::mousePressEvent(QMouseEvent* event) {
    postButton(event, true);
}

void Canvas::mouseReleaseEvent(QMouseEvent* event) {
    postButton(event, false);
}

namespace {

// The local files a drag carries.
std::vector<std::string> localFiles(const QMimeData* data) {
    std::vector<std::string> paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            paths.push_back(url.toLocalFile().toLocal8Bit().toStdString());
        }
    }
    return paths;
}

} // namespace

// Files are taken by an enabled window that accepts them.
void Canvas::dragEnterEvent(QDragEnterEvent* event) {
    if (AcceptsFiles(hwnd_) && hwnd_->enabled && !localFiles(event->mimeData()).empty()) {
        event->acceptProposedAction();
    }
}

void Canvas::dropEvent(QDropEvent* event) {
    const std::vector<std::string> paths = localFiles(event->mimeData());
    if (AcceptsFiles(hwnd_) && hwnd_->enabled && !paths.empty()) {
        PostDroppedFiles(hwnd_, paths);
        event->acceptProposedAction();
    }
}

WindowWidget::WindowWidget(HWND hwnd, QWidget* owner) : QWidget(owner, Qt::Window), hwnd_(hwnd) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (hwnd->menu != nullptr) {
        menuBar_ = new QMenuBar(this);
        BuildMenuBar(menuBar_, hwnd, actions_);
        layout->setMenuBar(menuBar_);
    }
    canvas_ = new Canvas(hwnd, this);
    layout->addWidget(canvas_);
    setFocusProxy(canvas_);
    setWindowTitle(QString::fromStdString(hwnd->title));
    setWindowIcon(iconOf(hwnd));
    if ((hwnd->style & WS_POPUP) != 0) {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    }
    liveWidgets().push_back(this);
}

WindowWidget::~WindowWidget() {
    auto& all = liveWidgets();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

void WindowWidget::updateMenu() {
    if (hwnd_->menu != nullptr) {
        UpdateMenuActions(hwnd_->menu, actions_);
    }
}

void WindowWidget::updateEnabled() {
    if (menuBar_ != nullptr) {
        menuBar_->setEnabled(hwnd_->enabled);
    }
}

WindowWidget* WindowWidget::inputTaker() const {
    for (WindowWidget* other : liveWidgets()) {
        const HWND taker = other->hwnd();
        if (taker->owner == hwnd_ && taker->enabled && !taker->destroyed && other->isVisible()) {
            return other;
        }
    }
    return nullptr;
}

// A disabled window that the user activates hands the keyboard on to the
// window that has taken its input, as a window with a modal one does. The
// hand-over waits for the activation to be over.
void WindowWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || hwnd_->enabled ||
        hwnd_->destroyed) {
        return;
    }
    QTimer::singleShot(0, this, [this] {
        if (WindowWidget* taker = inputTaker(); taker != nullptr && isActiveWindow()) {
            taker->activateWindow();
            taker->raise();
        }
    });
}

int WindowWidget::menuHeight() const {
    return menuBar_ != nullptr ? menuBar_->sizeHint().height() : 0;
}

// Closing through the window manager goes the Win32 way: WM_CLOSE, whose
// default handling destroys the window.
void WindowWidget::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (!hwnd_->destroyed) {
        PostMessageA(hwnd_, WM_CLOSE, 0, 0);
    }
}

void WindowWidget::moveEvent(QMoveEvent*) {
    if (!hwnd_->destroyed) {
        SendMessageA(hwnd_, WM_MOVE, 0, pointParam(x(), y()));
    }
}

} // namespace orv
