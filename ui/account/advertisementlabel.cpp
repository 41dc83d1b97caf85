#include "advertisementlabel.h"

#include "networkhelper.h"

#include <QMouseEvent>

AdvertisementLabel::AdvertisementLabel(const QPixmap &builtIn, QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("adPicture"));
    setFixedSize(builtIn.size());
    setAlignment(Qt::AlignCenter);
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
    // Drawn for the window's device pixels; a smaller picture is centred, never blown up
    // (an enlarged picture is blurred), a larger one shrinks to fill the label.
    const qreal ratio = devicePixelRatioF();
    const QSize device = size() * ratio;
    if (picture.width() > device.width() || picture.height() > device.height())
        picture = picture.scaled(device, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    picture.setDevicePixelRatio(ratio);
    setPixmap(picture);
    return true;
}

void AdvertisementLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    QLabel::mouseReleaseEvent(event);
}
