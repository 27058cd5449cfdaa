// Test doubles for the seams: records every message box and shell open, answers
// message boxes from a queue, and can pin the clock. Restores the real handlers
// when it goes out of scope.
#pragma once
#include "framework/Seams.h"
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

struct ShownMessage {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT flags;
};

class FakeSeams {
public:
    FakeSeams();
    ~FakeSeams();
    FakeSeams(const FakeSeams&) = delete;
    FakeSeams& operator=(const FakeSeams&) = delete;

    // Answers for the next message boxes, in order; when empty, IDOK/IDYES by flags.
    void QueueAnswer(int answer);
    void PinClock(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second);
    void SetShellResult(INT_PTR result) { m_shellResult = result; }
    // The user's special folder `csidl` is `path` from now on (other folders stay real).
    void SetShellFolder(int csidl, const std::wstring& path);

    std::vector<ShownMessage> Messages() const;
    std::vector<std::wstring> Opened() const;
    std::vector<std::wstring> HelpShown() const;  // help topics, "<file>.chm::/<page>"

    void Clear();

private:
    mutable std::mutex m_lock;
    std::deque<int> m_answers;
    std::vector<ShownMessage> m_messages;
    std::vector<std::wstring> m_opened;
    std::vector<std::wstring> m_help;
    INT_PTR m_shellResult = 42;
    bool m_clockPinned = false;
    SYSTEMTIME m_clock{};
    std::map<int, std::wstring> m_folders;
};
