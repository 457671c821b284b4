#include "Desktop.h"

#include <algorithm>

namespace demo {
namespace {

const uint16_t kFace = Rgb(192, 192, 192);
const uint16_t kWhite = Rgb(255, 255, 255);
const uint16_t kBlack = Rgb(0, 0, 0);
const uint16_t kNavy = Rgb(0, 36, 120);
constexpr int kMenuItemHeight = 18;
constexpr int kRowHeight = 14;

const char* const kSenders[] = {"Ada Brooks", "Tomas Weil", "Mira Chen", "Jon Ekdahl",
                                "Sara Quint", "Lee Park",   "Ines Roth", "Paul Okafor"};
const char* const kSubjects[] = {"Weekly status report", "Lunch on Friday?", "Screen recordings",
                                 "Re: build server",     "Budget draft v3",  "Holiday schedule",
                                 "New demo is ready",    "Re: Re: printer",  "Meeting moved to 3pm",
                                 "Photos from the trip"};
constexpr int kMessages = 40;

void Icon(Canvas& c, int x, int y, int kind, const std::string& label) {
    if (kind == 0) {  // a folder
        c.Fill({x + 2, y + 6, x + 14, y + 10}, Rgb(230, 190, 60));
        c.Fill({x + 2, y + 9, x + 30, y + 28}, Rgb(250, 210, 80));
        c.Fill({x + 2, y + 27, x + 30, y + 28}, Rgb(150, 110, 20));
    } else if (kind == 1) {  // a page of text
        c.Fill({x + 6, y + 2, x + 26, y + 30}, kWhite);
        c.Edge({x + 6, y + 2, x + 26, y + 30}, false);
        for (int line = 0; line < 6; ++line)
            c.Fill({x + 9, y + 7 + 4 * line, x + 23 - 3 * (line % 2), y + 8 + 4 * line},
                   Rgb(90, 90, 160));
    } else {  // a camera for the recorder
        c.Fill({x + 2, y + 10, x + 24, y + 26}, Rgb(60, 60, 70));
        c.Fill({x + 24, y + 13, x + 31, y + 23}, Rgb(90, 90, 100));
        c.Fill({x + 8, y + 14, x + 16, y + 22}, Rgb(120, 180, 240));
        c.Fill({x + 4, y + 6, x + 12, y + 10}, Rgb(200, 40, 40));
    }
    const int width = Canvas::TextWidth(label);
    c.Text(x + 16 - width / 2 + 1, y + 37, label, kBlack);
    c.Text(x + 16 - width / 2, y + 36, label, kWhite);
}

void ArrowBox(Canvas& c, const Rect& r, bool down) {
    c.Fill(r, kFace);
    c.Edge(r, true);
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    for (int i = 0; i < 4; ++i)
        c.Fill({cx - 3 + i, cy + (down ? i - 2 : 1 - i), cx + 4 - i, cy + (down ? i - 1 : 2 - i)},
               kBlack);
}

}  // namespace

void DrawDesktop(Canvas& c) {
    int top[3] = {58, 110, 165}, bottom[3] = {20, 52, 98};
    c.Gradient({kScreen.left, kScreen.top, kScreen.right, kTaskbarTop}, top, bottom);
    Icon(c, kScreen.left + 30, kScreen.top + 18, 0, "Documents");
    Icon(c, kScreen.left + 30, kScreen.top + 92, 1, "Notes");
    Icon(c, kScreen.left + 30, kScreen.top + 166, 2, "Recorder");
}

Rect DrawWindow(Canvas& c, const Rect& f, const std::string& title, bool active) {
    c.Fill(f, kFace);
    c.Edge(f, true);
    int left[3] = {0, 36, 120}, right[3] = {24, 130, 210};
    int greyLeft[3] = {112, 112, 112}, greyRight[3] = {176, 176, 176};
    const Rect bar{f.left + 3, f.top + 3, f.right - 3, f.top + 21};
    c.Gradient(bar, active ? left : greyLeft, active ? right : greyRight, true);
    c.Text(bar.left + 5, bar.top + 6, title, active ? kWhite : Rgb(212, 208, 200), true);
    for (int i = 0; i < 3; ++i) {
        const Rect b{bar.right - 18 * (i + 1), bar.top + 2, bar.right - 18 * i - 2, bar.bottom - 2};
        c.Fill(b, kFace);
        c.Edge(b, true);
        c.Text(b.left + 5, b.top + 4, i == 0 ? "x" : (i == 1 ? "o" : "_"), kBlack);
    }
    return Rect{f.left + 4, bar.bottom + 1, f.right - 4, f.bottom - 4};
}

void DrawTaskbar(Canvas& c, bool startPressed, bool notesActive, const std::string& clock) {
    c.Fill({kScreen.left, kTaskbarTop, kScreen.right, kScreen.bottom}, kFace);
    c.Fill({kScreen.left, kTaskbarTop + 1, kScreen.right, kTaskbarTop + 2}, kWhite);
    const Rect start = StartButton();
    c.Edge(start, !startPressed);
    c.Fill({start.left + 6, start.top + 6, start.left + 16, start.top + 16}, Rgb(40, 140, 60));
    c.Text(start.left + 20 + startPressed, start.top + 8 + startPressed, "Start", kBlack, true);
    const char* names[] = {"Notes - Editor", "Inbox - Mail"};
    for (int i = 0; i < 2; ++i) {
        const Rect b{start.right + 8 + 150 * i, start.top, start.right + 152 + 150 * i,
                     start.bottom};
        const bool pressed = (i == 0) == notesActive;
        if (pressed)
            c.Fill({b.left + 1, b.top + 1, b.right - 1, b.bottom - 1}, Rgb(224, 224, 224));
        c.Edge(b, !pressed);
        c.Text(b.left + 8, b.top + 8, names[i], kBlack, pressed);
    }
    const Rect tray{kScreen.right - 70, start.top, kScreen.right - 4, start.bottom};
    c.Edge(tray, false);
    c.Text(tray.left + 18, tray.top + 8, clock, kBlack);
}

Rect StartButton() {
    return Rect{kScreen.left + 3, kTaskbarTop + 4, kScreen.left + 71, kTaskbarTop + 27};
}

Rect EditorFileMenuTitle(const Rect& f) {
    return Rect{f.left + 6, f.top + 23, f.left + 36, f.top + 39};
}

Rect EditorMenuItem(const Rect& f, int item) {
    const int top = f.top + 42 + 3 + kMenuItemHeight * item;
    return Rect{f.left + 9, top, f.left + 139, top + kMenuItemHeight};
}

void DrawEditor(Canvas& c, const Editor& e) {
    const Rect client = DrawWindow(c, e.frame, "Notes - Editor", e.active);
    const char* menus[] = {"File", "Edit", "View", "Help"};
    for (int i = 0; i < 4; ++i)
        c.Text(client.left + 8 + 40 * i, client.top + 5, menus[i], kBlack);
    if (e.openMenuItem >= 0)
        c.Edge(EditorFileMenuTitle(e.frame), false);
    const Rect page{client.left, client.top + 17, client.right, client.bottom};
    c.Fill(page, kWhite);
    c.Edge(page, false);
    int x = page.left + 8, y = page.top + 8;
    for (char ch : e.text) {
        if (ch == '\n') {
            x = page.left + 8;
            y += 13;
            continue;
        }
        c.Text(x, y, std::string(1, ch), kBlack);
        x += 6;
    }
    if (e.caret)
        c.Fill({x, y - 2, x + 1, y + 9}, kBlack);
    if (e.openMenuItem >= 0) {
        const Rect first = EditorMenuItem(e.frame, 0);
        DrawMenu(
            c,
            {first.left - 3, first.top - 3, first.right + 3, first.top + 6 * kMenuItemHeight + 3},
            {"New", "Open...", "Save", "Save As...", "Print...", "Exit"}, e.openMenuItem, false);
    }
}

Rect InboxScrollDown(const Rect& f) {
    return Rect{f.right - 20, f.bottom - 20, f.right - 4, f.bottom - 4};
}

namespace {
Rect InboxRows(const Rect& f) {
    return Rect{f.left + 6, f.top + 24 + 18, f.right - 22, f.bottom - 6};
}
}  // namespace

int InboxRowAt(const Inbox& box, int x, int y) {
    const Rect rows = InboxRows(box.frame);
    if (x < rows.left || x >= rows.right || y < rows.top || y >= rows.bottom)
        return -1;
    return box.firstRow + (y - rows.top) / kRowHeight;
}

void DrawInbox(Canvas& c, const Inbox& box) {
    const Rect client = DrawWindow(c, box.frame, "Inbox - Mail", box.active);
    const Rect list{client.left + 2, client.top + 2, client.right - 18, client.bottom - 2};
    c.Fill(list, kWhite);
    c.Edge({list.left - 1, list.top - 1, list.right + 1, list.bottom + 1}, false);
    const int columns[] = {list.left, list.left + 90, list.right - 70};
    const char* headers[] = {"From", "Subject", "Received"};
    for (int i = 0; i < 3; ++i) {
        const Rect h{columns[i], list.top, i < 2 ? columns[i + 1] : list.right, list.top + 16};
        c.Fill(h, kFace);
        c.Edge(h, true);
        c.Text(h.left + 4, h.top + 5, headers[i], kBlack);
    }
    const Rect rows = InboxRows(box.frame);
    c.SetClip(rows);
    for (int row = box.firstRow; row < kMessages && row < box.firstRow + 30; ++row) {
        const int y = rows.top + (row - box.firstRow) * kRowHeight;
        const bool selected = row == box.selected;
        if (selected)
            c.Fill({rows.left, y, rows.right, y + kRowHeight}, kNavy);
        const uint16_t ink = selected ? kWhite : (row % 7 == 2 ? Rgb(0, 0, 160) : kBlack);
        c.Text(columns[0] + 4, y + 4, kSenders[(row * 5) % 8], ink, row % 7 == 2);
        c.Text(columns[1] + 4, y + 4, kSubjects[(row * 3) % 10], ink);
        const std::string date = std::to_string(1 + (kMessages - row) % 28) + " Mar";
        c.Text(columns[2] + 4, y + 4, date, ink);
    }
    c.ResetClip();
    // The scroll bar with its thumb where the visible rows are.
    const Rect bar{client.right - 16, client.top, client.right, client.bottom};
    c.Fill(bar, Rgb(224, 224, 224));
    ArrowBox(c, {bar.left, bar.top, bar.right, bar.top + 16}, false);
    ArrowBox(c, InboxScrollDown(box.frame), true);
    const int track = bar.bottom - bar.top - 32 - 40;
    const int thumbTop = bar.top + 16 + track * box.firstRow / 18;
    c.Fill({bar.left, thumbTop, bar.right, thumbTop + 40}, kFace);
    c.Edge({bar.left, thumbTop, bar.right, thumbTop + 40}, true);
}

Rect StartMenuArea() {
    const Rect start = StartButton();
    return Rect{start.left, kTaskbarTop - 7 * 26 - 8, start.left + 190, kTaskbarTop + 1};
}

void DrawMenu(Canvas& c, const Rect& area, const std::vector<std::string>& items, int highlighted,
              bool banner) {
    c.Fill(area, kFace);
    c.Edge(area, true);
    int left = area.left + 3;
    if (banner) {
        int top[3] = {0, 0, 128}, bottom[3] = {16, 132, 208};
        c.Gradient({area.left + 3, area.top + 3, area.left + 25, area.bottom - 3}, top, bottom);
        left = area.left + 28;
    }
    const int itemHeight = (area.bottom - area.top - 6) / int(items.size());
    for (int i = 0; i < int(items.size()); ++i) {
        const Rect r{left, area.top + 3 + i * itemHeight, area.right - 3,
                     area.top + 3 + (i + 1) * itemHeight};
        if (i == highlighted)
            c.Fill(r, kNavy);
        c.Text(r.left + 10, r.top + (itemHeight - 7) / 2, items[i],
               i == highlighted ? kWhite : kBlack);
    }
}

}  // namespace demo
