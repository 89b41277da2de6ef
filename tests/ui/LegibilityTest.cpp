// The window is easy to read and its two players are told apart by every eye: each figure of
// Legibility.h, measured on the window as it is drawn, reaches its goal.

#include "Legibility.h"
#include "GameOverLabel.h"

#include <QtTest>

using namespace vorni::legibility;

class LegibilityTest : public QObject {
    Q_OBJECT

    std::vector<Reading> m_readings;

private slots:
    void initTestCase() { m_readings = measureWindow(); }

    // The formulas against figures worked out by hand: WCAG's extremes and the colours of the players'
    // balls as they were before they were told apart by lightness.
    void formulas_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        const double black = luminance(qRgb(0, 0, 0));
        const double white = luminance(qRgb(255, 255, 255));
        QTest::newRow("white on black") << contrastRatio(black, white) << 21.0;
        QTest::newRow("orange on white") << contrastRatio(luminance(qRgb(255, 128, 0)), white) << 2.52;
        const double gold[] = {202 / 255.0, 156 / 255.0, 41 / 255.0};
        const double green[] = {36 / 255.0, 147 / 255.0, 45 / 255.0};
        const double expected[] = {61.93, 15.03, 27.39, 68.70};
        for (const Vision vision : Visions)
            QTest::newRow(visionName(vision))
                << distance(seenAs(gold[0], gold[1], gold[2], vision), seenAs(green[0], green[1], green[2], vision))
                << expected[static_cast<int>(vision)];
        QTest::newRow("lightness") << seenAs(gold[0], gold[1], gold[2], Vision::Normal).l
                - seenAs(green[0], green[1], green[2], Vision::Normal).l
                                   << 13.48;
    }

    void formulas()
    {
        QFETCH(double, value);
        QFETCH(double, expected);
        QVERIFY2(std::abs(value - expected) < 0.01, qPrintable(QString::number(value)));
    }

    // The outline goes round the letters where a plain label writes them, and no further than its width.
    void gameOverTextsLieWhereALabelWritesThem_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("alignment");
        QTest::newRow("headline, from the left") << QStringLiteral("Game Over") << int(Qt::AlignLeft);
        QTest::newRow("result, centred") << QStringLiteral("Both are Equal") << int(Qt::AlignHCenter);
    }

    void gameOverTextsLieWhereALabelWritesThem()
    {
        QFETCH(QString, caption);
        QFETCH(int, alignment);
        const QRect geometry(0, 0, 362, 67);
        const QColor orange(255, 128, 0);
        const auto align = static_cast<Qt::Alignment>(alignment);
        vorni::GameOverLabel outlined(nullptr, QString(), geometry, caption, vorni::comicFont(36, true), orange, align);
        vorni::LabelControl plain(nullptr, QString(), geometry, caption, vorni::comicFont(36, true), orange, align);
        auto ink = [&](QWidget &label, QRgb colour) {
            QImage image(geometry.size(), QImage::Format_RGB32);
            image.fill(Qt::black);
            label.render(&image, QPoint(), QRegion(), {});
            QRect found;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if ((image.pixel(x, y) & 0xffffff) != 0 && (colour == 0 || image.pixel(x, y) == colour))
                        found |= QRect(x, y, 1, 1);
            return found;
        };
        const QRect letters = ink(plain, 0);
        const int reach = qCeil(vorni::GameOverLabel::OutlineWidth) + 1;
        QVERIFY(!letters.isEmpty());
        QVERIFY(letters.adjusted(-reach, -reach, reach, reach).contains(ink(outlined, 0)));
        QVERIFY(ink(outlined, orange.rgb()).adjusted(-1, -1, 1, 1).contains(letters));
        QVERIFY(!ink(outlined, vorni::GameOverLabel::OutlineColour).isEmpty());
    }

    void everyFigureReachesItsGoal_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("goal");
        QVERIFY(m_readings.size() > 50);
        for (const Reading &r : m_readings) {
            if (r.hasGoal())
                QTest::newRow(qPrintable(r.what)) << r.value << r.goal;
        }
    }

    void everyFigureReachesItsGoal()
    {
        QFETCH(double, value);
        QFETCH(double, goal);
        QVERIFY2(value >= goal, qPrintable(QStringLiteral("%1 is under %2").arg(value, 0, 'f', 2).arg(goal)));
    }
};

QTEST_MAIN(LegibilityTest)
#include "LegibilityTest.moc"
