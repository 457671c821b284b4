// The demo recording the saver carries: a 30-second desktop session made
// frame by frame (always the same bytes): text typed into an editor, a menu
// used, a mail list scrolled, a window dragged, the start menu and a context
// menu opened with clicks.
#include "DemoRecording.h"

#include <algorithm>
#include <string>
#include <vector>

#include "Desktop.h"
#include "recording/ContainerFormat.h"

namespace demo {

namespace {

constexpr int kWidth = 1024, kHeight = 768;
const char kTyped[] =
    "Monday - things to do\n\n"
    "- Review the new screen recordings\n"
    "- Send the demo to the whole team\n"
    "- Lunch with Mira at 12:30 :-)";

struct Waypoint {
    int frame, x, y;
};
// Where the pointer is at these frames; it glides in between.
const Waypoint kPath[] = {{0, 620, 460},   {7, 420, 330},   {112, 430, 320}, {119, 180, 151},
                          {124, 182, 168}, {134, 196, 209}, {140, 330, 360}, {152, 868, 548},
                          {176, 868, 548}, {184, 650, 400}, {200, 520, 200}, {210, 300, 132},
                          {236, 420, 212}, {250, 136, 668}, {262, 150, 490}, {272, 160, 545},
                          {280, 700, 150}, {286, 760, 120}, {292, 790, 138}, {296, 660, 110},
                          {299, 640, 300}};

bool Between(int t, int from, int to) {
    return t >= from && t < to;
}

Point PointerAt(int t, int dragOffset) {
    if (Between(t, 212, 236))
        return Point{300 + 6 * dragOffset, 132 + 4 * dragOffset};
    const Waypoint* next = kPath;
    while (next->frame < t)
        ++next;
    if (next == kPath || next->frame == t)
        return Point{next->x, next->y};
    const Waypoint* last = next - 1;
    const double u = double(t - last->frame) / (next->frame - last->frame);
    const double eased = u * u * (3 - 2 * u);
    return Point{int(last->x + (next->x - last->x) * eased),
                 int(last->y + (next->y - last->y) * eased)};
}

int ItemUnder(const Point& p, const std::vector<Rect>& items) {
    for (size_t i = 0; i < items.size(); ++i)
        if (p.x >= items[i].left && p.x < items[i].right && p.y >= items[i].top &&
            p.y < items[i].bottom)
            return int(i);
    return -1;
}

// Paints frame t; sets the pointer and buttons of that moment.
void Paint(int t, Canvas& c, Point& pointer, uint8_t& left, uint8_t& right, int& selected) {
    const int drag = std::clamp(t - 213, 0, 20);
    pointer = PointerAt(t, drag);
    left = Between(t, 120, 122) || Between(t, 136, 138) || Between(t, 154, 175) ||
           Between(t, 186, 188) || Between(t, 212, 236) || Between(t, 256, 258) ||
           Between(t, 282, 284) || Between(t, 296, 298);
    right = Between(t, 288, 290);

    const bool notesActive = !Between(t, 154, 212);
    demo::Editor editor{{160 + 6 * drag, 120 + 4 * drag, 590 + 6 * drag, 410 + 4 * drag},
                        notesActive,
                        std::string(kTyped, size_t(std::clamp(t - 8, 0, int(sizeof kTyped) - 1))),
                        false,
                        -1};
    const bool menuOpen = Between(t, 121, 137);
    editor.caret = notesActive && !menuOpen && (t / 4) % 2 == 0;
    if (menuOpen) {
        std::vector<Rect> items;
        for (int i = 0; i < 6; ++i)
            items.push_back(demo::EditorMenuItem(editor.frame, i));
        const int under = ItemUnder(pointer, items);
        editor.openMenuItem = under < 0 ? 99 : under;
    }
    demo::Inbox inbox{{500, 230, 880, 560}, !notesActive, std::clamp(t - 155, 0, 18), selected};
    if (t == 186)
        selected = inbox.selected = demo::InboxRowAt(inbox, pointer.x, pointer.y);

    demo::DrawDesktop(c);
    if (notesActive) {
        demo::DrawInbox(c, inbox);
        demo::DrawEditor(c, editor);
    } else {
        demo::DrawEditor(c, editor);
        demo::DrawInbox(c, inbox);
    }
    const bool startOpen = Between(t, 257, 282);
    demo::DrawTaskbar(c, startOpen, notesActive, t < 180 ? "10:42" : "10:43");
    if (startOpen) {
        const std::vector<std::string> items = {"Programs", "Documents", "Settings",    "Find",
                                                "Help",     "Run...",    "Shut Down..."};
        const Rect area = demo::StartMenuArea();
        const int height = (area.bottom - area.top - 6) / int(items.size());
        const int over = pointer.y - area.top - 3;
        const bool inside = pointer.x > area.left + 28 && pointer.x < area.right && over >= 0;
        demo::DrawMenu(c, area, items, inside ? over / height : -1, true);
    }
    if (Between(t, 289, 297)) {
        const Rect area{760, 120, 900, 184};
        demo::DrawMenu(
            c, area, {"Arrange Icons", "Refresh", "Properties"},
            ItemUnder(pointer, {{763, 123, 897, 142}, {763, 142, 897, 161}, {763, 161, 897, 180}}),
            false);
    }
    c.Pointer(pointer.x, pointer.y);
}

}  // namespace

std::vector<uint8_t> BitmapInfo565() {
    std::vector<uint8_t> info(kBitmapInfoSize, 0);
    vqd::WriteU32(&info[0], 40);
    vqd::WriteU32(&info[4], kWidth);
    vqd::WriteU32(&info[8], uint32_t(-kHeight));  // top-down
    vqd::WriteU16(&info[12], 1);
    vqd::WriteU16(&info[14], 16);
    vqd::WriteU32(&info[16], 3);  // BI_BITFIELDS
    vqd::WriteU32(&info[20], kWidth * kHeight * 2);
    vqd::WriteU32(&info[40], 0xF800);
    vqd::WriteU32(&info[44], 0x07E0);
    vqd::WriteU32(&info[48], 0x001F);
    return info;
}

DemoFrames::DemoFrames() : bitmapInfo_(BitmapInfo565()), canvas_(kWidth, kHeight) {}

vqd::EncoderFrame DemoFrames::Next() {
    vqd::EncoderFrame frame{bitmapInfo_.data(), canvas_.Bytes(), kScreen, {}, 0, 0};
    Paint(next_++, canvas_, frame.cursor, frame.leftButton, frame.rightButton, selected_);
    return frame;
}

bool WriteDemoRecording(const char* path, uint32_t& records) {
    vqd::RecordingInfo info;
    info.title = "A morning at the desk";
    info.author = "Quorvane";
    info.description =
        "Notes typed, mail read, windows moved: a short desktop session replayed by the screen "
        "saver.";
    vqd::RecordingEncoder writer;
    if (!writer.Create(path, info))
        return false;
    DemoFrames frames;
    for (int t = 0; t < kFrames; ++t)
        if (!writer.AddFrame(frames.Next(), uint32_t(t * kFrameMs)))
            return false;
    records = writer.RecordCount();
    return writer.Finish();
}

}  // namespace demo
