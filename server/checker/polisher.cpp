#include "polisher.h"

#include "lexicon.h"
#include "rulesupport.h"

#include <sstream>
#include <unordered_set>

namespace PennovaChecker {

namespace {

struct Entry
{
    const char *pattern;    // lower-case words; the finding covers all of them
    const char *notBefore;  // words after which the entry does not apply ("" = none), space-separated
    const char *notAfter;   // words that may not follow the pattern
    const char *candidates; // '|'-separated, best first
    const char *pos;        // position tag sent back in explanation look-ups
    int strength;           // 3 = offered at every level, 1 = only at level 1
    int nextPlural = 0;     // 1: the next word must be a plural noun, -1: must not be, 0: any
};

const Entry kEntries[] = {
    // intensified adjectives
    {"very important", "", "", "crucial|vital|essential", "JJ", 3},
    {"very good", "", "", "excellent|outstanding|superb", "JJ", 3},
    {"very bad", "", "", "terrible|awful|dreadful", "JJ", 3},
    {"very big", "", "", "enormous|huge|massive", "JJ", 3},
    {"very small", "", "", "tiny|minute", "JJ", 3},
    {"very tired", "", "", "exhausted|worn out", "JJ", 3},
    {"very hungry", "", "", "starving|famished", "JJ", 3},
    {"very angry", "", "", "furious|enraged", "JJ", 3},
    {"very surprised", "", "", "astonished|amazed", "JJ", 3},
    {"very happy", "", "", "delighted|overjoyed|thrilled", "JJ", 3},
    {"very sad", "", "", "heartbroken|miserable", "JJ", 3},
    {"very cold", "", "", "freezing|icy", "JJ", 3},
    {"very hot", "", "", "scorching|boiling", "JJ", 3},
    {"very interesting", "", "", "fascinating|intriguing", "JJ", 3},
    {"very beautiful", "", "", "gorgeous|stunning", "JJ", 3},
    {"very difficult", "", "", "arduous|extremely challenging", "JJ", 3},
    {"very easy", "", "", "effortless|straightforward", "JJ", 2},
    {"very clear", "", "", "obvious|evident", "JJ", 2},
    {"very old", "", "", "ancient|aged", "JJ", 2},
    {"very fast", "", "", "rapid|swift", "JJ", 2},
    {"very famous", "", "", "renowned|celebrated", "JJ", 3},
    {"very useful", "", "", "invaluable|extremely helpful", "JJ", 2},
    // adjective + noun collocations
    {"big problem", "", "", "serious problem|major problem", "NN", 3},
    {"big difference", "", "", "significant difference|considerable difference", "NN", 3},
    {"big change", "", "", "dramatic change|significant change", "NN", 3},
    {"big influence", "", "", "profound influence|strong influence", "NN", 3},
    {"big mistake", "", "", "serious mistake|grave mistake", "NN", 3},
    {"good chance", "", "", "excellent opportunity|great opportunity", "NN", 2},
    {"bad influence", "", "", "negative influence|harmful influence", "NN", 3},
    {"bad effect", "", "", "adverse effect|negative effect", "NN", 3},
    {"good effect", "", "", "positive effect|beneficial effect", "NN", 3},
    {"more and more", "", "", "increasingly|a growing number of", "RB", 2},
    {"a lot of", "", "", "numerous|a large number of|plenty of", "JJ", 2, 1},
    {"a lot of", "", "", "a great deal of|plenty of", "JJ", 2, -1},
    {"lots of", "", "", "numerous|plenty of", "JJ", 2, 1},
    {"lots of", "", "", "a great deal of|plenty of", "JJ", 2, -1},
    {"in a word", "", "", "in short|in conclusion", "RB", 3},
    {"i think", "", "that", "I believe|in my view", "VB", 1},
    {"because of", "", "", "owing to|due to", "IN", 1},
    // single words
    {"good", "very so too", "at for morning afternoon evening night luck bye", "excellent|beneficial|favourable", "JJ", 2},
    {"bad", "very so too", "", "harmful|poor|unpleasant", "JJ", 2},
    {"big", "very so too", "", "large|huge|considerable", "JJ", 1},
    {"important", "very so too most more", "", "significant|crucial|essential", "JJ", 1},
    {"interesting", "very so too most more", "", "fascinating|intriguing|engaging", "JJ", 1},
    {"beautiful", "very so too most more", "", "attractive|lovely|picturesque", "JJ", 1},
    {"difficult", "very so too most more", "", "challenging|demanding", "JJ", 1},
    {"happy", "very so too", "birthday new", "delighted|pleased|content", "JJ", 1},
    {"nice", "very so too", "", "pleasant|delightful|agreeable", "JJ", 2},
    {"famous", "very so too most more", "", "well-known|renowned|celebrated", "JJ", 1},
    {"many", "so too how very", "", "numerous|a great many", "JJ", 1},
    {"get", "", "up out off on in along over rid used to away back", "obtain|acquire|gain", "VB", 1},
    {"show", "the a", "", "demonstrate|reveal|indicate", "VB", 1},
    {"help", "the a", "", "assist|aid|support", "VB", 1},
    {"need", "the a no", "to", "require|demand", "VB", 1},
    {"improve", "", "", "enhance|boost", "VB", 1},
    {"think", "", "about of so", "believe|consider|maintain", "VB", 1},
    {"also", "", "", "moreover|furthermore", "RB", 1},
    {"but", "", "", "however|nevertheless", "CC", 1},
    {"so", "", "much many far that", "therefore|consequently|thus", "RB", 1},
};

std::vector<std::string> split(const char *s, char sep)
{
    std::vector<std::string> out;
    std::stringstream ss(s);
    std::string part;
    while (std::getline(ss, part, sep))
        if (!part.empty())
            out.push_back(part);
    return out;
}

struct Compiled
{
    std::vector<std::string> words;
    std::unordered_set<std::string> notBefore, notAfter;
    std::vector<std::string> candidates;
    const Entry *entry;
};

const std::vector<Compiled> &table()
{
    static const std::vector<Compiled> t = [] {
        std::vector<Compiled> v;
        for (const Entry &e : kEntries) {
            Compiled c;
            c.words = split(e.pattern, ' ');
            for (const std::string &w : split(e.notBefore, ' '))
                c.notBefore.insert(w);
            for (const std::string &w : split(e.notAfter, ' '))
                c.notAfter.insert(w);
            c.candidates = split(e.candidates, '|');
            c.entry = &e;
            v.push_back(std::move(c));
        }
        return v;
    }();
    return t;
}

} // namespace

bool Polisher::countable(const std::string &noun) const
{
    // a noun whose plural is common is countable ("scientist", "place"); mass nouns
    // ("money", "information") are next to never seen in the plural
    if (noun.size() < 3)
        return true;
    std::string plural = noun + "s";
    const char last = noun.back();
    if (last == 's' || last == 'x' || last == 'h')
        plural = noun + "es";
    else if (last == 'y' && std::string("aeiou").find(noun[noun.size() - 2]) == std::string::npos)
        plural = noun.substr(0, noun.size() - 1) + "ies";
    const double singular = double(m_lex.frequency(noun));
    return singular == 0 || double(m_lex.frequency(plural)) >= 0.05 * singular;
}

std::vector<Finding> Polisher::suggest(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                       int level) const
{
    std::vector<Finding> out;
    if (level < 1)
        level = 1;
    bool quoted = false;
    for (int i = 0; i < int(t.size()); ++i) {
        const Token &tok = t[size_t(i)];
        if (tok.kind == Token::Punct && (tok.text == "\"" || tok.text == "\xE2\x80\x9C" || tok.text == "\xE2\x80\x9D"))
            quoted = !quoted;
        if (tok.kind != Token::Word || quoted || tok.attached)
            continue;
        for (const Compiled &c : table()) {
            if (c.entry->strength < level || c.words[0] != tok.lower || i + int(c.words.size()) > int(t.size()))
                continue;
            bool match = true;
            for (size_t k = 1; k < c.words.size() && match; ++k)
                match = t[size_t(i) + k].kind == Token::Word && t[size_t(i) + k].lower == c.words[k];
            if (!match)
                continue;
            const int last = i + int(c.words.size()) - 1;
            const int prev = RuleSupport::prevWord(t, i);
            if (prev >= 0 && c.notBefore.count(t[size_t(prev)].lower))
                continue;
            const int next = RuleSupport::nextWord(t, last);
            if (next >= 0 && c.notAfter.count(t[size_t(next)].lower))
                continue;
            if (c.entry->nextPlural || c.words[0] == "many") {
                // the noun after the quantifier decides: a plural, or a mass noun
                int noun = next;
                while (noun >= 0 && RuleSupport::tagIs(tags, noun, "JJ"))
                    noun = RuleSupport::nextWord(t, noun);
                const std::string nw = noun >= 0 ? t[size_t(noun)].lower : std::string();
                const bool plural = RuleSupport::tagIs(tags, noun, "NNS") || nw == "people" || nw == "children";
                const bool mass = RuleSupport::tagIs(tags, noun, "NN") && !RuleSupport::tagIs(tags, noun, "NNP")
                    && !RuleSupport::tagIs(tags, noun, "NNS") && !countable(nw);
                if (c.entry->nextPlural >= 0 ? !plural : !mass)
                    continue;
            }
            // sentence adverbs only at the start of the sentence
            const std::string pos = c.entry->pos;
            if ((pos == "CC" || (pos == "RB" && c.words.size() == 1)) && i != 0)
                continue;
            // "a good idea" -> "an excellent idea": the article joins the span
            const bool article = prev >= 0 && prev == i - 1 && (t[size_t(prev)].lower == "a" || t[size_t(prev)].lower == "an");
            const int first = article ? prev : i;
            Finding f = RuleSupport::replace(t, first, last, c.candidates[0], "IMPROVE", "lexsub", c.entry->strength);
            f.candidates.clear();
            double score = 0.9;
            std::vector<std::string> keys{tok.lower == c.words[0] ? std::string(c.entry->pattern) : tok.lower};
            for (const std::string &cand : c.candidates) {
                Candidate cd;
                // sentence-initial connectives take a comma
                std::string text = cand;
                if ((pos == "CC" || pos == "RB") && i == 0 && c.words.size() == 1
                    && !(last + 1 < int(t.size()) && t[size_t(last) + 1].text == ","))
                    text += ",";
                if (article)
                    text = std::string(std::string("aeio").find(text[0]) != std::string::npos ? "an " : "a ") + text;
                cd.correction = RuleSupport::caseLike(t[size_t(first)], text);
                cd.score = score;
                cd.originalScore = 0.5;
                score -= 0.1;
                f.candidates.push_back(cd);
                keys.push_back(cand);
            }
            f.featureKeys = keys;
            f.errorInfo = pos;
            out.push_back(f);
            i = last;
            break;
        }
    }
    return out;
}

bool Polisher::polishable(const std::vector<std::vector<Token>> &sentences)
{
    int words = 0;
    int quotedWords = 0;
    for (const auto &t : sentences) {
        bool quoted = false;
        for (const Token &tok : t) {
            if (tok.kind == Token::Punct && (tok.text == "\"" || tok.text == "\xE2\x80\x9C" || tok.text == "\xE2\x80\x9D"))
                quoted = !quoted;
            if (tok.kind == Token::Word) {
                ++words;
                quotedWords += quoted ? 1 : 0;
            }
        }
    }
    return words >= 5 && quotedWords * 2 <= words;
}

} // namespace PennovaChecker
