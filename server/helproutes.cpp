#include "helproutes.h"

#include "htmlpage.h"
#include "httpreplies.h"
#include "routepattern.h"

#include <httplib.h>

#include <string>

namespace PennovaServer {

namespace {
struct Topic
{
    const char *slug; // "/Help/<slug>"
    const char *title;
    const char *body; // HTML
};

const Topic Topics[] = {
    {"Check", "检查文章",
     "<p>把英文文章粘贴或输入到主窗口的文本框中，点击<b>检查</b>（或“视图 → 检查”，快捷键 Ctrl+Alt+C）。"
     "Pennova 把文章分句送到服务器检查，检查中可以点<b>取消</b>。</p>"
     "<p>找到的问题在正文中用颜色标出，右侧的纠错面板逐条列出：拼写、语法、标点和文体问题，并给出改法和解释。"
     "对每一条可以<b>改正</b>、<b>忽略</b>或<b>忽略同样错误</b>；拼写问题还可以<b>加入我的词库</b>，以后不再标出。"
     "在正文中右键单击标出的词，也能看到同样的选项。</p>"
     "<p>“视图”菜单中的<b>上一个错误</b>（F3）和<b>下一个错误</b>（F4）在问题之间跳转，"
     "<b>全部改正</b>（Ctrl+Alt+A）一次采用所有改法。检查完毕后会弹出统计窗口（可在“设置 → 纠错设置”中关闭）。</p>"
     "<p>纠错灵敏度（低、中、高）在“设置 → 纠错设置”中选择：灵敏度越高，提出的修改越多，也可能多一些误报。</p>"},
    {"Polish", "润色",
     "<p>在“视图”菜单中选择<b>润色</b>模式，再点<b>润色</b>，Pennova 为文中的词语提出更丰富、更地道的说法。</p>"
     "<p>每条建议可以<b>采纳</b>、<b>忽略</b>或<b>忽略同样润色</b>；<b>全部采纳</b>一次采用所有建议。"
     "切换回<b>纠错</b>模式即可继续查看纠错结果。</p>"
     "<p>润色程度（轻度修饰、中度修饰、重度修饰）和建议的显示样式在“设置 → 润色设置”中选择：程度越高，建议越多。</p>"},
    {"Guide", "写作向导",
     "<p>“文件 → 写作向导”打开模板目录，左上方的搜索框可按名称查找模板。</p>"
     "<p><b>蓝色图标</b>是高灵活度模板：中英对照的范文，每段都可以换一种写法；方括号中的关键词换成自己的内容，"
     "常用句型可以拖进正文。写完后可以导出文本，也可以直接送回主窗口纠错或润色。</p>"
     "<p><b>绿色图标</b>是低灵活度模板：格式固定的 Word 文档（如请假条、通知、简历）。选择文档，在右侧填写各个关键词，"
     "点<b>导出</b>保存为 .docx，填写的内容已写入文档。勾选“设置 → 显示设置”中的“导出模板后自动打开”，导出后会直接打开文档。</p>"},
    {"Dictionary", "词典",
     "<p>“视图 → 词典”打开词典面板。输入单词后按回车查词，输入整句按回车得到翻译；按 Ctrl+Enter 用必应或谷歌搜索。</p>"
     "<p>查到的单词旁有<b>&#9654; 发音</b>，点击收听读音（电脑需有声音输出设备）。"
     "<b>对比</b>可以输入几个字词或句子对比查询；<b>锁定</b>让面板停在原处，不随主窗口移动。</p>"
     "<p>在正文中右键单击一个词，菜单中的<b>查词</b>会在词典面板中查出它。</p>"},
    {"WordList", "我的词库",
     "<p>我的词库中的单词在检查时不再标为拼写错误，适合人名、地名和专业词汇。</p>"
     "<p>加入单词：检查后在纠错面板或正文的右键菜单中点<b>加入我的词库</b>。"
     "查看和删除：“用户 → 我的词库”打开个人词库页面，可以加入或删除单词；“设置 → 纠错设置 → 编辑我的词库”也列出词库中的单词。</p>"
     "<p>词库保存在服务器上，换一台电脑登录同一帐号也能使用。</p>"},
    {"Documents", "打开与保存文档",
     "<p>“文件 → 打开文档”（Ctrl+O）把文档的文字读入文本框：支持文本文档（.txt）和 Word 文档（.docx）；"
     ".doc、.odt 和 .rtf 需要电脑上安装 LibreOffice。</p>"
     "<p>“文件 → 保存文档”（Ctrl+S）把文本框的内容保存为文本文档（.txt）或 Word 文档（.docx、.doc）。</p>"
     "<p>“编辑”菜单中的<b>复制全文</b>（Ctrl+Alt+V）把全文复制到剪贴板，<b>清除</b>（Ctrl+Alt+X）清空文本框。</p>"},
    {"Preferences", "设置",
     "<p>“文件 → 设置”打开设置窗口，左侧分六页：</p><ul>"
     "<li><b>常规设置</b>：启动时显示 Pennova 助手和引导气泡、关闭主面板时隐藏到通知区域或退出程序、"
     "处理完一处自动跳到下一处、Ctrl+数字键改正错误，以及各项快捷键。</li>"
     "<li><b>显示设置</b>：文本框的字体、字号和颜色，写作向导的导出选项。</li>"
     "<li><b>纠错设置</b>：纠错灵敏度、显示哪些类型的错误、检查完毕是否弹出统计窗口、编辑我的词库。</li>"
     "<li><b>润色设置</b>：润色程度和建议的显示样式。</li>"
     "<li><b>网络连接</b>：代理设置和网络诊断。</li>"
     "<li><b>软件升级</b>：自动安装、通知后由您选择，或仅在当前版本不可用时通知；也可以立即检查更新。</li></ul>"
     "<p>“应用”立即生效，“重置当前”把本页恢复为默认值。</p>"},
};

std::string topicPage(const Topic &topic)
{
    return HtmlPage::page(topic.title, std::string("<p class=\"nav\"><a href=\"/Help\">帮助中心</a></p><h2>")
                                           + topic.title + "</h2>" + topic.body);
}

std::string indexPage()
{
    std::string body = "<h2>帮助中心</h2><p>Pennova 帮您检查英文写作中的拼写、语法和文体问题，并提供润色、写作模板和词典。"
                       "请选择一个主题：</p><ul>";
    for (const Topic &topic : Topics)
        body += std::string("<li><a href=\"/Help/") + topic.slug + "\">" + topic.title + "</a></li>";
    return HtmlPage::page("帮助中心", body + "</ul>");
}

std::string videoPage()
{
    std::string body = "<h2>视频教程</h2><p>本服务器没有提供视频教程。</p>"
                       "<p>每项功能的使用方法都写在帮助中心的文字说明中：</p><ul>";
    for (const Topic &topic : Topics)
        body += std::string("<li><a href=\"/Help/") + topic.slug + "\">" + topic.title + "</a></li>";
    return HtmlPage::page("视频教程", body + "</ul><p><a href=\"/Help\">进入帮助中心</a></p>");
}
} // namespace

void HelpRoutes::install(httplib::Server &server)
{
    server.Get(RoutePattern::caseless("/Help", "/?"), [](const httplib::Request &, httplib::Response &res) {
        HttpReplies::html(res, 200, indexPage());
    });
    server.Get(RoutePattern::caseless("/Help/Index1", "/?"), [](const httplib::Request &, httplib::Response &res) {
        HttpReplies::html(res, 200, videoPage());
    });
    for (const Topic &topic : Topics) {
        server.Get(RoutePattern::caseless(std::string("/Help/") + topic.slug, "/?"),
                   [&topic](const httplib::Request &, httplib::Response &res) {
                       HttpReplies::html(res, 200, topicPage(topic));
                   });
    }
}

} // namespace PennovaServer
