#include "panel/custom_stock.h"

#include <iterator>

#include "model/settings.h"
#include "panel/dialog_tables.h"
#include "panel/modal_dialog.h"
#include "platform/message_box.h"
#include "platform/settings_file.h"
#include "platform/text.h"

namespace {

std::string cut(const std::string& text) { return text.substr(0, kCustomTextLimit); }

class CustomStockDialog : public OkCancelDialog {
 public:
  explicit CustomStockDialog(Commands& commands) : OkCancelDialog(kCustomDialog, commands) {
    // The settings file is what counts: it holds what the fetch thread will read next.
    const CustomStock stored = readCustomStock();
    dialog_.setText(customid::symbol, stored.symbol);
    dialog_.setText(customid::latitude, stored.latitude);
    dialog_.setText(customid::longitude, stored.longitude);
  }

 private:
  // Stores the stock and closes; a latitude or longitude that is no number is refused, and
  // the dialog stays open at that field.
  void accept() override {
    const CustomStock typed{dialog_.text(customid::symbol), dialog_.text(customid::latitude),
                            dialog_.text(customid::longitude)};
    const StockCheck checked = checkCustomStock(typed);
    if (!checked.stock) {
      platform::messageBox(checked.refusal, "Custom");
      dialog_.focus(checked.field);
      return;
    }
    storeCustomStock(*checked.stock);
    dialog_.hide();
  }
};

// A typed coordinate as it is stored: empty, or a decimal number with a decimal point.
std::optional<std::string> coordinate(const std::string& typed) {
  if (platform::trimBlanks(typed).empty()) return std::string();
  return platform::decimalText(typed);
}

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

StockCheck checkCustomStock(const CustomStock& typed) {
  const struct {
    const std::string& text;
    int field;
    const char* name;
  } coordinates[] = {{typed.latitude, customid::latitude, "latitude"},
                     {typed.longitude, customid::longitude, "longitude"}};
  CustomStock stock{typed.symbol, "", ""};
  std::string* stored[] = {&stock.latitude, &stock.longitude};
  for (size_t i = 0; i < std::size(coordinates); ++i) {
    const auto number = coordinate(coordinates[i].text);
    if (!number) {
      return {std::nullopt,
              std::string("The ") + coordinates[i].name +
                  " is not a number. Enter it in decimal degrees, such as 49.29 or -0.12.",
              coordinates[i].field};
    }
    *stored[i] = *number;
  }
  return {stock, "", 0};
}

void runCustomStockDialog(Commands& commands) {
  CustomStockDialog dialog(commands);
  dialog.run();
}
