#include "listing/list_columns.h"

#include <string>
#include <string_view>

#include "text/codepage.h"

namespace jixia {
namespace {

struct Layout {
  int firstList;  // applies to 超级列表框<firstList> .. 超级列表框<lastList>
  int lastList;
  std::string_view columns;  // caption:width, separated by "; "
};

// clang-format off
constexpr Layout kLayouts[] = {
  // lists   columns
  {1,  1,  "序号:40; 栏目:100; 内容:150; 作者:70; 发表时间:70; 下载量:50; 浏览量:50; 最后回复时间:110; 地址:90"},
  {2,  5,  "序号:50; 栏目:100; 内容:150; 作者:70; 发表时间:75; 下载量:50; 浏览量:50; 最后回复时间:110; 地址:70"},
  {6,  8,  "序号:50; 标题:200; 网址:150; 下载量:80; 文件大小:60; 授权方式:100; 运行平台:100"},
  {9,  10, "序号:50; 标题:190; 作者:80; 日期:100; 地址:50; 最后回复时间:130; 下载次数:70; 浏览次数:80"},
  {13, 14, "序号:50; 标题:190; 作者:80; 日期:100; 地址:50; 最后回复时间:130; 下载次数:70; 浏览次数:80"},
  {11, 12, "序号:50; 标题:250; 作者:80; 日期:100; 地址:50; 下载次数:70; 浏览次数:80"},
  {15, 15, "序号:50; 用户名:100; 操作行为:150; 过期时间:100; 操作时间:100; 操作理由:250"},
  {16, 17, "序号:50; 标题:300; 网址:250; 更新时间:100"},
  {19, 19, "序号:50; 标题:300; 网址:250; 更新时间:100"},
  {18, 18, "序号:50; 标题:200; 作者:80; 发布时间:100; 赞:50; 评论:50; 地址:220"},
  {20, 20, "序号:50; 标题:200; 作者:80; 发布时间:100; 赞:50; 评论:50; 地址:220"},
  {21, 24, "序号:50; 栏目:100; 标题:250; 作者:100; 发布时间:80; 地址:150"},
  {25, 31, "序号:50; 栏目:80; 标题:250; 作者:100; 发布时间:150; 地址:100"},
};
// clang-format on

std::vector<ListColumn> Parse(std::string_view columns) {
  std::vector<ListColumn> parsed;
  while (!columns.empty()) {
    const size_t end = columns.find("; ");
    const std::string_view item = columns.substr(0, end);
    const size_t colon = item.rfind(':');
    parsed.push_back(
        {Utf8ToGbk(item.substr(0, colon)), std::stoi(std::string(item.substr(colon + 1)))});
    columns = end == std::string_view::npos ? std::string_view() : columns.substr(end + 2);
  }
  return parsed;
}

}  // namespace

std::vector<ListColumn> ListColumns(const Text& listView) {
  const Text prefix = Utf8ToGbk("超级列表框");
  if (listView.size() <= prefix.size() || listView.compare(0, prefix.size(), prefix) != 0) {
    return {};
  }
  const std::string_view digits = std::string_view(listView).substr(prefix.size());
  if (digits.size() > 2 || digits.front() == '0' ||
      digits.find_first_not_of("0123456789") != std::string_view::npos) {
    return {};
  }
  const int number = std::stoi(std::string(digits));
  for (const Layout& layout : kLayouts) {
    if (number >= layout.firstList && number <= layout.lastList) return Parse(layout.columns);
  }
  return {};
}

}  // namespace jixia
