#include "tipwindow.h"

#include "configstore.h"
#include "dialogframe.h"
#include "userinformation.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

struct Page
{
    const char *title;
    const char *body;
};

const Page Pages[TipWindow::PageCount] = {
    {"第一步：个性化设置",
     "通过菜单栏的<b>“文件-设置”</b>，可以按照自己的习惯调整显示的颜色和字体、检查和润色的级别以及快捷键。"
     "<br>把英语水平设得和自己相符，Pennova给出的建议会更贴切。"},
    {"第二步：输入文本",
     "在文本框中直接输入或粘贴英语文本，也可以通过菜单栏的<b>“文件-打开文档”</b>打开已有的文档。"},
    {"第三步：检查错误",
     "点击<b>“检查”</b>按钮，Pennova会逐句检查全文。拼写、语法、样式等不同类型的错误用不同颜色的下划线标出，"
     "右侧面板给出改正建议；点击建议即可改正。"},
    {"第四步：润色文章",
     "点击窗口左侧的<b>“润色”</b>切换到润色模式，再点击<b>“润色”</b>按钮，Pennova会为您的用词给出更丰富的替换建议。"
     "<br>右键点击单词，还可以查词、替换同义词、整句翻译。"},
    {"第五步：保存文本",
     "改好之后，点击<b>“复制全文”</b>把全文复制到剪贴板，或通过菜单栏的<b>“文件-保存文档”</b>保存改正后的文档。"},
};

const char PageStyle[] = "<div style=\"font-family:微软雅黑; font-size:13px; color:#333333;\">";

} // namespace

TipWindow::TipWindow(ConfigStore &prefs, ZeltraLib::UserInformation &usage, const QString &webHost,
                     QWidget *parent)
    : QDialog(parent)
    , m_prefs(prefs)
    , m_usage(usage)
    , m_webHost(webHost)
{
    setObjectName(QStringLiteral("TipWndClass"));
    setWindowTitle(QStringLiteral("Pennova助手"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    m_view = new QTextBrowser(this);
    m_view->setOpenExternalLinks(true);
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->setMinimumSize(420, 200);
    layout->addWidget(m_view, 1);

    auto *buttons = new QHBoxLayout;
    m_hide = new QCheckBox(QStringLiteral("下次启动时隐藏Pennova助手"), this);
    m_hide->setChecked(m_prefs.value(QStringLiteral("display_tips")) == QLatin1String("False"));
    buttons->addWidget(m_hide);
    buttons->addStretch(1);
    m_skip = new QPushButton(QStringLiteral("略过"), this);
    m_go = new QPushButton(QStringLiteral("开始>>"), this);
    m_prev = new QPushButton(QStringLiteral("上一个"), this);
    m_next = new QPushButton(QStringLiteral("下一个"), this);
    m_finish = new QPushButton(QStringLiteral("开始体验>>"), this);
    for (QPushButton *b : {m_skip, m_go, m_prev, m_next, m_finish})
        buttons->addWidget(b);
    layout->addLayout(buttons);

    connect(m_skip, &QPushButton::clicked, this, &TipWindow::slotClose);
    connect(m_go, &QPushButton::clicked, this, &TipWindow::slotGo);
    connect(m_prev, &QPushButton::clicked, this, &TipWindow::slotPrev);
    connect(m_next, &QPushButton::clicked, this, &TipWindow::slotNext);
    connect(m_finish, &QPushButton::clicked, this, &TipWindow::slotGotoFinished);
    connect(m_hide, &QCheckBox::stateChanged, this, &TipWindow::slotShowSettingChanged);
    showPage(-1);
    new DialogFrame(this, windowTitle()); // the program's frame: title bar, drag, fade
}

QString TipWindow::pageTitle(int page)
{
    return page >= 0 && page < PageCount ? QString::fromUtf8(Pages[page].title) : QString();
}

QString TipWindow::pageHtml() const
{
    return m_view->toHtml();
}

void TipWindow::showPage(int page)
{
    m_page = page;
    const bool start = page < 0;
    m_skip->setVisible(start);
    m_go->setVisible(start);
    m_prev->setVisible(!start);
    m_prev->setEnabled(page > 0);
    m_next->setVisible(!start && page < PageCount - 1);
    m_finish->setVisible(page == PageCount - 1);
    QString html = QString::fromLatin1(PageStyle);
    if (start) {
        const QString help = QStringLiteral("http://") + m_webHost + QStringLiteral("/Help/Index1");
        html += QStringLiteral("<h3>欢迎使用Pennova！</h3>"
                               "<p>我是您的写作助手，会帮您找出英语文章中的拼写、语法和用词问题，"
                               "还能为您的文章润色。</p><p>花一分钟了解五个步骤，马上开始吧！"
                               "更多说明请看<a href=\"%1\">帮助页面</a>。</p>")
                    .arg(help.toHtmlEscaped());
    } else {
        html += QStringLiteral("<h3>%1</h3><p>%2</p><p style=\"color:#7d96aa;\">%3 / %4</p>")
                    .arg(pageTitle(page), QString::fromUtf8(Pages[page].body))
                    .arg(page + 1)
                    .arg(PageCount);
    }
    m_view->setHtml(html + QStringLiteral("</div>"));
}

void TipWindow::slotClose()
{
    m_usage.countEvent(QStringLiteral("Tip_Close"));
    close();
}

void TipWindow::slotMove(int dx, int dy)
{
    move(pos() + QPoint(dx, dy));
}

void TipWindow::slotGo()
{
    m_usage.countEvent(QStringLiteral("Tip_Go"));
    showPage(0);
}

void TipWindow::slotPrev()
{
    if (m_page > 0)
        showPage(m_page - 1);
}

void TipWindow::slotNext()
{
    if (m_page >= 0 && m_page < PageCount - 1)
        showPage(m_page + 1);
}

void TipWindow::slotShowSettingChanged(int state)
{
    m_prefs.setValue(QStringLiteral("display_tips"),
                     state == Qt::Checked ? QStringLiteral("False") : QStringLiteral("True"));
    m_prefs.save();
}

void TipWindow::slotGotoFinished()
{
    m_usage.countEvent(QStringLiteral("Tip_Finish"));
    close();
}
