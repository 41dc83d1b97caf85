#include "conllureader.h"

#include <fstream>
#include <sstream>

namespace PennovaChecker {

std::vector<PosTagger::Sentence> ConlluReader::read(std::istream &in, int *badLines, size_t maxWords)
{
    std::vector<PosTagger::Sentence> out;
    PosTagger::Sentence cur;
    bool tooLong = false;
    int bad = 0;
    auto flush = [&] {
        if (!cur.words.empty() && !tooLong)
            out.push_back(std::move(cur));
        cur = PosTagger::Sentence();
        tooLong = false;
    };
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty()) {
            flush();
            continue;
        }
        if (line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::istringstream ls(line);
        std::string field;
        while (fields.size() < 5 && std::getline(ls, field, '\t'))
            fields.push_back(field);
        const std::string &id = fields[0];
        if (fields.size() < 5 || id.empty() || fields[1].empty() || fields[4].empty()
            || id.find_first_not_of("0123456789-.") != std::string::npos) {
            ++bad;
            continue;
        }
        if (id.find_first_of("-.") != std::string::npos)
            continue; // multiword token or empty node
        if (cur.words.size() >= maxWords) {
            tooLong = true;
            continue;
        }
        cur.words.push_back(fields[1]);
        cur.tags.push_back(fields[4]);
    }
    flush();
    if (badLines)
        *badLines = bad;
    return out;
}

std::vector<PosTagger::Sentence> ConlluReader::readFile(const std::string &path, int *badLines)
{
    std::ifstream in(path);
    return read(in, badLines);
}

void ConlluReader::holdOut(const std::vector<PosTagger::Sentence> &sentences, size_t n,
                           std::vector<PosTagger::Sentence> *rest, std::vector<PosTagger::Sentence> *heldOut,
                           size_t fold)
{
    for (size_t i = 0; i < sentences.size(); ++i)
        (n && i % n == fold % n ? heldOut : rest)->push_back(sentences[i]);
}

} // namespace PennovaChecker
