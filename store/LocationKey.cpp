#include "store/LocationKey.h"
#include "store/CppSQLite3Connection.h"
#include "store/TextConv.h"
#include <windows.h>
#include <sqlite3.h>

namespace {

bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsUnreserved(char c) { return IsAlpha(c) || IsDigit(c) || c == '-' || c == '.' || c == '_' || c == '~'; }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    const char l = AsciiLower(c);
    return l >= 'a' && l <= 'f' ? l - 'a' + 10 : -1;
}

// Lower-cases out[from..] in place: ASCII by hand, anything else through the system's
// invariant lower-case mapping.
void LowerFrom(std::string& out, size_t from) {
    bool ascii = true;
    for (size_t i = from; i < out.size(); ++i) {
        const char c = out[i];
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        out[i] = AsciiLower(c);
    }
    if (ascii) return;
    const std::wstring wide = FromUtf8(out.substr(from));
    std::wstring lower(wide.size(), L'\0');
    const int n = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, wide.c_str(), static_cast<int>(wide.size()),
                                lower.data(), static_cast<int>(lower.size()), nullptr, nullptr, 0);
    if (n <= 0) return;  // no mapping: ASCII at least has lost its case
    lower.resize(static_cast<size_t>(n));
    out.resize(from);
    out += ToUtf8(lower);
}

void AppendLower(std::string& out, std::string_view text) {
    const size_t from = out.size();
    out.append(text.data(), text.size());
    LowerFrom(out, from);
}

// Appends `text` with the escapes of unreserved characters decoded and the others in
// capital hex; a "%" without two hex digits stays as it is.
void AppendEscapesNormalised(std::string& out, std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    size_t i = 0;
    while (i < text.size()) {
        const size_t percent = text.find('%', i);
        const size_t plainEnd = percent == std::string_view::npos ? text.size() : percent;
        out.append(text.data() + i, plainEnd - i);
        if (plainEnd == text.size()) return;
        i = plainEnd + 1;
        const int hi = i + 1 < text.size() ? HexValue(text[i]) : -1;
        const int lo = hi >= 0 ? HexValue(text[i + 1]) : -1;
        if (lo < 0) {
            out += '%';
            continue;
        }
        const char decoded = static_cast<char>(hi * 16 + lo);
        if (IsUnreserved(decoded)) {
            out += decoded;
        } else {
            const char escape[] = {'%', kHex[hi], kHex[lo]};
            out.append(escape, 3);
        }
        i += 2;
    }
}

// The position of the ":" that ends a scheme (a letter, then letters, digits, "+",
// "-", "."), or npos.
size_t SchemeEnd(std::string_view s) {
    if (s.empty() || !IsAlpha(s[0])) return std::string_view::npos;
    for (size_t i = 1; i < s.size(); ++i) {
        const char c = s[i];
        if (c == ':') return i;
        if (!IsAlpha(c) && !IsDigit(c) && c != '+' && c != '-' && c != '.') break;
    }
    return std::string_view::npos;
}

// The port without leading zeros, or empty when it is empty or the scheme's default.
// A port that is not a number stays as typed.
std::string_view KeptPort(std::string_view scheme, std::string_view port) {
    for (const char c : port)
        if (!IsDigit(c)) return port;
    if (port.empty()) return {};
    const size_t first = port.find_first_not_of('0');
    const std::string_view digits = first == std::string_view::npos ? std::string_view() : port.substr(first);
    if ((scheme == "http" && digits == "80") || (scheme == "https" && digits == "443")) return {};
    return digits.empty() ? std::string_view("0") : digits;
}

void AppendAuthority(std::string& out, std::string_view scheme, std::string_view authority) {
    const size_t at = authority.rfind('@');
    if (at != std::string_view::npos) {
        AppendEscapesNormalised(out, authority.substr(0, at + 1));
        authority.remove_prefix(at + 1);
    }
    // An IPv6 literal keeps its colons inside the brackets.
    const size_t close = authority.size() && authority[0] == '[' ? authority.find(']') : std::string_view::npos;
    const size_t colon = authority.find(':', close == std::string_view::npos ? 0 : close);
    const size_t hostStart = out.size();
    AppendEscapesNormalised(out, authority.substr(0, colon));
    LowerFrom(out, hostStart);
    if (colon == std::string_view::npos) return;
    const std::string_view port = KeptPort(scheme, authority.substr(colon + 1));
    if (port.empty()) return;
    out += ':';
    out.append(port.data(), port.size());
}

// Appends the key up to the end of the authority and returns where the rest of the
// location (path, query, fragment) starts, or npos for a location compared whole.
size_t AppendKeyHead(std::string& key, std::string_view location) {
    const size_t start = key.size();
    const size_t colon = SchemeEnd(location);
    const bool authority = colon != std::string_view::npos && location.substr(colon + 1, 2) == "//";
    if (authority) AppendLower(key, location.substr(0, colon));
    if (!authority || key.compare(start, std::string::npos, "file") == 0) {  // not a URL of the web
        // Only the scheme loses its case: "javascript:alert('A')" is not "...('a')".
        key.resize(start);
        const size_t scheme = colon == std::string_view::npos ? 0 : colon;
        AppendLower(key, location.substr(0, scheme));
        key.append(location.data() + scheme, location.size() - scheme);
        return std::string_view::npos;
    }
    const std::string scheme = key.substr(start);  // short: no allocation
    key += "://";
    const size_t from = colon + 3;
    size_t end = from;  // the first "/", "?" or "#" (a plain loop: find_first_of calls memchr per byte)
    while (end < location.size() && location[end] != '/' && location[end] != '?' && location[end] != '#') ++end;
    AppendAuthority(key, scheme, location.substr(from, end - from));
    return end;
}

void AppendKeyTail(std::string& key, std::string_view rest) {
    const size_t hash = rest.find('#');
    const std::string_view fragment = hash == std::string_view::npos ? std::string_view() : rest.substr(hash);
    rest = rest.substr(0, hash);
    const size_t question = rest.find('?');
    const std::string_view path = rest.substr(0, question);
    if (path.empty()) key += '/';
    AppendEscapesNormalised(key, path);
    if (question != std::string_view::npos) key.append(rest.substr(question));  // the query as typed
    AppendEscapesNormalised(key, fragment);
}

// Most stored locations are plain: http or https, a host of letters, digits, dots and
// dashes (no user, port or brackets) and no escape anywhere. Their key is the scheme and
// host in lower case and the rest as it is, made in one pass; false for any other.
bool AppendPlainWebKey(std::string& key, std::string_view location) {
    size_t end = 0;
    const char* const kScheme = "https";
    while (end < 5 && end < location.size() && AsciiLower(location[end]) == kScheme[end]) ++end;
    if (end < 4 || location.substr(end, 3) != "://") return false;  // "http" or "https"
    for (end += 3; end < location.size(); ++end) {
        const char c = location[end];
        if (c == '/' || c == '?' || c == '#') break;
        if (!IsAlpha(c) && !IsDigit(c) && c != '.' && c != '-') return false;
    }
    if (location.find('%', end) != std::string_view::npos) return false;
    const size_t from = key.size();
    key.append(location.data(), end);
    for (size_t i = from; i < key.size(); ++i) key[i] = AsciiLower(key[i]);
    if (end == location.size() || location[end] != '/') key += '/';
    key.append(location.data() + end, location.size() - end);
    return true;
}

}  // namespace

void AppendLocationKey(std::string& key, std::string_view location) {
    if (AppendPlainWebKey(key, location)) return;
    const size_t rest = AppendKeyHead(key, location);
    if (rest != std::string_view::npos) AppendKeyTail(key, location.substr(rest));
}

namespace {

// True when the location's key cannot be `key`, an http or https key, told from the scheme
// and the host alone without building anything; false when that takes a closer look
// (user names, escapes, non-ASCII text, brackets, or the same scheme and host).
bool PlainlyNotWebKey(std::string_view location, std::string_view key) {
    const size_t schemeEnd = key.find("://");
    const std::string_view scheme = key.substr(0, schemeEnd);
    if (scheme != "http" && scheme != "https") return false;
    const size_t hostAt = schemeEnd + 3;
    if (location.size() < hostAt) return true;
    for (size_t i = 0; i < hostAt; ++i)
        if (AsciiLower(location[i]) != key[i]) return true;  // another scheme, or no "://"
    size_t end = hostAt;  // of the authority
    for (; end < location.size() && location[end] != '/' && location[end] != '?' && location[end] != '#'; ++end) {
        const char c = location[end];
        if (c == '@' || c == '%' || c == '[' || static_cast<unsigned char>(c) >= 0x80) return false;
    }
    for (size_t i = hostAt;; ++i) {
        if (i == end || location[i] == ':') {  // the same host so far: the key's must end here too
            const char k = i < key.size() ? key[i] : '\0';
            return k != ':' && k != '/';
        }
        if (i >= key.size() || AsciiLower(location[i]) != key[i]) return true;
    }
}

}  // namespace

bool HasLocationKey(std::string_view location, std::string_view key, std::string& made) {
    if (PlainlyNotWebKey(location, key)) return false;
    made.clear();
    const size_t rest = AppendKeyHead(made, location);
    // Most locations differ in scheme or host: the rest is not worked out for them.
    if (key.compare(0, made.size(), made) != 0) return false;
    if (rest != std::string_view::npos) AppendKeyTail(made, location.substr(rest));
    return made == key;
}

std::string LocationKeyUtf8(std::string_view location) {
    std::string key;
    key.reserve(location.size() + 1);
    AppendLocationKey(key, location);
    return key;
}

std::wstring LocationKey(const std::wstring& location) { return FromUtf8(LocationKeyUtf8(ToUtf8(location))); }

namespace {

// The text of an argument, or empty for NULL.
std::string_view TextOf(sqlite3_value* value) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return text ? std::string_view(text, static_cast<size_t>(sqlite3_value_bytes(value))) : std::string_view();
}

// Each function's own buffer, which keeps its room from call to call. A connection runs
// one statement at a time, so no two calls share it at once.
std::string& Scratch(sqlite3_context* context) { return *static_cast<std::string*>(sqlite3_user_data(context)); }
void FreeScratch(void* scratch) { delete static_cast<std::string*>(scratch); }

void LocationKeySql(sqlite3_context* context, int, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_NULL) return sqlite3_result_null(context);
    try {
        std::string& key = Scratch(context);
        key.clear();
        AppendLocationKey(key, TextOf(args[0]));
        sqlite3_result_text(context, key.data(), static_cast<int>(key.size()), SQLITE_TRANSIENT);
    } catch (...) {  // nothing may unwind into SQLite
        sqlite3_result_error_nomem(context);
    }
}

void HasLocationKeySql(sqlite3_context* context, int, sqlite3_value** args) {
    try {
        sqlite3_result_int(context, HasLocationKey(TextOf(args[0]), TextOf(args[1]), Scratch(context)) ? 1 : 0);
    } catch (...) {
        sqlite3_result_error_nomem(context);
    }
}

}  // namespace

void RegisterLocationKeyFunction(CppSQLite3Connection& connection) {
    connection.CreateFunction("location_key", 1, &LocationKeySql, new std::string, &FreeScratch);
    connection.CreateFunction("has_location_key", 2, &HasLocationKeySql, new std::string, &FreeScratch);
}
