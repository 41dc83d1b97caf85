#include "confusionmodel.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

namespace PennovaChecker {

namespace {

constexpr double kTagSmoothing = 0.5;  // added to every tag count
constexpr double kBackOff = 20.0;      // weight of the part-of-speech counts in a member's own
constexpr uint64_t kMinMemberCount = 5; // a word seen less often is never proposed
constexpr size_t kMaxLine = 4096;

std::string joined(const std::string &a, const std::string &b)
{
    return a + ' ' + b;
}

} // namespace

const std::vector<std::vector<std::string>> &ConfusionModel::defaultSets()
{
    // sound-alikes and near-spellings that learners write for each other
    // (its/it's, to/too and the like are the hand-written rules' in ConfusionRules; pairs
    // whose members are both common function words or verbs - want/went, form/from, of/off,
    // to/too, were/where, wear/where - flag native text too often on held-out sentences)
    static const std::vector<std::vector<std::string>> sets = {
        {"great", "grate"},       {"buy", "by"},           {"their", "there"},       {"weather", "whether"},
        {"peace", "piece"},       {"brake", "break"},      {"hear", "here"},         {"know", "no"},
        {"write", "right"},       {"weak", "week"},        {"whole", "hole"},        {"meet", "meat"},
        {"accept", "except"},    {"advice", "advise"},     {"quiet", "quite"},
        {"knew", "new"},          {"sea", "see"},          {"passed", "past"},       {"plain", "plane"},
        {"principal", "principle"}, {"dessert", "desert"}, {"bored", "board"},       {"son", "sun"},
        {"waist", "waste"},       {"male", "mail"},        {"flour", "flower"},      {"role", "roll"},
        {"steal", "steel"},       {"affect", "effect"},    {"sight", "site"},        {"fair", "fare"},
        {"tail", "tale"},         {"wait", "weight"},      {"hour", "our"},          {"bear", "bare"},
        {"aloud", "allowed"},     {"course", "coarse"},    {"price", "prize"},       {"later", "latter"},
        {"dairy", "diary"},       {"cloths", "clothes"},
        // word forms and near-spellings that learners mix up too, kept where held-out native
        // text flags none of their uses
        {"than", "then"},         {"though", "thought"},   {"through", "thorough"},  {"sit", "seat"},
        {"sense", "since"},       {"thing", "think"},      {"life", "live"},         {"does", "dose"},
        {"feel", "fell"},         {"began", "begun"},      {"shore", "sure"},        {"chose", "choose"},
        {"save", "safe"},         {"below", "bellow"},     {"device", "devise"},     {"bath", "bathe"},
        {"cost", "coast"},        {"especially", "specially"}, {"tough", "taught"}};
    return sets;
}

std::string ConfusionModel::neighbourWord(const std::vector<Token> &t, int i, int offset)
{
    const int k = i + offset;
    if (k < 0)
        return "<s>";
    if (k >= int(t.size()))
        return "</s>";
    const Token &tok = t[size_t(k)];
    if (tok.kind == Token::Number)
        return "<num>";
    if (tok.kind == Token::Word || tok.kind == Token::Punct)
        return tok.lower;
    return "<other>";
}

std::string ConfusionModel::neighbourTag(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                                         int offset)
{
    const int k = i + offset;
    if (k < 0)
        return "<s>";
    if (k >= int(t.size()) || k >= int(tags.size()))
        return "</s>";
    return tags[size_t(k)].empty() ? std::string("<none>") : tags[size_t(k)];
}

void ConfusionModel::add(const std::vector<Token> &t, const std::vector<std::string> &tags)
{
    if (m_setOf.empty()) {
        m_sets = defaultSets();
        for (size_t s = 0; s < m_sets.size(); ++s)
            for (const std::string &w : m_sets[s])
                m_setOf.emplace(w, int(s)); // a word in two sets keeps its first
    }
    if (tags.size() != t.size())
        return;
    for (int i = 0; i < int(t.size()); ++i) {
        const std::string &tag = tags[size_t(i)];
        const std::string around = window(t, tags, i);
        const std::string l = neighbourWord(t, i, -1), r = neighbourWord(t, i, 1);
        ++m_tagCount[tag];
        ++m_tagWindow[joined(tag, around)];
        ++m_tagLeft[joined(tag, l)];
        ++m_tagRight[joined(tag, r)];
        ++m_wordFrequency[neighbourWord(t, i, 0)];
        if (t[size_t(i)].kind != Token::Word || !m_setOf.count(t[size_t(i)].lower))
            continue;
        Member &m = m_members[t[size_t(i)].lower];
        ++m.count;
        ++m.tags[tag];
        ++m.window[around];
        ++m.left[l];
        ++m.right[r];
    }
}

bool ConfusionModel::save(const std::string &path, size_t vocabulary) const
{
    std::ofstream out(path);
    if (!out)
        return false;
    std::vector<std::pair<uint64_t, std::string>> byFrequency;
    for (const auto &[w, n] : m_wordFrequency)
        byFrequency.emplace_back(n, w);
    std::sort(byFrequency.begin(), byFrequency.end(), [](const auto &a, const auto &b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    std::unordered_set<std::string> vocab;
    for (size_t k = 0; k < byFrequency.size() && k < vocabulary; ++k)
        vocab.insert(byFrequency[k].second);
    auto word = [&](const std::string &w) { return vocab.count(w) ? w : std::string("<rare>"); };
    // the parts of speech of the members (1% of a member's uses or more)
    std::unordered_set<std::string> usedTags;
    for (const auto &[w, m] : m_members)
        for (const auto &[tag, n] : m.tags)
            if (n * 100 >= m.count)
                usedTags.insert(tag);
    auto sorted = [](const std::unordered_map<std::string, uint64_t> &counts) {
        std::vector<std::pair<std::string, uint64_t>> v(counts.begin(), counts.end());
        std::sort(v.begin(), v.end());
        return v;
    };
    auto mapped = [&](const std::unordered_map<std::string, uint64_t> &counts, bool keyHasTag) {
        std::unordered_map<std::string, uint64_t> v;
        for (const auto &[key, n] : counts) {
            if (!keyHasTag) {
                v[word(key)] += n;
                continue;
            }
            const size_t sp = key.find(' ');
            if (usedTags.count(key.substr(0, sp)))
                v[joined(key.substr(0, sp), word(key.substr(sp + 1)))] += n;
        }
        return sorted(v);
    };
    out << "# Pennova confusion model: neighbour counts of confusion sets, learned from native text\n";
    for (const auto &set : m_sets) {
        out << "set";
        for (const std::string &w : set)
            out << ' ' << w;
        out << '\n';
    }
    std::vector<std::string> members;
    for (const auto &[w, m] : m_members)
        members.push_back(w);
    std::sort(members.begin(), members.end());
    for (const std::string &w : members) {
        const Member &m = m_members.at(w);
        out << "member " << w << ' ' << m.count << '\n';
        for (const auto &[tag, n] : sorted(m.tags))
            out << "mt " << w << ' ' << tag << ' ' << n << '\n';
        for (const auto &[key, n] : sorted(m.window))
            out << "mw " << w << ' ' << key << ' ' << n << '\n';
        for (const auto &[x, n] : mapped(m.left, false))
            out << "ml " << w << ' ' << x << ' ' << n << '\n';
        for (const auto &[x, n] : mapped(m.right, false))
            out << "mr " << w << ' ' << x << ' ' << n << '\n';
    }
    for (const auto &[tag, n] : sorted(m_tagCount))
        if (usedTags.count(tag))
            out << "tc " << tag << ' ' << n << '\n';
    for (const auto &[key, n] : sorted(m_tagWindow))
        if (n >= 2 && usedTags.count(key.substr(0, key.find(' '))))
            out << "tw " << key << ' ' << n << '\n';
    for (const auto &[key, n] : mapped(m_tagLeft, true))
        if (n >= 2)
            out << "tl " << key << ' ' << n << '\n';
    for (const auto &[key, n] : mapped(m_tagRight, true))
        if (n >= 2)
            out << "tr " << key << ' ' << n << '\n';
    return bool(out);
}

bool ConfusionModel::load(const std::string &path, std::string *error)
{
    *this = ConfusionModel();
    auto fail = [&](const std::string &why) {
        *this = ConfusionModel();
        if (error)
            *error = why;
        return false;
    };
    std::ifstream in(path);
    if (!in)
        return fail("cannot read " + path);
    std::string line;
    int lineNo = 0;
    std::unordered_set<std::string> windows;
    while (std::getline(in, line)) {
        ++lineNo;
        if (line.empty() || line[0] == '#')
            continue;
        if (line.size() > kMaxLine)
            return fail("line " + std::to_string(lineNo) + " too long");
        std::istringstream ss(line);
        std::string kind;
        ss >> kind;
        std::vector<std::string> f;
        for (std::string x; ss >> x;)
            f.push_back(x);
        if (kind == "set") {
            if (f.size() < 2)
                return fail("line " + std::to_string(lineNo) + ": a set needs two words");
            for (const std::string &w : f)
                m_setOf.emplace(w, int(m_sets.size()));
            m_sets.push_back(f);
            continue;
        }
        // every other line ends in a count
        const size_t fields = kind == "member" || kind == "tc" ? 2 : kind == "tw" || kind == "mw" ? 5 : 3;
        if (f.size() != fields || f.back().find_first_not_of("0123456789") != std::string::npos
            || f.back().size() > 12)
            return fail("line " + std::to_string(lineNo) + ": malformed");
        const uint64_t n = std::stoull(f.back());
        if (kind == "member") {
            m_members[f[0]].count = n;
        } else if (kind == "mt") {
            m_members[f[0]].tags[f[1]] = n;
        } else if (kind == "mw") {
            m_members[f[0]].window[joined(joined(f[1], f[2]), f[3])] = n;
        } else if (kind == "ml" || kind == "mr") {
            (kind == "ml" ? m_members[f[0]].left : m_members[f[0]].right)[f[1]] = n;
            m_vocabulary.insert(f[1]);
        } else if (kind == "tc") {
            m_tagCount[f[0]] = n;
        } else if (kind == "tw") {
            const std::string around = joined(joined(f[1], f[2]), f[3]);
            m_tagWindow[joined(f[0], around)] = n;
            windows.insert(around);
        } else if (kind == "tl" || kind == "tr") {
            (kind == "tl" ? m_tagLeft : m_tagRight)[joined(f[0], f[1])] = n;
            m_vocabulary.insert(f[1]);
        } else {
            return fail("line " + std::to_string(lineNo) + ": unknown kind " + kind);
        }
    }
    if (m_sets.empty() || m_members.empty())
        return fail(path + ": no confusion sets");
    for (auto &[w, m] : m_members)
        if (!m_setOf.count(w))
            return fail(path + ": " + w + " is in no set");
    m_vocabulary.erase("<rare>");
    m_tagKinds = std::max<size_t>(1, windows.size());
    return true;
}

std::string ConfusionModel::counted(const std::string &word) const
{
    if (word.size() > 2 && word[0] == '<')
        return word; // <s>, </s>, <num>
    return m_vocabulary.count(word) ? word : std::string("<rare>");
}

std::string ConfusionModel::window(const std::vector<Token> &t, const std::vector<std::string> &tags, int i)
{
    return joined(joined(neighbourTag(t, tags, i, -2), neighbourTag(t, tags, i, -1)), neighbourTag(t, tags, i, 1));
}

double ConfusionModel::windowProbability(const Member &m, const std::string &around) const
{
    double byTag = 0.0;
    for (const auto &[tag, n] : m.tags) {
        const auto total = m_tagCount.find(tag);
        if (total == m_tagCount.end())
            continue;
        const auto it = m_tagWindow.find(joined(tag, around));
        const double c = it == m_tagWindow.end() ? 0.0 : double(it->second);
        byTag += double(n) / double(m.count) * (c + kTagSmoothing)
            / (double(total->second) + kTagSmoothing * double(m_tagKinds));
    }
    const auto it = m.window.find(around);
    const double c = it == m.window.end() ? 0.0 : double(it->second);
    return (c + kBackOff * byTag) / (double(m.count) + kBackOff);
}

double ConfusionModel::wordProbability(const Member &m, const std::string &word, bool left) const
{
    const auto &table = left ? m_tagLeft : m_tagRight;
    const double kinds = double(m_vocabulary.size() + 4);
    double byTag = 0.0;
    for (const auto &[tag, n] : m.tags) {
        const auto total = m_tagCount.find(tag);
        if (total == m_tagCount.end())
            continue;
        const auto it = table.find(joined(tag, word));
        const double c = it == table.end() ? 0.0 : double(it->second);
        byTag += double(n) / double(m.count) * (c + kTagSmoothing) / (double(total->second) + kTagSmoothing * kinds);
    }
    const auto &own = left ? m.left : m.right;
    const auto it = own.find(word);
    const double c = it == own.end() ? 0.0 : double(it->second);
    return (c + kBackOff * byTag) / (double(m.count) + kBackOff);
}

ConfusionModel::Verdict ConfusionModel::judge(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                              int i) const
{
    Verdict v;
    if (i < 0 || i >= int(t.size()) || t[size_t(i)].kind != Token::Word || tags.size() != t.size())
        return v;
    const auto set = m_setOf.find(t[size_t(i)].lower);
    const auto written = m_members.find(t[size_t(i)].lower);
    if (set == m_setOf.end() || written == m_members.end() || written->second.count == 0)
        return v;
    const std::string around = window(t, tags, i);
    // "to" is tagged by the word after it, the word in question: a member that is mostly a verb
    // base is also weighed with "to" as its infinitive marker ("wait to sea you": see)
    std::string aroundTo;
    if (neighbourWord(t, i, -1) == "to" && neighbourTag(t, tags, i, -1) != "TO")
        aroundTo = joined(joined(neighbourTag(t, tags, i, -2), "TO"), neighbourTag(t, tags, i, 1));
    auto mostlyBase = [](const Member &m) {
        const auto vb = m.tags.find("VB");
        return vb != m.tags.end() && 2 * vb->second > m.count;
    };
    const std::string l = counted(neighbourWord(t, i, -1)), r = counted(neighbourWord(t, i, 1));
    const Member &w = written->second;
    const double tagsW = windowProbability(w, around);
    const double wordsW = wordProbability(w, l, true) * wordProbability(w, r, false);
    double best = 0.0;
    for (const std::string &c : m_sets[size_t(set->second)]) {
        const auto other = m_members.find(c);
        if (c == t[size_t(i)].lower || other == m_members.end() || other->second.count < kMinMemberCount)
            continue;
        const Member &m = other->second;
        // the rarer word is the likelier slip: "grate" is more often "great" misspelt
        const double prior = std::sqrt(double(m.count) / double(w.count));
        double inWindow = windowProbability(m, around);
        if (!aroundTo.empty() && mostlyBase(m))
            inWindow = std::max(inWindow, windowProbability(m, aroundTo));
        const double tagRatio = prior * inWindow / tagsW;
        const double wordRatio = wordProbability(m, l, true) * wordProbability(m, r, false) / wordsW;
        const bool byBoth = tagRatio * wordRatio >= minRatio;
        const bool byTags = w.count < rareWritten && tagRatio >= minTagRatioRare;
        if (tagRatio >= minEach && wordRatio >= minEach && (byBoth || byTags) && tagRatio * wordRatio > best) {
            best = tagRatio * wordRatio;
            v.better = c;
            v.tagRatio = tagRatio;
            v.wordRatio = wordRatio;
            v.rareWord = w.count < rareWritten;
        }
    }
    return v;
}

} // namespace PennovaChecker
