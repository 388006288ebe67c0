#include "net/curl_easy.h"

#include <openssl/ssl.h>
#include <openssl/x509.h>

namespace jixia::net_internal {
namespace {

bool CurlInitialised() {
  // A function-local static: initialised once, thread-safe.
  static const bool ok = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  return ok;
}

// Adds the extra CA file to the store libcurl filled with the system's CAs,
// so both are trusted. A file that cannot be read fails the handshake rather
// than silently trusting less than the program was told to.
CURLcode AddExtraCa(CURL*, void* sslContext, void* caFile) {
  const auto* path = static_cast<const std::string*>(caFile);
  X509_STORE* store = SSL_CTX_get_cert_store(static_cast<SSL_CTX*>(sslContext));
  if (store == nullptr || X509_STORE_load_file(store, path->c_str()) != 1) {
    return CURLE_SSL_CACERT_BADFILE;
  }
  return CURLE_OK;
}

}  // namespace

CurlEasy NewCurlEasy() {
  if (!CurlInitialised()) return nullptr;
  return CurlEasy(curl_easy_init());
}

CurlSlist MakeHeaderList(const std::vector<std::string>& lines) {
  curl_slist* list = nullptr;
  for (const std::string& line : lines) {
    curl_slist* grown = curl_slist_append(list, line.c_str());
    if (grown == nullptr) {
      curl_slist_free_all(list);
      return nullptr;
    }
    list = grown;
  }
  return CurlSlist(list);
}

bool SetCommonOptions(CURL* easy, const std::string& proxy, const std::string& caFile) {
  bool ok = curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https") == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https") == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_PROXY, proxy.c_str()) == CURLE_OK &&
            curl_easy_setopt(easy, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L) == CURLE_OK;
  if (ok && !caFile.empty()) {
    ok = curl_easy_setopt(easy, CURLOPT_SSL_CTX_FUNCTION, AddExtraCa) == CURLE_OK &&
         curl_easy_setopt(easy, CURLOPT_SSL_CTX_DATA, &caFile) == CURLE_OK;
  }
  return ok;
}

}  // namespace jixia::net_internal
