#pragma once

#include "sqlquery.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct pg_result;

namespace PennovaServer {

class PostgresConnection;

// A statement run through libpq with its parameters sent apart from the SQL (never
// spliced into it). Executes at the first step() or run(); rows come as text.
class PostgresQuery : public SqlQuery
{
public:
    // connection is borrowed and outlives the query.
    PostgresQuery(PostgresConnection &connection, std::string sql);
    ~PostgresQuery() override;

    void bind(int index, const std::string &text) override;
    void bind(int index, std::int64_t value) override;
    void bindNull(int index) override;
    bool step() override;
    std::int64_t run() override;
    void reset() override;
    std::int64_t integer(int column) const override;
    std::string text(int column) const override;
    bool isNull(int column) const override;

    // The SQL with SQLite's ?N placeholders written as PostgreSQL's $N.
    static std::string postgresPlaceholders(const std::string &sql);

private:
    struct ResultDeleter
    {
        void operator()(pg_result *result) const;
    };

    void set(int index, std::optional<std::string> value, unsigned type);
    void execute();

    PostgresConnection &m_connection;
    std::string m_sql;
    std::vector<std::optional<std::string>> m_values;
    std::vector<unsigned> m_types; // parameter type oids; 0 = let the server infer
    std::unique_ptr<pg_result, ResultDeleter> m_result;
    int m_row = -1;
};

} // namespace PennovaServer
