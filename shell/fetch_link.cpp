#include "shell/fetch_link.h"

#include <memory>
#include <string>

#include "market/fetch_run.h"
#include "platform/message_box.h"
#include "platform/open_url.h"
#include "platform/ui_thread.h"
#include "shell/main_window.h"

namespace {

void setCaptionLater(std::string_view text) {
  platform::postToUi([caption = std::string(text)] {
    if (mainWindow) mainWindow->setCaption(caption);
  });
}

}  // namespace

std::function<void()> linkFetchRun(std::function<bool()> panelOpen) {
  platform::enableUiCalls();
  const auto context = std::make_shared<FetchContext>();
  FetchHooks& fetchHooks = context->hooks;
  TransferHooks& transferHooks = context->transferHooks;
  fetchHooks.setCaption = setCaptionLater;
  // The run waits for the user's OK; the UI thread, the globe and the panel go on.
  fetchHooks.showMessage = [](std::string_view text, std::string_view title) {
    platform::runOnUiAndWait(
        [text = std::string(text), title = std::string(title)](std::function<void()> done) {
          platform::openMessageBox(text, title, std::move(done));
        });
  };
  fetchHooks.requestClose = [] {
    platform::postToUi([] {
      if (mainWindow) mainWindow->requestClose();
    });
  };
  fetchHooks.openPage = [](std::string_view address) { platform::openUrl(address); };
  transferHooks.panelOpen = std::move(panelOpen);
  transferHooks.setCaption = setCaptionLater;
  transferHooks.showMainWindow = [] {
    platform::postToUi([] {
      if (mainWindow) mainWindow->reveal();
    });
  };
  return [context] { fetchThreadProcedure(*context); };
}
