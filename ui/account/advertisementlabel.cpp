#include "advertisementlabel.h"

#include "networkhelper.h"

#include <QMouseEvent>

AdvertisementLabel::AdvertisementLabel(const QPixmap &builtIn, QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("adPicture"));
    setFixedSize(builtIn.size());
    setPixmap(builtIn);
    setCursor(Qt::PointingHandCursor);
    m_helper = new ZeltraLib::NetworkHelper(this);
    connect(m_helper, &ZeltraLib::NetworkHelper::signalDownloadFinished, this,
            &AdvertisementLabel::showPicture);
}

void AdvertisementLabel::download(const QString &url)
{
    m_helper->download(url);
}

bool AdvertisementLabel::showPicture(const QByteArray &data)
{
    QPixmap picture;
    if (data.isEmpty() || !picture.loadFromData(data))
        return false;
    setPixmap(picture.scaled(size(), Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation));
    return true;
}

void AdvertisementLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    QLabel::mouseReleaseEvent(event);
}
