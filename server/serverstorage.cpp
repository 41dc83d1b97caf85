#include "serverstorage.h"

#include "postgresdatabase.h"
#include "sqlitedatabase.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <stdexcept>

namespace PennovaServer {

namespace {
const std::string &preparedDirectory(const std::string &dataDir)
{
    const QString dir = QString::fromStdString(dataDir);
    if (dataDir.empty() || !QDir().mkpath(dir))
        throw std::runtime_error("cannot create the data directory " + dataDir);
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return dataDir;
}

std::unique_ptr<SqlDatabase> openDatabase(const ServerOptions &options)
{
    const std::string &dataDir = preparedDirectory(options.dataDir);
    if (options.database.empty())
        return std::make_unique<SqliteDatabase>(ServerStorage::databaseFile(dataDir));
    return std::make_unique<PostgresDatabase>(options.database, options.databaseConnections);
}
} // namespace

std::string ServerStorage::databaseFile(const std::string &dataDir)
{
    return dataDir + "/pennova.db";
}

ServerStorage::ServerStorage(const ServerOptions &options, SessionStore::Clock clock)
    : m_db(openDatabase(options))
    , m_hasher(options.fastPasswordHash, options.passwordHashers, options.maxHashWaiters, options.hashWaitMs)
    , m_accounts(*m_db, m_hasher)
    , m_sessions(*m_db, options.sessionLifetimeSeconds, std::move(clock))
    , m_pageTokens(*m_db, m_sessions)
    , m_words(*m_db)
    , m_usage(*m_db)
    , m_feedback(*m_db)
{
}

ServerStorage::~ServerStorage() = default;

} // namespace PennovaServer
