// Checker benchmark: sentences per second of checkSentence over essay10k.txt, and the
// false-alarm rate on CWEB sentences that no annotator edited (and, for reference,
// how many edited sentences get at least one finding).
// Usage: bench_checker [--confidence N] [--show N] (print N false alarms) [--missed N] (print N
// learner sentences left without a finding) [--check SENTENCE...] [--file LINES].

#include "pennovapaths.h"
#include "englishchecker.h"

#include <cctype>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

using namespace PennovaChecker;

namespace {

std::vector<std::string> sentenceConfig(int confidence)
{
    return {"server.style", "4", "server.spell", "2", "server.mor", "1", "server.dependency", "0",
            "server.grammar", "6", "server.rule", "7", "server.real", "3", "server.det", "5",
            "server.poststyle", "9", "server.confidence", std::to_string(confidence)};
}

// JFLEG text is tokenised ("it 's", "day ."): join it back into plain text.
std::string detokenise(std::string s)
{
    const std::pair<const char *, const char *> joins[] = {
        {" .", "."}, {" ,", ","}, {" ?", "?"}, {" !", "!"}, {" ;", ";"}, {" :", ":"}, {" n't", "n't"},
        {" 's", "'s"}, {" 're", "'re"}, {" 've", "'ve"}, {" 'm", "'m"}, {" 'll", "'ll"}, {" 'd", "'d"}};
    for (const auto &[from, to] : joins) {
        size_t p;
        while ((p = s.find(from)) != std::string::npos)
            s.replace(p, std::strlen(from), to);
    }
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

bool containsWord(const std::string &text, const std::string &word)
{
    size_t p = 0;
    while ((p = text.find(word, p)) != std::string::npos) {
        const bool left = p == 0 || !std::isalpha(static_cast<unsigned char>(text[p - 1]));
        const bool right = p + word.size() >= text.size() || !std::isalpha(static_cast<unsigned char>(text[p + word.size()]));
        if (left && right)
            return true;
        ++p;
    }
    return false;
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

// For each S block of an M2 file: true when it has no edit but "noop".
std::vector<bool> uneditedBlocks(const std::string &path)
{
    std::vector<bool> out;
    std::ifstream in(path);
    std::string line;
    bool inBlock = false, clean = true;
    while (std::getline(in, line)) {
        if (line.rfind("S ", 0) == 0) {
            if (inBlock)
                out.push_back(clean);
            inBlock = true;
            clean = true;
        } else if (line.rfind("A ", 0) == 0 && line.find("|||noop|||") == std::string::npos) {
            clean = false;
        }
    }
    if (inBlock)
        out.push_back(clean);
    return out;
}

std::vector<std::string> readLines(const std::string &path)
{
    std::vector<std::string> out;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line))
        out.push_back(line);
    return out;
}

// The corrected words of finding f with one neighbour on each side, as they stand
// after applying its first candidate to s, found in one of the references.
bool firstCandidateInReference(const std::string &s, const Json::Value &f, const std::vector<std::string> &refs)
{
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
    for (int i = 1; i + 1 < argc; ++i) {
        if (!std::strcmp(argv[i], "--confidence"))
            confidence = std::atoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--show"))
            show = std::atoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--missed"))
            missed = std::atoi(argv[i + 1]);
    }
    const std::string data = PENNOVA_SHARED_DIR "/bench-data/";
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
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--check")) {
            for (int k = i + 1; k < argc; ++k)
                printFindings(argv[k], checker.checkSentence(0, argv[k], 0, config, {}));
            return 0;
        }
        if (!std::strcmp(argv[i], "--file") && i + 1 < argc) {
            const std::vector<std::string> lines = readLines(argv[i + 1]);
            int hit = 0;
            for (const std::string &line : lines) {
                const Json::Value record = checker.checkSentence(0, line, 0, config, {});
                if (record["corrections"].empty())
                    continue;
                ++hit;
                printFindings(line, record);
            }
            std::printf("%d of %zu lines get findings\n", hit, lines.size());
            return 0;
        }
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

    // learner sentences (JFLEG test): how many of those that every annotator edited get
    // findings, and how often a finding's first candidate is an annotator's edit (the
    // corrected words with their neighbours appear in one of the four references)
    const std::vector<std::string> src = readLines(data + "grammar/jfleg/test/test.src");
    std::vector<std::vector<std::string>> refs;
    for (int k = 0; k < 4; ++k)
        refs.push_back(readLines(data + "grammar/jfleg/test/test.ref" + std::to_string(k)));
    int flagged = 0, allEdited = 0, allEditedFlagged = 0, withCandidate = 0, firstRight = 0;
    std::map<std::string, std::pair<int, int>> jflegTypes; // type -> (findings, first candidate right)
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
            auto &slot = jflegTypes[f["errorType"].asString() + "/" + f["explainType"].asString()];
            ++slot.first;
            slot.second += right ? 1 : 0;
        }
    }
    std::printf("JFLEG test: %d of %zu learner sentences get findings; %d findings with candidates\n", flagged,
                src.size(), withCandidate);
    for (const auto &[type, n] : jflegTypes)
        std::printf("    %-40s %4d findings, %4d first candidate in a reference\n", type.c_str(), n.first, n.second);

    std::printf("\n%-58s %10s %10s\n", "Measure", "Now", "Target");
    std::printf("%-58s %9.1f%% %10s\n", "JFLEG test sentences flagged, among those every annotator edited",
                100.0 * allEditedFlagged / std::max(1, allEdited), ">= 75 %");
    std::printf("%-58s %9.2f%% %10s\n", "CWEB test, unedited sentences flagged", 100.0 * cwebFalse / std::max(1, cwebClean),
                "<= 2 %");
    std::printf("%-58s %9.1f%% %10s\n", "First suggestion equals an annotator's edit",
                100.0 * firstRight / std::max(1, withCandidate), ">= 80 %");
    std::printf("%-58s %10.0f %10s\n", "Throughput, one thread (sentences/s, wall clock)", sentences.size() / secs,
                ">= 1,000");
    std::printf("%-58s %10.0f %10s\n", "Throughput, one thread (sentences/s of CPU time)",
                sentences.size() / std::max(cpuSecs, 1e-6), ">= 1,000");
    std::printf("%-58s %7.0f MB %10s\n", "Peak memory of this process (checker loaded)", peakMegabytes(), "< 200 MB");
    return 0;
}
