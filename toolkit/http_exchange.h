// Http_Exchange: the worker of Web_Fetch. One HTTP request on libcurl.
//
// Reads the request from the record, composes the header text, performs the exchange
// and writes the answer back: field 0 the body (empty on any failure, or when the body
// passes kBodyCap), field 1 the received-cookie text, field 5 the raw headers of the
// final response (status line and header lines, each ending in "\r\n"; 2048 blanks when
// there was no response or the headers need 2048 bytes or more). Every received cookie is
// stored in the process-wide cookie store for the host. When `cancelled` becomes true the
// transfer aborts within about 100 ms and the answer is left empty.
#pragma once

#include <atomic>
#include <cstddef>
#include <string>

#include "toolkit/fetch_record.h"

namespace mozhou {

inline constexpr std::size_t kBodyCap = 64u << 20;
inline constexpr long kRedirectLimit = 20;
inline constexpr std::size_t kRawHeaderLimit = 2048;

void Http_Exchange(FetchRecord& record, const std::atomic<bool>& cancelled);

// The address rules, exposed for tests.
bool Http_IsSecure(const std::string& address);        // begins with "https://", any case
std::string Http_HostOf(const std::string& address);   // "http://Ab.Example:8080/a" → "ab.example"
std::string Http_PathOf(const std::string& address);   // "/list_2.html?x=1", or "/"
int Http_PortOf(const std::string& address);           // explicit port, else 80 / 443

// The header text sent after the request line, Host and User-Agent (steps of composition:
// Accept, Referer / "RefererNo", Accept-Language, then the POST and Cookie lines).
std::string Http_ComposeHeaders(const std::string& address, const std::string& verb,
                                const std::string& caller_headers, const std::string& data,
                                const std::string& cookie_text);
// The agent: taken from a caller "User-Agent:" line when there is one, else the default.
std::string Http_AgentOf(const std::string& caller_headers);

}  // namespace mozhou
