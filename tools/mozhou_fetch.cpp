// mozhou-fetch: what a site answers now, through the same Web_Fetch the program uses.
//
//   mozhou-fetch [options] ADDRESS
//
// Writes the body to standard output as Web_Fetch returns it. With --pattern, prints
// instead, for each pattern in turn, the match count on a line of its own, then one line
// per match with its groups separated by TAB (the whole match when the pattern has no
// groups), as UTF-8 text of the decoded page; TAB, CR, LF and backslash inside a group
// are written \t, \r, \n and \\. Exit status: 0 when a body was read, 1 when it was empty
// or the fetch timed out, 2 on bad usage.
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/codepage.h"
#include "toolkit/regex_object.h"
#include "toolkit/text.h"
#include "toolkit/web_fetch.h"

namespace {

constexpr int kExitRead = 0;
constexpr int kExitNothing = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "usage: mozhou-fetch [options] ADDRESS\n"
    "\n"
    "Fetches ADDRESS with Web_Fetch and writes the body to standard output.\n"
    "\n"
    "  --pattern P      print the matches of P instead of the body (repeatable): a line\n"
    "                   with the match count, then a line per match with its groups\n"
    "                   separated by TAB, in UTF-8 of the page decoded from GBK\n"
    "  --post DATA      send a POST with DATA\n"
    "  --header LINE    an extra header line (repeatable; CR LF is added)\n"
    "  --cookie TEXT    cookie text to send (\"a=1; b=2\")\n"
    "  --proxy H:P      proxy for http addresses\n"
    "  --timeout S      time-out in seconds (default 60)\n"
    "  --form N         result form: 1 UTF-8 page to GBK, 2 Big5 page to simplified GBK\n"
    "  --no-redirect    do not follow redirects\n"
    "  --show-headers   write the raw response headers to standard error\n"
    "  --show-cookies   write the received cookies to standard error\n"
    "  -h, --help       this text\n"
    "\n"
    "Exit status: 0 a body was read, 1 empty or timed out, 2 bad usage.\n";

struct Request {
  std::string address;
  std::vector<std::string> patterns;
  mozhou::FetchOptions options;
  bool show_headers = false;
  bool show_cookies = false;
};

std::optional<int> WholeNumber(std::string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

[[noreturn]] void BadUsage(const std::string& why) {
  std::fprintf(stderr, "mozhou-fetch: %s\n\n%s", why.c_str(), kUsage);
  std::exit(kExitUsage);
}

Request ParseArguments(int argc, char** argv) {
  Request request;
  std::vector<std::string_view> args(argv + 1, argv + argc);
  std::string headers;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string_view arg = args[i];
    if (arg == "-h" || arg == "--help") {
      std::fputs(kUsage, stdout);
      std::exit(kExitRead);
    }
    if (!arg.starts_with("--")) {
      if (!request.address.empty()) BadUsage("more than one address");
      request.address = std::string(arg);
      continue;
    }
    // "--name value" or "--name=value"
    std::string_view name = arg;
    std::optional<std::string> inline_value;
    if (const auto equals = arg.find('='); equals != std::string_view::npos) {
      name = arg.substr(0, equals);
      inline_value = std::string(arg.substr(equals + 1));
    }
    auto value = [&]() -> std::string {
      if (inline_value) return *inline_value;
      if (i + 1 >= args.size()) BadUsage(std::string(name) + " needs a value");
      return std::string(args[++i]);
    };
    auto flag = [&] {
      if (inline_value) BadUsage(std::string(name) + " takes no value");
    };

    if (name == "--pattern") {
      request.patterns.push_back(value());
    } else if (name == "--post") {
      request.options.method = 1;
      request.options.data = value();
    } else if (name == "--header") {
      headers += value() + "\r\n";
    } else if (name == "--cookie") {
      request.options.cookies = value();
    } else if (name == "--proxy") {
      request.options.proxy = value();
    } else if (name == "--timeout") {
      const std::string text = value();
      const auto seconds = WholeNumber(text);
      if (!seconds) BadUsage("--timeout wants whole seconds, not \"" + text + "\"");
      request.options.timeout_seconds = *seconds;
    } else if (name == "--form") {
      const std::string text = value();
      const auto form = WholeNumber(text);
      if (!form) BadUsage("--form wants a number, not \"" + text + "\"");
      request.options.result_form = *form;
    } else if (name == "--no-redirect") {
      flag();
      request.options.follow_redirects = false;
    } else if (name == "--show-headers") {
      flag();
      request.show_headers = true;
    } else if (name == "--show-cookies") {
      flag();
      request.show_cookies = true;
    } else {
      BadUsage("unknown option " + std::string(name));
    }
  }
  if (request.address.empty()) BadUsage("no address");
  if (!headers.empty()) request.options.headers = headers;
  return request;
}

std::string Escaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\\': out += "\\\\"; break;
      default: out += c;
    }
  }
  return out;
}

void PrintMatches(const std::string& pattern, const std::string& page) {
  mozhou::RegexObject regex;
  regex.Run(pattern, page);
  const int count = regex.MatchCount();
  std::printf("%d\n", count);
  const int groups = regex.SubMatchCount();
  for (int match = 1; match <= count; ++match) {
    std::string line;
    if (groups == 0) {
      line = Escaped(regex.MatchText(match));
    } else {
      for (int group = 1; group <= groups; ++group) {
        if (group > 1) line += '\t';
        line += Escaped(regex.SubMatchText(match, group));
      }
    }
    std::printf("%s\n", line.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  Request request = ParseArguments(argc, argv);
  for (const std::string& pattern : request.patterns) {
    mozhou::RegexObject probe;
    if (!probe.Run(pattern, "")) BadUsage("the pattern does not compile: " + pattern);
  }

  std::string headers;
  std::string cookies;
  if (request.show_headers) request.options.response_headers = &headers;
  if (request.show_cookies) request.options.received_cookies = &cookies;

  const std::string body = mozhou::Web_Fetch(request.address, request.options);
  const bool timed_out = body == mozhou::codepage::Utf8_ToGbk(mozhou::kFetchTimeoutMessage);

  if (request.show_headers) std::fprintf(stderr, "%s", headers.c_str());
  if (request.show_cookies) std::fprintf(stderr, "%s\n", cookies.c_str());

  if (request.patterns.empty()) {
    std::fwrite(body.data(), 1, body.size(), stdout);
  } else {
    const std::string page = mozhou::Page_Text(body);
    for (const std::string& pattern : request.patterns) PrintMatches(pattern, page);
  }
  std::fflush(stdout);
  return (body.empty() || timed_out) ? kExitNothing : kExitRead;
}
