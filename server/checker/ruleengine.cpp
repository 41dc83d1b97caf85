#include "ruleengine.h"

#include "lexicon.h"
#include "rulefileparser.h"
#include "rulesupport.h"

#include <algorithm>
#include <filesystem>

namespace PennovaChecker {

namespace {

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
}

std::vector<std::string> RuleEngine::families() const
{
    std::vector<std::string> out;
    for (const DataRule &r : m_rules)
        if (std::find(out.begin(), out.end(), r.family) == out.end())
            out.push_back(r.family);
    return out;
}

void RuleEngine::run(const std::string &family, const Tokens &t, const Tags &tags, const Lexicon &lexicon,
                     std::vector<Finding> *out, const RuleEngine *shadow) const
{
    std::vector<const DataRule *> active;
    for (const DataRule &r : m_rules)
        if (r.family == family && !m_disabled.count(r.id) && !(shadow && shadow->shadows(r.id)))
            active.push_back(&r);
    const Sentence sentence{t, tags, lexicon};
    for (int i = 0; i < int(t.size()) && !active.empty(); ++i)
        for (const DataRule *r : active)
            apply(*r, sentence, i, out);
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
        out->push_back(RuleSupport::replace(t, first, last, suggestion(r, t, spans, s.lexicon), r.errorType.c_str(),
                                            r.explain.c_str(), r.certainty));
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
        return tok.kind == Token::Word && item.words.count(tok.lower) != 0;
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
                                   const std::vector<std::pair<int, int>> &spans, const Lexicon &lexicon)
{
    std::string out;
    for (const SuggestionPart &part : rule.suggestion) {
        if (part.ref == 0) {
            out += part.text;
            continue;
        }
        const std::pair<int, int> &s = spans[size_t(part.ref) - 1];
        if (s.second <= s.first)
            continue;
        if (part.inflection == SuggestionPart::AsWritten || s.second - s.first != 1)
            out += RuleSupport::textOf(t, s.first, s.second - 1);
        else
            out += RuleSupport::caseLike(t[size_t(s.first)],
                                         inflected(lexicon, t[size_t(s.first)].lower, part.inflection));
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
