// The stand-in servers: the maker's notice server and web site, 青岚网, 悦墨网 and
// 云笺书屋, each an HTTP server on loopback that serves pages in the layouts the program
// reads, in GBK, generated deterministically.
//
// Used by the demo (mozhou-standin) and, in process, by the tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace mozhou::standin {

// One block of the update-notice page.
struct NoticeBlock {
  std::string notice = "墨舟更新公告";
  std::string version = "1.3.1";
  std::string download = "http://127.0.0.1:47802/download/mozhou-1.3.1.zip";
  std::string features = "浏览青岚网与悦墨网的书库";
  std::string state = "正常";
};

enum class SiteKind { Notice, Maker, Qinglan, Yuemo, Yunjian, YuemoCover };

struct SiteOptions {
  SiteKind kind;
  int port = 0;                          // 0: an ephemeral port
  std::vector<NoticeBlock> notice = {NoticeBlock{}};  // Notice only; empty: no block
};

// One running stand-in server; stops when destroyed.
class Site final {
 public:
  static std::unique_ptr<Site> Start(const SiteOptions& options);  // nullptr when it cannot bind
  ~Site();
  std::string Base() const;  // "http://127.0.0.1:PORT"
  int port() const;

  struct Impl;
  explicit Site(std::unique_ptr<Impl> impl);

 private:
  std::unique_ptr<Impl> impl_;
};

// The pages themselves (GBK bytes), for tests and benchmarks.
std::string Notice_Page(const std::vector<NoticeBlock>& blocks);
// 青岚网: category index 1 to 15 as in the plug-in's category table, page from 1.
int Qinglan_PageCount(int category);
std::string Qinglan_ListPage(int category, int page, const std::string& site_base);
std::string Qinglan_DetailPage(int book_number, const std::string& site_base);

}  // namespace mozhou::standin
