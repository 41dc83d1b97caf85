#include "textgloss.h"

#include "cedictindex.h"
#include "wordforms.h"

#include <algorithm>
#include <unordered_set>

namespace PennovaDictionary {

namespace {

constexpr std::size_t MaxPhraseWords = 4;

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string lower(std::string s)
{
    for (char &c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

struct Token
{
    std::size_t start;
    std::size_t end;
    bool word;    // English word
    bool chinese; // a run of non-ASCII text
};

std::vector<Token> tokenize(const std::string &text)
{
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t start = i;
        const auto c = static_cast<unsigned char>(text[i]);
        if (isLetter(char(c))) {
            // Letters with inner apostrophes and hyphens ("don't", "well-known").
            while (i < text.size()
                   && (isLetter(text[i])
                       || ((text[i] == '\'' || text[i] == '-') && i + 1 < text.size() && isLetter(text[i + 1]))))
                ++i;
            tokens.push_back({start, i, true, false});
        } else if (c >= 0x80) {
            while (i < text.size() && static_cast<unsigned char>(text[i]) >= 0x80)
                ++i;
            tokens.push_back({start, i, false, true});
        } else {
            while (i < text.size() && !isLetter(text[i]) && static_cast<unsigned char>(text[i]) < 0x80)
                ++i;
            tokens.push_back({start, i, false, false});
        }
    }
    return tokens;
}

} // namespace

TextGloss::TextGloss(const CedictIndex &cedict, const WordForms &forms)
    : m_cedict(cedict)
    , m_forms(forms)
{
}

std::vector<const CedictEntry *> TextGloss::entries(const std::string &word, std::size_t max) const
{
    std::vector<const CedictEntry *> out;
    std::unordered_set<std::string> seen;
    auto take = [&](const std::string &key) {
        for (const CedictEntry *e : m_cedict.english(key, max))
            if (out.size() < max && seen.insert(e->simplified).second)
                out.push_back(e);
    };
    const std::string head = m_forms.headword(word);
    take(head);
    take(word);
    for (const WordForms::Lemma &l : m_forms.lemmas(word))
        take(l.base);
    if (out.size() >= 2)
        return out;
    // Few glosses of its own: add those of the word it derives from (an adverb in -ly,
    // a noun in -ness, -ment, -tion, -ity: "pollution" -> "pollute").
    static const std::pair<const char *, const char *> derivations[] = {
        {"ily", "y"}, {"ly", ""}, {"ly", "le"}, {"ness", ""}, {"iness", "y"}, {"ment", ""},
        {"ation", "e"}, {"ation", ""}, {"tion", "te"}, {"ity", ""}, {"ity", "e"}};
    for (const auto &[suffix, ending] : derivations) {
        const std::string s = suffix;
        if (word.size() > s.size() + 2 && word.compare(word.size() - s.size(), s.size(), s) == 0)
            take(word.substr(0, word.size() - s.size()) + ending);
    }
    return out;
}

std::string TextGloss::firstSense(const CedictEntry &entry)
{
    const std::string sense = entry.definitions.substr(0, entry.definitions.find('/'));
    const std::string plain = CedictIndex::withoutNotes(sense);
    const std::size_t first = plain.find_first_not_of(' ');
    const std::size_t last = plain.find_last_not_of(' ');
    return first == std::string::npos ? sense : plain.substr(first, last - first + 1);
}

std::string TextGloss::phraseKey(const std::vector<std::string> &words) const
{
    // The phrase as written, or with its first word's lemma ("looked after").
    std::string key;
    for (const std::string &w : words)
        key += (key.empty() ? "" : " ") + w;
    if (m_cedict.hasEnglish(key))
        return key;
    const std::string head = m_forms.headword(words[0]);
    if (head == words[0])
        return {};
    key = head;
    for (std::size_t i = 1; i < words.size(); ++i)
        key += " " + words[i];
    return m_cedict.hasEnglish(key) ? key : std::string();
}

std::vector<TextGloss::Segment> TextGloss::segments(const std::string &text) const
{
    static const std::unordered_set<std::string> bare{"a", "an", "the", "to"};
    const std::vector<Token> tokens = tokenize(text);
    std::vector<Segment> out;
    for (std::size_t t = 0; t < tokens.size(); ++t) {
        const Token &tok = tokens[t];
        const std::string piece = text.substr(tok.start, tok.end - tok.start);
        if (tok.chinese) {
            for (std::size_t at = 0; at < piece.size();) {
                std::size_t len = m_cedict.longestChineseAt(piece, at);
                Segment s;
                if (len == 0) {
                    // One character the dictionary does not know.
                    len = 1;
                    while (at + len < piece.size() && (static_cast<unsigned char>(piece[at + len]) & 0xC0) == 0x80)
                        ++len;
                    s.text = piece.substr(at, len);
                } else {
                    s.kind = Segment::Chinese;
                    s.text = piece.substr(at, len);
                    const std::vector<const CedictEntry *> found = m_cedict.chinese(s.text);
                    s.gloss = firstSense(*found.front());
                    s.pinyin = CedictIndex::toneMarks(found.front()->pinyin);
                }
                out.push_back(std::move(s));
                at += len;
            }
            continue;
        }
        if (!tok.word) {
            out.push_back({Segment::Other, piece, {}, {}});
            continue;
        }
        // Longest known phrase of words separated by single spaces.
        std::vector<std::string> words{lower(piece)};
        std::size_t phraseEnd = t, bestEnd = t;
        std::string bestKey;
        for (std::size_t u = t + 2; u < tokens.size() && words.size() < MaxPhraseWords; u += 2) {
            if (!tokens[u].word || text.compare(tokens[u - 1].start, tokens[u - 1].end - tokens[u - 1].start, " ") != 0)
                break;
            words.push_back(lower(text.substr(tokens[u].start, tokens[u].end - tokens[u].start)));
            phraseEnd = u;
            const std::string key = phraseKey(words);
            if (!key.empty()) {
                bestKey = key;
                bestEnd = phraseEnd;
            }
        }
        if (!bestKey.empty()) {
            Segment s{Segment::Phrase, text.substr(tok.start, tokens[bestEnd].end - tok.start), {}, {}};
            s.gloss = m_cedict.english(bestKey, 1).front()->simplified;
            out.push_back(std::move(s));
            t = bestEnd;
            continue;
        }
        Segment s{Segment::Word, piece, {}, {}};
        if (!bare.count(words[0])) {
            const std::vector<const CedictEntry *> found = entries(words[0], 1);
            if (!found.empty())
                s.gloss = found.front()->simplified;
        }
        out.push_back(std::move(s));
    }
    return out;
}

} // namespace PennovaDictionary
