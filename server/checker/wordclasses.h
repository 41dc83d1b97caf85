#pragma once
// Closed word classes the rules share, each named once: the rule classes ask for a class
// by its enum, the rule files by its name (`class:modal`). Lower-case words; read-only.

#include <string>
#include <unordered_set>
#include <vector>

namespace PennovaChecker {

enum class WordClass {
    Modal,             // modal: can, could, will, ... and their negatives, 'll
    Determiner,        // determiner: a, the, this, my, some, every, ...
    Preposition,       // preposition: of, in, on, at, ...
    Auxiliary,         // auxiliary: be, have and do forms and the modals
    SubjectPronoun,    // subject_pronoun: i, you, he, she, it, we, they
    PersonalSubject,   // personal_subject: the subject pronouns for people (not "it")
    ObjectPronoun,     // object_pronoun: me, him, her, us, them
    PlainObject,       // plain_object: the object pronouns that are never possessives (not "her")
    AnyObjectPronoun,  // any_object_pronoun: the object pronouns with "it" and "you"
    Possessive,        // possessive: my, your, his, her, its, our, their
    DoForm,            // do_form: do, does, did and their negatives
    DoNot,             // do_not: don't, doesn't, didn't
    BeForm,            // be_form: am, is, are, was, were
    NounBe,            // noun_be: the be forms a noun subject takes (is, are, was, were)
    QuestionWord,      // question_word: what, where, why, how, when, who, which
    Negative,          // negative: not, never, cannot and the n't forms (don't, isn't, won't, ...)
    FeelingVerb,       // feeling_verb: interest, satisfy, bore, ... (the subject causes the feeling)
    GerundVerb,        // gerund_verb: enjoy, finish, avoid, ...: verbs followed by -ing, never "to"
    ClauseVerb         // clause_verb: think, know, say, ...: verbs a clause may follow without "that"
};

class WordClasses
{
public:
    static const std::unordered_set<std::string> &words(WordClass c);
    static bool contains(WordClass c, const std::string &lower);
    // The class lists verbs by their base form and means every form of them (feeling_verb,
    // gerund_verb, clause_verb): a rule file's class item matches a word by its lemma then.
    static bool ofLemmas(WordClass c)
    {
        return c == WordClass::FeelingVerb || c == WordClass::GerundVerb || c == WordClass::ClauseVerb;
    }
    // The class of a name as the rule files write it ("modal", "feeling_verb"); false when unknown.
    static bool byName(const std::string &name, WordClass *out);
    static std::vector<std::string> names();
};

} // namespace PennovaChecker
