#include "platform/links.h"

#include <QByteArray>
#include <QStringDecoder>

#include <algorithm>
#include <cctype>
#include <string_view>

#include "platform/ascii_text.h"
#include "platform/codepage.h"

namespace mozhou::links {
namespace {

using ascii::TrimBlanks;
using ascii::StartsWithNoCase;

constexpr std::string_view kThunderPrefix = "thunder://";
constexpr std::string_view kThunderInnerStart = "AA";
constexpr std::string_view kThunderInnerEnd = "ZZ";

// The scheme of an address in lower case ("[A-Za-z][A-Za-z0-9+.-]*:"), or empty when the
// address has none.
std::string SchemeOf(std::string_view address) {
  if (address.empty() || !std::isalpha(static_cast<unsigned char>(address.front()))) return {};
  for (std::size_t i = 1; i < address.size(); ++i) {
    const auto c = static_cast<unsigned char>(address[i]);
    if (c == ':') {
      std::string scheme(address.substr(0, i));
      std::transform(scheme.begin(), scheme.end(), scheme.begin(), ascii::ToLower);
      return scheme;
    }
    if (!std::isalnum(c) && c != '+' && c != '.' && c != '-') return {};
  }
  return {};
}

bool IsValidUtf8(const QByteArray& bytes) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString text = decoder.decode(bytes);  // decoding happens on conversion
  return !decoder.hasError();
}

}  // namespace

bool Link_IsWeb(const std::string& address) {
  return StartsWithNoCase(address, "http://") || StartsWithNoCase(address, "https://");
}

std::optional<std::string> Link_ForSystem(const std::string& address, const std::string& site_base) {
  const std::string_view link = TrimBlanks(address);
  if (link.empty()) return std::nullopt;
  // A Windows share ("\\host\x") or a path written with backslashes is never a site link.
  if (link.front() == '\\') return std::nullopt;

  const std::string scheme = SchemeOf(link);
  if (!scheme.empty()) {
    // "C:\x" lands here too, with the scheme "c".
    if (scheme == "http" || scheme == "https" || scheme == "thunder") return std::string(link);
    return std::nullopt;
  }

  std::string resolved;
  if (link.starts_with("//")) {
    resolved = "http:" + std::string(link);
  } else if (link.front() == '/') {
    resolved = site_base + std::string(link);
  } else {
    resolved = site_base + "/" + std::string(link);
  }
  // Without a usable site base the result is no web address: nothing to hand on.
  if (!Link_IsWeb(resolved)) return std::nullopt;
  return resolved;
}

std::optional<std::string> Thunder_Decode(const std::string& thunder_link) {
  std::string_view link = TrimBlanks(thunder_link);
  if (!StartsWithNoCase(link, kThunderPrefix)) return std::nullopt;
  link.remove_prefix(kThunderPrefix.size());
  if (link.ends_with('/')) link.remove_suffix(1);  // some sites close the link with "/"

  const auto decoded = QByteArray::fromBase64Encoding(
      QByteArray(link.data(), static_cast<qsizetype>(link.size())),
      QByteArray::AbortOnBase64DecodingErrors);
  if (!decoded) return std::nullopt;
  const QByteArray& wrapped = *decoded;
  const auto wrap_size = static_cast<qsizetype>(kThunderInnerStart.size() + kThunderInnerEnd.size());
  if (wrapped.size() < wrap_size || !wrapped.startsWith(kThunderInnerStart.data()) ||
      !wrapped.endsWith(kThunderInnerEnd.data())) {
    return std::nullopt;
  }
  const QByteArray inner_bytes =
      wrapped.mid(static_cast<qsizetype>(kThunderInnerStart.size()), wrapped.size() - wrap_size);
  // The sites build their Thunder links from GBK addresses; a UTF-8 one is taken as it is.
  std::string inner = IsValidUtf8(inner_bytes)
                          ? inner_bytes.toStdString()
                          : codepage::Gbk_ToUtf8(std::string_view(inner_bytes.constData(),
                                                                  static_cast<std::size_t>(inner_bytes.size())));
  if (!Link_IsWeb(inner)) return std::nullopt;
  return inner;
}

}  // namespace mozhou::links
