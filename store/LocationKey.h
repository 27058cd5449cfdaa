// When two favorites have the same location: their locations give the same key.
//
// A URL with an authority ("scheme://..."): scheme and host lose their case; the
// default port (80 for http, 443 for https) and an empty port are dropped; an empty
// path becomes "/"; percent-escapes of unreserved characters (letters, digits, "-",
// ".", "_", "~") are decoded and every other escape gets capital hex digits, in every
// part but the query, which is kept exactly as typed. The fragment is kept. http and
// https stay apart, and so do "www.example.com" and "example.com".
// Anything else (a file path, a file: URL, javascript:, data:, mailto:, text without a
// scheme) is compared as typed, only its scheme without case.
#pragma once
#include <string>
#include <string_view>

class CppSQLite3Connection;

// Both work on and give UTF-8.
std::string LocationKeyUtf8(std::string_view location);
void AppendLocationKey(std::string& key, std::string_view location);
// LocationKeyUtf8(location) == key, faster: most locations are told apart by their
// scheme and host alone. `scratch` is working room, reused from call to call.
bool HasLocationKey(std::string_view location, std::string_view key, std::string& scratch);
std::wstring LocationKey(const std::wstring& location);

// The SQL functions location_key(text) (NULL gives NULL) and has_location_key(text,
// key) on the connection, both deterministic.
void RegisterLocationKeyFunction(CppSQLite3Connection& connection);
