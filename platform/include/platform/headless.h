// The headless backend: windows and surfaces live in memory, and everything a
// person would answer (message boxes, file selections) is answered by a
// script and recorded, so that tests can check exact texts and flows.
#pragma once

#include "platform/backend.h"
#include "platform/commdlg.h"

#include <deque>
#include <functional>
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
    bool save;
    std::string title;
    std::string filter;
    std::string defaultExtension;
    DWORD flags;
    std::string initialPath; // the path buffer's contents when shown
    bool chosen;
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
    // box is answered with its first button (OK or Yes).
    std::deque<int> messageBoxAnswers;
    // Called for every message box before it is answered; may return an
    // answer (non-zero) that overrides the queued one.
    std::function<int(const MessageBoxCall&)> onMessageBox;
    // Answers for the next file selections: a path typed into the name box,
    // or an empty string for Cancel. When none is left the selection is
    // cancelled.
    std::deque<std::string> fileAnswers;
    // Answers for the overwrite confirmation of save selections (true = Yes);
    // when none is left the replacement is confirmed.
    std::deque<bool> overwriteAnswers;
    bool realSleep = false;

    // What tests read back.
    std::vector<MessageBoxCall> messageBoxes;
    std::vector<TextOutCall> texts;
    std::vector<FileSelectionCall> fileSelections;
    std::vector<HCURSOR> cursorChanges;
    std::vector<DWORD> sleeps;
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

  private:
    BOOL fileSelection(OPENFILENAMEA* ofn, bool save);
};

// The headless backend that is installed when no other one is.
HeadlessBackend& Headless();

} // namespace orv
