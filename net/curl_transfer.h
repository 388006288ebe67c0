// Running one configured libcurl transfer with per-stage time-outs and
// telling which stage a failure reached (internal to net).
#pragma once

#include <curl/curl.h>

#include <string>

#include "text/text.h"

namespace jixia::net_internal {

struct TransferLimits {
  long long connectTimeoutMs = 30000;  // name resolution plus connecting
  long long idleTimeoutMs = 30000;     // longest silence while sending or receiving
  long long maxBodyBytes = 0;          // 0: unlimited
  bool followRedirects = true;
};

// How far a transfer got.
enum class TransferStage {
  kDone,        // the final response was read completely
  kBadUrl,      // libcurl could not use the URL
  kNotSent,     // name resolution, connecting, TLS or sending failed
  kNoResponse,  // sent, but no complete response header arrived
  kBody,        // the response header arrived, the body failed (or was capped)
};

struct TransferResult {
  TransferStage stage = TransferStage::kNotSent;
  bool haveHeaderBlock = false;
  std::string headerBlock;  // raw header block of the final response, empty line included
  Bytes body;               // body bytes of the final response read so far
};

// Runs `easy` (URL, verb, headers etc. already set) through a multi handle,
// polling every 20 ms, so that silence longer than the idle time-out ends it
// while a slow but steady transfer goes on. Installs its own header, write
// and debug callbacks. Never throws.
TransferResult RunTransfer(CURL* easy, const TransferLimits& limits);

}  // namespace jixia::net_internal
