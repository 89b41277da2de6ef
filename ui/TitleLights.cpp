#include "TitleLights.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace vorni {

namespace {

struct Light {
    const char *caption;
    int left, top, width, height;
    double points;
    double litPoints;
    unsigned colour;
};
constexpr std::array<Light, 5> Lights{{
    {"V", 345, 885, 1245, 1350, 48, 55, 0x00FFFF},
    {"O", 750, 1575, 1020, 1350, 48, 55, 0xFF00FF},
    {"r", 330, 2490, 1290, 1485, 54.75, 62, 0x00FF00},
    {"N", 570, 3675, 1230, 1350, 48, 55, 0x0000FF},
    {"I", 375, 4920, 1170, 1350, 48, 55, 0xFFFF00},
}};

} // namespace

TitleLetter::TitleLetter(QWidget *window, const QString &name, QRect geometry, const QString &caption,
                         const QFont &font, const QFont &litFont, QColor colour)
    : LabelControl(window, name, geometry, caption, font, colour)
    , m_baseFont(font)
    , m_litFont(litFont)
{
    // A letter never changes size: a change of its font then asks the window for no new layout.
    setFixedSize(geometry.size());
}

QRect TitleLetter::inkArea() const
{
    if (m_inkArea.isNull()) {
        // A label's text starts at the top left of its contents, on a baseline one ascent down.
        const QRect contents = contentsRect();
        for (const QFont &font : {m_baseFont, m_litFont}) {
            const QFontMetrics metrics(font);
            m_inkArea |= metrics.tightBoundingRect(text())
                             .translated(contents.left(), contents.top() + metrics.ascent())
                             .adjusted(-2, -2, 2, 2);
        }
        m_inkArea &= rect();
    }
    return m_inkArea;
}

void TitleLetter::setLook(QColor colour, const QFont &font)
{
    const bool held = testAttribute(Qt::WA_UpdatesDisabled);
    setAttribute(Qt::WA_UpdatesDisabled);
    setColour(colour);
    setFont(font);
    setAttribute(Qt::WA_UpdatesDisabled, held);
}

void TitleLetter::paintEvent(QPaintEvent *event)
{
    // Until its first change the letter is drawn as any label: the window's first frame need not
    // measure the lit look.
    if (m_inkArea.isNull()) {
        LabelControl::paintEvent(event);
        return;
    }
    // Letters this large are drawn from their outlines every time, which would cost more than all the
    // rest of a tick; each look is drawn once, as a label draws its text, and kept.
    QPixmap &look = m_looks[font().pixelSize() == m_baseFont.pixelSize() ? 0 : 1];
    const QRect ink = inkArea();
    const qreal dpr = devicePixelRatioF();
    if (look.isNull() || look.devicePixelRatio() != dpr) {
        // Drawn on the window's black, as the label would be, so that the edges blend the same.
        QImage canvas(ink.size() * dpr, QImage::Format_RGB32);
        canvas.setDevicePixelRatio(dpr);
        canvas.fill(Qt::black);
        {
            QPainter painter(&canvas);
            painter.translate(-ink.topLeft());
            painter.setFont(font());
            QStyleOption option;
            option.initFrom(this);
            style()->drawItemText(&painter, contentsRect(), QStyle::visualAlignment(layoutDirection(), alignment()),
                                  option.palette, isEnabled(), text(), foregroundRole());
        }
        // On black, a pixel's brightest channel is how much of the letter covers it: kept as the pixel's
        // alpha, it lets the letter lie over a neighbour's ink too.
        for (int y = 0; y < canvas.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(canvas.scanLine(y));
            for (int x = 0; x < canvas.width(); ++x)
                line[x] = qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]),
                                std::max({qRed(line[x]), qGreen(line[x]), qBlue(line[x])}));
        }
        canvas.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
        look = QPixmap::fromImage(std::move(canvas));
    }
    QPainter(this).drawPixmap(ink.topLeft(), look);
}

TitleLights::TitleLights(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    for (int i : {0, 1, 3, 4, 2}) {
        const Light &l = Lights[static_cast<std::size_t>(i)];
        m_letters[static_cast<std::size_t>(i)]
            = new TitleLetter(window, QStringLiteral("lights(%1)").arg(i), twipsRect(l.left, l.top, l.width, l.height),
                              QString::fromLatin1(l.caption), comicFont(l.points, true), comicFont(l.litPoints, true),
                              QColor(fromBgr(l.colour)));
    }
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Blinker"));
    m_timer->setInterval(Interval);
    connect(m_timer, &QTimer::timeout, this, &TitleLights::tick);
    m_timer->start();
}

std::array<QWidget *, 5> TitleLights::storedOrder() const
{
    return {m_letters[0], m_letters[1], m_letters[3], m_letters[4], m_letters[2]};
}

QRect TitleLights::toggle(int i)
{
    const Light &l = Lights[static_cast<std::size_t>(i)];
    TitleLetter *label = letter(i);
    const QColor base(fromBgr(l.colour));
    QFont font = label->font();
    const int basePixels = pointsToPixels(l.points);
    font.setPixelSize(font.pixelSize() == basePixels ? pointsToPixels(l.litPoints) : basePixels);
    label->setLook(label->colour() == base ? QColor(White) : base, font);
    return label->inkArea().translated(label->pos());
}

void TitleLights::tick()
{
    // The counter is reset at the start of the tick after the one that reached 25.
    if (m_counter > TicksPerCycle - 1)
        m_counter = 0;
    ++m_counter;
    const int tick = m_counter;
    QRegion changed;
    if (tick <= 10) {
        changed = toggle((tick - 1) / 2); // down the word: lights(0) to lights(4)
    } else if (tick <= 20) {
        changed = toggle(4 - (tick - 11) / 2); // and back up
    } else if (tick <= 24) {
        for (int i = 0; i < 5; ++i)
            changed |= toggle(i);
    }
    // Painted at once: waiting for the event loop to turn again would post an event and signal the loop.
    m_window->repaint(changed);
}

} // namespace vorni
