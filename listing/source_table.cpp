#include "listing/source_table.h"

#include "jixia/config.h"

namespace jixia {

SiteHosts BuildTimeHosts() {
  return {config::kForumAHost, config::kForumBHost, config::kSiteCHost, config::kD1Host,
          config::kD2Host,     config::kD3Host,     config::kD4Host};
}

std::vector<ListingSource> BuildSourceTable(const SiteHosts& hosts) {
  std::vector<ListingSource> table;
  for (std::vector<ListingSource> family :
       {ForumASources(hosts.forumA), ForumBSources(hosts.forumB), SiteCSources(hosts.siteC),
        DealD1D2Sources(hosts.d1, hosts.d2), DealD3Sources(hosts.d3), DealD4Sources(hosts.d4)}) {
    for (ListingSource& source : family) table.push_back(std::move(source));
  }
  return table;
}

}  // namespace jixia
