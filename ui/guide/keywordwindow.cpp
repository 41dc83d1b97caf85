#include "keywordwindow.h"

#include "titlebar.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

KeyWordWindow::KeyWordWindow(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("KeyWordWndClass"));
    setMaximumSize(300, 420);
    resize(300, 420);
    setStyleSheet(QStringLiteral("#KeyWordWndClass{background:#ffffff;border:1px solid #9db6d8;}"));
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(1, 1, 1, 1);
    auto *titleBar = new QWidget(this);
    titleBar->setObjectName(QStringLiteral("KeyWordTitleBar"));
    titleBar->setAttribute(Qt::WA_StyledBackground);
    titleBar->setStyleSheet(QStringLiteral("#KeyWordTitleBar{background:%1;} QLabel{color:white;background:transparent;}")
                                .arg(Titlebar::background()));
    auto *titleLayout = new QHBoxLayout(titleBar);
    titleLayout->setContentsMargins(8, 4, 4, 4);
    titleLayout->addWidget(new QLabel(QStringLiteral("待填字段"), titleBar));
    titleLayout->addStretch();
    auto *close = new QPushButton(QStringLiteral("×"), titleBar);
    close->setObjectName(QStringLiteral("pb_close"));
    close->setFixedSize(22, 22);
    close->setFlat(true);
    close->setStyleSheet(QStringLiteral("color:white;font-size:16px;border:none;"));
    titleLayout->addWidget(close);
    outer->addWidget(titleBar);
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("frame_key_word"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    m_list = new QWidget(scroll);
    m_layout = new QVBoxLayout(m_list);
    m_layout->setObjectName(QStringLiteral("layout_key_word"));
    m_layout->addStretch();
    scroll->setWidget(m_list);
    outer->addWidget(scroll);

    m_geometry = new QPropertyAnimation(this, "geometry", this);
    m_opacity = new QPropertyAnimation(this, "windowOpacity", this);
    connect(m_opacity, &QPropertyAnimation::finished, this, &KeyWordWindow::slotAnimationFinished);
    connect(close, &QPushButton::clicked, this, [this] { emit signalPreClose(); });
}

QString KeyWordWindow::shortForm(const QString &key, int maxLength)
{
    QString s = key;
    s.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    const qsizetype comma = s.indexOf(QChar(0xFF0C));
    if (comma > 0)
        s = s.left(comma);
    if (s.size() > maxLength)
        s = s.left(maxLength) + QStringLiteral("...");
    return s;
}

void KeyWordWindow::setKeys(const QStringList &keys, const QHash<QString, QString> &values)
{
    for (QWidget *w : m_list->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        delete w;
    while (m_layout->count() > 0)
        delete m_layout->takeAt(0);
    m_fields.clear();
    m_keys = keys;
    m_focused = -1;
    // Keys that shorten to the same label are told apart by number.
    QHash<QString, int> uses, seen;
    for (const QString &key : keys)
        ++uses[shortForm(key)];
    for (const QString &key : keys) {
        QString text = shortForm(key);
        if (uses.value(text) > 1)
            text += QStringLiteral("（%1）").arg(++seen[text]);
        auto *label = new QLabel(text, m_list);
        label->setToolTip(key);
        auto *field = new QLineEdit(values.value(key), m_list);
        field->setPlaceholderText(key);
        field->installEventFilter(this);
        connect(field, &QLineEdit::returnPressed, this, &KeyWordWindow::slotLineEditReturnPressed);
        m_layout->addWidget(label);
        m_layout->addWidget(field);
        m_fields.append(field);
    }
    m_layout->addStretch();
}

void KeyWordWindow::setValue(const QString &key, const QString &value)
{
    if (QLineEdit *f = field(key))
        f->setText(value);
}

QString KeyWordWindow::value(const QString &key) const
{
    const QLineEdit *f = field(key);
    return f ? f->text() : QString();
}

QLineEdit *KeyWordWindow::field(const QString &key) const
{
    const qsizetype i = m_keys.indexOf(key);
    return i >= 0 ? m_fields.at(i) : nullptr;
}

bool KeyWordWindow::eventFilter(QObject *watched, QEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(watched);
    const int index = edit ? int(m_fields.indexOf(edit)) : -1;
    if (index >= 0 && event->type() == QEvent::FocusIn) {
        m_focused = index;
        m_focusedText = edit->text().trimmed();
        QTimer::singleShot(0, edit, &QLineEdit::selectAll);
    } else if (index >= 0 && event->type() == QEvent::FocusOut) {
        const QString text = edit->text().trimmed();
        if (text != m_focusedText) {
            m_focusedText = text;
            emit signalEditValueChanged(m_keys.at(index), text);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void KeyWordWindow::slotLineEditReturnPressed()
{
    auto *edit = qobject_cast<QLineEdit *>(focusWidget());
    const int index = edit ? int(m_fields.indexOf(edit)) : -1;
    if (index < 0)
        return;
    const QString text = edit->text().trimmed();
    if (text != m_focusedText) {
        m_focusedText = text;
        emit signalEditValueChanged(m_keys.at(index), text);
    }
    if (index + 1 < m_fields.size())
        m_fields.at(index + 1)->setFocus();
}

void KeyWordWindow::animate(const QRect &from, const QRect &to, double opacityFrom, double opacityTo)
{
    m_geometry->stop();
    m_opacity->stop();
    if (m_animationMs <= 0) {
        setGeometry(to);
        setWindowOpacity(opacityTo);
        slotAnimationFinished();
        return;
    }
    for (QPropertyAnimation *a : {m_geometry, m_opacity})
        a->setDuration(m_animationMs);
    m_geometry->setStartValue(from);
    m_geometry->setEndValue(to);
    m_opacity->setStartValue(opacityFrom);
    m_opacity->setEndValue(opacityTo);
    m_geometry->start();
    m_opacity->start();
}

void KeyWordWindow::animateOpen(const QRect &from, const QRect &to)
{
    setGeometry(from);
    setWindowOpacity(0.0);
    show();
    raise();
    animate(from, to, 0.0, 1.0);
}

void KeyWordWindow::animateClose(const QRect &to)
{
    animate(geometry(), to, 1.0, 0.0);
}

void KeyWordWindow::slotAnimationFinished()
{
    if (windowOpacity() < 0.1)
        slotClose();
}

void KeyWordWindow::slotClose()
{
    hide();
    emit signalClose();
}

void KeyWordWindow::mousePressEvent(QMouseEvent *event)
{
    m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void KeyWordWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        move(event->globalPosition().toPoint() - m_dragOffset);
}
