#include "rulefileparser.h"

#include "lexicon.h"
#include "tokenizer.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace PennovaChecker {

namespace {

std::string trimmed(const std::string &s)
{
    const size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return {};
    const size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

bool validId(const std::string &id)
{
    if (id.empty() || id.size() > 100)
        return false;
    for (const char c : id)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '_'
              || c == '-'))
            return false;
    return true;
}

bool validType(const std::string &t)
{
    for (const char *known : {"GRAMMAR", "REAL", "MOPHOLOGY", "STYLE", "SUGGESTION", "NONWORD", "IMPROVE"})
        if (t == known)
            return true;
    return false;
}

bool validKey(const std::string &k)
{
    if (k.empty() || k.size() > 60)
        return false;
    for (const char c : k)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'))
            return false;
    return true;
}

// One item of a pattern, without marks and "?": false with a reason when it is not one.
bool parseItem(const std::string &s, PatternItem *item, std::string *why)
{
    if (s == "^") {
        item->kind = PatternItem::SentenceStart;
        return true;
    }
    if (s == "$") {
        item->kind = PatternItem::SentenceEnd;
        return true;
    }
    if (s == "<clause>") {
        item->kind = PatternItem::ClauseStart;
        return true;
    }
    if (s.rfind("skip:", 0) == 0) {
        const std::string n = s.substr(5);
        if (n.empty() || n.size() > 2 || n.find_first_not_of("0123456789") != std::string::npos
            || std::stoi(n) < 1 || std::stoi(n) > RuleFileParser::MaxSkip) {
            *why = "skip needs a count from 1 to " + std::to_string(RuleFileParser::MaxSkip) + ": '" + s + "'";
            return false;
        }
        item->kind = PatternItem::Skip;
        item->maxSkip = std::stoi(n);
        return true;
    }
    if (s[0] == '@') {
        if (s == "@verb")
            item->kind = PatternItem::VerbBase;
        else if (s == "@noun")
            item->kind = PatternItem::Noun;
        else if (s == "@word")
            item->kind = PatternItem::AnyWord;
        else if (s == "@number")
            item->kind = PatternItem::AnyNumber;
        else if (s == "@punct")
            item->kind = PatternItem::AnyPunct;
        else {
            *why = "unknown word class '" + s + "' (@verb, @noun, @word, @number or @punct; a named class is class:NAME)";
            return false;
        }
        return true;
    }
    if (s.rfind("class:", 0) == 0) {
        if (!WordClasses::byName(s.substr(6), &item->wordClass)) {
            std::string known;
            for (const std::string &name : WordClasses::names())
                known += (known.empty() ? "" : ", ") + name;
            *why = "unknown word class '" + s.substr(6) + "' (" + known + ")";
            return false;
        }
        item->kind = PatternItem::Class;
        return true;
    }
    if (s.rfind("lemma:", 0) == 0) {
        const std::string lemma = Tokenizer::toLower(s.substr(6));
        if (lemma.empty() || lemma.find_first_of("{}[]/") != std::string::npos) {
            *why = "a lemma is one word: '" + s + "'";
            return false;
        }
        item->kind = PatternItem::Lemma;
        item->text = lemma;
        return true;
    }
    if (s.rfind("pos:", 0) == 0) {
        const std::string name = s.substr(4);
        item->kind = PatternItem::PartOfSpeech;
        if (name == "noun")
            item->pos = Lexicon::Noun;
        else if (name == "verb")
            item->pos = Lexicon::Verb;
        else if (name == "adj")
            item->pos = Lexicon::Adjective;
        else if (name == "adv")
            item->pos = Lexicon::Adverb;
        else {
            *why = "unknown part of speech '" + s + "' (pos:noun, pos:verb, pos:adj or pos:adv)";
            return false;
        }
        return true;
    }
    if (s.rfind("tag:", 0) == 0) {
        if (s.size() == 4) {
            *why = "empty tag";
            return false;
        }
        item->kind = PatternItem::Tag;
        item->text = s.substr(4);
        return true;
    }
    if (s[0] == '{') {
        item->kind = PatternItem::WordSet;
        std::istringstream words(s.substr(1, s.size() - 2));
        std::string w;
        while (words >> w)
            item->words.insert(Tokenizer::toLower(w));
        if (item->words.empty()) {
            *why = "empty word set";
            return false;
        }
        item->noteWords();
        return true;
    }
    if (s[0] == '/') {
        const size_t close = s.rfind('/');
        const std::string flags = s.substr(close + 1);
        if (close == 0 || (flags != "" && flags != "i")) {
            *why = "a regular expression is written /.../ or /.../i: '" + s + "'";
            return false;
        }
        try {
            auto options = std::regex::ECMAScript | std::regex::optimize;
            if (flags == "i")
                options |= std::regex::icase;
            item->regex = std::regex(s.substr(1, close - 1), options);
        } catch (const std::regex_error &) {
            *why = "bad regular expression '" + s + "'";
            return false;
        }
        item->kind = PatternItem::Regex;
        item->text = s.substr(1, close - 1); // the source, for the engine's index
        return true;
    }
    if (s[0] == '=') {
        if (s.size() == 1) {
            *why = "'=' needs a word";
            return false;
        }
        item->kind = PatternItem::Literal;
        item->text = s.substr(1);
        return true;
    }
    if (s.find_first_of("<>") != std::string::npos) {
        *why = "unknown item '" + s + "'";
        return false;
    }
    item->kind = PatternItem::Word;
    item->text = Tokenizer::toLower(s);
    return true;
}

} // namespace

bool RuleFileParser::parsePattern(const std::string &text, RulePattern *out, std::string *why)
{
    RulePattern p;
    int open = -1, close = -1;
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
            continue;
        }
        if (text[i] == '[') {
            if (open >= 0) {
                *why = "a second '['";
                return false;
            }
            open = int(p.items.size());
            ++i;
            continue;
        }
        if (text[i] == ']') {
            *why = "']' without an item before it";
            return false;
        }
        bool optional = false;
        if (text[i] == '?' && i + 1 < n && text[i + 1] != ' ') {
            optional = true;
            ++i;
        }
        bool attached = false;
        if (text[i] == '~' && i + 1 < n && text[i + 1] != ' ') {
            attached = true;
            ++i;
        }
        // one or more conditions on the same token joined by '&', each maybe negated by '!'
        std::vector<PatternItem> conditions;
        const size_t itemBegin = i;
        for (;;) {
            const bool negated = text[i] == '!' && i + 1 < n && text[i + 1] != ' ' && text[i + 1] != '\t'
                && text[i + 1] != ']';
            if (negated)
                ++i;
            const size_t begin = i;
            if (text[i] == '{') {
                const size_t end = text.find('}', i);
                if (end == std::string::npos) {
                    *why = "'{' without '}'";
                    return false;
                }
                i = end + 1;
            } else if (text[i] == '/') {
                size_t k = i + 1;
                while (k < n && text[k] != '/')
                    k += text[k] == '\\' ? 2 : 1;
                if (k >= n) {
                    *why = "'/' without a closing '/'";
                    return false;
                }
                i = k + 1;
                if (i < n && text[i] == 'i')
                    ++i;
            } else {
                while (i < n && text[i] != ' ' && text[i] != '\t' && !((text[i] == ']' || text[i] == '&') && i > begin))
                    ++i;
            }
            if (i - itemBegin > MaxItemChars) {
                *why = "an item longer than " + std::to_string(MaxItemChars) + " characters";
                return false;
            }
            PatternItem condition;
            if (!parseItem(text.substr(begin, i - begin), &condition, why))
                return false;
            const bool joined = i < n && text[i] == '&';
            if ((negated || joined || !conditions.empty())
                && (condition.zeroWidth() || condition.kind == PatternItem::Skip)) {
                *why = "'!' and '&' take conditions on one token: '" + text.substr(itemBegin, i - itemBegin) + "'";
                return false;
            }
            condition.negated = negated;
            conditions.push_back(std::move(condition));
            if (!joined)
                break;
            if (++i >= n || text[i] == ' ' || text[i] == '\t' || text[i] == ']') {
                *why = "'&' without a condition after it";
                return false;
            }
        }
        PatternItem item = std::move(conditions.front());
        for (size_t c = 1; c < conditions.size(); ++c)
            item.also.push_back(std::move(conditions[c]));
        if (optional && (item.zeroWidth() || item.kind == PatternItem::Skip)) {
            *why = "'?' before an item that may match nothing already";
            return false;
        }
        if (attached && (item.zeroWidth() || item.kind == PatternItem::Skip)) {
            *why = "'~' before an item that matches no token of its own";
            return false;
        }
        item.optional = optional;
        item.attached = attached;
        p.items.push_back(std::move(item));
        const auto count = [&p](auto pred) { return int(std::count_if(p.items.begin(), p.items.end(), pred)); };
        if (count([](const PatternItem &x) { return x.kind == PatternItem::Skip; }) > MaxSkipItems
            || count([](const PatternItem &x) { return x.optional; }) > MaxOptionalItems) {
            *why = "more than " + std::to_string(MaxSkipItems) + " skip or " + std::to_string(MaxOptionalItems)
                + " optional items";
            return false;
        }
        if (int(p.items.size()) > MaxItems) {
            *why = "more than " + std::to_string(MaxItems) + " items";
            return false;
        }
        if (i < n && text[i] == ']') {
            if (open < 0 || close >= 0) {
                *why = "']' without '['";
                return false;
            }
            close = int(p.items.size()) - 1;
            ++i;
        }
    }
    if (p.items.empty()) {
        *why = "empty pattern";
        return false;
    }
    if ((open >= 0) != (close >= 0) || (open >= 0 && close < open)) {
        *why = "'[' without ']'";
        return false;
    }
    p.markFirst = open >= 0 ? open : 0;
    p.markLast = close >= 0 ? close : int(p.items.size()) - 1;
    while (p.markFirst < p.markLast && p.items[size_t(p.markFirst)].zeroWidth())
        ++p.markFirst;
    while (p.markLast > p.markFirst && p.items[size_t(p.markLast)].zeroWidth())
        --p.markLast;
    const PatternItem &first = p.items[size_t(p.markFirst)];
    const PatternItem &last = p.items[size_t(p.markLast)];
    if (first.zeroWidth() || first.optional || first.kind == PatternItem::Skip || last.optional
        || last.kind == PatternItem::Skip) {
        *why = "the marked span must begin and end with an item that matches a token";
        return false;
    }
    *out = std::move(p);
    return true;
}

bool RuleFileParser::parseSuggestion(const std::string &text, std::vector<SuggestionPart> *out, std::string *why)
{
    std::vector<SuggestionPart> parts;
    SuggestionPart literal;
    for (size_t i = 0; i < text.size();) {
        if (text[i] != '\\') {
            literal.text.push_back(text[i++]);
            continue;
        }
        if (i + 1 >= text.size() || text[i + 1] < '1' || text[i + 1] > '9') {
            *why = "'\\' must be followed by an item number 1-9";
            return false;
        }
        if (!literal.text.empty())
            parts.push_back(literal);
        literal = SuggestionPart();
        SuggestionPart ref;
        ref.ref = text[i + 1] - '0';
        i += 2;
        if (i < text.size() && text[i] == ':') {
            size_t e = i + 1;
            while (e < text.size() && text[e] >= 'a' && text[e] <= 'z')
                ++e;
            const std::string form = text.substr(i + 1, e - i - 1);
            if (form == "ing")
                ref.inflection = SuggestionPart::Ing;
            else if (form == "s")
                ref.inflection = SuggestionPart::ThirdPerson;
            else if (form == "past")
                ref.inflection = SuggestionPart::Past;
            else if (form == "pp")
                ref.inflection = SuggestionPart::Participle;
            else {
                *why = "unknown form '" + form + "' (ing, s, past or pp)";
                return false;
            }
            i = e;
        }
        parts.push_back(ref);
    }
    if (!literal.text.empty())
        parts.push_back(literal);
    *out = std::move(parts);
    return true;
}

bool RuleFileParser::parseExample(const std::string &text, RuleExample *out, std::string *why)
{
    const size_t arrow = text.rfind("=>");
    if (arrow == std::string::npos) {
        *why = "a wrong example is written 'sentence with <span> => correction'";
        return false;
    }
    const std::string sentence = trimmed(text.substr(0, arrow));
    const size_t open = sentence.find('<');
    const size_t close = sentence.find('>');
    if (open == std::string::npos || close == std::string::npos || close < open + 2
        || sentence.find('<', open + 1) != std::string::npos || sentence.find('>', close + 1) != std::string::npos) {
        *why = "a wrong example marks its span once with <...>";
        return false;
    }
    out->span = sentence.substr(open + 1, close - open - 1);
    out->at = open;
    out->sentence = sentence.substr(0, open) + out->span + sentence.substr(close + 1);
    out->correction = trimmed(text.substr(arrow + 2));
    return true;
}

bool RuleFileParser::finish(DataRule *rule, std::string *why)
{
    if (rule->explain.empty())
        *why = "rule " + rule->id + " has no explain";
    else if (rule->certainty == 0)
        *why = "rule " + rule->id + " has no certainty";
    else if (rule->patterns.empty())
        *why = "rule " + rule->id + " has no pattern";
    else if (rule->suggestion.empty() && !rule->deletion)
        *why = "rule " + rule->id + " has no suggest";
    else if (rule->wrong.empty())
        *why = "rule " + rule->id + " has no wrong example";
    else if (!rule->page.empty()
             && (rule->page.title.empty() || rule->page.about.empty() || rule->page.summary.empty()))
        *why = "rule " + rule->id + " gives part of a page: it needs title, about and summary";
    if (!why->empty())
        return false;
    for (const RulePattern &p : rule->patterns) {
        std::vector<SuggestionPart> parts = rule->suggestion;
        for (const std::vector<SuggestionPart> &more : rule->alternatives)
            parts.insert(parts.end(), more.begin(), more.end());
        for (const SuggestionPart &s : parts) {
            if (s.ref == 0)
                continue;
            if (s.ref > int(p.items.size()) || p.items[size_t(s.ref) - 1].zeroWidth()) {
                *why = "bad back-reference \\" + std::to_string(s.ref) + " in rule " + rule->id;
                return false;
            }
        }
        if (rule->deletion
            && (p.markFirst != p.markLast || p.items[size_t(p.markFirst)].kind == PatternItem::Skip)) {
            *why = "rule " + rule->id + " deletes, so its span must be one item";
            return false;
        }
    }
    return true;
}

bool RuleFileParser::parse(const std::string &text, const std::string &fileName, std::vector<DataRule> *rules,
                           std::string *error)
{
    std::string family = fileName.substr(fileName.find_last_of('/') + 1);
    if (family.size() > 6 && family.compare(family.size() - 6, 6, ".rules") == 0)
        family.resize(family.size() - 6);
    auto fail = [&](int line, const std::string &why) {
        *error = fileName + ":" + std::to_string(line) + ": " + why;
        return false;
    };
    if (text.size() > MaxFileBytes)
        return fail(1, "file larger than " + std::to_string(MaxFileBytes) + " bytes");
    if (text.find('\0') != std::string::npos)
        return fail(1, "not a text file");

    std::vector<DataRule> parsed;
    std::unordered_set<std::string> ids;
    std::istringstream in(text);
    std::string raw;
    int lineNo = 0;
    std::string why;
    while (std::getline(in, raw)) {
        ++lineNo;
        const std::string line = trimmed(raw);
        if (line.empty() || line[0] == '#')
            continue;
        const size_t gap = line.find_first_of(" \t");
        const std::string key = line.substr(0, gap);
        const std::string value = gap == std::string::npos ? std::string() : trimmed(line.substr(gap));
        if (!validKey(key))
            return fail(lineNo, "not a 'key value' line");
        if (key == "rule") {
            if (!parsed.empty() && !finish(&parsed.back(), &why))
                return fail(parsed.back().line, why);
            if (!validId(value))
                return fail(lineNo, "bad rule id '" + value + "'");
            if (!ids.insert(value).second)
                return fail(lineNo, "rule " + value + " is defined twice");
            if (int(parsed.size()) >= MaxRules)
                return fail(lineNo, "more than " + std::to_string(MaxRules) + " rules");
            DataRule r;
            r.id = value;
            r.family = family;
            r.file = fileName;
            r.line = lineNo;
            parsed.push_back(std::move(r));
            continue;
        }
        if (parsed.empty())
            return fail(lineNo, "'" + key + "' before the first 'rule'");
        DataRule &r = parsed.back();
        if (value.empty())
            return fail(lineNo, "'" + key + "' without a value");
        if (key == "explain") {
            if (!validKey(value))
                return fail(lineNo, "bad explanation key '" + value + "'");
            r.explain = value;
        } else if (key == "type") {
            if (!validType(value))
                return fail(lineNo, "unknown error type '" + value + "'");
            r.errorType = value;
        } else if (key == "certainty") {
            if (value != "1" && value != "2" && value != "3")
                return fail(lineNo, "certainty is 1, 2 or 3");
            r.certainty = value[0] - '0';
        } else if (key == "pattern" || key == "unless") {
            RulePattern p;
            if (!parsePattern(value, &p, &why))
                return fail(lineNo, why);
            (key == "pattern" ? r.patterns : r.exceptions).push_back(std::move(p));
        } else if (key == "suggest") {
            if (!r.suggestion.empty() || r.deletion)
                return fail(lineNo, "a second 'suggest'");
            if (value == "-") {
                r.deletion = true;
                continue;
            }
            // alternatives, the likeliest first: "feel | felt"
            std::vector<std::string> texts;
            for (size_t from = 0;;) {
                const size_t bar = value.find('|', from);
                texts.push_back(trimmed(value.substr(from, bar == std::string::npos ? bar : bar - from)));
                if (bar == std::string::npos)
                    break;
                from = bar + 1;
            }
            for (size_t k = 0; k < texts.size(); ++k) {
                std::vector<SuggestionPart> parts;
                if (texts[k].empty() || texts[k] == "-")
                    return fail(lineNo, "an alternative of 'suggest' is empty or a deletion");
                if (!parseSuggestion(texts[k], &parts, &why))
                    return fail(lineNo, why);
                if (k == 0)
                    r.suggestion = std::move(parts);
                else
                    r.alternatives.push_back(std::move(parts));
            }
        } else if (key == "wrong") {
            RuleExample e;
            if (!parseExample(value, &e, &why))
                return fail(lineNo, why);
            e.line = lineNo;
            r.wrong.push_back(std::move(e));
        } else if (key == "clean") {
            r.clean.push_back(value);
        } else if (key == "title" || key == "about" || key == "summary") {
            std::string &field = key == "title" ? r.page.title : key == "about" ? r.page.about : r.page.summary;
            if (!field.empty())
                return fail(lineNo, "a second '" + key + "'");
            field = value;
        } else {
            return fail(lineNo, "unknown key '" + key + "'");
        }
    }
    if (!parsed.empty() && !finish(&parsed.back(), &why))
        return fail(parsed.back().line, why);
    for (DataRule &r : parsed)
        rules->push_back(std::move(r));
    return true;
}

bool RuleFileParser::parseFile(const std::string &path, std::vector<DataRule> *rules, std::string *error)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        *error = path + ":0: cannot read the file";
        return false;
    }
    if (size_t(st.st_size) > MaxFileBytes) {
        *error = path + ":1: file larger than " + std::to_string(MaxFileBytes) + " bytes";
        return false;
    }
    std::ifstream f(path, std::ios::binary);
    std::stringstream buffer;
    buffer << f.rdbuf();
    if (!f && !f.eof()) {
        *error = path + ":0: cannot read the file";
        return false;
    }
    return parse(buffer.str(), path, rules, error);
}

} // namespace PennovaChecker
