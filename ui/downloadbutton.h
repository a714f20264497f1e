#pragma once

#include <QPixmap>
#include <QWidget>

// Picture2: the download button, a picture showing one of its two faces.
// Face 1 is lit (the pointer over the drawn button), face 2 at rest (pressed,
// the pointer around it, after a download). Where the pointer stands decides
// the face, in twips as the button has always measured it.
class DownloadButton final : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kLitImage = 1;
    static constexpr int kRestImage = 2;

    explicit DownloadButton(QWidget *parent = nullptr);

    void setImage(int image);
    int image() const { return m_image; }
    QSize sizeHint() const override;

    static QPixmap renderFace(int image, QSize size);
    // The face under the pointer (twips): lit inside the drawn button, at
    // rest around it.
    static int imageAt(int xTwips, int yTwips);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int imageUnder(QPointF position) const;

    int m_image = 2;
    bool m_pressed = false;
};
