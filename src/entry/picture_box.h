#pragma once
// The member's photograph: shown scaled to the box with its proportions kept. The path of
// the file shown is the box's Tag.
#include <QImage>
#include <QLabel>

namespace zelk {

class PictureBox : public QLabel {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    QString Tag;

    enum class Load { Loaded, NotAPicture, Failed };
    // Loads the image of `path` (read at no more than the size it is shown at, so a large
    // photograph costs little memory). On failure the picture shown is unchanged and
    // `reason` says why.
    Load loadPicture(const QString& path, QString* reason = nullptr);
    // Shows the image; an empty image empties the box.
    void setPicture(const QImage& image);
    void clearPicture() { setPicture(QImage()); }
    bool hasPicture() const { return !m_image.isNull(); }

signals:
    void doubleClicked();
    void rightPressed();
    void pictureChanged();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showScaled();
    QImage m_image;
};

} // namespace zelk
