#include "timeprepositionrule.h"

#include "prepositionchoicerule.h"
#include "prepositionslots.h"
#include "rulesupport.h"

#include <algorithm>

namespace PennovaChecker {

namespace {

bool plainLower(const Token &t)
{
    return t.kind == Token::Word && !t.lower.empty()
        && t.lower.find_first_not_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos;
}

bool startsWith(const std::string &s, const char *prefix) { return s.rfind(prefix, 0) == 0; }

// A word that may stand between the preposition and the time word: a determiner, a possessive
// or an adjective ("the same", "those early").
bool modifierTag(const std::string &tag)
{
    return tag == "DT" || tag == "PRP$" || tag == "PDT" || startsWith(tag, "JJ");
}

} // namespace

const std::vector<std::string> &TimePrepositionRule::classNames()
{
    static const std::vector<std::string> names = {"in", "on", "at"};
    return names;
}

int TimePrepositionRule::classOf(const std::string &lower)
{
    const auto &n = classNames();
    const auto it = std::find(n.begin(), n.end(), lower);
    return it == n.end() ? -1 : int(it - n.begin());
}

std::vector<TimePrepositionRule::Slot> TimePrepositionRule::find(const std::vector<Token> &t,
                                                                 const std::vector<std::string> &tags)
{
    std::vector<Slot> out;
    if (tags.size() != t.size())
        return out;
    const int n = int(t.size());
    for (int i = 0; i + 1 < n; ++i) {
        const int c = t[size_t(i)].kind == Token::Word ? classOf(t[size_t(i)].lower) : -1;
        if (c < 0 || tags[size_t(i)] != "IN")
            continue;
        for (int j = i + 1; j < n && j <= i + 3; ++j) {
            const Token &w = t[size_t(j)];
            const std::string &tag = tags[size_t(j)];
            if (w.kind != Token::Word || w.lower.find_first_not_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos)
                break;
            const std::string &lemma = w.lemma.empty() ? w.lower : w.lemma;
            if (startsWith(tag, "NN") && lemma != "way" && PrepositionChoiceRule::isTimeWord(lemma)) {
                // a modifier of the next noun ("the morning session"), a head an "of"-phrase
                // pins down ("the morning of the fifth") or a possessive is no time of the clause,
                // ...nor is one a relative clause pins down ("in an age when") or one paired
                // with another ("at the summer and winter solstices")
                static const char *const kAfter[] = {"of", "and", "or", "when", "that", "which", "where"};
                if (j + 1 < n
                    && (startsWith(tags[size_t(j) + 1], "NN") || tags[size_t(j) + 1] == "POS"
                        || std::any_of(std::begin(kAfter), std::end(kAfter),
                                       [&](const char *a) { return t[size_t(j) + 1].lower == a; })))
                    break;
                Slot s;
                s.at = i;
                s.head = j;
                s.written = c;
                s.phrase = "P:";
                for (int k = i + 1; k <= j; ++k)
                    s.phrase += (k > i + 1 ? "_" : "") + t[size_t(k)].lower;
                s.head2 = "H:" + (j > i + 1 ? t[size_t(i) + 1].lower + "_" : std::string()) + w.lower;
                out.push_back(std::move(s));
                break;
            }
            // the words before the head: plain lower-case modifiers
            if (j == i + 3 || !modifierTag(tag) || !plainLower(w))
                break;
        }
    }
    return out;
}

const CountsTable::Format &TimePrepositionRule::format()
{
    static const CountsTable::Format f = {"pennova-time-prepositions 1", "not a time preposition counts file",
                                          "the table's columns are not in, on and at", classNames(), kMaxRows,
                                          kMaxLine, [](const std::string &key) {
                                              return key.size() >= 3 && key[1] == ':' && (key[0] == 'P' || key[0] == 'H');
                                          }};
    return f;
}

bool TimePrepositionRule::load(const std::string &path, std::string *error)
{
    Table table;
    const bool ok = CountsTable::readFile(path, format(), &table, error);
    m_table = std::move(table);
    return ok;
}

bool TimePrepositionRule::load(std::istream &in, std::string *error)
{
    Table table;
    const bool ok = CountsTable::read(in, format(), &table, error);
    m_table = std::move(table);
    return ok;
}

bool TimePrepositionRule::save(std::ostream &out, const Table &table)
{
    return CountsTable::write(out, format(), table);
}

int TimePrepositionRule::decide(const Slot &s) const
{
    const Counts *counts = nullptr;
    uint32_t total = 0;
    for (const std::string *key : {&s.phrase, &s.head2}) {
        const auto it = m_table.find(*key);
        if (it == m_table.end() || it->second.size() != classNames().size())
            continue;
        uint32_t all = 0;
        for (uint32_t v : it->second)
            all += v;
        // the determiner and head row, where the phrase's own decides, must know the written
        // preposition as rare at most ("in the moment" beside "at the moment")
        if (counts && it->second[size_t(s.written)] > all * m_gate.maxHeadWrittenShare)
            return -1;
        if (!counts && all >= m_gate.minTotal) {
            counts = &it->second;
            total = all;
        }
    }
    if (!counts || s.written < 0 || size_t(s.written) >= counts->size() || (*counts)[size_t(s.written)] > 0)
        return -1;
    const int best = int(std::max_element(counts->begin(), counts->end()) - counts->begin());
    return (*counts)[size_t(best)] >= total * m_gate.minBestShare ? best : -1;
}

bool TimePrepositionRule::governorTakes(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                        const Slot &s) const
{
    int g = s.at - 1;
    while (g >= 0 && startsWith(tags[size_t(g)], "RB"))
        --g;
    if (g < 0 || t[size_t(g)].kind != Token::Word)
        return false;
    const std::string &tag = tags[size_t(g)];
    PrepositionSlots::Slot key;
    if (startsWith(tag, "VB"))
        key.kind = PrepositionSlots::Verb;
    else if (startsWith(tag, "JJ"))
        key.kind = PrepositionSlots::Adjective;
    else if (tag == "NN" || tag == "NNS")
        key.kind = PrepositionSlots::Noun;
    else
        return false;
    key.lemma = t[size_t(g)].lemma.empty() ? t[size_t(g)].lower : t[size_t(g)].lemma;
    const PrepositionChoiceRule::Counts *c = m_governors ? m_governors->countsOf(PrepositionSlots::key(key)) : nullptr;
    const int column = PrepositionSlots::classOf(t[size_t(s.at)].lower);
    // a word the counts never saw may take the preposition itself ("focus on the future"), and
    // one they saw with too few prepositions to tell ("reflect on")
    if (!c || column < 0 || size_t(column) >= c->size())
        return true;
    double all = 0;
    for (int k = 0; k < PrepositionSlots::kDirect && size_t(k) < c->size(); ++k)
        all += (*c)[size_t(k)];
    // too few prepositions counted to say the word does not take this one ("reflect on")
    return all < m_gate.minGovernorPrepositions || (*c)[size_t(column)] > all * m_gate.maxGovernorShare;
}

void TimePrepositionRule::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                std::vector<Finding> *out) const
{
    if (m_table.empty() || tags.size() != t.size())
        return;
    for (const Slot &s : find(t, tags)) {
        const int best = decide(s);
        if (best < 0 || governorTakes(t, tags, s))
            continue;
        const int a = t[size_t(s.at)].start, b = t[size_t(s.at)].end;
        if (std::any_of(out->begin(), out->end(), [&](const Finding &f) { return f.start < b && a < f.end; }))
            continue;
        out->push_back(RuleSupport::replace(t, s.at, s.at, RuleSupport::caseLike(t[size_t(s.at)], classNames()[size_t(best)]),
                                            "GRAMMAR", "preposition_time", 2));
    }
}

} // namespace PennovaChecker
