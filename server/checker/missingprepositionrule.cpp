#include "missingprepositionrule.h"

#include "lexicon.h"
#include "prepositionchoicerule.h"
#include "prepositionslots.h"
#include "rulesupport.h"

#include <algorithm>
#include <istream>
#include <ostream>

namespace PennovaChecker {

namespace {

using R = RuleSupport;
using P = PrepositionSlots;

bool startsWith(const std::string &s, const char *p) { return s.rfind(p, 0) == 0; }

// a particle after the object makes a phrasal verb ("look it up", "think it over")
bool particle(const std::vector<Token> &t, const std::vector<std::string> &tags, int k)
{
    if (k < 0 || size_t(k) >= t.size())
        return false;
    static const char *const kWords[] = {"up", "out", "down", "off", "back", "away", "over", "around", "through",
                                         "aside", "in", "on", "into"};
    return tags[size_t(k)] == "RP"
        || std::any_of(std::begin(kWords), std::end(kWords), [&](const char *w) { return t[size_t(k)].lower == w; });
}

// what a verb may take without being transitive: a place it reaches ("arrive home")
bool adverbialNoun(const std::string &w)
{
    return w == "home" || w == "downtown" || w == "abroad" || w == "upstairs" || w == "downstairs"
        || w == "overseas" || w == "everywhere" || w == "anywhere" || w == "somewhere" || w == "nowhere"
        || w == "north" || w == "south" || w == "east" || w == "west";
}

// an object that may be an adverbial of time, amount or path ("wait a minute", "arrived two
// days later", "went the same route"), or a noun that makes a preposition with "of" ("in
// terms of")
bool adjunct(const std::vector<Token> &t, const std::vector<std::string> &tags, const P::Slot &s)
{
    const Token &object = t[size_t(s.object)];
    const std::string &head = object.lemma.empty() ? object.lower : object.lemma;
    static const char *const kAmounts[] = {"bit", "lot", "little", "step", "while", "mile", "distance", "deal",
                                           "kilometre", "kilometer", "meter", "metre", "inch", "foot", "yard",
                                           "route", "path", "direction", "course", "length",
                                           "today", "tomorrow", "yesterday", "tonight", "each"};
    if (object.kind != Token::Word || tags[size_t(s.object)] == "CD" || PrepositionChoiceRule::isTimeWord(head)
        || std::any_of(std::begin(kAmounts), std::end(kAmounts), [&](const char *w) { return head == w; }))
        return true;
    for (int k = s.governor + 1; k < s.object; ++k)
        if (t[size_t(k)].kind == Token::Number || tags[size_t(k)] == "CD")
            return true;
    return s.preposition >= 0 && s.object == s.preposition + 1 && size_t(s.object) + 1 < t.size()
        && t[size_t(s.object) + 1].is("of");
}

bool linking(const std::string &lemma)
{
    static const char *const kWords[] = {"appear", "seem", "become", "remain", "prove", "sound", "feel",
                                         "look", "stay"};
    return std::any_of(std::begin(kWords), std::end(kWords), [&](const char *w) { return lemma == w; });
}

// a word before the verb that marks it as a verb, whatever its other readings
bool verbCue(const std::vector<Token> &t, const std::vector<std::string> &tags, int verb)
{
    if (verb == 0)
        return false;
    const Token &before = t[size_t(verb) - 1];
    const std::string &tag = tags[size_t(verb) - 1];
    return tag == "TO" || tag == "MD" || R::isSubjectPronoun(before.lower) || before.lower == "not"
        || before.lower == "n't" || before.lower == "never" || before.lower == "to";
}

} // namespace

const CountsTable::Format &MissingPrepositionRule::format()
{
    static const CountsTable::Format f = {"pennova-verb-objects 1", "not a verb objects file",
                                          "the table's columns are not the checker's prepositions",
                                          P::classNames(), kMaxRows, kMaxLine, [](const std::string &key) {
                                              return key.size() >= 3 && key[1] == ':'
                                                  && (key[0] == 'V' || key[0] == 'W' || key[0] == 'O');
                                          }};
    return f;
}

bool MissingPrepositionRule::load(const std::string &path, std::string *error)
{
    Table table;
    const bool ok = CountsTable::readFile(path, format(), &table, error);
    m_table = std::move(table);
    return ok;
}

bool MissingPrepositionRule::load(std::istream &in, std::string *error)
{
    Table table;
    const bool ok = CountsTable::read(in, format(), &table, error);
    m_table = std::move(table);
    return ok;
}

bool MissingPrepositionRule::save(std::ostream &out, const Table &table)
{
    return CountsTable::write(out, format(), table);
}

const MissingPrepositionRule::Counts *MissingPrepositionRule::countsOf(const std::string &key) const
{
    const auto it = m_table.find(key);
    return it == m_table.end() ? nullptr : &it->second;
}

std::vector<MissingPrepositionRule::Slot> MissingPrepositionRule::find(const std::vector<Token> &t,
                                                                        const std::vector<std::string> &tags,
                                                                        const Lexicon &lexicon)
{
    std::vector<Slot> out;
    if (tags.size() != t.size())
        return out;
    const int n = int(t.size());
    for (const P::Slot &s : P::find(t, tags, lexicon)) {
        if (s.kind != P::Verb || s.participle || adjunct(t, tags, s))
            continue;
        const Token &object = t[size_t(s.object)];
        // a linking verb's noun is no object ("appear a fool", "become friends")
        if (s.preposition < 0 && linking(s.lemma))
            continue;
        if (adverbialNoun(object.lower) || particle(t, tags, s.object + 1))
            continue;
        if (s.preposition < 0) {
            // after a preposition or a determiner the "verb" is a noun ("out of account")
            if (s.governor > 0 && (tags[size_t(s.governor) - 1] == "IN" || tags[size_t(s.governor) - 1] == "DT"))
                continue;
            // the subject after its verb ("\"Yes\", replied Bellows", "Out went letters")
            const bool opens = s.governor == 0 || t[size_t(s.governor) - 1].kind == Token::Punct;
            if ((opens && (t[size_t(s.governor) + 1].isCapitalised() || t[size_t(s.governor) + 1].is("the")))
                || (s.governor == 1 && (tags[0] == "RB" || tags[0] == "RP" || tags[0] == "IN")))
                continue;
            // a gerund before a bare noun is its modifier ("listening skills", "waiting room");
            // a bare -ing noun or adjective says what is done or become ("go shopping", "go vegan")
            const std::string &first = tags[size_t(s.governor) + 1];
            const bool bare = startsWith(first, "NN");
            if (bare
                && (s.gerund || (object.lower.size() > 4 && object.lower.compare(object.lower.size() - 3, 3, "ing") == 0)
                    || lexicon.isPos(object.lower, Lexicon::Adjective)))
                continue;
            // a word the tagger cannot know ("happened becouse of") is no object it is sure of
            const std::string &head = object.lemma.empty() ? object.lower : object.lemma;
            if (startsWith(tags[size_t(s.object)], "NN") && lexicon.posMask(head) == 0 && lexicon.posMask(object.lower) == 0)
                continue;
            // a verb that is also a noun, before a bare noun, is read as a verb only after a
            // word that makes it one ("to listen music", "they never listen music")
            if (bare && lexicon.isPos(t[size_t(s.governor)].lower, Lexicon::Noun)
                && !verbCue(t, tags, s.governor))
                continue;
        }
        out.push_back({s.governor, s.preposition, s.object, s.column, P::key(s)});
    }
    // "what"-clauses: "look what you did", "look at what we want"
    for (int v = 0; v + 1 < n; ++v) {
        const std::string &tag = tags[size_t(v)];
        if (!startsWith(tag, "VB") || tag == "VBN" || lexicon.isAuxiliary(t[size_t(v)].lower)
            || (v > 0 && t[size_t(v)].isCapitalised()) || t[size_t(v)].kind != Token::Word)
            continue;
        int p = -1, w = v + 1;
        if (w + 1 < n && tags[size_t(w)] == "IN" && P::classOf(t[size_t(w)].lower) >= 0) {
            p = w;
            ++w;
        }
        if (!t[size_t(w)].is("what") || !t[size_t(w)].spaceBefore)
            continue;
        // "Look what you did!": a verb opening its clause may be an exclamation's
        if (p < 0 && (v == 0 || t[size_t(v) - 1].kind == Token::Punct))
            continue;
        const Token &verb = t[size_t(v)];
        out.push_back({v, p, w, p < 0 ? P::kDirect : P::classOf(t[size_t(p)].lower),
                       "W:" + (verb.lemma.empty() ? verb.lower : verb.lemma)});
    }
    return out;
}

std::string MissingPrepositionRule::pairKey(const std::vector<Token> &t, const Slot &s)
{
    const Token &object = t[size_t(s.object)];
    return "O" + s.key.substr(1) + ":" + (object.lemma.empty() ? object.lower : object.lemma);
}

int MissingPrepositionRule::decide(const Counts *counts, const Gate &gate, int *second)
{
    if (second)
        *second = -1;
    if (!counts || counts->size() != size_t(P::kColumns))
        return -1;
    const Counts &c = *counts;
    double prepositions = 0;
    int best = 0, next = -1;
    for (int k = 0; k < P::kDirect; ++k) {
        prepositions += c[size_t(k)];
        if (c[size_t(k)] > c[size_t(best)]) {
            next = best;
            best = k;
        } else if (k != best && (next < 0 || c[size_t(k)] > c[size_t(next)])) {
            next = k;
        }
    }
    const double direct = c[size_t(P::kDirect)];
    const double all = prepositions + direct;
    if ((all < gate.minTotal && (direct > 0 || all < gate.minTotalNeverDirect)) || direct > all * gate.maxDirectShare
        || c[size_t(best)] < prepositions * gate.minBestShare)
        return -1;
    if (second && next >= 0 && c[size_t(next)] >= prepositions * gate.minSecondShare)
        *second = next;
    return best;
}

void MissingPrepositionRule::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                   std::vector<Finding> *out) const
{
    if (m_table.empty() || tags.size() != t.size())
        return;
    for (const Slot &s : find(t, tags, m_lex)) {
        if (s.preposition >= 0)
            continue;
        // a "what"-clause the table has too few of is read as the verb's noun objects are
        const Counts *counts = countsOf(s.key);
        if (!counts && s.key[0] == 'W')
            counts = countsOf("V" + s.key.substr(1));
        int second = -1;
        const int choice = decide(counts, m_gate, &second);
        // an object native writers gave this verb directly ("live a good life", "wait your turn")
        if (choice < 0 || countsOf(pairKey(t, s)))
            continue;
        const int a = t[size_t(s.verb)].start, b = t[size_t(s.object)].end;
        if (std::any_of(out->begin(), out->end(), [&](const Finding &f) { return f.start < b && a < f.end; }))
            continue;
        const std::string &verb = t[size_t(s.verb)].text;
        Finding f = R::replace(t, s.verb, s.verb, verb + " " + P::classNames()[size_t(choice)], "GRAMMAR",
                               "verb_preposition_missing", 2);
        if (second >= 0)
            f.candidates.push_back({verb + " " + P::classNames()[size_t(second)], f.candidates[0].type,
                                    f.candidates[0].score / 2});
        out->push_back(std::move(f));
    }
}

} // namespace PennovaChecker
