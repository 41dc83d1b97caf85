#pragma once

#include <cstdint>
#include <string>

namespace PennovaServer {

// One prepared, parameterised statement of a backend. Parameters are bound by position
// (1-based, written ?1, ?2 ... in the SQL); text is UTF-8. Errors throw std::runtime_error.
class SqlQuery
{
public:
    virtual ~SqlQuery() = default;

    virtual void bind(int index, const std::string &text) = 0;
    virtual void bind(int index, std::int64_t value) = 0;
    virtual void bindNull(int index) = 0;

    // Advances one row: true while a row is available, false when done.
    virtual bool step() = 0;
    // Runs a statement that returns no rows; the number of rows it changed.
    virtual std::int64_t run() = 0;
    // Makes the statement ready for new bindings.
    virtual void reset() = 0;

    virtual std::int64_t integer(int column) const = 0;
    virtual std::string text(int column) const = 0;
    virtual bool isNull(int column) const = 0;
};

} // namespace PennovaServer
