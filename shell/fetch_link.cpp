#include "shell/fetch_link.h"

#include <memory>
#include <string>
#include <utility>

#include "market/fetch_run.h"
#include "platform/message_box.h"
#include "platform/open_url.h"
#include "platform/ui_thread.h"
#include "shell/main_window.h"

namespace {

// The program's side of the fetch events. Called on the fetch thread: what concerns windows
// or the display record is posted to the UI thread, which drops it once the program shuts
// down; the schedule is shared with the thread.
class ProgramFetchEvents : public FetchEvents {
 public:
  ProgramFetchEvents(std::shared_ptr<FetchSchedule> schedule, RendererRequests& requests,
                     std::function<bool()> panelOpen)
      : schedule_(std::move(schedule)), requests_(requests), panelOpen_(std::move(panelOpen)) {}

  void textureChanged() override {
    platform::postToUi([&requests = requests_] { requests.newTexture = true; });
  }
  void refreshSettingChanged(int32_t setting) override { schedule_->setRefreshSetting(setting); }
  void runEnded() override { schedule_->endRun(); }

  // The run waits for the user's OK; the UI thread, the globe and the panel go on.
  void showMessage(std::string_view text, std::string_view title) override {
    platform::runOnUiAndWait(
        [text = std::string(text), title = std::string(title)](std::function<void()> done) {
          platform::openMessageBox(text, title, std::move(done));
        });
  }
  void requestClose() override {
    platform::postToUi([] {
      if (mainWindow) mainWindow->requestClose();
    });
  }
  void openPage(std::string_view address) override { platform::openUrl(address); }
  void showMainWindow() override {
    platform::postToUi([] {
      if (mainWindow) mainWindow->reveal();
    });
  }
  bool panelOpen() override { return panelOpen_ && panelOpen_(); }

 private:
  std::shared_ptr<FetchSchedule> schedule_;
  RendererRequests& requests_;  // only touched on the UI thread, while the loop runs
  std::function<bool()> panelOpen_;
};

}  // namespace

std::function<void()> linkFetchRun(ProgramRecords& records, std::function<bool()> panelOpen) {
  platform::enableUiCalls();
  const auto context = std::make_shared<FetchContext>();
  context->events = std::make_shared<ProgramFetchEvents>(records.schedule, records.display.requests,
                                                         std::move(panelOpen));
  context->channel = records.channel;
  return [context] { fetchThreadProcedure(*context); };
}
