// The request and answer record between Web_Fetch and its worker.
//
// Exactly seven byte-string fields. The same record goes to the worker and comes back:
// the worker overwrites the answer fields (body, received cookies, raw headers) and
// leaves the others as they were.
#pragma once

#include <array>
#include <string>

namespace mozhou {

struct FetchRecord {
  enum Field : int {
    kAddress = 0,         // out: the page body
    kMethod = 1,          // "GET" or "POST"; out: the received cookies
    kProxy = 2,
    kHeaders = 3,
    kData = 4,
    kCookies = 5,         // out: the raw response headers
    kFollowRedirects = 6, // "1" or "0"
  };
  static constexpr int kFieldCount = 7;

  std::array<std::string, kFieldCount> fields;

  std::string& operator[](Field f) { return fields[f]; }
  const std::string& operator[](Field f) const { return fields[f]; }
};

}  // namespace mozhou
