// One small owner per kind of handle that is not a window: the second call of a
// pair runs in the destructor.
#pragma once
#include <windows.h>
#include <objbase.h>
#include <utility>

namespace fw {

template <class H, auto Free>
class Owned {
public:
    Owned() = default;
    explicit Owned(H h) : m_h(h) {}
    Owned(Owned&& o) noexcept : m_h(std::exchange(o.m_h, H{})) {}
    Owned& operator=(Owned o) noexcept {
        std::swap(m_h, o.m_h);
        return *this;
    }
    ~Owned() { reset(); }
    H get() const { return m_h; }
    H release() { return std::exchange(m_h, H{}); }
    void reset(H h = H{}) {
        if (m_h) Free(m_h);
        m_h = h;
    }
    explicit operator bool() const { return m_h != H{}; }

private:
    H m_h{};
};

inline void CloseHandleIfValid(HANDLE h) {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
}
inline void DeleteGdiObject(HGDIOBJ h) { DeleteObject(h); }
inline void DestroyMenuHandle(HMENU h) { DestroyMenu(h); }
inline void DestroyIconHandle(HICON h) { DestroyIcon(h); }
inline void ReleaseModule(HMODULE h) { FreeLibrary(h); }
inline void CloseRegKey(HKEY h) { RegCloseKey(h); }

using OwnedHandle = Owned<HANDLE, &CloseHandleIfValid>;
using OwnedFont = Owned<HFONT, &DeleteGdiObject>;
using OwnedBitmap = Owned<HBITMAP, &DeleteGdiObject>;
using OwnedBrush = Owned<HBRUSH, &DeleteGdiObject>;
using OwnedPen = Owned<HPEN, &DeleteGdiObject>;
using OwnedMenu = Owned<HMENU, &DestroyMenuHandle>;
using OwnedIcon = Owned<HICON, &DestroyIconHandle>;
using OwnedModule = Owned<HMODULE, &ReleaseModule>;
using OwnedKey = Owned<HKEY, &CloseRegKey>;

// COM interface pointer owner.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr& o) : m_p(o.m_p) { if (m_p) m_p->AddRef(); }
    ComPtr(ComPtr&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(m_p, o.m_p);
        return *this;
    }
    ~ComPtr() { reset(); }
    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    T& operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // For out-parameters: releases what it held first.
    T** put() {
        reset();
        return &m_p;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }
    void reset() {
        if (m_p) std::exchange(m_p, nullptr)->Release();
    }
    // Takes over a pointer that already carries a reference.
    void attach(T* p) {
        reset();
        m_p = p;
    }

private:
    T* m_p = nullptr;
};

// Holds the lock of a global memory block for a scope.
template <class T>
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL h) : m_h(h), m_p(h ? static_cast<T*>(GlobalLock(h)) : nullptr) {}
    ~GlobalLockGuard() {
        if (m_p) GlobalUnlock(m_h);
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    T* get() const { return m_p; }
    size_t bytes() const { return m_p ? GlobalSize(m_h) : 0; }

private:
    HGLOBAL m_h;
    T* m_p;
};

}  // namespace fw
