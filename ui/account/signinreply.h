#pragma once

#include <QString>

class QUrl;

// The end of a third-party sign-in: the account service finishes on "/loginedbysina.ashx"
// or "/loginedbyqq.ashx" with the text "Success|<session key>|<user name>;...".
struct SignInReply
{
    enum Outcome {
        NotFinal, // another page of the flow: just show it
        Accepted, // a session: sessionKey and userName are set
        Rejected, // the final page without a session
    };

    Outcome outcome = NotFinal;
    QString sessionKey;
    QString userName;

    // The first page of the flow: provider 0 Sina Weibo, 1 QQ; `accountHost` is "host:port".
    static QString startUrl(const QString &accountHost, int provider);
    // Whether `url` is one of the two final pages (path compared without regard to case).
    static bool isFinalPage(const QUrl &url);
    // Reads a loaded page: NotFinal for any other path; on a final page, Accepted when the
    // text has at least 3 parts split at "|" and part 0 ends with "Success", else Rejected.
    static SignInReply read(const QUrl &url, const QString &pageText);
};
