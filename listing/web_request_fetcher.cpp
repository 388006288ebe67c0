#include "listing/listing_ui.h"
#include "net/web_request.h"

namespace jixia {

PageFetcher WebRequestFetcher() {
  return [](const Text& url, Text* status) { return WebRequest(url, {.status = status}); };
}

}  // namespace jixia
