// The frame every stand-in page shares: an HTML document in the sites' old style, lines
// ended by CR LF, turned into GBK in one place.
//
// Document() takes UTF-8 and returns UTF-8; Gbk() is the one step to the bytes served.
// Neither fails: a character GBK lacks becomes the converter's substitute.
#pragma once

#include <string>
#include <string_view>

namespace mozhou::standin::markup {

inline constexpr std::string_view kCrLf = "\r\n";

// "<!DOCTYPE …><html><head>… <title>TITLE</title> HEAD</head><body>\r\n" + body +
// "</body></html>". `head` goes inside <head> as given (scripts, style links).
std::string Document(std::string_view title, std::string_view body, std::string_view head = {});

// UTF-8 → the GBK bytes the sites send.
std::string Gbk(std::string_view utf8);

}  // namespace mozhou::standin::markup
