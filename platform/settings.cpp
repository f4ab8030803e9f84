#include "platform/settings.h"

#include <cstdlib>

namespace mozhou::settings {
namespace {

std::string FromEnvironmentOr(const char* name, const char* built_in) {
  const char* value = std::getenv(name);
  return (value != nullptr && *value != '\0') ? std::string(value) : std::string(built_in);
}

}  // namespace

std::string NoticeBase() { return FromEnvironmentOr("MOZHOU_NOTICE_BASE", MOZHOU_NOTICE_BASE); }
std::string MakerSite() { return FromEnvironmentOr("MOZHOU_MAKER_SITE", MOZHOU_MAKER_SITE); }
std::string QinglanBase() { return FromEnvironmentOr("MOZHOU_QINGLAN_BASE", MOZHOU_QINGLAN_BASE); }
std::string YuemoBase() { return FromEnvironmentOr("MOZHOU_YUEMO_BASE", MOZHOU_YUEMO_BASE); }
std::string YunjianBase() { return FromEnvironmentOr("MOZHOU_YUNJIAN_BASE", MOZHOU_YUNJIAN_BASE); }
std::string YuemoCoverBase() {
  return FromEnvironmentOr("MOZHOU_YUEMO_COVER_BASE", MOZHOU_YUEMO_COVER_BASE);
}

}  // namespace mozhou::settings
