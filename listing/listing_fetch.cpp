#include "listing/listing_fetch.h"

#include <string>

#include "listing/clean_steps.h"
#include "text/codepage.h"
#include "text/regex_matcher.h"
#include "text/search.h"

namespace jixia {
namespace {

// "200 OK" and the like; a numbered failure message (700-713) or anything
// else is not a 2xx answer.
bool IsSuccessStatus(const Text& status) {
  return status.size() >= 3 && status[0] == '2' && status[1] >= '0' && status[1] <= '9' &&
         status[2] >= '0' && status[2] <= '9' && (status.size() == 3 || status[3] == ' ');
}

bool StartsWithIgnoringCase(const Text& text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         AsciiLower(std::string_view(text).substr(0, prefix.size())) == prefix;
}

class PageParser {
 public:
  PageParser(const ListingSource& source, const ListingBindings& bindings)
      : source_(source), bindings_(bindings) {}

  void Parse(const Text& text) {
    main_.Create(source_.mainPattern, text);
    if (source_.pairPattern) pair_.Create(*source_.pairPattern, text);
    ReportList& list = *bindings_.list;
    const int matches = main_.MatchCount();
    std::vector<Text> values(source_.fields.size());
    for (int i = 1; i <= matches; ++i) {
      if (ProgressBar* bar = bindings_.progressBar; bar && !source_.progressBar.empty()) {
        bar->SetPosition(0);
        bar->SetPosition(list.RowCount());
        bar->SetPosition(bar->Position() + i);
      }
      for (size_t f = 0; f < source_.fields.size(); ++f) {
        const FieldRule& rule = source_.fields[f];
        // Without a pair pattern the pair matcher was never created and
        // answers empty text, as for a pair match beyond its count.
        RegexMatcher& matcher = rule.from == From::Main ? main_ : pair_;
        values[f] = ApplySteps(rule.steps, matcher.SubMatch(i, rule.group));
        if (rule.viaCaption && bindings_.caption) bindings_.caption->SetCaption(values[f]);
      }
      const int row = list.AppendRow();
      list.SetCell(row, 0, std::to_string(row + 1));
      for (size_t f = 0; f < source_.fields.size(); ++f) {
        const FieldRule& rule = source_.fields[f];
        const bool throughCaption = rule.viaCaption && bindings_.caption;
        list.SetCell(row, rule.column,
                     throughCaption ? bindings_.caption->GetCaption() : values[f]);
      }
    }
  }

 private:
  const ListingSource& source_;
  const ListingBindings& bindings_;
  RegexMatcher main_;
  RegexMatcher pair_;
};

}  // namespace

FetchReport ListingFetch(const ListingSource& source, const ListingBindings& bindings) {
  FetchReport report;
  bindings.list->Clear();
  const bool singlePage = source.pageCountBox.empty();
  // A missing page-count reader counts as the box's initial text "1".
  const int pages =
      singlePage ? 1 : (bindings.pageCountText ? TextToInt(bindings.pageCountText()) : 1);
  const PageFetcher fetch = bindings.fetch ? bindings.fetch : WebRequestFetcher();
  PageParser parser(source, bindings);
  Text page;
  for (int k = 1; k <= pages; ++k) {
    const Text url =
        singlePage ? source.urlPrefix : source.urlPrefix + std::to_string(k) + source.urlSuffix;
    Text status;
    page = fetch(url, &status);
    if (!IsSuccessStatus(status)) report.failures.push_back({k, status});
    if (source.cutMarker) {
      // TextAfterLast by its own backward search, run once: the position also
      // tells whether the marker occurs (a page without it is parsed whole).
      const int last = FindTextBackward(page, *source.cutMarker, static_cast<int>(page.size()) + 1);
      if (last != -1) page.erase(0, last - 1 + source.cutMarker->size());
    }
    if (!source.parseLastOnly) parser.Parse(page);
  }
  if (source.parseLastOnly) parser.Parse(page);
  return report;
}

void ListingOpen(const ListingSource& source, const ListingBindings& bindings) {
  if (!source.opensOnDoubleClick) return;
  const ReportList& list = *bindings.list;
  if (source.emptyNotice && list.RowCount() == 0) {
    if (bindings.messages) bindings.messages->ShowMessage(Utf8ToGbk("空"));
    if (bindings.progressBar) bindings.progressBar->SetPosition(0);
    return;
  }
  const int row = list.SelectedRow();
  const Text cell = row >= 0 ? list.Cell(row, source.openColumn) : Text();
  const Text address = source.openPrefix + cell;
  // Only web addresses reach the browser: a page could have put a local path,
  // "file:" or "javascript:" into the cell.
  if (!StartsWithIgnoringCase(address, "http://") && !StartsWithIgnoringCase(address, "https://")) {
    return;
  }
  if (bindings.opener) bindings.opener->OpenAddress(address);
}

}  // namespace jixia
