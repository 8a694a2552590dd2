#pragma once
// The one channel of results from the fetch thread to the UI thread: a snapshot of what the
// last runs produced (the item table, the ticker text, the summer-time flags and the status
// line), replaced whole. The fetch thread publishes a changed part as a new snapshot that
// shares the unchanged parts with the old one; the UI thread takes the latest snapshot once
// per frame and holds it for the whole frame, so every read in a frame agrees and nothing it
// reads is ever written again. So while a run is under way a frame sees the previous run's
// finished table (nothing at all before the first run ends), never a half-appended column.
//
// The program has one channel; the fetch context and the main window share it, and either
// may outlive the other.
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "model/item_table.h"

struct FetchSnapshot {
  // Never null. A zeroed table (tableReady 0) until the first run's finish step.
  std::shared_ptr<const MarketItemTable> items;
  // Never null; at most kTickerSize bytes.
  std::shared_ptr<const std::string> ticker;
  bool londonSummerTime = false;   // European summer time is in force
  bool newYorkSummerTime = false;  // United States daylight time is in force
  // The main window's caption as the run last set it; empty until it sets one.
  std::string status;
};

class FetchChannel {
 public:
  FetchChannel();

  // ---- The UI thread. ----

  // The last published snapshot; never null.
  std::shared_ptr<const FetchSnapshot> latest() const;

  // ---- The fetch thread. Each publishes a new snapshot with one part replaced. ----

  // A copy of `table` as the shown table.
  void publishItems(const MarketItemTable& table);
  // At most kTickerSize bytes of `text` as the ticker text.
  void publishTicker(std::string_view text);
  void publishSummerTime(bool london, bool newYork);
  void publishStatus(std::string_view text);

 private:
  template <typename Change>
  void publish(Change change);

  mutable std::mutex mutex_;
  std::shared_ptr<const FetchSnapshot> latest_;  // guarded by mutex_
};
