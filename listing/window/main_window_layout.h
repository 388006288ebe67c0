// The design of the main window as fixed tables: the side labels, the site
// pages of the outer tab control and every board page with its controls.
// Texts are the window's captions as UTF-8 source literals; places are pixels.
#pragma once

#include <optional>
#include <span>

namespace jixia {

struct Point {
  int x;
  int y;
};

struct Rect {
  int x;
  int y;
  int width;
  int height;
};

inline constexpr char kMainCaption[] = "澄屿—集匣1.0.0";
inline constexpr int kMainWidth = 972;
inline constexpr int kMainHeight = 578;
inline constexpr int kBackgroundRed = 128;
inline constexpr char kMenuCaption[] = "菜单";
inline constexpr char kMenuItemCaption[] = "地址";

struct SideLabel {
  const char* name;
  const char* text;  // CR LF line ends, as the program holds them
  Rect place;
  bool showsNotice;  // a left-button press shows the contact notice
};

inline constexpr char kOuterTabName[] = "高级选择夹1";
inline constexpr Rect kOuterTabPlace{200, 0, 768, 528};

// One page of the outer tab control and the tab control it holds. A site whose
// inner tab control sits on the single page of a wrapping plain tab control
// names that wrapper; the inner control covers it at 0, 0.
struct SitePage {
  const char* caption;
  const char* wrapperName;  // nullptr: the inner control stands on the page itself
  const char* innerName;
  Rect place;  // of the wrapper when there is one, else of the inner control
};

inline constexpr Point kGroupBoxSize{392, 48};
inline constexpr Point kPageLabelSize{40, 24};   // "第"
inline constexpr Point kPagesLabelSize{16, 24};  // "页"
inline constexpr Point kPageCountBoxSize{104, 32};
inline constexpr Point kProgressBarSize{336, 33};
inline constexpr int kListHeight = 416;

// One board page. With a group box, the button, labels and page-count box are
// placed within it; without one, on the page.
struct BoardPage {
  int site;  // index into SitePages()
  const char* caption;
  const char* list;
  Point listAt;
  int listWidth;
  int listHeight;
  std::optional<Point> groupAt;
  const char* button;
  Rect buttonPlace;
  const char* pageCountBox;  // nullptr: none, and no "第"/"页" labels
  Point pageCountAt;
  Point pageLabelAt;
  Point pagesLabelAt;
  const char* progressBar;  // nullptr: none
  Point progressBarAt;
};

// A control that stands on a board page and that nothing reads or writes.
struct PageOrnament {
  enum class Kind { PictureBox, EditBox };
  const char* boardList;  // the list of the board page it stands on
  Kind kind;
  const char* name;
  const char* text;
  Rect place;
};

std::span<const SideLabel> SideLabels();
std::span<const SitePage> SitePages();
std::span<const BoardPage> BoardPages();
std::span<const PageOrnament> PageOrnaments();

}  // namespace jixia
