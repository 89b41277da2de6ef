#pragma once

// The window's controls: images, labels and panels, each placed by its name and rectangle as the layout
// gives them, and raising the clicks and mouse moves the game handles.

#include "Clicks.h"
#include "Units.h"

#include <QLabel>
#include <QWidget>

#include <cstdint>

namespace vorni {

// The pictures an image can show. The three tiles are shared by every image that shows them, so "which
// picture" is a plain value a reader can compare.
enum class Picture : std::uint8_t { None, Player1, Player2, Neutral, Board, Logo, Credits, WebAddress };

class ImageControl : public QWidget {
    Q_OBJECT
public:
    // A stretched image scales its picture to its size; otherwise it shows the
    // picture at the picture's own size.
    ImageControl(QWidget *parent, const QString &name, QRect geometry, bool stretch);

    void setPicture(Picture picture);
    Picture picture() const { return m_picture; }
    bool isStretched() const { return m_stretch; }

    // Does what a click does. Space or Enter does it too while the control has the keyboard focus,
    // which a control given Qt::TabFocus takes from Tab and Shift+Tab only, never from the mouse.
    void click() { emit clicked(); }

    // The focus mark: a line of white and black dots one logical pixel wide, FocusMarkInset logical
    // pixels inside the control's edge, drawn over the picture while the control has the focus. Its
    // dots read on every tile, and the picture itself stays as hover and the game set it.
    static constexpr int FocusMarkInset = 3;

signals:
    void clicked();
    void mouseMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    Picture m_picture = Picture::None;
    bool m_stretch = false;
    ClickTracker m_click;
};

class LabelControl : public QLabel {
    Q_OBJECT
public:
    LabelControl(QWidget *parent, const QString &name, QRect geometry, const QString &caption, const QFont &font,
                 QColor colour, Qt::Alignment alignment = Qt::AlignLeft, bool autoSize = false);

    // Changes the caption; an auto-sized label keeps its left edge and takes
    // the size of its new caption.
    void setCaption(const QString &caption);
    void setColour(QColor colour);
    QColor colour() const;
    void setStrikeOut(bool on);
    bool isStruckOut() const { return font().strikeOut(); }
    bool isAutoSize() const { return m_autoSize; }

    // Does what a click does (a screen reader's press).
    void click() { emit clicked(); }

signals:
    void clicked();
    void mouseMoved();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    bool m_autoSize = false;
    ClickTracker m_click;
};

// A child window used as a container with its own coordinates.
class PanelControl : public QWidget {
    Q_OBJECT
public:
    PanelControl(QWidget *parent, const QString &name, QRect geometry);

signals:
    void mouseMoved();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

// Hover: a control reports the pointer moving over it only where the window
// handles it. Every control keeps its mouse moves to itself, so the pointer
// over a ball or a caption does not count as the bare window beneath.
void trackMouse(QWidget *control);

} // namespace vorni
