#include "correctionpanel.h"

#include "callbackobject.h"
#include "checkcodes.h"
#include "correctionitem.h"
#include "custommenuitem.h"
#include "explanation.h"
#include "polishmode.h"
#include "sentenceentry.h"
#include "servicehosts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

using namespace ZeltraLib;

namespace {

const char *const ToggleStyle =
    "QToolButton { border: 1px solid #7d96aa; border-left: none; border-radius: 0;"
    " background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #dbe6ee, stop:1 #c4d5e2);"
    " color: #33495c; font-size: 12px; padding: 6px 2px; }"
    "QToolButton:hover { background: #e6eff5; }"
    "QToolButton:checked { background: #f0f7fa; color: #D04605; font-weight: bold; }";

} // namespace

CorrectionPanel::CorrectionPanel(ConfigStore &prefs, QWidget *parent)
    : QFrame(parent)
    , m_display(prefs)
{
    buildForm();
    showFinding(nullptr, nullptr);
}

CorrectionPanel::~CorrectionPanel() = default;

void CorrectionPanel::buildForm()
{
    setObjectName(QStringLiteral("CorrectionPanelClass"));
    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    m_content = new QFrame(this);
    m_content->setObjectName(QStringLiteral("contentFrame"));
    m_content->setStyleSheet(QStringLiteral(
        "#contentFrame { background: #f0f7fa; border: 1px solid #7d96aa;"
        " border-left: none; border-right: none; }"));
    auto *contentLayout = new QVBoxLayout(m_content);
    contentLayout->setContentsMargins(0, 6, 0, 6);
    contentLayout->setSpacing(0);

    // The rows scroll inside the panel: many candidates must not grow the window.
    m_correctionScroll = new QScrollArea(m_content);
    m_correctionScroll->setObjectName(QStringLiteral("correctionScroll"));
    m_correctionScroll->setFrameShape(QFrame::NoFrame);
    m_correctionScroll->setWidgetResizable(true);
    m_correctionScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_correctionScroll->setStyleSheet(QStringLiteral("#correctionScroll { background: transparent; }"));
    m_correctionScroll->viewport()->setAutoFillBackground(false);
    m_correctionPage = new QWidget(m_correctionScroll);
    m_correctionPage->setAutoFillBackground(false);
    m_correctionPage->setObjectName(QStringLiteral("corrrectionWidget"));
    auto *page = new QVBoxLayout(m_correctionPage);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(2);

    auto *header = new QHBoxLayout;
    header->setContentsMargins(10, 2, 10, 6);
    m_original = new QLabel(m_correctionPage);
    m_original->setObjectName(QStringLiteral("lb_original"));
    m_original->setTextFormat(Qt::PlainText); // the found text, as written
    m_original->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 12px; color: #D04605;"));
    auto *keys = new QLabel(QStringLiteral("快捷键"), m_correctionPage);
    keys->setStyleSheet(QStringLiteral("color: #606060;"));
    header->addWidget(m_original);
    header->addStretch(1);
    header->addWidget(keys);
    page->addLayout(header);

    m_candidateLayout = new QVBoxLayout;
    m_candidateLayout->setContentsMargins(0, 0, 0, 0);
    m_candidateLayout->setSpacing(2);
    page->addLayout(m_candidateLayout);

    m_separator = new QFrame(m_correctionPage);
    m_separator->setObjectName(QStringLiteral("frame_sep"));
    m_separator->setFixedHeight(1);
    m_separator->setStyleSheet(QStringLiteral("#frame_sep { background: #A0A0A0; margin: 0 6px; }"));
    page->addSpacing(4);
    page->addWidget(m_separator);
    page->addSpacing(4);

    m_revert = addFixedRow(page, QStringLiteral("撤销"), QStringLiteral("F2"));
    m_ignore = addFixedRow(page, QStringLiteral("忽略"), QStringLiteral("0"));
    m_ignoreAll = addFixedRow(page, QStringLiteral("忽略同样错误"), QString());
    m_addDict = addFixedRow(page, QStringLiteral("加入我的词库"), QString());
    m_previous = addFixedRow(page, QStringLiteral("上一个"), QStringLiteral("F3"));
    m_next = addFixedRow(page, QStringLiteral("下一个"), QStringLiteral("F4"));
    page->addStretch(1);
    m_previous->setEnabled(false);
    m_next->setEnabled(false);

    connect(m_revert, qOverload<>(&CustomMenuItem::signalClicked), this, &CorrectionPanel::slotRevert);
    connect(m_ignore, qOverload<>(&CustomMenuItem::signalClicked), this, &CorrectionPanel::slotIgnor);
    connect(m_ignoreAll, qOverload<>(&CustomMenuItem::signalClicked), this, &CorrectionPanel::slotIgnorAll);
    connect(m_addDict, qOverload<>(&CustomMenuItem::signalClicked), this, &CorrectionPanel::slotAddDict);
    connect(m_previous, qOverload<>(&CustomMenuItem::signalClicked), this, &CorrectionPanel::signalPrevClicked);
    connect(m_next, qOverload<>(&CustomMenuItem::signalClicked), this, &CorrectionPanel::signalNextClicked);

    m_explain = new QTextBrowser(m_content);
    m_explain->setObjectName(QStringLiteral("tb_explain"));
    m_explain->setStyleSheet(QStringLiteral("#tb_explain { background: #f0f7fa; border: none; }"));
    m_explain->setOpenExternalLinks(true);

    m_correctionScroll->setWidget(m_correctionPage);
    contentLayout->addWidget(m_correctionScroll);
    contentLayout->addWidget(m_explain);
    outer->addWidget(m_content, 1);

    auto *column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_cbCorrection = new QToolButton(this);
    m_cbCorrection->setObjectName(QStringLiteral("cb_correction"));
    m_cbCorrection->setText(QStringLiteral("改\n正"));
    m_cbExplanation = new QToolButton(this);
    m_cbExplanation->setObjectName(QStringLiteral("cb_explanation"));
    m_cbExplanation->setText(QStringLiteral("解\n释"));
    for (QToolButton *toggle : {m_cbCorrection, m_cbExplanation}) {
        toggle->setCheckable(true);
        toggle->setFixedWidth(24);
        toggle->setMinimumHeight(60);
        toggle->setCursor(Qt::PointingHandCursor);
        toggle->setStyleSheet(QLatin1String(ToggleStyle));
        column->addWidget(toggle);
    }
    column->addStretch(1);
    outer->addLayout(column);

    connect(m_cbCorrection, &QToolButton::toggled, this, &CorrectionPanel::slotCorrectionToggled);
    connect(m_cbExplanation, &QToolButton::toggled, this, &CorrectionPanel::slotExplainToggled);

    // Nothing checked yet: the main window restores the stored page.
    m_content->hide();
    m_correctionScroll->hide();
    m_explain->hide();
}

CustomMenuItem *CorrectionPanel::addFixedRow(QVBoxLayout *layout, const QString &text, const QString &hint)
{
    auto *row = new CustomMenuItem(-1, text, hint, m_correctionPage);
    layout->addWidget(row);
    return row;
}

void CorrectionPanel::clearCandidateRows()
{
    for (CustomMenuItem *row : std::as_const(m_candidateRows)) {
        m_candidateLayout->removeWidget(row);
        row->hide();
        row->deleteLater(); // a row may be the sender of the click that led here
    }
    m_candidateRows.clear();
}

QString CorrectionPanel::hintPrefix() const
{
    return m_display.isTrue(QStringLiteral("use_ctrl")) ? QStringLiteral("Ctrl+") : QString();
}

void CorrectionPanel::showFinding(SentenceEntry *sentence, CorrectionItem *finding)
{
    if (sentence != m_sentence || finding != m_finding)
        ++m_showSerial;
    m_sentence = sentence;
    m_finding = finding;
    clearCandidateRows();
    m_ignoreAll->hide();
    m_addDict->hide();
    m_separator->show();
    const QString prefix = hintPrefix();

    if (finding) {
        m_original->setText(finding->foundText());
        m_correctionPage->setEnabled(true);
        for (int i = 0; i < finding->candidateCount(); ++i) {
            auto *row = new CustomMenuItem(i, finding->entryText(i), prefix + QString::number(i + 1), m_correctionPage);
            connect(row, qOverload<int>(&CustomMenuItem::signalClicked), this,
                    &CorrectionPanel::slotItemClicked);
            m_candidateLayout->addWidget(row);
            m_candidateRows.append(row);
        }
        const bool dictionaryCase = finding->mayAddToDictionary();
        m_addDict->setVisible(dictionaryCase);
        m_ignoreAll->setVisible(dictionaryCase || finding->category() == CategoryImprove);
        m_revert->setEnabled(finding->isApplied());
        m_ignore->setEnabled(true);
        m_ignore->setHint(prefix + QStringLiteral("0"));
    } else if (sentence && sentence->hasSuggestion()) {
        m_original->setText(QStringLiteral("句子不完整"));
        m_correctionPage->setEnabled(true);
        m_separator->hide();
        m_revert->setEnabled(false);
        m_ignore->setEnabled(true);
        m_ignore->setHint(prefix + QStringLiteral("0"));
    } else {
        m_original->clear();
        m_correctionPage->setEnabled(false);
    }

    if (m_cbExplanation->isChecked())
        requestExplanation();
}

void CorrectionPanel::setPrevNextEnabled(bool previous, bool next)
{
    m_previous->setEnabled(previous);
    m_next->setEnabled(next);
}

int CorrectionPanel::currentPage() const
{
    if (m_cbCorrection->isChecked())
        return 1;
    if (m_cbExplanation->isChecked())
        return 2;
    return 0;
}

void CorrectionPanel::setModeTexts(bool correctMode)
{
    m_cbCorrection->setText(correctMode ? QStringLiteral("改\n正") : QStringLiteral("建\n议"));
    m_ignoreAll->setText(correctMode ? QStringLiteral("忽略同样错误") : QStringLiteral("忽略同样润色"));
}

void CorrectionPanel::slotDisplayPanel(int nPanel)
{
    switch (nPanel) {
    case 1:
        m_cbCorrection->setChecked(true);
        break;
    case 2:
        m_cbExplanation->setChecked(true);
        break;
    default:
        m_cbCorrection->setChecked(false);
        m_cbExplanation->setChecked(false);
        break;
    }
}

void CorrectionPanel::slotCorrectionToggled(bool checked)
{
    if (checked) {
        emit signalUsageEvent(polishMode() ? QStringLiteral("Main_Improve_Correction")
                                           : QStringLiteral("Main_Correction"));
        m_content->show();
        m_cbExplanation->setChecked(false);
        emit signalDisplayPanel(true);
    } else if (!m_cbExplanation->isChecked()) {
        m_content->hide();
        emit signalDisplayPanel(false);
    }
    m_correctionScroll->setVisible(checked);
    m_explain->setVisible(!checked);
}

void CorrectionPanel::slotExplainToggled(bool checked)
{
    if (checked) {
        emit signalUsageEvent(polishMode() ? QStringLiteral("Main_Improve_Explanation")
                                           : QStringLiteral("Main_Explanation"));
        m_content->show();
        requestExplanation();
        m_cbCorrection->setChecked(false);
        m_correctionScroll->hide(); // also when the correction toggle was not checked
        emit signalDisplayPanel(true);
    } else if (!m_cbCorrection->isChecked()) {
        m_content->hide();
        emit signalDisplayPanel(false);
    }
    m_explain->setVisible(checked);
}

void CorrectionPanel::slotItemClicked(int index)
{
    if (m_finding)
        m_finding->correct(MenuItemApply, index);
}

void CorrectionPanel::slotIgnor()
{
    if (m_finding)
        m_finding->correct(MenuItemIgnore);
    else if (m_sentence && m_sentence->hasSuggestion())
        emit CallbackObject::instance().signalCallback(nullptr, MenuItemIgnore);
}

void CorrectionPanel::slotAddDict()
{
    if (m_finding)
        m_finding->correct(MenuItemAddToDictionary);
}

void CorrectionPanel::slotRevert()
{
    if (m_finding)
        m_finding->correct(MenuItemRevert);
}

void CorrectionPanel::slotIgnorAll()
{
    if (m_finding)
        m_finding->correct(MenuItemIgnoreAll);
}

void CorrectionPanel::requestExplanation()
{
    const CorrectionRecord *source = nullptr;
    if (m_finding)
        source = &m_finding->record();
    else if (m_sentence && m_sentence->hasSuggestion())
        source = &m_sentence->suggestion();
    if (!source) {
        m_explain->clear();
        ++m_expCounter; // answers still on their way are stale now
        return;
    }
    m_explain->setPlainText(QStringLiteral("正在获取解释..."));
    ++m_expCounter;
    // The request writes into its own copy: the finding may be gone when it answers.
    PendingExplanation pending;
    pending.record = std::make_shared<CorrectionRecord>(*source);
    pending.showSerial = m_showSerial;
    auto *request = new Explanation(ExplainHost(), m_expCounter, pending.record.get(), this);
    m_pending.insert(request, pending);
    connect(request, &Explanation::signalExplanation, this, &CorrectionPanel::slotUpdateExp);
    request->request();
}

void CorrectionPanel::slotUpdateExp(QObject *obj, const QString &result)
{
    auto *request = qobject_cast<Explanation *>(obj);
    if (!request)
        return;
    // Only the latest request may fill the page; an older one answering late is stale.
    if (request->tag() >= m_expCounter)
        m_explain->setHtml(result);
    const auto it = m_pending.constFind(obj);
    if (it != m_pending.cend()) {
        // Keep the text with the record it explains, while that is still the one shown.
        if (it->showSerial == m_showSerial) {
            if (m_finding)
                m_finding->record().explanation = result;
            else if (m_sentence && m_sentence->hasSuggestion())
                m_sentence->suggestion().explanation = result;
        }
        m_pending.erase(it);
    }
    obj->deleteLater();
}
