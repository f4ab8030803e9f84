#include "launcher/site_list.h"

#include <array>
#include <string>
#include <thread>
#include <vector>

#include "platform/event_pump.h"
#include "platform/settings.h"
#include "platform/url_reader.h"
#include "toolkit/text.h"

namespace mozhou::launcher {
namespace {

// How long past the probe time-out the list keeps the window's events running for a
// probe that has not reported; after that it simply joins the probe's thread.
constexpr std::chrono::seconds kProbeGrace{2};

enum SiteIndex { kQinglan, kYuemo, kYunjian, kSiteCount };

struct Probe final {
  std::string address;
  std::string body;  // written by the probe's thread, read after that thread was joined
  pump::Completion done;
};

// Reads every home page at once; true for each that gave a non-empty page text.
std::array<bool, kSiteCount> Sites_Answer(const std::array<std::string, kSiteCount>& bases) {
  std::array<Probe, kSiteCount> probes;
  {
    std::vector<std::jthread> threads;
    for (int site = 0; site < kSiteCount; ++site) {
      Probe& probe = probes[site];
      probe.address = bases[site] + "/";
      threads.emplace_back([&probe] {
        probe.body = net::Url_Read(probe.address, kProbeTimeout);
        probe.done.Finish();
      });
    }
    const pump::Clock::time_point deadline = pump::Clock::now() + kProbeTimeout + kProbeGrace;
    for (Probe& probe : probes) pump::Wait(probe.done, deadline);
  }  // the threads are joined here
  std::array<bool, kSiteCount> answered{};
  for (int site = 0; site < kSiteCount; ++site) answered[site] = !Page_Text(probes[site].body).empty();
  return answered;
}

}  // namespace

void Fill_Site_List(ui::Window& window) {
  window.SetEnabled("按钮1", false);
  window.Combo_Clear("组合框1");
  const std::array<bool, kSiteCount> answered =
      Sites_Answer({settings::QinglanBase(), settings::YuemoBase(), settings::YunjianBase()});
  window.Combo_Add("组合框1", std::string(answered[kQinglan] ? kQinglanUp : kQinglanDown));
  window.Combo_Select("组合框1", 0);
  window.Combo_Add("组合框1", std::string(answered[kYuemo] ? kYuemoUp : kYuemoDown));
  window.Combo_Select("组合框1", 0);
  window.Combo_Add("组合框1", std::string(kYunjianEntry));
  window.Combo_Add("组合框1", std::string(kComingEntry));
  window.SetEnabled("按钮1", true);
  window.SetFocus("按钮1");
}

}  // namespace mozhou::launcher
