// A browser's answer to WWW_GetWindowInfo: ANSI text, normally "\"url\",\"title\",...".
#pragma once
#include <cstddef>
#include <optional>
#include <string>

struct PageReply {
    std::wstring name;      // the page title
    std::wstring location;  // the page URL
};

// At most the first 1024 bytes count, up to the first NUL. Fields are split at every
// comma (quotes do not protect one; empty fields are dropped) and lose all their
// quotes. Nothing when fewer than two fields remain.
std::optional<PageReply> ParsePageReply(const char* data, size_t size);
