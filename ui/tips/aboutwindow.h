#pragma once

#include <QDialog>
#include <QUrl>

class QPushButton;

// "Pennova" about box: the version, the rights notice and the links to the user
// agreement, the privacy statement and the contact page. Run modally by its owner, which
// keeps it (on the stack, say): closing never deletes it.
class AboutWindow : public QDialog
{
    Q_OBJECT
public:
    enum Link { Agreement, Privacy, Contact };

    // webHost: the product web site the three links lead to.
    explicit AboutWindow(const QString &webHost, QWidget *parent = nullptr);

    QString versionText() const;
    static QUrl linkUrl(Link link, const QString &webHost);
    QPushButton *linkButton(Link link) const { return m_links[link]; }

public Q_SLOTS:
    void slotClickAgree();
    void slotClickPrivacy();
    void slotClickContact();

private:
    QString m_webHost;
    QPushButton *m_links[3] = {};
};
