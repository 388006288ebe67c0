// Plausible post records for the replica's listing and post pages, made from
// a seed: the same seed, board slot and position always give the same post.
// Every text is UTF-8 and free of the characters < > " ' & so that it can
// stand in any attribute or element of a page.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace jixia::demo {

// Which vocabulary a site's titles come from.
enum class SiteKey { ForumA, ForumB, SiteC, D1, D2, D3, D4 };

inline constexpr int kPagesPerBoard = 500;
inline constexpr int kMaxPostsPerPage = 40;
inline constexpr int kPositionsPerBoard = kPagesPerBoard * kMaxPostsPerPage;
// The last positions of a board hold its pinned threads, never listed as
// ordinary rows.
inline constexpr int kPinnedPerBoard = 3;
inline constexpr int kFirstPinnedPosition = kPositionsPerBoard - kPinnedPerBoard;

struct PostRecord {
  int id = 0;  // thread or article number, unique on its site
  std::string title;
  std::string author;
  int authorId = 0;
  bool staffAuthor = false;  // the author belongs to the site's staff
  std::string staffRank;     // shown instead of a name for staff authors
  bool vipAuthor = false;    // the author cell carries a second (badge) link
  std::time_t posted = 0;
  std::time_t lastReply = 0;
  std::string lastReplier;
  int replies = 0;
  int views = 0;
  int downloads = 0;
  int likes = 0;
  std::string size;      // "2.35 MB"
  std::string licence;   // "免费软件" ...
  std::string platform;  // "WinXP/Win7/Win10"
  std::string summary;   // one sentence about the post
  uint32_t variant = 0;  // free random bits for per-site choices
};

// Settings every generated page shares.
struct RecordSettings {
  uint64_t seed = 1;
  std::time_t now = 0;  // newest posts are a little older than this
};

// Posts on `page` of board `slot` (15 to 40; fewer on the last page, so that
// the pinned positions stay free).
int PostsOnPage(const RecordSettings& settings, SiteKey site, int slot, int page);

// The id of post `index` (0-based) of `page` of board `slot`; newest first.
int PostId(int slot, int page, int index);

// Board slot and position of a post id; none for an id no board lists.
struct PostPlace {
  int slot;
  int position;  // (page - 1) * kMaxPostsPerPage + index
};
std::optional<PostPlace> PlaceOfPost(int id);

// The post at `place` on a site.
PostRecord MakePost(const RecordSettings& settings, SiteKey site, PostPlace place);

// "2024-5-3", "2024-05-03", "05-03", "2024-5-3 12:30", "2024-05-03 12:30:05".
std::string ShortDate(std::time_t when);
std::string PaddedDate(std::time_t when);
std::string MonthDay(std::time_t when);
std::string ShortDateTime(std::time_t when);
std::string FullDateTime(std::time_t when);

// "3&nbsp;天前", "5&nbsp;小时前" ... for times within a week of now; empty otherwise.
std::string RelativeAge(std::time_t when, std::time_t now);

}  // namespace jixia::demo
