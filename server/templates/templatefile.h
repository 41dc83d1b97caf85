#pragma once
// One template data file of the template service, parsed.
//
// A file is UTF-8 text, one statement a line; "#" starts a comment line.
//   id: 101                          positive decimal, unique over all files
//   kind: high | low                 detailed or simple template
//   category: 考试作文|Exam essays    the catalog folder ("|" ends the short name)
//   name: 短名|full name for search
//   description: text                free text
//   title: English || 中文            high only
//   [block]  [alternative]  [common]  sections of sentence lines "English || 中文"
//   [document]                         low only: title:, file:, cover:, blank: lines
// A sentence line ending in " \n" (backslash n) ends a paragraph inside a block.

#include <string>
#include <vector>

namespace PennovaTemplates {

struct SentenceText
{
    std::string content;
    std::string translation;
};

struct LowDocument
{
    std::string title;
    std::string file;  // name inside the files folder
    std::string cover; // name inside the files folder
    std::vector<std::string> blanks;
};

struct TemplateFile
{
    enum class Kind { High, Low };

    int id = 0;
    Kind kind = Kind::High;
    std::string category;
    std::string name;
    std::string description;
    SentenceText title;
    // blocks[b][a] = alternative a of block b (0 = the block's own wording).
    std::vector<std::vector<std::vector<SentenceText>>> blocks;
    std::vector<SentenceText> common;
    std::vector<LowDocument> documents;
};

// The outcome of reading one file: the template, or the first fault with its line.
struct TemplateFileResult
{
    bool ok = false;
    TemplateFile file;
    int line = 0; // 1-based line of the fault; 0 for faults of the whole file
    std::string error;
};

class TemplateFileParser
{
public:
    static constexpr std::size_t MaxFileBytes = 512 * 1024;
    static constexpr std::size_t MaxLineBytes = 4096;

    static TemplateFileResult parse(const std::string &text);
    // True when every "[" is closed by a "]" before the next "[" and no "]" is unopened.
    static bool bracketsBalanced(const std::string &text);
};

} // namespace PennovaTemplates
