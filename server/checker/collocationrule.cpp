#include "collocationrule.h"

#include "lexicon.h"
#include "rulesupport.h"

#include <algorithm>
#include <set>
#include <unordered_set>

namespace PennovaChecker {

namespace {

using R = RuleSupport;

bool isBeOrGet(const std::string &w)
{
    static const std::unordered_set<std::string> forms = {"be",  "am",   "is",  "are", "was",  "were",   "been", "being",
                                                          "'s",  "'re",  "'m",  "get", "gets", "got",    "gotten",
                                                          "getting"};
    return forms.count(w) > 0;
}

// A word that completes a phrasal verb after its object ("take the coat off").
bool particle(const std::string &w)
{
    static const std::unordered_set<std::string> words = {"off", "on", "up", "out", "down", "away", "back",
                                                          "over", "around", "apart", "together", "in"};
    return words.count(w) > 0;
}

// A passive or "get" + participle takes no object after it ("was made president"); a
// particle after the object makes another verb ("take the coat off", "make the story up").
bool passiveOrPhrasal(const std::vector<Token> &t, const std::vector<std::string> &tags,
                      const CollocationModel::Pair &p)
{
    const std::string &tag = tags[size_t(p.word)];
    if (tag == "VBN" || tag == "VBD")
        for (int k = std::max(0, p.word - 3); k < p.word; ++k)
            if (isBeOrGet(t[size_t(k)].lower))
                return true;
    if (p.noun + 1 >= int(t.size()) || !particle(t[size_t(p.noun) + 1].lower))
        return false;
    // "did a mistake in the test": a noun phrase after it makes a preposition, not a particle
    const std::string after = p.noun + 2 < int(tags.size()) ? tags[size_t(p.noun) + 2] : std::string();
    return !(after == "DT" || after == "PRP$" || after == "CD" || after.rfind("NN", 0) == 0 || after.rfind("JJ", 0) == 0);
}

// The pair cannot be read with confidence: a word the lexicon does not know stands in it or
// right after it ("see that inmany books", "make people understend"), the verb is the end
// of a compound ("self-made project") or an -ing form used as a modifier ("the
// teaching/learning process").
bool unreadable(const std::vector<Token> &t, const std::vector<std::string> &tags, const CollocationModel::Pair &p,
                const Lexicon &lex)
{
    const int last = std::min(int(t.size()) - 1, std::max(p.word, p.noun + 1));
    for (int k = std::min(p.word, p.noun); k <= last; ++k)
        if (t[size_t(k)].kind == Token::Word && lex.frequencyRank(t[size_t(k)].lower) == 0)
            return true;
    if (p.word == 0)
        return false;
    const Token &before = t[size_t(p.word) - 1];
    if (before.end == t[size_t(p.word)].start && (before.lower == "-" || before.lower == "/"))
        return true;
    const std::string &prev = tags[size_t(p.word) - 1];
    return tags[size_t(p.word)] == "VBG" && (prev == "DT" || prev == "PRP$" || prev.rfind("JJ", 0) == 0);
}

// The passive's subject is its verb's object ("mistakes were done" as "do mistakes"): a
// common noun, a form of "be" and a participle, with no noun, particle or "of" after it.
std::vector<CollocationModel::Pair> passivePairs(const std::vector<Token> &t, const std::vector<std::string> &tags)
{
    static const std::unordered_set<std::string> be = {"be", "is", "are", "was", "were", "been", "being"};
    std::vector<CollocationModel::Pair> out;
    const int n = int(t.size());
    for (int i = 2; i < n; ++i) {
        if (tags[size_t(i)] != "VBN" || !be.count(t[size_t(i) - 1].lower) || t[size_t(i)].lemma.empty())
            continue;
        const int k = i - 2;
        if (tags[size_t(k)] != "NN" && tags[size_t(k)] != "NNS")
            continue;
        if (i + 1 < n) {
            // an adjective or adverb after it is a complement ("was made ready") unless a
            // noun follows it ("was made last year")
            const std::string &next = tags[size_t(i) + 1];
            const bool complement = (next.rfind("JJ", 0) == 0 || next.rfind("RB", 0) == 0)
                && !(i + 2 < n && (tags[size_t(i) + 2] == "NN" || tags[size_t(i) + 2] == "NNS"));
            if (next.rfind("NN", 0) == 0 || next == "RP" || complement || particle(t[size_t(i) + 1].lower)
                || t[size_t(i) + 1].lower == "of")
                continue;
        }
        out.push_back({CollocationModel::VerbObject, i, k, t[size_t(i)].lemma, t[size_t(k)].lemma});
    }
    return out;
}

// A relative clause without its object: the noun before it is the verb's object ("the
// mistakes (that) we did" as "do mistakes"): a common noun, "that" or "which" or nothing, a
// personal pronoun, the verb, and after it no word that could start an object or a
// complement of its own (a preposition or the main clause's verb may follow).
std::vector<CollocationModel::Pair> relativePairs(const std::vector<Token> &t, const std::vector<std::string> &tags)
{
    static const std::unordered_set<std::string> subjects = {"i", "we", "you", "he", "she", "they"};
    std::vector<CollocationModel::Pair> out;
    const int n = int(t.size());
    for (int k = 0; k + 2 < n; ++k) {
        if ((tags[size_t(k)] != "NN" && tags[size_t(k)] != "NNS") || t[size_t(k)].lemma.empty())
            continue;
        int j = k + 1;
        if (t[size_t(j)].lower == "that" || t[size_t(j)].lower == "which")
            ++j;
        if (j + 1 >= n || !subjects.count(t[size_t(j)].lower))
            continue;
        const int v = j + 1;
        const std::string &tag = tags[size_t(v)];
        if ((tag != "VBD" && tag != "VBP" && tag != "VBZ") || t[size_t(v)].lemma.empty())
            continue;
        if (v + 1 < n) {
            const std::string &next = tags[size_t(v) + 1];
            static const std::set<std::string> objectStarts = {"DT", "PDT", "PRP", "PRP$", "CD", "JJ", "JJR",
                                                              "JJS", "NN", "NNS", "NNP", "NNPS", "RP", "TO",
                                                              "VB", "VBG", "VBN", "RB", "EX"};
            if (objectStarts.count(next))
                continue;
        }
        out.push_back({CollocationModel::VerbObject, v, k, t[size_t(v)].lemma, t[size_t(k)].lemma});
    }
    return out;
}

} // namespace

bool CollocationRule::load(const std::string &modelPath, std::string *error)
{
    CollocationModel model;
    if (!model.load(modelPath, error))
        return false;
    m_model = std::move(model);
    return true;
}

std::string CollocationRule::inflect(const std::string &lemma, const std::string &tag) const
{
    if (tag == "VBZ")
        return m_lex.thirdPerson(lemma);
    if (tag == "VBD")
        return m_lex.pastOf(lemma);
    if (tag == "VBN")
        return m_lex.participleOf(lemma);
    if (tag == "VBG")
        return m_lex.ingOf(lemma);
    return lemma;
}

void CollocationRule::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                            std::vector<Finding> *out) const
{
    if (!m_model.isLoaded())
        return;
    std::vector<CollocationModel::Pair> pairs = CollocationModel::pairs(t, tags);
    const size_t active = pairs.size();
    for (CollocationModel::Pair &p : passivePairs(t, tags))
        pairs.push_back(std::move(p));
    for (CollocationModel::Pair &p : relativePairs(t, tags))
        pairs.push_back(std::move(p));
    for (size_t pi = 0; pi < pairs.size(); ++pi) {
        const CollocationModel::Pair &p = pairs[pi];
        if ((pi < active && p.kind == CollocationModel::VerbObject && passiveOrPhrasal(t, tags, p))
            || unreadable(t, tags, p, m_lex))
            continue;
        const CollocationModel::Verdict v = m_model.judge(p.kind, p.first, p.second);
        if (v.better.empty())
            continue;
        const Token &word = t[size_t(p.word)];
        const std::string form =
            p.kind == CollocationModel::VerbObject ? inflect(v.better, tags[size_t(p.word)]) : v.better;
        if (form.empty() || form == word.lower)
            continue;
        const int a = std::min(word.start, t[size_t(p.noun)].start), b = std::max(word.end, t[size_t(p.noun)].end);
        if (std::any_of(out->begin(), out->end(), [&](const Finding &f) { return f.start < b && a < f.end; }))
            continue;
        out->push_back(R::replace(t, p.word, p.word, R::caseLike(word, form), "REAL", "collocation", 2));
        const std::string also = v.also.empty() ? std::string()
            : p.kind == CollocationModel::VerbObject ? inflect(v.also, tags[size_t(p.word)]) : v.also;
        if (!also.empty() && also != word.lower && also != form) {
            Candidate c = out->back().candidates.front();
            c.correction = R::caseLike(word, also);
            c.score *= 0.9; // after the first: fewer native counts
            out->back().candidates.push_back(c);
        }
    }
}

} // namespace PennovaChecker
