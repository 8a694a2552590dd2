// The scanner operations in any order over any text. The text is copied into a buffer of
// exactly its size, without a terminator, so any read past it is caught.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "market/scanner.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const int32_t saved = input.ConsumeIntegralInRange<int32_t>(0, 64);
  const std::string program = input.ConsumeRandomLengthString(64);
  const std::string body = input.ConsumeRemainingBytesAsString();
  const auto text = std::make_unique<char[]>(body.size());
  std::memcpy(text.get(), body.data(), body.size());

  ScannerState scanner;
  startScan(scanner, text.get(), static_cast<int32_t>(body.size()));
  scanner.cursorPos = saved;
  saveCursor(scanner);
  FuzzedDataProvider steps(reinterpret_cast<const uint8_t*>(program.data()), program.size());
  while (steps.remaining_bytes() > 0) {
    const std::string marker = steps.ConsumeRandomLengthString(8);
    switch (steps.ConsumeIntegralInRange(0, 7)) {
      case 0:
        findText(scanner, marker);
        break;
      case 1:
        findBack(scanner, marker);
        break;
      case 2:
        backToTag(scanner);
        break;
      case 3:
        skipToNumber(scanner);
        break;
      case 4:
        readNumber(scanner, steps.ConsumeIntegralInRange(-2, 4));
        break;
      case 5:
        readNumberText(scanner);
        break;
      case 6:
        readChar(scanner);
        break;
      default:
        rewindCursor(scanner);
        break;
    }
    if (scanner.cursorPos < 0) std::abort();  // the cursor never leaves the text's start
    if (std::memchr(scanner.numberText, '\0', sizeof scanner.numberText) == nullptr) std::abort();
  }
  return 0;
}
