#include "gapspan.h"

namespace PennovaChecker {

bool GapSpan::addsAfter(const Finding &f, const std::string &written)
{
    if (f.candidates.empty() || written.empty())
        return false;
    for (const Candidate &c : f.candidates) {
        const std::string &text = c.correction;
        if (text.size() <= written.size() || text.compare(0, written.size(), written) != 0)
            return false;
        // a word or a comma-like mark after the gap; "'s" or "." change the word itself
        const char next = text[written.size()];
        if (next != ' ' && next != ',' && next != ';' && next != ':')
            return false;
    }
    return true;
}

void GapSpan::widen(const std::vector<Token> &t, std::vector<Finding> *found)
{
    for (size_t k = 0; k < found->size(); ++k) {
        Finding &f = (*found)[k];
        // the tokens the finding covers, exactly
        int first = -1, last = -1;
        for (int i = 0; i < int(t.size()); ++i) {
            if (t[size_t(i)].start == f.start)
                first = i;
            if (t[size_t(i)].end == f.end)
                last = i;
        }
        if (first < 0 || last < first || last + 1 >= int(t.size()))
            continue;
        const Token &next = t[size_t(last) + 1];
        // the next word whole: not run into letters the tokenizer splits off ("naïve") nor
        // into a compound or a possessive ("well-known", "Tom's")
        const Token *after = last + 2 < int(t.size()) ? &t[size_t(last) + 2] : nullptr;
        const bool runsOn
            = after && !after->spaceBefore && (after->kind != Token::Punct || after->text == "-" || after->text == "'");
        if (next.kind != Token::Word || !next.spaceBefore || next.attached || runsOn)
            continue;
        if (k + 1 < found->size() && (*found)[k + 1].start < next.end)
            continue;
        std::string written;
        for (int i = first; i <= last; ++i)
            written += (i > first && t[size_t(i)].spaceBefore ? " " : "") + t[size_t(i)].text;
        if (!addsAfter(f, written))
            continue;
        for (Candidate &c : f.candidates)
            c.correction += " " + next.text;
        f.end = next.end;
    }
}

} // namespace PennovaChecker
