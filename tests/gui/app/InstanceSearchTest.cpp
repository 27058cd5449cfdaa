#include "app/AppMessages.h"
#include "app/InstanceSearch.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

int gShowInstanceCalls = 0;

LRESULT CALLBACK ProbeProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SHOWINSTANCE) {
        ++gShowInstanceCalls;
        return 0;
    }
    return DefWindowProcW(window, msg, wp, lp);
}

// A hidden top-level window that counts WM_SHOWINSTANCE.
class ProbeWindow {
public:
    ProbeWindow() {
        static const ATOM kClass = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = ProbeProc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"TmInstanceProbe";
            return RegisterClassW(&wc);
        }();
        m_hwnd = CreateWindowExW(0, MAKEINTATOM(kClass), L"probe", WS_POPUP, 0, 0, 10, 10,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~ProbeWindow() { DestroyWindow(m_hwnd); }
    HWND get() const { return m_hwnd; }

private:
    HWND m_hwnd = nullptr;
};

}  // namespace

TEST(InstanceSearch, FindsOnlyTheWindowMarkedWithOne) {
    ProbeWindow unmarked, otherValue, marked;
    ASSERT_TRUE(unmarked.get() && otherValue.get() && marked.get());
    ASSERT_TRUE(SetPropW(otherValue.get(), kInstanceProperty, reinterpret_cast<HANDLE>(2)));
    EXPECT_EQ(FindRunningInstance(), nullptr);

    HWND slot = nullptr;
    EXPECT_TRUE(FindInstanceProc(otherValue.get(), reinterpret_cast<LPARAM>(&slot)));
    EXPECT_EQ(slot, nullptr);

    ASSERT_TRUE(MarkInstanceWindow(marked.get()));
    EXPECT_FALSE(FindInstanceProc(marked.get(), reinterpret_cast<LPARAM>(&slot)));
    EXPECT_EQ(slot, marked.get());
    EXPECT_EQ(FindRunningInstance(), marked.get());
}

TEST(InstanceSearch, ShowsTheRunningCopyAndWaitsForIt) {
    gShowInstanceCalls = 0;
    EXPECT_FALSE(ShowRunningInstance());
    {
        ProbeWindow running;
        ASSERT_TRUE(MarkInstanceWindow(running.get()));
        std::vector<DWORD> allowed;
        int shownBeforeAllowing = -1;
        EXPECT_TRUE(ShowRunningInstance([&](DWORD process) {
            allowed.push_back(process);
            shownBeforeAllowing = gShowInstanceCalls;
            return true;
        }));
        EXPECT_EQ(gShowInstanceCalls, 1);  // sent, so handled before the call returns
        // The running copy's process may take the foreground, before it is asked to.
        EXPECT_EQ(allowed, std::vector<DWORD>{GetCurrentProcessId()});
        EXPECT_EQ(shownBeforeAllowing, 0);
    }
    EXPECT_FALSE(ShowRunningInstance());   // gone with its window
    EXPECT_EQ(gShowInstanceCalls, 1);
}
