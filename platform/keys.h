#pragma once
// Keys as the program's windows and dialogs hand them on: letters as their upper-case
// characters, digits (also the number pad's) as digits, '+' and '-' (also the number pad's) as
// those characters, and the keys below, which lie beyond every character. Held Ctrl adds
// kControlKey.

namespace platform {

constexpr int kKeyEscape = 0x10000;
constexpr int kKeyF1 = 0x10001;
constexpr int kKeyF11 = 0x1000b;
constexpr int kKeyLeft = 0x10020;
constexpr int kKeyRight = 0x10021;
constexpr int kKeyUp = 0x10022;
constexpr int kKeyDown = 0x10023;
constexpr int kControlKey = 0x100000;

}  // namespace platform
