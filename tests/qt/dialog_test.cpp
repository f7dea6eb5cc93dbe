#include "qt_fixture.h"

#include "files/selection.h"
#include "platform/commdlg.h"
#include "platform/dialog.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"
#include "ui/dialogs.h"
#include "ui/state.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace orv::test {
namespace {

// Runs what the user does once the modal dialog is up.
void WhenShown(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] { act(QApplication::activeModalWidget()); });
}

// A control's place and size in dialog units, read back from pixels.
QRect InDialogUnits(QWidget* dialog, QWidget* control) {
    const double x = dialog->property("baseUnitX").toInt() / 4.0;
    const double y = dialog->property("baseUnitY").toInt() / 8.0;
    const QRect g = control->geometry();
    return QRect(qRound(g.x() / x), qRound(g.y() / y), qRound(g.width() / x),
                 qRound(g.height() / y));
}

class QtDialog : public QtProgramTest {
  protected:
    void SetUp() override {
        QtProgramTest::SetUp();
        Start();
        dialogs.savetype = type;
        dialogs.savep = p[type];
        saveres = res;
        dialogs.saverot = rot[type];
        dialogs.saveorder = rotationorder;
        dialogs.savemm = mm[type];
    }
};

TEST_F(QtDialog, TheParametersDialogHasItsControlsAtTheTemplatesPlaces) {
    std::map<int, QRect> places;
    int edits = 0;
    int radios = 0;
    QString caption;
    WhenShown([&](QWidget* dialog) {
        ASSERT_NE(dialog, nullptr);
        caption = dialog->windowTitle();
        edits = static_cast<int>(dialog->findChildren<QLineEdit*>().size());
        radios = static_cast<int>(dialog->findChildren<QRadioButton*>().size());
        for (int id : {1, 2, 310, 319, 320, 323, 360, 365, 350}) {
            QWidget* control = dialog->findChild<QWidget*>(QString::number(id));
            ASSERT_NE(control, nullptr) << id;
            places[id] = InDialogUnits(dialog, control);
        }
        QTest::mouseClick(dialog->findChild<QPushButton*>("2"), Qt::LeftButton);
    });
    const INT_PTR result =
        DialogBoxParamA(nullptr, MAKEINTRESOURCEA(kParamDialog), g_hWnd, ParamDialogProc, 0);
    EXPECT_EQ(result, 2);
    EXPECT_EQ(caption, "  Parameters");
    EXPECT_EQ(edits, 14);
    EXPECT_EQ(radios, 6);
    EXPECT_EQ(places[1], QRect(108, 177, 32, 14));
    EXPECT_EQ(places[2], QRect(162, 177, 32, 14));
    EXPECT_EQ(places[310], QRect(108, 6, 88, 12));
    EXPECT_EQ(places[319], QRect(108, 159, 88, 12));
    EXPECT_EQ(places[320], QRect(236, 6, 88, 12));
    EXPECT_EQ(places[323], QRect(236, 57, 88, 12));
    EXPECT_EQ(places[350], QRect(214, 76, 110, 73));
    EXPECT_EQ(places[360], QRect(236, 93, 40, 8));
    EXPECT_EQ(places[365], QRect(280, 127, 40, 8));
}

// Every text of the four dialogs is shown whole in its rectangle, measured
// with the font the dialog really uses.
TEST_F(QtDialog, EveryTextFitsItsRectangle) {
    const std::map<WORD, DLGPROC> dialogs = {{kTypeDialog, TypeDialogProc},
                                             {kParamDialog, ParamDialogProc},
                                             {kBackgroundDialog, BackgroundDialogProc},
                                             {kColoringDialog, ColoringMethodDialogProc}};
    for (const auto& [id, proc] : dialogs) {
        QStringList cut;
        WhenShown([&cut](QWidget* dialog) {
            for (QLabel* label : dialog->findChildren<QLabel*>()) {
                if (label->fontMetrics().horizontalAdvance(label->text()) >
                    label->contentsRect().width()) {
                    cut << label->text();
                }
            }
            for (QRadioButton* radio : dialog->findChildren<QRadioButton*>()) {
                if (radio->sizeHint().width() > radio->width()) {
                    cut << radio->text();
                }
            }
            for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
                const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin);
                if (button->fontMetrics().horizontalAdvance(button->text()) + 2 * margin >
                    button->width()) {
                    cut << button->text();
                }
            }
            for (QGroupBox* box : dialog->findChildren<QGroupBox*>()) {
                if (box->fontMetrics().horizontalAdvance(box->title()) > box->width()) {
                    cut << box->title();
                }
            }
            QMetaObject::invokeMethod(dialog, "reject");
        });
        DialogBoxParamA(nullptr, MAKEINTRESOURCEA(id), g_hWnd, proc, 0);
        EXPECT_TRUE(cut.isEmpty()) << id << ": " << cut.join(" | ").toStdString();
    }
}

TEST_F(QtDialog, WhatTheUserTypesAndChoosesReachesTheProcedure) {
    type = 3;
    dialogs.savetype = 3;
    QString shownA;
    bool dEnabled = true;
    WhenShown([&](QWidget* dialog) {
        auto* a = dialog->findChild<QLineEdit*>("311");
        shownA = a->text();
        dEnabled = dialog->findChild<QLineEdit*>("314")->isEnabled();
        a->selectAll();
        QTest::keyClicks(a, "1.5");
        QTest::mouseClick(dialog->findChild<QRadioButton*>("363"), Qt::LeftButton);
        QTest::mouseClick(dialog->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    // The exponent of the new set may be low: its warning is answered too.
    QTimer warning;
    QObject::connect(&warning, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->accept();
        }
    });
    warning.start(20);
    const INT_PTR result =
        DialogBoxParamA(nullptr, MAKEINTRESOURCEA(kParamDialog), g_hWnd, ParamDialogProc, 0);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(shownA, "0.805414000000000");
    EXPECT_FALSE(dEnabled);
    EXPECT_EQ(p[3].a, 1.5);
    EXPECT_EQ(rotationorder, 3);
}

// The focused control's name and the checked types, as "focus: checked...".
QString FocusAndChecks(QWidget* dialog) {
    QString state = QApplication::focusWidget()->objectName() + ":";
    for (QRadioButton* radio : dialog->findChildren<QRadioButton*>()) {
        if (radio->isChecked()) {
            state += " " + radio->objectName();
        }
    }
    return state;
}

// Real arrow keys on the focused type move the focus round the types and
// check the one reached; Tab moves the focus on, in template order, without
// checking anything.
TEST_F(QtDialog, TheArrowKeysCheckTheTypeReachedAndTabOnlyMovesTheFocus) {
    QStringList states;
    int focusKept = 0;
    WhenShown([&](QWidget* dialog) {
        // Without a window manager the dialog is not active by itself.
        dialog->activateWindow();
        QApplication::processEvents();
        states << FocusAndChecks(dialog);
        dialog->findChild<QRadioButton*>("220")->setFocus();
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_Tab}) {
            QTest::keyClick(QApplication::focusWidget(), key);
            states << FocusAndChecks(dialog);
        }
        focusKept = GetDlgCtrlID(GetFocus());
        QTest::mouseClick(dialog->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    const INT_PTR result =
        DialogBoxParamA(nullptr, MAKEINTRESOURCEA(kTypeDialog), g_hWnd, TypeDialogProc, 0);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(states.join(" | ").toStdString(), "1: 220 | 221: 221 | 220: 220 | 223: 223 | 1: 223")
        << "OK, the first tab stop, has the focus at first";
    EXPECT_EQ(focusKept, 1) << "the platform follows the focus Tab moved";
    EXPECT_EQ(type, 3);
}

// Esc cancels; Return presses the button with the focus, and from a box the
// default button, OK.
TEST_F(QtDialog, EscapeCancelsAndReturnPressesTheFocusedOrDefaultButton) {
    std::vector<INT_PTR> results;
    std::vector<int> reds;
    for (const auto& [key, focus] :
         {std::pair{Qt::Key_Escape, "410"}, std::pair{Qt::Key_Return, "2"},
          std::pair{Qt::Key_Return, "410"}}) {
        WhenShown([key, focus](QWidget* dialog) {
            dialog->activateWindow();
            QApplication::processEvents();
            auto* redBox = dialog->findChild<QLineEdit*>("410");
            redBox->selectAll();
            QTest::keyClicks(redBox, "0");
            QWidget* target = dialog->findChild<QWidget*>(focus);
            target->setFocus();
            QTest::keyClick(target, key);
        });
        orv::red = 255;
        results.push_back(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(kBackgroundDialog), g_hWnd,
                                          BackgroundDialogProc, 0));
        reds.push_back(orv::red);
    }
    EXPECT_EQ(results, (std::vector<INT_PTR>{2, 2, 1}));
    EXPECT_EQ(reds, (std::vector<int>{255, 255, 0}));
}

TEST(QtMessageBox, ShowsTheIconAndButtonsAndReturnsTheAnswer) {
    QtBackend backend;
    InstallBackend(&backend);
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
    QString title;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        icon = box->icon();
        text = box->text();
        title = box->windowTitle();
        box->button(QMessageBox::No)->click();
    });
    const int answer =
        MessageBoxA(nullptr, "Accept palette?", "Preview", MB_YESNO | MB_ICONINFORMATION);
    InstallBackend(nullptr);
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(icon, QMessageBox::Information);
    EXPECT_EQ(text, "Accept palette?");
    EXPECT_EQ(title, "Preview");
}

// Return presses the default button: the first, or the second where
// MB_DEFBUTTON2 says so.
TEST(QtMessageBox, ReturnAnswersWithTheDefaultButton) {
    QtBackend backend;
    InstallBackend(&backend);
    std::vector<int> answers;
    for (const UINT type : {MB_YESNO, MB_YESNO | MB_DEFBUTTON2, MB_OKCANCEL | MB_DEFBUTTON2}) {
        QTimer::singleShot(
            0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
        answers.push_back(MessageBoxA(nullptr, "Replace?", "WJ Orvantis", type));
    }
    InstallBackend(nullptr);
    EXPECT_EQ(answers, (std::vector<int>{IDYES, IDNO, IDCANCEL}));
}

TEST(QtFileDialog, ShowsTheSelectionsTitleAndItsFilterOnce) {
    QtBackend backend;
    InstallBackend(&backend);
    InitOpenFile();
    QStringList filters;
    QString caption;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        caption = dialog->windowTitle();
        dialog->reject();
    });
    const BOOL chosen = GetSaveFileNameA(&stgan);
    InstallBackend(nullptr);
    EXPECT_EQ(chosen, FALSE);
    EXPECT_EQ(filters, QStringList{"Targa files (*.tga)"});
    EXPECT_EQ(caption, "Select a file for saving your image:");
}

TEST(QtFileDialog, ASaveSelectionRefusesAFolderThatDoesNotExist) {
    QtBackend backend;
    InstallBackend(&backend);
    InitOpenFile();
    const std::string proposed = tgafile;
    QString refusal;
    int shown = 0;
    std::function<void()> act = [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            refusal = box->text();
            box->accept();
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            if (++shown == 1) {
                dialog->findChild<QLineEdit*>("fileNameEdit")->setText("nodir/x");
                QMetaObject::invokeMethod(dialog, "accept");
            } else {
                dialog->reject();
                return;
            }
        }
        QTimer::singleShot(10, act);
    };
    QTimer::singleShot(0, act);
    stgan.lpstrFile = tgafile;
    const BOOL chosen = GetSaveFileNameA(&stgan);
    InstallBackend(nullptr);
    EXPECT_EQ(chosen, FALSE);
    EXPECT_EQ(shown, 2) << "the selection came back after the refusal";
    EXPECT_TRUE(refusal.contains("nodir")) << refusal.toStdString();
    EXPECT_EQ(tgafile, proposed);
}

} // namespace
} // namespace orv::test
