#include "store/CppSQLite3Cursor.h"
#include "store/CppSQLite3Exception.h"
#include <utility>

CppSQLite3Cursor::CppSQLite3Cursor(sqlite3* db, sqlite3_stmt* stmt, bool atEnd, bool ownsStatement)
    : m_db(db), m_stmt(stmt), m_atEnd(atEnd), m_columnCount(stmt ? sqlite3_column_count(stmt) : 0),
      m_ownsStatement(ownsStatement) {}

CppSQLite3Cursor::CppSQLite3Cursor(CppSQLite3Cursor&& other) noexcept
    : m_db(other.m_db), m_stmt(std::exchange(other.m_stmt, nullptr)), m_atEnd(other.m_atEnd),
      m_columnCount(other.m_columnCount), m_ownsStatement(other.m_ownsStatement) {}

CppSQLite3Cursor& CppSQLite3Cursor::operator=(CppSQLite3Cursor&& other) noexcept {
    if (this != &other) {
        FinishQuietly();
        m_db = other.m_db;
        m_stmt = std::exchange(other.m_stmt, nullptr);
        m_atEnd = other.m_atEnd;
        m_columnCount = other.m_columnCount;
        m_ownsStatement = other.m_ownsStatement;
    }
    return *this;
}

CppSQLite3Cursor::~CppSQLite3Cursor() { FinishQuietly(); }

void CppSQLite3Cursor::FinishQuietly() noexcept {
    try {
        Finish();
    } catch (const CppSQLite3Exception&) {
        m_stmt = nullptr;
    }
}

void CppSQLite3Cursor::CheckStatement() const {
    if (!m_stmt) throw CppSQLite3Exception(CppSQLite3Exception::kLayerError, sqlite_detail::kNullStatement);
}

bool CppSQLite3Cursor::AtEnd() const {
    CheckStatement();
    return m_atEnd;
}

void CppSQLite3Cursor::Next() {
    CheckStatement();
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_DONE) {
        m_atEnd = true;
    } else if (rc != SQLITE_ROW) {
        // The statement is gone after a failed step; its error stays on the connection.
        const int code = m_ownsStatement ? sqlite3_finalize(m_stmt) : sqlite3_reset(m_stmt);
        m_stmt = nullptr;
        throw CppSQLite3Exception(code, sqlite3_errmsg(m_db));
    }
}

int CppSQLite3Cursor::CheckedColumnType(int column) const {
    CheckStatement();
    if (column < 0 || column >= m_columnCount)
        throw CppSQLite3Exception(CppSQLite3Exception::kLayerError, sqlite_detail::kBadField);
    return sqlite3_column_type(m_stmt, column);
}

int CppSQLite3Cursor::IntValue(int column, int defaultValue) const {
    if (CheckedColumnType(column) == SQLITE_NULL) return defaultValue;
    return sqlite3_column_int(m_stmt, column);
}

const char* CppSQLite3Cursor::TextValue(int column, const char* defaultValue) const {
    if (CheckedColumnType(column) == SQLITE_NULL) return defaultValue;
    return reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
}

std::string_view CppSQLite3Cursor::TextView(int column) const {
    if (CheckedColumnType(column) == SQLITE_NULL) return {};
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return text ? std::string_view(text, static_cast<size_t>(sqlite3_column_bytes(m_stmt, column))) : std::string_view();
}

void CppSQLite3Cursor::Finish() {
    if (!m_stmt) return;
    sqlite3_stmt* stmt = std::exchange(m_stmt, nullptr);
    const int rc = m_ownsStatement ? sqlite3_finalize(stmt) : sqlite3_reset(stmt);
    if (rc != SQLITE_OK) throw CppSQLite3Exception(rc, sqlite3_errmsg(m_db));
}
