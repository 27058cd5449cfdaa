#include "ui/KeyRules.h"

namespace {
constexpr unsigned kBack = 0x08, kInsert = 0x2D, kDelete = 0x2E;
}  // namespace

bool EditKeepsKey(const KeyPress& key) {
    if (key.alt) return false;
    if (key.vk == kBack || key.vk == kDelete) return !key.ctrl;  // Shift+Del is cut
    if (key.vk == kInsert) return key.ctrl != key.shift;          // copy, paste
    if (IsUndoKey(key)) return true;
    if (!key.ctrl || key.shift) return false;
    switch (key.vk) {
    case 'A': case 'C': case 'V': case 'X': return true;
    default: return false;
    }
}

bool IsUndoKey(const KeyPress& key) {
    if (!key.ctrl || key.alt) return false;
    return key.vk == 'Z' || (key.vk == 'Y' && !key.shift);
}
