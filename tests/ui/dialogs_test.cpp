#include "program_fixture.h"

#include "platform/menu.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"
#include "ui/dialogs.h"
#include "ui/driver.h"

#include <vector>

namespace orv::test {
namespace {

class Dialogs : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Start();
        TakeStartCommand();
        fractaldriver(); // a render has begun
        Command(165);
    }
};

TEST_F(Dialogs, TheBackgroundIsClampedAndStoredRedLowest) {
    backend.dialogScripts.push_back([](HWND dialog) {
        Type(dialog, 410, "300");
        Type(dialog, 411, "128");
        Type(dialog, 412, "-5");
        Click(dialog, IDOK);
    });
    Command(kBackgroundColor);
    EXPECT_EQ(backend.dialogs[0].caption, "Select the Background Color");
    EXPECT_EQ(backend.dialogs[0].texts.at(410), "255");
    EXPECT_EQ(backend.dialogs[0].texts.at(412), "230");
    EXPECT_EQ(red, 255);
    EXPECT_EQ(green, 128);
    EXPECT_EQ(blue, 0);
    EXPECT_EQ(back, 0x000080FFu);
    EXPECT_EQ(firstloop, 1);
}

TEST_F(Dialogs, ACancelledBackgroundChangesNothing) {
    backend.dialogScripts.push_back([](HWND dialog) {
        Type(dialog, 410, "0");
        Click(dialog, IDCANCEL);
    });
    Command(kBackgroundColor);
    EXPECT_EQ(red, 255);
    EXPECT_EQ(firstloop, 0);
}

TEST_F(Dialogs, TheTypeDialogSelectsTheTypeAndEndsMapMode) {
    lmapflag = 1;
    backend.dialogScripts.push_back([](HWND dialog) { Click(dialog, IDOK); });
    Command(kAttractorType);
    EXPECT_TRUE(backend.dialogs[0].checks.at(220));
    EXPECT_EQ(type, 0);
    EXPECT_EQ(lmapflag, 0);
    EXPECT_EQ(firstloop, 0) << "the same type does not restart";

    backend.dialogScripts.push_back([](HWND dialog) {
        Choose(dialog, 223);
        Click(dialog, IDOK);
    });
    Command(kAttractorType);
    EXPECT_EQ(backend.dialogs[1].caption, "Select the Attractor Type");
    EXPECT_EQ(type, 3);
    EXPECT_EQ(firstloop, 1);
}

TEST_F(Dialogs, TheColoringMethodIsKeptPerType) {
    type = 2;
    backend.dialogScripts.push_back([](HWND dialog) {
        Choose(dialog, 511);
        Click(dialog, IDOK);
    });
    Command(kColoringMethod);
    EXPECT_EQ(method[2], 1);
    EXPECT_EQ(method[0], 0);
    EXPECT_EQ(firstloop, 1);
    backend.dialogScripts.push_back([](HWND dialog) {
        Choose(dialog, 512);
        Click(dialog, IDCANCEL);
    });
    Command(kColoringMethod);
    EXPECT_EQ(method[2], 1);
}

TEST_F(Dialogs, TheMainWindowIsDisabledWhileADialogIsOpen) {
    bool enabledDuring = true;
    backend.dialogScripts.push_back(
        [&enabledDuring](HWND) { enabledDuring = IsWindowEnabled(g_hWnd) != FALSE; });
    Command(kColoringMethod);
    EXPECT_FALSE(enabledDuring);
    EXPECT_TRUE(IsWindowEnabled(g_hWnd));
}

// The radio buttons the type dialog's procedure heard clicked.
std::vector<int> clickedTypes;

INT_PTR RecordingTypeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) >= 220) {
        clickedTypes.push_back(LOWORD(wParam));
    }
    return TypeDialogProc(dialog, message, wParam, lParam);
}

// The focused control's id and the ids of the checked types, as "focus:
// checked...".
std::string FocusAndChecks(HWND dialog) {
    std::string state = std::to_string(GetDlgCtrlID(GetFocus())) + ":";
    for (int id = 220; id <= 223; ++id) {
        state += IsDlgButtonChecked(dialog, id) == BST_CHECKED ? " " + std::to_string(id) : "";
    }
    return state;
}

// The arrow keys move the focus round a group, skipping a disabled control;
// a type reached so is checked alone and its click reaches the procedure.
TEST_F(Dialogs, TheArrowKeysMoveRoundAGroupAndCheckTheTypeReached) {
    clickedTypes.clear();
    std::vector<std::string> states;
    backend.dialogScripts.push_back([&states](HWND dialog) {
        states.push_back(FocusAndChecks(dialog));
        EXPECT_TRUE(Press(dialog, VK_RIGHT));
        states.push_back(FocusAndChecks(dialog));
        EXPECT_TRUE(Press(dialog, VK_DOWN));
        states.push_back(FocusAndChecks(dialog));
        SetFocus(GetDlgItem(dialog, 220));
        for (int key : {VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN, VK_UP}) {
            EXPECT_TRUE(Press(dialog, key));
            states.push_back(FocusAndChecks(dialog));
        }
        EnableWindow(GetDlgItem(dialog, 222), FALSE);
        EXPECT_TRUE(Press(dialog, VK_LEFT));
        states.push_back(FocusAndChecks(dialog));
        EXPECT_FALSE(Press(dialog, VK_TAB));
        Click(dialog, IDOK);
    });
    EXPECT_EQ(
        DialogBoxParamA(nullptr, MAKEINTRESOURCEA(kTypeDialog), g_hWnd, RecordingTypeDialogProc, 0),
        1);
    EXPECT_EQ(states,
              (std::vector<std::string>{"1: 220", "2: 220", "1: 220", "221: 221", "222: 222",
                                        "223: 223", "220: 220", "223: 223", "221: 221"}));
    EXPECT_EQ(clickedTypes, (std::vector<int>{221, 222, 223, 220, 223, 221}));
    EXPECT_EQ(type, 1);
}

// In the Parameters dialog OK, Cancel and the boxes make one group, which
// the texts after them end; a box keeps the arrows for its caret, and the
// orders of rotation make a group of their own.
TEST_F(Dialogs, TheParametersDialogsGroupsComeFromItsTemplate) {
    type = 3; // boxes c and d are disabled
    int fromOk = 0;
    int inBox = 0;
    int afterB = 0;
    int fromXyz = 0;
    backend.dialogScripts.push_back([&](HWND dialog) {
        EXPECT_TRUE(Press(dialog, VK_UP));
        fromOk = GetDlgCtrlID(GetFocus());
        EXPECT_FALSE(Press(dialog, VK_DOWN));
        inBox = GetDlgCtrlID(GetFocus());
        afterB = GetDlgCtrlID(GetNextDlgGroupItem(dialog, GetDlgItem(dialog, 312), FALSE));
        SetFocus(GetDlgItem(dialog, 360));
        EXPECT_TRUE(Press(dialog, VK_LEFT));
        fromXyz = GetDlgCtrlID(GetFocus());
        Click(dialog, IDOK);
    });
    Command(kParameters);
    EXPECT_EQ(fromOk, 323);
    EXPECT_EQ(inBox, 323);
    EXPECT_EQ(afterB, 315);
    EXPECT_EQ(fromXyz, 365);
    EXPECT_EQ(rotationorder, 5);
}

} // namespace
} // namespace orv::test
