#pragma once
// What a fetch run and its transfers ask of the rest of the program, and the transfers' time
// bounds. The shell sets them in the fetch context before the first run; tests set their own.
// Empty hooks do nothing.
#include <cstdint>
#include <functional>
#include <string_view>

namespace platform {
class HttpClient;
}

// What a run asks of the user-interface side.
struct FetchHooks {
  std::function<void(std::string_view)> setCaption;
  // Shows a box and returns when the user has dismissed it, or at once when the program is
  // shutting down; the rest of the program goes on meanwhile.
  std::function<void(std::string_view text, std::string_view title)> showMessage;
  std::function<void()> requestClose;  // the script ended the program
  std::function<void(std::string_view)> openPage;
};

// What the transfers ask of the rest of the program.
struct TransferHooks {
  std::function<bool()> panelOpen;                   // the control panel exists
  std::function<void(std::string_view)> setCaption;  // the main window's caption
  std::function<void()> showMainWindow;  // show it without moving, sizing or re-ordering
  // Test seams: the client (null: libcurl) and the network check (empty: the platform's).
  platform::HttpClient* client = nullptr;
  std::function<bool()> networkUp;
  uint32_t pageSettleMs = 100;  // the wait after a successful page download
};

// Time bounds of every transfer; the page download takes its connect time-out as argument.
struct TransferLimits {
  uint32_t connectMs = 10000;
  uint32_t totalMs = 120000;
  uint32_t lowSpeedBytes = 1;  // per second, over lowSpeedSeconds
  uint32_t lowSpeedSeconds = 10;
};
