#include "ruleexamples.h"

#include "englishchecker.h"
#include "tokenizer.h"

#include <algorithm>

namespace PennovaChecker {

namespace {

std::vector<std::string> confidenceConfig(int confidence)
{
    return {"server.style", "4", "server.spell", "2", "server.mor", "1", "server.grammar", "6",
            "server.rule", "7", "server.real", "3", "server.det", "5", "server.poststyle", "9",
            "server.confidence", std::to_string(confidence)};
}

// The UTF-8 text of the UTF-16 range [start, end) of sentence.
std::string cut(const std::string &sentence, int start, int end)
{
    const std::u32string text = Tokenizer::decode(sentence);
    const int from = Tokenizer::codePointIndex(text, start);
    const int to = Tokenizer::codePointIndex(text, end);
    return Tokenizer::encode(text.substr(size_t(from), size_t(std::max(0, to - from))));
}

std::string trimmed(const std::string &s)
{
    const size_t b = s.find_first_not_of(' ');
    return b == std::string::npos ? std::string() : s.substr(b, s.find_last_not_of(' ') - b + 1);
}

// "explain 'span' -> 'first candidate'; ..." of a result record.
std::string described(const std::string &sentence, const Json::Value &record)
{
    std::string out;
    for (const Json::Value &c : record["corrections"])
        out += (out.empty() ? "" : "; ") + c["explainType"].asString() + " '"
            + cut(sentence, c["start"].asInt(), c["end"].asInt()) + "' -> '"
            + c["candidates"][0u]["correction"].asString() + "'";
    return out.empty() ? "nothing" : out;
}

} // namespace

std::vector<std::string> RuleExamples::failures(const EnglishChecker &checker, const DataRule &rule,
                                                const RuleEngine *local)
{
    std::vector<std::string> out;
    const auto fail = [&](int line, const std::string &what) {
        out.push_back(rule.file + ":" + std::to_string(line) + ": rule " + rule.id + ": " + what);
    };
    const int confidence = rule.certainty >= 2 ? 2 : 3;
    for (const RuleExample &e : rule.wrong) {
        const Json::Value record = checker.checkSentence(0, e.sentence, 0, confidenceConfig(confidence), {}, {}, local);
        const Json::Value *hit = nullptr;
        for (const Json::Value &c : record["corrections"]) {
            const bool deletion = c["candidates"][0u]["candidateType"].asString() == "DELETION";
            const std::string covered = cut(e.sentence, c["start"].asInt(), c["end"].asInt());
            if ((deletion ? trimmed(covered) : covered) == e.span && c["explainType"].asString() == rule.explain)
                hit = &c;
        }
        if (!hit) {
            fail(e.line, "'" + e.span + "' not flagged; found " + described(e.sentence, record));
            continue;
        }
        const Json::Value &first = (*hit)["candidates"][0u];
        if (first["correction"].asString() != e.correction) {
            fail(e.line, "'" + e.span + "' -> '" + first["correction"].asString() + "', not '" + e.correction + "'");
            continue;
        }
        const std::u32string text = Tokenizer::decode(e.sentence);
        const int from = Tokenizer::codePointIndex(text, (*hit)["start"].asInt());
        const int to = Tokenizer::codePointIndex(text, (*hit)["end"].asInt());
        const std::string put = first["candidateType"].asString() == "DELETION" ? " " : e.correction;
        const std::string mended = Tokenizer::encode(text.substr(0, size_t(from))) + put
            + Tokenizer::encode(text.substr(size_t(to)));
        const Json::Value after = checker.checkSentence(0, mended, 0, confidenceConfig(3), {}, {}, local);
        if (!after["corrections"].empty())
            fail(e.line, "mended, '" + mended + "' still gets " + described(mended, after));
    }
    for (const std::string &clean : rule.clean) {
        const Json::Value record = checker.checkSentence(0, clean, 0, confidenceConfig(3), {}, {}, local);
        if (!record["corrections"].empty())
            fail(rule.line, "look-alike '" + clean + "' gets " + described(clean, record));
    }
    return out;
}

} // namespace PennovaChecker
