#include "verbcomplementrule.h"

#include "lexicon.h"
#include "rulesupport.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <sstream>

namespace PennovaChecker {

namespace {

using R = RuleSupport;
using S = VerbComplementSlots;

bool oneOf(const std::string &w, std::initializer_list<const char *> words)
{
    return std::any_of(words.begin(), words.end(), [&](const char *k) { return w == k; });
}

bool validKey(const std::string &key)
{
    return !key.empty() && key.size() <= 64 && key.front() != '_' && key.back() != '_'
        && key.find_first_not_of("abcdefghijklmnopqrstuvwxyz-_") == std::string::npos;
}

} // namespace

bool VerbComplementRule::load(const std::string &path, std::string *error)
{
    Table table;
    const bool ok = CountsTable::readFile(path, format(), &table, error);
    m_table = std::move(table);
    return ok;
}

const CountsTable::Format &VerbComplementRule::format()
{
    static const CountsTable::Format f = {"pennova-verb-complements 1", "not a verb complement table",
                                          "the table's columns are not the checker's complement forms",
                                          S::classNames(), kMaxRows, kMaxLine, validKey};
    return f;
}

bool VerbComplementRule::load(std::istream &in, std::string *error)
{
    Table table;
    const bool ok = CountsTable::read(in, format(), &table, error);
    m_table = std::move(table);
    return ok;
}

bool VerbComplementRule::save(std::ostream &out, const Table &table)
{
    return CountsTable::write(out, format(), table);
}

const VerbComplementRule::Counts *VerbComplementRule::countsOf(const std::string &key) const
{
    const auto it = m_table.find(key);
    return it == m_table.end() ? nullptr : &it->second;
}

int VerbComplementRule::decide(const Counts *counts, S::Column written, const Gate &gate)
{
    if (!counts || counts->size() != size_t(S::kColumns) || (written != S::Infinitive && written != S::Gerund))
        return -1;
    const double to = (*counts)[S::Infinitive], ing = (*counts)[S::Gerund], toIng = (*counts)[S::ToGerund],
                 uses = (*counts)[S::Uses];
    const double total = to + ing + toIng;
    if (total < gate.minTotal || (*counts)[size_t(written)] > total * gate.maxWrittenShare)
        return -1;
    // a verb that rarely takes a verb at all may be followed by one of another clause or an
    // adjunct ("sat reading", "worked to pay"): the suggested form must be a good part of its uses
    if (written == S::Infinitive) {
        const int best = ing >= toIng ? S::Gerund : S::ToGerund;
        const double suggested = (*counts)[size_t(best)];
        return gate.toGerund && suggested >= total * gate.minSuggestedShare && suggested >= uses * gate.minRate ? best
                                                                                                                 : -1;
    }
    return gate.toInfinitive && to >= total * gate.minSuggestedShare && to >= uses * gate.minRate ? S::Infinitive : -1;
}

const char *VerbComplementRule::guard(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                      const Slot &s, const Lexicon &lex)
{
    // both forms are right, with different meanings: "stopped to smoke" / "stopped smoking",
    // "remember to lock" / "remember locking"; "need" ("needs fixing"), "help" ("can't help
    // laughing", "help do"), "can't stand to wait" / "waiting" (and "stand to gain")
    if (oneOf(s.key, {"stop", "remember", "forget", "try", "regret", "mean", "go_on", "need", "help", "stand", "bear"}))
        return "both_forms";
    // an object and a bare verb after them: "let him go", "made me laugh", "saw them leave",
    // "heard her singing"
    if (oneOf(s.key, {"let", "make", "see", "hear", "watch", "feel", "notice", "observe", "have"}))
        return "object_verb";
    const Token &c = t[size_t(s.complement)];
    if (s.form == S::Gerund) {
        const std::string next = R::lowerAt(t, s.complement + 1);
        const bool objectAfter = R::tagIs(tags, s.complement + 1, "DT") || R::tagIs(tags, s.complement + 1, "PRP")
            || R::tagIs(tags, s.complement + 1, "CD") || R::tagIs(tags, s.complement + 1, "RB")
            || next == "to" || next == "home";
        // "I want clothing", "we wanted funding for it": a noun of its own; "seeks licensing
        // partners": a noun's modifier
        if ((lex.isPos(c.lower, Lexicon::Noun) && !objectAfter)
            || (R::tagIs(tags, s.complement + 1, "NN") && next != "home"))
            return "noun_ing";
        // an adjective of its own: "they want amazing" (after linking verbs, "seems boring", the
        // slots leave the -ing form out)
        if (lex.isPos(c.lower, Lexicon::Adjective) && !objectAfter)
            return "adjective_ing";
    }
    return nullptr;
}

Finding VerbComplementRule::finding(const std::vector<Token> &t, const Slot &s, int choice) const
{
    const std::string &written = t[size_t(s.complement)].lower;
    const std::string prefix = s.negated ? "not " : "";
    const std::string base = S::lemmaOf(written, s.form == S::Gerund ? "VBG" : "VB", m_lex);
    if (choice == S::ToGerund) // "object to pay" -> "to paying"
        return R::replace(t, s.complement, s.complement, m_lex.ingOf(base), "GRAMMAR", "gerund_after_preposition",
                          2);
    if (choice == S::Gerund) // "suggest to go" -> "going"
        return R::replace(t, s.first, s.complement, R::caseLike(t[size_t(s.first)], prefix + m_lex.ingOf(base)),
                          "GRAMMAR", "verb_gerund", 2);
    // "want going" -> "to go"
    return R::replace(t, s.first, s.complement, R::caseLike(t[size_t(s.first)], prefix + "to " + base), "GRAMMAR",
                      "verb_infinitive", 2);
}

void VerbComplementRule::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                               std::vector<Finding> *out) const
{
    if (m_table.empty() || tags.size() != t.size())
        return;
    for (const Slot &s : S::find(t, tags, m_lex)) {
        const int choice = decide(countsOf(s.key), s.form, m_gate);
        if (choice < 0 || guard(t, tags, s, m_lex))
            continue;
        // another rule's finding on the verb or its complement settles the case
        const int a = t[size_t(s.verb)].start, b = t[size_t(s.complement)].end;
        if (std::any_of(out->begin(), out->end(), [&](const Finding &f) { return f.start < b && a < f.end; }))
            continue;
        out->push_back(finding(t, s, choice));
    }
}

} // namespace PennovaChecker
