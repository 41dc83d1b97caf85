#pragma once
// What a slot classifier would flag at a range of margins, for choosing a rule's margins:
// per proposed change, the learner tokens flagged, how many the annotators marked wrong, and
// how many unedited CWEB sentences would get a false alarm. Shared by the model benches.

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace MarginTable {

struct Flag
{
    float margin;  // the proposed class's score over the written one's
    bool wrong;    // the annotators marked the token
    bool learner;  // from a learner set (else an unedited CWEB sentence)
    std::string text;
};

// Prints each change's table at the given margins; the flags of the change showKey at
// showMargin and above too.
inline void print(const std::map<std::string, std::vector<Flag>> &flags, size_t webSentences,
                  const std::string &showKey, float showMargin,
                  const std::vector<float> &margins = {4.0f, 6.0f, 8.0f, 10.0f, 12.0f, 15.0f, 20.0f, 25.0f, 30.0f,
                                                       40.0f})
{
    for (const auto &[key, list] : flags) {
        std::printf("%s\n", key.c_str());
        for (float m : margins) {
            int n = 0, right = 0, webFlags = 0;
            for (const Flag &f : list) {
                if (f.margin < m)
                    continue;
                if (f.learner) {
                    ++n;
                    right += f.wrong ? 1 : 0;
                } else {
                    ++webFlags;
                }
            }
            std::printf("    margin %5.1f: learner flags %5d, marked wrong %5d (P %5.1f%%); CWEB flags %4d (%.2f%% of "
                        "sentences)\n",
                        double(m), n, right, 100.0 * right / std::max(1, n), webFlags,
                        100.0 * webFlags / double(std::max<size_t>(1, webSentences)));
        }
        if (key == showKey)
            for (const Flag &f : list)
                if (f.margin >= showMargin)
                    std::printf("  %s %.1f %s\n", f.learner ? (f.wrong ? "HIT " : "MISS") : "WEB ", double(f.margin),
                                f.text.c_str());
    }
}

} // namespace MarginTable
