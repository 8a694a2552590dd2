#include "model/fetch_snapshot.h"

#include <utility>

#include "model/ticker_text.h"

FetchChannel::FetchChannel() {
  auto first = std::make_shared<FetchSnapshot>();
  first->items = std::make_shared<const MarketItemTable>();
  first->ticker = std::make_shared<const std::string>(kStartTickerBlanks, ' ');
  latest_ = std::move(first);
}

std::shared_ptr<const FetchSnapshot> FetchChannel::latest() const {
  std::lock_guard lock(mutex_);
  return latest_;
}

template <typename Change>
void FetchChannel::publish(Change change) {
  // The new snapshot is built outside the lock; the lock only covers the exchange. Only the
  // fetch thread publishes, so the snapshot it starts from is still the latest one.
  auto next = std::make_shared<FetchSnapshot>(*latest());
  change(*next);
  std::shared_ptr<const FetchSnapshot> old;
  {
    std::lock_guard lock(mutex_);
    old = std::exchange(latest_, std::move(next));
  }
  // `old` is released here, outside the lock, or later by the last frame that holds it.
}

void FetchChannel::publishItems(const MarketItemTable& table) {
  auto items = std::make_shared<const MarketItemTable>(table);
  publish([&items](FetchSnapshot& s) { s.items = std::move(items); });
}

void FetchChannel::publishTicker(std::string_view text) {
  auto ticker = std::make_shared<const std::string>(text.substr(0, kTickerSize));
  publish([&ticker](FetchSnapshot& s) { s.ticker = std::move(ticker); });
}

void FetchChannel::publishSummerTime(bool london, bool newYork) {
  publish([london, newYork](FetchSnapshot& s) {
    s.londonSummerTime = london;
    s.newYorkSummerTime = newYork;
  });
}

void FetchChannel::publishStatus(std::string_view text) {
  publish([text](FetchSnapshot& s) { s.status = std::string(text); });
}
