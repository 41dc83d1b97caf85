#pragma once

#include <QKeySequence>
#include <QList>
#include <QPair>
#include <QWidget>

#include <memory>

class ConfigStore;
class PageFields;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;

// "常规设置": start-up and other switches, what closing the main panel does, and the six hot
// keys. A hot key is refused (and the field's previous letter put back) when another row,
// the editor itself or a menu of the main window (its Alt+letter) already uses the
// combination, or when it has neither Ctrl nor Alt.
class GeneralSetting : public QWidget
{
    Q_OBJECT
public:
    // Rows in display order.
    enum HotKey { Copy, Clear, Check, CorrectAll, Improve, ImproveAll, HotKeyCount };

    explicit GeneralSetting(ConfigStore &prefs, QWidget *parent = nullptr);
    ~GeneralSetting() override;

    // The Alt+letter keys that open the main window's menus, with each menu's name.
    void setMenuKeys(const QList<QPair<QKeySequence, QString>> &keys);
    void load(bool useDefaults);
    void save();

    // The stored form of a row: "ctrl" or "", "|", "alt" or "", "|", key.
    QString combination(int row) const;
    // Who already uses `keys` ("ctrl|alt|C" form) besides row `skip`: a row's title, or the
    // editor's action; empty when free.
    QString owner(const QString &keys, int skip) const;
    // "ctrl|alt|C" -> "Ctrl+Alt+C" (Qt's portable key text).
    static QString portableText(const QString &keys);
    QString message() const;

Q_SIGNALS:
    void ValueChange();

public Q_SLOTS:
    void ResetHotKeyClieked();
    void CheckTextChanged(const QString &text);
    void CorrectTextChanged(const QString &text);
    void CopyTextChanged(const QString &text);
    void ClearTextChanged(const QString &text);
    void ImproveTextChanged(const QString &text);
    void ImproveAllTextChanged(const QString &text);
    void ChangeMaked();
    void RbtnChange(bool checked);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Row
    {
        QString title;
        QString key;
        QCheckBox *enabled = nullptr;
        QCheckBox *ctrl = nullptr;
        QCheckBox *alt = nullptr;
        QLineEdit *edit = nullptr;
        QString remembered; // the key when the field got the focus
        QString shown;      // the key as last accepted while typing
    };
    void loadHotKeys(bool useDefaults);
    void keyTyped(int row, const QString &text);
    bool acceptCombination(int row);
    void modifierToggled(int row, QCheckBox *box);

    ConfigStore &m_prefs;
    std::unique_ptr<PageFields> m_fields;
    QList<Row> m_rows;
    QList<QPair<QKeySequence, QString>> m_menuKeys;
    QButtonGroup *m_close = nullptr;
    QLabel *m_message = nullptr;
};
