#pragma once
#include <windows.h>

#include <atomic>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

// Answers the message boxes of a process (by default this one) that carry
// the caption, as a user would: each box gets the button given for its text
// (IDOK when the text has no answer). Other dialogs with the same caption are
// left alone. A thread of its own watches while the object lives, so boxes
// shown modally on the test's thread are answered.
class MessageBoxAnswerer {
  public:
    MessageBoxAnswerer(const std::string& caption, std::map<std::string, int> answers,
                       DWORD processId = GetCurrentProcessId());
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    // The texts of the boxes answered so far, in order.
    std::vector<std::string> Texts() const;

  private:
    void Watch();
    void Answer(HWND box);

    const std::string caption;
    const DWORD processId;
    const std::map<std::string, int> answers;
    std::set<HWND> answered;
    mutable std::mutex textsLock;
    std::vector<std::string> texts;
    std::atomic<bool> stopping{false};
    std::thread watcher;
};
