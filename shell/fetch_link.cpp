#include "shell/fetch_link.h"

#include <memory>
#include <string>
#include <utility>

#include "market/fetch_run.h"
#include "platform/dialog.h"
#include "platform/message_box.h"
#include "platform/open_url.h"
#include "platform/ui_thread.h"
#include "shell/fetch_boxes.h"
#include "shell/main_window.h"

namespace {

std::shared_ptr<FetchBoxes> programBoxes() {
  return std::make_shared<FetchBoxes>(FetchBoxHooks{
      .open = platform::openMessageBox,
      .close = platform::closeMessageBox,
      // Not from inside the dismissal: the close runs on the next loop pass.
      .closeProgram = [] { platform::postCloseToMainWindow(); },
  });
}

// The program's side of the fetch events. Called on the fetch thread: what concerns windows
// or the display record is posted to the UI thread, which drops it once the program shuts
// down; the schedule is shared with the thread.
class ProgramFetchEvents : public FetchEvents {
 public:
  ProgramFetchEvents(std::shared_ptr<FetchSchedule> schedule, RendererRequests& requests,
                     std::function<bool()> panelOpen)
      : schedule_(std::move(schedule)),
        requests_(requests),
        panelOpen_(std::move(panelOpen)),
        boxes_(programBoxes()) {}

  void textureChanged() override {
    platform::postToUi([&requests = requests_] { requests.newTexture = true; });
  }
  void refreshSettingChanged(int32_t setting) override { schedule_->setRefreshSetting(setting); }
  // Posted before the run's end: a box of the next run comes after it.
  void runSucceeded() override {
    platform::postToUi([boxes = boxes_] { boxes->runSucceeded(); });
  }
  void runEnded() override { schedule_->endRun(); }

  void showMessage(std::string_view text, std::string_view title) override {
    showBox(FetchBoxKind::script, text, title);
  }
  void showTrouble(std::string_view text, std::string_view title) override {
    showBox(FetchBoxKind::trouble, text, title);
  }
  // No run starts any more; the window closes when the script's box has been read.
  void requestClose() override {
    platform::postToUi([boxes = boxes_, schedule = schedule_] {
      schedule->close();
      boxes->closeRequested();
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
  void showBox(FetchBoxKind kind, std::string_view text, std::string_view title) {
    platform::postToUi([boxes = boxes_, kind, text = std::string(text),
                        title = std::string(title)] { boxes->show(kind, text, title); });
  }

  std::shared_ptr<FetchSchedule> schedule_;
  RendererRequests& requests_;  // only touched on the UI thread, while the loop runs
  std::function<bool()> panelOpen_;
  std::shared_ptr<FetchBoxes> boxes_;  // only touched on the UI thread
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
