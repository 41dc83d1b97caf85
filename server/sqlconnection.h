#pragma once

#include "sqlquery.h"

#include <memory>

namespace PennovaServer {

// One connection of a backend, held by one thread at a time (SqlDatabase hands it out).
class SqlConnection
{
public:
    virtual ~SqlConnection() = default;
    virtual std::unique_ptr<SqlQuery> prepare(const char *sql) = 0;
};

} // namespace PennovaServer
