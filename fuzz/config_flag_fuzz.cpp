// The configuration flag over any answer: the body in any pieces, any failure of the exchange,
// with or without a network, through the scripted client (no socket is ever opened). The
// result is the body's first byte when one arrived, otherwise one of the failure codes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "market/fetch_context.h"
#include "market/http_transfer.h"
#include "platform/http.h"

namespace {

// The scripted client and a network that is up or down, as the input says.
class FuzzEvents : public FetchEvents {
 public:
  FuzzEvents(platform::HttpClient& client, bool up) : client_(client), up_(up) {}
  platform::HttpClient& httpClient() override { return client_; }
  bool networkUp() override { return up_; }

 private:
  platform::HttpClient& client_;
  bool up_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using platform::HttpOutcome;
  FuzzedDataProvider input(data, size);
  platform::ScriptedHttpClient client;
  platform::ScriptedHttpClient::Exchange exchange;
  exchange.outcome = input.PickValueInArray({HttpOutcome::ok, HttpOutcome::noHandle,
                                             HttpOutcome::connectFailed, HttpOutcome::badAddress,
                                             HttpOutcome::sendFailed, HttpOutcome::readFailed});
  exchange.headers = input.ConsumeBool();
  exchange.status = input.ConsumeIntegralInRange(0, 999);
  const bool networkUp = input.ConsumeBool();
  const char* host = input.ConsumeBool() ? "127.0.0.1:8404" : "config.example";
  std::string body;
  while (input.remaining_bytes() > 0 && exchange.pieces.size() < 8) {
    exchange.pieces.push_back(input.ConsumeRandomLengthString(12000));
    body += exchange.pieces.back();
  }
  client.exchanges.push_back(exchange);
  static const auto context = std::make_unique<FetchContext>();
  context->events = std::make_shared<FuzzEvents>(client, networkUp);

  const int32_t result = fetchConfigFlag(*context, host, "/m3d/cf2.txt");
  const bool reached = host[0] == '1' || networkUp;
  if (reached && exchange.outcome != HttpOutcome::noHandle && !body.empty()) {
    if (result != static_cast<signed char>(body[0])) std::abort();
  } else if (result > 0) {
    std::abort();
  }
  context->events = std::make_shared<FetchEvents>();
  return 0;
}
