#include "demo/post_records.h"

#include <algorithm>
#include <cstdio>
#include <span>

#include "demo/seeded_random.h"

namespace jixia::demo {
namespace {

// Ids: slot s holds 100000 * (s + 1) + 0 .. 19999, newest (position 0) highest.
constexpr int kIdsPerSlot = 100000;

struct Vocabulary {
  std::span<const char* const> prefixes;
  std::span<const char* const> subjects;
  std::span<const char* const> suffixes;
};

constexpr const char* kForumAPrefixes[] = {"",         "",     "",     "【源码】", "[原创]",
                                           "分享一个", "自写", "开源", "求助："};
constexpr const char* kForumASubjects[] = {
    "多线程下载器", "网页自动填表",   "窗口句柄查看器", "JSON解析模块",     "超级列表框美化",
    "图片批量压缩", "内存读写例程",   "HTTP请求封装",   "正则表达式测试器", "文件批量重命名",
    "系统托盘示例", "键鼠录制回放",   "数据库操作类",   "屏幕截图工具",     "剪贴板监视器",
    "进程管理器",   "定时关机助手",   "二维码生成器",   "加密解密模块",     "串口调试助手",
    "局域网聊天室", "网页源码查看器", "文本对比工具",   "热键管理类",       "界面皮肤模块",
    "注册表操作类", "验证码识别例子", "邮件发送模块"};
constexpr const char* kForumASuffixes[] = {
    "",        "",        " 源码",      " v1.2",     " 附详细注释",
    " 更新版", " 带教程", " 支持Win10", " 完整工程", "（已测试）"};

constexpr const char* kForumBPrefixes[] = {"", "", "【原创】", "【分享】", "[教程]", "【首发】"};
constexpr const char* kForumBSubjects[] = {
    "视频格式转换器", "PDF阅读编辑器", "系统清理工具", "网速测试工具", "屏幕录像软件",
    "压缩解压工具",   "文件粉碎机",    "硬件检测工具", "驱动备份工具", "音频剪辑软件",
    "图片查看器",     "桌面整理工具",  "启动项管理器", "右键菜单管理", "磁盘分析工具",
    "文字识别工具",   "批量改图工具",  "便携浏览器",   "字幕制作软件", "内存清理助手",
    "截图标注工具",   "多开沙盘"};
constexpr const char* kForumBSuffixes[] = {" 绿色便携版", " v3.5.1",   " 中文版",
                                           " 去广告版",   " 单文件版", " 新版",
                                           " 免安装",     " 修复版",   ""};

constexpr const char* kSiteCPrefixes[] = {"", "", "最新", "免费"};
constexpr const char* kSiteCSubjects[] = {
    "QQ空间访客查看器", "QQ群管理助手",   "QQ等级加速器",   "QQ秀试穿工具",     "QQ个性签名生成器",
    "QQ好友批量管理",   "QQ聊天记录备份", "QQ透明头像制作", "QQ空间相册下载器", "QQ群发消息助手",
    "QQ名片点赞助手",   "QQ音乐歌词同步", "QQ空间日志导出", "QQ炫舞辅助",       "QQ截图增强"};
constexpr const char* kSiteCSuffixes[] = {" v2.1",   " 绿色版",    " 最新版",
                                          " 免费版", " 2.0正式版", " 单文件版"};

constexpr const char* kDealPrefixes[] = {"",       "",       "【秒到】", "【亲测】",
                                         "[线报]", "限时：", "今日"};
constexpr const char* kDealSubjects[] = {
    "银行App签到领3元立减金", "话费满30减5元",        "新用户注册送8元现金", "答题小游戏提现0.5元",
    "每日打卡领1元红包",      "关注公众号抽随机现金", "视频App看广告领金币", "信用卡绑卡立减10元",
    "电费缴纳满50减8元",      "手机号验证领流量包",   "邀请好友各得5元",     "下载试玩3分钟得1元",
    "外卖红包天天领",         "充值话费9.8折",        "填写问卷得2元",       "积分兑换视频会员",
    "步数换购物券",           "猜歌名赢现金",         "新人首单1分购",       "抽奖必中0.3元"};
constexpr const char* kDealSuffixes[] = {"，秒到账",   "（亲测到账）", "，速度",    "",
                                         "，限新用户", "，可提现",     "，仅限今天"};

constexpr const char* kFunPrefixes[] = {"",         "",         "【教程】", "【活动】",
                                        "【辅助】", "【个性】", "最新"};
constexpr const char* kFunSubjects[] = {
    "QQ名片背景代码", "个性签名大全",   "游戏辅助免费版",   "手机主题美化", "空间皮肤代码",
    "刷钻教程详解",   "签到领会员活动", "网名生成器",       "头像合成教程", "免费领游戏礼包",
    "透明昵称制作",   "抽奖活动汇总",   "聊天气泡设置方法", "动态头像制作", "免费领视频会员"};
constexpr const char* kFunSuffixes[] = {"",          "（图文）", " 亲测可用",
                                        " 长期有效", " 附下载",  "，速度参与"};

constexpr const char* kNames[] = {"码农", "飞鱼", "追风", "星辰", "柠檬", "白菜", "老鹰", "夜猫",
                                  "清风", "阿飞", "小白", "大熊", "糖果", "流年", "喆喆", "堃仔",
                                  "木子", "半夏", "北辰", "青柠", "阿杰", "南风"};
constexpr const char* kNameSuffixes[] = {"", "", "", "123", "2019", "丶", "君", "哥", "酱", "88"};
constexpr const char* kAsciiNames[] = {"coder", "tiger", "lucky", "xiaoming",
                                       "sunny", "jack",  "dream"};
constexpr const char* kStaffRanks[] = {"站长", "超级版主", "巅峰小编", "技术顾问", "版主"};
constexpr const char* kLicences[] = {"免费软件", "共享软件", "绿色软件", "免费版"};
constexpr const char* kPlatforms[] = {"WinXP/Win7/Win10", "Win7/Win8/Win10", "Win10/Win11",
                                      "WinAll"};
constexpr const char* kSummaryTails[] = {"亲测有效，欢迎反馈。", "使用方法见正文。",
                                         "有问题请留言。",       "数量有限，先到先得。",
                                         "持续更新中。",         "已修复上一版的问题。"};

Vocabulary VocabularyOf(SiteKey site) {
  switch (site) {
    case SiteKey::ForumA:
      return Vocabulary{kForumAPrefixes, kForumASubjects, kForumASuffixes};
    case SiteKey::ForumB:
      return Vocabulary{kForumBPrefixes, kForumBSubjects, kForumBSuffixes};
    case SiteKey::SiteC:
      return Vocabulary{kSiteCPrefixes, kSiteCSubjects, kSiteCSuffixes};
    case SiteKey::D1:
    case SiteKey::D2:
      return Vocabulary{kDealPrefixes, kDealSubjects, kDealSuffixes};
    case SiteKey::D3:
    case SiteKey::D4:
      break;
  }
  return Vocabulary{kFunPrefixes, kFunSubjects, kFunSuffixes};
}

std::string Word(SeededRandom& random, std::span<const char* const> words) {
  return words[random.Next() % words.size()];
}

std::string Nickname(SeededRandom& random) {
  if (random.Chance(25)) return random.Pick(kAsciiNames) + std::to_string(random.Between(1, 999));
  return random.Pick(kNames) + std::string(random.Pick(kNameSuffixes));
}

std::string Format(const char* format, std::time_t when) {
  std::tm parts{};
  localtime_r(&when, &parts);
  char text[64];
  std::strftime(text, sizeof text, format, &parts);
  return text;
}

std::string Unpadded(std::time_t when) {
  std::tm parts{};
  localtime_r(&when, &parts);
  char text[32];
  std::snprintf(text, sizeof text, "%d-%d-%d", parts.tm_year + 1900, parts.tm_mon + 1,
                parts.tm_mday);
  return text;
}

}  // namespace

int PostsOnPage(const RecordSettings& settings, SiteKey site, int slot, int page) {
  SeededRandom random = SeededRandom::For(
      settings.seed,
      {static_cast<uint64_t>(site), static_cast<uint64_t>(slot), 7, static_cast<uint64_t>(page)});
  const int count = random.Between(15, kMaxPostsPerPage);
  return page == kPagesPerBoard ? std::min(count, kMaxPostsPerPage - kPinnedPerBoard) : count;
}

int PostId(int slot, int page, int index) {
  const int position = (page - 1) * kMaxPostsPerPage + index;
  return kIdsPerSlot * (slot + 1) + (kPositionsPerBoard - 1 - position);
}

std::optional<PostPlace> PlaceOfPost(int id) {
  if (id < kIdsPerSlot) return std::nullopt;
  const int rest = id % kIdsPerSlot;
  if (rest >= kPositionsPerBoard) return std::nullopt;
  return PostPlace{id / kIdsPerSlot - 1, kPositionsPerBoard - 1 - rest};
}

PostRecord MakePost(const RecordSettings& settings, SiteKey site, PostPlace place) {
  SeededRandom random = SeededRandom::For(
      settings.seed, {static_cast<uint64_t>(site), static_cast<uint64_t>(place.slot), 3,
                      static_cast<uint64_t>(place.position)});
  const Vocabulary words = VocabularyOf(site);
  PostRecord post;
  post.id =
      PostId(place.slot, place.position / kMaxPostsPerPage + 1, place.position % kMaxPostsPerPage);
  post.title =
      Word(random, words.prefixes) + Word(random, words.subjects) + Word(random, words.suffixes);
  post.author = Nickname(random);
  post.authorId = random.Between(1000, 399999);
  post.staffAuthor = random.Chance(8);
  post.staffRank = random.Pick(kStaffRanks);
  post.vipAuthor = !post.staffAuthor && random.Chance(20);
  // About three hours between posts, newest first.
  const std::time_t age =
      static_cast<std::time_t>(place.position) * 3 * 3600 + random.Between(60, 2 * 3600);
  post.posted = settings.now - age;
  post.lastReply = post.posted + static_cast<std::time_t>(random.Between(0, 100) * age / 100);
  post.lastReplier = Nickname(random);
  post.replies = random.Between(0, 180);
  post.views = post.replies * random.Between(3, 40) + random.Between(10, 900);
  post.downloads = random.Between(5, 9000);
  post.likes = random.Between(0, 99);
  char size[32];
  if (random.Chance(30)) {
    std::snprintf(size, sizeof size, "%d KB", random.Between(120, 990));
  } else {
    std::snprintf(size, sizeof size, "%d.%02d MB", random.Between(1, 48), random.Between(0, 99));
  }
  post.size = size;
  post.licence = random.Pick(kLicences);
  post.platform = random.Pick(kPlatforms);
  post.summary = post.title + "，" + random.Pick(kSummaryTails);
  post.variant = static_cast<uint32_t>(random.Next());
  return post;
}

std::string ShortDate(std::time_t when) {
  return Unpadded(when);
}
std::string PaddedDate(std::time_t when) {
  return Format("%Y-%m-%d", when);
}
std::string MonthDay(std::time_t when) {
  return Format("%m-%d", when);
}
std::string ShortDateTime(std::time_t when) {
  return Unpadded(when) + Format(" %H:%M", when);
}
std::string FullDateTime(std::time_t when) {
  return Format("%Y-%m-%d %H:%M:%S", when);
}

std::string RelativeAge(std::time_t when, std::time_t now) {
  const std::time_t age = now - when;
  if (age < 0 || age >= 7 * 24 * 3600) return "";
  if (age < 3600) return std::to_string(age / 60 + 1) + "&nbsp;分钟前";
  if (age < 24 * 3600) return std::to_string(age / 3600) + "&nbsp;小时前";
  return std::to_string(age / (24 * 3600)) + "&nbsp;天前";
}

}  // namespace jixia::demo
