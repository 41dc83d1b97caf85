#include "nativetext.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <dirent.h>
#include <fstream>

std::vector<std::pair<std::string, std::string>> NativeText::brownItems(const std::string &line)
{
    std::vector<std::pair<std::string, std::string>> out;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        size_t j = i;
        while (j < line.size() && line[j] != ' ' && line[j] != '\t')
            ++j;
        if (j == i)
            break;
        const std::string item = line.substr(i, j - i);
        i = j;
        const size_t slash = item.rfind('/');
        if (slash == std::string::npos || slash == 0)
            out.emplace_back(item, std::string());
        else
            out.emplace_back(item.substr(0, slash), item.substr(slash + 1));
    }
    return out;
}

std::string NativeText::brownText(const std::string &line)
{
    std::string out;
    for (auto [word, tag] : brownItems(line)) {
        if (word == "``" || word == "''")
            word = "\"";
        const bool attach = word == "," || word == "." || word == ";" || word == ":" || word == "?" || word == "!"
            || word == ")" || word == "'s";
        if (!out.empty() && !attach && out.back() != '(')
            out += ' ';
        out += word;
    }
    return out;
}

std::vector<std::string> NativeText::brownFiles(const std::string &dir)
{
    std::vector<std::string> names;
    if (DIR *d = opendir(dir.c_str())) {
        while (dirent *e = readdir(d)) {
            const std::string name = e->d_name;
            // the sample files: ca01 ... cr09
            if (name.size() == 4 && name[0] == 'c' && std::isdigit(static_cast<unsigned char>(name[2])))
                names.push_back(name);
        }
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    for (std::string &name : names)
        name = dir + "/" + name;
    return names;
}

std::vector<std::string> NativeText::brownSentences(const std::string &dir)
{
    std::vector<std::string> out;
    for (const std::string &path : brownFiles(dir)) {
        std::ifstream in(path);
        std::string line;
        while (std::getline(in, line)) {
            const std::string text = brownText(line);
            if (!text.empty())
                out.push_back(text);
        }
    }
    return out;
}

std::vector<std::vector<std::pair<std::string, std::string>>> NativeText::brownTagged(const std::string &dir)
{
    std::vector<std::vector<std::pair<std::string, std::string>>> out;
    for (const std::string &path : brownFiles(dir)) {
        std::ifstream in(path);
        std::string line;
        while (std::getline(in, line)) {
            auto items = brownItems(line);
            if (!items.empty())
                out.push_back(std::move(items));
        }
    }
    return out;
}

std::vector<std::string> NativeText::conlluSentences(const std::string &path)
{
    std::vector<std::string> out;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("# text = ", 0) == 0)
            out.push_back(line.substr(9));
    return out;
}

std::vector<std::string> NativeText::corpus(const std::string &brownDir, const std::vector<std::string> &conllu)
{
    std::vector<std::string> sentences;
    if (!brownDir.empty()) {
        sentences = brownSentences(brownDir);
        std::printf("%s: %zu sentences\n", brownDir.c_str(), sentences.size());
    }
    for (const std::string &f : conllu) {
        const std::vector<std::string> part = conlluSentences(f);
        std::printf("%s: %zu sentences\n", f.c_str(), part.size());
        sentences.insert(sentences.end(), part.begin(), part.end());
    }
    return sentences;
}

std::vector<std::string> NativeText::wordnetGlosses(const std::string &dir)
{
    std::vector<std::string> out;
    for (const char *part : {"noun", "verb", "adj", "adv"}) {
        std::ifstream in(dir + "/data." + part);
        std::string line;
        while (std::getline(in, line)) {
            const size_t bar = line.find(" | ");
            if (line.empty() || line[0] == ' ' || bar == std::string::npos)
                continue; // the licence header
            out.push_back(line.substr(bar + 3));
        }
    }
    return out;
}

std::vector<std::string> NativeText::wordnetExamples(const std::string &dir)
{
    std::vector<std::string> out;
    for (const std::string &gloss : wordnetGlosses(dir)) {
        for (size_t open = gloss.find('"'); open != std::string::npos;) {
            const size_t close = gloss.find('"', open + 1);
            if (close == std::string::npos)
                break;
            const std::string example = gloss.substr(open + 1, close - open - 1);
            if (example.find_first_not_of(' ') != std::string::npos)
                out.push_back(example);
            open = gloss.find('"', close + 1);
        }
    }
    std::printf("%s: %zu examples\n", dir.c_str(), out.size());
    return out;
}
