// Dialogs as modal QDialogs built from their templates. Places and sizes
// are in dialog units: a quarter of the font's average character width
// across and an eighth of its height down.
#include "platform/dialog.h"
#include "platform/qt_backend.h"
#include "platform/window.h"

#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>

namespace orv {

namespace {

class DialogWidget : public QDialog {
  public:
    DialogWidget(HWND hwnd, QWidget* parent) : QDialog(parent), hwnd_(hwnd) {}

    // Escape and the close button mean Cancel, as the dialog procedure says.
    void reject() override { SendMessageA(hwnd_, WM_CLOSE, 0, 0); }

  private:
    HWND hwnd_;
};

// Hands the keys pressed on a control to the platform's dialog manager
// before the control sees them, so that the arrow keys follow the dialog's
// groups rather than Qt's own rules; and tells the platform where the user
// put the focus.
class ControlKeys : public QObject {
  public:
    ControlKeys(HWND dialog, HWND control, QWidget* widget)
        : QObject(widget), dialog_(dialog), control_(control) {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            UserFocused(control_);
        } else if (event->type() == QEvent::KeyPress) {
            MSG msg;
            msg.hwnd = control_;
            msg.message = WM_KEYDOWN;
            msg.wParam =
                static_cast<WPARAM>(VirtualKeyFromQt(static_cast<QKeyEvent*>(event)->key()));
            return IsDialogMessageA(dialog_, &msg) != FALSE;
        }
        return false;
    }

  private:
    HWND dialog_;
    HWND control_;
};

WPARAM clicked(int id) {
    return static_cast<WPARAM>(static_cast<WORD>(id)) | static_cast<WPARAM>(BN_CLICKED) << 16;
}

// The radio buttons' checks come from the platform core, which knows the
// groups.
void showChecks(HWND dialog) {
    for (HWND control : DialogControls(dialog)) {
        if (auto* radio = dynamic_cast<QRadioButton*>(WidgetOf(control))) {
            const QSignalBlocker block(radio);
            radio->setChecked(control->checked);
        }
    }
}

QWidget* makeControl(HWND dialog, HWND control, QWidget* parent) {
    const std::string& kind = control->cls->name;
    const QString text = QString::fromStdString(control->title);
    const DWORD type = control->style & BS_TYPEMASK;
    if (kind == "EDIT") {
        auto* edit = new QLineEdit(text, parent);
        QObject::connect(edit, &QLineEdit::textEdited, [control](const QString& now) {
            UserEditedText(control, now.toStdString());
        });
        return edit;
    }
    if (kind == "STATIC") {
        return new QLabel(text, parent);
    }
    if (type == BS_GROUPBOX) {
        return new QGroupBox(text, parent);
    }
    if (type == BS_AUTORADIOBUTTON) {
        auto* radio = new QRadioButton(text, parent);
        radio->setAutoExclusive(false);
        radio->setChecked(control->checked);
        QObject::connect(radio, &QRadioButton::clicked, [dialog, control] {
            UserCheckedRadio(control);
            showChecks(dialog);
            SendMessageA(dialog, WM_COMMAND, clicked(control->id),
                         reinterpret_cast<LPARAM>(control));
        });
        return radio;
    }
    // A push button with the focus is the one Return presses; elsewhere
    // Return presses the template's default button.
    auto* button = new QPushButton(text, parent);
    button->setDefault(type == BS_DEFPUSHBUTTON);
    button->setAutoDefault(true);
    QObject::connect(button, &QPushButton::clicked, [dialog, control] {
        SendMessageA(dialog, WM_COMMAND, clicked(control->id), reinterpret_cast<LPARAM>(control));
    });
    return button;
}

} // namespace

int TextWidthNeeded(const QWidget* control) {
    const QFontMetrics metrics = control->fontMetrics();
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return metrics.horizontalAdvance(label->text());
    }
    if (const auto* box = qobject_cast<const QGroupBox*>(control)) {
        return metrics.horizontalAdvance(box->title()) +
               2 * metrics.horizontalAdvance(QLatin1Char('x'));
    }
    if (const auto* radio = qobject_cast<const QRadioButton*>(control)) {
        return radio->sizeHint().width();
    }
    if (const auto* button = qobject_cast<const QPushButton*>(control)) {
        const QStyle* style = button->style();
        return metrics.horizontalAdvance(button->text()) +
               2 * (style->pixelMetric(QStyle::PM_ButtonMargin) +
                    style->pixelMetric(QStyle::PM_DefaultFrameWidth));
    }
    return 0;
}

void QtBackend::runDialog(HWND dialog) {
    const DialogTemplate* tmpl = DialogTemplateOf(dialog);
    if (tmpl == nullptr) {
        EndDialog(dialog, IDCANCEL);
        return;
    }
    flush();
    DialogWidget widget(dialog, dialog->owner != nullptr ? WidgetOf(dialog->owner) : nullptr);
    QFont font(QString::fromStdString(tmpl->fontName));
    font.setPointSize(tmpl->pointSize);
    widget.setFont(font);
    const QFontMetrics metrics(widget.font());
    int baseX =
        (metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 +
         1) /
        2;
    const int baseY = metrics.height();

    // Group boxes first, so that the controls inside them stay on top.
    const std::vector<HWND> controls = DialogControls(dialog);
    std::vector<std::pair<HWND, QWidget*>> made;
    for (bool boxes : {true, false}) {
        for (HWND control : controls) {
            const bool isBox =
                control->cls->name == "BUTTON" && (control->style & BS_TYPEMASK) == BS_GROUPBOX;
            if (isBox != boxes) {
                continue;
            }
            QWidget* w = makeControl(dialog, control, &widget);
            new ControlKeys(dialog, control, w);
            w->setObjectName(QString::number(control->id));
            w->setEnabled(control->enabled);
            control->backendData = static_cast<QWidget*>(w);
            made.emplace_back(control, w);
        }
    }
    // A font wider than the one the template was laid out for would cut
    // texts off: the dialog is widened until every text fits.
    for (const auto& [control, w] : made) {
        const int units = control->frame.right - control->frame.left;
        const int needed = TextWidthNeeded(w);
        while (units > 0 && (units * baseX + 2) / 4 < needed) {
            ++baseX;
        }
    }
    auto across = [baseX](int units) { return (units * baseX + 2) / 4; };
    auto down = [baseY](int units) { return (units * baseY + 4) / 8; };
    widget.setProperty("baseUnitX", baseX);
    widget.setProperty("baseUnitY", baseY);
    widget.setWindowTitle(QString::fromStdString(tmpl->caption));
    widget.setFixedSize(across(tmpl->cx), down(tmpl->cy));
    dialog->backendData = static_cast<QWidget*>(&widget);
    for (const auto& [control, w] : made) {
        w->setGeometry(across(control->frame.left), down(control->frame.top),
                       across(control->frame.right - control->frame.left),
                       down(control->frame.bottom - control->frame.top));
    }
    if (HWND focus = GetFocus(); focus != nullptr && focus->parent == dialog) {
        focusChanged(focus);
    }
    if (!DialogEnded(dialog)) {
        widget.exec();
    }
    for (HWND control : controls) {
        control->backendData = nullptr;
    }
    dialog->backendData = nullptr;
}

void QtBackend::dialogEnded(HWND dialog) {
    if (auto* widget = qobject_cast<QDialog*>(WidgetOf(dialog))) {
        widget->done(0);
    }
}

void QtBackend::focusChanged(HWND hwnd) {
    if (QWidget* widget = WidgetOf(hwnd)) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void QtBackend::controlChanged(HWND control) {
    QWidget* widget = WidgetOf(control);
    const QString text = QString::fromStdString(control->title);
    const QSignalBlocker block(widget);
    if (auto* edit = dynamic_cast<QLineEdit*>(widget)) {
        if (edit->text() != text) {
            edit->setText(text);
        }
    } else if (auto* radio = dynamic_cast<QRadioButton*>(widget)) {
        radio->setChecked(control->checked);
    }
}

} // namespace orv
