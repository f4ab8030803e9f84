// mozhou-standin: the notice server, the maker's site, 青岚网, 悦墨网, 云笺书屋 and 悦墨网's
// cover server on loopback, at the base addresses the program is built with (or the
// environment variables of the same names), until SIGINT or SIGTERM.
//
// The options choose what the notice says, so that every outcome of the launcher's
// update check can be tried; --down leaves a site out, so the launcher lists it as
// under maintenance.

#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <pthread.h>

#include "platform/settings.h"
#include "standin/standin.h"

namespace {

using mozhou::standin::NoticeBlock;
using mozhou::standin::Site;
using mozhou::standin::SiteKind;
using mozhou::standin::SiteOptions;

struct Served {
  SiteKind kind;
  std::string_view name;  // as --down takes it
  std::string (*base)();
  std::string_view what;
};

const Served kServed[] = {
    {SiteKind::Notice, "notice", mozhou::settings::NoticeBase, "更新公告 /cnwzsj.html"},
    {SiteKind::Maker, "maker", mozhou::settings::MakerSite, "作者网站 /article.php?id=16"},
    {SiteKind::Qinglan, "qinglan", mozhou::settings::QinglanBase, "青岚网"},
    {SiteKind::Yuemo, "yuemo", mozhou::settings::YuemoBase, "悦墨网"},
    {SiteKind::Yunjian, "yunjian", mozhou::settings::YunjianBase, "云笺书屋"},
    {SiteKind::YuemoCover, "yuemo-cover", mozhou::settings::YuemoCoverBase, "悦墨网封面服务器"},
};

constexpr int kDefaultHttpPort = 80;

constexpr const char* kUsage =
    "usage: mozhou-standin [options]\n"
    "Serves the stand-in notice server and sites on 127.0.0.1 until Ctrl-C.\n"
    "\n"
    "  --notice-version V   newest version the notice announces (default: this build's)\n"
    "  --notice-state S     service state: 正常 (default), 关闭, or any other text\n"
    "  --notice-text T      the notice's heading text\n"
    "  --notice-features F  the feature text; may hold <br> or <BR>\n"
    "  --notice-download A  the download address (default: the maker's site)\n"
    "  --two-blocks         put an older notice block (state 正常) before this one\n"
    "  --no-notice          serve the notice page without any block\n"
    "  --down SITE          do not start SITE: notice, maker, qinglan, yuemo, yunjian,\n"
    "                       yuemo-cover (may be given more than once)\n"
    "  --help               this text\n"
    "\n"
    "Base addresses come from the build or from the environment variables\n"
    "MOZHOU_NOTICE_BASE, MOZHOU_MAKER_SITE, MOZHOU_QINGLAN_BASE, MOZHOU_YUEMO_BASE,\n"
    "MOZHOU_YUNJIAN_BASE, MOZHOU_YUEMO_COVER_BASE.\n";

struct Choices {
  NoticeBlock notice;
  bool download_given = false;
  bool two_blocks = false;
  bool no_notice = false;
  std::set<std::string, std::less<>> down;
};

// The port of "http://HOST[:PORT][/…]"; nullopt when it is not such an address.
std::optional<int> PortOf(std::string_view base) {
  const std::size_t scheme_end = base.find("://");
  if (scheme_end == std::string_view::npos) return std::nullopt;
  std::string_view authority = base.substr(scheme_end + 3);
  authority = authority.substr(0, authority.find('/'));
  const std::size_t colon = authority.rfind(':');
  if (colon == std::string_view::npos) return kDefaultHttpPort;
  int port = 0;
  for (char c : authority.substr(colon + 1)) {
    if (c < '0' || c > '9' || port > 65535) return std::nullopt;
    port = port * 10 + (c - '0');
  }
  if (port <= 0 || port > 65535) return std::nullopt;
  return port;
}

std::string DownloadAddress(const std::string& version) {
  return mozhou::settings::MakerSite() + "/download/mozhou-" + version + ".zip";
}

// nullopt: the program should end (help shown, or a bad option reported).
std::optional<Choices> ParseArguments(int argc, char** argv, int& exit_code) {
  Choices choices;
  choices.notice.version = MOZHOU_VERSION;
  for (int i = 1; i < argc; ++i) {
    const std::string_view option = argv[i];
    auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    const char* given = nullptr;
    if (option == "--help" || option == "-h") {
      std::fputs(kUsage, stdout);
      exit_code = 0;
      return std::nullopt;
    } else if (option == "--two-blocks") {
      choices.two_blocks = true;
    } else if (option == "--no-notice") {
      choices.no_notice = true;
    } else if (option == "--notice-version" && (given = value())) {
      choices.notice.version = given;
    } else if (option == "--notice-state" && (given = value())) {
      choices.notice.state = given;
    } else if (option == "--notice-text" && (given = value())) {
      choices.notice.notice = given;
    } else if (option == "--notice-features" && (given = value())) {
      choices.notice.features = given;
    } else if (option == "--notice-download" && (given = value())) {
      choices.notice.download = given;
      choices.download_given = true;
    } else if (option == "--down" && (given = value())) {
      bool known = false;
      for (const Served& served : kServed) known = known || served.name == given;
      if (!known) {
        std::fprintf(stderr, "mozhou-standin: unknown site \"%s\"\n%s", given, kUsage);
        exit_code = 2;
        return std::nullopt;
      }
      choices.down.insert(given);
    } else {
      std::fprintf(stderr, "mozhou-standin: bad option \"%s\"\n%s", argv[i], kUsage);
      exit_code = 2;
      return std::nullopt;
    }
  }
  if (!choices.download_given) choices.notice.download = DownloadAddress(choices.notice.version);
  return choices;
}

std::vector<NoticeBlock> NoticeBlocks(const Choices& choices) {
  if (choices.no_notice) return {};
  std::vector<NoticeBlock> blocks;
  if (choices.two_blocks) {
    NoticeBlock older;
    older.notice = "墨舟 1.3.0 版公告<br>感谢各位书友的支持";
    older.version = "1.3.0";
    older.download = DownloadAddress(older.version);
    older.features = "青岚网书库浏览<BR>本地下载与迅雷下载";
    older.state = "正常";
    blocks.push_back(older);
  }
  blocks.push_back(choices.notice);
  return blocks;
}

}  // namespace

int main(int argc, char** argv) {
  int exit_code = 0;
  const std::optional<Choices> choices = ParseArguments(argc, argv, exit_code);
  if (!choices) return exit_code;

  // The servers' threads inherit this mask, so the signals reach sigwait below only.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGINT);
  sigaddset(&stop_signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

  std::vector<std::unique_ptr<Site>> sites;
  for (const Served& served : kServed) {
    if (choices->down.contains(served.name)) {
      std::printf("%-12s (not started)        %s\n", std::string{served.name}.c_str(), std::string{served.what}.c_str());
      continue;
    }
    const std::string base = served.base();
    const std::optional<int> port = PortOf(base);
    if (!port) {
      std::fprintf(stderr, "mozhou-standin: %s: \"%s\" is not an http://HOST:PORT address\n",
                   std::string{served.name}.c_str(), base.c_str());
      return 1;
    }
    SiteOptions options{served.kind, *port};
    if (served.kind == SiteKind::Notice) options.notice = NoticeBlocks(*choices);
    std::unique_ptr<Site> site = Site::Start(options);
    if (!site) {
      std::fprintf(stderr, "mozhou-standin: %s: cannot listen on 127.0.0.1:%d\n", std::string{served.name}.c_str(),
                   *port);
      return 1;
    }
    std::printf("%-12s %-22s %s\n", std::string{served.name}.c_str(), site->Base().c_str(),
                std::string{served.what}.c_str());
    if (base.find("://127.0.0.1:") == std::string::npos) {
      std::printf("%-12s note: the base address is %s; the stand-in listens on 127.0.0.1 only\n", "",
                  base.c_str());
    }
    sites.push_back(std::move(site));
  }
  if (!choices->down.contains("notice")) {
    const std::vector<NoticeBlock> blocks = NoticeBlocks(*choices);
    std::printf("notice: %zu block(s)", blocks.size());
    for (const NoticeBlock& block : blocks) {
      std::printf("; version %s, state \"%s\"", block.version.c_str(), block.state.c_str());
    }
    std::printf("\nCtrl-C stops.\n");
  }
  std::fflush(stdout);

  int received = 0;
  sigwait(&stop_signals, &received);
  sites.clear();  // each stops and joins its thread
  std::printf("stopped (signal %d)\n", received);
  return 0;
}
