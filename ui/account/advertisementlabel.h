#pragma once

#include <QLabel>
#include <QUrl>

namespace ZeltraLib {
class NetworkHelper;
}

// The advertisement picture of the account windows: shows a built-in picture, replaces it
// with the web site's picture once that has been downloaded (a failed or unreadable
// download keeps the built-in one), and reports clicks.
class AdvertisementLabel : public QLabel
{
    Q_OBJECT
public:
    AdvertisementLabel(const QPixmap &builtIn, QWidget *parent = nullptr);

    // Starts the download of the picture at `url`.
    void download(const QString &url);
    // Shows `data` when it is a readable picture; false (built-in kept) otherwise.
    bool showPicture(const QByteArray &data);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    ZeltraLib::NetworkHelper *m_helper = nullptr; // child of this label
};
