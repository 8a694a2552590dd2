// The custom stock and help dialogs' logic, and the dialog tables' geometry.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "panel/custom_stock.h"
#include "panel/dialog_tables.h"
#include "panel/help_dialog.h"
#include "tests/panel/settings_home.h"

namespace {

TEST(CustomStock, StoresTheThreeKeysInOrderCutTo127) {
  SettingsHome home;
  home.write("[Items]\nmainx=10\n");
  const std::string longSymbol(130, 'S');
  ASSERT_TRUE(storeCustomStock({longSymbol, "north", "-0.1275"}));
  EXPECT_EQ(home.content(), "[Items]\nmainx=10\ncustomS=" + std::string(127, 'S') +
                                "\ncustomlat=north\ncustomLon=-0.1275\n");
  // The fetch thread's reads, under "customLat".
  EXPECT_EQ(readSettingText(SettingKey::customSymbol), std::string(127, 'S'));
  EXPECT_EQ(readSettingText(SettingKey::customLatitude), "north");
  const CustomStock back = readCustomStock();
  EXPECT_EQ(back.latitude, "north");
  EXPECT_EQ(back.longitude, "-0.1275");
}

// Latitude and longitude as people type them: a decimal comma is a decimal point, and what is
// no number is refused, naming the field; the symbol is never checked.
TEST(CustomStock, CoordinatesAreStoredWithADecimalPointOrRefused) {
  const struct {
    const char* latitude;
    const char* longitude;
    const char* stored;  // "latitude longitude", or nullptr when refused
    int field;           // the refused field
  } cases[] = {
      {"49,29", " -0,12 ", "49.29 -0.12", 0},
      {"51.5", "", "51.5 ", 0},
      {"", "   ", " ", 0},
      {"north", "8.4", nullptr, customid::latitude},
      {"49,29", "8,4,1", nullptr, customid::longitude},
      {"1,234.5", "0", nullptr, customid::latitude},
  };
  for (const auto& c : cases) {
    const StockCheck checked = checkCustomStock({"S,1", c.latitude, c.longitude});
    if (!c.stored) {
      EXPECT_FALSE(checked.stock.has_value()) << c.latitude << "/" << c.longitude;
      EXPECT_EQ(checked.field, c.field) << c.latitude;
      const char* name = c.field == customid::latitude ? "latitude" : "longitude";
      EXPECT_EQ(checked.refusal, std::string("The ") + name +
                                     " is not a number. Enter it in decimal degrees, such as "
                                     "49.29 or -0.12.");
      continue;
    }
    ASSERT_TRUE(checked.stock.has_value()) << c.latitude << "/" << c.longitude;
    EXPECT_EQ(checked.stock->symbol, "S,1");
    EXPECT_EQ(checked.stock->latitude + " " + checked.stock->longitude, c.stored);
  }
}

TEST(CustomStock, OpensWithWhatTheSettingsFileHolds) {
  SettingsHome home;
  EXPECT_EQ(readCustomStock().symbol, "");  // a first start: all three empty
  home.write("[Items]\ncustomS=ACME\ncustomLAT=51.5\ncustomLon=-0.12\n");
  const CustomStock stored = readCustomStock();
  EXPECT_EQ(stored.symbol, "ACME");
  EXPECT_EQ(stored.latitude, "51.5");
  EXPECT_EQ(stored.longitude, "-0.12");
}

const unsigned char kGuide[] = {'H', 'i', '\r', '\n', 'O', 'K', '\0', 'x'};

TEST(HelpDialog, TextIsTheResourceUpToItsTerminatorAndTheBuffer) {
  std::string big(20000, 'a');
  const platform::ResourceEntry missing[] = {{"other.txt", kGuide, 2}, {nullptr, nullptr, 0}};
  const platform::ResourceEntry guide[] = {{"README.TXT", kGuide, sizeof kGuide},
                                           {nullptr, nullptr, 0}};
  const platform::ResourceEntry large[] = {
      {"readme.txt", reinterpret_cast<const unsigned char*>(big.data()), big.size()},
      {nullptr, nullptr, 0}};
  EXPECT_FALSE(helpText(missing).has_value());
  EXPECT_EQ(helpText(guide).value(), "Hi\r\nOK");
  EXPECT_EQ(helpText(large)->size(), 15999u);
  EXPECT_EQ(editLines("Hi\r\nOK\r\n\r\nx\ry\n"), "Hi\nOK\n\nx\ry\n");
}

TEST(HelpDialog, TheBuiltInGuideFitsAndEndsItsLinesWithCarriageReturns) {
  const auto text = helpText();
  ASSERT_TRUE(text.has_value());
  EXPECT_LE(text->size(), 15999u);
  EXPECT_EQ(text->rfind("Orbiquant ", 0), 0u);  // the title line comes first
  size_t bare = 0;
  for (size_t i = 0; i < text->size(); ++i) {
    if ((*text)[i] == '\n' && (i == 0 || (*text)[i - 1] != '\r')) ++bare;
  }
  EXPECT_EQ(bare, 0u);
  EXPECT_NE(text->find("NASA"), std::string::npos);
}

TEST(HelpDialog, MoreOpensTheHelpPageOfTheMakersServer) {
  SettingsHome home;
  const struct {
    const char* host;
    const char* page;
  } cases[] = {{nullptr, "http://127.0.0.1:8404/help"},
               {"maker.example:8080", "http://maker.example:8080/help"},
               {"HTTPS://maker.example/", "HTTPS://maker.example/help"},
               {"http://maker.example", "http://maker.example/help"}};
  for (const auto& c : cases) {
    if (c.host) writeSettingText(SettingKey::makerHost, c.host);
    EXPECT_EQ(makerHelpPage(), c.page);
  }
}

TEST(DialogTables, ControlsLieInsideTheirDialogsAndIdsAreUnique) {
  for (const platform::DialogSpec* dialog : {&kPanelDialog, &kHelpDialog, &kCustomDialog}) {
    std::set<int> ids;
    for (const auto& c : dialog->controls) {
      EXPECT_LE(c.x + c.width, dialog->width) << dialog->name << " " << c.id;
      EXPECT_LE(c.y + c.height, dialog->height) << dialog->name << " " << c.id;
      if (c.id != platform::kNoId) {
        EXPECT_TRUE(ids.insert(c.id).second) << dialog->name << " " << c.id;
      }
      if (c.kind == platform::ControlKind::bitmapButton) {
        EXPECT_TRUE(platform::findResource(c.bitmap).data()) << c.bitmap;
      }
    }
  }
  EXPECT_EQ(kPanelDialog.controls.size(), 25u);
}

TEST(DialogTables, DialogUnitsFollowTheFontsBaseUnits) {
  const platform::BaseUnits arial{8, 15};  // Arial 10 point at 96 dots per inch
  EXPECT_EQ(platform::dialogUnitsToPixelsX(54, arial), 108);
  EXPECT_EQ(platform::dialogUnitsToPixelsY(271, arial), 508);
  EXPECT_EQ(platform::dialogUnitsToPixelsY(9, arial), 17);  // 16.875 rounds up
  EXPECT_EQ(platform::dialogUnitsToPixelsX(-3, arial), -6);
  EXPECT_EQ(platform::dialogUnitsToPixelsY(3, {6, 13}), 5);  // 4.875
}

}  // namespace
