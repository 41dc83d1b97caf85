#include "templatefile.h"

#include <QByteArray>
#include <QStringDecoder>

#include <cstdlib>

namespace PennovaTemplates {

namespace {

std::string trimmed(const std::string &s)
{
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

bool validUtf8(const std::string &text)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(QByteArrayView(text.data(), qsizetype(text.size())));
    return !decoder.hasError();
}

// "English || 中文"; a trailing "\n" (two characters) on the English side ends a paragraph.
bool sentenceLine(const std::string &line, SentenceText *out, std::string *error)
{
    const auto bar = line.find("||");
    if (bar == std::string::npos) {
        *error = "a sentence needs \"English || 中文\"";
        return false;
    }
    if (line.find("||", bar + 2) != std::string::npos) {
        *error = "more than one \"||\" in a sentence";
        return false;
    }
    std::string content = trimmed(line.substr(0, bar));
    std::string translation = trimmed(line.substr(bar + 2));
    auto endsParagraph = [](std::string *side) {
        if (side->size() < 2 || side->compare(side->size() - 2, 2, "\\n") != 0)
            return false;
        *side = trimmed(side->substr(0, side->size() - 2));
        return true;
    };
    const bool paragraphEnd = endsParagraph(&content);
    endsParagraph(&translation);
    if (content.empty() || translation.empty()) {
        *error = content.empty() ? "the English side is empty" : "the Chinese translation is missing";
        return false;
    }
    // The client turns the two characters "\r" of a reply into a line feed, so a
    // backslash in the text would break the JSON it reads.
    if (content.find('\\') != std::string::npos || translation.find('\\') != std::string::npos) {
        *error = "a backslash is not allowed in a sentence";
        return false;
    }
    if (!TemplateFileParser::bracketsBalanced(content) || !TemplateFileParser::bracketsBalanced(translation)) {
        *error = "a key word's \"[\" and \"]\" do not pair up";
        return false;
    }
    out->content = paragraphEnd ? content + "\n" : content;
    out->translation = paragraphEnd ? translation + "\n" : translation;
    return true;
}

enum class Section { Head, Block, Alternative, Common, Document };

} // namespace

bool TemplateFileParser::bracketsBalanced(const std::string &text)
{
    bool open = false;
    for (char c : text) {
        if (c == '[') {
            if (open)
                return false;
            open = true;
        } else if (c == ']') {
            if (!open)
                return false;
            open = false;
        }
    }
    return !open;
}

TemplateFileResult TemplateFileParser::parse(const std::string &text)
{
    TemplateFileResult result;
    auto fail = [&result](int line, std::string message) {
        result.ok = false;
        result.line = line;
        result.error = std::move(message);
        return result;
    };
    if (text.size() > MaxFileBytes)
        return fail(0, "the file is larger than " + std::to_string(MaxFileBytes / 1024) + " KiB");
    if (!validUtf8(text))
        return fail(0, "the file is not UTF-8 text");

    TemplateFile &t = result.file;
    Section section = Section::Head;
    bool haveId = false, haveKind = false, haveTitle = false;
    int lineNumber = 0;
    int wordingLine = 0; // where the last section began
    std::size_t at = 0;
    while (at < text.size()) {
        const auto end = text.find('\n', at);
        const std::string raw = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? text.size() : end + 1;
        ++lineNumber;
        if (raw.size() > MaxLineBytes)
            return fail(lineNumber, "the line is longer than " + std::to_string(MaxLineBytes) + " bytes");
        std::string line = trimmed(raw);
        if (lineNumber == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line = trimmed(line.substr(3));
        if (line.empty() || line[0] == '#')
            continue;

        if (line.front() == '[' && line.back() == ']' && line.find(' ') == std::string::npos) {
            const std::string name = line.substr(1, line.size() - 2);
            if (!haveKind)
                return fail(lineNumber, "\"kind:\" must come before the first section");
            const bool high = t.kind == TemplateFile::Kind::High;
            if (!t.blocks.empty() && t.blocks.back().back().empty())
                return fail(wordingLine, "this [block] or [alternative] has no sentences");
            wordingLine = lineNumber;
            if (name == "block" && high) {
                t.blocks.push_back({{}});
                section = Section::Block;
            } else if (name == "alternative" && high) {
                if (t.blocks.empty())
                    return fail(lineNumber, "[alternative] before any [block]");
                t.blocks.back().push_back({});
                section = Section::Alternative;
            } else if (name == "common" && high) {
                section = Section::Common;
            } else if (name == "document" && !high) {
                t.documents.push_back({});
                section = Section::Document;
            } else {
                return fail(lineNumber, "unknown section " + line + " in a " + (high ? "high" : "low") + " template");
            }
            continue;
        }

        if (section == Section::Block || section == Section::Alternative || section == Section::Common) {
            SentenceText sentence;
            std::string error;
            if (!sentenceLine(line, &sentence, &error))
                return fail(lineNumber, error);
            if (section == Section::Common)
                t.common.push_back(std::move(sentence));
            else
                t.blocks.back().back().push_back(std::move(sentence));
            continue;
        }

        const auto colon = line.find(':');
        if (colon == std::string::npos || colon == 0)
            return fail(lineNumber, "expected \"key: value\"");
        const std::string key = trimmed(line.substr(0, colon));
        const std::string value = trimmed(line.substr(colon + 1));
        if (value.empty())
            return fail(lineNumber, "\"" + key + ":\" has no value");

        if (section == Section::Document) {
            LowDocument &doc = t.documents.back();
            if (key == "title")
                doc.title = value;
            else if (key == "file" || key == "cover") {
                if (value.find('/') != std::string::npos || value.find('\\') != std::string::npos || value[0] == '.')
                    return fail(lineNumber, "\"" + key + ":\" must be a plain file name");
                (key == "file" ? doc.file : doc.cover) = value;
            } else if (key == "blank") {
                if (!bracketsBalanced(value))
                    return fail(lineNumber, "a blank's \"[\" and \"]\" do not pair up");
                doc.blanks.push_back(value);
            } else
                return fail(lineNumber, "unknown key \"" + key + "\" in [document]");
            continue;
        }

        if (key == "id") {
            char *endp = nullptr;
            const long id = std::strtol(value.c_str(), &endp, 10);
            if (*endp != '\0' || id <= 0 || id > 99999999 || value[0] == '+')
                return fail(lineNumber, "the id must be a number from 1 to 99999999");
            t.id = int(id);
            haveId = true;
        } else if (key == "kind") {
            if (value != "high" && value != "low")
                return fail(lineNumber, "the kind must be high or low");
            t.kind = value == "high" ? TemplateFile::Kind::High : TemplateFile::Kind::Low;
            haveKind = true;
        } else if (key == "category") {
            t.category = value;
        } else if (key == "name") {
            t.name = value;
        } else if (key == "description") {
            t.description = t.description.empty() ? value : t.description + "\n" + value;
        } else if (key == "title") {
            std::string error;
            if (!sentenceLine(value, &t.title, &error))
                return fail(lineNumber, "title: " + error);
            haveTitle = true;
        } else {
            return fail(lineNumber, "unknown key \"" + key + "\"");
        }
    }

    const int last = lineNumber;
    if (!haveId || !haveKind)
        return fail(last, !haveId ? "the file has no \"id:\"" : "the file has no \"kind:\"");
    if (t.name.empty() || t.category.empty())
        return fail(last, t.name.empty() ? "the file has no \"name:\"" : "the file has no \"category:\"");
    if (t.kind == TemplateFile::Kind::High) {
        if (!haveTitle)
            return fail(last, "a high template needs a \"title:\"");
        if (t.blocks.empty())
            return fail(last, "a high template needs at least one [block]");
        if (t.blocks.back().back().empty())
            return fail(wordingLine, "this [block] or [alternative] has no sentences");
    } else {
        if (t.documents.empty())
            return fail(last, "a low template needs at least one [document]");
        for (const LowDocument &doc : t.documents)
            if (doc.title.empty() || doc.file.empty() || doc.cover.empty())
                return fail(last, "each [document] needs title:, file: and cover:");
    }
    result.ok = true;
    return result;
}

} // namespace PennovaTemplates
