#include "TitleLights.h"

#include "Pictures.h"

#include <QPainter>

namespace vorni {

namespace {

// Where each letter's box lies, in twips; the boxes, looks and colours are the pictures'.
constexpr std::array<QPoint, TitleLights::LetterCount> LetterPlaces{
    {{345, 885}, {750, 1575}, {330, 2490}, {570, 3675}, {375, 4920}}};

const TitleLetterStyle &styleOf(int letter)
{
    return TitleLetterStyles.at(static_cast<std::size_t>(letter));
}

} // namespace

TitleLetter::TitleLetter(QWidget *window, int letter, QPoint position)
    : LabelControl(window, QStringLiteral("lights(%1)").arg(letter), QRect(position, styleOf(letter).box),
                   QString(QLatin1Char(styleOf(letter).caption)), comicPixelFont(styleOf(letter).basePixels, true),
                   QColor(styleOf(letter).colour))
    , m_letter(letter)
{
}

QColor TitleLetter::lookColour() const
{
    return m_lit ? QColor(White) : QColor(styleOf(m_letter).colour);
}

int TitleLetter::lookPixelSize() const
{
    return m_lit ? styleOf(m_letter).litPixels : styleOf(m_letter).basePixels;
}

QRect TitleLetter::inkArea() const
{
    // Found again on a screen of another ratio, where the edges of the ink fall on other pixels.
    if (m_inkArea.isNull() || m_inkRatio != devicePixelRatioF()) {
        m_inkArea = {};
        m_inkRatio = devicePixelRatioF();
        for (const bool lit : {false, true}) {
            const QImage image = look(lit).toImage();
            QRect ink; // in device pixels
            for (int y = 0; y < image.height(); ++y) {
                const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
                for (int x = 0; x < image.width(); ++x)
                    if (qAlpha(line[x]) != 0)
                        ink |= QRect(x, y, 1, 1);
            }
            const qreal dpr = image.devicePixelRatio();
            m_inkArea |= QRectF(ink.x() / dpr, ink.y() / dpr, ink.width() / dpr, ink.height() / dpr).toAlignedRect();
        }
        m_inkArea &= rect();
    }
    return m_inkArea;
}

const QPixmap &TitleLetter::look(bool lit) const
{
    QPixmap &kept = m_looks[lit ? 1 : 0];
    const qreal dpr = devicePixelRatioF();
    if (kept.isNull() || kept.devicePixelRatio() != dpr)
        kept = titleLookPixmap(m_letter, lit, dpr);
    return kept;
}

void TitleLetter::paintEvent(QPaintEvent *)
{
    // Letters this large would be drawn from their outlines every time, costing more than all the rest
    // of a tick; each look is drawn once and kept, and the painter keeps to the area being repainted.
    QPainter(this).drawPixmap(0, 0, look(m_lit));
}

TitleLights::TitleLights(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    for (int i : {0, 1, 3, 4, 2}) {
        const QPoint place = LetterPlaces[static_cast<std::size_t>(i)];
        m_letters[static_cast<std::size_t>(i)]
            = new TitleLetter(window, i, {twipsToPixels(place.x()), twipsToPixels(place.y())});
    }
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Blinker"));
    m_timer->setInterval(Interval);
    m_timer->start();
}

std::array<QWidget *, TitleLights::LetterCount> TitleLights::storedOrder() const
{
    return {m_letters[0], m_letters[1], m_letters[3], m_letters[4], m_letters[2]};
}

QRect TitleLights::toggle(int i)
{
    TitleLetter *label = letter(i);
    label->setLit(!label->isLit());
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
        for (int i = 0; i < LetterCount; ++i)
            changed |= toggle(i);
    }
    // Painted at once: waiting for the event loop to turn again would post an event and signal the loop.
    m_window->repaint(changed);
}

} // namespace vorni
