#pragma once

#include "sqlconnection.h"

#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

namespace PennovaServer {

// The server's shared store: SQLite in the data folder, or PostgreSQL for several
// processes. The stores write SQL both backends understand; what differs (the schema's
// types, locking) is asked of dialect().
class SqlDatabase
{
public:
    enum class Dialect { Sqlite, Postgres };

    virtual ~SqlDatabase() = default;
    virtual Dialect dialect() const = 0;

    // Runs f(SqlConnection &) with a connection of its own.
    template<typename F>
    auto locked(F &&f)
    {
        return call(false, f);
    }

    // Runs f(SqlConnection &) inside one transaction; an exception rolls it back and propagates.
    template<typename F>
    auto transaction(F &&f)
    {
        return call(true, f);
    }

protected:
    virtual void withConnection(bool transaction, const std::function<void(SqlConnection &)> &body) = 0;

private:
    template<typename F>
    auto call(bool transaction, F &f)
    {
        using Result = decltype(f(std::declval<SqlConnection &>()));
        if constexpr (std::is_void_v<Result>) {
            withConnection(transaction, [&f](SqlConnection &c) { f(c); });
        } else {
            std::optional<Result> result;
            withConnection(transaction, [&f, &result](SqlConnection &c) { result.emplace(f(c)); });
            return std::move(*result);
        }
    }
};

} // namespace PennovaServer
