#pragma once
// NativeText: the native sentences the checker's models train on, as plain text: the
// Brown corpus's tagged sample files and the "# text" lines of CoNLL-U treebanks.

#include <string>
#include <utility>
#include <vector>

class NativeText
{
public:
    // One Brown line ("The/at jury/nn said/vbd ./.") as its words and tags ("" for an item without one).
    static std::vector<std::pair<std::string, std::string>> brownItems(const std::string &line);
    // The same line as plain text.
    static std::string brownText(const std::string &line);
    // The sample files (ca01 ... cr09) in dir, in order, with their paths.
    static std::vector<std::string> brownFiles(const std::string &dir);
    // Each non-empty line of the sample files, as items, in file order.
    static std::vector<std::vector<std::pair<std::string, std::string>>> brownTagged(const std::string &dir);
    // Every sentence of the sample files (ca01 ... cr09) in dir, in file order.
    static std::vector<std::string> brownSentences(const std::string &dir);
    static std::vector<std::string> conlluSentences(const std::string &path);
    // Brown's sentences (when dir is given), then each treebank's; prints how many each gave.
    static std::vector<std::string> corpus(const std::string &brownDir, const std::vector<std::string> &conllu);
    // The quoted examples of WordNet's glosses (data.noun, data.verb, data.adj, data.adv in dir:
    // "he was elected to a seat in the Senate"): short native phrases written to show how a word
    // is used, with the prepositions it takes.
    static std::vector<std::string> wordnetExamples(const std::string &dir);
    // The gloss of every synset of those four files (what follows " | " on its line), in file order.
    static std::vector<std::string> wordnetGlosses(const std::string &dir);
};
