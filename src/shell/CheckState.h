#pragma once
// The main window's three-state check boxes as the window and the settings file hold them, and the two
// tests a conversion option makes of them.

enum class CheckState : int { Unchecked = 0, Checked = 1, Grayed = 2 };

// Every option test is "checked" (state 1), so a grayed box counts as off...
inline bool isOn(CheckState state) {
    return state == CheckState::Checked;
}
// ...except the system-tables box, whose test is "not unchecked", so a grayed box there counts as on.
inline bool isNotOff(CheckState state) {
    return state != CheckState::Unchecked;
}
