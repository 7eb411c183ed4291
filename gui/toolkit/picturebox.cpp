// PictureBox and LineControl: persistent image in user coordinates with cursor lines on top.
#include "picturebox.h"

#include <QBuffer>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>

#include "linecontrol.h"
#include "savefile.h"

QColor PaletteColor(int index) {
    static const QRgb kPalette[16] = {
        qRgb(0, 0, 0),       qRgb(0, 0, 128),   qRgb(0, 128, 0),   qRgb(0, 128, 128),
        qRgb(128, 0, 0),     qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(0, 255, 255),
        qRgb(255, 0, 0),     qRgb(255, 0, 255), qRgb(255, 255, 0), qRgb(255, 255, 255)};
    return QColor(kPalette[index & 15]);
}

PictureBox::PictureBox(const QString& name, QSize pixels, QWidget* parent)
    : QWidget(parent), image_(pixels, QImage::Format_RGB32) {
    setObjectName(name);
    setFixedSize(pixels);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QFont f(QStringLiteral("Times New Roman"));
    f.setPointSize(10);
    // Texts hinted alike on every screen (Qt leaves them unhinted once any screen is scaled), so
    // that the saved picture does not depend on the screen; light hinting is Debian's default.
    f.setHintingPreference(QFont::PreferVerticalHinting);
    setFont(f);
    scale_.width = float(pixels.width());
    scale_.height = float(pixels.height());
    clear();
}

PictureBox::~PictureBox() {
    // The cursor lines unregister themselves, which needs this object still whole.
    const QList<LineControl*> lines = lines_;
    qDeleteAll(lines);
}

void PictureBox::clear() {
    image_.fill(backColor_);
    currentX_ = currentY_ = 0.0;
    printed_.clear();
    strokes_.clear();
    points_.clear();
    sharp_ = QImage();
    update();
    emit cleared();
}

void PictureBox::setScale(const UserScale& scale) {
    scale_ = scale;
    update();  // cursor lines follow the new coordinates
}

QPointF PictureBox::toPixel(double x, double y) const {
    return scale_.toPixel(x, y, image_.size());
}

namespace {
// A logical pixel position in device pixels at `ratio`, rounded. Far-off points saturate instead
// of overflowing; the image clips them anyway.
QPoint devicePixel(QPointF logical, qreal ratio) {
    auto round = [ratio](double v) {
        return int(std::lround(std::clamp(v * ratio, -1.0e6, 1.0e6)));
    };
    return {round(logical.x()), round(logical.y())};
}

// A line width in device pixels: at least one.
int deviceWidth(int width, qreal ratio) { return std::max(1, int(std::lround(width * ratio))); }

QPen widePen(const QColor& color, int width) {
    QPen pen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    if (width <= 1) pen.setWidth(0);  // cosmetic: exactly one pixel
    return pen;
}
}  // namespace

QPoint PictureBox::pixelOf(double x, double y) const { return devicePixel(toPixel(x, y), 1.0); }

void PictureBox::add(Stroke::Kind kind, const QColor& color, const QPointF* userPoints,
                     size_t count, int text) {
    strokes_.push_back({kind, drawWidth_, color.rgb(), int(points_.size()), int(count), text});
    for (size_t k = 0; k < count; ++k)
        points_.push_back(toPixel(userPoints[k].x(), userPoints[k].y()));
    currentX_ = userPoints[count - 1].x();
    currentY_ = userPoints[count - 1].y();
    QPainter p(&image_);
    render(p, strokes_.back(), 1.0);
    update();
}

void PictureBox::render(QPainter& p, const Stroke& s, qreal ratio) const {
    const QColor color(s.color);
    const int width = deviceWidth(s.width, ratio);
    auto at = [&](int k) { return devicePixel(points_[size_t(s.first + k)], ratio); };
    switch (s.kind) {
        case Stroke::Line:
            p.setPen(widePen(color, width));
            p.drawLine(at(0), at(1));
            break;
        case Stroke::Box: {
            // The outline runs through the corner pixels, exactly where lines to them would run.
            const QPoint a = at(0), b = at(1);
            const QPoint corners[4] = {a, QPoint(b.x(), a.y()), b, QPoint(a.x(), b.y())};
            p.setPen(widePen(color, width));
            p.setBrush(Qt::NoBrush);
            p.drawPolygon(corners, 4);
            break;
        }
        case Stroke::Dot:
            if (s.width <= 1) {
                p.fillRect(QRect(at(0), QSize(width, width)), color);
            } else {
                p.setPen(Qt::NoPen);
                p.setBrush(color);
                const double r = width / 2.0;
                p.drawEllipse(QPointF(at(0)) + QPointF(0.5, 0.5), r, r);
            }
            break;
        case Stroke::Polyline:
            // One stroke of a wide pen covers exactly the pixels of its lines drawn one by one,
            // in a fraction of the time. A one-pixel polyline leaves out a few pixels where its
            // points repeat, so lines of that width, which cost little, are drawn one by one.
            p.setPen(widePen(color, width));
            if (width > 1) {
                QPolygon line(s.count);
                for (int k = 0; k < s.count; ++k) line[k] = at(k);
                p.drawPolyline(line);
            } else {
                for (int k = 1; k < s.count; ++k) p.drawLine(at(k - 1), at(k));
            }
            break;
        case Stroke::Text: {
            QFont f = font();
            if (ratio != 1.0) {
                if (f.pointSizeF() > 0)
                    f.setPointSizeF(f.pointSizeF() * ratio);
                else
                    f.setPixelSize(deviceWidth(f.pixelSize(), ratio));
            }
            p.setFont(f);
            p.setPen(color);
            const int room = deviceWidth(1000, ratio);
            p.drawText(QRect(at(0), QSize(room, room)),
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, printed_[s.text].text);
            break;
        }
    }
}

void PictureBox::renderAll(QImage& target, qreal ratio, size_t from) const {
    QPainter p(&target);
    for (size_t k = from; k < strokes_.size(); ++k) render(p, strokes_[k], ratio);
}

QImage PictureBox::imageAtRatio(qreal ratio) const {
    QImage sharp(int(std::ceil(image_.width() * ratio)), int(std::ceil(image_.height() * ratio)),
                 QImage::Format_RGB32);
    sharp.fill(backColor_);
    renderAll(sharp, ratio, 0);
    return sharp;
}

void PictureBox::drawLine(double x1, double y1, double x2, double y2, const QColor& color) {
    add(Stroke::Line, color, {{x1, y1}, {x2, y2}});
}

void PictureBox::lineTo(double x, double y, const QColor& color) {
    drawLine(currentX_, currentY_, x, y, color);
}

void PictureBox::drawPolyline(const std::vector<QPointF>& points, const QColor& color) {
    if (points.size() >= 2)
        add(Stroke::Polyline, color, points.data(), points.size());
    else if (!points.empty())
        setCurrentPosition(points[0].x(), points[0].y());
}

void PictureBox::drawBox(double x1, double y1, double x2, double y2, const QColor& color) {
    add(Stroke::Box, color, {{x1, y1}, {x2, y2}});
}

void PictureBox::drawPoint(double x, double y, const QColor& color) {
    add(Stroke::Dot, color, {{x, y}});
}

void PictureBox::setCurrentPosition(double x, double y) {
    currentX_ = x;
    currentY_ = y;
}

void PictureBox::printText(const QString& text) {
    printed_.append({text, float(currentX_), float(currentY_)});
    add(Stroke::Text, foreColor_, {{currentX_, currentY_}}, int(printed_.size() - 1));
}

FileResult SaveImage(const QImage& image, const QString& path, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format)) return {QStringLiteral("画像を作れません")};
    return SaveFileBytes(path, bytes);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const qreal ratio = devicePixelRatioF();
    if (ratio == 1.0) {
        p.drawImage(0, 0, image_);
    } else {
        // Drawn afresh when the ratio changes (the window moved to another screen); otherwise
        // only what was drawn since the last paint is added.
        if (sharp_.isNull() || sharpRatio_ != ratio) {
            sharp_ = imageAtRatio(ratio);
            sharpRatio_ = ratio;
        } else {
            renderAll(sharp_, ratio, sharpStrokes_);
        }
        sharpStrokes_ = strokes_.size();
        // Shown pixel for pixel; it is drawn into in device pixels, so only here at the ratio.
        sharp_.setDevicePixelRatio(ratio);
        p.drawImage(QPointF(0, 0), sharp_);
        sharp_.setDevicePixelRatio(1.0);
    }
    // The cursor lines one logical pixel wide, on the device pixel nearest their position.
    for (const LineControl* line : lines_) {
        if (!line->visible_) continue;
        const QPoint at = devicePixel(toPixel(line->position_, line->position_), ratio);
        const double thickness = deviceWidth(1, ratio) / ratio;
        if (line->orientation_ == Qt::Vertical)
            p.fillRect(QRectF(at.x() / ratio, 0, thickness, height()), line->color_);
        else
            p.fillRect(QRectF(0, at.y() / ratio, width(), thickness), line->color_);
    }
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    int shift = 0;
    if (event->modifiers() & Qt::ShiftModifier) shift |= 1;
    if (event->modifiers() & Qt::ControlModifier) shift |= 2;
    if (event->modifiers() & Qt::AltModifier) shift |= 4;
    emit mouseMoved(int(event->buttons()), shift, scale_.userX(at.x(), image_.width()),
                    scale_.userY(at.y(), image_.height()));
}

LineControl::LineControl(const QString& name, Qt::Orientation orientation, const QColor& color,
                         PictureBox* picture)
    : QObject(picture), picture_(picture), orientation_(orientation), color_(color) {
    setObjectName(name);
    picture_->lines_.append(this);
}

LineControl::~LineControl() { picture_->lines_.removeAll(this); }

void LineControl::setPosition(double userCoordinate) {
    position_ = userCoordinate;
    if (visible_) picture_->update();
}

void LineControl::setVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    picture_->update();
}
