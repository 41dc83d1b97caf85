#pragma once

#include <QWidget>

#include <functional>
#include <memory>

class ColorButton;
class ConfigStore;
class PageFields;

// "纠错设置": the correction level, which finding kinds show and in which colour, and the
// report after a check. save() records in findingChanged() whether any of the eight
// finding-display values differed from the store (the level does not count).
class CorrectionSetting : public QWidget
{
    Q_OBJECT
public:
    explicit CorrectionSetting(ConfigStore &prefs, QWidget *parent = nullptr);
    ~CorrectionSetting() override;

    void load(bool useDefaults);
    void save();
    bool findingChanged() const { return m_findingChanged; }
    void clearFindingChanged() { m_findingChanged = false; }

    // Opens the user's word-list page; empty: nothing happens.
    void setDictionaryUrl(std::function<QString()> url) { m_dictUrl = std::move(url); }

Q_SIGNALS:
    void ValueChange();

public Q_SLOTS:
    void BtnSpellingClicked();
    void BtnGrammarClicked();
    void BtnStyleClicked();
    void slotSuggestionColorClicked();
    void ChangeMaked();
    void slotEditDict();

private:
    std::unique_ptr<PageFields> m_fields;
    ColorButton *m_colors[4] = {};
    std::function<QString()> m_dictUrl;
    bool m_findingChanged = false;
};
