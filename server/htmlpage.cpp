#include "htmlpage.h"

namespace PennovaServer {

std::string HtmlPage::escape(const std::string &text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char ch : text) {
        switch (ch) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += ch;
        }
    }
    return out;
}

std::string HtmlPage::page(const std::string &title, const std::string &bodyHtml)
{
    return "<!DOCTYPE html>\n<html lang=\"zh-CN\"><head><meta charset=\"utf-8\">"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
           "<title>" + escape(title) + " - Pennova</title>"
           "<style>"
           "body{font-family:\"微软雅黑\",\"WenQuanYi Micro Hei\",sans-serif;margin:0;background:#f4f6f8;color:#333}"
           "header{background:#2a7ab0;color:#fff;padding:14px 24px;font-size:20px}"
           "main{max-width:640px;margin:24px auto;background:#fff;padding:24px;border-radius:6px}"
           "label{display:block;margin:10px 0 4px}"
           "input[type=text],input[type=password]{width:100%;box-sizing:border-box;padding:6px}"
           "button{margin-top:16px;padding:8px 24px;background:#2a7ab0;color:#fff;border:0;border-radius:4px}"
           ".error{color:#c0392b}.note{color:#777;font-size:13px}"
           "</style></head><body><header>Pennova 英语写作辅助</header><main>"
           + bodyHtml + "</main></body></html>\n";
}

} // namespace PennovaServer
