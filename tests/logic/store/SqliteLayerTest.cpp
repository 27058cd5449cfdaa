#include "TempDbFile.h"
#include "store/CppSQLite3Connection.h"
#include "store/CppSQLite3Exception.h"
#include "store/TextConv.h"
#include <gtest/gtest.h>
#include <functional>
#include <string>

namespace {

// Runs `action` and returns the message of the exception it throws ("" if none).
std::string Thrown(const std::function<void()>& action) {
    try {
        action();
    } catch (const CppSQLite3Exception& e) {
        return e.Message();
    }
    return "";
}

class SqliteLayer : public testing::Test {
protected:
    void SetUp() override {
        db.Open(":memory:");
        db.Execute("create table t(a int, b text, c int unique);"
                   "insert into t values(1, 'one', 10);"
                   "insert into t values(null, null, 20);");
    }
    CppSQLite3Connection db;
};

TEST(SqliteException, NamesCodesAndFormatsTheMessage) {
    const struct { int code; const char* detail; const char* message; } cases[] = {
        {0, "not an error", "SQLITE_OK[0]: not an error"},
        {1, "", "SQLITE_ERROR[1]: "},
        {5, "database is locked", "SQLITE_BUSY[5]: database is locked"},
        {19, nullptr, "SQLITE_CONSTRAINT[19]: "},
        {25, "x", "SQLITE_RANGE[25]: x"},
        {26, "", "UNKNOWN_ERROR[26]: "},
        {100, "", "SQLITE_ROW[100]: "},
        {101, "", "SQLITE_DONE[101]: "},
        {1000, "Database not open", "CPPSQLITE_ERROR[1000]: Database not open"},
        {-1, "", "UNKNOWN_ERROR[-1]: "},
        {266, "", "UNKNOWN_ERROR[266]: "},  // extended codes are not named
    };
    for (const auto& c : cases) {
        const CppSQLite3Exception e(c.code, c.detail);
        EXPECT_EQ(e.Code(), c.code);
        EXPECT_STREQ(e.Message(), c.message);
    }
}

TEST_F(SqliteLayer, EveryFailureThrowsItsExactMessage) {
    CppSQLite3Connection closed;
    const struct { const char* what; std::function<void()> action; const char* message; } cases[] = {
        {"compile: empty detail", [&] { db.Query("selec 1"); }, "SQLITE_ERROR[1]: "},
        {"prepare: empty detail", [&] { db.Prepare("update nowhere set x=1"); }, "SQLITE_ERROR[1]: "},
        {"execute: SQLite's own text", [&] { db.Execute("selec 1"); },
         "SQLITE_ERROR[1]: near \"selec\": syntax error"},
        {"first step fails", [&] { db.Query("select abs(-9223372036854775808)"); },
         "SQLITE_ERROR[1]: integer overflow"},
        {"closed: execute", [&] { closed.Execute("select 1"); }, "CPPSQLITE_ERROR[1000]: Database not open"},
        {"closed: query", [&] { closed.Query("select 1"); }, "CPPSQLITE_ERROR[1000]: Database not open"},
        {"closed: prepare", [&] { closed.Prepare("select 1"); }, "CPPSQLITE_ERROR[1000]: Database not open"},
        {"closed: has table", [&] { closed.HasTable("t"); }, "CPPSQLITE_ERROR[1000]: Database not open"},
        {"closed: last id", [&] { closed.LastInsertId(); }, "CPPSQLITE_ERROR[1000]: Database not open"},
        {"scalar without a row", [&] { db.Scalar("select 1 where 0"); },
         "CPPSQLITE_ERROR[1000]: Invalid scalar query"},
        {"scalar without a statement", [&] { db.Scalar("-- nothing"); },
         "CPPSQLITE_ERROR[1000]: Null Virtual Machine pointer"},
        {"bind text out of range",
         [&] { db.Prepare("select ?").BindText(2, "x"); }, "SQLITE_RANGE[25]: Error binding string param"},
        {"bind int out of range",
         [&] { db.Prepare("select ?").BindInt(0, 1); }, "SQLITE_RANGE[25]: Error binding int param"},
        {"constraint on run",
         [&] { db.Prepare("insert into t(c) values(10)").Run(); },
         "SQLITE_CONSTRAINT[19]: UNIQUE constraint failed: t.c"},
    };
    for (const auto& c : cases) EXPECT_EQ(Thrown(c.action), c.message) << c.what;
}

TEST_F(SqliteLayer, FinishedCursorsAndCommandsRefuseWork) {
    const std::string nullStatement = "CPPSQLITE_ERROR[1000]: Null Virtual Machine pointer";
    CppSQLite3Command command = db.Prepare("insert into t(a) values(?)");
    command.Finish();
    EXPECT_EQ(Thrown([&] { command.BindInt(1, 1); }), nullStatement);
    EXPECT_EQ(Thrown([&] { command.BindText(1, "x"); }), nullStatement);
    EXPECT_EQ(Thrown([&] { command.Run(); }), nullStatement);
    EXPECT_EQ(Thrown([&] { command.Finish(); }), "");  // finishing twice is harmless

    CppSQLite3Cursor cursor = db.Query("select a from t");
    cursor.Finish();
    EXPECT_EQ(Thrown([&] { cursor.AtEnd(); }), nullStatement);
    EXPECT_EQ(Thrown([&] { cursor.Next(); }), nullStatement);
    EXPECT_EQ(Thrown([&] { cursor.IntValue(0, 0); }), nullStatement);

    // A moved-from cursor has no statement either; the target carries on.
    CppSQLite3Cursor source = db.Query("select a from t order by rowid");
    CppSQLite3Cursor target = std::move(source);
    EXPECT_EQ(Thrown([&] { source.AtEnd(); }), nullStatement);
    EXPECT_EQ(target.IntValue(0, -1), 1);
}

TEST_F(SqliteLayer, ColumnsCheckTheirIndexAndGiveDefaultsForNull) {
    CppSQLite3Cursor row = db.Query("select a, b, c, 4, 5, 6, 7 from t order by rowid");
    ASSERT_EQ(row.ColumnCount(), 7);
    EXPECT_EQ(Thrown([&] { row.TextValue(7, ""); }), "CPPSQLITE_ERROR[1000]: Invalid field index requested");
    EXPECT_EQ(Thrown([&] { row.IntValue(-1, 0); }), "CPPSQLITE_ERROR[1000]: Invalid field index requested");
    EXPECT_EQ(row.IntValue(0, -1), 1);
    EXPECT_STREQ(row.TextValue(1, "default"), "one");
    EXPECT_EQ(row.IntValue(6, 0), 7);
    row.Next();
    ASSERT_FALSE(row.AtEnd());
    EXPECT_EQ(row.IntValue(0, -1), -1);
    EXPECT_STREQ(row.TextValue(1, "default"), "default");
    row.Next();
    EXPECT_TRUE(row.AtEnd());
}

TEST_F(SqliteLayer, AFailedStepThrowsAndFinishesTheCursor) {
    // The second row overflows while stepping.
    CppSQLite3Cursor rows = db.Query("select abs(x) from (select 1 as x union all select -9223372036854775808)");
    EXPECT_EQ(rows.IntValue(0, 0), 1);
    EXPECT_EQ(Thrown([&] { rows.Next(); }), "SQLITE_ERROR[1]: integer overflow");
    EXPECT_EQ(Thrown([&] { rows.AtEnd(); }), "CPPSQLITE_ERROR[1000]: Null Virtual Machine pointer");
}

TEST_F(SqliteLayer, CommandsRunAgainAndQueryWithBoundParameters) {
    CppSQLite3Command insert = db.Prepare("insert into t(a, b) values(?, ?)");
    for (int i = 0; i < 3; ++i) {
        insert.BindInt(1, 100 + i);
        insert.BindText(2, "it's");
        EXPECT_EQ(insert.Run(), 1);
        EXPECT_EQ(db.LastInsertId(), 3 + i);
    }
    EXPECT_EQ(db.Execute("update t set a = a + 1 where a >= 100"), 3);

    CppSQLite3Command select = db.Prepare("select count(*) from t where b = ?1 or b = ?1 || '!'");
    for (int pass = 0; pass < 2; ++pass) {  // the borrowed cursor resets the statement
        select.BindText(1, "it's");
        CppSQLite3Cursor rows = select.Query();
        EXPECT_EQ(rows.IntValue(0, 0), 3);
        rows.Finish();
    }
}

TEST_F(SqliteLayer, HasTableAndScalar) {
    EXPECT_TRUE(db.HasTable("t"));
    EXPECT_FALSE(db.HasTable("missing"));
    EXPECT_FALSE(db.HasTable("t' or name<>'"));  // the name never leaves its quotes
    EXPECT_EQ(db.Scalar("select count(*) from t"), 2);
    EXPECT_EQ(db.Scalar("select 'abc'"), 0);
    EXPECT_EQ(db.Scalar("select null"), 0);
}

TEST(SqliteFile, ANonDatabaseFileFailsOnFirstReadAndStaysUntouched) {
    TempDbFile file;
    const std::string text(4096, 'x');
    file.WriteBytes(text);
    CppSQLite3Connection db;
    db.Open(file.Utf8Path().c_str());  // opening reads nothing yet
    EXPECT_EQ(Thrown([&] { db.HasTable("tbl_favor"); }), "UNKNOWN_ERROR[26]: ");
    db.Close();
    EXPECT_EQ(file.Bytes(), text);
}

TEST(TextConv, ConvertsBothWays) {
    const std::wstring samples[] = {L"", L"plain", L"Grüße", L"\u4e2d\u6587", L"\U0001F600 smile", L"a\u00e9b"};
    for (const std::wstring& s : samples) {
        EXPECT_EQ(FromUtf8(ToUtf8(s)), s);
        EXPECT_EQ(FromUtf8(ToUtf8(s).c_str()), s);
    }
    EXPECT_EQ(ToUtf8(L"\u00fc"), "\xC3\xBC");
    EXPECT_EQ(ToUtf8(L"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(FromUtf8(static_cast<const char*>(nullptr)), L"");
    EXPECT_EQ(FromAnsi(ToAnsi(L"caf\u00e9")), L"caf\u00e9");  // in the ANSI code page
}

}  // namespace
