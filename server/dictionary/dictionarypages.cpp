#include "dictionarypages.h"

#include "cedictindex.h"
#include "lexicon.h"
#include "pronunciationcache.h"
#include "textgloss.h"
#include "wordforms.h"
#include "wordnetdictionary.h"

#include <QRegularExpression>

#include <algorithm>
#include <QString>
#include <QUrl>

#include "shippeddata.h"

namespace PennovaDictionary {

namespace {

constexpr std::size_t MaxChineseGlosses = 6;
constexpr std::size_t MaxSenses = 5;
constexpr std::size_t MaxSynonyms = 8;
constexpr int MaxDefinitionChars = 140;

using WordNet = PennovaChecker::WordNetDictionary;

struct PartOfSpeech
{
    WordForms::Pos bit;
    WordNet::Pos wordnet;
    const char *tag;
};
const PartOfSpeech Parts[] = {{WordForms::Noun, WordNet::Noun, "n. 名词"},
                              {WordForms::Verb, WordNet::Verb, "v. 动词"},
                              {WordForms::Adjective, WordNet::Adjective, "adj. 形容词"},
                              {WordForms::Adverb, WordNet::Adverb, "adv. 副词"}};

// Escaped for text and double-quoted attributes; bad UTF-8 becomes U+FFFD.
std::string esc(const std::string &text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size())).toHtmlEscaped().toStdString();
}

std::string page(const std::string &title, const std::string &body)
{
    return "<!DOCTYPE html>\n<html lang=\"zh-CN\"><head><meta charset=\"utf-8\">"
           "<title>" + esc(title) + "</title><style>"
           "body{font-family:\"微软雅黑\",\"WenQuanYi Micro Hei\",\"Noto Sans CJK SC\",sans-serif;font-size:13px;"
           "color:#333;margin:8px 12px;overflow-x:hidden;word-wrap:break-word}"
           "h1{font-size:22px;margin:0 8px 0 0;display:inline;color:#1d5e8c}"
           "h3{font-size:13px;color:#2a7ab0;border-bottom:1px solid #e3e8ec;margin:12px 0 4px;padding-bottom:2px}"
           ".level{background:#2a7ab0;color:#fff;border-radius:3px;padding:1px 5px;font-size:11px;margin-left:6px}"
           ".say{color:#2a7ab0;text-decoration:none;margin-left:4px}"
           ".form{color:#666;margin:4px 0}.en{color:#555}"
           // Pinyin tone marks (ǎ, ǚ) are missing from some CJK fonts.
           ".py{color:#b0502a;margin:0 6px;font-family:\"DejaVu Sans\",\"Noto Sans\",sans-serif}"
           ".tag{color:#888;font-style:italic;margin-right:6px}.ex{color:#777;margin:1px 0 3px}"
           "ul,ol{margin:2px 0;padding-left:22px}li{margin:2px 0}"
           ".line{line-height:1.3}.seg{display:inline-block;vertical-align:top;margin:0 3px 6px 0;text-align:center}"
           ".seg .src{display:block}.seg .gl{display:block;color:#b0502a;font-size:12px;min-height:14px}"
           ".seg.phrase .src{border-bottom:1px solid #b0502a}"
           ".note{background:#fff7e0;border:1px solid #f0d890;padding:4px 8px;margin:6px 0;color:#7a5b00}"
           ".src-note{color:#999;font-size:11px;margin-top:14px}"
           "</style></head><body>" + body + "</body></html>\n";
}

const char *const Credit = "<p class=\"src-note\">中文释义：CC-CEDICT（MDBG，CC BY-SA 4.0）；"
                           "英文释义、例句与同义词：WordNet 3.0（Princeton University）</p>";

// Collapsed white space, at most MaxContentBytes (cut at a character boundary).
std::string cleaned(const std::string &content, bool *cut)
{
    QString text = QString::fromUtf8(content.data(), qsizetype(std::min(content.size(), std::size_t(1) << 20)))
                       .simplified();
    *cut = false;
    QByteArray utf8 = text.toUtf8();
    if (std::size_t(utf8.size()) > DictionaryPages::MaxContentBytes) {
        qsizetype end = qsizetype(DictionaryPages::MaxContentBytes);
        while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
            --end;
        utf8.truncate(end);
        *cut = true;
    }
    return utf8.toStdString();
}

bool hasHan(const std::string &text)
{
    const QString s = QString::fromUtf8(text.data(), qsizetype(text.size()));
    for (const QChar c : s)
        if (c.script() == QChar::Script_Han)
            return true;
    return false;
}

bool isEnglishPhrase(const std::string &text, bool *single)
{
    static thread_local const QRegularExpression word(QStringLiteral("^[A-Za-z]+(['-][A-Za-z]+)*$"));
    static thread_local const QRegularExpression phrase(QStringLiteral("^[A-Za-z]+(['-][A-Za-z]+)*( [A-Za-z]+(['-][A-Za-z]+)*){1,5}$"));
    const QString s = QString::fromStdString(text);
    *single = word.match(s).hasMatch();
    return *single || phrase.match(s).hasMatch();
}

std::string lowerAscii(std::string s)
{
    for (char &c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

// Readable senses joined by "; ", cut after the last whole sense that fits.
std::string shortDefinitions(const std::string &definitions)
{
    QString d = QString::fromStdString(CedictIndex::readable(definitions)).replace(QLatin1Char('/'), QStringLiteral("; "));
    if (d.size() > MaxDefinitionChars) {
        const qsizetype cut = d.lastIndexOf(QStringLiteral("; "), MaxDefinitionChars);
        d = (cut > 0 ? d.left(cut) : d.left(MaxDefinitionChars)) + QStringLiteral("…");
    }
    return esc(d.toStdString());
}

// Whether the text holds one of the lower-case forms as whole words.
bool containsAny(const std::string &text, const std::vector<std::string> &forms)
{
    const std::string lower = lowerAscii(text);
    auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    for (const std::string &form : forms) {
        for (std::size_t at = lower.find(form); at != std::string::npos; at = lower.find(form, at + 1)) {
            const std::size_t end = at + form.size();
            if ((at == 0 || !letter(lower[at - 1])) && (end == lower.size() || !letter(lower[end])))
                return true;
        }
    }
    return false;
}

std::string entryItem(const CedictEntry &e)
{
    return "<li><b>" + esc(e.simplified) + "</b>"
           + (e.traditional != e.simplified ? " <span class=\"en\">(" + esc(e.traditional) + ")</span>" : "")
           + "<span class=\"py\">" + esc(CedictIndex::toneMarks(e.pinyin)) + "</span><span class=\"en\">"
           + shortDefinitions(e.definitions) + "</span></li>";
}

} // namespace

DictionaryPages::Paths DictionaryPages::defaultPaths(const std::string &dataDir)
{
    Paths p;
    p.cedict = PennovaChecker::ShippedData::folder(PennovaChecker::ShippedData::Dictionary) + "/cedict.tsv";
    p.chineseFrequency = "/usr/lib/python3/dist-packages/jieba/dict.txt";
    p.checkerData = PennovaChecker::ShippedData::folder(PennovaChecker::ShippedData::Checker);
    p.wordnet = "/usr/share/wordnet";
    p.audioCache = dataDir.empty() ? std::string() : dataDir + "/audio";
    return p;
}

DictionaryPages::DictionaryPages(const Paths &paths)
    : m_lexicon(std::make_unique<PennovaChecker::Lexicon>(paths.checkerData, paths.wordnet))
    , m_wordnet(std::make_unique<WordNet>(paths.wordnet))
    , m_cedict(std::make_unique<CedictIndex>(paths.cedict, paths.chineseFrequency))
    , m_forms(std::make_unique<WordForms>(*m_lexicon, paths.wordnet))
    , m_gloss(std::make_unique<TextGloss>(*m_cedict, *m_forms, m_wordnet.get()))
    , m_audio(std::make_unique<PronunciationCache>(paths.audioCache, paths.toolsDir))
{
}

DictionaryPages::~DictionaryPages() = default;

std::vector<std::string> DictionaryPages::chineseGlosses(const std::string &word, std::size_t max) const
{
    std::vector<std::string> out;
    for (const CedictEntry *e : m_gloss->entries(lowerAscii(word), max))
        out.push_back(e->simplified);
    return out;
}

std::string DictionaryPages::headword(const std::string &word) const
{
    return m_forms->headword(lowerAscii(word));
}

std::string DictionaryPages::searchTarget(const std::string &content, const std::string &engine)
{
    bool cut = false;
    const QByteArray query = QUrl::toPercentEncoding(QString::fromStdString(cleaned(content, &cut)));
    const std::string base = engine == "google" ? "https://www.google.com/" : "https://www.bing.com/";
    return query.isEmpty() ? base : base + "search?q=" + query.toStdString();
}

bool DictionaryPages::knownWord(const std::string &lower) const
{
    if (lower.empty())
        return false;
    if (m_cedict->hasEnglish(lower))
        return true;
    std::size_t start = 0;
    while (start < lower.size()) {
        std::size_t end = lower.find_first_of(" -", start);
        if (end == std::string::npos)
            end = lower.size();
        const std::string w = lower.substr(start, end - start);
        const bool known = w.empty() || m_lexicon->frequency(w) > 0 || m_lexicon->posMask(w) != 0
            || m_cedict->hasEnglish(w) || !m_forms->lemmas(w).empty();
        if (!known)
            return false;
        start = end + 1;
    }
    return true;
}

std::string DictionaryPages::pronunciation(const std::string &lower) const
{
    return knownWord(lower) ? m_audio->mp3(lower) : std::string();
}

std::string DictionaryPages::pronunciationLink(const std::string &lower) const
{
    if (!m_audio->available() || !PronunciationCache::speakable(lower) || !knownWord(lower))
        return {};
    return "<a class=\"say\" title=\"发音\" href=\"" + std::string(AudioPath) + PronunciationCache::fileName(lower)
           + "\">&#9654; 发音</a>";
}

std::string DictionaryPages::findPage(const std::string &content) const
{
    bool cut = false;
    const std::string text = cleaned(content, &cut);
    if (text.empty())
        return page("查词", "<p>请输入要查的单词、词组或句子。</p>");
    const std::string cutNote = cut ? "<p class=\"note\">内容过长，只查了前面的部分。</p>" : "";
    if (hasHan(text))
        return page(text, cutNote + (m_cedict->chinese(text).empty() ? glossLine(text) : chineseEntry(text)));
    bool single = false;
    if (isEnglishPhrase(text, &single)) {
        const std::string lower = lowerAscii(text);
        const bool known = single || m_cedict->hasEnglish(lower)
            || !m_wordnet->senses(lower, WordNet::Verb, 1).empty() || !m_wordnet->senses(lower, WordNet::Noun, 1).empty();
        if (known)
            return page(text, cutNote + wordEntry(lower, text));
    }
    return page(text, cutNote + glossLine(text) + Credit);
}

std::string DictionaryPages::translatePage(const std::string &content) const
{
    bool cut = false;
    const std::string text = cleaned(content, &cut);
    if (text.empty())
        return page("释义", "<p>请输入要翻译的句子。</p>");
    return page(text, std::string(cut ? "<p class=\"note\">内容过长，只释义了前面的部分。</p>" : "")
                          + "<p class=\"note\">以下是逐词、逐短语的释义，不是完整的翻译，请结合上下文理解。</p>"
                          + glossLine(text) + Credit);
}

std::string DictionaryPages::wordEntry(const std::string &lower, const std::string &typed) const
{
    const std::string head = m_forms->headword(lower);
    std::string body = "<div><h1>" + esc(head) + "</h1>" + pronunciationLink(head);
    static const char *const levels[] = {"", "A1", "A2", "B1", "B2", "C1", "C2"};
    const int level = m_lexicon->cefrLevel(head);
    if (level >= 1 && level <= 6)
        body += "<span class=\"level\" title=\"CEFR 词汇等级\">" + std::string(levels[level]) + "</span>";
    body += "</div>";
    if (head != lower) {
        std::string names;
        for (const WordForms::Lemma &l : m_forms->lemmas(lower))
            if (l.base == head && names.find(l.form) == std::string::npos)
                names += (names.empty() ? "" : "、") + l.form;
        body += "<p class=\"form\">" + esc(typed) + " 是 " + esc(head) + " 的" + (names.empty() ? "变形" : names)
                + "。</p>";
    }
    const std::string verb = m_forms->participleVerb(head);
    if (!verb.empty()) {
        std::string names;
        for (const WordForms::Lemma &l : m_forms->lemmas(head))
            if (l.base == verb && names.find(l.form) == std::string::npos)
                names += (names.empty() ? "" : "、") + l.form;
        body += "<p class=\"form\">形容词；也是动词 " + esc(verb) + " 的" + (names.empty() ? "变形" : names) + "。</p>";
    }

    bool found = false;
    const std::vector<const CedictEntry *> entries = m_gloss->entries(lower, MaxChineseGlosses);
    if (!entries.empty()) {
        found = true;
        body += "<h3>中文释义</h3><ul>";
        for (const CedictEntry *e : entries)
            body += entryItem(*e);
        body += "</ul>";
    }

    std::string english, synonyms;
    const std::vector<std::string> headForms = formsOf(head);
    for (const PartOfSpeech &part : Parts) {
        const std::vector<WordNet::Sense> senses = m_wordnet->senses(head, part.wordnet, MaxSenses);
        if (senses.empty())
            continue;
        english += "<div><span class=\"tag\">" + std::string(part.tag) + "</span><ol>";
        for (const WordNet::Sense &s : senses) {
            english += "<li>" + esc(s.definition);
            int shown = 0;
            for (const std::string &example : s.examples)
                if (shown < 2 && containsAny(example, headForms)) {
                    english += "<div class=\"ex\">例：" + esc(example) + "</div>";
                    ++shown;
                }
            english += "</li>";
        }
        english += "</ol></div>";
        // Synonyms of the first three senses, in sense order; an adjective without any
        // shows its similar adjectives ("interesting": absorbing, fascinating).
        std::string list;
        std::vector<std::string> seen;
        auto add = [&](const std::string &w) {
            if (seen.size() < MaxSynonyms && std::find(seen.begin(), seen.end(), w) == seen.end()) {
                list += (seen.empty() ? "" : ", ") + esc(w);
                seen.push_back(w);
            }
        };
        for (std::size_t i = 0; i < senses.size() && i < 3; ++i)
            for (const std::string &w : senses[i].words)
                add(w);
        if (seen.empty() && part.wordnet == WordNet::Adjective)
            for (const WordNet::Synonym &s : m_wordnet->synonyms(head, WordNet::Adjective))
                if (s.sense < 3)
                    add(s.word);
        if (!list.empty())
            synonyms += "<div><span class=\"tag\">" + std::string(part.tag).substr(0, std::string(part.tag).find(' '))
                        + "</span>" + list + "</div>";
    }
    if (!english.empty()) {
        found = true;
        body += "<h3>英文释义</h3>" + english;
    }
    std::string forms;
    for (const WordForms::Inflection &i : m_forms->inflections(head))
        forms += "<span class=\"tag\">" + esc(i.name) + "</span><b>" + esc(i.word) + "</b>　";
    if (!forms.empty())
        body += "<h3>词形变化</h3><p>" + forms + "</p>";
    if (!synonyms.empty())
        body += "<h3>同义词</h3>" + synonyms;
    if (!found)
        body += "<p>没有找到“" + esc(typed) + "”的释义。请检查拼写。</p>";
    return body + Credit;
}

std::vector<std::string> DictionaryPages::formsOf(const std::string &head) const
{
    // A phrase inflects its first word ("looked after").
    const std::size_t space = head.find(' ');
    const std::string first = head.substr(0, space);
    const std::string rest = space == std::string::npos ? std::string() : head.substr(space);
    std::vector<std::string> forms{head};
    for (const WordForms::Inflection &i : m_forms->inflections(first))
        forms.push_back(i.word + rest);
    return forms;
}

std::string DictionaryPages::chineseEntry(const std::string &text) const
{
    std::string body = "<div><h1>" + esc(text) + "</h1></div><h3>英文释义</h3><ul>";
    for (const CedictEntry *e : m_cedict->chinese(text))
        body += entryItem(*e);
    return body + "</ul>" + Credit;
}

std::string DictionaryPages::glossLine(const std::string &text) const
{
    // Said plainly: the line glosses word by word; it is no translation.
    std::string line = "<h3>逐词释义</h3><div class=\"line\">";
    for (const TextGloss::Segment &s : m_gloss->segments(text)) {
        if (s.kind == TextGloss::Segment::Other && s.text.find_first_not_of(' ') == std::string::npos) {
            line += " ";
            continue;
        }
        line += std::string("<span class=\"seg") + (s.kind == TextGloss::Segment::Phrase ? " phrase" : "")
                + "\"><span class=\"src\">" + esc(s.text) + "</span><span class=\"gl\">"
                + (s.pinyin.empty() ? "" : "<span class=\"py\">" + esc(s.pinyin) + "</span> ") + esc(s.gloss) + "</span></span>";
    }
    return line + "</div>";
}

} // namespace PennovaDictionary
