// A walk over the rows of one query. A cursor made by CppSQLite3Connection::Query owns
// its statement and finalises it when finished; one made by CppSQLite3Command::Query
// borrows the command's statement and only resets it, so the command can run again.
// Cursors move, they are never copied: the target finishes its own statement first.
#pragma once
#include <sqlite3.h>
#include <string_view>

class CppSQLite3Cursor {
public:
    CppSQLite3Cursor() = default;
    CppSQLite3Cursor(sqlite3* db, sqlite3_stmt* stmt, bool atEnd, bool ownsStatement);
    CppSQLite3Cursor(CppSQLite3Cursor&& other) noexcept;
    CppSQLite3Cursor& operator=(CppSQLite3Cursor&& other) noexcept;
    CppSQLite3Cursor(const CppSQLite3Cursor&) = delete;
    CppSQLite3Cursor& operator=(const CppSQLite3Cursor&) = delete;
    virtual ~CppSQLite3Cursor();

    bool AtEnd() const;
    void Next();
    int ColumnCount() const { return m_columnCount; }
    int IntValue(int column, int defaultValue) const;
    // UTF-8; valid until the next step or finish.
    const char* TextValue(int column, const char* defaultValue) const;
    // The whole text, a NUL inside it included; empty for NULL. Valid as TextValue.
    std::string_view TextView(int column) const;
    void Finish();

private:
    void CheckStatement() const;
    // The column's type after the statement and index checks.
    int CheckedColumnType(int column) const;
    void FinishQuietly() noexcept;

    sqlite3* m_db = nullptr;           // not owned
    sqlite3_stmt* m_stmt = nullptr;    // owned when m_ownsStatement
    bool m_atEnd = true;
    int m_columnCount = 0;
    bool m_ownsStatement = false;
};
