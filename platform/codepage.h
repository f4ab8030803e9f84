// Code pages of the sites and the notice server, on ICU.
//
// Inside the program every text is UTF-8. The sites send GBK (code page 936); the
// Big5 result form of Web_Fetch reads code page 950. None of these functions fail:
// bytes that do not decode become U+FFFD, characters a target code page lacks become
// that converter's substitute.
#pragma once

#include <string>
#include <string_view>

namespace mozhou::codepage {

// GBK bytes → UTF-8. Invalid or truncated sequences become U+FFFD.
std::string Gbk_ToUtf8(std::string_view gbk);

// UTF-8 → GBK bytes. Characters GBK lacks become the converter's substitute.
std::string Utf8_ToGbk(std::string_view utf8);

// Big5 bytes → UTF-8. Invalid sequences become U+FFFD.
std::string Big5_ToUtf8(std::string_view big5);

// Traditional Chinese characters → their simplified forms (ICU "Traditional-Simplified").
std::string Utf8_TraditionalToSimplified(std::string_view utf8);

}  // namespace mozhou::codepage
