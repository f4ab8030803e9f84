// The plain URL reader: a blocking GET of a whole address into bytes.
//
// Only http and https addresses are read. Redirects are followed (a bounded number).
// Any failure — another scheme, no answer, a transport error, the time-out, a body
// over the cap — gives empty bytes. The HTTP status is not looked at.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace mozhou::net {

inline constexpr std::chrono::milliseconds kUrlReadTimeout{10'000};
inline constexpr std::size_t kUrlReadCap = 16u << 20;  // pictures are small; refuse more

std::string Url_Read(const std::string& address,
                     std::chrono::milliseconds timeout = kUrlReadTimeout,
                     std::size_t cap = kUrlReadCap);

}  // namespace mozhou::net
