#pragma once

#include <string>
#include <string_view>

namespace vantor {

// The text with only characters XML 1.0 allows and its readers take as they
// are: what is not UTF-8, a surrogate or a noncharacter (U+FFFE, U+FFFF,
// U+FDD0 to U+FDEF, the last two of every plane) becomes U+FFFD, and control
// characters but TAB are left out.
std::string XmlSafe(std::string_view text);

} // namespace vantor
