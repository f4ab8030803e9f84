// mozhou-fetch, run as a program against a loopback server.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/codepage.h"
#include "tests/net/net_fixture.h"

extern char** environ;

namespace mozhou::nettest {
namespace {

const std::string kTool = std::string(MOZHOU_BUILD_BIN) + "/mozhou-fetch";

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

ToolRun RunTool(std::vector<std::string> args) {
  // Per process and run: suites run in parallel.
  static int runs = 0;
  const std::string stem = ::testing::TempDir() + "/mozhou-fetch." + std::to_string(getpid()) + "." +
                           std::to_string(++runs);
  const std::string out_path = stem + ".out";
  const std::string err_path = stem + ".err";
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, 1, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&files, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  args.insert(args.begin(), kTool);
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  ToolRun run;
  pid_t pid = 0;
  if (posix_spawn(&pid, kTool.c_str(), &files, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&files);
  run.out = ReadFile(out_path);
  run.err = ReadFile(err_path);
  std::filesystem::remove(out_path);
  std::filesystem::remove(err_path);
  return run;
}

class FetchToolTest : public NetTest {
 protected:
  void SetUp() override {
    NetTest::SetUp();
    if (!std::filesystem::exists(kTool)) GTEST_SKIP() << "mozhou-fetch is not built";
  }
};

TEST_F(FetchToolTest, WritesTheBodyAsFetched) {
  LoopbackServer server;
  const std::string body("\xD6\xD0\0x", 4);
  server.ServeBytes("/p", body);
  const ToolRun run = RunTool({server.Base() + "/p"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, body);
}

TEST_F(FetchToolTest, PrintsMatchesOfEachPattern) {
  LoopbackServer server;
  server.ServeBytes("/list", codepage::Utf8_ToGbk(
      "<a href=\"/b1\">书一</a>\n<a href=\"/b2\">书\t二\\</a><a href=\"/b3\">x\r\ny</a>"));
  const ToolRun run = RunTool({"--pattern", "<a href=\"([^\"]+)\">([^<]+)</a>", "--pattern=nothing here",
                           "--pattern", "书.", server.Base() + "/list"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "3\n/b1\t书一\n/b2\t书\\t二\\\\\n/b3\tx\\r\\ny\n"
            "0\n"
            "2\n书一\n书\\t\n");
}

TEST_F(FetchToolTest, OptionsReachTheRequest) {
  LoopbackServer server;
  server.Post("/form", [](const httplib::Request&, httplib::Response& res) {
    res.set_header("Set-Cookie", "k=v; path=/");
    res.set_content("posted", "text/plain");
  });
  const ToolRun run = RunTool({"--post", "a=1", "--header", "X-One: 1", "--header", "X-Two: 2", "--cookie",
                           "c=3", "--show-headers", "--show-cookies", server.Base() + "/form"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "posted");
  EXPECT_NE(run.err.find("HTTP/1.1 200 OK\r\n"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("k=v;\n"), std::string::npos) << run.err;

  ASSERT_EQ(server.Requests().size(), 1u);
  const RecordedRequest request = server.Requests()[0];
  EXPECT_EQ(request.request_line, "POST /form HTTP/1.1");
  EXPECT_EQ(request.header_lines[2], "X-One: 1");
  EXPECT_EQ(request.header_lines[3], "X-Two: 2");
  EXPECT_EQ(request.Header("Cookie"), "c=3");
  EXPECT_EQ(request.body, "a=1");
}

TEST_F(FetchToolTest, ExitStatusTellsWhatCameBack) {
  LoopbackServer server;
  server.ServeBytes("/empty", "");
  server.ServeNever("/never");
  server.ServeRedirect("/moved", "/empty");
  struct Case {
    std::vector<std::string> args;
    int status;
  };
  const Case cases[] = {
      {{server.Base() + "/empty"}, 1},
      {{"--timeout", "1", server.Base() + "/never"}, 1},
      {{"--no-redirect", server.Base() + "/moved"}, 0},
      {{server.Base() + "/moved"}, 1},
      {{}, 2},
      {{"--bogus", server.Base() + "/empty"}, 2},
      {{"--timeout", "soon", server.Base() + "/empty"}, 2},
      {{"--pattern"}, 2},
      {{"--pattern", "(unclosed", server.Base() + "/empty"}, 2},
      {{"a", "b"}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const ToolRun run = RunTool(c.args);
    EXPECT_EQ(run.status, c.status);
    if (c.status == 2) {
      EXPECT_NE(run.err.find("usage: mozhou-fetch"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace mozhou::nettest
