#include "panel/custom_stock.h"

#include "model/settings.h"
#include "panel/dialog_tables.h"
#include "platform/dialog.h"
#include "platform/settings_file.h"

namespace {

std::string cut(const std::string& text) { return text.substr(0, kCustomTextLimit); }

class CustomStockDialog : public platform::DialogEvents {
 public:
  CustomStockDialog() : dialog_(kCustomDialog, *this) {
    // The settings file is what counts: it holds what the fetch thread will read next.
    const CustomStock stored = readCustomStock();
    dialog_.setText(customid::symbol, stored.symbol);
    dialog_.setText(customid::latitude, stored.latitude);
    dialog_.setText(customid::longitude, stored.longitude);
  }

  void run() { dialog_.runModal(); }

  void command(int id) override {
    if (id == kCommandOk) {
      storeCustomStock({dialog_.text(customid::symbol), dialog_.text(customid::latitude),
                        dialog_.text(customid::longitude)});
      dialog_.hide();
    } else if (id == kCommandCancel) {
      dialog_.hide();
    }
  }

  // A dialog without a close box treats a close request as Cancel.
  void closeRequest() override { command(kCommandCancel); }

 private:
  platform::Dialog dialog_;
};

}  // namespace

CustomStock readCustomStock() {
  return {readSettingText(SettingKey::customSymbol), readSettingText(SettingKey::customLatitude),
          readSettingText(SettingKey::customLongitude)};
}

bool storeCustomStock(const CustomStock& typed) {
  bool stored = writeSettingText(SettingKey::customSymbol, cut(typed.symbol));
  // The dialog has always spelt the latitude key "customlat"; key names match without case,
  // so it is the key SettingKey::customLatitude that the fetch thread reads.
  stored = platform::settingsWriteText(settingsFile(), kItemsSection, "customlat",
                                       cut(typed.latitude)) &&
           stored;
  return writeSettingText(SettingKey::customLongitude, cut(typed.longitude)) && stored;
}

void runCustomStockDialog() {
  CustomStockDialog dialog;
  dialog.run();
}
