#include "store/CppSQLite3Exception.h"
#include <cstdio>

namespace {

// SQLite's primary result codes 0..25 by value, then the two step results.
constexpr const char* kPrimaryNames[] = {
    "SQLITE_OK",       "SQLITE_ERROR",    "SQLITE_INTERNAL", "SQLITE_PERM",     "SQLITE_ABORT",
    "SQLITE_BUSY",     "SQLITE_LOCKED",   "SQLITE_NOMEM",    "SQLITE_READONLY", "SQLITE_INTERRUPT",
    "SQLITE_IOERR",    "SQLITE_CORRUPT",  "SQLITE_NOTFOUND", "SQLITE_FULL",     "SQLITE_CANTOPEN",
    "SQLITE_PROTOCOL", "SQLITE_EMPTY",    "SQLITE_SCHEMA",   "SQLITE_TOOBIG",   "SQLITE_CONSTRAINT",
    "SQLITE_MISMATCH", "SQLITE_MISUSE",   "SQLITE_NOLFS",    "SQLITE_AUTH",     "SQLITE_FORMAT",
    "SQLITE_RANGE",
};

}  // namespace

const char* CppSQLite3Exception::CodeName(int code) {
    constexpr int kCount = static_cast<int>(sizeof(kPrimaryNames) / sizeof(kPrimaryNames[0]));
    if (code >= 0 && code < kCount) return kPrimaryNames[code];
    switch (code) {
    case 100: return "SQLITE_ROW";
    case 101: return "SQLITE_DONE";
    case kLayerError: return "CPPSQLITE_ERROR";
    default: return "UNKNOWN_ERROR";
    }
}

CppSQLite3Exception::CppSQLite3Exception(int code, const char* detail) : m_code(code) {
    const char* name = CodeName(code);
    if (!detail) detail = "";
    const int n = std::snprintf(nullptr, 0, "%s[%d]: %s", name, code, detail);
    if (n > 0) {
        m_message.resize(static_cast<size_t>(n));
        std::snprintf(m_message.data(), m_message.size() + 1, "%s[%d]: %s", name, code, detail);
    }
}
