#include "schemamigrations.h"

#include "sqldatabase.h"
#include "sqlstatement.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace PennovaServer {

namespace {
struct Step
{
    int version;
    std::vector<const char *> statements;
};

// SQLite: version 1 is the schema of the single-process server (its version was kept
// in PRAGMA user_version, which is still written so that such servers refuse newer
// files); version 2 adds what several processes share.
const std::vector<Step> &sqliteSteps()
{
    static const std::vector<Step> steps = {
        {1,
         {
             "CREATE TABLE IF NOT EXISTS users("
             " id INTEGER PRIMARY KEY,"
             " name TEXT NOT NULL UNIQUE COLLATE NOCASE,"
             " email TEXT NOT NULL DEFAULT '' COLLATE NOCASE,"
             " password TEXT NOT NULL," // argon2id of the protocol's MD5 text
             " provider TEXT NOT NULL DEFAULT ''," // '' local, 'sina', 'qq'
             " created INTEGER NOT NULL)",
             "CREATE UNIQUE INDEX IF NOT EXISTS users_email ON users(email) WHERE email <> ''",
             // Sessions of older servers kept their keys in clear: they end (a new login follows).
             "DROP TABLE IF EXISTS sessions",
             "CREATE TABLE IF NOT EXISTS session_keys("
             " key_hash TEXT PRIMARY KEY," // BLAKE2b of the session key; the key itself is never stored
             " user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,"
             " created INTEGER NOT NULL,"
             " expires INTEGER NOT NULL) WITHOUT ROWID",
             "CREATE INDEX IF NOT EXISTS session_keys_expires ON session_keys(expires)",
             "CREATE INDEX IF NOT EXISTS session_keys_user ON session_keys(user_id)",
             "CREATE TABLE IF NOT EXISTS user_words("
             " id INTEGER PRIMARY KEY,"
             " user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,"
             " word TEXT NOT NULL,"
             " added INTEGER NOT NULL,"
             " UNIQUE(user_id, word))",
             // user_id 0 holds the anonymous uploads of the login phase.
             "CREATE TABLE IF NOT EXISTS usage_counts("
             " user_id INTEGER NOT NULL, grp TEXT NOT NULL, name TEXT NOT NULL, version TEXT NOT NULL,"
             " count INTEGER NOT NULL, PRIMARY KEY(user_id, grp, name, version)) WITHOUT ROWID",
             "CREATE TABLE IF NOT EXISTS error_logs("
             " user_id INTEGER NOT NULL, found TEXT NOT NULL, replacement TEXT NOT NULL,"
             " count INTEGER NOT NULL, PRIMARY KEY(user_id, found, replacement)) WITHOUT ROWID",
             "CREATE TABLE IF NOT EXISTS word_choices("
             " id INTEGER PRIMARY KEY, user_id INTEGER NOT NULL, sentence TEXT NOT NULL,"
             " word_idx INTEGER NOT NULL, word_length INTEGER NOT NULL, choose_word TEXT NOT NULL,"
             " created INTEGER NOT NULL)",
         }},
        {2,
         {
             // Names and addresses compare by a lower-case key (ASCII, as NOCASE did), the
             // same on both backends.
             "ALTER TABLE users ADD COLUMN name_key TEXT NOT NULL DEFAULT ''",
             "ALTER TABLE users ADD COLUMN email_key TEXT NOT NULL DEFAULT ''",
             "UPDATE users SET name_key = lower(name), email_key = lower(email)",
             "CREATE UNIQUE INDEX users_name_key ON users(name_key)",
             "CREATE UNIQUE INDEX users_email_key ON users(email_key) WHERE email_key <> ''",
             "CREATE TABLE IF NOT EXISTS feedback("
             " id INTEGER PRIMARY KEY,"
             " user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,"
             " text TEXT NOT NULL, contact TEXT NOT NULL, time INTEGER NOT NULL)",
             "CREATE TABLE word_budgets("
             " owner TEXT PRIMARY KEY, tokens INTEGER NOT NULL, updated INTEGER NOT NULL) WITHOUT ROWID",
             "CREATE TABLE login_failures("
             " kind INTEGER NOT NULL, subject TEXT NOT NULL, first_at INTEGER NOT NULL,"
             " last_at INTEGER NOT NULL, failures INTEGER NOT NULL, PRIMARY KEY(kind, subject)) WITHOUT ROWID",
             "CREATE INDEX login_failures_first ON login_failures(first_at)",
         }},
        {3,
         {
             "CREATE TABLE rate_windows("
             " scope TEXT NOT NULL, subject TEXT NOT NULL, first_at INTEGER NOT NULL, used INTEGER NOT NULL,"
             " PRIMARY KEY(scope, subject)) WITHOUT ROWID",
         }},
        {4,
         {
             "CREATE TABLE page_tokens("
             " token_hash TEXT PRIMARY KEY, session_hash TEXT NOT NULL, kind INTEGER NOT NULL,"
             " expires INTEGER NOT NULL) WITHOUT ROWID",
             "CREATE INDEX page_tokens_expires ON page_tokens(expires)",
         }},
    };
    return steps;
}

// PostgreSQL starts at version 2. Texts that are sorted compare byte-wise ("C"), as
// SQLite does.
const std::vector<Step> &postgresSteps()
{
    static const std::vector<Step> steps = {
        {2,
         {
             "CREATE TABLE users("
             " id BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,"
             " name TEXT NOT NULL, name_key TEXT NOT NULL UNIQUE,"
             " email TEXT NOT NULL DEFAULT '', email_key TEXT NOT NULL DEFAULT '',"
             " password TEXT NOT NULL, provider TEXT NOT NULL DEFAULT '', created BIGINT NOT NULL)",
             "CREATE UNIQUE INDEX users_email_key ON users(email_key) WHERE email_key <> ''",
             "CREATE TABLE session_keys("
             " key_hash TEXT PRIMARY KEY,"
             " user_id BIGINT NOT NULL REFERENCES users(id) ON DELETE CASCADE,"
             " created BIGINT NOT NULL, expires BIGINT NOT NULL)",
             "CREATE INDEX session_keys_expires ON session_keys(expires)",
             "CREATE INDEX session_keys_user ON session_keys(user_id)",
             "CREATE TABLE user_words("
             " id BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,"
             " user_id BIGINT NOT NULL REFERENCES users(id) ON DELETE CASCADE,"
             " word TEXT NOT NULL, added BIGINT NOT NULL, UNIQUE(user_id, word))",
             "CREATE TABLE usage_counts("
             " user_id BIGINT NOT NULL, grp TEXT NOT NULL, name TEXT COLLATE \"C\" NOT NULL,"
             " version TEXT NOT NULL, count BIGINT NOT NULL, PRIMARY KEY(user_id, grp, name, version))",
             "CREATE TABLE error_logs("
             " user_id BIGINT NOT NULL, found TEXT COLLATE \"C\" NOT NULL, replacement TEXT COLLATE \"C\" NOT NULL,"
             " count BIGINT NOT NULL, PRIMARY KEY(user_id, found, replacement))",
             "CREATE TABLE word_choices("
             " id BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY, user_id BIGINT NOT NULL,"
             " sentence TEXT NOT NULL, word_idx BIGINT NOT NULL, word_length BIGINT NOT NULL,"
             " choose_word TEXT NOT NULL, created BIGINT NOT NULL)",
             "CREATE TABLE feedback("
             " id BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,"
             " user_id BIGINT NOT NULL REFERENCES users(id) ON DELETE CASCADE,"
             " text TEXT NOT NULL, contact TEXT NOT NULL, time BIGINT NOT NULL)",
             "CREATE TABLE word_budgets(owner TEXT PRIMARY KEY, tokens BIGINT NOT NULL, updated BIGINT NOT NULL)",
             "CREATE TABLE login_failures("
             " kind BIGINT NOT NULL, subject TEXT NOT NULL, first_at BIGINT NOT NULL,"
             " last_at BIGINT NOT NULL, failures BIGINT NOT NULL, PRIMARY KEY(kind, subject))",
             "CREATE INDEX login_failures_first ON login_failures(first_at)",
         }},
        {3,
         {
             "CREATE TABLE rate_windows("
             " scope TEXT NOT NULL, subject TEXT NOT NULL, first_at BIGINT NOT NULL, used BIGINT NOT NULL,"
             " PRIMARY KEY(scope, subject))",
         }},
        {4,
         {
             "CREATE TABLE page_tokens("
             " token_hash TEXT PRIMARY KEY, session_hash TEXT NOT NULL, kind BIGINT NOT NULL,"
             " expires BIGINT NOT NULL)",
             "CREATE INDEX page_tokens_expires ON page_tokens(expires)",
         }},
    };
    return steps;
}

int storedVersion(SqlDatabase::Dialect dialect, SqlConnection &c)
{
    SqlStatement q(c, "SELECT version FROM schema_version");
    if (q.step())
        return int(q.integer(0));
    if (dialect == SqlDatabase::Dialect::Sqlite) {
        SqlStatement legacy(c, "PRAGMA user_version");
        if (legacy.step())
            return int(legacy.integer(0));
    }
    return 0;
}
} // namespace

int SchemaMigrations::knownVersion()
{
    return sqliteSteps().back().version;
}

void SchemaMigrations::apply(SqlDatabase &db)
{
    const SqlDatabase::Dialect dialect = db.dialect();
    const std::vector<Step> &steps = dialect == SqlDatabase::Dialect::Sqlite ? sqliteSteps() : postgresSteps();
    db.transaction([&](SqlConnection &c) {
        // Servers starting together on one PostgreSQL take turns (SQLite's BEGIN
        // IMMEDIATE already does); the lock ends with the transaction.
        if (dialect == SqlDatabase::Dialect::Postgres)
            SqlStatement(c, "SELECT pg_advisory_xact_lock(7364500)").step();
        SqlStatement(c, "CREATE TABLE IF NOT EXISTS schema_version(version INTEGER NOT NULL)").run();
        const int current = storedVersion(dialect, c);
        if (current > knownVersion())
            throw std::runtime_error("the database has schema version " + std::to_string(current)
                                     + ", newer than this server knows (" + std::to_string(knownVersion())
                                     + "); run a newer pennova-server");
        for (const Step &step : steps) {
            if (step.version <= current)
                continue;
            for (const char *sql : step.statements)
                SqlStatement(c, sql).run();
        }
        SqlStatement(c, "DELETE FROM schema_version").run();
        SqlStatement(c, "INSERT INTO schema_version(version) VALUES(?1)").bind(1, std::int64_t(knownVersion())).run();
        if (dialect == SqlDatabase::Dialect::Sqlite)
            SqlStatement(c, ("PRAGMA user_version=" + std::to_string(knownVersion())).c_str()).run();
    });
}

} // namespace PennovaServer
