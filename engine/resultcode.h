#pragma once

#include <QString>
#include <QtGlobal>

namespace ZeltraLib {

// Result codes of the account services. The services answer with the code word; every
// Finished signal with an int argument carries one of these values. Success is -1, not 0.
struct ResultCode
{
    enum Value : qint32 {
        Success = -1,
        Failure = 0,
        UndefinedError = 999,
        LogicError = 1000,
        UserNotExit = 1001,
        UserNameExist = 1002,
        UserNameDontMatchRule = 1003,
        UserEmailExist = 1004,
        UserEmailDontMatchRule = 1005,
        UserPasswordDontMatchRule = 1006,
        UserNameEmpty = 1007,
        UserEmailEmpty = 1008,
        UserEmailToolLong = 1009,
        UserLogined = 1010,
        SystemError = 2000,
        NetworkError = 2100,
        DatabaseError = 2200,
        SessionError = 2300,
    };

    // The value of a code word, matched exactly; Failure (0) for any other word.
    static qint32 fromWord(const QString &word);
    // The code word of a value; empty for a value that has none.
    static QString word(qint32 code);
};

// Account states, from the words "registered", "active" and "disabled"; 0 for any other word.
struct UserState
{
    enum Value : qint32 {
        Unknown = 0,
        Registered = 1,
        Active = 2,
        Disabled = 3,
    };

    static qint32 fromWord(const QString &word);
};

} // namespace ZeltraLib
