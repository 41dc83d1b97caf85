#include "textgloss.h"

#include "cedictindex.h"
#include "wordforms.h"
#include "wordnetdictionary.h"

#include <algorithm>
#include <unordered_map>
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

// Lower-case words of an English text without the little words every sense has.
std::vector<std::string> contentWords(const std::string &text)
{
    static const std::unordered_set<std::string> little{
        "a", "an", "the", "to", "of", "for", "be", "in", "on", "at", "or", "and", "with", "by", "as",
        "it", "is", "sb", "sth", "one", "one's", "oneself", "sb's", "sth's", "etc", "not", "about"};
    std::vector<std::string> out;
    std::string word;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const char c = i < text.size() ? text[i] : ' ';
        if (isLetter(c) || (c == '\'' && !word.empty())) {
            word += char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
            continue;
        }
        if (!word.empty() && !little.count(word))
            out.push_back(word);
        word.clear();
    }
    return out;
}

// The sense keys of a "/"-separated definition list (each "/" part may hold several
// ";" parts), or of its first "/" part only.
std::vector<std::string> senseKeys(const std::string &definitions, bool firstOnly)
{
    std::vector<std::string> keys;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = definitions.find_first_of("/;", start);
        const std::string key = CedictIndex::senseKey(
            definitions.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (!key.empty())
            keys.push_back(key);
        if (end == std::string::npos || (firstOnly && definitions[end] == '/'))
            break;
        start = end + 1;
    }
    return keys;
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

TextGloss::TextGloss(const CedictIndex &cedict, const WordForms &forms,
                     const PennovaChecker::WordNetDictionary *wordnet)
    : m_cedict(cedict)
    , m_forms(forms)
    , m_wordnet(wordnet)
{
}

std::vector<std::string> TextGloss::relatedWords(const std::string &key) const
{
    std::vector<std::string> out = contentWords(key);
    if (!m_wordnet)
        return out;
    using WordNet = PennovaChecker::WordNetDictionary;
    auto collect = [&](const std::string &k) {
        bool any = false;
        for (WordNet::Pos pos : {WordNet::Noun, WordNet::Verb, WordNet::Adjective, WordNet::Adverb}) {
            const std::vector<WordNet::Sense> senses = m_wordnet->senses(k, pos, 3);
            for (std::size_t i = 0; i < senses.size(); ++i) {
                any = true;
                for (const std::string &w : senses[i].words)
                    for (std::string &c : contentWords(w))
                        out.push_back(std::move(c));
                if (i == 0)
                    for (std::string &c : contentWords(senses[i].definition))
                        out.push_back(std::move(c));
            }
        }
        return any;
    };
    // "look forward to" is in WordNet as "look forward".
    const std::size_t space = key.rfind(' ');
    if (!collect(key) && space != std::string::npos)
        collect(key.substr(0, space));
    return out;
}

std::vector<const CedictEntry *> TextGloss::ranked(const std::string &key, std::size_t max) const
{
    constexpr std::size_t Candidates = 16;
    constexpr float ElsewherePenalty = 1.5f; // in the index's score: about 3 times rarer
    std::vector<float> scores;
    std::vector<const CedictEntry *> hits = m_cedict.english(key, Candidates, &scores);
    // WordNet has no prepositions, conjunctions or pronouns: their glosses keep the
    // index's order.
    static const std::unordered_set<std::string> closedClass{
        "about", "above", "across", "after", "against", "along", "among", "around", "as", "at", "before",
        "behind", "below", "beside", "between", "beyond", "but", "by", "down", "during", "for", "from", "if",
        "in", "inside", "into", "like", "near", "of", "off", "on", "out", "over", "since", "so", "than",
        "through", "till", "to", "toward", "towards", "under", "until", "up", "upon", "when", "where",
        "while", "with", "within", "without", "every", "each", "another", "other", "some", "any", "all",
        "the", "a", "an", "this", "that", "these", "those", "i", "me", "my", "you", "your", "he", "him",
        "his", "she", "her", "it", "its", "we", "us", "our", "they", "them", "their"};
    if (hits.size() > 1 && !closedClass.count(key)) {
        std::vector<std::string> related = relatedWords(key);
        related.push_back(m_forms.headword(key));
        for (std::size_t i = 0, n = related.size(); i < n; ++i)
            related.push_back(m_forms.headword(related[i])); // "living" -> "live"
        std::sort(related.begin(), related.end());
        related.erase(std::unique(related.begin(), related.end()), related.end());
        auto agrees = [&](const std::string &w) {
            return std::binary_search(related.begin(), related.end(), w)
                || std::binary_search(related.begin(), related.end(), m_forms.headword(w));
        };
        // Senses other candidates share mean the same as the key ("take care of" for
        // "look after"): CC-CEDICT as its own thesaurus.
        std::unordered_map<std::string, int> shared;
        for (const CedictEntry *e : hits) {
            std::vector<std::string> keys = senseKeys(e->definitions, false);
            std::sort(keys.begin(), keys.end());
            keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
            for (const std::string &k : keys)
                ++shared[k];
        }
        // Does the entry's first sense (its "/" part, all of whose ";" parts mean one
        // thing) mean something other than the key?
        auto elsewhere = [&](const CedictEntry *e) {
            // A first sense of a special field ("(physics) mass") is not the main one.
            std::string definitions = e->definitions;
            if (!definitions.empty() && definitions[0] == '(' && definitions.find('/') != std::string::npos)
                definitions.erase(0, definitions.find('/') + 1);
            bool content = false;
            for (const std::string &part : senseKeys(definitions, true)) {
                if (part == key || shared[part] > 1)
                    return false;
                for (const std::string &w : contentWords(part)) {
                    content = true;
                    if (agrees(w))
                        return false;
                }
            }
            return content;
        };
        std::vector<std::pair<float, const CedictEntry *>> order;
        for (std::size_t i = 0; i < hits.size(); ++i)
            order.emplace_back(scores[i] + (elsewhere(hits[i]) ? ElsewherePenalty : 0.0f), hits[i]);
        std::stable_sort(order.begin(), order.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
        for (std::size_t i = 0; i < hits.size(); ++i)
            hits[i] = order[i].second;
    }
    if (hits.size() > max)
        hits.resize(max);
    return hits;
}

std::vector<const CedictEntry *> TextGloss::wordEntries(const std::string &word, const std::string &previous) const
{
    static const std::unordered_set<std::string> adjectival{
        "a", "an", "the", "this", "that", "very", "so", "too", "quite", "really", "rather", "more", "most",
        "less", "least", "extremely", "pretty", "fairly", "not", "am", "is", "are", "was", "were", "be",
        "been", "being", "seem", "seems", "seemed", "feel", "feels", "felt", "look", "looks", "looked",
        "become", "becomes", "became", "get", "gets", "got", "my", "your", "his", "her", "its", "our", "their",
        "it's", "that's", "i'm", "you're", "he's", "she's", "we're", "they're", "isn't", "wasn't", "aren't"};
    const std::string verb = m_forms.participleVerb(word);
    if (!verb.empty() && !previous.empty() && !adjectival.count(previous))
        return entries(verb, 1);
    return entries(word, 1);
}

std::vector<const CedictEntry *> TextGloss::entries(const std::string &word, std::size_t max) const
{
    std::vector<const CedictEntry *> out;
    std::unordered_set<std::string> seen;
    auto take = [&](const std::string &key) {
        for (const CedictEntry *e : ranked(key, max))
            if (out.size() < max && seen.insert(e->simplified).second)
                out.push_back(e);
    };
    const std::string head = m_forms.headword(word);
    take(head);
    take(word);
    // An adjective of its own ("interesting") takes its verb's glosses only when it has few.
    const bool ownAdjective = !m_forms.participleVerb(word).empty();
    for (const WordForms::Lemma &l : m_forms.lemmas(word))
        if (!ownAdjective || out.size() < 2)
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
    const std::string readable = CedictIndex::readable(entry.definitions);
    const std::string sense = readable.substr(0, readable.find('/'));
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
    std::string previous; // the last English word, lower case
    for (std::size_t t = 0; t < tokens.size(); ++t) {
        const Token &tok = tokens[t];
        const std::string piece = text.substr(tok.start, tok.end - tok.start);
        if (tok.chinese) {
            previous.clear();
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
            if (piece.find_first_not_of(" ,'\"") != std::string::npos)
                previous.clear(); // a new clause or sentence
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
            s.gloss = ranked(bestKey, 1).front()->simplified;
            previous = words[(bestEnd - t) / 2];
            out.push_back(std::move(s));
            t = bestEnd;
            continue;
        }
        Segment s{Segment::Word, piece, {}, {}};
        if (!bare.count(words[0])) {
            const std::vector<const CedictEntry *> found = wordEntries(words[0], previous);
            if (!found.empty())
                s.gloss = found.front()->simplified;
        }
        previous = words[0];
        out.push_back(std::move(s));
    }
    return out;
}

} // namespace PennovaDictionary
