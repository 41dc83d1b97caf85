#pragma once

namespace PennovaServer {

class SqlDatabase;

// The schema's versions, one step per version and backend, applied in order at start
// inside one transaction. The version reached is kept in the table schema_version; a
// database written by a newer server is refused, so that an old server never
// misreads or damages it.
class SchemaMigrations
{
public:
    static int knownVersion();
    // Brings the schema up to date; throws std::runtime_error (nothing changed) when the
    // database is newer than knownVersion() or a step fails.
    static void apply(SqlDatabase &db);
};

} // namespace PennovaServer
