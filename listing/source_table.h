// The fixed table of listing sources, built from the hosts of the sites.
#pragma once

#include <vector>

#include "listing/listing_source.h"

namespace jixia {

// Host (host or host:port) of each listing site.
struct SiteHosts {
  Text forumA;
  Text forumB;
  Text siteC;
  Text d1;
  Text d2;
  Text d3;
  Text d4;
};

// The hosts fixed in the build (the JIXIA_*_HOST cache variables).
SiteHosts BuildTimeHosts();

// Every working board, in window order: site tabs left to right, boards in
// tab order (29 rows).
std::vector<ListingSource> BuildSourceTable(const SiteHosts& hosts);

// Per site family, in window order; BuildSourceTable joins them.
std::vector<ListingSource> ForumASources(const Text& host);
std::vector<ListingSource> ForumBSources(const Text& host);
std::vector<ListingSource> SiteCSources(const Text& host);
std::vector<ListingSource> DealD1D2Sources(const Text& d1Host, const Text& d2Host);
std::vector<ListingSource> DealD3Sources(const Text& host);
std::vector<ListingSource> DealD4Sources(const Text& host);

}  // namespace jixia
