#include "TitleLights.h"

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

TitleLights::TitleLights(QWidget *window)
    : QObject(window)
{
    for (int i : {0, 1, 3, 4, 2}) {
        const Light &l = Lights[static_cast<std::size_t>(i)];
        m_letters[static_cast<std::size_t>(i)]
            = new LabelControl(window, QStringLiteral("lights(%1)").arg(i), twipsRect(l.left, l.top, l.width, l.height),
                               QString::fromLatin1(l.caption), comicFont(l.points, true), QColor(fromBgr(l.colour)));
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

void TitleLights::toggle(int i)
{
    const Light &l = Lights[static_cast<std::size_t>(i)];
    LabelControl *label = letter(i);
    const QColor base(fromBgr(l.colour));
    label->setColour(label->colour() == base ? QColor(White) : base);
    QFont font = label->font();
    const int basePixels = pointsToPixels(l.points);
    font.setPixelSize(font.pixelSize() == basePixels ? pointsToPixels(l.litPoints) : basePixels);
    label->setFont(font);
}

void TitleLights::tick()
{
    // The counter is reset at the start of the tick after the one that reached 25.
    if (m_counter > TicksPerCycle - 1)
        m_counter = 0;
    ++m_counter;
    const int tick = m_counter;
    if (tick <= 10) {
        toggle((tick - 1) / 2); // down the word: lights(0) to lights(4)
    } else if (tick <= 20) {
        toggle(4 - (tick - 11) / 2); // and back up
    } else if (tick <= 24) {
        for (int i = 0; i < 5; ++i)
            toggle(i);
    }
}

} // namespace vorni
