#include "market/fetch_events.h"

#include "platform/http.h"

platform::HttpClient& FetchEvents::httpClient() { return platform::curlHttpClient(); }

bool FetchEvents::networkUp() { return platform::networkInterfaceUp(); }
