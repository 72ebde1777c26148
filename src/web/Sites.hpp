#pragma once
#include <string>

namespace corvina {

// The site of an address: its scheme and registrable domain ("https://example.com" for
// "https://chat.example.com/c/1"), or its host where there is no such domain (an IP
// address, "localhost"). "" for an address without a host.
std::string siteOf(const std::string& url);

// Whether two addresses belong to one site; addresses without a site belong to none.
bool sameSite(const std::string& a, const std::string& b);

}  // namespace corvina
