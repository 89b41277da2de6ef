#include "Legibility.h"

#include "PlayedWindow.h"

#include <QLabel>

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace vorni::legibility {

namespace {

double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

using Matrix = std::array<std::array<double, 3>, 3>;

// Linear RGB as a dichromat sees it (Machado, Oliveira and Fernandes 2009, severity 1).
Matrix dichromat(Vision vision)
{
    switch (vision) {
    case Vision::Normal:
        break;
    case Vision::Protanopia:
        return {{{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}}};
    case Vision::Deuteranopia:
        return {{{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}}};
    case Vision::Tritanopia:
        return {{{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}}};
    }
    return {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
}

// The mean of the lowest tenth of the values or, with highest, of the highest tenth.
double meanOfTenth(std::vector<double> values, bool highest)
{
    Q_ASSERT(!values.empty());
    std::sort(values.begin(), values.end());
    if (highest)
        std::reverse(values.begin(), values.end());
    const auto count = static_cast<std::ptrdiff_t>(std::ceil(static_cast<double>(values.size()) / 10.0));
    return std::accumulate(values.begin(), values.begin() + count, 0.0) / static_cast<double>(count);
}

double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
    return values[values.size() / 2];
}

// The mean sRGB colour, channels 0..1, of the pixels of box where shown differs from behind: of a
// picture without what lies under its transparent corners.
std::array<double, 3> meanColour(const QImage &shown, const QImage &behind, const QRect &box)
{
    std::array<double, 3> sum{};
    int count = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            const QRgb p = shown.pixel(x, y);
            if (p == behind.pixel(x, y))
                continue;
            sum[0] += qRed(p);
            sum[1] += qGreen(p);
            sum[2] += qBlue(p);
            ++count;
        }
    if (count == 0)
        qFatal("nothing drawn in the box at %d, %d", box.x(), box.y());
    return {sum[0] / 255.0 / count, sum[1] / 255.0 / count, sum[2] / 255.0 / count};
}

Lab seenAs(const std::array<double, 3> &c, Vision vision)
{
    return seenAs(c[0], c[1], c[2], vision);
}

// The mean colour of the picture that control shows, with the controls lying over it taken away.
std::array<double, 3> meanColourOf(PlayedWindow &w, QWidget *control, std::initializer_list<QWidget *> over = {})
{
    for (QWidget *c : over)
        c->hide();
    const QImage shown = w.shot();
    const QImage behind = w.shotWithout(control);
    for (QWidget *c : over)
        c->show();
    return meanColour(shown, behind, w.deviceBox(control));
}

// WCAG 2's least contrast for text of the captions' size, and for large text such as the game-over
// texts.
constexpr double TextGoal = 4.5;
constexpr double LargeTextGoal = 3.0;
// On Player 1's tile two of the system's colours lie over the same band: the white score begins 118
// pixels into the 136-pixel plate, and the brown caption of the marked "Player vs Computer" ends 123
// pixels into the 137-pixel button. No shade of the band gives both 4.5 : 1, so it is the shade where
// both get the same, about 4.1 : 1.
constexpr double SharedBandGoal = 4.0;
// The players' balls, and the marked look of a button against its normal one, for every eye.
constexpr double PlayersApart = 30.0;
constexpr double PlayersLightnessApart = 25.0;
// A full column's grey against an open column's green.
constexpr double FullColumnApart = 25.0;

// A caption against the tile behind it, where that tile is worst for it.
Reading caption(PlayedWindow &window, const QString &name, const QString &where, double goal = TextGoal)
{
    auto *label = window.control<QLabel>(name);
    const double text = luminance(label->palette().color(QPalette::WindowText).rgb());
    const QRect box = window.deviceBox(label);
    const QImage behind = window.shotWithout(label);
    std::vector<double> tile;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            tile.push_back(luminance(behind.pixel(x, y)));
    const bool lightText = text > median(tile);
    const double worst = meanOfTenth(tile, lightText);
    return {QStringLiteral("\"%1\" (%2) %3").arg(label->text().simplified(), name, where), contrastRatio(text, worst),
            goal, QStringLiteral(":1")};
}

// A game-over text against what lies around each of its letters: the pixels just beyond its fill,
// past the device pixel in which the fill's edge blends into its surroundings and up to a logical
// pixel further. The worst letter counts.
Reading gameOverText(PlayedWindow &window, const QString &name)
{
    auto *label = window.control<QLabel>(name);
    const QRgb text = label->palette().color(QPalette::WindowText).rgb();
    const double textLuminance = luminance(text);
    const QImage shown = window.shot();
    const QRect box = window.deviceBox(label).intersected(shown.rect());
    const double nearest = 1.5;
    const double farthest = window.devicePixelRatio() + 1.0;
    const int reach = static_cast<int>(std::ceil(farthest));

    // The fill: pixels of the text's own colour, each connected piece one letter (or an "i"'s dot).
    const int w = box.width();
    const int h = box.height();
    auto index = [w](int x, int y) { return static_cast<std::size_t>(y * w + x); };
    auto isFill = [&](int x, int y) {
        const QRgb p = shown.pixel(box.left() + x, box.top() + y);
        return std::abs(qRed(p) - qRed(text)) <= 8 && std::abs(qGreen(p) - qGreen(text)) <= 8
            && std::abs(qBlue(p) - qBlue(text)) <= 8;
    };
    std::vector<int> letter(static_cast<std::size_t>(w * h), -1);
    std::vector<int> fillSize;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (letter[index(x, y)] >= 0 || !isFill(x, y))
                continue;
            const int id = static_cast<int>(fillSize.size());
            std::vector<QPoint> piece{QPoint(x, y)};
            letter[index(x, y)] = id;
            for (std::size_t i = 0; i < piece.size(); ++i)
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = piece[i].x() + dx;
                        const int ny = piece[i].y() + dy;
                        if (nx >= 0 && ny >= 0 && nx < w && ny < h && letter[index(nx, ny)] < 0 && isFill(nx, ny)) {
                            letter[index(nx, ny)] = id;
                            piece.emplace_back(nx, ny);
                        }
                    }
            fillSize.push_back(static_cast<int>(piece.size()));
        }

    // Around each letter: every other pixel in the band of distances, counted for the nearest letter.
    std::vector<std::vector<double>> around(fillSize.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (letter[index(x, y)] >= 0)
                continue;
            double best = farthest + 1.0;
            int owner = -1;
            for (int ny = std::max(0, y - reach); ny <= std::min(h - 1, y + reach); ++ny)
                for (int nx = std::max(0, x - reach); nx <= std::min(w - 1, x + reach); ++nx) {
                    const double d = std::hypot(nx - x, ny - y);
                    if (letter[index(nx, ny)] >= 0 && d < best) {
                        best = d;
                        owner = letter[index(nx, ny)];
                    }
                }
            if (best > nearest && best <= farthest)
                around[static_cast<std::size_t>(owner)].push_back(
                    contrastRatio(textLuminance, luminance(shown.pixel(box.left() + x, box.top() + y))));
        }
    double worst = 0.0;
    const double speck = 4.0 * window.devicePixelRatio() * window.devicePixelRatio();
    for (std::size_t i = 0; i < around.size(); ++i) {
        if (fillSize[i] >= speck && !around[i].empty()) {
            const double ratio = meanOfTenth(around[i], false);
            worst = worst == 0.0 ? ratio : std::min(worst, ratio);
        }
    }
    return {QStringLiteral("\"%1\" (%2) over a full board, its worst letter").arg(label->text(), name), worst,
            LargeTextGoal, QStringLiteral(":1")};
}

// How far apart two colours look to each kind of eye, and in lightness alone.
void apart(std::vector<Reading> &readings, const QString &what, const std::array<double, 3> &a,
           const std::array<double, 3> &b, double goal, double lightnessGoal)
{
    for (const Vision vision : Visions)
        readings.push_back({QStringLiteral("%1, %2").arg(what, QLatin1String(visionName(vision))),
                            distance(seenAs(a, vision), seenAs(b, vision)), goal, QStringLiteral("dE")});
    readings.push_back({QStringLiteral("%1, in lightness L* alone").arg(what),
                        std::abs(seenAs(a, Vision::Normal).l - seenAs(b, Vision::Normal).l), lightnessGoal,
                        QStringLiteral("dE")});
}

} // namespace

double luminance(QRgb colour)
{
    return 0.2126 * linear(qRed(colour) / 255.0) + 0.7152 * linear(qGreen(colour) / 255.0)
        + 0.0722 * linear(qBlue(colour) / 255.0);
}

double contrastRatio(double a, double b)
{
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

const char *visionName(Vision vision)
{
    switch (vision) {
    case Vision::Normal:
        return "normal vision";
    case Vision::Protanopia:
        return "protanopia";
    case Vision::Deuteranopia:
        return "deuteranopia";
    case Vision::Tritanopia:
        return "tritanopia";
    }
    return "";
}

Lab seenAs(double red, double green, double blue, Vision vision)
{
    const std::array<double, 3> rgb{linear(red), linear(green), linear(blue)};
    const Matrix m = dichromat(vision);
    std::array<double, 3> seen{};
    for (std::size_t i = 0; i < 3; ++i)
        seen[i] = std::clamp(m[i][0] * rgb[0] + m[i][1] * rgb[1] + m[i][2] * rgb[2], 0.0, 1.0);
    // sRGB's primaries and D65 white.
    const double x = (0.4124564 * seen[0] + 0.3575761 * seen[1] + 0.1804375 * seen[2]) / 0.95047;
    const double y = 0.2126729 * seen[0] + 0.7151522 * seen[1] + 0.0721750 * seen[2];
    const double z = (0.0193339 * seen[0] + 0.1191920 * seen[1] + 0.9503041 * seen[2]) / 1.08883;
    auto f = [](double t) { return t > 216.0 / 24389.0 ? std::cbrt(t) : (24389.0 / 27.0 * t + 16.0) / 116.0; };
    return {116.0 * f(y) - 16.0, 500.0 * (f(x) - f(y)), 200.0 * (f(y) - f(z))};
}

double distance(const Lab &a, const Lab &b)
{
    return std::hypot(a.l - b.l, a.a - b.a, a.b - b.b);
}

std::vector<Reading> measureWindow()
{
    PlayedWindow s;
    std::vector<Reading> r;
    const QString onPlayer1 = QStringLiteral("on Player 1's tile");
    const QString onPlayer2 = QStringLiteral("on Player 2's tile");
    const QString onNeutral = QStringLiteral("on the grey tile");

    // As the window opens: Player 1 to move, every button in its normal look.
    r.push_back(caption(s, QStringLiteral("P1"), onPlayer1, SharedBandGoal));
    r.push_back(caption(s, QStringLiteral("Label10"), onPlayer1));
    r.push_back(caption(s, QStringLiteral("P2"), onPlayer2));
    r.push_back(caption(s, QStringLiteral("Label11"), onPlayer2));
    r.push_back(caption(s, QStringLiteral("NextLb"), onPlayer1 + QStringLiteral(", Player 1 to move")));
    for (int i = 0; i < 5; ++i)
        r.push_back(caption(s, QStringLiteral("CButtLB(%1)").arg(i), onPlayer2));
    for (int c = 0; c < Columns; ++c)
        r.push_back(caption(s, QStringLiteral("ButtLb(%1)").arg(c), onPlayer2));
    auto *button = s.control(QStringLiteral("butt(0)"));
    auto *letter = s.control(QStringLiteral("ButtLb(0)"));
    const auto open = meanColourOf(s, button, {letter});

    // The pointer over each command, then over each column button: the marked look.
    for (int i = 0; i < 5; ++i) {
        s.pointAt(s.control(QStringLiteral("CButt(%1)").arg(i)), QPoint(4, 12));
        r.push_back(caption(s, QStringLiteral("CButtLB(%1)").arg(i), onPlayer1 + QStringLiteral(", marked"),
                            i == 1 ? SharedBandGoal : TextGoal));
    }
    // A marked column's letter stays light green on Player 1's light centre, where the brown "Next"
    // needs light behind it: no shade serves both even at 3 : 1 (at most 2.6 : 1 each), so the letter
    // under the pointer is shown only.
    for (int c = 0; c < Columns; ++c) {
        s.pointAt(s.control(QStringLiteral("butt(%1)").arg(c)));
        r.push_back(caption(s, QStringLiteral("ButtLb(%1)").arg(c), onPlayer1 + QStringLiteral(", marked"), 0.0));
    }
    s.pointAt(s.control(QStringLiteral("butt(0)")));
    const auto marked = meanColourOf(s, button, {letter});
    s.pointAt(s.control(QStringLiteral("Image1")));

    // Player 2 to move, and a ball of each player on the board.
    s.key(Qt::Key_A, Qt::ControlModifier); // no animation: every ball lands at once
    s.play(0);
    r.push_back(caption(s, QStringLiteral("NextLb"), onPlayer2 + QStringLiteral(", Player 2 to move")));
    s.play(1);
    const auto player1 = meanColourOf(s, s.control(QStringLiteral("Balls(1)")));
    const auto player2 = meanColourOf(s, s.control(QStringLiteral("Balls(7)")));

    // A full board: every column closed, the scores as they end, the game over.
    s.play(2);
    for (int row = 0; row < 6; ++row)
        for (int c = row == 0 ? 3 : 0; c < Columns; ++c)
            s.play(c);
    r.push_back(caption(s, QStringLiteral("P1"), onPlayer1 + QStringLiteral(", the final score"), SharedBandGoal));
    r.push_back(caption(s, QStringLiteral("P2"), onPlayer2 + QStringLiteral(", the final score")));
    r.push_back(caption(s, QStringLiteral("NextLb"), onNeutral));
    for (int c = 0; c < Columns; ++c)
        r.push_back(caption(s, QStringLiteral("ButtLb(%1)").arg(c), onNeutral + QStringLiteral(", column full")));
    r.push_back(gameOverText(s, QStringLiteral("GameOver(0)")));
    r.push_back(gameOverText(s, QStringLiteral("GameOver(1)")));
    const auto closed = meanColourOf(s, button, {letter});

    apart(r, QStringLiteral("the players' balls"), player1, player2, PlayersApart, PlayersLightnessApart);
    apart(r, QStringLiteral("a marked button and an unmarked one"), marked, open, PlayersApart, PlayersLightnessApart);
    apart(r, QStringLiteral("a full column's button and an open one"), closed, open, FullColumnApart, 0.0);
    return r;
}

} // namespace vorni::legibility
