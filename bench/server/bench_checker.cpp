// Checker benchmark: sentences per second of checkSentence over essay10k.txt, and the
// false-alarm rate on CWEB sentences that no annotator edited (and, for reference,
// how many edited sentences get at least one finding).
// Usage: bench_checker [--confidence N] [--show N] (print N false alarms) [--missed N] (print N
// learner sentences left without a finding) [--wrong N] (print N findings at an annotator's edit whose first
// candidate is not that edit) [--dev-wrong N] (the same first-candidate measure on JFLEG dev alone, per kind,
// printing N such findings) [--check SENTENCE...] [--file LINES] [--quick] (speed, CWEB, REALEC and
// JFLEG dev only) [--kind KIND] (print the REALEC and JFLEG dev findings of one explanation kind, marked
// HIT where an annotator marked a token they cover). REALEC and JFLEG dev are scored token by token, per kind.

#include "pennovapaths.h"
#include "englishchecker.h"
#include "learnersets.h"
#include "spellingpairs.h"

#include <cctype>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace PennovaChecker;
using namespace LearnerSets;

namespace {

std::vector<std::string> sentenceConfig(int confidence)
{
    return {"server.style", "4", "server.spell", "2", "server.mor", "1", "server.dependency", "0",
            "server.grammar", "6", "server.rule", "7", "server.real", "3", "server.det", "5",
            "server.poststyle", "9", "server.confidence", std::to_string(confidence)};
}

// Rough sentence split of running text (the client splits more carefully).
std::vector<std::string> splitSentences(const std::string &text)
{
    std::vector<std::string> out;
    std::string cur;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') {
            if (!cur.empty())
                out.push_back(cur);
            cur.clear();
            continue;
        }
        cur.push_back(c);
        if ((c == '.' || c == '?' || c == '!') && (i + 1 >= text.size() || text[i + 1] == ' ')) {
            out.push_back(cur);
            cur.clear();
            if (i + 1 < text.size())
                ++i;
        }
    }
    if (!cur.empty())
        out.push_back(cur);
    return out;
}

// The corrected words of finding f with one neighbour on each side, as they stand
// after applying its first candidate to s, found in one of the references.
bool firstCandidateInReference(const std::string &s, const Json::Value &f, const std::vector<std::string> &refs)
{
    if (f["candidates"].empty())
        return false; // a finding without candidates proposes no edit
    // offsets are UTF-16; JFLEG is ASCII apart from a few characters, so bytes match here
    const size_t a = std::min<size_t>(f["start"].asUInt(), s.size());
    const size_t b = std::min<size_t>(std::max<size_t>(f["end"].asUInt(), a), s.size());
    std::string fixed = s.substr(0, a) + f["candidates"][0u]["correction"].asString() + s.substr(b);
    const size_t editEnd = a + f["candidates"][0u]["correction"].asString().size();
    size_t from = a, to = editEnd;
    while (from > 0 && fixed[from - 1] == ' ')
        --from;
    while (from > 0 && fixed[from - 1] != ' ')
        --from;
    while (to < fixed.size() && fixed[to] == ' ')
        ++to;
    while (to < fixed.size() && fixed[to] != ' ')
        ++to;
    std::string window = fixed.substr(from, to - from);
    // collapse doubled spaces left by a deletion
    for (size_t p; (p = window.find("  ")) != std::string::npos;)
        window.erase(p, 1);
    while (!window.empty() && std::ispunct(static_cast<unsigned char>(window.back())))
        window.pop_back();
    for (const std::string &r : refs)
        if (!window.empty() && r.find(window) != std::string::npos)
            return true;
    return false;
}

// Corrected measure: the words finding f leaves after applying its first candidate to s,
// compared with the words each reference writes for the same source words (with or
// without what the reference inserts just before or after them). Only references that
// changed something there count; *edited tells whether any did.
// A finding whose first candidate no annotator wrote, with the sentence and its references.
void printWrong(const std::string &s, const Json::Value &f, const std::vector<std::string> &refs)
{
    std::printf("  WRONG %s '%s' ->", f["explainType"].asCString(), f["errorInfo"].asCString());
    for (const Json::Value &c : f["candidates"])
        std::printf(" '%s' %.2f", c["correction"].asCString(), c["score"].asDouble());
    std::printf("\n       %s\n", s.c_str());
    for (const std::string &x : refs)
        std::printf("    => %s\n", x.c_str());
}

bool firstCandidateIsEdit(const std::string &s, const Json::Value &f, const std::vector<std::string> &refs,
                          bool *edited)
{
    const size_t a = std::min<size_t>(f["start"].asUInt(), s.size());
    const size_t b = std::min<size_t>(std::max<size_t>(f["end"].asUInt(), a), s.size());
    // the client joins the words around a deletion with one space
    const bool deletion = f["candidates"][0u]["candidateType"].asString() == "DELETION";
    const std::string correction = deletion ? std::string(" ") : f["candidates"][0u]["correction"].asString();
    const std::vector<Piece> src = pieces(s);
    const std::vector<Piece> fixedPieces = pieces(s.substr(0, a) + correction + s.substr(b));
    // the source words the finding covers: [ta, tb)
    size_t ta = 0;
    while (ta < src.size() && src[ta].end <= a)
        ++ta;
    size_t tb = ta;
    while (tb < src.size() && src[tb].start < b)
        ++tb;
    std::vector<std::string> proposed;
    for (const Piece &p : fixedPieces)
        if (p.end > a && p.start < a + correction.size())
            proposed.push_back(p.text);
    if (ta == tb && (deletion || correction.empty()))
        return *edited = false; // deletes nothing
    std::vector<std::string> original;
    for (size_t k = ta; k < tb; ++k)
        original.push_back(src[k].text);
    *edited = false;
    bool right = false;
    for (const std::string &r : refs) {
        const std::vector<Piece> ref = pieces(r);
        const Alignment al = align(src, ref);
        std::vector<std::string> core;
        for (size_t k = ta; k < tb; ++k) {
            if (k > ta)
                core.insert(core.end(), al.inserted[k].begin(), al.inserted[k].end());
            if (al.target[k] >= 0)
                core.push_back(ref[size_t(al.target[k])].text);
        }
        const std::vector<std::string> &before = al.inserted[ta], &after = al.inserted[tb];
        if (core == original && before.empty() && after.empty())
            continue; // this annotator left these words alone
        *edited = true;
        std::vector<std::string> withBefore = before, withAfter = core, withBoth;
        withBefore.insert(withBefore.end(), core.begin(), core.end());
        withAfter.insert(withAfter.end(), after.begin(), after.end());
        withBoth = withBefore;
        withBoth.insert(withBoth.end(), after.begin(), after.end());
        right = right || proposed == core || proposed == withBefore || proposed == withAfter || proposed == withBoth;
    }
    return right;
}

// JFLEG dev, the development counterpart of the test-set measure: of the findings at an
// annotator's edit, the share whose first candidate is that edit, per kind and in all; and the
// first `show` findings at an edit whose first candidate no annotator wrote.
void devFirstCandidates(const std::string &data, EnglishChecker &checker, const std::vector<std::string> &config,
                        int show)
{
    const std::vector<std::string> src = readLines(data + "grammar/jfleg/dev/dev.src");
    std::vector<std::vector<std::string>> refs;
    for (int k = 0; k < 4; ++k)
        refs.push_back(readLines(data + "grammar/jfleg/dev/dev.ref" + std::to_string(k)));
    if (src.empty()) {
        std::printf("JFLEG dev not found under %s (set PENNOVA_BENCH_DATA)\n", data.c_str());
        return;
    }
    std::map<std::string, std::pair<int, int>> byKind; // kind -> findings at an edit, first candidate is the edit
    int atEdit = 0, isEditCount = 0;
    for (size_t i = 0; i < src.size(); ++i) {
        const std::string s = detokenise(src[i]);
        std::vector<std::string> r;
        for (const auto &ref : refs)
            r.push_back(i < ref.size() ? detokenise(ref[i]) : s);
        const Json::Value rec = checker.checkSentence(int(i), s, 0, config, {});
        for (const Json::Value &f : rec["corrections"]) {
            if (f["errorType"].asString() == "SUGGESTION" || f["candidates"].empty())
                continue;
            bool edited = false;
            const bool isEdit = firstCandidateIsEdit(s, f, r, &edited);
            if (!edited)
                continue;
            auto &slot = byKind[f["errorType"].asString() + "/" + f["explainType"].asString()];
            ++slot.first;
            slot.second += isEdit ? 1 : 0;
            ++atEdit;
            isEditCount += isEdit ? 1 : 0;
            if (!isEdit && show > 0) {
                --show;
                printWrong(s, f, r);
            }
        }
    }
    std::printf("JFLEG dev, findings at an annotator's edit; first candidate is the edit:\n");
    for (const auto &[kind, n] : byKind)
        std::printf("    %-40s %4d at an edit, %4d first candidate is the edit (%5.1f%%)\n", kind.c_str(), n.first,
                    n.second, 100.0 * n.second / std::max(1, n.first));
    std::printf("all kinds: %d at an edit, %d first candidate is the edit (%.1f%%)\n", atEdit, isEditCount,
                100.0 * isEditCount / std::max(1, atEdit));
}

// Token-level scoring on a labelled learner set, per kind of finding (errorType/explainType):
// the tokens a kind flags, how many of them the annotators marked wrong (precision) and what
// share of all wrong tokens that is (recall); then all kinds together, and the share of
// sentences without any wrong token that get a finding.
struct LabelledScore
{
    int wrongTokens = 0, flagged = 0, right = 0, clean = 0, cleanFlagged = 0;
    int articleTokens = 0, articleFound = 0; // tokens wrong because of an article; flagged by an article kind
    int articleByOther = 0; // of the rest, tokens whose article another kind's first candidate changes
    int numberTokens = 0, numberFound = 0;   // tokens wrong because of a noun's number; flagged by a number kind
    int numberFlagged = 0, numberRight = 0;  // tokens any number kind flags; of them marked wrong
    int prepositionTokens = 0, prepositionFound = 0; // tokens wrong because of a preposition; flagged by a preposition kind
    // the same tokens flagged by any finding at all (what a reader marking by error type sees)
    int articleAny = 0, numberAny = 0, prepositionAny = 0;
};

// The kinds of finding about a preposition: its choice, a missing or an unneeded one, a phrase
// with the wrong one ("according to my opinion"); a gerund after a preposition is the verb's.
bool prepositionKind(const std::string &explain)
{
    return (explain.find("preposition") != std::string::npos && explain != "gerund_after_preposition")
        || explain == "look_forward_to" || explain == "according_to_opinion";
}

// Whether a finding's first candidate adds, drops or changes "a", "an" or "the" ("a products" ->
// "products", "than other" -> "than the other").
bool firstCandidateChangesArticle(const Json::Value &f)
{
    if (f["candidates"].empty())
        return false;
    const auto articles = [](const std::string &text) {
        std::vector<std::string> found;
        std::istringstream words(text);
        for (std::string w; words >> w;) {
            std::transform(w.begin(), w.end(), w.begin(), [](unsigned char c) { return char(std::tolower(c)); });
            if (w == "a" || w == "an" || w == "the")
                found.push_back(w);
        }
        return found;
    };
    return articles(f["errorInfo"].asString()) != articles(f["candidates"][0u]["correction"].asString());
}

// The kinds of finding about a noun's number (and its determiner's agreement with it).
bool numberKind(const std::string &explain)
{
    static const char *const kinds[] = {"noun_number", "noun_plural", "number_word", "uncountable_plural",
                                        "uncountable_count", "determiner_number", "irregular_plural", "other_singular"};
    return std::any_of(std::begin(kinds), std::end(kinds), [&](const char *k) { return explain == k; });
}

LabelledScore scoreLabelled(const char *name, const std::vector<LabelledSentence> &set, const EnglishChecker &checker,
                            const std::vector<std::string> &config, const std::string &showKind = {})
{
    struct Kind
    {
        int flagged = 0, right = 0;
    };
    std::map<std::string, Kind> kinds;
    LabelledScore total;
    for (size_t i = 0; i < set.size(); ++i) {
        const LabelledSentence &s = set[i];
        const Json::Value record = checker.checkSentence(int(i), s.text, 0, config, {});
        std::vector<bool> any(s.wrong.size(), false), byArticleKind(s.wrong.size(), false),
            byNumberKind(s.wrong.size(), false), byPrepositionKind(s.wrong.size(), false),
            byOtherArticleFix(s.wrong.size(), false);
        for (const Json::Value &f : record["corrections"]) {
            const int a = f["start"].asInt(), b = std::max(f["end"].asInt(), a + 1);
            Kind &kind = kinds[f["errorType"].asString() + "/" + f["explainType"].asString()];
            const std::string explain = f["explainType"].asString();
            const bool articleKind = explain.rfind("article", 0) == 0 || explain == "the_same";
            const bool articleFix = !articleKind && firstCandidateChangesArticle(f);
            bool hit = false;
            for (size_t k = 0; k < s.wrong.size(); ++k) {
                if (s.start[k] >= b || a >= s.end[k])
                    continue;
                hit = hit || s.wrong[k];
                ++kind.flagged;
                kind.right += s.wrong[k] ? 1 : 0;
                any[k] = true;
                byArticleKind[k] = byArticleKind[k] || articleKind;
                byOtherArticleFix[k] = byOtherArticleFix[k] || articleFix;
                byNumberKind[k] = byNumberKind[k] || numberKind(explain);
                byPrepositionKind[k] = byPrepositionKind[k] || prepositionKind(explain);
            }
            if (explain == showKind)
                std::printf("  %s '%s' -> '%s': %s\n", hit ? "HIT " : "MISS", f["errorInfo"].asCString(),
                            f["candidates"].empty() ? "" : f["candidates"][0u]["correction"].asCString(),
                            s.text.c_str());
        }
        for (size_t k = 0; k < s.wrong.size(); ++k) {
            total.wrongTokens += s.wrong[k] ? 1 : 0;
            total.flagged += any[k] ? 1 : 0;
            total.right += any[k] && s.wrong[k] ? 1 : 0;
            total.articleTokens += s.article[k] ? 1 : 0;
            total.articleFound += s.article[k] && byArticleKind[k] ? 1 : 0;
            total.articleAny += s.article[k] && any[k] ? 1 : 0;
            total.numberAny += s.number[k] && any[k] ? 1 : 0;
            total.prepositionAny += s.preposition[k] && any[k] ? 1 : 0;
            total.articleByOther += s.article[k] && !byArticleKind[k] && byOtherArticleFix[k] ? 1 : 0;
            total.numberTokens += s.number[k] ? 1 : 0;
            total.numberFound += s.number[k] && byNumberKind[k] ? 1 : 0;
            total.prepositionTokens += s.preposition[k] ? 1 : 0;
            total.prepositionFound += s.preposition[k] && byPrepositionKind[k] ? 1 : 0;
            total.numberFlagged += byNumberKind[k] ? 1 : 0;
            total.numberRight += byNumberKind[k] && s.wrong[k] ? 1 : 0;
        }
        if (s.clean()) {
            ++total.clean;
            total.cleanFlagged += record["corrections"].empty() ? 0 : 1;
        }
    }
    std::printf("%s: %zu sentences, %d wrong tokens; per kind: flagged tokens, precision, recall\n", name, set.size(),
                total.wrongTokens);
    for (const auto &[kind, n] : kinds)
        std::printf("    %-40s %5d  P %5.1f%%  R %5.2f%%\n", kind.c_str(), n.flagged,
                    100.0 * n.right / std::max(1, n.flagged), 100.0 * n.right / std::max(1, total.wrongTokens));
    const double p = double(total.right) / std::max(1, total.flagged), r = double(total.right) / std::max(1, total.wrongTokens);
    std::printf("    %-40s %5d  P %5.1f%%  R %5.2f%%  F0.5 %.3f; clean sentences flagged %d of %d (%.1f%%)\n",
                "all kinds", total.flagged, 100.0 * p, 100.0 * r, p + r > 0 ? 1.25 * p * r / (0.25 * p + r) : 0.0,
                total.cleanFlagged, total.clean, 100.0 * total.cleanFlagged / std::max(1, total.clean));
    std::printf("    article errors: %d tokens, %d of them flagged by an article kind (recall %.1f%%); by any finding %d (%.1f%%)\n",
                total.articleTokens, total.articleFound, 100.0 * total.articleFound / std::max(1, total.articleTokens),
                total.articleAny, 100.0 * total.articleAny / std::max(1, total.articleTokens));
    std::printf("    article errors another kind's first candidate mends (determiner_number, quantifier_of, ...): %d\n",
                total.articleByOther);
    const double np = double(total.numberRight) / std::max(1, total.numberFlagged),
                 nr = double(total.numberRight) / std::max(1, total.wrongTokens);
    std::printf("    %-40s %5d  P %5.1f%%  R %5.2f%%  F0.5 %.3f\n", "noun number kinds together", total.numberFlagged,
                100.0 * np, 100.0 * nr, np + nr > 0 ? 1.25 * np * nr / (0.25 * np + nr) : 0.0);
    if (total.numberTokens)
        std::printf("    noun number errors: %d tokens, %d of them flagged by a number kind (recall %.1f%%); by any finding %d (%.1f%%)\n",
                    total.numberTokens, total.numberFound, 100.0 * total.numberFound / total.numberTokens,
                    total.numberAny, 100.0 * total.numberAny / total.numberTokens);
    if (total.prepositionTokens)
        std::printf("    preposition errors: %d tokens, %d of them flagged by a preposition kind (recall %.1f%%); by any finding %d (%.1f%%)\n",
                    total.prepositionTokens, total.prepositionFound,
                    100.0 * total.prepositionFound / total.prepositionTokens, total.prepositionAny,
                    100.0 * total.prepositionAny / total.prepositionTokens);
    return total;
}

double peakMegabytes()
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    return 0.0;
}

} // namespace

int main(int argc, char **argv)
{
    int confidence = 2;
    int show = 0;
    int missed = 0; // print this many JFLEG sentences that every annotator edited and no finding touched
    int wrong = 0; // print this many findings whose first candidate is in no reference
    int devWrong = -1; // --dev-wrong N: the first-candidate measure on JFLEG dev only, with N wrong findings
    bool quick = false; // --quick: speed, CWEB and the learner sets only
    std::string showKind; // --kind KIND: print the learner findings of that explanation kind
    for (int i = 1; i < argc; ++i)
        quick = quick || !std::strcmp(argv[i], "--quick");
    for (int i = 1; i + 1 < argc; ++i) {
        if (!std::strcmp(argv[i], "--confidence"))
            confidence = std::atoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--show"))
            show = std::atoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--missed"))
            missed = std::atoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--wrong"))
            wrong = std::atoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--kind"))
            showKind = argv[i + 1];
        if (!std::strcmp(argv[i], "--dev-wrong"))
            devWrong = std::max(0, std::atoi(argv[i + 1]));
    }
    const std::string data = LearnerSets::benchData();
    auto t0 = std::chrono::steady_clock::now();
    EnglishChecker checker;
    std::printf("loading: %.0f ms\n",
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    const std::vector<std::string> config = sentenceConfig(confidence);
    auto printFindings = [](const std::string &sentence, const Json::Value &record) {
        std::printf("%s\n", sentence.c_str());
        for (const Json::Value &f : record["corrections"]) {
            std::printf("    %s/%s '%s' ->", f["errorType"].asCString(), f["explainType"].asCString(),
                        f["errorInfo"].asCString());
            for (const Json::Value &c : f["candidates"])
                std::printf(" '%s' %.2f", c["correction"].asCString(), c["score"].asDouble());
            std::printf("\n");
        }
    };
    // --check TEXT...: print the findings for each given sentence and stop
    // --file PATH: the same for each line of PATH that gets a finding, then their count
    // --context (before either): each sentence is checked after the one before it, as in a text
    bool context = false;
    for (int i = 1; i < argc; ++i)
        context = context || !std::strcmp(argv[i], "--context");
    const auto before = [context](const std::string &previous) {
        return context && !previous.empty() ? std::vector<std::string>{previous} : std::vector<std::string>{};
    };
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--check")) {
            for (int k = i + 1; k < argc; ++k)
                printFindings(argv[k], checker.checkSentence(0, argv[k], 0, config, {}, before(k > i + 1 ? argv[k - 1] : "")));
            return 0;
        }
        if (!std::strcmp(argv[i], "--file") && i + 1 < argc) {
            const std::vector<std::string> lines = readLines(argv[i + 1]);
            int hit = 0;
            std::string previous;
            for (const std::string &line : lines) {
                const Json::Value record = checker.checkSentence(0, line, 0, config, {}, before(previous));
                previous = line;
                if (record["corrections"].empty())
                    continue;
                ++hit;
                printFindings(line, record);
            }
            std::printf("%d of %zu lines get findings\n", hit, lines.size());
            return 0;
        }
    }

    if (devWrong >= 0) {
        devFirstCandidates(data, checker, config, devWrong);
        return 0;
    }

    // speed
    std::ifstream essayFile(data + "essay/essay10k.txt");
    const std::string essay((std::istreambuf_iterator<char>(essayFile)), std::istreambuf_iterator<char>());
    const std::vector<std::string> sentences = splitSentences(essay);
    size_t findings = 0;
    t0 = std::chrono::steady_clock::now();
    const std::clock_t cpu0 = std::clock();
    for (size_t i = 0; i < sentences.size(); ++i) {
        const std::vector<std::string> prev = i ? std::vector<std::string>{sentences[i - 1]} : std::vector<std::string>{};
        findings += checker.checkSentence(int(i), sentences[i], 0, config, {}, prev)["corrections"].size();
    }
    const double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    // CPU time too: on a shared machine the wall clock also counts other programs' turns
    const double cpuSecs = double(std::clock() - cpu0) / CLOCKS_PER_SEC;
    std::printf("essay10k: %zu sentences in %.2f s = %.0f sentences/s, %zu findings\n", sentences.size(), secs,
                sentences.size() / secs, findings);

    // false alarms on CWEB
    int cwebClean = 0, cwebFalse = 0;
    for (const char *set : {"CWEB-G", "CWEB-S"}) {
        const std::vector<bool> clean = uneditedBlocks(data + "grammar/cweb/m2/" + set + ".test.m2");
        const std::vector<std::string> source = readLines(data + "grammar/cweb/raw/" + set + ".test.source");
        if (clean.size() != source.size()) {
            std::printf("%s: m2 blocks (%zu) and raw lines (%zu) differ, skipped\n", set, clean.size(), source.size());
            continue;
        }
        int cleanCount = 0, falseAlarms = 0, editedCount = 0, editedHit = 0;
        std::map<std::string, int> byType;
        int shown = 0;
        for (size_t i = 0; i < source.size(); ++i) {
            const Json::Value r = checker.checkSentence(int(i), source[i], 0, config, {});
            const Json::Value &c = r["corrections"];
            if (clean[i]) {
                ++cleanCount;
                if (c.size()) {
                    ++falseAlarms;
                    for (const Json::Value &f : c)
                        ++byType[f["errorType"].asString() + "/" + f["explainType"].asString()];
                    if (shown < show) {
                        ++shown;
                        std::printf("  FA: %s\n", source[i].c_str());
                        for (const Json::Value &f : c)
                            std::printf("      %s %s '%s'\n", f["errorType"].asCString(), f["explainType"].asCString(),
                                        f["errorInfo"].asCString());
                    }
                }
            } else {
                ++editedCount;
                editedHit += c.size() ? 1 : 0;
            }
        }
        cwebClean += cleanCount;
        cwebFalse += falseAlarms;
        std::printf("%s: false alarms on %d unedited sentences: %d (%.2f%%); edited sentences flagged: %d of %d (%.1f%%)\n",
                    set, cleanCount, falseAlarms, 100.0 * falseAlarms / std::max(1, cleanCount), editedHit,
                    editedCount, 100.0 * editedHit / std::max(1, editedCount));
        for (const auto &[type, n] : byType)
            std::printf("    %-40s %d\n", type.c_str(), n);
    }

    // learner essays, token by token: REALEC dev and JFLEG dev (a token is wrong where two of
    // the four annotators changed it); JFLEG test stays a final check
    int doubledCopies = 0;
    const std::vector<LabelledSentence> realecSet = readRealec(data + "grammar/realec/en_realec_dev.tsv", &doubledCopies);
    std::printf("REALEC dev: %d sentences left out, copies with every token doubled\n", doubledCopies);
    const LabelledScore realec = scoreLabelled("REALEC dev", realecSet, checker, config, showKind);
    const LabelledScore jflegDev = scoreLabelled("JFLEG dev", readJfleg(data + "grammar/jfleg", "dev"), checker, config,
                                                 showKind);
    if (quick) {
        std::printf("\nCWEB unedited sentences flagged: %.2f%%\n", 100.0 * cwebFalse / std::max(1, cwebClean));
        return 0;
    }

    // learner sentences (JFLEG test): how many of those that every annotator edited get
    // findings, and how often a finding's first candidate is an annotator's edit (the
    // corrected words with their neighbours appear in one of the four references)
    const std::vector<std::string> src = readLines(data + "grammar/jfleg/test/test.src");
    std::vector<std::vector<std::string>> refs;
    for (int k = 0; k < 4; ++k)
        refs.push_back(readLines(data + "grammar/jfleg/test/test.ref" + std::to_string(k)));
    int flagged = 0, allEdited = 0, allEditedFlagged = 0, withCandidate = 0, firstRight = 0;
    int atEdit = 0, firstIsEdit = 0; // findings where an annotator changed the words; first candidate is that change
    int acceptAll = 0, acceptAllRight = 0; // of those, the ones accept-all applies; and applies rightly
    struct TypeCounts
    {
        int findings = 0, right = 0, atEdit = 0, isEdit = 0;
    };
    std::map<std::string, TypeCounts> jflegTypes;
    for (size_t i = 0; i < src.size(); ++i) {
        const std::string s = detokenise(src[i]);
        std::vector<std::string> r;
        bool everyEdited = true;
        for (const auto &ref : refs) {
            r.push_back(i < ref.size() ? detokenise(ref[i]) : s);
            everyEdited = everyEdited && r.back() != s;
        }
        const Json::Value rec = checker.checkSentence(int(i), s, 0, config, {});
        const bool any = rec["corrections"].size() > 0;
        flagged += any ? 1 : 0;
        allEdited += everyEdited ? 1 : 0;
        allEditedFlagged += everyEdited && any ? 1 : 0;
        if (everyEdited && !any && missed > 0) {
            --missed;
            std::printf("  MISSED: %s\n       -> %s\n", s.c_str(), r[0].c_str());
        }
        for (const Json::Value &f : rec["corrections"]) {
            if (f["errorType"].asString() == "SUGGESTION" || f["candidates"].empty())
                continue;
            ++withCandidate;
            const bool right = firstCandidateInReference(s, f, r);
            firstRight += right ? 1 : 0;
            bool edited = false;
            const bool isEdit = firstCandidateIsEdit(s, f, r, &edited);
            atEdit += edited ? 1 : 0;
            firstIsEdit += isEdit ? 1 : 0;
            // what accept-all would apply: a first candidate clearly ahead of the second
            const Json::Value &cands = f["candidates"];
            const double a = cands[0u]["score"].asDouble(), b = cands.size() > 1 ? cands[1u]["score"].asDouble() : 0.0;
            if (edited && (a >= 0.8 || a >= 4 * b)) {
                ++acceptAll;
                acceptAllRight += isEdit ? 1 : 0;
            }
            if (edited && !isEdit && wrong > 0) {
                --wrong;
                printWrong(s, f, r);
            }
            TypeCounts &slot = jflegTypes[f["errorType"].asString() + "/" + f["explainType"].asString()];
            ++slot.findings;
            slot.right += right ? 1 : 0;
            slot.atEdit += edited ? 1 : 0;
            slot.isEdit += isEdit ? 1 : 0;
        }
    }
    std::printf("JFLEG test: %d of %zu learner sentences get findings; %d findings with candidates\n", flagged,
                src.size(), withCandidate);
    for (const auto &[type, n] : jflegTypes)
        std::printf("    %-34s %4d findings, %4d first candidate in a reference; %4d at an edit, %4d first candidate "
                    "is the edit\n",
                    type.c_str(), n.findings, n.right, n.atEdit, n.isEdit);

    // misspelling detection: each misspelling of the shared sets inside a sentence, once in
    // lower case within it and once capitalised at its start; found = a finding on the word
    // (a spelling finding, or a morphology one such as "teached")
    int detectPairs = 0, detectMid = 0, detectFirst = 0;
    for (const SpellingPairs::Set &set : SpellingPairs::sharedSets(data + "spelling/")) {
        int mid = 0, first = 0, n = 0;
        for (const SpellingPair &p : set.second) {
            if (p.wrong.empty() || lowered(p.wrong) == lowered(p.right))
                continue;
            ++n;
            auto found = [&](const std::string &sentence, size_t at) {
                const Json::Value record = checker.checkSentence(0, sentence, 0, config, {});
                for (const Json::Value &f : record["corrections"])
                    if (f["errorType"].asString() != "SUGGESTION" && f["start"].asUInt() <= at && f["end"].asUInt() > at)
                        return true;
                return false;
            };
            const std::string word = lowered(p.wrong);
            std::string capital = word;
            capital[0] = char(std::toupper(static_cast<unsigned char>(capital[0])));
            mid += found("They wrote " + word + " here.", 11) ? 1 : 0;
            first += found(capital + " is what they wrote.", 0) ? 1 : 0;
        }
        std::printf("%-32s %5d misspellings: found %5.1f%% in lower case within a sentence, %5.1f%% capitalised "
                    "at its start\n",
                    set.first.c_str(), n, 100.0 * mid / std::max(1, n), 100.0 * first / std::max(1, n));
        detectPairs += n;
        detectMid += mid;
        detectFirst += first;
    }

    std::printf("\nwindow: of all findings with a candidate (%d), those whose first candidate, applied, gives the words\n"
                "  from the finding's left neighbour to its right one as some reference has them (%d);\n"
                "at edits: of the findings whose words some annotator changed (%d; %d had no edit there), those whose\n"
                "  first candidate writes what such an annotator wrote for the same words (%d), by word alignment;\n"
                "accept-all: of those at edits, the ones whose first candidate is clearly ahead (%d), and rightly (%d)\n",
                withCandidate, firstRight, atEdit, withCandidate - atEdit, firstIsEdit, acceptAll, acceptAllRight);
    std::printf("\n%-58s %10s %10s\n", "Measure", "Now", "Target");
    std::printf("%-58s %9.1f%% %10s\n", "JFLEG test sentences flagged, among those every annotator edited",
                100.0 * allEditedFlagged / std::max(1, allEdited), ">= 75 %");
    auto f05 = [](const LabelledScore &s) {
        const double p = double(s.right) / std::max(1, s.flagged), r = double(s.right) / std::max(1, s.wrongTokens);
        return p + r > 0 ? 1.25 * p * r / (0.25 * p + r) : 0.0;
    };
    std::printf("%-58s %10.3f %10s\n", "REALEC dev, token F0.5", f05(realec), ">= 0.32");
    std::printf("%-58s %10.3f %10s\n", "JFLEG dev, token F0.5 (two annotators agree)", f05(jflegDev), "");
    std::printf("%-58s %9.2f%% %10s\n", "CWEB test, unedited sentences flagged", 100.0 * cwebFalse / std::max(1, cwebClean),
                "<= 2 %");
    std::printf("%-58s %9.1f%% %10s\n", "First suggestion equals an annotator's edit (window)",
                100.0 * firstRight / std::max(1, withCandidate), "");
    std::printf("%-58s %9.1f%% %10s\n", "First suggestion equals an annotator's edit (at edits)",
                100.0 * firstIsEdit / std::max(1, atEdit), ">= 80 %");
    std::printf("%-58s %9.1f%% %10s\n", "Accept-all applies the annotator's edit (at edits)",
                100.0 * acceptAllRight / std::max(1, acceptAll), "");
    std::printf("%-58s %9.1f%% %10s\n", "Misspellings detected (shared sets, within a sentence)",
                100.0 * detectMid / std::max(1, detectPairs), "");
    std::printf("%-58s %9.1f%% %10s\n", "Misspellings detected (shared sets, capitalised first word)",
                100.0 * detectFirst / std::max(1, detectPairs), "");
    std::printf("%-58s %10.0f %10s\n", "Throughput, one thread (sentences/s, wall clock)", sentences.size() / secs,
                ">= 1,000");
    std::printf("%-58s %10.0f %10s\n", "Throughput, one thread (sentences/s of CPU time)",
                sentences.size() / std::max(cpuSecs, 1e-6), ">= 1,000");
    std::printf("%-58s %7.0f MB %10s\n", "Peak memory of this process (checker loaded)", peakMegabytes(), "< 200 MB");
    return 0;
}
