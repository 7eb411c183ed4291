// PictureBox and LineControl: persistent image in user coordinates with cursor lines on top.
#include "picturebox.h"

#include <QBuffer>
#include <QMouseEvent>
#include <QPainter>
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
    update();
}

void PictureBox::setScale(const UserScale& scale) {
    scale_ = scale;
    update();  // cursor lines follow the new coordinates
}

QPointF PictureBox::toPixel(double x, double y) const {
    return scale_.toPixel(x, y, image_.size());
}

QPoint PictureBox::pixelOf(double x, double y) const {
    const QPointF p = toPixel(x, y);
    // Far-off points saturate instead of overflowing; the image clips them anyway.
    auto clamp = [](double v) { return int(std::lround(std::clamp(v, -1.0e6, 1.0e6))); };
    return {clamp(p.x()), clamp(p.y())};
}

namespace {
QPen widePen(const QColor& color, int width) {
    QPen pen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    if (width <= 1) pen.setWidth(0);  // cosmetic: exactly one pixel
    return pen;
}
}  // namespace

void PictureBox::drawLine(double x1, double y1, double x2, double y2, const QColor& color) {
    QPainter p(&image_);
    p.setPen(widePen(color, drawWidth_));
    p.drawLine(pixelOf(x1, y1), pixelOf(x2, y2));
    currentX_ = x2;
    currentY_ = y2;
    update();
}

void PictureBox::lineTo(double x, double y, const QColor& color) {
    drawLine(currentX_, currentY_, x, y, color);
}

void PictureBox::drawBox(double x1, double y1, double x2, double y2, const QColor& color) {
    // The outline runs through the corner pixels, exactly where lines to them would run.
    const QPoint a = pixelOf(x1, y1);
    const QPoint b = pixelOf(x2, y2);
    const QPoint corners[4] = {a, QPoint(b.x(), a.y()), b, QPoint(a.x(), b.y())};
    QPainter p(&image_);
    p.setPen(widePen(color, drawWidth_));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(corners, 4);
    currentX_ = x2;
    currentY_ = y2;
    update();
}

void PictureBox::drawPoint(double x, double y, const QColor& color) {
    const QPoint c = pixelOf(x, y);
    if (drawWidth_ <= 1) {
        if (image_.rect().contains(c)) image_.setPixelColor(c, color);
    } else {
        QPainter p(&image_);
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        const double r = drawWidth_ / 2.0;
        p.drawEllipse(QPointF(c) + QPointF(0.5, 0.5), r, r);
    }
    currentX_ = x;
    currentY_ = y;
    update();
}

void PictureBox::setCurrentPosition(double x, double y) {
    currentX_ = x;
    currentY_ = y;
}

void PictureBox::printText(const QString& text) {
    QPainter p(&image_);
    p.setFont(font());
    p.setPen(foreColor_);
    const QPoint at = pixelOf(currentX_, currentY_);
    p.drawText(QRect(at, QSize(1000, 1000)), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
               text);
    printed_.append({text, float(currentX_), float(currentY_)});
    update();
}

FileResult PictureBox::saveBmp(const QString& path) const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image_.save(&buffer, "BMP")) return {QStringLiteral("画像を作れません")};
    return SaveFileBytes(path, bytes);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, image_);
    for (const LineControl* line : lines_) {
        if (!line->visible_) continue;
        p.setPen(QPen(line->color_, 0));
        const QPoint at = pixelOf(line->position_, line->position_);
        if (line->orientation_ == Qt::Vertical)
            p.drawLine(at.x(), 0, at.x(), height() - 1);
        else
            p.drawLine(0, at.y(), width() - 1, at.y());
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
