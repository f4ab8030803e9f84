// The stand-in servers over loopback: each started on an ephemeral port of 127.0.0.1 and
// stopped by the test.

#include <gtest/gtest.h>

#include <httplib.h>

#include <string>
#include <thread>
#include <vector>

#include "standin/standin.h"

namespace mozhou::standin {
namespace {

struct Answered {
  int status = -1;  // -1: no answer at all
  std::string content_type;
  std::string body;
};

Answered Get(const Site& site, const std::string& path) {
  httplib::Client client("127.0.0.1", site.port());
  client.set_connection_timeout(5);
  client.set_read_timeout(10);
  const httplib::Result result = client.Get(path);
  if (!result) return {};
  return {result->status, result->get_header_value("Content-Type"), result->body};
}

struct AddressCase {
  SiteKind kind;
  std::string path;
  int status;
};

TEST(Site, AnswersItsAddressesAndRefusesOthers) {
  const std::vector<AddressCase> cases = {
      {SiteKind::Notice, "/cnwzsj.html", 200},
      {SiteKind::Notice, "/other.html", 404},
      {SiteKind::Maker, "/", 200},
      {SiteKind::Maker, kMakerArticlePath, 200},
      {SiteKind::Maker, "/article.php?id=15", 404},
      {SiteKind::Maker, "/download/mozhou-1.3.1.zip", 200},
      {SiteKind::Qinglan, "/", 200},
      {SiteKind::Qinglan, "/soft/special/new_0_0_1.html", 200},
      {SiteKind::Qinglan, "/soft/sort010/list10_5.html", 200},
      {SiteKind::Qinglan, "/soft/sort010/list10_6.html", 404},
      {SiteKind::Qinglan, "/soft/sort10/list10_1.html", 404},
      {SiteKind::Qinglan, "/soft/sort01/list1_.html", 404},
      {SiteKind::Qinglan, "/soft/sort01/list1_0.html", 404},
      {SiteKind::Qinglan, "/Shtml12001.html", 200},
      {SiteKind::Qinglan, "/Shtml.html", 404},
      {SiteKind::Qinglan, "/Shtml-.html", 404},
      {SiteKind::Qinglan, "/Shtml99999.html", 404},
      {SiteKind::Qinglan, "/cover/12001.png", 200},
      {SiteKind::Qinglan, "/down/12001.txt", 200},
      {SiteKind::Qinglan, "/down/12007.txt", 404},
      {SiteKind::Yuemo, "/", 200},
      {SiteKind::Yunjian, "/", 200},
      {SiteKind::YuemoCover, "/", 200},
  };
  for (SiteKind kind : {SiteKind::Notice, SiteKind::Maker, SiteKind::Qinglan, SiteKind::Yuemo, SiteKind::Yunjian,
                        SiteKind::YuemoCover}) {
    const std::unique_ptr<Site> site = Site::Start({kind});
    ASSERT_TRUE(site);
    EXPECT_EQ(site->Base(), "http://127.0.0.1:" + std::to_string(site->port()));
    for (const AddressCase& address : cases) {
      if (address.kind != kind) continue;
      SCOPED_TRACE(address.path);
      const Answered answer = Get(*site, address.path);
      EXPECT_EQ(answer.status, address.status);
      EXPECT_FALSE(answer.body.empty());
      if (address.status == 404) {
        EXPECT_EQ(answer.body, Error_Page(404));
      }
    }
  }
}

TEST(Site, QinglanServesThePagesForItsOwnBase) {
  const std::unique_ptr<Site> site = Site::Start({SiteKind::Qinglan});
  ASSERT_TRUE(site);
  const int number = Qinglan_BookNumber(2, 3, 4);
  const std::string n = std::to_string(number);
  EXPECT_EQ(Get(*site, "/soft/sort01/list1_3.html").body, Qinglan_ListPage(2, 3, site->Base()));
  EXPECT_EQ(Get(*site, "/Shtml" + n + ".html").body, Qinglan_DetailPage(number, site->Base()));

  const Answered cover = Get(*site, "/cover/" + n + ".png");
  EXPECT_EQ(cover.content_type, "image/png");
  EXPECT_EQ(cover.body, Qinglan_Cover(number));

  const Answered archive = Get(*site, Qinglan_SiteLink(number));
  EXPECT_EQ(archive.status, 200);
  EXPECT_EQ(archive.body, Qinglan_Archive(number));
}

// Clients at once on the same books: the covers are drawn once and shared between the
// server's threads (the ThreadSanitizer build runs this too).
TEST(Site, ServesSeveralClientsAtOnce) {
  const std::unique_ptr<Site> site = Site::Start({SiteKind::Qinglan});
  ASSERT_TRUE(site);
  constexpr int kClients = 4;
  constexpr int kBooks = 6;
  std::vector<std::vector<Answered>> answers(kClients);
  std::vector<std::thread> clients;
  for (int client = 0; client < kClients; ++client) {
    clients.emplace_back([&, client] {
      for (int entry = 1; entry <= kBooks; ++entry) {
        answers[client].push_back(Get(*site, "/cover/" + std::to_string(Qinglan_BookNumber(7, 2, entry)) + ".png"));
        answers[client].push_back(Get(*site, "/soft/sort06/list6_2.html"));
      }
    });
  }
  for (std::thread& client : clients) client.join();
  for (const std::vector<Answered>& answered : answers) {
    ASSERT_EQ(answered.size(), 2u * kBooks);
    for (int entry = 1; entry <= kBooks; ++entry) {
      EXPECT_EQ(answered[2 * (entry - 1)].body, Qinglan_Cover(Qinglan_BookNumber(7, 2, entry)));
      EXPECT_EQ(answered[2 * (entry - 1) + 1].body, Qinglan_ListPage(7, 2, site->Base()));
    }
  }
}

TEST(Site, NoticeServesTheBlocksItWasStartedWith) {
  NoticeBlock closed;
  closed.state = "关闭";
  const std::unique_ptr<Site> site = Site::Start({SiteKind::Notice, 0, {closed}});
  ASSERT_TRUE(site);
  EXPECT_EQ(Get(*site, "/cnwzsj.html").body, Notice_Page({closed}));
}

TEST(Site, TakenPortIsRefusedAndAStoppedSiteNoLongerAnswers) {
  std::unique_ptr<Site> site = Site::Start({SiteKind::Yuemo});
  ASSERT_TRUE(site);
  const int port = site->port();
  EXPECT_FALSE(Site::Start({SiteKind::Yunjian, port}));
  EXPECT_EQ(Get(*site, "/").status, 200);
  site.reset();

  httplib::Client client("127.0.0.1", port);
  client.set_connection_timeout(2);
  EXPECT_FALSE(client.Get("/"));
}

}  // namespace
}  // namespace mozhou::standin
