#pragma once
// The scanner half of a script host: the script's page commands carried out by the page text
// scanner over one ScannerState. Hosts derive from it and add the transfers and the program.
#include "market/scanner.h"
#include "market/script.h"

class ScannerScriptHost : public ScriptHost {
 public:
  explicit ScannerScriptHost(ScannerState& scanner) : scanner_(scanner) {}

  void saveSectionStart() override { saveCursor(scanner_); }
  void rewindToSectionStart() override { rewindCursor(scanner_); }
  bool findText(std::string_view marker) override { return ::findText(scanner_, marker) == 1; }
  void findBack(std::string_view marker) override { ::findBack(scanner_, marker); }
  void backToTag() override { ::backToTag(scanner_); }
  void skipToNumber() override { ::skipToNumber(scanner_); }
  void readNumber(int32_t tagsToPass) override { ::readNumber(scanner_, tagsToPass); }
  float accumulator() override { return scanner_.accumulator; }
  void setAccumulator(float value) override { scanner_.accumulator = value; }

 protected:
  ScannerState& scanner_;
};
