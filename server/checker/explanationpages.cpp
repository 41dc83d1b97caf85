#include "explanationpages.h"

#include "ruleengine.h"
#include "tokenizer.h"
#include "wordnetdictionary.h"

#include <algorithm>
#include <cstring>
#include <sstream>
#include <unordered_map>

namespace PennovaChecker {

namespace {

std::vector<std::string> spaced(const std::string &text)
{
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

// The found words with a candidate that fills a gap between them read whole: "however the"
// with ", the" is "however, the"; "middle east" with "the Middle" is "the Middle east". Other
// candidates stand as they are.
std::string suggestionInPlace(const std::string &found, const std::string &candidate)
{
    const std::vector<std::string> f = spaced(found), c = spaced(candidate);
    std::vector<std::string> lower;
    for (const std::string &w : c)
        lower.push_back(Tokenizer::toLower(w));
    const bool markFirst = !candidate.empty() && std::strchr(",;:", candidate.front()) != nullptr;
    // m words of the candidate end it as written; at least one word is added before them
    for (size_t m = c.empty() ? 0 : c.size() - 1; m >= 1; --m) {
        for (size_t i = 0; i + m <= f.size(); ++i) {
            if (!std::equal(lower.end() - long(m), lower.end(), f.begin() + long(i)))
                continue;
            std::string whole;
            for (size_t k = 0; k < i; ++k)
                whole += (k ? " " : "") + f[k];
            whole += (i && !markFirst ? " " : "") + candidate;
            for (size_t k = i + m; k < f.size(); ++k)
                whole += " " + f[k];
            return whole;
        }
    }
    return candidate;
}

struct Page
{
    const char *title; // Chinese
    const char *text;  // Chinese explanation
    const char *rule;  // the English rule
    const char *wrong;
    const char *right;
};

const std::unordered_map<std::string, Page> &pages()
{
    static const std::unordered_map<std::string, Page> m = {
        {"nonword", {"拼写错误", "这个词在词典中不存在，可能是拼写错误。请从候选词中选择正确的拼写；如果它是专有名词或您确认无误的词，可以将它加入“我的词典”。",
                     "Every word must be spelt as in the dictionary.", "I recieved your letter.", "I received your letter."}},
        {"unknown_word", {"无法识别的单词", "这个词在词典中不存在，也找不到与它相近的常用词，所以没有修改建议。请检查拼写，或换一个你确定的词；如果它是人名、地名、术语或您确认无误的词，可以将它加入“我的词典”。",
                          "An unknown word: no dictionary knows it and no common word is near it, so no correction can be offered.", "The sagniffecient cost rose.", "The significant cost rose."}},
        {"confusion_context", {"同音词、形近词误用", "这个词拼写正确，但放在这里不合上下文：前后的词表明这里应该用一个读音相同或拼写相近的词，例如 great 与 grate、buy 与 by、know 与 no、write 与 right。请确认你想表达的意思。",
                               "A real-word slip: a correctly spelt word where its sound-alike or look-alike belongs, as the words around it show.", "It was a grate idea. I want to by a book.", "It was a great idea. I want to buy a book."}},
        {"name_capital", {"专有名词首字母大写", "城市、国家、语言、星期、月份等专有名词的首字母要大写，例如 Istanbul、English、Monday。",
                          "Names of places, languages, days and months begin with a capital letter.", "I live in istanbul and speak english.", "I live in Istanbul and speak English."}},
        {"article_an", {"冠词 a/an", "以元音音素开头的单词前用 an，而不是 a。判断的依据是读音而不是字母。",
                        "Use \"an\" before a word that begins with a vowel sound.", "She ate a apple.", "She ate an apple."}},
        {"article_a", {"冠词 a/an", "以辅音音素开头的单词前用 a，而不是 an。注意 university、useful、one 等词以辅音音素开头。",
                       "Use \"a\" before a word that begins with a consonant sound.", "He is an university student.", "He is a university student."}},
        {"sv_agreement", {"主谓一致", "谓语动词必须与主语在人称和数上保持一致：第三人称单数主语 (he/she/it) 后的一般现在时动词要加 -s/-es；复数主语和 I/you 后用动词原形。",
                          "The verb must agree with its subject in person and number.", "He go to school every day.", "He goes to school every day."}},
        {"modal_base", {"情态动词后用动词原形", "can、will、must、should 等情态动词后面要接动词原形，不能接过去式或第三人称单数形式。",
                        "A modal verb is followed by the base form of a verb.", "She can speaks English.", "She can speak English."}},
        {"do_base", {"助动词 do 后用动词原形", "do、does、did 作助动词（否定句、疑问句）时，后面的实义动词要用原形；时态和人称已由助动词体现。",
                     "After the auxiliary do/does/did, use the base form of the verb.", "He didn't went to the party.", "He didn't go to the party."}},
        {"modal_to", {"情态动词后不加 to", "情态动词后直接接动词原形，中间不加 to（ought to 除外）。",
                      "Do not put \"to\" between a modal verb and its verb.", "You must to finish it.", "You must finish it."}},
        {"to_infinitive", {"不定式用动词原形", "不定式 to 后面要接动词原形。",
                           "An infinitive is \"to\" plus the base form of the verb.", "I want to went home.", "I want to go home."}},
        {"repeated_word", {"重复的单词", "同一个单词连续出现了两次，通常是输入错误，删除其中一个即可。",
                           "A word is repeated by mistake.", "I like the the book.", "I like the book."}},
        {"pronoun_i", {"代词 I 大写", "英语中第一人称代词 I 在任何位置都要大写。",
                       "The pronoun \"I\" is always written as a capital letter.", "Yesterday i went shopping.", "Yesterday I went shopping."}},
        {"double_comparative", {"比较级重复", "形容词的比较级或最高级已经有 -er/-est 或不规则形式 (better、best) 时，不能再加 more/most。",
                                "Do not combine more/most with a comparative or superlative form.", "This book is more better than that one.", "This book is better than that one."}},
        {"uncountable_plural", {"不可数名词没有复数", "information、advice、equipment、homework 等是不可数名词，没有复数形式；表示数量时用 a piece of、some、much 等。",
                                "Uncountable nouns have no plural form.", "He gave me many advices.", "He gave me a lot of advice."}},
        {"irregular_plural", {"不规则复数", "有些名词的复数形式不规则，不能直接加 -s，例如 child→children、foot→feet、knife→knives。",
                              "Some nouns have irregular plural forms.", "There are three childs in the room.", "There are three children in the room."}},
        {"irregular_comparative", {"不规则比较级", "good 和 bad 的比较级、最高级是不规则的：good→better→best，bad→worse→worst。",
                                   "good and bad have irregular comparatives.", "Her plan is gooder than mine.", "Her plan is better than mine."}},
        {"irregular_verb", {"不规则动词", "这个动词的过去式或过去分词是不规则的，不能直接加 -ed，例如 go→went→gone、buy→bought→bought。",
                            "Irregular verbs have their own past and participle forms.", "We goed to the park yesterday.", "We went to the park yesterday."}},
        {"although_but", {"although 与 but 不连用", "英语中 although/though 引导让步状语从句时，主句前不能再用 but；两者只能选一个。",
                          "Do not use \"but\" after a clause that begins with \"although\".", "Although it rained, but we went out.", "Although it rained, we went out."}},
        {"because_so", {"because 与 so 不连用", "because 引导原因状语从句时，主句前不能再用 so；两者只能选一个。",
                        "Do not use \"so\" after a clause that begins with \"because\".", "Because he was ill, so he stayed at home.", "Because he was ill, he stayed at home."}},
        {"redundant_preposition", {"多余的介词", "discuss、mention、emphasize、consider、encounter、lack 等是及物动词，后面直接接宾语，不需要介词；despite 本身是介词，后面不加 of。",
                                   "These verbs take a direct object without a preposition.", "We discussed about the plan.", "We discussed the plan."}},
        {"look_forward_to", {"look forward to 后接动名词", "look forward to 中的 to 是介词，后面要接名词或动名词 (-ing)，而不是动词原形。",
                             "In \"look forward to\", \"to\" is a preposition: use the -ing form.", "I look forward to hear from you.", "I look forward to hearing from you."}},
        {"verb_gerund", {"动词后接动名词", "enjoy、finish、avoid、consider、keep、mind 等动词后面接动名词 (-ing)，不接不定式。",
                         "Some verbs are followed by the -ing form, not by \"to\".", "I enjoy to swim.", "I enjoy swimming."}},
        {"verb_infinitive", {"动词后接不定式", "want、decide、hope、plan、refuse、agree、manage、expect 等动词后面接不定式 (to + 动词原形)，不接动名词 (-ing)。",
                             "Some verbs are followed by \"to\" and the base form, not by the -ing form.", "They decided going home.", "They decided to go home."}},
        {"noun_plural", {"名词复数", "several、many、both、different、two 等数量词以及 one of the 之后，可数名词要用复数形式；there are some、some 后接复数动词时也指多个。名词改成复数后，紧跟的谓语动词也要随之改成复数形式 (problems occur)。",
                         "Countable nouns are plural after several, many, both, different, numbers above one and \"one of the\", and after \"some\" where the verb is plural; a verb right after the noun changes with it.", "There are several reason.", "There are several reasons."}},
        {"much_many", {"much 与 many", "much 修饰不可数名词，many 修饰可数名词复数：many cars、much traffic。",
                       "Use \"many\" with plural nouns and \"much\" with uncountable ones.", "There are much cars on the road.", "There are many cars on the road."}},
        {"less_fewer", {"fewer 与 less", "可数名词复数前用 fewer 表示“更少”；less 用于不可数名词。",
                        "Use \"fewer\" with plural countable nouns and \"less\" with uncountable ones.", "There are less cars today.", "There are fewer cars today."}},
        {"amount_number", {"amount 与 number", "amount 修饰不可数名词，表示“量”（the amount of money / water / time）；可以一个一个数的人或物（people、students、houses、cars）要用 the number of / a large number of。",
                           "\"Amount\" measures what is not counted; people and things counted one by one take \"number\".", "The amount of students has grown.", "The number of students has grown."}},
        {"comparative_form", {"比较级形式", "单音节或部分双音节形容词的比较级一般加 -er，不用 more。",
                              "Short adjectives form the comparative with -er, not with more.", "English is more easy than maths.", "English is easier than maths."}},
        {"very_verb", {"very 不修饰动词", "very 只能修饰形容词和副词，不能直接修饰动词；修饰动词用 really，或在句末加 very much。",
                       "\"very\" does not modify verbs; use \"really\" or \"very much\".", "I very like this city.", "I really like this city."}},
        {"there_be", {"there be 句型", "表示“某处有某物”要用 there be 句型，不能用 there have/has。",
                      "Use \"there is/are\" to say that something exists.", "There have many people in the park.", "There are many people in the park."}},
        {"be_agree", {"agree 是动词", "agree 本身就是动词，前面不需要 be 动词；否定形式用 do not agree。",
                      "\"agree\" is a verb: do not put \"be\" before it.", "I am agree with you.", "I agree with you."}},
        {"be_verb", {"be 动词与实义动词连用", "一般现在时的实义动词前不加 be 动词，第三人称单数加 -s。",
                     "Do not put \"be\" before a verb in the simple present.", "It is depend on the weather.", "It depends on the weather."}},
        {"causative_to", {"使役动词后省略 to", "make、let 等使役动词后接宾语，再接不带 to 的动词原形。",
                          "After make and let, the verb follows without \"to\".", "She made me to clean the room.", "She made me clean the room."}},
        {"tense_past_time", {"时态：过去的时间用过去时", "句中有 yesterday、last year、three years ago、in 2010 等表示过去的时间状语，或有 when I was young、after I finished school 这样的过去时间从句时，谓语动词要用一般过去时。描述图表时，过去年份的数字也用过去时：The graph shows that in 1990 the figure was 20%（shows 说的是图表本身，用现在时）。前一句已经用过去时讲过去的事，下一句用 then、after that、two days later、the next day 接着讲，或者同一个人接着讲当时做的事，也要用过去时：Last summer we went to Beijing. We visited the Great Wall. 汉语靠时间词表示时间，英语还要改变动词的形式。",
                             "A verb about a finished time in the past takes the simple past, also in a sentence that carries on a story the sentence before tells in the past.", "Last year I go to Beijing.", "Last year I went to Beijing."}},
        {"tense_perfect_finished", {"时态：现在完成时不与过去时间连用", "现在完成时表示与现在有关的动作，不能与 yesterday、last week、two days ago 等明确的过去时间状语连用；这时要用一般过去时。",
                                    "Do not use the present perfect with a finished past time.", "I have seen him yesterday.", "I saw him yesterday."}},
        {"tense_if_will", {"时态：条件句中不用 will", "if、unless 引导的条件状语从句，以及 when、before、after、until 引导的时间状语从句，用一般现在时表示将来，不用 will。",
                           "In an if-clause or a time clause, use the present tense for the future.", "If it will rain tomorrow, we will stay at home.", "If it rains tomorrow, we will stay at home."}},
        {"wish_past", {"时态：wish 后用过去式", "wish 表示与现在事实相反或难以实现的愿望，从句用过去式：I wish I could、I wish it would。表示可能实现的希望用 hope：I hope I can。",
                       "After \"wish\", a wish about the present uses the past: \"could\", \"would\".", "I wish I can fly.", "I wish I could fly."}},
        {"since_for", {"since 与 for", "since 后接过去的时间点 (since 2010、since last year)；表示一段时间 (three years、two months) 要用 for。",
                       "Use \"for\" with a length of time and \"since\" with a point in time.", "I have lived here since three years.", "I have lived here for three years."}},
        {"agreement_of_phrase", {"主谓一致：带 of 短语的主语", "主语带 of 短语时，谓语动词与 of 前面的中心名词一致，而不是与 of 后面离动词最近的名词一致。",
                                 "The verb agrees with the head noun before \"of\", not with the noun next to it.", "The price of the books are high.", "The price of the books is high."}},
        {"agreement_every", {"主谓一致：every/each 与不定代词", "every、each 修饰的名词以及 everyone、everything、somebody、nobody 等不定代词作主语时，谓语动词用单数。",
                             "Subjects with every or each, and everyone, everything, nobody ..., take a singular verb.", "Everyone have a dream.", "Everyone has a dream."}},
        {"agreement_relative", {"主谓一致：定语从句", "who、which、that 引导的定语从句中，谓语动词与它修饰的先行词保持一致：先行词是复数（students、problems、people），从句动词就用复数形式（are、have、like），不用 is、has、likes；先行词是单数或 everyone、someone 等不定代词（a person、everyone），从句动词用单数形式（is、has、likes）。",
                                "In a relative clause, the verb after who, which or that agrees with the noun the clause describes: after a plural noun it takes the plural form, after a singular noun or everyone, someone ... the singular form.", "Students who lives far away take the bus.", "Students who live far away take the bus."}},
        {"agreement_one_of", {"主谓一致：one of 结构", "one of、each of、either of 后面的名词是复数，但整个主语指其中的一个，谓语动词用单数。",
                              "\"One of\" + a plural noun is singular: the verb is singular.", "One of my friends are a doctor.", "One of my friends is a doctor."}},
        {"agreement_uncountable", {"主谓一致：学科、语言和不可数名词", "English、math、physics 等学科和语言名称以及 information、money 等不可数名词作主语时，谓语动词用单数。",
                                   "School subjects, languages and uncountable nouns take a singular verb.", "English are important.", "English is important."}},
        {"there_be_number", {"there be 句型的单复数", "there be 句型中，be 动词的单复数由它后面的名词决定：复数名词用 are/were，单数名词用 is/was。",
                             "In \"there is/are\", the verb agrees with the noun that follows it.", "There is big changes in my hometown.", "There are big changes in my hometown."}},
        {"say_tell", {"say 与 tell", "say 后面不直接接表示人的宾语（说话的对象用 to）；tell 后面要先接人，再接内容：tell me the news、say that ...。",
                      "\"tell\" takes the person as its object; \"say\" does not.", "He said me the news.", "He told me the news."}},
        {"suggest_that", {"suggest 的用法", "suggest 后面不能接“宾语 + to do”，要用 suggest that sb (should) do 或 suggest doing。",
                          "Use \"suggest that somebody do\", not \"suggest somebody to do\".", "He suggested me to rest.", "He suggested that I rest."}},
        {"explain_to", {"explain 的用法", "explain 的直接宾语是被解释的事情；说明解释给谁听时要用 explain sth to sb 或 explain to sb sth。",
                        "Explain something to somebody: the person follows \"to\".", "Please explain me the rule.", "Please explain to me the rule."}},
        {"gerund_after_preposition", {"介词后用动名词", "介词 (in、of、about、without、by 等) 后面接动词时要用 -ing 形式。",
                                      "After a preposition, a verb takes the -ing form.", "I am interested in learn English.", "I am interested in learning English."}},
        {"preposition_choice", {"介词搭配", "很多动词和形容词有固定的介词搭配，例如 interested in、depend on、different from、responsible for、proud of，不能按汉语意思随意换用。“对某人来说做某事很……”说 It is easy for me to …，用 for，不用 to。",
                                "Many verbs and adjectives take a fixed preposition; before a person and a to-infinitive an adjective takes \"for\" (easy for me to say).", "I am interested on music.", "I am interested in music."}},
        {"noun_preposition", {"名词后的介词", "名词后面的介词也是固定搭配：the reason for、the effect on、play a role in、pay attention to。汉语说“……的原因”，但英语里 reason 后面几乎总是用 for，很少用 of。英语母语者的文章里，这个名词后面很少用你写的介词，而是用建议的介词。",
                              "Nouns take their own prepositions too: the reason for, the effect on, a role in. Native writers rarely put the written preposition after this noun.", "There are two main reasons of this problem.", "There are two main reasons for this problem."}},
        {"preposition_phrase", {"固定短语", "“另一方面”是 on the other hand，介词用 on，不用 in。",
                                "The phrase is \"on the other hand\".", "In the other hand, it is expensive.", "On the other hand, it is expensive."}},
        {"preposition_missing", {"缺少介词", "listen、wait、talk、graduate 是不及物动词，接宾语前要加介词：listen to sth、wait for sb、talk about sth、graduate from a school。",
                                 "Some verbs need a preposition before their object: listen to, wait for, talk about.", "I like to listen music.", "I like to listen to music."}},
        {"verb_preposition_missing", {"动词后缺少介词", "depend、arrive、belong、participate、wait 等动词不直接接宾语，宾语前要先加介词：depend on the weather、arrive at school、belong to me、participate in the game、wait for the bus。英语母语者的文章里，这个动词几乎从不直接跟名词，而是用建议的介词。",
                                      "This verb does not take its object directly: native writers put a preposition first (depend on, arrive at, belong to, wait for).", "It depends the weather.", "It depends on the weather."}},
        {"preposition_extra", {"多余的介词", "home、abroad、overseas、downtown、here、there 等在这里是副词，前面不加 to 或 at：go home、went abroad、arrived home。",
                               "\"home\" and \"abroad\" are adverbs here and take no preposition.", "We went to abroad and then went to home.", "We went abroad and then went home."}},
        {"preposition_time", {"时间介词", "星期几和具体某天用 on (on Monday)，年份和月份用 in (in 2010)，一天中的早上、下午、晚上用 in (in the morning)，夜里用 at night，周末用 at the weekend（美式 on the weekend）。",
                              "Use on with days, in with years, months and parts of the day (in the morning), at with night and the weekend (American: on the weekend).", "We met in Monday.", "We met on Monday."}},
        {"double_negative", {"双重否定", "英语中一个句子里通常只用一个否定词；已有 not、never 等否定时，后面用 anything、anybody、any 等，而不是 nothing、nobody、no。",
                             "Use only one negative word in a clause.", "I don't have nothing to do.", "I don't have anything to do."}},
        {"feeling_adjective", {"-ed 与 -ing 形容词", "表示人的感受用 -ed 形容词 (I am bored/interested)；描述事物让人产生的感受用 -ing 形容词 (The film is boring/interesting)。",
                               "People feel bored; things are boring.", "I am boring in the class.", "I am bored in the class."}},
        {"uncountable_count", {"不可数名词不能直接计数", "advice、information、homework、equipment 等不可数名词前不能用 a/an、many、a few；可以用 a piece of、much、a little 或直接用名词。",
                               "Uncountable nouns take no a/an and no many; use a piece of, much or a little.", "He gave me an advice.", "He gave me a piece of advice."}},
        {"sentence_capital", {"句首字母大写", "英语句子的第一个单词首字母要大写。",
                              "A sentence begins with a capital letter.", "for example, my cousin is twelve.", "For example, my cousin is twelve."}},
        {"capital_after_comma", {"逗号后不用大写", "逗号不结束句子，逗号后面的普通单词要小写；只有句首、专有名词和代词 I 才大写。",
                                 "A comma does not end the sentence: the word after it stays in lower case.", "For example, Many people like tea.", "For example, many people like tea."}},
        {"missing_subject", {"缺少主语", "英语句子必须有主语。中文可以说“很重要……”“有很多人……”，英语要补上形式主语 it 或用 there be 句型：It is important to ...，There are many people ...。",
                             "An English sentence needs a subject: use \"it\" or \"there\".", "Is important to study. Have many people here.", "It is important to study. There are many people here."}},
        {"comma_after_opener", {"句首连接语后加逗号", "for example、in my opinion、moreover、nowadays 等放在句首的连接语或状语后面通常加逗号，与主句隔开。",
                                "Put a comma after a linking phrase that opens a sentence.", "For example my cousin is twelve.", "For example, my cousin is twelve."}},
        {"comma_after_clause", {"句首从句后加逗号", "以 if、when、although、because、as、since、while 等引导的从句，或 according to ...、as can be seen from ... 这类较长的短语放在句首时，后面要加逗号，再接主句：If you want to succeed, you must work hard.",
                                "Put a comma after an opening clause or a long opening phrase, before the main clause.", "When I came home my mother was cooking.", "When I came home, my mother was cooking."}},
        {"comma_after_linker", {"句中连接语后加逗号", "however、therefore、for example、on the other hand 等连接语放在句子中间时，前后都要用逗号隔开，后面的逗号不能省。however、therefore 连接两个完整的句子时，前面用分号或句号更好：..., however, we → ...; however, we。",
                                "A linking word inside a sentence takes a comma after it as well as before it.", "Prices rose; however the demand stayed high.", "Prices rose; however, the demand stayed high."}},
        {"comma_etc", {"etc. 前加逗号", "列举后面的 etc.（等等）前面要加逗号，和前面的项目隔开：apples, pears, etc.；如果前面已经有 and，就去掉 and，只写 etc.。",
                       "Put a comma before \"etc.\" at the end of a list.", "We talked about the news, sports etc.", "We talked about the news, sports, etc."}},
        {"comma_especially", {"especially 前加逗号", "especially、particularly 在句末引出补充说明（尤其是……的时候、尤其在……）时，前面用逗号和句子主干隔开：Cars are popular, especially in small towns.",
                              "Put a comma before \"especially\" or \"particularly\" when it adds an afterthought.", "I like the others especially when it rains.", "I like the others, especially when it rains."}},
        {"comma_splice", {"逗号不能连接两个句子", "英语里两个完整的句子（各有主语和谓语）不能只用逗号连在一起，中文那样“一逗到底”在英语里是错误的：改用句号或分号，或者加 and、but、so 等连词。",
                          "A comma alone cannot join two sentences: use a full stop or a semicolon, or add a conjunction.", "English is widely spoken, it is an international language.", "English is widely spoken; it is an international language."}},
        {"determiner_number", {"限定词与名词的数", "a/an、this、every、each、another 只能修饰单数名词；复数名词前去掉 a/an，或把 this 改成 these，every/each 后的名词用单数；指“其他的几个”时用 other 加复数 (other places)。",
                               "\"a\", \"an\", \"this\" and \"another\" go with singular nouns only; for several more, use \"other\" and a plural.", "We got a new things and this animals.", "We got new things and these animals."}},
        {"quantifier_of", {"of 结构中的限定词", "most of、all of、some of、each of、one of 等表示“一群中的部分”，of 后面要有 the、my、these 等限定词 (one of the reasons)；泛指时直接说 most students，不用 of。",
                           "After \"most of\", \"all of\", \"some of\" or \"one of\", the noun needs a determiner such as \"the\".", "Most of students like music.", "Most of the students like music."}},
        {"article_missing", {"缺少冠词", "可数名词的单数形式不能单独使用，前面要有 a/an、the 或 my、this 等限定词；泛指一类人或事物时也可以改用复数 (Students need rest)。中文没有冠词，所以这一点最容易漏掉。",
                             "A singular countable noun needs an article or another determiner; for things in general the plural also serves.", "It is good opportunity for us.", "It is a good opportunity for us."}},
        {"article_needed", {"冠词：这里通常要用冠词", "英语母语者在这个名词短语前几乎总会加冠词：第一次提到、泛指“一个”时用 a/an，双方都知道所指、上文提过或有 of 短语限定时用 the。中文没有冠词，这一点最容易漏掉。",
                            "Native writers put an article here: \"a/an\" for one of many, \"the\" for the one both writer and reader know.", "It is important part of economy.", "It is an important part of the economy."}},
        {"article_unneeded", {"冠词：这里通常不用冠词", "泛指一类事物的复数名词和不可数名词、三餐、学科、语言以及很多固定说法前，英语母语者一般不加冠词：People want to be happy in life. 只有上文提到过、后面有 of 短语或从句限定 (the life he led)、或者世上只有一个 (the world) 时才用 the。",
                              "Native writers use no article here: plural and uncountable nouns in a general sense, meals, subjects and set phrases go without one; \"the\" is for the one the reader knows.", "The people want to be happy in the life.", "People want to be happy in life."}},
        {"article_choice", {"冠词：a/an 与 the", "a/an 表示“某一个”，引入读者还不知道的事物；the 表示特指，指读者已经知道或只有一个的事物，例如最高级、序数词之前。",
                            "Use \"a/an\" for something new to the reader and \"the\" for the one the reader knows.", "She is a best student in a class.", "She is the best student in the class."}},
        {"article_stray", {"多余的冠词", "everything、someone 等不定代词，my、their 等物主代词，以及 this、another、each、every、some、any 等限定词前面不用冠词；today's 这样的所有格本身就起限定作用，前面也不加 the。",
                           "Pronouns, possessives, determiners such as \"another\", \"each\" and \"this\", and words such as \"today's\" take no article.", "We read the today's news and had a everything ready.", "We read today's news and had everything ready."}},
        {"other_singular", {"other 后的名词", "other 前没有 the、any、no 等限定词时，后面的可数名词要用复数 (other countries)；指“另一个”时用 another 加单数 (another country)。",
                            "Without a determiner, \"other\" takes a plural noun; for one more, use \"another\".", "He moved to other city.", "He moved to another city."}},
        {"comparative_less", {"“不如”用 less ... than", "表示“A 不如 B……”时，用 less 加形容词原级再接 than (less interesting than)，或者 not as ... as；not 不能直接加形容词原级再接 than。",
                              "\"Not\" before a plain adjective cannot compare: use \"less ... than\".", "Watching TV is not interesting than reading.", "Watching TV is less interesting than reading."}},
        {"comparative_very", {"有 than 的比较不用 very", "句子后面有 than 进行比较时，前面的形容词要用比较级 (more important、easier)；very 只修饰原级，不能表示“更”。",
                              "A comparison closed by \"than\" needs the comparative, not \"very\".", "It is very important to study than to play.", "It is more important to study than to play."}},
        {"repeated_positive", {"“越来越……”用比较级重复", "汉语的“越来越新、越来越重要”在英语里要重复比较级：newer and newer、more and more important；原级重复 (new and new) 不表示程度加深。",
                               "\"Ever more\" is said with the comparative repeated (newer and newer, more and more important).", "New and new technology comes out every year.", "Newer and newer technology comes out every year."}},
        {"more_verb_order", {"“更……”放在动词和宾语之后", "汉语的“更喜欢、更享受”把“更”放在动词前；英语里 more 要放在动词及其宾语之后 (enjoy the trip more)，或改用 like ... better。",
                             "\"More\" with a verb follows the verb and its object.", "I can more enjoy the trip.", "I can enjoy the trip more."}},
        {"collocation", {"词语搭配", "英语的动词和宾语、形容词和名词有固定的搭配，不能按汉语逐字对应：汉语的“做”“说”“看”“学”“大”分别对应英语里好几个词，要看后面的名词选用。犯错误是 make a mistake，犯罪是 commit a crime，说谎是 tell a lie，看电视是 watch TV，吃药是 take medicine，大雨是 heavy rain，小雨是 light rain，高价是 a high price，低成本是 a low cost，造成损害是 do damage。拿不准时，查一查这个名词常和哪个动词或形容词连用。",
                         "Verbs take the objects, and adjectives the nouns, that English pairs them with; the word a Chinese word suggests is often not the one English uses.", "He did a mistake and ate the medicine in the big rain.", "He made a mistake and took the medicine in the heavy rain."}},
        {"rise_raise", {"rise 与 raise", "rise（上升、升起）是不及物动词，后面不接宾语：prices rise；raise（提高、抚养、筹集、提出）是及物动词，要接宾语：raise a family、raise money、raise the price。被动语态也只能用 raised。",
                        "\"Rise\" takes no object; what someone lifts, brings up or collects is \"raised\".", "They work hard to rise a family.", "They work hard to raise a family."}},
        {"feeling_passive", {"表示感受的动词用被动形式", "interest、satisfy、bore、excite、worry 等动词的意思是“使人感到……”，主语是引起感受的事物；说人自己的感受要用 be 加过去分词：I am interested in music、I am satisfied with it。",
                             "A verb of feeling acts on someone: the person who feels takes \"be\" + past participle.", "I am interest in music, and the more I learn, the more I satisfy.", "I am interested in music, and the more I learn, the more I am satisfied."}},
        {"adjective_after_be", {"be 后用形容词", "be 动词后表示主语的性质、状态要用形容词：be easy to learn、be mature enough；副词 (easily) 修饰动词，过去分词 (matured) 表示被加工的过程，都不能代替形容词。",
                                "After \"be\", describe the subject with an adjective.", "Young people are more easily to adapt, and he will be matured enough.", "Young people find it easier to adapt, and he will be mature enough."}},
        {"perception_base", {"感官动词后用原形或 -ing", "see、hear、watch、notice、feel 等感官动词接宾语后，用不带 to 的动词原形表示看到（听到）动作的全过程 (I heard him sing)，用 -ing 表示动作正在进行 (I saw her walking away)，不能用过去式。",
                             "After see, hear or watch and an object, use the base form or the -ing form.", "I heard him sang a song.", "I heard him sing a song."}},
        {"as_as", {"as ... as 前后都要 as", "表示“和……一样”时用 as + 形容词/副词原级 + as (as tall as me、as soon as possible)，前面的 as 不能省略。",
                   "An equal comparison takes \"as\" on both sides.", "He is tall as me, so come back soon as possible.", "He is as tall as me, so come back as soon as possible."}},
        {"question_order", {"特殊疑问句要倒装", "以 what、where、why、how 等开头的疑问句，要把 be 动词、情态动词或助动词放在主语前面 (What are you doing?)；没有这些词时，在主语前加 do/does/did，动词用原形 (Where do you live?)。",
                            "A direct question puts the auxiliary before the subject.", "Where you live? What you are doing?", "Where do you live? What are you doing?"}},
        {"do_not", {"否定要借助助动词", "汉语的“不”可以直接放在动词前；英语一般现在时的否定要用 do not / does not 加动词原形 (He does not like it)，形容词前用 be 动词加 not (My English is not good)。",
                    "\"Not\" before a verb needs \"do\", \"does\" or \"did\".", "He not like it.", "He does not like it."}},
        {"there_verb", {"there be 句型中的第二个动词", "there is/are 已经是句子的谓语，后面说明人或物在做什么时，要用 -ing 形式 (There are many people playing football) 或定语从句 (who play ...)，不能再用一个谓语动词。",
                        "After \"there are\" and a noun, a second verb takes -ing.", "There are many students study in the library.", "There are many students studying in the library."}},
        {"lie_lay", {"lie 与 lay", "lie（躺、位于，过去式 lay，-ing 形式 lying）是不及物动词：lie down、The book lies on the table；lay（放置，过去式 laid）是及物动词，后面要有宾语：lay the book on the table。",
                     "To rest somewhere is \"lie\"; \"lay\" puts something down and takes an object.", "I want to lay down, and the book lays on the table.", "I want to lie down, and the book lies on the table."}},
        {"enjoy_object", {"enjoy 后要有宾语", "enjoy（享受、喜欢）是及物动词，后面必须有宾语：enjoy it very much、enjoy the trip；说“玩得开心”用 enjoy oneself (We enjoyed ourselves) 或 have a good time。",
                          "\"Enjoy\" takes an object: enjoy it, enjoy yourself.", "I enjoyed very much.", "I enjoyed it very much."}},
        {"have_be", {"表示状态用 be 加过去分词", "located（位于）、married to（与……结婚）、interested in、satisfied with 等表示主语的状态，要用 be 加过去分词 (The school is located in the city)；have 加过去分词是现在完成时，表示做过某事，后面要有宾语。",
                     "A state described by a participle takes \"be\", not \"have\".", "The school has located in the city.", "The school is located in the city."}},
        {"as_follows", {"as follows 是固定说法", "引出下文时用 as follows（如下），无论前面的主语是单数还是复数，follows 都带 -s：The reasons are as follows.",
                        "\"As follows\" keeps its -s whatever comes before it.", "The reasons are as follow.", "The reasons are as follows."}},
        {"the_same", {"the same as", "表示“和……一样”用 the same as，same 前要加 the，不用 as same as。",
                      "\"Same\" takes \"the\": the same as.", "My opinion is as same as yours.", "My opinion is the same as yours."}},
        {"comparative_than", {"than 前用比较级", "与 than 连用比较两者时，形容词要用比较级：短词加 -er (taller)，长词前加 more (more important)；very 不能修饰比较级，要用 much。",
                              "Before \"than\", use the comparative form of the adjective.", "He is tall than his brother.", "He is taller than his brother."}},
        {"adverb_form", {"修饰动词用副词", "说明动作“怎样”进行要用副词 (quickly、carefully)，不能用形容词；good 的副词是 well。look、feel、taste 等系动词后才用形容词。",
                         "Use an adverb to say how something is done; the adverb of \"good\" is \"well\".", "Prices increased rapid, and he speaks English very good.", "Prices increased rapidly, and he speaks English very well."}},
        {"most_noun", {"most 表示“大多数”", "表示“大多数……”时直接用 most 加复数名词 (Most people like it)，前面不加 the；the most 是最高级，用在形容词前 (the most important)。",
                       "\"Most\" meaning the greater part takes no \"the\".", "The most people like music.", "Most people like music."}},
        {"article_generic", {"泛指的名词不加 the", "nature（大自然）、mankind、humanity（人类）泛指时不加 the；只有后面有 of 等修饰、特指某一方面时才用 the (the nature of the job)。",
                             "\"Nature\" and \"mankind\" in general take no article.", "We must protect the nature.", "We must protect nature."}},
        {"each_other", {"each other 的形式", "each other（互相）是固定短语，other 不加 -s。",
                        "The phrase is \"each other\", without -s.", "We help each others.", "We help each other."}},
        {"compared_with", {"compared with 作状语", "句首表示“与……相比”用过去分词 compared with/to；comparing 要求主句的主语亲自去“比较”。",
                           "Open with \"compared with\": the subject of the sentence is not the one comparing.", "Comparing with his brother, he is tall.", "Compared with his brother, he is tall."}},
        {"pronoun_case", {"主语用主格代词", "由 and 连接的主语中，代词要用主格 (I、he、she、we、they)，不能用宾格 (me、him、her、us、them)；出于礼貌，I 放在最后。",
                          "Pronouns in a joined subject take the subject form, with \"I\" last.", "Me and him went to the park.", "He and I went to the park."}},
        {"people_plural", {"people 表示“人们”", "people 表示“人、人们”时本身就是复数，不加 -s；peoples 只表示“民族”。",
                           "\"People\" is already plural; \"peoples\" means nations.", "Many peoples think so.", "Many people think so."}},
        {"bare_singular", {"单数可数名词作主语", "可数名词的单数形式作主语时，前面要有 a/an、the、this、my 等限定词；泛指一类人或事物时，常用复数形式 (Students should work hard)。",
                           "A singular countable noun as a subject needs a determiner; for things in general use the plural.", "Student should work hard.", "Students should work hard."}},
        {"passive_participle", {"被动语态用过去分词", "被动语态由 be 加过去分词构成：can be finished、will be limited。be 后面不能直接接动词原形。",
                                "The passive is \"be\" plus the past participle.", "The work can be finish today.", "The work can be finished today."}},
        {"be_able", {"情态动词与 be able to", "able 是形容词，不能直接跟在 will、can 等情态动词后面，要说 will be able to；can 本身已表示“能够”，不必再加 able。",
                     "\"able\" is an adjective: after a modal verb it needs \"be\".", "We will able to finish it.", "We will be able to finish it."}},
        {"noun_as_verb", {"名词误作动词", "success、belief、proof、choice、loss 是名词；作谓语时要用对应的动词 succeed、believe、prove、choose、lose。",
                          "Use the verb, not the noun, as the predicate: succeed, believe, prove.", "If you work hard, you will success.", "If you work hard, you will succeed."}},
        {"complement_plural", {"表语名词的数", "主语是复数时，be 后面作表语的可数名词也要用复数：They are good students，而不是 They are good student。",
                               "After a plural subject and \"are\", a countable noun complement is plural.", "They are good student.", "They are good students."}},
        {"used_to_ing", {"be used to 后接动名词", "be used to（习惯于）中的 to 是介词，后面接名词或动名词：I am used to getting up early；used to do 才表示“过去常常”。",
                         "In \"be used to\", \"to\" is a preposition: use the -ing form.", "I am used to get up early.", "I am used to getting up early."}},
        {"perfect_participle", {"完成时用过去分词", "have/has/had 构成完成时，后面要接过去分词，而不是过去式或动词原形（have ever thought，不是 have ever think）。",
                                "Perfect tenses use the past participle.", "He has went to Beijing.", "He has gone to Beijing."}},
        {"split_word", {"一个词不要拆开写", "myself、yourself、anyone、everyone 等是一个词，不要写成 my self、any one；any one 只在强调“任何一个”时分开（any one of them）。",
                        "Some words are written as one: myself, anyone, everyone.", "I went there by my self and any one can do it.", "I went there by myself and anyone can do it."}},
        {"because_of", {"because 与 because of", "because 是连词，后面接完整的从句（有主语和谓语）；后面只有名词短语时用 because of。",
                        "\"because\" joins a clause; before a noun phrase use \"because of\".", "We stayed home because the rain.", "We stayed home because of the rain."}},
        {"confusion_its", {"its 与 it's", "its 是物主代词（它的）；it's 是 it is 或 it has 的缩写。",
                           "\"its\" is possessive; \"it's\" means \"it is\" or \"it has\".", "Its a nice day. The dog wagged it's tail.", "It's a nice day. The dog wagged its tail."}},
        {"confusion_their", {"their、there 与 they're", "their 是物主代词（他们的）；there 表示“那里”或用于 there be 句型；they're 是 they are 的缩写。",
                             "\"their\" is possessive, \"there\" is a place or starts \"there is\", \"they're\" means \"they are\".", "Their are many people here.", "There are many people here."}},
        {"confusion_your", {"your 与 you're", "your 是物主代词（你的）；you're 是 you are 的缩写。",
                            "\"your\" is possessive; \"you're\" means \"you are\".", "Your welcome.", "You're welcome."}},
        {"confusion_whose", {"whose 与 who's", "whose 表示“谁的”；who's 是 who is 或 who has 的缩写。",
                             "\"whose\" is possessive; \"who's\" means \"who is\" or \"who has\".", "Whose been to Beijing?", "Who's been to Beijing?"}},
        {"confusion_than", {"than 与 then", "than 用于比较（比）；then 表示时间（然后、那时）。比较级后面要用 than。",
                            "Use \"than\" in comparisons and \"then\" for time.", "She is taller then her brother.", "She is taller than her brother."}},
        {"confusion_then", {"then 与 than", "then 表示时间顺序（然后、那时）；than 只用于比较。",
                            "Use \"then\" for time and sequence.", "We had dinner and than went home.", "We had dinner and then went home."}},
        {"confusion_affect", {"affect 与 effect", "affect 通常是动词（影响）；effect 通常是名词（效果、影响）。have an effect on = affect。",
                              "\"affect\" is usually a verb, \"effect\" usually a noun.", "Smoking has a bad affect on health.", "Smoking has a bad effect on health."}},
        {"confusion_lose", {"lose 与 loose", "lose 是动词（失去、丢失）；loose 是形容词（松的）。",
                            "\"lose\" is a verb; \"loose\" is an adjective.", "I don't want to loose my job.", "I don't want to lose my job."}},
        {"confusion_advice", {"advice 与 advise", "advice 是不可数名词（建议）；advise 是动词（建议、劝告）。",
                              "\"advice\" is a noun; \"advise\" is a verb.", "Thank you for your advise.", "Thank you for your advice."}},
        {"confusion_quite", {"quite 与 quiet", "quite 是副词（相当、十分）；quiet 是形容词（安静的）。",
                             "\"quite\" is an adverb; \"quiet\" is an adjective.", "The test was quiet difficult.", "The test was quite difficult."}},
        {"confusion_weather", {"weather 与 whether", "weather 是名词（天气）；whether 是连词（是否）。",
                               "\"weather\" is a noun; \"whether\" is a conjunction.", "I don't know weather or not he will come.", "I don't know whether or not he will come."}},
        {"confusion_too", {"to 与 too", "too 是副词（太、也）；to 是介词或不定式符号。",
                           "\"too\" means \"excessively\" or \"also\"; \"to\" is a preposition or marks an infinitive.", "It is to late.", "It is too late."}},
        {"confusion_where", {"where 与 were", "where 是疑问词或关系副词（哪里）；were 是 be 的过去式。",
                             "\"where\" asks or tells about place; \"were\" is a form of \"be\".", "Were is the station?", "Where is the station?"}},
        {"confusion_maybe", {"maybe 与 may be", "maybe 是副词（也许）；may be 是情态动词加 be（可能是）。",
                             "\"maybe\" is an adverb; \"may be\" is a verb phrase.", "It maybe true.", "It may be true."}},
        {"confusion_breath", {"breath 与 breathe", "breath 是名词（呼吸、气息）；breathe 是动词（呼吸）。",
                              "\"breath\" is a noun; \"breathe\" is a verb.", "It is hard to breath here.", "It is hard to breathe here."}},
        {"confusion_past", {"past 与 passed", "past 可作名词、形容词或介词（过去）；passed 是动词 pass 的过去式。",
                            "\"past\" refers to time gone by; \"passed\" is a verb form.", "In the passed, life was hard.", "In the past, life was hard."}},
        {"confusion_life", {"life 与 live", "life 是名词（生活、生命），放在 my、our 等之后；live 是动词（生活、居住），放在主语或情态动词之后。",
                            "\"life\" is a noun; \"live\" is the verb.", "We can life in peace, and my live is happy.", "We can live in peace, and my life is happy."}},
        {"search_engine", {"search engine，不是 search machine", "“搜索引擎”在英语里固定说 search engine；machine 指机器，不用于这个说法。",
                           "The fixed term is \"search engine\", not \"search machine\".", "Google is a search machine.", "Google is a search engine."}},
        {"wordy_phrase", {"表达冗长", "这个短语可以用更简洁的说法表达，意思不变，文章更紧凑。",
                          "Prefer the shorter expression when it says the same.", "We met in order to discuss the plan.", "We met to discuss the plan."}},
        {"repeated_opener", {"句首重复", "连续几个句子用同一个词开头会显得单调，可以换一个意思相近的连接词。",
                             "Vary the words that open consecutive sentences.", "Then we ate. Then we left.", "Then we ate. After that, we left."}},
        {"fragment_no_verb", {"句子不完整", "这个句子似乎没有谓语动词，是一个不完整的句子。请补充谓语，或把它并入前后的句子。",
                              "A sentence needs a subject and a finite verb.", "For example, the beautiful city of Beijing.", "For example, Beijing is a beautiful city."}},
        {"fragment_subordinate", {"句子不完整", "以 because、although 等开头的从句不能单独成句，需要与主句连在一起。",
                                  "A subordinate clause cannot stand alone as a sentence.", "Because I was tired.", "I went to bed early because I was tired."}},
        {"be_missing", {"缺少 be 动词", "英语的形容词、进行时 (-ing) 和被动语态前都需要 be 动词作谓语，汉语却常常不用“是”：I am going（不是 I going），they are interested in（不是 they interested in），will be happy（不是 will happy），I was born（不是 I born）。",
                        "Adjectives, -ing forms and passives need a form of \"be\" as the verb.", "When my sister getting old, she will happy.", "When my sister is getting old, she will be happy."}},
        {"modal_do", {"情态动词后不再用 do not", "can、may、should 等情态动词的否定直接在后面加 not，不再加 do/does/did：may not know，不是 may do not know。",
                      "A modal verb is negated with \"not\" alone.", "You should do not worry.", "You should not worry."}},
        {"to_missing", {"动词后缺少 to", "want、decide、hope、plan、learn、refuse 等动词后面接另一个动词时要用不定式 to do：want to go，不是 want go。",
                        "Verbs such as want, decide and hope take \"to\" before another verb.", "I want go home.", "I want to go home."}},
        {"participle_alone", {"过去分词不能单独作谓语", "seen、gone、done、taken 等过去分词要与 have/has 构成完成时，或与 be 构成被动语态；单独作谓语时用过去式：I saw it 或 I have seen it，不是 I seen it。",
                              "A past participle needs \"have\" or \"be\"; alone, use the simple past.", "I seen him yesterday.", "I saw him yesterday."}},
        {"gerund_subject", {"动词作主语用动名词", "动词短语作主语时要用动名词 (-ing) 或不定式 (to do)，不能用动词原形：Learning English is useful，不是 Learn English is useful。",
                            "A verb phrase as the subject takes the -ing form.", "Learn English is useful.", "Learning English is useful."}},
        {"no_not", {"否定动词用 not", "no 用在名词前（no time），否定动词要用 do not/does not：I don't like it，不是 I no like it。",
                    "\"no\" goes before a noun; a verb is negated with do not/does not.", "I no like spicy food.", "I don't like spicy food."}},
        {"embedded_question", {"间接疑问句用陈述语序", "疑问句放在 know、tell、ask 等词后作宾语时，要用陈述语序：I don't know where the station is，不是 where is the station。",
                               "A question inside a sentence keeps statement word order.", "I don't know where is the station.", "I don't know where the station is."}},
        {"intransitive_passive", {"不及物动词没有被动语态", "happen、occur、exist、appear、belong、die 等不及物动词没有宾语，不能用被动语态：The accident happened yesterday，不是 was happened。",
                                  "Verbs without an object (happen, exist, belong) have no passive.", "The accident was happened at night.", "The accident happened at night."}},
        {"tense_since_perfect", {"since 与现在完成时", "since 加过去的时间点（since 2010、since last year）表示从那时一直持续到现在，主句要用现在完成时：I have lived here since 2010，不是 I live here since 2010，也不是 I lived here since 2010（一般过去时只说过去，不连到现在）。",
                                 "\"since\" with a point in time takes the present perfect.", "I live in Beijing since 2010.", "I have lived in Beijing since 2010."}},
        {"tense_experience_perfect", {"时态：到现在为止的经历用现在完成时", "说“以前从没……过”“以前……过”这样到现在为止的经历时，英语用现在完成时 have/has + 过去分词，常和 never、ever、before 连用：I have never seen snow before，不是 I never see snow before。一般现在时说的是现在的习惯，不是经历。",
                                      "An experience up to now (never ... before) takes the present perfect.", "I never see snow before.", "I have never seen snow before."}},
        {"perfect_progressive", {"完成进行时用 -ing", "have been 后面接 -ing 形式表示一直在做某事（have been studying）；接过去分词则是被动语态，后面不能再带宾语：I have been studying English for ten years。",
                                 "\"have been\" + -ing says what has been going on; a participle there is passive and takes no object.", "I have been studied English for ten years.", "I have been studying English for ten years."}},
        {"double_subject", {"主语重复", "英语句子只有一个主语：名词作主语后不再用代词重复它：My sister likes music，不是 My sister she likes music。",
                            "A sentence has one subject: do not repeat it with a pronoun.", "My father he works in a bank.", "My father works in a bank."}},
        {"stative_progressive", {"状态动词不用进行时", "know、believe、belong、own、contain、seem 等表示状态的动词一般不用进行时，用一般时态即可：They believe in it，不是 They are believing in it。",
                                 "Verbs of state (know, believe, belong, own) are not used in the progressive.", "I am knowing the answer.", "I know the answer."}},
        {"contraction_mark", {"缩写用撇号", "don't、can't、it's 等缩写形式中间用撇号 (')，不能用反引号 (`)、等号、连字符或其他符号代替。",
                              "A contraction is written with an apostrophe.", "We don`t know and they can=t say.", "We don't know and they can't say."}},
        {"quantity_of", {"数量名词后加 of", "a lot、a number、a variety、a kind、lots、plenty 等表示数量或种类的名词不能直接修饰名词，后面要加 of：a lot of people、a number of students、lots of things。",
                         "A quantity noun such as \"a lot\", \"a number\" or \"plenty\" takes \"of\" before its noun.", "There are a lot people and plenty reasons.", "There are a lot of people and plenty of reasons."}},
        {"doubled_mark", {"标点重复", "句号或逗号连续写了两个，通常是输入错误，保留一个即可；省略号写三个点 (...)。",
                          "A full stop or comma is typed twice by mistake.", "I respect the others..", "I respect the others."}},
        {"number_space", {"数字与单词分开写", "数字和后面的单词 (million、dollars、years 等) 之间要有空格：100 million、20 years；km、pm 等缩写单位除外。",
                          "Put a space between a number and the word after it.", "They paid 100million dollars.", "They paid 100 million dollars."}},
        {"comma_that", {"that 从句前不加逗号", "that 引导的宾语从句或同位语从句紧跟在它所依附的词后面，中间不加逗号：It is clear that ...，I think that ...，We can see that ...，the idea that ...。中文习惯在“我认为”后面停顿加逗号，英语不加。",
                        "No comma between a word and the that-clause it takes (\"it is clear that\", \"I think that\", \"the idea that\").", "I think, that he is right.", "I think that he is right."}},
        {"comma_relative", {"限制性定语从句前不加逗号", "定语从句说明“指的是哪些人或物”时（限制性定语从句），前面不加逗号：those who ...，anyone who ...，many people who ...，the number of people who ...。只有补充说明一个已经确定的人或物时才加逗号：My mother, who lives in Beijing, ...。",
                            "No comma before a relative clause that says which people or things are meant.", "Those, who work hard, will pass.", "Those who work hard will pass."}},
        {"comma_than", {"than 前不加逗号", "比较级和 than 连在一起，中间不加逗号：more popular than ...，higher than ...。",
                        "No comma between a comparative and \"than\".", "E-books are more popular, than paper books.", "E-books are more popular than paper books."}},
        {"adjective_form", {"名词前用形容词", "修饰名词要用形容词，不能用 -ly 副词：the main reasons（不是 the mainly reasons），a careful study（不是 a carefully study）。",
                            "A noun is described by an adjective, not by an -ly adverb.", "The mainly reasons are clear.", "The main reasons are clear."}},
        {"adjective_after_be", {"系动词后用形容词", "be 动词（is、are、was 等）后面说明主语“怎么样”要用形容词，不能用 -ly 副词：The problem is very serious（不是 very seriously），It is obvious that ...（不是 It is obviously that ...）。",
                                "After \"be\" a word that describes the subject is an adjective, not an -ly adverb.", "The problem is very seriously.", "The problem is very serious."}},
        {"adjective_for_noun", {"very 后用形容词", "very 修饰形容词或副词，不能直接修饰名词：a very successful event（不是 a very success event），It is very dangerous（不是 very danger）。",
                                "\"very\" goes with an adjective, not a noun: use the adjective made from the noun.", "It was a very success event.", "It was a very successful event."}},
        {"noun_form", {"这里需要名词", "冠词、物主代词或形容词之后、of 之前的位置需要名词，不能用动词原形：the development of technology（不是 the develop of）。",
                       "After \"the\", a possessive or an adjective, and before \"of\", use the noun, not the verb.", "With the rapid develop of technology, life changed.", "With the rapid development of technology, life changed."}},
        {"the_same", {"the same 固定用 the", "same 表示“相同的”时前面总是用定冠词 the：the same meaning、the same way，不说 a same。",
                      "\"same\" always takes \"the\".", "The two words have a same meaning.", "The two words have the same meaning."}},
        {"space_after_mark", {"标点后加空格", "英文中逗号、句号后面要空一格，再写下一个单词：I like it, but ...；不要把两个词和标点连在一起。",
                              "Put a space after a comma or a full stop.", "I like it,but he does not.It rains.", "I like it, but he does not. It rains."}},
        {"space_before_mark", {"标点前不空格", "英文中逗号、句号、问号、冒号等标点紧跟在前一个单词后面，中间不空格；标点后面再空一格，然后写下一个单词：I like it, but ...，不要写成 I like it , but ... 或 I like it ,but ...。",
                               "No space before a comma, a full stop or another mark; one space after it.", "We studied hard ,so we passed , and we were happy.", "We studied hard, so we passed, and we were happy."}},
        {"full_width_mark", {"英文中用半角标点", "英文句子里要用半角（英文）标点：逗号 ,、句号 .、问号 ? 等；中文的全角标点 ，。？、 不能用在英文中，顿号“、”在英文中改用逗号。",
                             "English text uses English punctuation marks, not Chinese full-width ones.", "I like tea，coffee、and juice。", "I like tea, coffee, and juice."}},
        {"article_name", {"国名、城市名前不加 the", "大多数国家、大洲和城市的名称前不用冠词：in China、to Beijing、from Europe（the United States、the UK 这类含普通名词的名称除外）。",
                          "Most names of countries, continents and cities take no article.", "I was born in the China.", "I was born in China."}},
        {"article_the_name", {"这些名称前要用 the", "由普通名词构成或由其缩写而来的国家、地区和组织名称前要加 the：the USA、the UK、the United States、the Netherlands、the Middle East、the European Union；the Internet 也总带 the。它们在另一个名词前作定语时 (UK visitors、Internet users) 不必加。",
                              "Names made of common nouns or shortened from them take \"the\": the USA, the UK, the Middle East, the Internet.", "Tourism grew fast in USA.", "Tourism grew fast in the USA."}},
        {"question_mark", {"疑问句用问号", "以 what、why、how 等疑问词开头、助动词提前的直接疑问句，句末要用问号 (?)，不用句号。",
                           "A direct question ends with a question mark.", "Why do people like it.", "Why do people like it?"}},
        {"plural_possessive", {"复数名词的所有格", "以 -s 结尾的复数名词变所有格时只加撇号：the students' books、my parents' house；不以 -s 结尾的复数加 's：children's。",
                               "A plural ending in -s takes only an apostrophe in the possessive.", "The students's books are here.", "The students' books are here."}},
        {"so_such", {"so 与 such", "so 修饰形容词或副词 (so good)；形容词后面有名词时用 such：such a good chance、such an unstable trip，不说 so unstable trip。",
                     "\"so\" goes with an adjective alone; before an adjective and its noun use \"such a\".", "It was so unstable trip.", "It was such an unstable trip."}},
        {"article_activity", {"球类、三餐、语言、交通方式前不加 the", "play 后的球类和棋类 (play football)、三餐 (have breakfast)、语言 (speak English)、by 后的交通方式 (go by bus) 前面一般不用冠词；乐器前才用 the (play the piano)。",
                              "Games, meals, languages and means of transport take no article: play football, have lunch, speak English, go by bus.", "We play the football and have the lunch.", "We play football and have lunch."}},
        {"number_word", {"数词后名词的数", "hundred、thousand、million、dozen 前面有具体数字时不加 -s (two hundred students)；只有泛指“成百上千”时才用 hundreds of。one 后面的名词用单数。数词加单位放在另一个名词前作定语时，单位用单数，常加连字符 (a fifteen-year-old girl、a two-hour trip)。",
                         "After a number, hundred, thousand and million take no -s; after \"one\" the noun is singular. A number and its unit before another noun stay singular: a fifteen-year-old girl, a two-hour trip.", "There are two hundreds students and one teachers.", "There are two hundred students and one teacher."}},
        {"noun_number", {"名词的数：单数还是复数", "英语名词有单数和复数之分（名词的数），中文没有这种变化，所以最容易写错。many、several、a lot of、these、two 等数量词和 one of the 之后用复数；a/an、one、every、each、this 之后用单数；后面的谓语动词也要和名词的数一致；用 and、or 并列泛指的可数名词一般都用复数 (ideas and concepts、cars, ships and trains)。information、advice、equipment 等不可数名词没有复数。这个提示来自英语母语者在同样上下文中的用法。",
                         "Noun number: a countable noun is plural after many, several, a lot of, these, numbers above one and \"one of the\", and singular after a/an, one, every, each and this; countable nouns joined by and/or for things in general are plural (ideas and concepts).", "I have several good friend in Beijing. She is a great teachers.", "I have several good friends in Beijing. She is a great teacher."}},
        {"verb_form_model", {"动词的形式", "英语动词有原形、第三人称单数 (-s)、过去式、过去分词和 -ing 五种形式，由前面的词决定用哪一种：to 和 can、will、must 等情态动词以及 do/does/did 之后用原形；have/has/had 之后和被动语态 (is/was/be + 动词) 里用过去分词；be 动词表示进行时用 -ing 形式。中文动词没有这些变化，所以容易写错。这个提示来自英语母语者在同样上下文中的用法。",
                             "The words before a verb choose its form: the base form after \"to\", a modal or do; the past participle after have and in the passive; the -ing form after be in the progressive.", "They can given us more freedom.", "They can give us more freedom."}},
        {"fixed_phrase", {"固定短语", "固定短语的形式不能随意改动：on the other hand、in my opinion、point of view、as a result、in addition、last but not least、nowadays（前面不加 in）。",
                          "Set phrases keep their form.", "As a results, in my opinions, it works.", "As a result, in my opinion, it works."}},
        {"non_prefix", {"前缀 non- 加连字符", "non 是前缀，不能单独成词；它要用连字符与后面的形容词或名词连在一起：non-biological、non-native。",
                        "\"non\" is a prefix: join it to its word with a hyphen.", "It is a non biological process.", "It is a non-biological process."}},
        {"so_on", {"and so on 与 etc.", "“等等”说 and so on（中间不加 the），或者只写 etc.；etc. 本身已含 and 的意思，前面不再加 and。",
                   "Write \"and so on\" or \"etc.\", never \"and the so on\" or \"and etc.\"", "We sell pens, books and etc.", "We sell pens, books, etc."}},
        {"sentence_all_caps", {"整句大写", "整句都用大写字母会让读者觉得是在喊叫，也更难读。正文用正常的大小写：句首和专有名词首字母大写，缩写 (BMW、NASA) 和代词 I 保持大写。",
                               "Do not write whole sentences in capitals; keep capitals for the first word, names, acronyms and \"I\".", "I ANSWERED THE QUESTION AND GOT A PRIZE.", "I answered the question and got a prize."}},
    };
    return m;
}

WordNetDictionary::Pos posOfTag(const std::string &tag)
{
    if (tag == "NN")
        return WordNetDictionary::Noun;
    if (tag == "VB")
        return WordNetDictionary::Verb;
    if (tag == "RB" || tag == "CC")
        return WordNetDictionary::Adverb;
    return WordNetDictionary::Adjective;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::vector<ExplanationPages::Example> ExplanationPages::examples()
{
    std::vector<Example> out;
    out.reserve(pages().size());
    for (const auto &[kind, page] : pages())
        out.push_back({kind, page.wrong, page.right});
    std::sort(out.begin(), out.end(), [](const Example &a, const Example &b) { return a.kind < b.kind; });
    return out;
}

std::string ExplanationPages::escapeHtml(const std::string &text)
{
    // invalid UTF-8 is replaced so that the page is always valid UTF-8
    const std::string clean = Tokenizer::encode(Tokenizer::decode(text));
    std::string out;
    out.reserve(clean.size());
    for (char c : clean) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out.push_back(c);
        }
    }
    return out;
}

std::string ExplanationPages::percentDecode(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() + 0 && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            out.push_back(char(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2])));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

std::vector<std::pair<std::string, std::string>> ExplanationPages::parseQuery(const std::string &rawQuery)
{
    std::string q = rawQuery.size() > 8192 ? rawQuery.substr(0, 8192) : rawQuery;
    const size_t mark = q.find('?');
    if (mark != std::string::npos)
        q.erase(0, mark + 1);
    while (!q.empty() && q[0] == '/')
        q.erase(0, 1);
    std::vector<std::pair<std::string, std::string>> out;
    std::stringstream ss(q);
    std::string part;
    while (std::getline(ss, part, '&')) {
        const size_t eq = part.find('=');
        if (eq == std::string::npos)
            out.emplace_back(percentDecode(part), std::string());
        else
            out.emplace_back(percentDecode(part.substr(0, eq)), percentDecode(part.substr(eq + 1)));
    }
    return out;
}

std::string ExplanationPages::page(const std::string &rawQuery) const
{
    const auto params = parseQuery(rawQuery);
    for (const auto &p : params)
        if (p.first == "lexsub")
            return polishPage(params);
    return findingPage(params);
}

std::string ExplanationPages::findingPage(const std::vector<std::pair<std::string, std::string>> &params) const
{
    std::string et, ct;
    std::vector<std::string> fk;
    for (const auto &[k, v] : params) {
        if (k == "et")
            et = v;
        else if (k == "ct")
            ct = v;
        else if (k == "fk")
            fk.push_back(v);
    }
    std::ostringstream html;
    html << "<div class=\"explanation\">";
    std::string title, text, rule, wrong, right;
    const auto it = pages().find(et);
    const DataRule *own = it == pages().end() && m_rules ? m_rules->pageRule(et) : nullptr;
    if (it != pages().end()) {
        const Page &p = it->second;
        title = p.title, text = p.text, rule = p.rule, wrong = p.wrong, right = p.right;
    } else if (own) {
        // a rule file's page: its first wrong example, mended, is the right one
        const RuleExample &e = own->wrong.front();
        title = own->page.title, text = own->page.about, rule = own->page.summary, wrong = e.sentence;
        right = e.sentence;
        right.replace(e.at, e.span.size(), e.correction);
    } else {
        html << "<p>暂无该类问题的详细解释。</p>";
        if (!et.empty())
            html << "<p style=\"color:#888\">" << escapeHtml(et) << "</p>";
        html << "</div>";
        return html.str();
    }
    // the table's texts are ours and may hold markup; a rule file's are escaped
    html << "<h3>" << (own ? escapeHtml(title) : title) << "</h3>";
    if (!fk.empty() && !fk[0].empty()) {
        html << "<p>原文：<b>" << escapeHtml(fk[0]) << "</b>";
        if (!ct.empty())
            html << " → 建议：<b>" << escapeHtml(suggestionInPlace(fk[0], ct)) << "</b>";
        html << "</p>";
    } else if (!ct.empty()) {
        html << "<p>建议：<b>" << escapeHtml(ct) << "</b></p>";
    }
    html << "<p>" << (own ? escapeHtml(text) : text) << "</p>";
    html << "<p><i>Rule:</i> " << escapeHtml(rule) << "</p>";
    html << "<p>错误：<span style=\"color:#C00000\">" << escapeHtml(wrong) << "</span><br/>";
    html << "正确：<span style=\"color:#008000\">" << escapeHtml(right) << "</span></p>";
    html << "</div>";
    return html.str();
}

std::string ExplanationPages::polishPage(const std::vector<std::pair<std::string, std::string>> &params) const
{
    std::string keysText, pos;
    for (const auto &[k, v] : params) {
        if (k == "lexsub")
            keysText = v;
        else if (k == "pos")
            pos = v;
    }
    std::vector<std::string> keys;
    std::stringstream ss(keysText);
    std::string key;
    while (std::getline(ss, key, ',') && keys.size() < 10)
        keys.push_back(key);
    std::ostringstream html;
    html << "<div class=\"explanation\"><h3>润色建议</h3>";
    if (keys.size() < 2) {
        html << "<p>暂无该词的润色说明。</p></div>";
        return html.str();
    }
    html << "<p>原文：<b>" << escapeHtml(keys[0]) << "</b>。可以换用更丰富、更准确的表达，使文章更有文采：</p><ul>";
    const WordNetDictionary::Pos wnPos = posOfTag(pos);
    for (size_t i = 1; i < keys.size(); ++i) {
        const std::string cand = Tokenizer::toLower(keys[i]);
        html << "<li><b>" << escapeHtml(keys[i]) << "</b>";
        // for a phrase, explain its first word that WordNet knows ("serious problem" -> "serious")
        std::string definition, example;
        std::stringstream words(cand);
        std::string w;
        bool found = m_wordnet.gloss(cand, wnPos, &definition, &example);
        while (!found && words >> w) {
            for (auto p : {wnPos, WordNetDictionary::Adjective, WordNetDictionary::Noun, WordNetDictionary::Verb,
                           WordNetDictionary::Adverb}) {
                if (m_wordnet.gloss(w, p, &definition, &example)) {
                    found = true;
                    break;
                }
            }
        }
        if (found && !definition.empty())
            html << "<br/>释义：" << escapeHtml(definition);
        if (found && !example.empty())
            html << "<br/>例句：<i>" << escapeHtml(example) << "</i>";
        html << "</li>";
    }
    html << "</ul><p>Rule: choose the word that fits the meaning and the register of your sentence.</p></div>";
    return html.str();
}

} // namespace PennovaChecker
