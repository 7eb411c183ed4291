// LineControl: a cursor line across a whole PictureBox, painted over its image (never into
// it), moved in the picture's user units and shown or hidden.
#pragma once

#include <QColor>
#include <QObject>

class PictureBox;

class LineControl : public QObject {
    Q_OBJECT
public:
    // A vertical line spans the full height of the picture, a horizontal one its full width.
    LineControl(const QString& name, Qt::Orientation orientation, const QColor& color,
                PictureBox* picture);
    ~LineControl() override;

    Qt::Orientation orientation() const { return orientation_; }
    // The user X of a vertical line or the user Y of a horizontal one.
    double position() const { return position_; }
    void setPosition(double userCoordinate);
    bool isVisible() const { return visible_; }
    void setVisible(bool visible);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    QColor color() const { return color_; }

private:
    friend class PictureBox;
    PictureBox* picture_;
    Qt::Orientation orientation_;
    QColor color_;
    double position_ = 0.0;
    bool visible_ = false;
};
