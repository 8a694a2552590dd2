#pragma once
// What a fetch run tells the rest of the program, and what it asks of it, besides the
// results it publishes in the fetch snapshot (model/fetch_snapshot.h). Every call comes on
// the fetch thread; an implementation hands what concerns widgets or windows to the UI thread
// and returns. The defaults do nothing (and reach the real network), so that tests override
// only what they watch.
//
// No call waits for the user: a run shows its boxes and goes on, so that a box left open
// never holds up the next refresh.
#include <cstdint>
#include <string_view>

namespace platform {
class HttpClient;
}

class FetchEvents {
 public:
  virtual ~FetchEvents() = default;

  // ---- What the run tells. ----

  // A page arrived: the Earth texture is to be rebuilt.
  virtual void textureChanged() {}
  // The script set the refresh setting: the period is (121 - setting) minutes.
  virtual void refreshSettingChanged(int32_t /*setting*/) {}
  // The run had a script with a valid header, ran its blocks to the end and published the
  // table: the boxes of earlier runs' trouble (showTrouble) may go.
  virtual void runSucceeded() {}
  // The run's last act: nothing of the run's is touched after it.
  virtual void runEnded() {}
  // The status line changed. The program shows it from the snapshot; this tells a listener
  // that wants every step.
  virtual void statusShown(std::string_view /*text*/) {}

  // ---- What the run asks for. ----

  // A box that the script asks for. Returns at once.
  virtual void showMessage(std::string_view /*text*/, std::string_view /*title*/) {}
  // A box that tells of the run's own trouble (no script at all, an invalid one). Returns at
  // once. While a box of the same text and title is open, no second one comes; a later run
  // that succeeds closes it.
  virtual void showTrouble(std::string_view /*text*/, std::string_view /*title*/) {}
  // The script ends the program, once the user has dismissed the box the script showed.
  virtual void requestClose() {}
  virtual void openPage(std::string_view /*address*/) {}
  // Shows the main window without moving, sizing or re-ordering it.
  virtual void showMainWindow() {}
  // Whether the control panel exists: the transfers show their progress only then.
  virtual bool panelOpen() { return false; }

  // ---- Test seams. ----

  // The HTTP client of every transfer: libcurl's unless overridden.
  virtual platform::HttpClient& httpClient();
  // Whether a network interface is up: the platform's check unless overridden.
  virtual bool networkUp();
};
