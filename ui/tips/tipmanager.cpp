#include "tipmanager.h"

namespace {

const char *const Texts[TipManager::TipCount] = {
    "通过手动的输入、粘贴和菜单栏的“文件-打开文档”来输入英语文本。",
    "点击“复制全文”将全文复制到剪贴板；点击“文件-保存文档”保存改正后的文档。",
    "点击“检查”按钮对文本进行检查；检查完毕后，不同类型的错误会用不同颜色的下划线标识。",
    "右键点击单词，使用“可替换词”、“查词”、“整句翻译”等润色写作。",
    "文章“纠错”点这里",
    "文章“润色”点这里",
    "全文统计点这里",
    "双词对比查询点这里",
    "点击“润色”对文本进行润色。润色建议会用下划线标识。",
    "右键点击单词，更有“整句翻译”、“查词”、“快速搜索”等辅助功能。",
    "已恢复上次意外退出前的文章内容",
    "正文错误已经全部改正",
    "Pennova的润色建议已经全部采纳",
    "全文已复制到剪贴板",
    "该词已经被加入“我的词库”\nPennova会自动认为该词是正确的。",
    "该错误的改正已撤销",
    "该错误已忽略",
    "在此填写模板中的待填字段，Pennova会在您导出模板时帮你保存",
    "点击“下一步”调整模板",
    "点击“替换”按钮更换模板内容",
    "拖动到左侧文本中修改模板内容",
};

} // namespace

QString TipManager::text(int number)
{
    if (number < 0 || number >= TipCount)
        return QString();
    return QString::fromUtf8(Texts[number]);
}

bool TipManager::hasLink(int number)
{
    return number == 4 || number == 5 || number == 6 || number == 17 || number == 18;
}
