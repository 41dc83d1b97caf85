#include "checkmessages.h"

#include "checktask.h"
#include "custommessagebox.h"

#include <QNetworkReply>

namespace {

const QString TooManyWordsTitle = QStringLiteral("提交词数过多");
const QString PerMinuteText = QStringLiteral("Pennova每分钟最多检查30,000个单词\n您提交的总词数过多，请稍候。");

} // namespace

void CheckMessages::showWordLimit(QWidget *parent, WordCountLimit::Verdict verdict, int secondsLeft,
                                  int wordsLeft)
{
    if (verdict == WordCountLimit::Allowed)
        return;
    if (verdict == WordCountLimit::TooManyForOneCheck) {
        CustomMessageBox box(TooManyWordsTitle,
                             QStringLiteral("Pennova每次最多检查10,000个单词\n请减少文章的词数后再检查。"),
                             parent);
        box.exec();
        return;
    }
    CustomMessageBox box(TooManyWordsTitle, PerMinuteText, parent);
    box.startCountDown(secondsLeft, wordsLeft);
    box.exec();
}

CheckMessages::Choice CheckMessages::showFinish(QWidget *parent, int finishCode, bool polish,
                                                bool nothingFound)
{
    switch (finishCode) {
    case QNetworkReply::NoError:
        if (nothingFound) {
            CustomMessageBox box(QStringLiteral("检查完成"),
                                 polish ? QStringLiteral("您好，Pennova暂未发现需要润色之处。\n"
                                                         "建议您选择右键菜单中的“可替换词”\n进行手动润色。")
                                        : QStringLiteral("您好，Pennova暂无纠错建议。"),
                                 parent);
            box.exec();
        }
        return NoChoice;
    case QNetworkReply::OperationCanceledError:
        return NoChoice;
    case QNetworkReply::AuthenticationRequiredError: {
        CustomMessageBox box(QStringLiteral("提示"), QStringLiteral("您的账户已下线"),
                             QStringLiteral("重新登录"), QStringLiteral("返回"), parent);
        return box.exec() == QDialog::Accepted ? Relogin : NoChoice;
    }
    case ZeltraLib::CheckTask::WordBudgetSpentError: {
        // The service's own count of this minute's words; how long it waits is its own.
        CustomMessageBox box(TooManyWordsTitle, PerMinuteText, parent);
        box.exec();
        return NoChoice;
    }
    case 299:
        if (polish) {
            CustomMessageBox box(QStringLiteral("请注意！"),
                                 QStringLiteral("您输入的文本过短，或大部分属于\n直接引用（在引号内）\n"
                                                "请调整后再使用润色功能。"),
                                 parent);
            box.exec();
            return NoChoice;
        }
        break;
    default:
        break;
    }
    CustomMessageBox box(QStringLiteral("错误"),
                         finishCode == QNetworkReply::TimeoutError ? QStringLiteral("连接服务器超时，请重试！")
                                                                   : QStringLiteral("无法连接到服务器，请重试！"),
                         QStringLiteral("网络诊断"), QStringLiteral("确定"), parent);
    return box.exec() == QDialog::Accepted ? Diagnosis : NoChoice;
}

bool CheckMessages::showWordListRefusal(QWidget *parent, ZeltraLib::UserInformation::AddWordResult result)
{
    using Result = ZeltraLib::UserInformation::AddWordResult;
    if (result != Result::TooLong && result != Result::ListFull)
        return true;
    const QString text = result == Result::TooLong
        ? QStringLiteral("单词过长，无法加入我的词库（最多 %1 个字符）。").arg(ZeltraLib::UserInformation::MaxWordChars)
        : QStringLiteral("我的词库已满（最多 %1 个单词），请先在个人主页中删除不用的单词。")
              .arg(ZeltraLib::UserInformation::MaxWords);
    CustomMessageBox box(QStringLiteral("提示"), text, parent);
    box.exec();
    return false;
}

void CheckMessages::showWordQueueError(QWidget *parent, const QString &detail)
{
    CustomMessageBox box(QStringLiteral("提示"),
                         QStringLiteral("未能读取尚未上传到“我的词库”的单词，该文件已损坏并已另存：\n%1\n"
                                        "我的词库中的其他单词不受影响。")
                             .arg(detail),
                         parent);
    box.exec();
}
