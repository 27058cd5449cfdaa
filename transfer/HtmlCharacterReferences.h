// Character references in HTML text, as browsers decode them: numeric ones ("&#233;",
// "&#xE9;", with or without the semicolon) and the whole HTML5 named set ("&eacute;",
// and the legacy names that may go without a semicolon, such as "&amp" and "&copy").
// UTF-8 in and out; whatever is no reference stays as it is.
#pragma once
#include <string>
#include <string_view>

// In an attribute value a legacy name without its semicolon followed by a letter, a
// digit or "=" stays as written ("?a=1&copy=2" keeps "&copy").
std::string DecodeCharacterReferences(std::string_view text, bool inAttribute);
