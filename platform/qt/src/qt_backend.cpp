// The Qt backend: screen, windows, events, cursors, message boxes and text.
#include "platform/qt_backend.h"
#include "platform/window.h"
#include "qt_window.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <stop_token>

namespace orv {

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(1);
constexpr auto kShowInterval = std::chrono::milliseconds(33);

WindowWidget* windowWidgetOf(HWND hwnd) {
    return dynamic_cast<WindowWidget*>(WidgetOf(hwnd));
}

Qt::CursorShape shapeOf(HCURSOR cursor) {
    switch (cursor != nullptr ? cursor->id : IDC_ARROW) {
    case IDC_CROSS:
        return Qt::CrossCursor;
    case IDC_WAIT:
        return Qt::WaitCursor;
    case IDC_APPSTARTING:
        return Qt::BusyCursor;
    default:
        return Qt::ArrowCursor;
    }
}

QMessageBox::Icon iconOf(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONASTERISK:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// The part of a window's surface changed since it was last shown; empty
// afterwards.
QRect takeTouched(HWND hwnd) {
    RECT& t = hwnd->dc.touched;
    const QRect area(t.left, t.top, t.right - t.left, t.bottom - t.top);
    t = RECT{0, 0, 0, 0};
    return area;
}

// Where the frame is known once the window is shown and the window manager
// has not fitted it in, the window is made smaller by its frame.
void fitFrame(QWidget* widget) {
    const QScreen* screen = widget->screen();
    const QRect frame = widget->frameGeometry();
    if (screen == nullptr || screen->availableGeometry().contains(frame)) {
        return;
    }
    const QRect inner = widget->geometry();
    const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(),
                           frame.right() - inner.right(), frame.bottom() - inner.bottom());
    widget->setGeometry(screen->availableGeometry().marginsRemoved(margins));
}

} // namespace

QWidget* WidgetOf(HWND hwnd) {
    return hwnd != nullptr ? static_cast<QWidget*>(hwnd->backendData) : nullptr;
}

// The windows' class is the one the desktop entry names, so that docks tie
// the windows to their launcher.
QtBackend::QtBackend()
    : clock_([this](const std::stop_token& stop) {
          const std::stop_callback wake(stop, [this] {
              waiting_.store(false);
              waiting_.notify_one();
          });
          while (!stop.stop_requested()) {
              waiting_.wait(true);
              std::this_thread::sleep_for(kPollInterval);
              pollDue_.store(true, std::memory_order_relaxed);
          }
      }) {
    QCoreApplication::setApplicationName(QStringLiteral(ORV_WM_CLASS));
    QGuiApplication::setDesktopFileName(QStringLiteral(ORV_APP_ID));
}

QtBackend::~QtBackend() = default;

int QtBackend::systemMetric(int index) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return 0;
    }
    switch (index) {
    case SM_CXSCREEN:
        return qRound(screen->geometry().width() * DeviceScale());
    case SM_CYSCREEN:
        return qRound(screen->geometry().height() * DeviceScale());
    default:
        return 0;
    }
}

int QtBackend::bitsPerPixel() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->depth() : 0;
}

// The window's widget is made before WM_CREATE, so that the client
// rectangle is known then: the window's size less its menu bar.
void QtBackend::windowCreating(HWND hwnd) {
    auto* widget = new WindowWidget(hwnd, windowWidgetOf(hwnd->owner));
    hwnd->backendData = static_cast<QWidget*>(widget);
    QRect wanted(ToQt(hwnd->frame.left), ToQt(hwnd->frame.top),
                 ToQt(hwnd->frame.right - hwnd->frame.left),
                 ToQt(hwnd->frame.bottom - hwnd->frame.top));
    // A framed window asked to be as large as the screen, or larger, gets
    // the screen's available area (without panels and docks) and is shown
    // maximised, so that the window manager fits its frame in as well.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if ((hwnd->style & WS_POPUP) == 0 && screen != nullptr) {
        const QRect available = screen->availableGeometry();
        wanted = wanted.intersected(available);
        if (wanted.width() >= available.width() || wanted.height() >= available.height()) {
            wanted = available;
            widget->setWindowState(Qt::WindowMaximized);
        }
    }
    const int clientHeight = std::max(wanted.height() - widget->menuHeight(), 0);
    hwnd->client = RECT{0, 0, qRound(std::max(wanted.width(), 0) * DeviceScale()),
                        qRound(clientHeight * DeviceScale())};
    widget->move(wanted.topLeft());
    widget->resize(std::max(wanted.width(), 1), std::max(wanted.height(), 1));
    widget->canvas()->setCursor(cursorHidden_ ? Qt::BlankCursor
                                              : static_cast<Qt::CursorShape>(cursorShape_));
}

void QtBackend::windowDestroyed(HWND hwnd) {
    if (WindowWidget* widget = windowWidgetOf(hwnd)) {
        widget->hide();
        widget->deleteLater();
    }
    hwnd->backendData = nullptr;
}

void QtBackend::windowShown(HWND hwnd, bool shown) {
    if (WindowWidget* widget = windowWidgetOf(hwnd)) {
        widget->setVisible(shown);
        if (shown && widget->isMaximized()) {
            fitFrame(widget);
        }
        if (shown) {
            widget->activateWindow();
            widget->canvas()->setFocus();
        }
    }
}

// A disabled top-level window passes its input on (its widgets check the
// window's state) and opens no menus; a control is greyed.
void QtBackend::windowEnabled(HWND hwnd, bool enabled) {
    if (WindowWidget* window = windowWidgetOf(hwnd)) {
        window->updateEnabled();
    } else if (QWidget* widget = WidgetOf(hwnd)) {
        widget->setEnabled(enabled);
    }
}

void QtBackend::menuChanged(HWND hwnd) {
    if (WindowWidget* widget = windowWidgetOf(hwnd)) {
        widget->updateMenu();
    }
}

void QtBackend::flush() {
    for (WindowWidget* widget : LiveWindowWidgets()) {
        const QRect touched = takeTouched(widget->hwnd());
        if (!touched.isEmpty()) {
            widget->canvas()->update(ToQt(touched));
        }
    }
}

void QtBackend::takeEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // Outside an event loop of its own Qt does not delete what was
    // scheduled for deletion unless asked.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void QtBackend::pollEvents() {
    if (!pollDue_.load(std::memory_order_relaxed)) {
        return;
    }
    pollDue_.store(false, std::memory_order_relaxed);
    const auto now = std::chrono::steady_clock::now();
    if (now - lastShown_ >= kShowInterval) {
        lastShown_ = now;
        flush();
    }
    takeEvents();
}

void QtBackend::waitEvents() {
    flush();
    waiting_.store(true);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    waiting_.store(false);
    waiting_.notify_one();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void QtBackend::applyCursor() {
    const Qt::CursorShape shape =
        cursorHidden_ ? Qt::BlankCursor : static_cast<Qt::CursorShape>(cursorShape_);
    for (WindowWidget* widget : LiveWindowWidgets()) {
        widget->canvas()->setCursor(shape);
    }
}

void QtBackend::cursorChanged(HCURSOR cursor) {
    const int shape = shapeOf(cursor);
    if (shape != cursorShape_) {
        cursorShape_ = shape;
        applyCursor();
    }
}

void QtBackend::cursorShown(bool shown) {
    cursorHidden_ = !shown;
    applyCursor();
}

// What was drawn before the pause is shown first; no message is taken
// meanwhile. Qt's events are handled all the time: a window manager maps a
// new window some time after it is shown, and only then can it be painted,
// so a start splash that merely slept would stay blank. Input that arrives
// only joins the queue; held back from Qt instead, the X11 platform would not
// hand it over later either, and a closing splash, which pauses on every
// step, would never see its key.
void QtBackend::sleep(DWORD milliseconds) {
    for (WindowWidget* widget : LiveWindowWidgets()) {
        const QRect touched = takeTouched(widget->hwnd());
        if (!touched.isEmpty()) {
            widget->canvas()->repaint(ToQt(touched));
        }
    }
    QEventLoop pause;
    QTimer::singleShot(std::chrono::milliseconds(milliseconds), Qt::PreciseTimer, &pause,
                       &QEventLoop::quit);
    pause.exec();
}

int QtBackend::messageBox(HWND owner, const std::string& text, const std::string& caption,
                          UINT type) {
    flush();
    QMessageBox box(iconOf(type), QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::NoButton, WidgetOf(owner));
    box.setTextFormat(Qt::PlainText);
    const bool second = (type & MB_DEFMASK) == MB_DEFBUTTON2;
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(second ? QMessageBox::Cancel : QMessageBox::Ok);
        break;
    case MB_YESNO:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(second ? QMessageBox::No : QMessageBox::Yes);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return IDCANCEL;
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    default:
        return IDOK;
    }
}

void QtBackend::textOut(HDC dc, int x, int y, const std::string& text) {
    QImage image(reinterpret_cast<uchar*>(dc->bits), dc->width, dc->height, dc->width * 4,
                 QImage::Format_RGBX8888);
    QPainter painter(&image);
    painter.setPen(
        QColor(GetRValue(dc->textColor), GetGValue(dc->textColor), GetBValue(dc->textColor)));
    painter.drawText(x, y + painter.fontMetrics().ascent(), QString::fromStdString(text));
}

} // namespace orv
