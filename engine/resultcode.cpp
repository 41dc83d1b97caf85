#include "resultcode.h"

#include <QHash>

namespace ZeltraLib {

namespace {

// Filled once, on first use; never changed afterwards.
const QHash<QString, qint32> &resultCodeTable()
{
    static const QHash<QString, qint32> table = {
        {QStringLiteral("Success"), ResultCode::Success},
        {QStringLiteral("Failure"), ResultCode::Failure},
        {QStringLiteral("UndefinedError"), ResultCode::UndefinedError},
        {QStringLiteral("LogicError"), ResultCode::LogicError},
        {QStringLiteral("UserNotExit"), ResultCode::UserNotExit},
        {QStringLiteral("UserNameExist"), ResultCode::UserNameExist},
        {QStringLiteral("UserNameDontMatchRule"), ResultCode::UserNameDontMatchRule},
        {QStringLiteral("UserEmailExist"), ResultCode::UserEmailExist},
        {QStringLiteral("UserEmailDontMatchRule"), ResultCode::UserEmailDontMatchRule},
        {QStringLiteral("UserPasswordDontMatchRule"), ResultCode::UserPasswordDontMatchRule},
        {QStringLiteral("UserNameEmpty"), ResultCode::UserNameEmpty},
        {QStringLiteral("UserEmailEmpty"), ResultCode::UserEmailEmpty},
        {QStringLiteral("UserEmailToolLong"), ResultCode::UserEmailToolLong},
        {QStringLiteral("UserLogined"), ResultCode::UserLogined},
        {QStringLiteral("SystemError"), ResultCode::SystemError},
        {QStringLiteral("NetworkError"), ResultCode::NetworkError},
        {QStringLiteral("DatabaseError"), ResultCode::DatabaseError},
        {QStringLiteral("SessionError"), ResultCode::SessionError},
    };
    return table;
}

const QHash<QString, qint32> &userStateTable()
{
    static const QHash<QString, qint32> table = {
        {QStringLiteral("registered"), UserState::Registered},
        {QStringLiteral("active"), UserState::Active},
        {QStringLiteral("disabled"), UserState::Disabled},
    };
    return table;
}

} // namespace

qint32 ResultCode::fromWord(const QString &word)
{
    return resultCodeTable().value(word, Failure);
}

QString ResultCode::word(qint32 code)
{
    const auto &table = resultCodeTable();
    for (auto it = table.cbegin(); it != table.cend(); ++it) {
        if (it.value() == code)
            return it.key();
    }
    return QString();
}

qint32 UserState::fromWord(const QString &word)
{
    return userStateTable().value(word, Unknown);
}

} // namespace ZeltraLib
