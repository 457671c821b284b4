#include "MessageBoxAnswerer.h"

namespace {
// The static control that carries a message box's text.
const int messageTextId = 0xFFFF;

struct Search {
    const std::string* caption;
    DWORD processId;
    std::vector<HWND> boxes;
};

BOOL CALLBACK CollectBox(HWND window, LPARAM parameter) {
    Search& search = *reinterpret_cast<Search*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[64] = {};
    char title[256] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    if (process == search.processId && IsWindowVisible(window) &&
        std::string(className) == "#32770" && *search.caption == title &&
        GetDlgItem(window, messageTextId))
        search.boxes.push_back(window);
    return TRUE;
}

BOOL CALLBACK AppendStaticText(HWND child, LPARAM parameter) {
    char className[64] = {};
    GetClassNameA(child, className, sizeof className);
    if (std::string(className) == "Static") {
        char text[1024] = {};
        SendMessageA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        *reinterpret_cast<std::string*>(parameter) += text;
    }
    return TRUE;
}
}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer(const std::string& caption,
                                       std::map<std::string, int> answers, DWORD processId)
    : caption(caption),
      processId(processId),
      answers(std::move(answers)),
      watcher([this] { Watch(); }) {}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    stopping = true;
    watcher.join();
}

std::vector<std::string> MessageBoxAnswerer::Texts() const {
    std::lock_guard<std::mutex> hold(textsLock);
    return texts;
}

void MessageBoxAnswerer::Watch() {
    while (!stopping) {
        Search search{&caption, processId, {}};
        EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&search));
        for (HWND box : search.boxes)
            if (answered.insert(box).second)
                Answer(box);
        Sleep(20);
    }
}

void MessageBoxAnswerer::Answer(HWND box) {
    std::string text;
    EnumChildWindows(box, AppendStaticText, reinterpret_cast<LPARAM>(&text));
    const auto answer = answers.find(text);
    {
        std::lock_guard<std::mutex> hold(textsLock);
        texts.push_back(text);
    }
    PostMessageA(box, WM_COMMAND,
                 MAKEWPARAM(answer == answers.end() ? IDOK : answer->second, BN_CLICKED), 0);
}
