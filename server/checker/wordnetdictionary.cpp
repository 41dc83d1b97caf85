#include "wordnetdictionary.h"

#include <wn.h>

#include <cstdlib>
#include <mutex>
#include <unordered_set>
#include <vector>

namespace PennovaChecker {

namespace {

std::mutex &wordNetLock()
{
    static std::mutex m;
    return m;
}

bool g_initialised = false;
bool g_initOk = false;

std::string spaced(const char *w)
{
    std::string s(w ? w : "");
    for (char &c : s)
        if (c == '_')
            c = ' ';
    // adjective markers such as "(a)" or "(p)"
    const size_t paren = s.find('(');
    if (paren != std::string::npos)
        s.erase(paren);
    return s;
}

bool usableWord(const std::string &w)
{
    if (w.empty() || w.size() > 60)
        return false;
    for (char c : w)
        if (!((c >= 'a' && c <= 'z') || c == ' ' || c == '-' || c == '\''))
            return false;
    return true;
}

// A buffer WordNet may write into (its API takes char *).
std::vector<char> cstr(const std::string &s)
{
    std::vector<char> v(s.begin(), s.end());
    v.push_back('\0');
    return v;
}

} // namespace

WordNetDictionary::WordNetDictionary(const std::string &dir)
{
    std::lock_guard<std::mutex> lock(wordNetLock());
    if (!g_initialised) {
        g_initialised = true;
        if (!dir.empty())
            setenv("WNSEARCHDIR", dir.c_str(), 0);
        g_initOk = wninit() == 0;
    }
    m_ok = g_initOk;
}

std::vector<WordNetDictionary::Synonym> WordNetDictionary::synonyms(const std::string &lower, Pos pos) const
{
    std::vector<Synonym> out;
    if (!m_ok || lower.empty() || lower.size() > 60)
        return out;
    std::lock_guard<std::mutex> lock(wordNetLock());
    std::vector<char> w = cstr(lower);
    SynsetPtr head = findtheinfo_ds(w.data(), int(pos), SYNS, ALLSENSES);
    std::unordered_set<std::string> seen{lower};
    auto addWords = [&](SynsetPtr s, int sense) {
        for (int i = 0; i < s->wcount; ++i) {
            std::string syn = spaced(s->words[i]);
            for (char &c : syn)
                if (c >= 'A' && c <= 'Z')
                    c = char(c - 'A' + 'a');
            if (usableWord(syn) && seen.insert(syn).second)
                out.push_back({syn, sense});
        }
    };
    int sense = 0;
    for (SynsetPtr s = head; s; s = s->nextss, ++sense)
        addWords(s, sense);
    // An adjective that shares no synset ("interesting") gets the heads of the
    // similar adjectives of each sense (absorbing, fascinating).
    if (pos == Adjective && out.size() < 3) {
        char none[] = "";
        sense = 0;
        for (SynsetPtr s = head; s; s = s->nextss, ++sense) {
            for (int i = 0; i < s->ptrcount; ++i) {
                if (s->ptrtyp[i] != SIMPTR)
                    continue;
                SynsetPtr similar = read_synset(ADJ, s->ptroff[i], none);
                if (!similar)
                    continue;
                addWords(similar, sense);
                free_synset(similar);
            }
        }
    }
    if (head)
        free_syns(head);
    return out;
}

bool WordNetDictionary::gloss(const std::string &lower, Pos pos, std::string *definition, std::string *example) const
{
    if (!m_ok || lower.empty() || lower.size() > 60)
        return false;
    std::string g1, ex;
    {
        std::lock_guard<std::mutex> lock(wordNetLock());
        std::vector<char> w = cstr(lower);
        SynsetPtr head = findtheinfo_ds(w.data(), int(pos), SYNS, ALLSENSES);
        if (!head)
            return false;
        g1 = head->defn ? head->defn : "";
        // the definition of the first sense; an example from the first sense that has one
        for (SynsetPtr s = head; s && ex.empty(); s = s->nextss) {
            const std::string g = s->defn ? s->defn : "";
            const size_t q = g.find('"');
            if (q != std::string::npos) {
                const size_t q2 = g.find('"', q + 1);
                ex = g.substr(q + 1, q2 == std::string::npos ? std::string::npos : q2 - q - 1);
            }
        }
        free_syns(head);
    }
    // "(very good; of the highest quality; \"made an excellent speech\")"
    if (!g1.empty() && g1.front() == '(')
        g1.erase(0, 1);
    if (!g1.empty() && g1.back() == ')')
        g1.pop_back();
    std::string def = g1.substr(0, g1.find('"'));
    while (!def.empty() && (def.back() == ' ' || def.back() == ';'))
        def.pop_back();
    if (definition)
        *definition = def;
    if (example)
        *example = ex;
    return true;
}

std::vector<WordNetDictionary::Sense> WordNetDictionary::senses(const std::string &lower, Pos pos, size_t max) const
{
    std::vector<Sense> out;
    if (!m_ok || lower.empty() || lower.size() > 60 || max == 0)
        return out;
    std::vector<std::string> glosses;
    std::vector<std::vector<std::string>> words;
    {
        std::lock_guard<std::mutex> lock(wordNetLock());
        std::string key = lower;
        for (char &c : key)
            if (c == ' ')
                c = '_';
        std::vector<char> w = cstr(key);
        SynsetPtr head = findtheinfo_ds(w.data(), int(pos), SYNS, ALLSENSES);
        for (SynsetPtr s = head; s && glosses.size() < max; s = s->nextss) {
            glosses.push_back(s->defn ? s->defn : "");
            words.emplace_back();
            for (int i = 0; i < s->wcount; ++i) {
                std::string syn = spaced(s->words[i]);
                for (char &c : syn)
                    if (c >= 'A' && c <= 'Z')
                        c = char(c - 'A' + 'a');
                if (usableWord(syn) && syn != lower)
                    words.back().push_back(syn);
            }
        }
        if (head)
            free_syns(head);
    }
    // "(definition; \"example one\"; \"example two\")"
    for (std::size_t n = 0; n < glosses.size(); ++n) {
        std::string g = glosses[n];
        if (!g.empty() && g.front() == '(')
            g.erase(0, 1);
        if (!g.empty() && g.back() == ')')
            g.pop_back();
        Sense sense;
        sense.words = std::move(words[n]);
        size_t q = g.find('"');
        sense.definition = g.substr(0, q);
        while (!sense.definition.empty() && (sense.definition.back() == ' ' || sense.definition.back() == ';'))
            sense.definition.pop_back();
        while (q != std::string::npos) {
            const size_t q2 = g.find('"', q + 1);
            if (q2 == std::string::npos)
                break;
            sense.examples.push_back(g.substr(q + 1, q2 - q - 1));
            q = g.find('"', q2 + 1);
        }
        if (!sense.definition.empty())
            out.push_back(std::move(sense));
    }
    return out;
}

std::string WordNetDictionary::baseForm(const std::string &lower, Pos pos) const
{
    if (!m_ok || lower.empty() || lower.size() > 60)
        return {};
    std::lock_guard<std::mutex> lock(wordNetLock());
    std::vector<char> w = cstr(lower);
    const char *base = morphstr(w.data(), int(pos));
    std::string result = base ? base : "";
    // finish morphstr's iteration so that its static state is reset
    while (base)
        base = morphstr(nullptr, int(pos));
    for (char &c : result)
        if (c == '_')
            c = ' ';
    return result;
}

int WordNetDictionary::senseCount(const std::string &lower, Pos pos) const
{
    if (!m_ok || lower.empty() || lower.size() > 60)
        return 0;
    std::lock_guard<std::mutex> lock(wordNetLock());
    std::vector<char> w = cstr(lower);
    IndexPtr idx = getindex(w.data(), int(pos));
    if (!idx)
        return 0;
    const int n = idx->sense_cnt;
    free_index(idx);
    return n;
}

} // namespace PennovaChecker
