// The headless backend: windows and surfaces live in memory, and everything a
// person would answer (message boxes, file selections) is answered by a
// script and recorded, so that tests can check exact texts and flows.
#pragma once

#include "platform/backend.h"
#include "platform/commdlg.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace orv {

struct MessageBoxCall {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
    int answer;
};

struct TextOutCall {
    HDC dc;
    int x;
    int y;
    std::string text;
    COLORREF color;
};

struct FileSelectionCall {
    bool save = false;
    std::string title;
    std::string filter;  // the description of the filter shown
    std::string pattern; // its pattern, or the last pattern typed
    std::string defaultExtension;
    DWORD flags = 0;
    std::string initialPath; // the path buffer's contents when shown
    // Typed names the dialog refused (missing file or directory, or a path
    // too long for the buffer), and those it asked to replace, in order.
    std::vector<std::string> refused;
    std::vector<std::string> overwriteQuestions;
    bool chosen = false;
    std::string path; // the full path chosen
};

// A dialog as it was shown: its caption and, by control id, each
// control's text, check and enabled state after WM_INITDIALOG.
struct DialogCall {
    std::string caption;
    std::map<int, std::string> texts;
    std::map<int, bool> checks;
    std::map<int, bool> enabled;
};

class HeadlessBackend : public Backend {
  public:
    HeadlessBackend();

    // What tests set up.
    int screenWidth = 1024;
    int screenHeight = 768;
    int depth = 32;
    // Space taken from a window of the overlapped style by its frame and
    // caption (width) and frame, caption and menu (height).
    int frameWidth = 0;
    int frameHeight = 0;
    // Answers for the next message boxes, used in order. When none is left a
    // box is answered as Return answers it: with its default button, the
    // first (OK or Yes) unless MB_DEFBUTTON2 makes it the second.
    std::deque<int> messageBoxAnswers;
    // Called for every message box before it is answered; may return an
    // answer (non-zero) that overrides the queued one.
    std::function<int(const MessageBoxCall&)> onMessageBox;
    // Answers for the next file selections: a name typed into the name box
    // (relative to the directory the selection shows), or an empty string for
    // Cancel. A name the dialog refuses, a directory or a pattern takes the
    // next answer, as a person would type again. When none is left the
    // selection is cancelled.
    std::deque<std::string> fileAnswers;
    // Answers for the overwrite confirmation of save selections (true = Yes);
    // when none is left the replacement is confirmed.
    std::deque<bool> overwriteAnswers;
    bool realSleep = false;
    // Scripts for the next dialogs, used in order: each gets the dialog and
    // acts as the user would (types into boxes, clicks buttons). A dialog
    // still open after its script, or shown with no script left, is
    // cancelled as with its Cancel button.
    std::deque<std::function<void(HWND dialog)>> dialogScripts;
    // Called for every pause after it is recorded, while the screen shows
    // what was drawn before it.
    std::function<void(DWORD milliseconds)> onSleep;

    // What tests read back.
    std::vector<MessageBoxCall> messageBoxes;
    std::vector<TextOutCall> texts;
    std::vector<FileSelectionCall> fileSelections;
    std::vector<HCURSOR> cursorChanges;
    std::vector<DWORD> sleeps;
    std::vector<DialogCall> dialogs;
    std::vector<HWND> windows; // every window made, in order
    int cursorShowCount = 0;

    void reset();

    int systemMetric(int index) override;
    int bitsPerPixel() override;
    void windowCreating(HWND hwnd) override;
    void cursorChanged(HCURSOR cursor) override;
    void cursorShown(bool shown) override;
    void sleep(DWORD milliseconds) override;
    int messageBox(HWND owner, const std::string& text, const std::string& caption,
                   UINT type) override;
    void textOut(HDC dc, int x, int y, const std::string& text) override;
    BOOL getOpenFileName(OPENFILENAMEA* ofn) override;
    BOOL getSaveFileName(OPENFILENAMEA* ofn) override;
    void runDialog(HWND dialog) override;

  private:
    BOOL fileSelection(OPENFILENAMEA* ofn, bool save);
};

// The headless backend that is installed when no other one is.
HeadlessBackend& Headless();

} // namespace orv
