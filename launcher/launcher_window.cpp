#include "launcher/launcher_window.h"

#include <utility>

#include "launcher/plugin_handoff.h"
#include "launcher/launcher_look.h"
#include "launcher/update_check.h"
#include "platform/desktop.h"
#include "platform/library.h"
#include "platform/settings.h"

namespace mozhou::launcher {
namespace {

using ui::ControlKind;
using ui::Event;
using ui::kCentered;
using ui::kDisabled;
using ui::kMultiLine;
using ui::kNoFocus;
using ui::kReadOnly;
using ui::kVScroll;

constexpr int kHomePage = 0;    // "首页"
constexpr int kUpdatePage = 1;  // "版本更新"

// A web address as a caption shows it, without its scheme.
std::string Address_Shown(const std::string& address) {
  for (const std::string_view scheme : {"http://", "https://"}) {
    if (address.starts_with(scheme)) return address.substr(scheme.size());
  }
  return address;
}

std::string Legend(const std::string& maker_site) {
  return "正常 - 网站可正常进入,该区正常,可以进入\r\n维护 - 该区维护,暂时无法进入\r\n\r\n"
         "软件官网:" + maker_site + "\r\n" +
         std::string(kMakerName) + "\r\n" +
         std::string(kMakerContactNumbers);
}

}  // namespace

LauncherPlaces LauncherPlaces_Default() {
  return {settings::NoticeBase() + "/cnwzsj.html", library::ProgramDirectory() + "/bindll"};
}

ui::WindowSpec LauncherWindow_Spec() {
  const std::string site = settings::MakerSite();
  const std::string version(kCurrentVersion);
  const std::string contact(kMakerContactNumbers);
  const char* const tabs = "高级选择夹1";
  return {"墨舟", 50, 50, 324, 225, {
  // kind                     name           in    page         left top  w    h    text                            flags                              items
    {ControlKind::TabControl, "高级选择夹1", "",   0,           8,   8,   304, 176, "",                             0,                                 {{"首页"}, {"版本更新"}}},
    {ControlKind::ComboBox,   "组合框1",     tabs, kHomePage,   13,  11,  176, 20,  "",                             0},
    {ControlKind::Button,     "按钮1",       tabs, kHomePage,   200, 8,   80,  24,  "加载",                         kDisabled},
    {ControlKind::EditBox,    "编辑框1",     tabs, kHomePage,   8,   44,  280, 88,  Legend(site),                   kMultiLine | kVScroll | kReadOnly},
    {ControlKind::CheckBox,   "选择框1",     tabs, kHomePage,   13,  135, 147, 14,  "加载皮肤(未开放)",             kDisabled},
    {ControlKind::Label,      "标签1",       tabs, kHomePage,   196, 136, 96,  15,  "当前版本:     版",             kNoFocus},
    {ControlKind::EditBox,    "编辑框2",     tabs, kHomePage,   250, 135, 28,  16,  version,                        kCentered | kReadOnly},
    {ControlKind::Hyperlink,  "超级链接框2", tabs, kHomePage,   136, 154, 161, 24,  contact,                        kNoFocus,                          {{site}}},
    {ControlKind::Label,      "标签2",       tabs, kUpdatePage, 6,   9,   144, 16,  "最新版本: 0.0 版",             kNoFocus},
    {ControlKind::Label,      "标签3",       tabs, kUpdatePage, 155, 9,   144, 16,  "当前版本: " + version + " 版", kNoFocus},
    {ControlKind::EditBox,    "编辑框3",     tabs, kUpdatePage, 8,   32,  288, 96,  "国内工具数据",                 kMultiLine | kVScroll},
    {ControlKind::Button,     "按钮3",       tabs, kUpdatePage, 158, 129, 60,  22,  "手动更新",                     0},
    {ControlKind::Button,     "按钮2",       tabs, kUpdatePage, 220, 129, 60,  22,  "自动更新",                     kDisabled},
    {ControlKind::Hyperlink,  "超级链接框1", tabs, kUpdatePage, 168, 152, 128, 24,  "官网：" + Address_Shown(site), kNoFocus,                          {{site}}},
  }};
}

std::vector<ui::EventSpec> Launcher::Events() {
  return {
    // control        event                  action
    {"",              Event::Created,         [this] { Update_Check(*this, places_.notice_address);
                                                       update_check_finished_ = true; }},
    {"",              Event::WillBeDestroyed, [] { ui::Desktop_Current().EndProcess(0); }},
    {"按钮1",         Event::Clicked,         [this] { Plugin_Load(*this); }},
    {"按钮3",         Event::Clicked,         [this] { Download_OpenAddress(*this); }},
    {"高级选择夹1",   Event::PageChanged,     [this] { Page_MoveFocus(*this); }},
  };
}

Launcher::Launcher(LauncherPlaces places)
    : places_(std::move(places)),
      cleanup_(process::RegisterCleanup([this] { std::string().swap(download_address_); })),
      window_(std::make_unique<ui::Window>(LauncherWindow_Spec(), Events())) {
  LauncherWindow_FitLook(*window_);
}

Launcher::~Launcher() {
  window_.reset();
  process::UnregisterCleanup(cleanup_);
}

void Launcher::Show() { window_->Show(); }

}  // namespace mozhou::launcher
