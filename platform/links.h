// Rules for addresses taken from pages and handed to the system.
//
// Only http and https are handed on (and thunder for the Thunder link); any other
// scheme — file:, javascript:, a local path with a scheme — is refused. A site link
// without a scheme is resolved against the site's base address. Nothing here touches
// a shell.
#pragma once

#include <optional>
#include <string>

namespace mozhou::links {

// The link to hand to the system for a hidden-browser address, or nullopt when nothing is
// to be handed on (empty address, refused scheme). A link starting with "/" or without
// any scheme is resolved against `site_base` ("http://h:1" + "/down/1.zip").
std::optional<std::string> Link_ForSystem(const std::string& address, const std::string& site_base);

// True for http:// and https:// addresses (scheme letters in any case).
bool Link_IsWeb(const std::string& address);

// Decodes "thunder://" + base64("AA" + address + "ZZ"). Returns the inner address when it
// is an http or https address, else nullopt.
std::optional<std::string> Thunder_Decode(const std::string& thunder_link);

}  // namespace mozhou::links
