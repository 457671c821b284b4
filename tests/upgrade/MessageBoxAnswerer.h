#pragma once
#include <windows.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Answers the message boxes of a process (by default this one) that carry
// the caption, as a user would: each box gets the button given for its text
// (IDOK when the text has no answer). A thread of its own watches while the
// object lives, so boxes shown modally on the test's thread are answered.
class MessageBoxAnswerer {
  public:
    MessageBoxAnswerer(const std::string& caption, const std::map<std::string, int>& answers,
                       DWORD processId = GetCurrentProcessId());
    ~MessageBoxAnswerer();

    // The texts of the boxes answered so far, in order.
    std::vector<std::string> Texts() const;

  private:
    mutable std::mutex textsLock;
    std::vector<std::string> texts;
    std::atomic<bool> stopping{false};
    std::thread watcher;
};
