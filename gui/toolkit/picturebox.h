// PictureBox: a widget that paints a persistent image drawn in a user coordinate system,
// with line width, lines, outline boxes, points, text, the 16-colour palette, mouse moves in
// user units and BMP saving; cursor lines (LineControl) are painted on top of the image.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QString>
#include <QWidget>

#include "graphmap.h"
#include "savefile.h"

class LineControl;

// The standard 16-colour palette (0 black ... 8 grey, 9 light blue, 12 light red, 15 white).
QColor PaletteColor(int index);

class PictureBox : public QWidget {
    Q_OBJECT
public:
    // A text printed into the image since the last clear, with its top-left user position.
    struct PrintedText {
        QString text;
        float x;
        float y;
    };

    PictureBox(const QString& name, QSize pixels, QWidget* parent = nullptr);
    ~PictureBox() override;

    // Clears the image to the background colour and moves the current position to (0, 0).
    void clear();

    void setScale(const UserScale& scale);
    const UserScale& scale() const { return scale_; }
    void setDrawWidth(int pixels) { drawWidth_ = pixels < 1 ? 1 : pixels; }
    int drawWidth() const { return drawWidth_; }
    QColor foreColor() const { return foreColor_; }

    // Every drawing call ends at its last point, which becomes the current position.
    void drawLine(double x1, double y1, double x2, double y2, const QColor& color);
    void lineTo(double x, double y, const QColor& color);
    void drawBox(double x1, double y1, double x2, double y2, const QColor& color);
    void drawPoint(double x, double y, const QColor& color);
    void setCurrentPosition(double x, double y);
    double currentX() const { return currentX_; }
    double currentY() const { return currentY_; }
    // Prints the text with its top-left corner at the current position, in the foreground
    // colour and the picture's font.
    void printText(const QString& text);
    const QList<PrintedText>& printedTexts() const { return printed_; }

    const QImage& image() const { return image_; }
    // Pixel (rounded) of a user point.
    QPoint pixelOf(double x, double y) const;
    // Writes the persistent image as a BMP file, completely or not at all.
    FileResult saveBmp(const QString& path) const;

    QSize sizeHint() const override { return image_.size(); }

signals:
    // Every mouse movement over the picture, whatever buttons are held, in user units.
    void mouseMoved(int buttons, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    friend class LineControl;
    QPointF toPixel(double x, double y) const;

    QImage image_;
    UserScale scale_;
    int drawWidth_ = 1;
    QColor foreColor_ = Qt::black;
    QColor backColor_ = Qt::white;
    double currentX_ = 0.0;
    double currentY_ = 0.0;
    QList<PrintedText> printed_;
    QList<LineControl*> lines_;
};
