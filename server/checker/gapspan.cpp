#include "gapspan.h"

#include <algorithm>
#include <cstring>

namespace PennovaChecker {

namespace {

// The tokens [first, last] as written, one space where the sentence has space.
std::string textOf(const std::vector<Token> &t, int first, int last)
{
    std::string written;
    for (int i = first; i <= last; ++i)
        written += (i > first && t[size_t(i)].spaceBefore ? " " : "") + t[size_t(i)].text;
    return written;
}

// The token indices a finding covers exactly, or false.
bool coveredTokens(const std::vector<Token> &t, const Finding &f, int *first, int *last)
{
    *first = *last = -1;
    for (int i = 0; i < int(t.size()); ++i) {
        if (t[size_t(i)].start == f.start)
            *first = i;
        if (t[size_t(i)].end == f.end)
            *last = i;
    }
    return *first >= 0 && *last >= *first;
}

// Words only: letters, apostrophes and the spaces between them.
bool wordsOnly(const std::string &s)
{
    if (s.empty() || s.front() == ' ' || s.back() == ' ')
        return false;
    for (const char c : s)
        if (!(c == ' ' || c == '\'' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
            return false;
    return true;
}

} // namespace

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
        int first, last;
        if (!coveredTokens(t, f, &first, &last) || last + 1 >= int(t.size()))
            continue;
        const Token &next = t[size_t(last) + 1];
        // the next word whole: not run into letters the tokenizer splits off ("naïve") nor
        // into a compound or a possessive ("well-known", "Tom's")
        const Token *after = last + 2 < int(t.size()) ? &t[size_t(last) + 2] : nullptr;
        const bool runsOn
            = after && !after->spaceBefore && (after->kind != Token::Punct || after->text == "-" || after->text == "'");
        if (next.kind != Token::Word || !next.spaceBefore || next.attached || runsOn)
            continue;
        if (std::any_of(found->begin(), found->end(),
                        [&](const Finding &o) { return &o != &f && o.start < next.end && next.start < o.end; }))
            continue;
        const std::string written = textOf(t, first, last);
        if (!addsAfter(f, written))
            continue;
        // what each candidate puts into the gap; words alone go before the next word, which
        // then carries the finding ("the" -> "on the"); a mark needs the gap itself (" the" ->
        // ", the"), so that the word before it keeps no underline
        bool wordsAlone = true;
        for (Candidate &c : f.candidates) {
            c.correction = c.correction.substr(written.size()) + " " + next.text;
            wordsAlone = wordsAlone && c.correction.front() == ' ';
        }
        const bool keepInfo = f.errorInfo == written;
        // the explanation shows the words on both sides of the gap
        if (!f.featureKeys.empty() && f.featureKeys.front() == Tokenizer::toLower(written))
            f.featureKeys.front() = Tokenizer::toLower(textOf(t, first, last + 1));
        if (wordsAlone) {
            for (Candidate &c : f.candidates)
                c.correction.erase(0, 1);
            f.start = next.start;
        } else {
            f.start = t[size_t(last)].end;
        }
        f.end = next.end;
        if (keepInfo)
            f.errorInfo = (wordsAlone ? "" : " ") + next.text;
    }
    // one that could not move and shares its words with another finding yields to it: the
    // two would change the same text
    const auto overlaps = [&](size_t k) {
        for (size_t j = 0; j < found->size(); ++j)
            if (j != k && (*found)[j].start < (*found)[k].end && (*found)[k].start < (*found)[j].end)
                return true;
        return false;
    };
    for (size_t k = found->size(); k-- > 0;)
        if (addsAfter((*found)[k], (*found)[k].errorInfo) && overlaps(k))
            found->erase(found->begin() + long(k));
}

void GapSpan::narrow(const std::vector<Token> &t, std::vector<Finding> *found)
{
    for (Finding &f : *found) {
        int first, last;
        if (f.candidates.empty() || !coveredTokens(t, f, &first, &last) || first == last)
            continue;
        // the gap before token j that every candidate fills with words
        for (int j = first; j <= last; ++j) {
            if (j > first && !t[size_t(j)].spaceBefore)
                continue;
            const std::string before = j > first ? textOf(t, first, j - 1) + " " : std::string();
            const std::string after = " " + textOf(t, j, last);
            std::vector<std::string> added;
            for (const Candidate &c : f.candidates) {
                const std::string &text = c.correction;
                if (text.size() <= before.size() + after.size() || text.compare(0, before.size(), before) != 0
                    || text.compare(text.size() - after.size(), after.size(), after) != 0)
                    break;
                const std::string words = text.substr(before.size(), text.size() - before.size() - after.size());
                if (!wordsOnly(words))
                    break;
                added.push_back(words);
            }
            if (added.size() != f.candidates.size())
                continue;
            for (size_t k = 0; k < added.size(); ++k)
                f.candidates[k].correction = added[k] + " " + t[size_t(j)].text;
            if (f.errorInfo == textOf(t, first, last))
                f.errorInfo = t[size_t(j)].text;
            f.start = t[size_t(j)].start;
            f.end = t[size_t(j)].end;
            break;
        }
        // "example it" -> "example, it": a mark put into the gap before token j takes the gap
        // and the words after it
        for (int j = first + 1; j <= last && f.start == t[size_t(first)].start; ++j) {
            if (!t[size_t(j)].spaceBefore)
                continue;
            const std::string before = textOf(t, first, j - 1);
            const std::string after = " " + textOf(t, j, last);
            bool marks = true;
            for (const Candidate &c : f.candidates) {
                const std::string &text = c.correction;
                marks = marks && text.size() == before.size() + 1 + after.size()
                    && text.compare(0, before.size(), before) == 0
                    && std::strchr(",;:", text[before.size()]) != nullptr
                    && text.compare(before.size() + 1, after.size(), after) == 0;
            }
            if (!marks)
                continue;
            for (Candidate &c : f.candidates)
                c.correction.erase(0, before.size());
            if (f.errorInfo == textOf(t, first, last))
                f.errorInfo = after;
            f.start = t[size_t(j) - 1].end;
            break;
        }
    }
}

} // namespace PennovaChecker
