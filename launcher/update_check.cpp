#include "launcher/update_check.h"

#include <algorithm>
#include <vector>

#include "launcher/launcher_window.h"
#include "launcher/site_list.h"
#include "platform/desktop.h"
#include "platform/settings.h"
#include "toolkit/regex_object.h"
#include "toolkit/text.h"
#include "toolkit/web_fetch.h"

namespace mozhou::launcher {
namespace {

using ui::MessageAnswer;
using ui::MessageButtons;

// The groups of one notice block.
enum NoticeField { kNoticeText = 1, kNewestVersion, kDownloadAddress, kFeatureText, kState };

void Version_OfferDetails(ui::Window& window) {
  if (ui::Desktop_Current().Message("检测到新版本！是否查看详情？", "更新提示",
                                    MessageButtons::YesNo) == MessageAnswer::Yes) {
    window.Tab_SetCurrent("高级选择夹1", 1);
  }
}

// Returns false when the state ended the process.
bool Service_ActOnState(ui::Window& window, const std::string& state) {
  if (state == "正常") {
    Fill_Site_List(window);
    return true;
  }
  ui::Desktop& desktop = ui::Desktop_Current();
  if (state == "关闭") {
    if (desktop.Message("该版本已关闭,是否下载最新版？", "公告", MessageButtons::YesNo) ==
        MessageAnswer::Yes) {
      desktop.OpenAddress(settings::MakerSite() + std::string(kMakerArticlePath));
      desktop.Message("如若网站无法打开,请联系管理员，QQ：" + std::string(kMakerContactNumbers),
                      "", MessageButtons::Ok);
    }
  } else {
    desktop.Message("服务器正在维护中...", "抱歉,该软件暂时无法使用", MessageButtons::Ok);
  }
  desktop.EndProcess(0);
  return false;
}

// One notice block, in the order its values become visible. Returns false when the
// process was ended.
bool Notice_ApplyBlock(Launcher& launcher, const RegexObject& notice, int block) {
  ui::Window& window = launcher.window();
  const auto field = [&](NoticeField group) { return notice.SubMatchText(block, group); };
  const std::string newest = field(kNewestVersion);

  window.SetText("编辑框3", field(kNoticeText) + "\r\n");
  window.SetText("标签2", "最新版本: " + newest + " 版");
  if (Version_IsNewer(window.Text("编辑框2"), newest)) {
    Version_OfferDetails(window);
    Fill_Site_List(window);
  }
  launcher.Download_SetAddress(field(kDownloadAddress));
  window.SetText("编辑框3", window.Text("编辑框3") + field(kFeatureText) + "\r\n");
  window.SetText("编辑框3", Text_ReplacePairs(window.Text("编辑框3"), {{"<br>", "\r\n"}}));
  return Service_ActOnState(window, field(kState));
}

std::vector<std::string_view> Version_Parts(std::string_view version) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t dot = version.find('.', start);
    parts.push_back(version.substr(start, dot - start));
    if (dot == std::string_view::npos) return parts;
    start = dot + 1;
  }
}

bool Part_IsNumber(std::string_view part) {
  return !part.empty() && std::all_of(part.begin(), part.end(),
                                      [](char c) { return c >= '0' && c <= '9'; });
}

// <0, 0, >0 as a is before, equal to, after b.
int Part_Compare(std::string_view a, std::string_view b) {
  if (Part_IsNumber(a) && Part_IsNumber(b)) {
    // Compared as digit strings, so no part is too long for a number type.
    a.remove_prefix(std::min(a.find_first_not_of('0'), a.size()));
    b.remove_prefix(std::min(b.find_first_not_of('0'), b.size()));
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  }
  return a.compare(b);  // char_traits<char> compares as unsigned bytes
}

}  // namespace

bool Version_IsNewer(std::string_view current, std::string_view newest) {
  const std::vector<std::string_view> have = Version_Parts(current);
  const std::vector<std::string_view> offered = Version_Parts(newest);
  for (std::size_t i = 0; i < std::max(have.size(), offered.size()); ++i) {
    const std::string_view a = i < have.size() ? have[i] : "0";
    const std::string_view b = i < offered.size() ? offered[i] : "0";
    if (const int order = Part_Compare(a, b); order != 0) return order < 0;
  }
  return false;
}

void Update_Check(Launcher& launcher, std::string address) {
  const std::string page = Page_Text(Web_Fetch(address));
  RegexObject notice;
  notice.Run(kNoticePattern, page);
  const int blocks = notice.MatchCount();
  for (int block = 1; block <= blocks; ++block) {
    if (!Notice_ApplyBlock(launcher, notice, block)) return;
  }
}

}  // namespace mozhou::launcher
