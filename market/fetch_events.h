#pragma once
// What a fetch run tells the rest of the program, and what it asks of it, besides the
// results it publishes in the fetch snapshot (model/fetch_snapshot.h). Every call comes on
// the fetch thread; an implementation hands what concerns widgets or windows to the UI thread
// and returns. The defaults do nothing (and reach the real network), so that tests override
// only what they watch.
//
// Only showMessage may wait for the user; the run then holds nothing that the UI thread or a
// frame needs (its results are published, the schedule untouched), so an implementation may
// as well show the box and return at once.
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
  // The run's last act: nothing of the run's is touched after it.
  virtual void runEnded() {}
  // The status line changed. The program shows it from the snapshot; this tells a listener
  // that wants every step.
  virtual void statusShown(std::string_view /*text*/) {}

  // ---- What the run asks for. ----

  // A message box; returns when the user has dismissed it, or at once while the program is
  // shutting down.
  virtual void showMessage(std::string_view /*text*/, std::string_view /*title*/) {}
  // The script ended the program.
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
