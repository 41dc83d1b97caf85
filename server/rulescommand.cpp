#include "rulescommand.h"

#include "englishchecker.h"
#include "ruleengine.h"
#include "ruleexamples.h"
#include "rulefileparser.h"
#include "servercommandline.h"

#include <algorithm>
#include <filesystem>
#include <memory>

namespace PennovaServer {

int RulesCommand::run(const ServerCommandLine &line, std::ostream &out, std::ostream &err,
                      const PennovaChecker::EnglishChecker *checker)
{
    using namespace PennovaChecker;
    std::vector<std::string> files = line.operands;
    if (files.empty()) {
        std::error_code ec;
        for (const auto &e : std::filesystem::directory_iterator(line.options.dataDir + "/rules", ec))
            if (e.path().extension() == ".rules")
                files.push_back(e.path().string());
        std::sort(files.begin(), files.end());
    }
    if (files.empty()) {
        err << "no rule files in " << line.options.dataDir << "/rules\n";
        return 1;
    }
    int broken = 0;
    RuleEngine local;
    for (const std::string &id : line.options.disabledRules)
        local.disable(id);
    for (const std::string &file : files) {
        std::vector<DataRule> rules;
        std::string error;
        if (RuleFileParser::parseFile(file, &rules, &error)) {
            local.add(std::move(rules));
        } else {
            err << error << "\n";
            ++broken;
        }
    }
    std::unique_ptr<EnglishChecker> own;
    if (!checker) {
        own = std::make_unique<EnglishChecker>(line.options.checkerDataDir, line.options.hunspellDir);
        checker = own.get();
    }
    int failed = 0;
    int examples = 0;
    for (const DataRule &rule : local.rules()) {
        examples += int(rule.wrong.size() + rule.clean.size());
        for (const std::string &failure : RuleExamples::failures(*checker, rule, &local)) {
            out << failure << "\n";
            ++failed;
        }
    }
    out << local.rules().size() << " rules, " << examples << " examples, " << failed << " failed, " << broken
        << " files refused\n";
    return failed == 0 && broken == 0 ? 0 : 1;
}

} // namespace PennovaServer
