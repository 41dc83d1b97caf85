#include "ruleengine.h"

#include "lexicon.h"
#include "rulefileparser.h"
#include "rulesupport.h"
#include "tokenizer.h"

#include <algorithm>
#include <filesystem>

namespace PennovaChecker {

namespace {

// Only the first letter is a capital: "Last", not "USA" or "iPhone".
bool sentenceCapital(const Token &t)
{
    if (!t.isCapitalised() || t.text.size() < 2)
        return false;
    return std::none_of(t.text.begin() + 1, t.text.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

bool endsSentence(const Token &t)
{
    return t.kind == Token::Punct && (t.text == "." || t.text == "!" || t.text == "?");
}

constexpr size_t MaxRegexToken = 64;

bool isQuoteMark(const Token &t)
{
    return t.kind == Token::Punct && (t.text == "\"" || t.text == "'" || t.text == "\xE2\x80\x9C");
}

bool endsWith(const std::string &s, const char *suffix)
{
    const size_t n = std::char_traits<char>::length(suffix);
    return s.size() > n + 1 && s.compare(s.size() - n, n, suffix) == 0;
}

// The verb of a regular form the verb tables do not list ("boring", "satisfied", "relaxes"):
// a verb of the dictionary whose form it is. Empty when there is none.
std::string regularBase(const Lexicon &lex, const std::string &form)
{
    std::string stem;
    for (const char *suffix : {"ing", "ed", "es", "s"})
        if (endsWith(form, suffix)) {
            stem = form.substr(0, form.size() - std::char_traits<char>::length(suffix));
            break;
        }
    if (stem.empty())
        return {};
    const std::string candidates[] = {
        stem, stem + "e", stem.back() == 'i' ? stem.substr(0, stem.size() - 1) + "y" : std::string(),
        stem.size() > 2 && stem.back() == stem[stem.size() - 2] ? stem.substr(0, stem.size() - 1) : std::string()};
    for (const std::string &c : candidates)
        if (!c.empty() && lex.isPos(c, Lexicon::Verb)
            && (lex.ingOf(c) == form || lex.pastOf(c) == form || lex.participleOf(c) == form
                || lex.thirdPerson(c) == form))
            return c;
    return {};
}

std::string inflected(const Lexicon &lex, const std::string &lower, SuggestionPart::Inflection how)
{
    std::string base = lex.isCommonVerbBase(lower) ? lower : lex.baseOf(lower);
    if (base.empty())
        base = regularBase(lex, lower);
    if (base.empty())
        base = lower;
    switch (how) {
    case SuggestionPart::Ing:
        return lex.ingOf(base);
    case SuggestionPart::ThirdPerson:
        return lex.thirdPerson(base);
    case SuggestionPart::Past:
        return lex.pastOf(base);
    case SuggestionPart::Participle:
        return lex.participleOf(base);
    case SuggestionPart::AsWritten:
        break;
    }
    return lower;
}

// The lower-case words an expression made of plain alternatives can match ("USA|UK|[Ii]nternet":
// letters, digits, apostrophes and hyphens, with [..] classes of letters and digits), so that a rule
// opening on it is tried only at those words; false for any other expression.
bool literalWords(const std::string &re, std::vector<std::string> *words)
{
    constexpr size_t MaxForms = 64;
    std::string body = re;
    if (body.size() > 2 && body.front() == '(' && body.back() == ')')
        body = body.substr(1, body.size() - 2);
    const auto plain = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '\'' || c == '-';
    };
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= body.size()) {
        size_t end = body.find('|', start);
        if (end == std::string::npos)
            end = body.size();
        std::vector<std::string> forms{std::string()};
        for (size_t i = start; i < end; ++i) {
            std::string choices;
            if (plain(body[i])) {
                choices = std::string(1, lower(body[i]));
            } else if (body[i] == '[') {
                const size_t close = body.find(']', i);
                if (close == std::string::npos || close > end || close == i + 1)
                    return false;
                for (size_t k = i + 1; k < close; ++k) {
                    if (!plain(body[k]) || body[k] == '-' || body[k] == '\'')
                        return false; // a range or a negation: no short list
                    if (choices.find(lower(body[k])) == std::string::npos)
                        choices += lower(body[k]);
                }
                i = close;
            } else {
                return false;
            }
            std::vector<std::string> longer;
            for (const std::string &f : forms)
                for (const char c : choices)
                    longer.push_back(f + c);
            if (longer.size() > MaxForms)
                return false;
            forms = std::move(longer);
        }
        if (forms.front().empty())
            return false; // an empty alternative matches no word we could list
        out.insert(out.end(), forms.begin(), forms.end());
        start = end + 1;
    }
    if (out.size() > MaxForms)
        return false;
    words->insert(words->end(), out.begin(), out.end());
    return true;
}

} // namespace

void RuleEngine::loadFolder(const std::string &folder)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        return;
    std::vector<std::string> files;
    for (const fs::directory_entry &e : fs::directory_iterator(folder, ec))
        if (e.path().extension() == ".rules")
            files.push_back(e.path().string());
    std::sort(files.begin(), files.end());
    if (int(files.size()) > RuleFileParser::MaxFilesPerFolder) {
        m_errors.push_back(folder + ": more than " + std::to_string(RuleFileParser::MaxFilesPerFolder)
                           + " rule files; the rest are left out");
        files.resize(size_t(RuleFileParser::MaxFilesPerFolder));
    }
    for (const std::string &f : files) {
        std::vector<DataRule> rules;
        std::string error;
        if (RuleFileParser::parseFile(f, &rules, &error))
            add(std::move(rules));
        else
            m_errors.push_back(error);
    }
}

void RuleEngine::add(std::vector<DataRule> rules)
{
    for (DataRule &r : rules) {
        auto same = std::find_if(m_rules.begin(), m_rules.end(), [&](const DataRule &o) { return o.id == r.id; });
        if (same != m_rules.end()) {
            *same = std::move(r);
        } else {
            m_ids.insert(r.id);
            m_rules.push_back(std::move(r));
        }
    }
    buildIndex();
}

void RuleEngine::buildIndex()
{
    // the lower-case words a pattern's first item can match; false when it is no word list
    const auto startWords = [](const RulePattern &p, std::vector<std::string> *words) {
        // a sentence or clause start takes no token: the word at the position is the next item's
        size_t at = 0;
        while (at < p.items.size()
               && (p.items[at].kind == PatternItem::SentenceStart || p.items[at].kind == PatternItem::ClauseStart))
            ++at;
        if (at == p.items.size())
            return false;
        const PatternItem &first = p.items[at];
        if (first.optional || first.negated)
            return false;
        switch (first.kind) {
        case PatternItem::Word:
            words->push_back(first.text);
            return true;
        case PatternItem::Literal:
            words->push_back(Tokenizer::toLower(first.text));
            return true;
        case PatternItem::WordSet:
            words->insert(words->end(), first.words.begin(), first.words.end());
            return true;
        case PatternItem::Regex:
            return literalWords(first.text, words);
        case PatternItem::Class:
            if (WordClasses::ofLemmas(first.wordClass))
                return false;
            words->insert(words->end(), WordClasses::words(first.wordClass).begin(),
                          WordClasses::words(first.wordClass).end());
            return true;
        default:
            return false;
        }
    };
    m_index.clear();
    m_families.clear();
    for (const DataRule &r : m_rules)
        if (std::find(m_families.begin(), m_families.end(), r.family) == m_families.end())
            m_families.push_back(r.family);
    for (size_t k = 0; k < m_rules.size(); ++k) {
        FamilyIndex &family = m_index[m_rules[k].family];
        std::vector<std::string> words;
        bool listed = true;
        for (const RulePattern &p : m_rules[k].patterns)
            listed = listed && startWords(p, &words);
        if (!listed) {
            family.anywhere.push_back(k);
            continue;
        }
        for (const std::string &w : words) {
            std::vector<size_t> &rules = family.byWord[w];
            if (rules.empty() || rules.back() != k)
                rules.push_back(k);
        }
    }
}

void RuleEngine::run(const std::string &family, const Tokens &t, const Tags &tags, const Lexicon &lexicon,
                     std::vector<Finding> *out, const RuleEngine *shadow) const
{
    const auto found = m_index.find(family);
    if (found == m_index.end())
        return;
    const FamilyIndex &index = found->second;
    const bool someOff = !m_disabled.empty() || shadow;
    const auto runs = [&](size_t k) {
        const DataRule &r = m_rules[k];
        return !someOff || (!m_disabled.count(r.id) && !(shadow && shadow->shadows(r.id)));
    };
    const Sentence sentence{t, tags, lexicon};
    static const std::vector<size_t> none;
    for (int i = 0; i < int(t.size()); ++i) {
        const std::vector<size_t> *listed = index.byWord.find(t[size_t(i)].lower);
        const std::vector<size_t> &byWord = listed ? *listed : none;
        // both lists in file order: the rules run in the order they were written
        size_t a = 0, b = 0;
        while (a < byWord.size() || b < index.anywhere.size()) {
            const bool fromWord = b >= index.anywhere.size() || (a < byWord.size() && byWord[a] < index.anywhere[b]);
            const size_t k = fromWord ? byWord[a++] : index.anywhere[b++];
            if (runs(k))
                apply(m_rules[k], sentence, i, out);
        }
    }
}

const DataRule *RuleEngine::pageRule(const std::string &explain) const
{
    for (const DataRule &r : m_rules)
        if (r.explain == explain && !r.page.empty())
            return &r;
    return nullptr;
}

bool RuleEngine::apply(const DataRule &r, const Sentence &s, int pos, std::vector<Finding> *out) const
{
    const Tokens &t = s.t;
    std::vector<std::pair<int, int>> spans;
    int end = 0;
    for (const RulePattern &p : r.patterns) {
        if (!matchAt(p, s, pos, &spans, &end))
            continue;
        if (cancelled(r, s, pos, end))
            return false;
        const int first = spans[size_t(p.markFirst)].first;
        const int last = spans[size_t(p.markLast)].second - 1;
        if (r.deletion) {
            Finding f;
            if (!RuleSupport::deletion(t, first, r.errorType.c_str(), r.explain.c_str(), r.certainty, &f))
                return false;
            out->push_back(std::move(f));
            return true;
        }
        // the original's capital is kept only where it starts the sentence; inside it, it is a
        // name's own ("in USA" -> "in the USA")
        int before = first - 1;
        while (before >= 0 && t[size_t(before)].kind == Token::Punct && !endsSentence(t[size_t(before)]))
            --before;
        const bool opening = before < 0 || endsSentence(t[size_t(before)]);
        // a capital the first word has only for starting the sentence: a describing word
        // ("Last one" -> "The last one"), never a name ("USA", "Internet", "Middle East")
        const Token &lead = t[size_t(first)];
        const bool describing = s.lexicon.isPos(lead.lower, Lexicon::Adjective) || s.lexicon.isPos(lead.lower, Lexicon::Adverb);
        const int positional =
            opening && describing && sentenceCapital(lead) && !RuleSupport::tagIs(s.tags, first, "NNP") ? first : -1;
        const std::string text = suggestion(r, t, spans, s.lexicon, positional);
        Finding f = RuleSupport::replace(t, first, last, text, r.errorType.c_str(), r.explain.c_str(), r.certainty);
        if (!opening)
            f.candidates.front().correction = text;
        // each alternative ranks half as high as the one before it
        for (const std::vector<SuggestionPart> &more : r.alternatives) {
            Candidate c = f.candidates.back();
            const std::string alternative = suggestion(more, t, spans, s.lexicon, positional);
            c.correction = opening ? RuleSupport::caseLike(t[size_t(first)], alternative) : alternative;
            c.score /= 2;
            f.candidates.push_back(std::move(c));
        }
        out->push_back(std::move(f));
        return true;
    }
    return false;
}

bool RuleEngine::cancelled(const DataRule &r, const Sentence &s, int first, int end) const
{
    std::vector<std::pair<int, int>> spans;
    for (const RulePattern &p : r.exceptions)
        for (int j = 0; j < int(s.t.size()); ++j) {
            int e = 0;
            if (matchAt(p, s, j, &spans, &e) && j < end && first < std::max(e, j + 1))
                return true;
        }
    return false;
}

bool RuleEngine::matchAt(const RulePattern &p, const Sentence &s, int pos, std::vector<std::pair<int, int>> *spans,
                         int *end) const
{
    // most rules fail on their first word: no need to set anything up for them
    const PatternItem &first = p.items.front();
    if (!first.optional && !first.zeroWidth() && first.kind != PatternItem::Skip
        && (pos >= int(s.t.size()) || !tokenMatches(first, s, pos)))
        return false;
    spans->assign(p.items.size(), {pos, pos});
    return step(p, 0, s, pos, spans, end);
}

bool RuleEngine::step(const RulePattern &p, size_t k, const Sentence &s, int pos,
                      std::vector<std::pair<int, int>> *spans, int *end) const
{
    const Tokens &t = s.t;
    if (k == p.items.size()) {
        *end = pos;
        return true;
    }
    const PatternItem &item = p.items[k];
    const int n = int(t.size());
    switch (item.kind) {
    case PatternItem::SentenceStart:
        for (int b = 0; b < pos; ++b)
            if (!isQuoteMark(t[size_t(b)]))
                return false;
        (*spans)[k] = {pos, pos};
        return step(p, k + 1, s, pos, spans, end);
    case PatternItem::ClauseStart: {
        const bool starts = pos == 0 || t[size_t(pos) - 1].kind != Token::Word || t[size_t(pos) - 1].lower == "and"
            || t[size_t(pos) - 1].lower == "but" || t[size_t(pos) - 1].lower == "so";
        (*spans)[k] = {pos, pos};
        return starts && step(p, k + 1, s, pos, spans, end);
    }
    case PatternItem::SentenceEnd:
        (*spans)[k] = {pos, pos};
        return pos == n && step(p, k + 1, s, pos, spans, end);
    case PatternItem::Skip:
        for (int j = 0; j <= item.maxSkip; ++j) {
            (*spans)[k] = {pos, pos + j};
            if (step(p, k + 1, s, pos + j, spans, end))
                return true;
            const int next = pos + j;
            if (next >= n || t[size_t(next)].kind != Token::Word || RuleSupport::clauseBoundary(t[size_t(next)]))
                return false;
        }
        return false;
    default:
        break;
    }
    if (pos < n && tokenMatches(item, s, pos)) {
        (*spans)[k] = {pos, pos + 1};
        if (step(p, k + 1, s, pos + 1, spans, end))
            return true;
    }
    if (!item.optional)
        return false;
    (*spans)[k] = {pos, pos};
    return step(p, k + 1, s, pos, spans, end);
}

bool RuleEngine::tokenMatches(const PatternItem &item, const Sentence &s, int pos) const
{
    if (item.attached && s.t[size_t(pos)].spaceBefore)
        return false;
    if (holds(item, s, pos) == item.negated)
        return false;
    for (const PatternItem &c : item.also)
        if (holds(c, s, pos) == c.negated)
            return false;
    return true;
}

bool RuleEngine::holds(const PatternItem &item, const Sentence &s, int pos) const
{
    const Token &tok = s.t[size_t(pos)];
    switch (item.kind) {
    case PatternItem::Word:
        return tok.lower == item.text;
    case PatternItem::Literal:
        return tok.text == item.text;
    case PatternItem::WordSet:
        return tok.kind == Token::Word && item.mayHold(tok.lower) && item.words.count(tok.lower) != 0;
    case PatternItem::Tag:
        return RuleSupport::tagIs(s.tags, pos, item.text.c_str());
    case PatternItem::VerbBase:
        return tok.kind == Token::Word && s.lexicon.isCommonVerbBase(tok.lower);
    case PatternItem::Noun:
        return tok.kind == Token::Word && s.lexicon.isPos(tok.lower, Lexicon::Noun);
    case PatternItem::PartOfSpeech:
        return tok.kind == Token::Word && s.lexicon.isPos(tok.lower, Lexicon::Pos(item.pos));
    case PatternItem::Class:
        if (tok.kind != Token::Word)
            return false;
        if (WordClasses::contains(item.wordClass, tok.lower))
            return true;
        // a class of verbs: any form ("enjoyed", "postponing")
        return WordClasses::ofLemmas(item.wordClass) && s.lexicon.formInClass(item.wordClass, tok.lower);
    case PatternItem::Lemma:
        // the token's lemma (tokens from the checker carry one), or a regular form of the
        // verb where the verb tables do not know it ("relied", "specializes")
        if (tok.kind != Token::Word)
            return false;
        if (tok.lemma == item.text || tok.lower == item.text
            || (tok.lemma.empty() && s.lexicon.baseOf(tok.lower) == item.text))
            return true;
        // a regular form begins like its verb and is longer (the cheap test first: this runs at every word)
        return tok.lower[0] == item.text[0] && tok.lower.size() > item.text.size()
            && (tok.lower == s.lexicon.thirdPerson(item.text) || tok.lower == s.lexicon.pastOf(item.text)
                || tok.lower == s.lexicon.participleOf(item.text) || tok.lower == s.lexicon.ingOf(item.text));
    case PatternItem::AnyWord:
        return tok.kind == Token::Word;
    case PatternItem::AnyNumber:
        return tok.kind == Token::Number;
    case PatternItem::AnyPunct:
        return tok.kind == Token::Punct;
    case PatternItem::Regex:
        // the matcher recurses per character: a token longer than any word is no word a rule means
        return tok.text.size() <= MaxRegexToken && std::regex_match(tok.text, item.regex);
    default:
        return false;
    }
}

std::string RuleEngine::suggestion(const DataRule &rule, const Tokens &t,
                                   const std::vector<std::pair<int, int>> &spans, const Lexicon &lexicon, int opening)
{
    return suggestion(rule.suggestion, t, spans, lexicon, opening);
}

std::string RuleEngine::suggestion(const std::vector<SuggestionPart> &parts, const Tokens &t,
                                   const std::vector<std::pair<int, int>> &spans, const Lexicon &lexicon, int opening)
{
    std::string out;
    for (const SuggestionPart &part : parts) {
        if (part.ref == 0) {
            out += part.text;
            continue;
        }
        const std::pair<int, int> &s = spans[size_t(part.ref) - 1];
        if (s.second <= s.first)
            continue;
        const size_t at = out.size();
        if (part.inflection == SuggestionPart::AsWritten || s.second - s.first != 1)
            out += RuleSupport::textOf(t, s.first, s.second - 1);
        else
            out += RuleSupport::caseLike(t[size_t(s.first)],
                                         inflected(lexicon, t[size_t(s.first)].lower, part.inflection));
        // the sentence's first word, moved behind another, loses the capital it had for starting it
        if (s.first == opening && at > 0 && at < out.size() && out[at] >= 'A' && out[at] <= 'Z')
            out[at] = char(out[at] - 'A' + 'a');
    }
    // an optional item left out leaves a double space
    std::string tidy;
    for (const char c : out)
        if (!(c == ' ' && (tidy.empty() || tidy.back() == ' ')))
            tidy.push_back(c);
    while (!tidy.empty() && tidy.back() == ' ')
        tidy.pop_back();
    return tidy;
}

} // namespace PennovaChecker
