#include "Controls.h"

#include "Pictures.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace vorni {

void trackMouse(QWidget *control)
{
    control->setMouseTracking(true);
}

ImageControl::ImageControl(QWidget *parent, const QString &name, QRect geometry, bool stretch)
    : QWidget(parent)
    , m_stretch(stretch)
{
    setObjectName(name);
    setGeometry(geometry);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_NoMousePropagation);
}

void ImageControl::setPicture(Picture picture)
{
    if (picture == m_picture)
        return;
    m_picture = picture;
    update();
}

namespace {

QPixmap naturalPixmap(Picture picture, qreal dpr)
{
    switch (picture) {
    case Picture::Board:
        return boardPixmap(dpr);
    case Picture::Logo:
        return logoPixmap(dpr);
    case Picture::Credits:
        return creditsPixmap(dpr);
    case Picture::WebAddress:
        return webAddressPixmap(dpr);
    default:
        return {};
    }
}

} // namespace

void ImageControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const qreal dpr = devicePixelRatioF();
    switch (m_picture) {
    case Picture::None:
        break;
    case Picture::Player1:
    case Picture::Player2:
    case Picture::Neutral: {
        const Tile tile = m_picture == Picture::Player1 ? Tile::Player1
            : m_picture == Picture::Player2             ? Tile::Player2
                                                        : Tile::Neutral;
        // Tiles are drawn afresh for each size rather than scaled, so they stay sharp.
        const QSize size = m_stretch ? this->size() : tileNaturalSize(tile);
        painter.drawPixmap(0, 0, tilePixmap(tile, size, dpr));
        break;
    }
    default: {
        const QPixmap pixmap = naturalPixmap(m_picture, dpr);
        if (m_stretch)
            painter.drawPixmap(rect(), pixmap);
        else
            painter.drawPixmap(0, 0, pixmap);
    }
    }
    if (hasFocus()) {
        // A pen one logical pixel wide along the centres of whole logical pixels covers whole device
        // pixels at every integral ratio; without antialiasing no half-lit pixel blurs the line.
        const qreal middle = FocusMarkInset + 0.5;
        const QRectF line = QRectF(rect()).adjusted(middle, middle, -middle, -middle);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawRect(line);
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawRect(line);
    }
}

void ImageControl::keyPressEvent(QKeyEvent *event)
{
    // A held key presses once; keys with Ctrl, Alt or Meta, and all others, go on to the window.
    const int key = event->key();
    const bool press = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!press || (event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (!event->isAutoRepeat())
        click();
}

void ImageControl::focusInEvent(QFocusEvent *)
{
    update();
}

void ImageControl::focusOutEvent(QFocusEvent *)
{
    update();
}

void ImageControl::mousePressEvent(QMouseEvent *event)
{
    m_click.press(event);
}

void ImageControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_click.release(event, rect()))
        emit clicked();
}

LabelControl::LabelControl(QWidget *parent, const QString &name, QRect geometry, const QString &caption,
                           const QFont &font, QColor colour, Qt::Alignment alignment, bool autoSize)
    : QLabel(caption, parent)
    , m_autoSize(autoSize)
{
    setObjectName(name);
    setAttribute(Qt::WA_NoMousePropagation);
    setFont(font);
    setAlignment(alignment | Qt::AlignTop);
    setColour(colour);
    setGeometry(geometry);
    if (m_autoSize)
        adjustSize();
}

void LabelControl::setCaption(const QString &caption)
{
    setText(caption);
    if (m_autoSize)
        adjustSize();
}

void LabelControl::setColour(QColor colour)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

QColor LabelControl::colour() const
{
    return palette().color(QPalette::WindowText);
}

void LabelControl::setStrikeOut(bool on)
{
    QFont f = font();
    f.setStrikeOut(on);
    setFont(f);
}

void ImageControl::mouseMoveEvent(QMouseEvent *)
{
    emit mouseMoved();
}

void LabelControl::mouseMoveEvent(QMouseEvent *)
{
    emit mouseMoved();
}

void PanelControl::mouseMoveEvent(QMouseEvent *)
{
    emit mouseMoved();
}

void LabelControl::mousePressEvent(QMouseEvent *event)
{
    m_click.press(event);
}

void LabelControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_click.release(event, rect()))
        emit clicked();
}

PanelControl::PanelControl(QWidget *parent, const QString &name, QRect geometry)
    : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_NoMousePropagation);
    setGeometry(geometry);
}

void PanelControl::paintEvent(QPaintEvent *event)
{
    // Black over whatever it covers, as a filled background would be; but a control that fills its
    // background is opaque to Qt, which then cuts it out of the board lying under the strip's top row,
    // and the board, no longer one rectangle, is blended row by row on helper threads instead of copied.
    QPainter(this).fillRect(event->rect(), Qt::black);
}

} // namespace vorni
