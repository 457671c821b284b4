#include "MessageBoxAnswerer.h"

#include <set>

MessageBoxAnswerer::MessageBoxAnswerer(const std::string& caption,
                                       const std::map<std::string, int>& answers, DWORD processId)
    : watcher([this, caption, answers, processId] {
          std::set<HWND> answered;
          while (!stopping) {
              for (HWND box = nullptr;
                   (box = FindWindowExA(nullptr, box, "#32770", caption.c_str()));) {
                  DWORD process = 0;
                  GetWindowThreadProcessId(box, &process);
                  char text[1024] = {};
                  // 0xFFFF: the text of the box (boxes without one are not answered)
                  if (process != processId || !IsWindowVisible(box) ||
                      !GetDlgItemTextA(box, 0xFFFF, text, sizeof text) ||
                      !answered.insert(box).second)
                      continue;
                  const auto answer = answers.find(text);
                  const std::lock_guard<std::mutex> hold(textsLock);  // until it is answered
                  texts.push_back(text);
                  PostMessageA(box, WM_COMMAND, answer == answers.end() ? IDOK : answer->second, 0);
              }
              Sleep(20);
          }
      }) {}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    stopping = true;
    watcher.join();
}

std::vector<std::string> MessageBoxAnswerer::Texts() const {
    std::lock_guard<std::mutex> hold(textsLock);
    return texts;
}
