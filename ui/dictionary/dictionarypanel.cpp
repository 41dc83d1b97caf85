#include "dictionarypanel.h"

#include "configstore.h"
#include "dictionarywebpage.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QBuffer>
#include <QCheckBox>
#include <QDesktopServices>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineLoadingInfo>
#include <QWebEngineView>

namespace {

const QString FindPath = QStringLiteral("/tessel/find?content=");
const QString SearchPath = QStringLiteral("/tessel/search?content=");
const QString TranslatePath = QStringLiteral("/tessel/translate?content=");

QString flag(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace

const QString &DictionaryPanel::timeoutPage()
{
    static const QString page = QStringLiteral(
        "<p style=\"font-size:12px\">查询超时 <a href=\"#reload\" style=\"color:blue\">刷新</a></p>");
    return page;
}

DictionaryPanel::DictionaryPanel(const Services &services, QWidget *parent)
    : QFrame(parent)
    , m_prefs(services.preferences)
    , m_apiHost(services.apiHost)
    , m_countEvent(services.countEvent)
    , m_openExternal(services.openExternal)
    , m_hasAudioOutput(services.hasAudioOutput)
{
    setObjectName(QStringLiteral("DictionaryPanelClass"));
    m_left.url = &m_leftUrl;
    m_right.url = &m_rightUrl;
    buildUi();

    m_double->setChecked(m_prefs.value(QStringLiteral("Dict_Double")) == QLatin1String("True"));
    m_lock->setChecked(m_prefs.value(QStringLiteral("Dict_Lock")) == QLatin1String("True"));
    (googleStored() ? m_google : m_bing)->setChecked(true);
    slotDoubled(m_double->isChecked());

    // Qt's GStreamer backend needs extra plugin packages for MP3 over HTTP; its FFmpeg
    // backend comes with Qt Multimedia. Chosen before the first media object exists.
    if (!qEnvironmentVariableIsSet("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    if (!m_hasAudioOutput)
        m_hasAudioOutput = [] { return !QMediaDevices::defaultAudioOutput().isNull(); };
    m_player = new QMediaPlayer(this);
    m_audioOutput = new QAudioOutput(this);
    m_player->setAudioOutput(m_audioOutput);
    m_network = new QNetworkAccessManager(this);
    m_audio = new QBuffer(this);

    connect(m_submit, &QPushButton::clicked, this, &DictionaryPanel::slotSearch);
    for (Side *side : {&m_left, &m_right}) {
        connect(side->input, &QLineEdit::returnPressed, this, &DictionaryPanel::slotSearch);
        connect(side->input, &QLineEdit::textChanged, this, &DictionaryPanel::slotTextChanged);
        side->input->installEventFilter(this);
    }
    connect(m_double, &QCheckBox::toggled, this, &DictionaryPanel::slotDoubled);
    connect(m_lock, &QCheckBox::toggled, this, &DictionaryPanel::signalLock);
    connect(m_google, &QRadioButton::toggled, this, &DictionaryPanel::slotSearchEnginChanged);
    connect(m_bing, &QRadioButton::toggled, this, &DictionaryPanel::slotSearchEnginChanged);
    connect(m_left.page, &DictionaryWebPage::signalLinkClicked, this, &DictionaryPanel::slotLeftLinkClicked);
    connect(m_right.page, &DictionaryWebPage::signalLinkClicked, this, &DictionaryPanel::slotRightLinkClicked);
    // A load that a newer load replaced ends "stopped": that is no failure, the newer
    // load goes on; only finished and failed loads reach the load slots.
    connect(m_left.page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus
            || info.status() == QWebEngineLoadingInfo::LoadFailedStatus)
            slotLeftLoadFinished(info.status() == QWebEngineLoadingInfo::LoadSucceededStatus);
    });
    connect(m_right.page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus
            || info.status() == QWebEngineLoadingInfo::LoadFailedStatus)
            slotRightLoadFinished(info.status() == QWebEngineLoadingInfo::LoadSucceededStatus);
    });
}

DictionaryPanel::~DictionaryPanel()
{
    m_player->stop();
}

void DictionaryPanel::buildUi()
{
    setStyleSheet(QStringLiteral(
        "#DictionaryPanelClass { background: #f4f6f8; border-top: 1px solid #d5dbe0; }"
        "QLineEdit { font-family: 微软雅黑; font-size: 13px; padding: 3px 6px; border: 1px solid #b8c4ce;"
        " border-radius: 3px; background: white; }"
        "QLineEdit:focus { border-color: #2a7ab0; }"
        "QPushButton { font-family: 微软雅黑; font-size: 12px; padding: 3px 14px; color: white;"
        " background: #2a7ab0; border: 0; border-radius: 3px; }"
        "QCheckBox, QRadioButton { font-family: 微软雅黑; font-size: 12px; color: #444; }"));
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(6, 4, 6, 4);
    root->setSpacing(4);

    auto *bar = new QHBoxLayout;
    bar->setSpacing(6);
    m_left.input = new QLineEdit(this);
    m_left.input->setObjectName(QStringLiteral("le_left"));
    m_left.input->setPlaceholderText(QStringLiteral("按回车查词或整句翻译，按Ctrl+Enter搜索"));
    m_submit = new QPushButton(QStringLiteral("查询"), this);
    m_submit->setObjectName(QStringLiteral("pb_submit"));
    m_submit->setToolTip(QStringLiteral("查询词典"));
    m_rightFrame = new QFrame(this);
    m_rightFrame->setObjectName(QStringLiteral("fm_right"));
    auto *rightBar = new QHBoxLayout(m_rightFrame);
    rightBar->setContentsMargins(0, 0, 0, 0);
    m_right.input = new QLineEdit(m_rightFrame);
    m_right.input->setObjectName(QStringLiteral("le_right"));
    m_right.input->setPlaceholderText(QStringLiteral("输入字词句进行对比查询"));
    rightBar->addWidget(m_right.input);
    m_google = new QRadioButton(QStringLiteral("谷歌"), this);
    m_google->setObjectName(QStringLiteral("rb_google"));
    m_google->setToolTip(QStringLiteral("谷歌搜索"));
    m_bing = new QRadioButton(QStringLiteral("必应"), this);
    m_bing->setObjectName(QStringLiteral("rb_bing"));
    m_bing->setToolTip(QStringLiteral("必应搜索"));
    m_double = new QCheckBox(QStringLiteral("对比"), this);
    m_double->setObjectName(QStringLiteral("cb_double"));
    m_double->setToolTip(QStringLiteral("单双词模式切换"));
    m_lock = new QCheckBox(QStringLiteral("锁定"), this);
    m_lock->setObjectName(QStringLiteral("cb_lock"));
    m_lock->setToolTip(QStringLiteral("锁定窗口位置"));
    bar->addWidget(m_left.input, 1);
    bar->addWidget(m_submit);
    bar->addWidget(m_rightFrame, 1);
    for (QWidget *w : std::initializer_list<QWidget *>{m_google, m_bing, m_double, m_lock})
        bar->addWidget(w);
    root->addLayout(bar);
    m_soundNote = new QLabel(noSoundText(), this);
    m_soundNote->setObjectName(QStringLiteral("lb_sound"));
    m_soundNote->setStyleSheet(QStringLiteral("color: #c0392b; font-family: 微软雅黑; font-size: 12px;"));
    m_soundNote->hide();
    root->addWidget(m_soundNote);

    auto *pages = new QHBoxLayout;
    pages->setSpacing(6);
    auto *leftContent = new QWidget(this);
    leftContent->setObjectName(QStringLiteral("leftcontent"));
    m_rightContent = new QWidget(this);
    m_rightContent->setObjectName(QStringLiteral("rightcontent"));
    setUpSide(m_left, leftContent, QStringLiteral("wv_left"));
    setUpSide(m_right, m_rightContent, QStringLiteral("wv_right"));
    pages->addWidget(leftContent, 1);
    pages->addWidget(m_rightContent, 1);
    root->addLayout(pages, 1);
}

void DictionaryPanel::setUpSide(Side &side, QWidget *container, const QString &viewName)
{
    auto *layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    side.view = new QWebEngineView(container);
    side.view->setObjectName(viewName);
    side.view->setContextMenuPolicy(Qt::NoContextMenu);
    side.page = new DictionaryWebPage(side.view);
    side.view->setPage(side.page);
    layout->addWidget(side.view);
    side.wait = new QLabel(QStringLiteral("正在查找..."), container);
    side.wait->setAlignment(Qt::AlignCenter);
    side.wait->setStyleSheet(QStringLiteral("background: white; color: #888; font-family: 微软雅黑; font-size: 12px;"));
    side.wait->hide();
}

QString DictionaryPanel::address(const QString &path, const QString &text, bool withEngine) const
{
    // The whole text is percent-encoded, so that "&", "#" and "+" stay part of it.
    QString url = QStringLiteral("http://") + m_apiHost + path + QString::fromLatin1(QUrl::toPercentEncoding(text));
    if (withEngine)
        url += m_google->isChecked() ? QStringLiteral("&d=google") : QStringLiteral("&d=bing");
    return url;
}

void DictionaryPanel::count(const QString &event)
{
    if (m_countEvent)
        m_countEvent(event);
}

bool DictionaryPanel::googleStored() const
{
    return m_prefs.value(QStringLiteral("Dict_Search_Google")) == QLatin1String("True");
}

void DictionaryPanel::focusLeftUnlessFocused()
{
    if (!m_left.input->hasFocus() && !m_right.input->hasFocus())
        m_left.input->setFocus();
}

void DictionaryPanel::load(Side &side, const QString &address)
{
    side.wait->setGeometry(side.view->geometry());
    side.wait->raise();
    side.wait->show();
    side.view->load(QUrl(address));
}

void DictionaryPanel::slotSearch()
{
    search(false);
}

void DictionaryPanel::search(bool forceWeb)
{
    count(QStringLiteral("Dictionary_Search"));
    focusLeftUnlessFocused();
    // Return in an input records its modifiers before it triggers the search; the button
    // reads the keyboard's.
    const Qt::KeyboardModifiers modifiers =
        m_returnModifiers ? m_returnModifiers : QGuiApplication::keyboardModifiers();
    m_returnModifiers = {};
    const bool web = forceWeb || modifiers == Qt::ControlModifier;
    const QString path = web ? SearchPath : FindPath;
    for (Side *side : {&m_left, &m_right}) {
        const QString text = side->input->text().trimmed();
        if (text.isEmpty())
            continue;
        *side->url = address(path, text, web);
        load(*side, *side->url);
    }
}

void DictionaryPanel::slotTranslate(QString text)
{
    if (text.isEmpty())
        return;
    focusLeftUnlessFocused();
    emit signalOpen(true); // also when the left input had the focus already
    m_left.input->setText(text);
    m_leftUrl = address(TranslatePath, text, false);
    load(m_left, m_leftUrl);
}

void DictionaryPanel::slotSearchWeb(QString text)
{
    if (text.isEmpty())
        return;
    focusLeftUnlessFocused();
    emit signalOpen(true);
    m_left.input->setText(text);
    m_leftUrl = address(SearchPath, text, true);
    load(m_left, m_leftUrl);
}

void DictionaryPanel::slotFind(QString text1, QString text2)
{
    m_left.input->setText(text1);
    m_right.input->setText(text2);
    if (!m_double->isChecked())
        m_double->setChecked(true);
    search(false);
    emit signalOpen(true);
}

void DictionaryPanel::slotSearchEnginChanged()
{
    const bool google = m_google->isChecked();
    if (google == googleStored())
        return;
    search(true);
    m_prefs.setValue(QStringLiteral("Dict_Search_Google"), flag(google));
}

void DictionaryPanel::slotDoubled(bool bCheck)
{
    m_rightFrame->setVisible(bCheck);
    m_rightContent->setVisible(bCheck);
    m_prefs.setValue(QStringLiteral("Dict_Double"), flag(bCheck));
    emit signalDouble(bCheck);
}

void DictionaryPanel::slotTextChanged()
{
    if (m_left.input->text().isEmpty())
        m_left.view->setHtml(QString());
    if (m_right.input->text().isEmpty())
        m_right.view->setHtml(QString());
}

void DictionaryPanel::slotLeftSelectAll()
{
    m_left.input->selectAll();
}

void DictionaryPanel::slotRightSelectAll()
{
    m_right.input->selectAll();
}

void DictionaryPanel::slotLeftLinkClicked(QUrl url)
{
    linkClicked(m_left, url);
}

void DictionaryPanel::slotRightLinkClicked(QUrl url)
{
    linkClicked(m_right, url);
}

void DictionaryPanel::linkClicked(Side &side, const QUrl &url)
{
    // The time-out page has no base address of its own: its "#reload" link is not on the web.
    const bool web = url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
    if (url.toString() == QLatin1String("about:blank#reload") || (!web && url.fragment() == QLatin1String("reload"))) {
        load(side, *side.url);
        return;
    }
    if (url.toString().endsWith(QLatin1String(".mp3"), Qt::CaseInsensitive)) {
        play(url);
        return;
    }
    if (m_openExternal)
        m_openExternal(url);
    else
        QDesktopServices::openUrl(url);
}

QString DictionaryPanel::noSoundText()
{
    return QStringLiteral("未检测到声音输出设备，无法播放发音。请连接耳机或音箱后再试。");
}

void DictionaryPanel::play(const QUrl &url)
{
    constexpr qint64 MaxAudioBytes = 4 * 1024 * 1024;
    constexpr int AudioTimeoutMs = 15000;
    // Asked at every click: a headset may come or go while the program runs.
    if (!m_hasAudioOutput()) {
        if (m_audioReply)
            m_audioReply->abort();
        m_player->stop();
        m_soundNote->show();
        return;
    }
    m_soundNote->hide();
    if (m_audioReply)
        m_audioReply->abort();
    QNetworkRequest request(url);
    request.setTransferTimeout(AudioTimeoutMs);
    QNetworkReply *reply = m_network->get(request);
    m_audioReply = reply;
    connect(reply, &QNetworkReply::downloadProgress, this, [reply](qint64 received, qint64) {
        if (received > MaxAudioBytes)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, url] {
        reply->deleteLater();
        if (reply->error() != QNetworkReply::NoError || reply != m_audioReply)
            return;
        if (!m_hasAudioOutput()) { // gone while the sound was fetched
            m_soundNote->show();
            return;
        }
        m_player->stop();
        // The output follows the default device, which may have come since start.
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (!device.isNull() && device != m_audioOutput->device())
            m_audioOutput->setDevice(device);
        m_player->setSourceDevice(nullptr);
        m_audio->close();
        m_audio->setData(reply->readAll());
        m_audio->open(QIODevice::ReadOnly);
        m_player->setSourceDevice(m_audio, url);
        m_player->play();
    });
}

void DictionaryPanel::slotLeftLoadFinished(bool bOk)
{
    loadFinished(m_left, bOk);
}

void DictionaryPanel::slotRightLoadFinished(bool bOk)
{
    loadFinished(m_right, bOk);
}

void DictionaryPanel::loadFinished(Side &side, bool ok)
{
    // Only a page of the service waits under the label; the panel's own pages do not.
    const bool servicePage = !side.wait->isHidden();
    side.wait->hide();
    if (!ok)
        side.view->setHtml(timeoutPage(), QUrl());
    if (servicePage)
        emit signalServiceReached(ok);
}

bool DictionaryPanel::eventFilter(QObject *watched, QEvent *event)
{
    const bool left = watched == m_left.input;
    if ((left || watched == m_right.input) && event->type() == QEvent::FocusIn) {
        QTimer::singleShot(0, this, left ? &DictionaryPanel::slotLeftSelectAll : &DictionaryPanel::slotRightSelectAll);
        emit signalOpen(true);
    } else if ((left || watched == m_right.input) && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            m_returnModifiers = key->modifiers() & ~Qt::KeypadModifier;
    }
    return QFrame::eventFilter(watched, event);
}

void DictionaryPanel::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    placeWaitLabels();
}

void DictionaryPanel::placeWaitLabels()
{
    for (Side *side : {&m_left, &m_right})
        if (side->wait->isVisible())
            side->wait->setGeometry(side->view->geometry());
}
