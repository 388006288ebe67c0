#include "app/version_check.h"

#include <cstdlib>
#include <limits>

#include "text/codepage.h"
#include "text/markers.h"

namespace jixia {

Text ProfileAddress(std::string_view host, std::string_view account) {
  Text url = "http://";
  url += host;
  url += "/fcg-bin/cgi_get_portrait.fcg?get_nick=1&uins=";
  url += account;
  return url;
}

Text DownloadAddress(std::string_view host) {
  Text url = "https://";
  url += host;
  url += "/b377770/";
  return url;
}

std::optional<int> AnnouncedVersion(const Text& response) {
  const Text cut = TextBetween(response, ",\"", "\",");
  size_t i = 0;
  // The C library's white space, as the integer reading skips it.
  while (i < cut.size() && (cut[i] == ' ' || (cut[i] >= '\t' && cut[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < cut.size() && (cut[i] == '+' || cut[i] == '-')) negative = cut[i++] == '-';
  if (i == cut.size() || cut[i] < '0' || cut[i] > '9') return std::nullopt;
  long long value = 0;
  constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
  for (; i < cut.size() && cut[i] >= '0' && cut[i] <= '9'; ++i) {
    value = value * 10 + (cut[i] - '0');
    if (value > kLimit) value = kLimit;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max()) value = std::numeric_limits<int>::max();
  return static_cast<int>(value);
}

bool UpdateNeeded(const Text& response) {
  const std::optional<int> latest = AnnouncedVersion(response);
  if (!latest) return false;
  const double built = std::strtof(kBuiltInVersion, nullptr);
  const double difference = built - *latest;
  return difference > 0.0000001 || difference < -0.0000001;
}

bool VersionCheck(const VersionCheckServices& services, std::string_view profileHost,
                  std::string_view account, std::string_view downloadHost) {
  const Text response = services.fetch(ProfileAddress(profileHost, account));
  if (!UpdateNeeded(response)) return false;
  services.askUpdate(Utf8ToGbk("已经有新版  立即更新  "));
  services.openBrowser(DownloadAddress(downloadHost));
  return true;
}

}  // namespace jixia
