#pragma once

// The window's controls: labels and images placed in twips, as the layout of
// the window is given. 15 twips are one logical pixel; Qt scales logical
// pixels to the screen, so everything stays sharp at any device pixel ratio.

#include <QLabel>
#include <QPixmap>
#include <QWidget>

namespace vorni {

constexpr int TwipsPerPixel = 15;

constexpr int twipsToPixels(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}
QRect twipsRect(int left, int top, int width, int height);

// Font sizes are given in points at 96 dpi; the layout is fixed in pixels, so
// fonts are sized in pixels too and do not grow with the desktop's font dpi.
int pointsToPixels(double points);
QFont comicFont(double points, bool italic);
QFont comicPixelFont(int pixels, bool italic);
QFont sansFont(double points, bool bold);

// The pictures an image can show. The three tiles are shared by every image
// that shows them, so "which picture" is a plain value a reader can compare.
// A click is a left press and a release over the same control. The second press of a double-click is
// no press: no control of the window takes double-clicks, so that press and its release do nothing.
// Qt tells a double-click by time and distance over the whole window, so a quick click on the next
// column's button arrives as one; there it is an ordinary press, as the control had no first click.
class ClickTracker {
public:
    ClickTracker() = default;
    ClickTracker(const ClickTracker &) = delete;
    ClickTracker &operator=(const ClickTracker &) = delete;
    ~ClickTracker();

    void press(const QMouseEvent *event);
    void doubleClick(const QMouseEvent *event);
    bool release(const QMouseEvent *event, const QRect &area);

private:
    bool m_pressed = false;
};

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
    void mouseDoubleClickEvent(QMouseEvent *event) override;
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

signals:
    void clicked();
    void mouseMoved();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
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

// Sets the window's icon once its first frame is on the screen: the icon is not needed for that frame.
// Call it when the window's controls exist.
void setIconAfterFirstFrame(QWidget *window);

// Hover: a control reports the pointer moving over it only where the window
// handles it. Every control keeps its mouse moves to itself, so the pointer
// over a ball or a caption does not count as the bare window beneath.
void trackMouse(QWidget *control);

// Colours as the layout names them: &H00BBGGRR&.
constexpr QRgb fromBgr(unsigned bgr)
{
    return qRgb(static_cast<int>(bgr & 0xff), static_cast<int>((bgr >> 8) & 0xff),
                static_cast<int>((bgr >> 16) & 0xff));
}

// The colours several parts of the window share.
constexpr QRgb LightGreen = fromBgr(0xC0FFC0); // column letters and command captions
constexpr QRgb Brown = fromBgr(0x004080);      // "Next" while Player 1 is to move; a marked command
constexpr QRgb White = fromBgr(0xFFFFFF);

} // namespace vorni
