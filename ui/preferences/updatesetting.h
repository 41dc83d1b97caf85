#pragma once

#include <QWidget>

#include <functional>
#include <memory>

class ConfigStore;
class PageFields;
class QButtonGroup;

// "软件升级": when to look for a new version ("update_type"), and a manual check.
class UpdateSetting : public QWidget
{
    Q_OBJECT
public:
    explicit UpdateSetting(ConfigStore &prefs, QWidget *parent = nullptr);
    ~UpdateSetting() override;

    void load(bool useDefaults);
    void save();
    // What "检查更新" starts; unset: the button is disabled.
    void setCheckUpdate(std::function<void()> check);

Q_SIGNALS:
    void signalValueChanged();

public Q_SLOTS:
    void slotCheckUpdate();

private:
    ConfigStore &m_prefs;
    std::unique_ptr<PageFields> m_fields;
    QButtonGroup *m_type = nullptr;
    QWidget *m_check = nullptr;
    std::function<void()> m_checkUpdate;
};
