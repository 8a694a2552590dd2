#pragma once
// The four HTTP transfers of the fetch thread: the page download (the script and the script's
// page fetches), the configuration flag, the news feeds and the quote pages. Each is one GET
// of a path from a host, synchronous on the fetch thread, with its own result codes:
//
//   step failed              downloadPage        fetchConfigFlag   fetchFeed/QuotePage
//   no network connection    -66 (script) 11002  -66               -66
//   setting up the client    11000               -11000            11000
//   connecting               11001               -11001            11001
//   the request (address)    11002               -11002            11002
//   sending / no response    11003               -11003            11003
//   the first read           10001               -10001            10001
//   a later read             10000               (one read)        10000
//   status not 200-299       10002 (script only) -                 -
//   body filled the buffer   10003 (script only) -                 -
//
// Callers treat 1 and 2 as content fetched and anything above 2 as failure. Only the script
// download (the fetch context's scriptDownloading set) examines the HTTP status and the body's
// size: a server's or proxy's error page, or a body cut at the buffer's end, is not a script. For
// everything else an error page is content too, and a long body is what fitted.
//
// A host value is "name", "name:port", or either prefixed with "http://" or "https://".
// Loopback hosts are never offline: the connection check is skipped for them.
#include <cstdint>
#include <string>
#include <string_view>

#include "market/quote_parser.h"

struct FetchContext;

constexpr int32_t kConfigReadSize = 8193;
constexpr int32_t kReadChunk = 4096;
constexpr int32_t kOffline = -66;
constexpr int32_t kScriptErrorStatus = 10002;
constexpr int32_t kScriptTooLong = 10003;
constexpr const char* kUserAgent = "Mozilla/4.0 (compatible; MSIE 4.01; Windows 95)";

// Each transfer works in the fetch context it is given: its hooks, limits and buffers, the
// scanner and the news text.

// 2 with the body in pageBuffer/pageLength and the scanner at its start; an error code else
// (for the script download also kScriptErrorStatus and kScriptTooLong, the body then left in
// pageBuffer unscanned, as after a failed read).
int32_t downloadPage(FetchContext& context, const char* host, const char* path,
                     int32_t connectTimeoutMs);
// The body's first byte as a signed character code (0 for an empty body); negative codes.
int32_t fetchConfigFlag(FetchContext& context, const char* host, const char* path);
// 1 with the feed's headlines appended to the news text; an error code otherwise.
int32_t fetchFeed(FetchContext& context, const char* host, const char* path);
// 1 when the quote page held all three values, 0 when a marker was missing, else an error
// code (then nothing is parsed and `texts` stay as they were).
int32_t fetchQuotePage(FetchContext& context, const char* host, const char* path,
                       QuoteTexts& texts);

// The news step of a run: the ticker emptied, the three feeds of the news host appended in
// order and published; the offline text instead when the last one finds no connection.
// Returns the last feed's result.
int32_t fetchNewsTicker(FetchContext& context, const char* newsHost);

// The address of `path` on `host`, and whether the host is a loopback host. False when the
// host value cannot name a server.
struct TransferAddress {
  std::string url;
  bool loopback = false;
};
bool transferAddress(std::string_view host, std::string_view path, TransferAddress& address);
