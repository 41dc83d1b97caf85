#include "noundeterminers.h"

#include "rulesupport.h"

#include <istream>
#include <ostream>
#include <unordered_set>

namespace PennovaChecker {

namespace {

using Set = std::unordered_set<std::string>;

// exact tags, not prefixes
bool tagIs(const std::vector<std::string> &tags, int i, const char *tag)
{
    return RuleSupport::tagEquals(tags, i, tag);
}


bool word(const std::vector<Token> &t, int i) { return i >= 0 && size_t(i) < t.size() && t[size_t(i)].kind == Token::Word; }

// Words that determine a phrase although the tagger may read them otherwise.
const Set &determiners()
{
    static const Set s = {"the", "this", "that", "these", "those", "some", "any", "no", "every", "each", "another",
                          "either", "neither", "all", "both", "what", "which", "whose", "whatever", "whichever",
                          "my", "your", "his", "her", "its", "our", "their", "one", "such", "many", "much", "few",
                          "several", "enough", "half", "more", "most", "less", "little", "own", "per"};
    return s;
}

const Set &linking()
{
    static const Set s = {"be", "is", "are", "was", "were", "been", "being", "am", "become", "becomes", "became",
                          "becoming", "remain", "remains", "remained", "remaining", "it's", "that's", "he's",
                          "she's", "there's", "what's"};
    return s;
}

bool validKey(const std::string &key)
{
    const size_t eq = key.find('=');
    return key.size() <= 64 && eq != std::string::npos && eq > 0 && eq + 1 < key.size()
        && key.find_first_not_of("abcdefghijklmnopqrstuvwxyz-=*") == std::string::npos;
}

} // namespace

const std::vector<std::string> &NounDeterminers::classNames()
{
    static const std::vector<std::string> names = {"bare", "a", "other"};
    return names;
}

const CountsTable::Format &NounDeterminers::format()
{
    static const CountsTable::Format f = {"pennova-noun-determiners 1", "not a noun determiner table",
                                          "the table's columns are not bare, a, other", classNames(), kMaxRows,
                                          kMaxLine, validKey};
    return f;
}

std::vector<NounDeterminers::Use> NounDeterminers::uses(const std::vector<Token> &t, const std::vector<std::string> &tags)
{
    std::vector<Use> out;
    if (t.size() != tags.size())
        return out;
    const int n = int(t.size());
    for (int h = 1; h < n; ++h) {
        const Token &head = t[size_t(h)];
        // a lower-case singular noun that ends its phrase: no noun, possessive or hyphen after it
        if (head.kind != Token::Word || !tagIs(tags, h, "NN") || head.isCapitalised() || RuleSupport::nounTag(tags, h + 1)
            || tagIs(tags, h + 1, "POS") || head.lower.find_first_not_of("abcdefghijklmnopqrstuvwxyz-") != std::string::npos
            || (h + 1 < n && !t[size_t(h) + 1].spaceBefore && t[size_t(h) + 1].kind != Token::Punct)
            || (h + 1 < n && t[size_t(h) + 1].text == "-"))
            continue;
        // modifiers: adjectives and nouns; an adverb only before an adjective ("most beautiful")
        int first = h;
        const auto modifier = [&](int k) {
            // ("today's world": a possessive determines the phrase)
            if (!word(t, k) || t[size_t(k)].isCapitalised() || t[size_t(k)].lower.find('\'') != std::string::npos)
                return false;
            // ("the most beautiful city": "most" is a degree word here, not a determiner)
            if ((tagIs(tags, k, "RB") || tagIs(tags, k, "RBS") || tagIs(tags, k, "RBR")) && tagIs(tags, k + 1, "JJ"))
                return true;
            return !determiners().count(t[size_t(k)].lower)
                && (tagIs(tags, k, "JJ") || tagIs(tags, k, "JJR") || tagIs(tags, k, "JJS") || tagIs(tags, k, "NN"));
        };
        while (modifier(first - 1))
            --first;
        // "a tour-guide" and "well-known author": a hyphen inside the phrase ends the walk
        if (first > 0 && t[size_t(first) - 1].text == "-")
            continue;
        Use u;
        u.first = first;
        u.head = h;
        u.adjective = first < h;
        int before = first - 1;
        if (word(t, before)) {
            const std::string &w = t[size_t(before)].lower;
            if (w == "a" || w == "an") {
                u.written = A;
                u.determiner = before;
            } else if (determiners().count(w) || tagIs(tags, before, "DT") || tagIs(tags, before, "PRP$")
                       || tagIs(tags, before, "WP$") || tagIs(tags, before, "CD") || tagIs(tags, before, "PDT")
                       || tagIs(tags, before, "POS") || (w.find('\'') != std::string::npos && !linking().count(w))) {
                u.written = Other;
                u.determiner = before;
            } else if (RuleSupport::nounTag(tags, before) || (before > 0 && t[size_t(before)].isCapitalised())) {
                continue; // inside a longer phrase or after a name ("Kyoto city")
            }
        } else if (before >= 0 && (t[size_t(before)].kind == Token::Number || t[size_t(before)].text == "$"
                                   || t[size_t(before)].text == "'" || t[size_t(before)].text == "-")) {
            continue;
        }
        u.ofAfter = word(t, h + 1) && t[size_t(h) + 1].lower == "of";
        if (u.determiner >= 0)
            --before;
        // the governor: a form of be (over "not" and adverbs), "as", a preposition or none
        u.slot = "*";
        int g = before;
        for (int steps = 0; steps < 2 && word(t, g) && (tagIs(tags, g, "RB") || t[size_t(g)].lower == "not"); ++steps)
            --g;
        // ("eat-in kitchen": a word glued to a hyphen is part of a compound, no governor)
        const bool glued = before > 0 && !t[size_t(before)].spaceBefore && t[size_t(before) - 1].text == "-";
        if (glued)
            u.slot = "*";
        else if (word(t, g) && linking().count(t[size_t(g)].lower))
            u.slot = "be";
        else if (word(t, before) && t[size_t(before)].lower == "as")
            u.slot = "as";
        else if (word(t, before) && tagIs(tags, before, "IN")
                 && t[size_t(before)].lower.find_first_not_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos)
            u.slot = t[size_t(before)].lower;
        out.push_back(u);
    }
    return out;
}

const std::string &NounDeterminers::ofPhrase()
{
    static const std::string slot = "-of";
    return slot;
}

void NounDeterminers::add(const std::string &noun, const Use &use)
{
    for (const std::string &slot : {use.slot, std::string("all"), use.ofAfter ? ofPhrase() : std::string()}) {
        if (slot.empty())
            continue;
        CountsTable::Counts &c = m_table[noun + "=" + slot];
        c.resize(kColumns);
        ++c[size_t(use.written)];
    }
}

bool NounDeterminers::save(std::ostream &out, int minCount) const
{
    CountsTable::Table kept;
    for (const auto &row : m_table) {
        uint32_t total = 0;
        for (uint32_t v : row.second)
            total += v;
        if (total >= uint32_t(minCount))
            kept.insert(row);
    }
    return CountsTable::write(out, format(), kept);
}

bool NounDeterminers::load(const std::string &path, std::string *error)
{
    CountsTable::Table table;
    const bool ok = CountsTable::readFile(path, format(), &table, error);
    m_table = std::move(table);
    return ok;
}

bool NounDeterminers::load(std::istream &in, std::string *error)
{
    CountsTable::Table table;
    const bool ok = CountsTable::read(in, format(), &table, error);
    m_table = std::move(table);
    return ok;
}

NounDeterminers::Counts NounDeterminers::counts(const std::string &noun, const std::string &slot) const
{
    Counts c;
    const auto it = m_table.find(noun + "=" + slot);
    if (it == m_table.end() || it->second.size() != size_t(kColumns))
        return c;
    c.bare = it->second[Bare];
    c.a = it->second[A];
    c.other = it->second[Other];
    return c;
}

} // namespace PennovaChecker
