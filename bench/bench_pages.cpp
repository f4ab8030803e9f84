// Reading a 青岚 list page the way the plug-in does: Page_Text over the GBK body, then the
// list pattern and the pager pattern, each iteration with a fresh RegexObject. Over the
// 30-row page the stand-in serves and over larger pages of repeated rows, so the figures
// show how the time grows with the page. Bytes are the GBK body's.

#include <benchmark/benchmark.h>

#include <string>

#include "standin/standin.h"
#include "toolkit/regex_object.h"
#include "toolkit/text.h"

namespace {

constexpr const char* kListPattern =
    "<div class=\"mainListName\"><span class=\"mainSoftName\"><a href=\"/Shtml(.*?).html\" title=\"(.*?)\">.*?</a></span></div><div class=\"mainListSize\">(.*?)</div><div class=\"mainListDate\"><span class=\"oldDate\"><span class=\".*?\">(.*?)</span></span></div><div class=\"mainListHist\">(.*?)</div>\r\n\t\t\t\t</div>\r\n\t\t\t\t<div class=\"mainListIntro\" id=\"soft_content_1\">.*?</div>\r\n\t\t\t\t<div class=\"mainListBottom\">\r\n\t\t\t\t\t<div class=\"mainRunSystem\"><span class=\"mainGreen\">运行环境：</span>(.*?)</div><div class=\"mainAccredit\"><span class=\"mainGreen\">书籍作者：</span>(.*?)</div><div class=\"mainstar\"><span class=\"mainGreen\">推荐星级：</span><img src=\".*?\"></div>";

constexpr const char* kPagerPattern = "<td class=\"tabletitle1\" title=\"页次\">&nbsp;(.*?)/(.*?)页&nbsp;</td>";

const std::string kSiteBase = "http://127.0.0.1:47803";
constexpr int kKiB = 1024;

void ReadListPage(benchmark::State& state, const std::string& body) {
  int rows = 0;
  for (auto _ : state) {
    const std::string text = mozhou::Page_Text(body);
    mozhou::RegexObject regex;
    regex.Run(kListPattern, text);
    rows = regex.MatchCount();
    regex.Run(kPagerPattern, text);
    benchmark::DoNotOptimize(regex.SubMatchText(regex.MatchCount(), 2));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(body.size()));
  state.counters["rows"] = rows;
  state.counters["page_KiB"] = static_cast<double>(body.size()) / kKiB;
}

void BM_ListPage30(benchmark::State& state) {
  ReadListPage(state, mozhou::standin::Qinglan_ListPage(2, 1, kSiteBase));
}
BENCHMARK(BM_ListPage30)->Unit(benchmark::kMicrosecond);

void BM_ListPageLarge(benchmark::State& state) {
  ReadListPage(state, mozhou::standin::Qinglan_LargeListPage(static_cast<std::size_t>(state.range(0)) * kKiB, kSiteBase));
}
BENCHMARK(BM_ListPageLarge)->Arg(128)->Arg(512)->Arg(1024)->Unit(benchmark::kMicrosecond);

// The step alone, to tell the decoding from the matching.
void BM_PageText30(benchmark::State& state) {
  const std::string body = mozhou::standin::Qinglan_ListPage(2, 1, kSiteBase);
  for (auto _ : state) benchmark::DoNotOptimize(mozhou::Page_Text(body));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(body.size()));
}
BENCHMARK(BM_PageText30)->Unit(benchmark::kMicrosecond);

// And the two patterns alone, over the text already decoded.
void BM_ListPatterns30(benchmark::State& state) {
  const std::string body = mozhou::standin::Qinglan_ListPage(2, 1, kSiteBase);
  const std::string text = mozhou::Page_Text(body);
  for (auto _ : state) {
    mozhou::RegexObject regex;
    regex.Run(kListPattern, text);
    regex.Run(kPagerPattern, text);
    benchmark::DoNotOptimize(regex.MatchCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(body.size()));
}
BENCHMARK(BM_ListPatterns30)->Unit(benchmark::kMicrosecond);

}  // namespace
