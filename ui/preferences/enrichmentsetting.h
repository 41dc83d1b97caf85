#pragma once

#include <QWidget>

#include <memory>

class ColorButton;
class ConfigStore;
class PageFields;

// "润色设置": how much polishing to suggest, and whether polish findings show and in
// which colour. save() tells whether the on/off or the colour changed (the level does
// not count).
class EnrichmentSetting : public QWidget
{
    Q_OBJECT
public:
    explicit EnrichmentSetting(ConfigStore &prefs, QWidget *parent = nullptr);
    ~EnrichmentSetting() override;

    void load(bool useDefaults);
    bool save();

Q_SIGNALS:
    void signalValueChanged();

public Q_SLOTS:
    void slotEnrichmentColorClicked();
    void slotEnrichLevelChanged();

private:
    std::unique_ptr<PageFields> m_fields;
    ColorButton *m_color = nullptr;
};
