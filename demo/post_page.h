// The simple post page every site of the replica shows for the addresses its
// listings hold.
#pragma once

#include <string>
#include <string_view>

#include "demo/page_text.h"
#include "demo/post_records.h"

namespace jixia::demo {

struct PostPageLook {
  std::string_view siteName;  // UTF-8
  PageCharset charset;
  std::string_view lineEnd;
  std::string homeHref;  // the site's front page
};

// The post page of `post`, as UTF-8 text.
std::string PostPageHtml(const PostRecord& post, const PostPageLook& look);

}  // namespace jixia::demo
