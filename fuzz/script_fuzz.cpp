// The script interpreter on any script, block by block as a fetch run goes through it, against
// a host whose page comes from the input too. The page is scanned by the real scanner; the
// transfers, the caption, messages, the browser and the settings file are canned or ignored,
// so nothing reaches the network, a file or the screen.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "market/scanner_host.h"
#include "model/item_table.h"

namespace {

class CannedHost : public ScannerScriptHost {
 public:
  CannedHost(ScannerState& scanner, const char* page, int32_t length, int32_t downloadResult,
             int32_t quoteResult, QuoteTexts quote)
      : ScannerScriptHost(scanner),
        page_(page),
        length_(length),
        downloadResult_(downloadResult),
        quoteResult_(quoteResult),
        quote_(std::move(quote)) {
    startScan(scanner_, page_, length_);
  }

  int32_t downloadPage(std::string_view, std::string_view) override {
    startScan(scanner_, page_, length_);
    return downloadResult_;
  }
  int32_t fetchQuotePage(std::string_view, QuoteTexts& texts) override {
    if (quoteResult_ == 1) texts = quote_;
    return quoteResult_;
  }
  void setRefreshSetting(int32_t) override {}
  void setCaptionText(std::string_view) override {}
  void restoreCaption() override {}
  void showMessage(std::string_view, std::string_view) override {}
  void openPage(std::string_view) override {}
  void requestClose() override {}
  void saveScriptLocation(std::string_view, std::string_view) override {}
  platform::DateTime localDate() override { return {2010, 12, 5, 31, 23, 59, 0, 0}; }

 private:
  const char* page_;
  int32_t length_;
  int32_t downloadResult_;
  int32_t quoteResult_;
  QuoteTexts quote_;
};

std::string blockLabel(int32_t block) {
  std::string label = std::to_string(block);
  return std::string(3 - label.size(), '0') + label;
}

void checkState(const ScriptRegisters& registers, const MarketItemTable& table) {
  for (const std::string& text : registers.text) {
    if (text.size() > 255 || text.find('\0') != std::string::npos) std::abort();
  }
  for (int column = 0; column < kItemColumns; ++column) {
    const int32_t count = table.columnCount[column];
    if (count < 0 || count > kItemSlots) std::abort();
    for (int32_t k = 0; k < count; ++k) {
      if (std::memchr(table.text[column][k], '\0', kItemTextSize) == nullptr) std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const int32_t downloadResult = input.PickValueInArray({1, 2, -66, 10000, 11001});
  const int32_t quoteResult = input.PickValueInArray({0, 1, 11003});
  QuoteTexts quote{input.ConsumeRandomLengthString(8), input.ConsumeRandomLengthString(8),
                   input.ConsumeRandomLengthString(8)};
  FetchRunState run;
  if (input.ConsumeBool()) run.customSymbol = input.ConsumeRandomLengthString(16);
  const std::string pageText = input.ConsumeRandomLengthString(1024);
  const std::string script = input.ConsumeRemainingBytesAsString();

  // The page in a buffer of exactly its size, so that any read past it is caught.
  const auto page = std::make_unique<char[]>(pageText.size());
  std::memcpy(page.get(), pageText.data(), pageText.size());
  ScannerState scanner;
  CannedHost host(scanner, page.get(), static_cast<int32_t>(pageText.size()), downloadResult,
                  quoteResult, std::move(quote));

  static MarketItemTable table;
  std::memset(&table, 0, sizeof table);
  ScriptRegisters registers;
  ScriptContext context{script, registers, run, table, host};
  const int32_t blocks = scriptBlockCount(script).value_or(1);
  for (int32_t block = 1; block <= blocks && run.closeRequested == 0; ++block) {
    const std::string label = blockLabel(block);
    runSection(context, '*', label);
    if (run.closeRequested == 0) runSection(context, '#', label);
  }
  checkState(registers, table);
  return 0;
}
