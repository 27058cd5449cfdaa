#include "fakes/FakeSeams.h"
#include <shlobj.h>

FakeSeams::FakeSeams() {
    seams::SetMessageBoxHandler([this](HWND owner, const std::wstring& text,
                                       const std::wstring& caption, UINT flags) {
        std::lock_guard<std::mutex> guard(m_lock);
        m_messages.push_back({owner, text, caption, flags});
        if (!m_answers.empty()) {
            const int a = m_answers.front();
            m_answers.pop_front();
            return a;
        }
        const UINT type = flags & MB_TYPEMASK;
        return (type == MB_YESNO || type == MB_YESNOCANCEL) ? IDYES : IDOK;
    });
    seams::SetShellOpenHandler([this](const std::wstring& target, int) {
        std::lock_guard<std::mutex> guard(m_lock);
        m_opened.push_back(target);
        return m_shellResult;
    });
    seams::SetHelpHandler([this](HWND, const std::wstring& topic) {
        std::lock_guard<std::mutex> guard(m_lock);
        m_help.push_back(topic);
        return true;
    });
    seams::SetClockHandler([this]() {
        std::lock_guard<std::mutex> guard(m_lock);
        if (m_clockPinned) return m_clock;
        SYSTEMTIME st{};
        GetLocalTime(&st);
        return st;
    });
}

FakeSeams::~FakeSeams() {
    seams::SetMessageBoxHandler({});
    seams::SetShellOpenHandler({});
    seams::SetClockHandler({});
    seams::SetShellFolderHandler({});
    seams::SetHelpHandler({});
}

void FakeSeams::SetShellFolder(int csidl, const std::wstring& path) {
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_folders[csidl] = path;
    }
    seams::SetShellFolderHandler([this](int id) {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            if (const auto it = m_folders.find(id); it != m_folders.end()) return it->second;
        }
        wchar_t real[MAX_PATH + 1] = {};
        return SHGetSpecialFolderPathW(nullptr, real, id, FALSE) ? std::wstring(real) : std::wstring();
    });
}

void FakeSeams::QueueAnswer(int answer) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_answers.push_back(answer);
}

void FakeSeams::PinClock(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_clock = SYSTEMTIME{year, month, 0, day, hour, minute, second, 0};
    m_clockPinned = true;
}

std::vector<ShownMessage> FakeSeams::Messages() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_messages;
}

std::vector<std::wstring> FakeSeams::Opened() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_opened;
}

std::vector<std::wstring> FakeSeams::HelpShown() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_help;
}

void FakeSeams::Clear() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_messages.clear();
    m_opened.clear();
    m_help.clear();
}
