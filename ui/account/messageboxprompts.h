#pragma once

#include "accountprompts.h"

// AccountPrompts with plain Qt message boxes and the desktop's web browser.
class MessageBoxPrompts : public AccountPrompts
{
public:
    void showError(QWidget *parent, const QString &text) override;
    bool askNetworkDiagnosis(QWidget *parent) override;
    void openUrl(const QUrl &url) override;
};
