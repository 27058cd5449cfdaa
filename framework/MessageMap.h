// Message maps: each window class keeps one static table from message number,
// control or command id (or a range of them) and notification code to a member
// handler. Every handler has the same signature, LRESULT OnX(const fw::Msg&).
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <cstddef>

namespace fw {

constexpr UINT kAny = 0xFFFFFFFFu;
// Command codes a plain OnCommand entry answers: menu (0, also BN_CLICKED) and accelerator (1).
constexpr UINT kMenuOrClick = 0xFFFFFFFEu;
// Notifications and commands a parent reflects to the control that sent them arrive
// at the control as kReflectBase + the original message.
constexpr UINT kReflectBase = 0xBC00;

struct Msg {
    UINT id;
    WPARAM wp;
    LPARAM lp;
    // A handler sets this to let the message go on to the default processing.
    mutable bool passOn = false;
};

struct MsgKey {
    UINT msg, ctrl, code;
};

MsgKey KeyOf(const Msg& m);

template <class T>
struct MapEntry {
    UINT msg;
    UINT ctrlFirst, ctrlLast;
    UINT code;
    LRESULT (T::*handler)(const Msg&);
};

template <class T>
constexpr MapEntry<T> OnMessage(UINT msg, LRESULT (T::*h)(const Msg&)) {
    return {msg, kAny, kAny, kAny, h};
}
// Menu command, accelerator or button click with this id.
template <class T>
constexpr MapEntry<T> OnCommand(UINT id, LRESULT (T::*h)(const Msg&)) {
    return {WM_COMMAND, id, id, kMenuOrClick, h};
}
template <class T>
constexpr MapEntry<T> OnCommand(UINT id, UINT code, LRESULT (T::*h)(const Msg&)) {
    return {WM_COMMAND, id, id, code, h};
}
template <class T>
constexpr MapEntry<T> OnCommandRange(UINT first, UINT last, LRESULT (T::*h)(const Msg&)) {
    return {WM_COMMAND, first, last, kMenuOrClick, h};
}
template <class T>
constexpr MapEntry<T> OnNotify(UINT id, UINT code, LRESULT (T::*h)(const Msg&)) {
    return {WM_NOTIFY, id, id, code, h};
}
template <class T>
constexpr MapEntry<T> OnNotifyRange(UINT first, UINT last, UINT code, LRESULT (T::*h)(const Msg&)) {
    return {WM_NOTIFY, first, last, code, h};
}
// In a control's own table: a notification its parent reflected back to it.
template <class T>
constexpr MapEntry<T> OnReflectNotify(UINT code, LRESULT (T::*h)(const Msg&)) {
    return {kReflectBase + WM_NOTIFY, kAny, kAny, code, h};
}
template <class T>
constexpr MapEntry<T> OnReflectCommand(UINT code, LRESULT (T::*h)(const Msg&)) {
    return {kReflectBase + WM_COMMAND, kAny, kAny, code, h};
}
template <class T>
constexpr MapEntry<T> OnReflect(UINT msg, LRESULT (T::*h)(const Msg&)) {
    return {kReflectBase + msg, kAny, kAny, kAny, h};
}

inline bool Matches(UINT want, UINT have) { return want == kAny || want == have; }
inline bool CodeMatches(UINT want, UINT have) {
    return want == kMenuOrClick ? (have == 0 || have == 1) : Matches(want, have);
}

// Finds the first entry that matches and runs it. Returns false when no entry
// matched or the handler asked for default processing.
template <class T, size_t N>
bool RunMap(T& self, const MapEntry<T> (&map)[N], const Msg& m, LRESULT& result) {
    const MsgKey key = KeyOf(m);
    for (const MapEntry<T>& e : map) {
        if (e.msg != key.msg) continue;
        if (e.ctrlFirst != kAny && (key.ctrl < e.ctrlFirst || key.ctrl > e.ctrlLast)) continue;
        if (!CodeMatches(e.code, key.code)) continue;
        m.passOn = false;
        result = (self.*e.handler)(m);
        return !m.passOn;
    }
    return false;
}

}  // namespace fw
