#include "panel/help_dialog.h"

#include "model/settings.h"
#include "panel/dialog_tables.h"
#include "panel/modal_dialog.h"
#include "panel/program_close.h"
#include "platform/message_box.h"
#include "platform/open_url.h"
#include "platform/text.h"

namespace {

class HelpDialog : public ModalDialog {
 public:
  explicit HelpDialog(Commands& commands) : ModalDialog(kHelpDialog, commands) {
    const auto text = helpText();
    if (!text) platform::messageBox("resource not found", " ");
    dialog_.setText(helpid::text, editLines(text.value_or("")));
  }

  void command(int id) override {
    switch (id) {
      case kCommandOk:
        dialog_.hide();
        break;
      case helpid::more:
        platform::openUrl(makerHelpPage());
        break;
      case helpid::reset:
        // One stray click must not cost the script and end the program: only OK goes on.
        if (platform::askOkCancel(kResetQuestion, "Reset")) resetAndClose(commands_);
        break;
      default:
        break;
    }
  }

  // The close box, Escape and Ctrl+W close the guide as OK does.
  void closeRequest() override { dialog_.hide(); }
};

bool startsWithScheme(const std::string& host) {
  const std::string_view h(host);
  return platform::equalsIgnoreCase(h.substr(0, 7), "http://") ||
         platform::equalsIgnoreCase(h.substr(0, 8), "https://");
}

}  // namespace

std::optional<std::string> helpText(const platform::ResourceEntry* table) {
  const auto bytes = platform::findResource("readme.txt", table);
  if (!bytes.data()) return std::nullopt;
  std::string text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  text = text.substr(0, text.find('\0'));
  if (text.size() > kHelpBufferSize - 1) text.resize(kHelpBufferSize - 1);
  return text;
}

std::string editLines(const std::string& text) {
  std::string lines;
  lines.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    lines.push_back(text[i]);
  }
  return lines;
}

std::string makerHelpPage() {
  std::string host = readSettingText(SettingKey::makerHost);
  if (!startsWithScheme(host)) host = "http://" + host;
  while (host.size() > 8 && host.back() == '/') host.pop_back();
  return host + "/help";
}

void resetAndClose(Commands& commands) { closeProgramIfAsked(commands.reset()); }

void runHelpDialog(Commands& commands) {
  HelpDialog dialog(commands);
  dialog.run();
}
