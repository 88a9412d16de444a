#pragma once

namespace wb::gui {

struct KeyboardLocks {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// The lock keys' state as the keyboard shows it; all off where the windowing system does
// not tell (the offscreen platform, for one).
KeyboardLocks ReadKeyboardLocks();

}  // namespace wb::gui
