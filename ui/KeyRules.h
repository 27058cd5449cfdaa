// Which keys of the main window's table an edit field keeps for itself.
#pragma once

struct KeyPress {
    unsigned vk;  // virtual-key code
    bool ctrl, shift, alt;
};

// Del, Backspace, the clipboard keys (Ctrl+C/X/V, Ctrl+Insert, Shift+Insert, Shift+Del),
// Ctrl+A and the undo keys (Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z) belong to the text in an edit
// field, not to the window's commands.
bool EditKeepsKey(const KeyPress& key);
// Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z.
bool IsUndoKey(const KeyPress& key);
