// Which keys of the main window's table an edit field keeps for itself.
#pragma once

struct KeyPress {
    unsigned vk;  // virtual-key code
    bool ctrl, shift, alt;
};

// Del, Backspace, the clipboard keys (Ctrl+C/X/V, Ctrl+Insert, Shift+Insert, Shift+Del),
// Ctrl+Z and Ctrl+A mean what they always mean in an edit field, not the window's command.
bool EditKeepsKey(const KeyPress& key);
