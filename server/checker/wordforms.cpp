#include "wordforms.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace PennovaChecker {

namespace {

constexpr size_t kMaxWord = 64;
constexpr size_t kMaxAffixes = 2000;
constexpr size_t kMaxEntries = 2000000;

// The flags that tell a stem's word class: -ed/-ing (verb), -s, 's (noun), -er/-est/-ly (adjective).
std::string classFlags(const std::string &flags)
{
    std::string out;
    for (char c : std::string("DGSMRTY"))
        if (flags.find(c) != std::string::npos)
            out.push_back(c);
    return out;
}

std::string lowerAscii(std::string s)
{
    for (char &c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

// "[^ey]" -> {"^ey"}, "[aeiou]y" -> {"aeiou", "y"}, "." -> {""} (any character).
bool parseCondition(const std::string &text, std::vector<std::string> *out)
{
    for (size_t i = 0; i < text.size();) {
        if (text[i] == '[') {
            const size_t close = text.find(']', i);
            if (close == std::string::npos)
                return false;
            out->push_back(text.substr(i + 1, close - i - 1));
            i = close + 1;
        } else {
            out->push_back(text[i] == '.' ? std::string() : std::string(1, text[i]));
            ++i;
        }
    }
    return true;
}

bool inClass(const std::string &cls, char c)
{
    if (cls.empty())
        return true;
    if (cls[0] == '^')
        return cls.find(c, 1) == std::string::npos;
    return cls.find(c) != std::string::npos;
}

} // namespace

WordForms::WordForms(const std::string &hunspellDir, const std::string &wordnetDir)
{
    loadAffixes(hunspellDir + "/en_US.aff");
    loadWords(hunspellDir + "/en_US.dic");
    loadExceptions(wordnetDir + "/verb.exc", 'v');
    loadExceptions(wordnetDir + "/noun.exc", 'n');
    loadExceptions(wordnetDir + "/adj.exc", 'a');
}

void WordForms::loadAffixes(const std::string &path)
{
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line) && m_affixes.size() < kMaxAffixes) {
        std::istringstream row(line);
        std::string kind, flag, strip, add, condition;
        if (!(row >> kind >> flag >> strip >> add) || (kind != "SFX" && kind != "PFX") || flag.size() != 1)
            continue;
        if (!(row >> condition))
            continue; // a header line ("SFX D Y 4") has only a count here, caught below
        if (add == "Y" || add == "N")
            continue;
        Affix a{flag[0], strip == "0" ? std::string() : strip, add.substr(0, add.find('/')), {}, kind == "PFX"};
        if (a.add == "0")
            a.add.clear();
        if (parseCondition(condition, &a.condition))
            m_affixes.push_back(std::move(a));
    }
}

void WordForms::loadWords(const std::string &path)
{
    std::ifstream in(path);
    std::string line;
    std::getline(in, line); // the entry count
    while (std::getline(in, line) && m_entries.size() < kMaxEntries) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t slash = line.find('/');
        const std::string word = line.substr(0, slash);
        if (word.empty() || word.size() > kMaxWord)
            continue;
        std::string &flags = m_entries[word];
        if (slash != std::string::npos)
            for (char c : line.substr(slash + 1))
                if (flags.find(c) == std::string::npos && c > ' ')
                    flags.push_back(c);
    }
}

void WordForms::loadExceptions(const std::string &path, char kind)
{
    std::ifstream in(path);
    std::string form, base;
    std::string rest;
    while (in >> form >> base && m_exceptions.size() < kMaxEntries) {
        std::getline(in, rest); // further bases on the line
        if (form.find('_') != std::string::npos || form.size() > kMaxWord)
            continue;
        m_exceptions[form] += kind;
        // "teeth", "children", "mice"; not the Latin plurals often used as singular
        // ("data", "criteria"), nor what the list also holds ("gas", "dive", "lives")
        const char last = form.back();
        if (kind == 'n' && base != form && last != 's' && last != 'a' && form.size() > 2
            && form.compare(form.size() - 3, 3, "ing") != 0) {
            const std::string *f = flagsOf(form);
            if (!f || f->find('S') == std::string::npos)
                m_plurals.insert(form);
        }
    }
}

const std::string *WordForms::flagsOf(const std::string &form) const
{
    auto it = m_entries.find(form);
    return it == m_entries.end() ? nullptr : &it->second;
}

bool WordForms::isIrregularPlural(const std::string &lower) const
{
    return m_plurals.count(lower) != 0;
}

bool WordForms::matches(const Affix &a, const std::string &stem)
{
    const size_t n = a.condition.size();
    if (stem.size() < n)
        return false;
    for (size_t k = 0; k < n; ++k) {
        const char c = a.prefix ? stem[k] : stem[stem.size() - n + k];
        if (!inClass(a.condition[k], c))
            return false;
    }
    return true;
}

std::string WordForms::signature(const std::string &word) const
{
    if (word.empty() || word.size() > kMaxWord)
        return {};
    std::vector<std::string> tokens;
    const std::string lower = lowerAscii(word);
    if (const std::string *f = flagsOf(word))
        tokens.push_back("=" + classFlags(*f));
    if (lower != word) {
        if (const std::string *f = flagsOf(lower))
            tokens.push_back("l" + classFlags(*f));
    } else if (word[0] >= 'a' && word[0] <= 'z') {
        std::string cap = word;
        cap[0] = char(cap[0] - 'a' + 'A');
        if (const std::string *f = flagsOf(cap))
            tokens.push_back("c" + classFlags(*f));
    }
    for (const Affix &a : m_affixes) {
        if (lower.size() <= a.add.size() + 1)
            continue;
        std::string stem;
        if (a.prefix) {
            if (lower.compare(0, a.add.size(), a.add) != 0)
                continue;
            stem = a.strip + lower.substr(a.add.size());
        } else {
            if (lower.compare(lower.size() - a.add.size(), a.add.size(), a.add) != 0)
                continue;
            stem = lower.substr(0, lower.size() - a.add.size()) + a.strip;
        }
        if (!matches(a, stem))
            continue;
        const std::string *f = flagsOf(stem);
        if (!f && !stem.empty()) {
            std::string cap = stem; // a name's possessive: "London's"
            if (cap[0] >= 'a' && cap[0] <= 'z')
                cap[0] = char(cap[0] - 'a' + 'A');
            f = flagsOf(cap);
        }
        if (f && f->find(a.flag) != std::string::npos)
            tokens.push_back((a.prefix ? std::string("p") : std::string(1, a.flag)) + classFlags(*f));
    }
    auto ex = m_exceptions.find(lower);
    if (ex != m_exceptions.end())
        for (char k : ex->second)
            tokens.push_back(std::string("x") + k);
    std::sort(tokens.begin(), tokens.end());
    tokens.erase(std::unique(tokens.begin(), tokens.end()), tokens.end());
    std::string out;
    for (const std::string &t : tokens)
        out += (out.empty() ? "" : " ") + t;
    return out;
}

} // namespace PennovaChecker
