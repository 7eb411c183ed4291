// PictureBox: a widget that paints a persistent image drawn in a user coordinate system,
// with line width, lines, polylines, outline boxes, points, text, the 16-colour palette, mouse
// moves in user units and saving an image; cursor lines (LineControl) are painted on top of the
// image. On a screen with more device pixels than logical ones the widget shows the same drawing
// made at the screen's resolution, while the persistent image keeps its logical size.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QString>
#include <QWidget>
#include <vector>

#include "graphmap.h"
#include "savefile.h"

class LineControl;

// Writes an image as a file of the format ("BMP", "PNG"), completely or not at all.
FileResult SaveImage(const QImage& image, const QString& path, const char* format);

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
    // Straight lines from each point to the next, as lineTo after lineTo draws them.
    void drawPolyline(const std::vector<QPointF>& points, const QColor& color);
    void drawBox(double x1, double y1, double x2, double y2, const QColor& color);
    void drawPoint(double x, double y, const QColor& color);
    void setCurrentPosition(double x, double y);
    double currentX() const { return currentX_; }
    double currentY() const { return currentY_; }
    // Prints the text with its top-left corner at the current position, in the foreground
    // colour and the picture's font.
    void printText(const QString& text);
    const QList<PrintedText>& printedTexts() const { return printed_; }

    // The persistent image, at the picture's size in logical pixels whatever the screen.
    const QImage& image() const { return image_; }
    // Pixel (rounded) of a user point.
    QPoint pixelOf(double x, double y) const;

    QSize sizeHint() const override { return image_.size(); }

signals:
    // Every mouse movement over the picture, whatever buttons are held, in user units.
    void mouseMoved(int buttons, int shift, float x, float y);
    // The image was cleared: what was drawn before is gone.
    void cleared();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    friend class LineControl;
    // What was drawn since the last clear, in logical pixel positions that are not rounded, so
    // that it can be drawn again at any ratio.
    struct Stroke {
        enum Kind : quint8 { Line, Box, Dot, Polyline, Text } kind;
        int width;  // line width in logical pixels
        QRgb color;
        int first;  // its points in points_
        int count;
        int text;  // a text's index in printed_
    };
    QPointF toPixel(double x, double y) const;
    // Records a stroke of the given user points and draws it into the image; its last point
    // becomes the current position.
    void add(Stroke::Kind kind, const QColor& color, std::initializer_list<QPointF> userPoints,
             int text = -1) {
        add(kind, color, userPoints.begin(), userPoints.size(), text);
    }
    void add(Stroke::Kind kind, const QColor& color, const QPointF* userPoints, size_t count,
             int text = -1);
    // Draws a stroke at `ratio` device pixels per logical pixel; at ratio 1 into the image.
    void render(QPainter& painter, const Stroke& stroke, qreal ratio) const;
    void renderAll(QImage& target, qreal ratio, size_t from) const;
    // The picture drawn afresh at `ratio`, as a screen with that ratio shows it.
    QImage imageAtRatio(qreal ratio) const;

    QImage image_;
    std::vector<Stroke> strokes_;
    std::vector<QPointF> points_;
    // The drawing at the widget's device pixel ratio when that is not 1, with the number of
    // strokes already in it.
    QImage sharp_;
    qreal sharpRatio_ = 1.0;
    size_t sharpStrokes_ = 0;
    UserScale scale_;
    int drawWidth_ = 1;
    QColor foreColor_ = Qt::black;
    QColor backColor_ = Qt::white;
    double currentX_ = 0.0;
    double currentY_ = 0.0;
    QList<PrintedText> printed_;
    QList<LineControl*> lines_;
};
