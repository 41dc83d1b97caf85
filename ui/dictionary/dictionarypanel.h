#pragma once

#include <QFrame>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <functional>

class ConfigStore;
class DictionaryWebPage;
class QAudioOutput;
class QBuffer;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMediaPlayer;
class QNetworkAccessManager;
class QNetworkReply;
class QPushButton;
class QRadioButton;
class QWebEngineView;

// The dictionary panel under the editor: one or (in double mode) two input lines, each
// with a web view of the dictionary service's look-up, translation and web-search pages.
// Links in the pages come back here: "刷新" on the time-out page reloads, ".mp3" links
// play, anything else opens in the system browser.
class DictionaryPanel : public QFrame
{
    Q_OBJECT
public:
    struct Services
    {
        ConfigStore &preferences;                       // "Dict_Double", "Dict_Lock", "Dict_Search_Google"
        QString apiHost;                                // "host:port" of the dictionary pages
        std::function<void(const QString &)> countEvent; // usage events; may be empty
        std::function<void(const QUrl &)> openExternal;  // empty: the system browser
        // Whether the machine has a sound output now; empty: asks Qt Multimedia for a
        // default audio output. Without one nothing is played (the media backend would
        // crash) and the panel says so.
        std::function<bool()> hasAudioOutput;
    };

    static QString noSoundText();

    static const QString &timeoutPage();

    // The referenced store outlives the panel.
    explicit DictionaryPanel(const Services &services, QWidget *parent = nullptr);
    ~DictionaryPanel() override;

    QString leftUrl() const { return m_leftUrl; }
    QString rightUrl() const { return m_rightUrl; }
    QMediaPlayer *player() const { return m_player; }
    // The line under the inputs that says a pronunciation cannot be played.
    QLabel *soundNote() const { return m_soundNote; }
    // The address of a page for the text: path is "/tessel/find?content=", ...
    QString address(const QString &path, const QString &text, bool withEngine) const;

Q_SIGNALS:
    void signalOpen(bool bShow);
    void signalLock(bool bLock);
    void signalDouble(bool bDouble);
    // A page of the dictionary service loaded (true) or failed or timed out (false).
    void signalServiceReached(bool reached);

public Q_SLOTS:
    // From the context menu: compare two texts, translate a sentence, search the web.
    void slotFind(QString text1, QString text2);
    void slotTranslate(QString text);
    void slotSearchWeb(QString text);

    void slotSearch();
    void slotTextChanged();
    void slotDoubled(bool bCheck);
    void slotLeftSelectAll();
    void slotRightSelectAll();
    void slotSearchEnginChanged();
    void slotLeftLinkClicked(QUrl url);
    void slotRightLinkClicked(QUrl url);
    void slotLeftLoadFinished(bool bOk);
    void slotRightLoadFinished(bool bOk);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Side
    {
        QLineEdit *input = nullptr;
        QWebEngineView *view = nullptr;
        DictionaryWebPage *page = nullptr;
        QLabel *wait = nullptr;
        QString *url = nullptr;
    };
    void buildUi();
    void setUpSide(Side &side, QWidget *container, const QString &viewName);
    void search(bool forceWeb);
    void load(Side &side, const QString &address);
    void linkClicked(Side &side, const QUrl &url);
    void loadFinished(Side &side, bool ok);
    void focusLeftUnlessFocused();
    void count(const QString &event);
    bool googleStored() const;
    void placeWaitLabels();
    void play(const QUrl &url);

    ConfigStore &m_prefs;
    QString m_apiHost;
    std::function<void(const QString &)> m_countEvent;
    std::function<void(const QUrl &)> m_openExternal;
    std::function<bool()> m_hasAudioOutput;
    QString m_leftUrl;
    QString m_rightUrl;
    Side m_left;
    Side m_right;
    QPushButton *m_submit = nullptr;
    QLabel *m_soundNote = nullptr;
    QFrame *m_rightFrame = nullptr;
    QWidget *m_rightContent = nullptr;
    QCheckBox *m_double = nullptr;
    QCheckBox *m_lock = nullptr;
    QRadioButton *m_google = nullptr;
    QRadioButton *m_bing = nullptr;
    QMediaPlayer *m_player = nullptr;       // child of the panel
    QAudioOutput *m_audioOutput = nullptr;  // child of the panel
    // Pronunciations are fetched first and played from memory: opening a network
    // address in the player would block the user interface while it connects.
    QNetworkAccessManager *m_network = nullptr; // child of the panel
    QBuffer *m_audio = nullptr;                 // child of the panel
    QPointer<QNetworkReply> m_audioReply;
    // Modifiers of the Return key that started the current search (Ctrl = web search).
    Qt::KeyboardModifiers m_returnModifiers;
};
