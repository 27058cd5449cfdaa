#include "store/CppSQLite3Command.h"
#include "store/CppSQLite3Cursor.h"
#include "store/CppSQLite3Exception.h"
#include <utility>

CppSQLite3Command::CppSQLite3Command(CppSQLite3Command&& other) noexcept
    : m_db(other.m_db), m_stmt(std::exchange(other.m_stmt, nullptr)) {}

CppSQLite3Command& CppSQLite3Command::operator=(CppSQLite3Command&& other) noexcept {
    if (this != &other) {
        FinishQuietly();
        m_db = other.m_db;
        m_stmt = std::exchange(other.m_stmt, nullptr);
    }
    return *this;
}

CppSQLite3Command::~CppSQLite3Command() { FinishQuietly(); }

void CppSQLite3Command::FinishQuietly() noexcept {
    try {
        Finish();
    } catch (const CppSQLite3Exception&) {
        m_stmt = nullptr;
    }
}

void CppSQLite3Command::CheckStatement() const {
    if (!m_stmt) throw CppSQLite3Exception(CppSQLite3Exception::kLayerError, sqlite_detail::kNullStatement);
}

void CppSQLite3Command::BindText(int index, std::string_view text) {
    CheckStatement();
    const int rc = sqlite3_bind_text64(m_stmt, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    if (rc != SQLITE_OK) throw CppSQLite3Exception(rc, sqlite_detail::kBindText);
}

void CppSQLite3Command::BindInt(int index, int value) {
    CheckStatement();
    const int rc = sqlite3_bind_int(m_stmt, index, value);
    if (rc != SQLITE_OK) throw CppSQLite3Exception(rc, sqlite_detail::kBindInt);
}

void CppSQLite3Command::BindNull(int index) {
    CheckStatement();
    const int rc = sqlite3_bind_null(m_stmt, index);
    if (rc != SQLITE_OK) throw CppSQLite3Exception(rc, sqlite_detail::kBindInt);
}

int CppSQLite3Command::Run() {
    if (!m_db) throw CppSQLite3Exception(CppSQLite3Exception::kLayerError, sqlite_detail::kNotOpen);
    CheckStatement();
    const int stepRc = sqlite3_step(m_stmt);
    if (stepRc == SQLITE_DONE) {
        const int changed = sqlite3_changes(m_db);
        const int rc = sqlite3_reset(m_stmt);
        if (rc == SQLITE_OK) return changed;
        throw CppSQLite3Exception(rc, sqlite3_errmsg(m_db));
    }
    // A failed step leaves its code for the reset; a row (a query run as a command) does not.
    const int rc = sqlite3_reset(m_stmt);
    throw CppSQLite3Exception(rc != SQLITE_OK ? rc : stepRc, sqlite3_errmsg(m_db));
}

CppSQLite3Cursor CppSQLite3Command::Query() {
    if (!m_db) throw CppSQLite3Exception(CppSQLite3Exception::kLayerError, sqlite_detail::kNotOpen);
    CheckStatement();
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_DONE || rc == SQLITE_ROW) return CppSQLite3Cursor(m_db, m_stmt, rc == SQLITE_DONE, false);
    const int code = sqlite3_reset(m_stmt);
    throw CppSQLite3Exception(code != SQLITE_OK ? code : rc, sqlite3_errmsg(m_db));
}

void CppSQLite3Command::Finish() {
    if (!m_stmt) return;
    const int rc = sqlite3_finalize(std::exchange(m_stmt, nullptr));
    if (rc != SQLITE_OK) throw CppSQLite3Exception(rc, sqlite3_errmsg(m_db));
}
