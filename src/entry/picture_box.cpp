#include "picture_box.h"

#include <QImageReader>
#include <QMouseEvent>

namespace zelk {

namespace {
// Photographs are read at no more than this size: plenty for the box, whatever its size.
constexpr int kLargestSide = 800;
// Formats that cannot be read scaled (BMP, GIF) are read whole and then scaled: room for a
// picture of some 16,000 pixels square, where Qt would stop at about 8,000.
constexpr int kLargestReadMegabytes = 1024;
}

PictureBox::PictureBox(QWidget* parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setMinimumSize(120, 120);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

PictureBox::Load PictureBox::loadPicture(const QString& path, QString* reason)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(kLargestReadMegabytes);
    if (!reader.canRead()) {
        if (reason)
            *reason = reader.errorString();
        return reader.error() == QImageReader::FileNotFoundError || reader.error() == QImageReader::DeviceError
                   ? Load::Failed
                   : Load::NotAPicture;
    }
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kLargestSide || size.height() > kLargestSide))
        reader.setScaledSize(size.scaled(kLargestSide, kLargestSide, Qt::KeepAspectRatio));
    const QImage image = reader.read();
    if (image.isNull()) {
        if (reason)
            *reason = reader.errorString();
        return reader.error() == QImageReader::InvalidDataError || reader.error() == QImageReader::UnsupportedFormatError
                   ? Load::NotAPicture
                   : Load::Failed;
    }
    setPicture(image);
    return Load::Loaded;
}

void PictureBox::setPicture(const QImage& image)
{
    const bool changed = !(image.isNull() && m_image.isNull());
    m_image = image;
    showScaled();
    if (changed)
        emit pictureChanged();
}

void PictureBox::showScaled()
{
    if (m_image.isNull()) {
        clear();
        return;
    }
    const QSize room = contentsRect().size();
    setPixmap(QPixmap::fromImage(m_image.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    showScaled();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        emit rightPressed();
    QLabel::mousePressEvent(event);
}

} // namespace zelk
