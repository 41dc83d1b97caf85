#include "writingguidewindow.h"

#include "configstore.h"
#include "custommessagebox.h"
#include "guideicons.h"
#include "highguideframe.h"
#include "lowguideframe.h"
#include "tippresenter.h"
#include "titlebar.h"
#include "wordoperations.h"
#include "writingcatalog.h"
#include "writingframe.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QSplitter>
#include <QStandardPaths>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

using namespace ZeltraLib;

namespace {
const QString WindowTitle = QStringLiteral("写作向导");

QString standardSaveDialog(QWidget *parent, const QString &title, const QStringList &filters,
                           const QString &suggested, QString *filter)
{
    QFileDialog dialog(parent, title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("保存"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("取消"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("文件名"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("文件类型"));
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("目录"));
    dialog.setNameFilters(filters);
    if (!filter->isEmpty())
        dialog.selectNameFilter(*filter);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    dialog.setSidebarUrls({QUrl::fromLocalFile(documents),
                           QUrl::fromLocalFile(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation))});
    dialog.setDirectory(documents);
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    *filter = dialog.selectedNameFilter();
    return dialog.selectedFiles().first();
}
} // namespace

WritingGuideWindow::WritingGuideWindow(const QString &apiHost, ConfigStore *preferences, ConfigStore *tips,
                                       QWidget *parent, const QString &choicesPath)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog)
    , m_catalog(new WritingCatalog(apiHost, this))
    , m_choicesPath(choicesPath.isEmpty() ? WritingChoices::defaultPath() : choicesPath)
    , m_preferences(preferences)
{
    setObjectName(QStringLiteral("WritingGuideClass"));
    resize(1100, 700);
    setStyleSheet(QStringLiteral("#WritingGuideClass{background:#ffffff;border:1px solid #2e6c9f;}"));
    if (tips)
        m_tips = std::make_unique<TipPresenter>(*tips, this);
    m_choices = WritingChoices::read(m_choicesPath);
    m_saveDialog = [this](const QString &title, const QStringList &filters, const QString &suggested, QString *filter) {
        return standardSaveDialog(this, title, filters, suggested, filter);
    };
    m_openDocument = [](const QString &path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };

    // Title bar: drag to move, × to close.
    m_titleBar = new QWidget(this);
    m_titleBar->setObjectName(QStringLiteral("GuideTitleBar"));
    m_titleBar->setAttribute(Qt::WA_StyledBackground);
    m_titleBar->setStyleSheet(QStringLiteral("#GuideTitleBar{background:%1;} QLabel{color:white;background:transparent;}")
                                  .arg(Titlebar::background()));
    m_titleBar->installEventFilter(this);
    auto *titleLayout = new QHBoxLayout(m_titleBar);
    titleLayout->setContentsMargins(10, 4, 4, 4);
    m_title = new QLabel(WindowTitle, m_titleBar);
    m_title->setStyleSheet(QStringLiteral("font-size:14px;font-weight:bold;color:white;"));
    titleLayout->addWidget(m_title);
    titleLayout->addStretch();
    auto *close = new QPushButton(QStringLiteral("×"), m_titleBar);
    close->setFixedSize(28, 24);
    close->setFlat(true);
    close->setStyleSheet(QStringLiteral("QPushButton{color:white;font-size:18px;border:none;}"
                                        "QPushButton:hover{background:#e05050;}"));
    titleLayout->addWidget(close);

    auto *guide = new QWidget(this);
    guide->setObjectName(QStringLiteral("frame_guide"));
    auto *guideLayout = new QVBoxLayout(guide);
    guideLayout->setContentsMargins(0, 0, 0, 0);
    m_splitter = new QSplitter(Qt::Horizontal, guide);
    guideLayout->addWidget(m_splitter);

    auto *catalogFrame = new QWidget(m_splitter);
    catalogFrame->setObjectName(QStringLiteral("frame_catalog"));
    auto *catalogLayout = new QVBoxLayout(catalogFrame);
    m_filter = new QLineEdit(catalogFrame);
    m_filter->setObjectName(QStringLiteral("le_tree_filter"));
    m_filter->setPlaceholderText(QStringLiteral("模板搜索..."));
    m_filter->setClearButtonEnabled(true);
    m_tree = new QTreeWidget(catalogFrame);
    m_tree->setObjectName(QStringLiteral("tree_catalog"));
    m_tree->setHeaderHidden(true);
    catalogLayout->addWidget(m_filter);
    catalogLayout->addWidget(m_tree);
    m_wait = new QLabel(QStringLiteral("正在读取模板目录..."), m_tree);
    m_wait->setAlignment(Qt::AlignCenter);
    m_wait->setStyleSheet(QStringLiteral("color:#888;background:rgba(255,255,255,200);"));

    auto *content = new QWidget(m_splitter);
    content->setObjectName(QStringLiteral("content"));
    auto *contentLayout = new QVBoxLayout(content);
    m_welcome = new QWidget(content);
    m_welcome->setObjectName(QStringLiteral("frame_welcome"));
    auto *welcomeLayout = new QVBoxLayout(m_welcome);
    auto *welcomeTitle = new QLabel(QStringLiteral("欢迎使用写作向导"), m_welcome);
    welcomeTitle->setStyleSheet(QStringLiteral("font-size:22px;font-weight:bold;color:#2f6fd6;"));
    m_help = new QLabel(QStringLiteral(
        "从左侧目录选择一个模板：\n\n"
        "• 蓝色页面图标是高灵活度模板：中英对照的范文，每段都可以换一种写法，"
        "方括号里的关键词填上你自己的内容，还可以把常用句型拖进正文。\n\n"
        "• 绿色页面图标是低灵活度模板：格式固定的 Word 文档，填好空白处后导出即可。\n\n"
        "完成后可以导出文档，也可以直接送回主窗口纠错或润色。"), m_welcome);
    m_help->setObjectName(QStringLiteral("frame_help"));
    static_cast<QLabel *>(m_help)->setWordWrap(true);
    m_help->setStyleSheet(QStringLiteral("font-size:14px;color:#444;line-height:150%;"));
    welcomeLayout->addWidget(welcomeTitle);
    welcomeLayout->addWidget(m_help);
    welcomeLayout->addStretch();
    m_highFrame = new HighGuideFrame(apiHost, content);
    m_lowFrame = new LowGuideFrame(apiHost, content);
    contentLayout->addWidget(m_welcome);
    contentLayout->addWidget(m_highFrame);
    contentLayout->addWidget(m_lowFrame);
    m_splitter->addWidget(catalogFrame);
    m_splitter->addWidget(content);

    m_writingFrame = new WritingFrame(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(m_titleBar);
    layout->addWidget(guide, 1);
    layout->addWidget(m_writingFrame, 1);

    connect(close, &QPushButton::clicked, this, &WritingGuideWindow::slotClose);
    connect(m_catalog, &WritingCatalog::signalGetCatalogFinished, this, &WritingGuideWindow::slotGetCatalogFinished);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &WritingGuideWindow::slotItemSelectionChanged);
    connect(m_filter, &QLineEdit::textChanged, this, &WritingGuideWindow::slotFilterTextChanged);
    connect(m_highFrame, &HighGuideFrame::signalBack, this, &WritingGuideWindow::slotFrameBack);
    connect(m_highFrame, &HighGuideFrame::signalNext, this, &WritingGuideWindow::slotHighFrameNext);
    connect(m_lowFrame, &LowGuideFrame::signalBack, this, &WritingGuideWindow::slotFrameBack);
    connect(m_lowFrame, &LowGuideFrame::signalExport, this, &WritingGuideWindow::slotLowFrameExport);
    connect(m_writingFrame, &WritingFrame::signalBack, this, &WritingGuideWindow::slotWritingFrameBack);
    connect(m_writingFrame, &WritingFrame::signalExport, this, &WritingGuideWindow::slotHighExport);
    connect(m_writingFrame, &WritingFrame::signalCopyTo, this, &WritingGuideWindow::slotExportToCorrect);

    m_highFrame->hide();
    m_lowFrame->hide();
    m_help->hide();
    m_writingFrame->hide();
    m_catalog->getCatalog(&m_catalogNodes);
    m_wait->resize(190, 60);
    m_wait->show();
    m_splitter->setSizes({190, 1000});
    m_highFrame->setChoices(&m_choices);
    m_writingFrame->setChoices(&m_choices);
    m_highFrame->setTips(m_tips.get());
    m_lowFrame->setTips(m_tips.get());
    m_lowFrame->setDocumentFiller(
        [](const QString &path, const QStringList &blanks, const QHash<QString, QString> &values, QString *error) {
            return fillWordBookmarks(path, blanks, values, error);
        });
    m_writingFrame->setTips(m_tips.get());
}

WritingGuideWindow::~WritingGuideWindow()
{
    saveChoices();
}

void WritingGuideWindow::setEventLog(GuideEventLog log)
{
    m_log = log;
    m_writingFrame->setEventLog(std::move(log));
}

void WritingGuideWindow::log(const char *name) const
{
    if (m_log)
        m_log(QString::fromLatin1(name));
}

QString WritingGuideWindow::title() const
{
    return m_title->text();
}

void WritingGuideWindow::setTitle(const QString &title)
{
    m_title->setText(title);
    setWindowTitle(title);
}

void WritingGuideWindow::addItems(const QList<TemplateCatalogNode> &nodes, QTreeWidgetItem *parent)
{
    for (const TemplateCatalogNode &node : nodes) {
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
        item->setText(0, node.shortName);
        item->setToolTip(0, node.name);
        switch (node.nodeType) {
        case TemplateCatalogNode::High:
            item->setIcon(0, GuideIcons::highPage());
            m_itemNodes.insert(item, &node);
            break;
        case TemplateCatalogNode::Low:
            item->setIcon(0, GuideIcons::lowPage());
            m_itemNodes.insert(item, &node);
            break;
        default:
            item->setIcon(0, GuideIcons::folder());
            addItems(node.children, item);
        }
    }
}

void WritingGuideWindow::slotGetCatalogFinished()
{
    m_wait->hide();
    m_help->show();
    m_tree->clear();
    m_itemNodes.clear();
    addItems(m_catalogNodes, nullptr);
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
        m_tree->topLevelItem(i)->setExpanded(true);
    fitCatalogWidth();
}

void WritingGuideWindow::fitCatalogWidth()
{
    // Wide enough for every template name (a cut "四六级议论…" names nothing), but never
    // more than a third of the window.
    const QList<int> sizes = m_splitter->sizes();
    if (sizes.size() != 2)
        return;
    const QMargins margins = m_tree->parentWidget()->layout()->contentsMargins();
    m_tree->resizeColumnToContents(0); // the widest name with its indentation
    const int needed = m_tree->columnWidth(0) + 2 * m_tree->frameWidth()
                       + m_tree->verticalScrollBar()->sizeHint().width() + margins.left() + margins.right() + 4;
    const int total = sizes.at(0) + sizes.at(1);
    const int catalog = qBound(sizes.at(0), needed, qMax(sizes.at(0), total / 3));
    m_splitter->setSizes({catalog, total - catalog});
}

void WritingGuideWindow::slotFilterTextChanged(QString text)
{
    const auto setHidden = [](QTreeWidgetItem *item, bool hidden, auto &self) -> void {
        item->setHidden(hidden);
        for (int i = 0; i < item->childCount(); ++i)
            self(item->child(i), hidden, self);
    };
    const bool all = text.trimmed().isEmpty();
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
        setHidden(m_tree->topLevelItem(i), !all, setHidden);
    if (all)
        return;
    for (auto it = m_itemNodes.constBegin(); it != m_itemNodes.constEnd(); ++it) {
        if (!it.value()->name.contains(text, Qt::CaseInsensitive))
            continue;
        it.key()->setHidden(false);
        for (QTreeWidgetItem *up = it.key()->parent(); up; up = up->parent()) {
            up->setHidden(false);
            up->setExpanded(true);
        }
    }
}

void WritingGuideWindow::slotItemSelectionChanged()
{
    const QList<QTreeWidgetItem *> selected = m_tree->selectedItems();
    const TemplateCatalogNode *node = selected.isEmpty() ? nullptr : m_itemNodes.value(selected.first());
    if (!node) {
        m_welcome->show();
        m_highFrame->hide();
        m_lowFrame->hide();
        return;
    }
    m_currentName = node->shortName;
    m_welcome->hide();
    if (node->nodeType == TemplateCatalogNode::Low) {
        log("Writing_Low_Select");
        m_highFrame->hide();
        m_lowFrame->show();
        m_lowFrame->showTemplate(*node);
    } else {
        log("Writing_High_Select");
        m_lowFrame->hide();
        m_highFrame->show();
        m_highFrame->showTemplate(*node, &m_currentTemplate);
    }
}

bool WritingGuideWindow::ask(const QString &title, const QString &text, const QString &confirm)
{
    CustomMessageBox box(title, text, confirm, QStringLiteral("取消"), this);
    box.adjustSize();
    box.move(geometry().center() - box.rect().center());
    return box.exec() == QDialog::Accepted;
}

bool WritingGuideWindow::askLeave(const QString &verb)
{
    return ask(QStringLiteral("提示"), verb + QStringLiteral("写作向导将丢失模板文本，是否") + verb + QStringLiteral("？"), verb);
}

bool WritingGuideWindow::confirmOverwrite()
{
    return ask(QStringLiteral("覆盖确认"), QStringLiteral("是否覆盖文本框中的文本？"), QStringLiteral("覆盖"));
}

void WritingGuideWindow::slotFrameBack()
{
    if (m_lowFrame->isVisible()) {
        log("Writing_Low_Back");
        if (m_lowFrame->anyFilled() && !askLeave(QStringLiteral("返回")))
            return;
    } else {
        log("Writing_High_Back");
    }
    m_tree->clearSelection();
}

void WritingGuideWindow::slotHighFrameNext()
{
    setTitle(WindowTitle + QStringLiteral(" - ") + m_currentName);
    m_writingFrame->show();
    m_splitter->parentWidget()->hide();
    m_writingFrame->setTemplate(&m_currentTemplate);
}

void WritingGuideWindow::slotWritingFrameBack()
{
    if (m_writingFrame->hasAnyValue() && !askLeave(QStringLiteral("返回")))
        return;
    setTitle(WindowTitle);
    m_splitter->parentWidget()->show();
    m_writingFrame->hide();
}

void WritingGuideWindow::slotClose()
{
    bool dirty = false;
    if (m_lowFrame->isVisible())
        dirty = m_lowFrame->anyFilled();
    else if (m_writingFrame->isVisible())
        dirty = m_writingFrame->hasAnyValue();
    if (dirty && !askLeave(QStringLiteral("退出")))
        return;
    m_closing = true;
    reject();
    m_closing = false;
}

void WritingGuideWindow::closeEvent(QCloseEvent *event)
{
    if (!m_closing) {
        event->ignore();
        slotClose();
        return;
    }
    QDialog::closeEvent(event);
}

void WritingGuideWindow::done(int result)
{
    saveChoices();
    QDialog::done(result);
}

void WritingGuideWindow::saveChoices()
{
    WritingChoices::write(m_choicesPath, m_choices);
}

QString WritingGuideWindow::suggestedName(const QString &extension) const
{
    return m_currentName + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmmss")) + extension;
}

void WritingGuideWindow::openExported(const QString &path)
{
    if (m_preferences && m_preferences->value(QStringLiteral("export_open_document")) == QLatin1String("True")
        && m_openDocument)
        m_openDocument(path);
}

void WritingGuideWindow::slotLowFrameExport()
{
    const bool all = m_lowFrame->allFilled();
    if (!all && !ask(QStringLiteral("导出确认"), QStringLiteral("模板关键词尚未填写完毕，是否确认导出？"), QStringLiteral("导出")))
        return;
    // The documents are Word 2007 files (.docx), so they are saved under that name.
    QString filter = QStringLiteral("Word 文档(*.docx)");
    QString path = m_saveDialog(QStringLiteral("导出文档"), {filter}, suggestedName(QStringLiteral(".docx")), &filter);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".docx"), Qt::CaseInsensitive)
        && !path.endsWith(QStringLiteral(".doc"), Qt::CaseInsensitive))
        path += QStringLiteral(".docx");
    const bool any = m_lowFrame->anyFilled();
    log(!any ? "Writing_Low_Save_None" : all ? "Writing_Low_Save_All" : "Writing_Low_Save_Part");
    switch (m_lowFrame->exportTo(path)) {
    case LowGuideFrame::ExportResult::Failed:
        CustomMessageBox(QStringLiteral("提示"), QStringLiteral("下载或保存文档失败，请检查网络后重试。"), this).exec();
        return;
    case LowGuideFrame::ExportResult::FillFailed:
        CustomMessageBox(QStringLiteral("提示"),
                         QStringLiteral("文档已保存，但关键词未能填入：%1\n请在 Word 中填写。").arg(m_lowFrame->fillError()),
                         this)
            .exec();
        break;
    case LowGuideFrame::ExportResult::SavedUnfilled:
        CustomMessageBox(QStringLiteral("提示"), QStringLiteral("文档已保存，但关键词尚未填入，\n请在 Word 中填写。"), this).exec();
        break;
    case LowGuideFrame::ExportResult::Saved:
        break;
    }
    openExported(path);
}

void WritingGuideWindow::slotHighExport(QString content)
{
    if (!m_writingFrame->allFilled()
        && !ask(QStringLiteral("导出确认"), QStringLiteral("模板关键词尚未填写完毕，是否确认导出？"), QStringLiteral("导出"))) {
        m_writingFrame->showKeyWordWindow();
        return;
    }
    // Word export arrives with the documents library; until then the text is saved as .txt.
    QString filter = QStringLiteral("文本文档(*.txt)");
    QString path = m_saveDialog(QStringLiteral("保存文档"), {filter}, suggestedName(QStringLiteral(".txt")), &filter);
    if (path.isEmpty())
        return;
    if (m_preferences)
        m_preferences->setValue(QStringLiteral("Save_Filter"), QStringLiteral("0"));
    if (!path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive))
        path += QStringLiteral(".txt");
    QSaveFile file(path);
    const QByteArray bytes = content.toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text) || file.write(bytes) != bytes.size() || !file.commit()) {
        CustomMessageBox(QStringLiteral("提示"), QStringLiteral("保存文档失败，请检查文件夹是否可写。"), this).exec();
        return;
    }
    openExported(path);
}

void WritingGuideWindow::slotExportToCorrect(bool bCheck, QString text)
{
    const QString verb = bCheck ? QStringLiteral("纠错") : QStringLiteral("润色");
    if (!m_writingFrame->allFilled()
        && !ask(verb + QStringLiteral("确认"), QStringLiteral("模板关键词尚未填写完毕，是否确认") + verb + QStringLiteral("？"), verb)) {
        m_writingFrame->showKeyWordWindow();
        return;
    }
    emit signalCopyCheck(bCheck, text);
}

void WritingGuideWindow::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    case Qt::Key_Escape:
        event->accept();
        slotClose();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void WritingGuideWindow::slotMove(int dx, int dy)
{
    move(pos() + QPoint(dx, dy));
}

bool WritingGuideWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_titleBar) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (event->type() == QEvent::MouseButtonPress) {
            m_dragStart = mouse->globalPosition().toPoint();
        } else if (event->type() == QEvent::MouseMove && (mouse->buttons() & Qt::LeftButton)) {
            const QPoint now = mouse->globalPosition().toPoint();
            slotMove(now.x() - m_dragStart.x(), now.y() - m_dragStart.y());
            m_dragStart = now;
        }
    }
    return QDialog::eventFilter(watched, event);
}
