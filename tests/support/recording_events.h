#pragma once
// Fetch events that record what a run tells and asks, with the client and the network check
// the test chooses.
#include <optional>
#include <string>
#include <vector>

#include "market/fetch_events.h"
#include "platform/http.h"

class RecordingEvents : public FetchEvents {
 public:
  std::vector<std::string> captions;
  // "title: text" for the script's boxes, "trouble title: text" for the run's, and "close".
  std::vector<std::string> messages;
  int texturesChanged = 0;
  int runsSucceeded = 0;
  int windowShown = 0;
  int runsEnded = 0;
  int32_t refreshSetting = 0;
  bool panel = true;
  platform::HttpClient* client = nullptr;  // null: libcurl
  std::optional<bool> network;             // empty: the platform's check

  void textureChanged() override { ++texturesChanged; }
  void refreshSettingChanged(int32_t setting) override { refreshSetting = setting; }
  void runSucceeded() override { ++runsSucceeded; }
  void runEnded() override { ++runsEnded; }
  void statusShown(std::string_view text) override { captions.emplace_back(text); }
  void showMessage(std::string_view text, std::string_view title) override {
    messages.push_back(std::string(title) + ": " + std::string(text));
  }
  void showTrouble(std::string_view text, std::string_view title) override {
    messages.push_back("trouble " + std::string(title) + ": " + std::string(text));
  }
  void requestClose() override { messages.emplace_back("close"); }
  void showMainWindow() override { ++windowShown; }
  bool panelOpen() override { return panel; }
  platform::HttpClient& httpClient() override {
    return client ? *client : FetchEvents::httpClient();
  }
  bool networkUp() override { return network ? *network : FetchEvents::networkUp(); }
};
