// Base addresses of the servers the program talks to.
//
// Each is fixed when the program is built (CMake cache variable of the same name). An
// environment variable of that name, when set and not empty, takes its place at run
// time: that is how the tests point the program at servers on ephemeral loopback ports.
#pragma once

#include <string>

namespace mozhou::settings {

std::string NoticeBase();      // MOZHOU_NOTICE_BASE
std::string MakerSite();       // MOZHOU_MAKER_SITE
std::string QinglanBase();     // MOZHOU_QINGLAN_BASE
std::string YuemoBase();       // MOZHOU_YUEMO_BASE
std::string YunjianBase();     // MOZHOU_YUNJIAN_BASE
std::string YuemoCoverBase();  // MOZHOU_YUEMO_COVER_BASE

}  // namespace mozhou::settings
