#pragma once

#include <QWidget>

#include <memory>

class ColorButton;
class ConfigStore;
class PageFields;
class QComboBox;
class QFontComboBox;

// "显示设置": the editor's font, size, text colour, background and sentence highlight, and
// whether an exported template opens. save() reports through textChanged() whether any of
// the seven display values differed from the store.
class AppearenceSetting : public QWidget
{
    Q_OBJECT
public:
    explicit AppearenceSetting(ConfigStore &prefs, QWidget *parent = nullptr);
    ~AppearenceSetting() override;

    void load(bool useDefaults);
    void save();
    bool textChanged() const { return m_textChanged; }
    void clearTextChanged() { m_textChanged = false; }

Q_SIGNALS:
    void ValueChange();

public Q_SLOTS:
    void BtnForeGroundClicked();
    void BtnBackGroundClicked();
    void HilightColorClicked();
    void ComboBoxCurrentIndexChanged(int index);
    void ChangeMaked();

private:
    ConfigStore &m_prefs;
    std::unique_ptr<PageFields> m_fields;
    QFontComboBox *m_font = nullptr;
    QComboBox *m_size = nullptr;
    ColorButton *m_foreground = nullptr;
    ColorButton *m_background = nullptr;
    ColorButton *m_highlight = nullptr;
    bool m_textChanged = false;
};
