#pragma once
// One finding of the checker before it becomes a JSON correction record.

#include <json/json.h>

#include <string>
#include <vector>

namespace PennovaChecker {

struct Candidate
{
    std::string correction;
    std::string type = "REPLACE"; // REPLACE, DELETION or INSERTION
    double score = 0.0;
    double originalScore = 0.0;
};

struct Finding
{
    int start = 0; // UTF-16 offsets in the sentence
    int end = 0;
    std::string errorType;   // NONWORD, REAL, MOPHOLOGY, GRAMMAR, STYLE, SUGGESTION, IMPROVE
    std::string explainType; // key of the explanation page
    std::string errorInfo;
    std::vector<std::string> featureKeys;
    std::vector<Candidate> candidates;
    int certainty = 3; // 3 sure, 2 likely, 1 possible: filtered by the request's confidence
    int priority = 0;  // of the rule that made it (RuleRegistry): the lower wins an overlap

    Json::Value toJson() const
    {
        Json::Value v(Json::objectValue);
        v["start"] = start;
        v["end"] = end;
        v["loc"] = start;
        v["errorInfo"] = errorInfo;
        v["errorType"] = errorType;
        v["explainType"] = explainType;
        Json::Value keys(Json::arrayValue);
        for (const std::string &k : featureKeys)
            keys.append(k);
        v["featureKeys"] = keys;
        Json::Value cands(Json::arrayValue);
        for (const Candidate &c : candidates) {
            Json::Value cv(Json::objectValue);
            cv["correction"] = c.correction;
            cv["candidateType"] = c.type;
            cv["score"] = c.score;
            cv["originalScore"] = c.originalScore;
            cands.append(cv);
        }
        v["candidates"] = cands;
        return v;
    }
};

} // namespace PennovaChecker
