// The process-wide cookie store: one for the whole process, shared by every fetch of
// every deliverable (the launcher and the plug-ins each link their own toolkit, so the
// store lives here). Safe to use from any thread.
//
// Cookies are kept per host (lower-case, no port), in the order first stored; storing
// a name again replaces its data in place.
#pragma once

#include <string>

namespace mozhou::net {

// Stores one cookie. `data` is everything after the first "=" of the cookie line,
// attributes included ("1; path=/"); only the part before the first ";" is sent back.
void CookieStore_Set(const std::string& host, const std::string& name, const std::string& data);

// The value of a Cookie header for `host`: "a=1; b=2", or empty when none is stored.
std::string CookieStore_HeaderValue(const std::string& host);

// Forgets every cookie (for tests).
void CookieStore_Clear();

}  // namespace mozhou::net
