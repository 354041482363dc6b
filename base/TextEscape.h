#pragma once
// Escaping of text taken from file names: into HTML, into script string literals and
// into kovp/file URLs. Every name that reaches a page or a statement goes through here.
#include <string>

namespace kov {

// Replaces & < > " with entities; other bytes pass unchanged.
std::string HtmlEscape(const std::string& text);
// A complete JavaScript string literal, quotes included, safe inside a <script> block
// and in statements run in a page: quotes, backslashes, control bytes, '<', '>' and
// U+2028/U+2029 are escaped.
std::string JsStringLiteral(const std::string& text);
// Percent-encodes every byte outside A-Z a-z 0-9 - . _ ~ / $ (kovp URL paths).
std::string PercentEncodePath(const std::string& path);
// Decodes %XX escapes; a '%' not followed by two hex digits stays as it is.
std::string PercentDecode(const std::string& text);
// Converts a byte string from the file system to valid UTF-8 for display (invalid
// bytes become U+FFFD), as g_filename_display_name does.
std::string DisplayName(const std::string& bytes);

}  // namespace kov
