#include "server/sqlite_db.h"

#include <sqlite3.h>

namespace zentrix::server {

namespace {
[[noreturn]] void Fail(sqlite3* db, std::string_view what) {
    throw ESqliteError(std::string(what) + ": " + (db ? sqlite3_errmsg(db) : "out of memory"));
}
}  // namespace

TStatement::TStatement(sqlite3* db, std::string_view sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr) !=
        SQLITE_OK)
        Fail(db, "prepare");
}

TStatement::~TStatement() {
    sqlite3_finalize(stmt_);
}

TStatement& TStatement::Bind(int index, std::string_view text) {
    if (sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT) != SQLITE_OK)
        Fail(db_, "bind");
    return *this;
}

TStatement& TStatement::Bind(int index, int64_t value) {
    if (sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK) Fail(db_, "bind");
    return *this;
}

bool TStatement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    Fail(db_, "step");
}

void TStatement::Run() {
    while (Step()) {
    }
}

std::string TStatement::Text(int column) const {
    const auto* p = sqlite3_column_text(stmt_, column);
    return p ? std::string(reinterpret_cast<const char*>(p),
                           static_cast<size_t>(sqlite3_column_bytes(stmt_, column)))
             : std::string();
}

int64_t TStatement::Int(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

double TStatement::Real(int column) const {
    return sqlite3_column_double(stmt_, column);
}

TSqliteDb::TSqliteDb(const std::string& fileName) {
    if (sqlite3_open_v2(fileName.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        throw ESqliteError("open " + fileName + ": " + message);
    }
    sqlite3_busy_timeout(db_, 5000);
}

TSqliteDb::~TSqliteDb() {
    sqlite3_close(db_);
}

void TSqliteDb::Exec(std::string_view sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, std::string(sql).c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "exec";
        sqlite3_free(error);
        throw ESqliteError(message);
    }
}

int64_t TSqliteDb::LastInsertId() const {
    return sqlite3_last_insert_rowid(db_);
}

int TSqliteDb::Changes() const {
    return sqlite3_changes(db_);
}

TTransaction::TTransaction(TSqliteDb& db) : db_(db) {
    db_.Exec("BEGIN IMMEDIATE");
}

TTransaction::~TTransaction() {
    if (!done_) try {
            db_.Exec("ROLLBACK");
        } catch (const std::exception&) {
        }
}

void TTransaction::Commit() {
    db_.Exec("COMMIT");
    done_ = true;
}

}  // namespace zentrix::server
