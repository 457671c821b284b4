// The parts of the demo's desktop, each drawn from a few values so that a
// frame is painted whole from the state of the session at its time.
#pragma once
#include <string>
#include <vector>

#include "Canvas.h"

namespace demo {

// The recorded screen area of the 1024 x 768 picture.
constexpr Rect kScreen{112, 84, 912, 684};
constexpr int kTaskbarTop = kScreen.bottom - 30;

void DrawDesktop(Canvas& c);
// A framed window with its title bar; returns the client area.
Rect DrawWindow(Canvas& c, const Rect& frame, const std::string& title, bool active);
void DrawTaskbar(Canvas& c, bool startPressed, bool notesActive, const std::string& clock);

struct Editor {
    Rect frame;
    bool active;
    std::string text;  // typed so far; '\n' starts a line
    bool caret;
    int openMenuItem;  // -1: the File menu is closed; else the highlighted item (or 99: none)
};
void DrawEditor(Canvas& c, const Editor& e);
// Where the editor's File menu title and its items are.
Rect EditorFileMenuTitle(const Rect& frame);
Rect EditorMenuItem(const Rect& frame, int item);

struct Inbox {
    Rect frame;
    bool active;
    int firstRow;  // scrolled down by this many rows
    int selected;  // -1: none
};
void DrawInbox(Canvas& c, const Inbox& box);
Rect InboxScrollDown(const Rect& frame);
// The message row at a point of the window, or -1.
int InboxRowAt(const Inbox& box, int x, int y);

// A pop-up menu: items top to bottom, one highlighted (or -1).
void DrawMenu(Canvas& c, const Rect& area, const std::vector<std::string>& items, int highlighted,
              bool banner);
Rect StartButton();
Rect StartMenuArea();

}  // namespace demo
