// The window as it first appears and while it sits idle: its pictures come ready-made, it is painted
// once, its icon comes after that frame, and a tick of the title lights repaints the letters that change
// and nothing else, leaving the screen as a full repaint would.

#include "BoardMirror.h"
#include "MainFrm.h"
#include "PreparedPictures.h"
#include "TitleLights.h"

#include <QBackingStore>
#include <QtTest>

using namespace vorni;

namespace {

// Every option at its default, nothing kept.
class DefaultsStore : public SettingsStore {
public:
    StoredSettings load(const QString &) override { return {}; }
    void save(const QString &, const StoredSettings &) override { }
};

// The window's pixels as they go to the screen: its backing store, in device pixels.
QImage onScreen(QWidget *window)
{
    QPaintDevice *device = window->backingStore()->paintDevice();
    if (device->devType() != QInternal::Image)
        qFatal("the window's backing store is no image");
    return static_cast<QImage *>(device)->convertToFormat(QImage::Format_RGB32);
}

// An image of the widget's size in device pixels, black.
QImage blackCanvas(const QWidget *widget)
{
    QImage image(widget->size() * widget->devicePixelRatioF(), QImage::Format_RGB32);
    image.setDevicePixelRatio(widget->devicePixelRatioF());
    image.fill(Qt::black);
    return image;
}

// Where the image differs from black: the bounding box of its ink.
QRect inkOf(const QImage &image)
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffff) != 0)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

    DefaultsStore m_store;
    std::unique_ptr<MainFrm> m_window;

    TitleLights *lights() const { return m_window->findChild<TitleLights *>(); }

private slots:
    void init()
    {
        m_window = std::make_unique<MainFrm>(m_store);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QTRY_VERIFY(m_window->findChild<BoardMirror *>());
        lights()->timer()->stop();
    }
    void cleanup() { m_window.reset(); }

    void everyPictureOfTheWindowIsPrepared()
    {
        const auto name = [](const ImageControl *image) -> QString {
            switch (image->picture()) {
            case Picture::Player1:
                return tileName(Tile::Player1, image->size());
            case Picture::Player2:
                return tileName(Tile::Player2, image->size());
            case Picture::Neutral:
                return tileName(Tile::Neutral, image->size());
            case Picture::Board:
                return QStringLiteral("board");
            case Picture::Logo:
                return QStringLiteral("logo");
            case Picture::Credits:
                return QStringLiteral("credits");
            case Picture::WebAddress:
                return QStringLiteral("web");
            case Picture::None:
                break;
            }
            return {};
        };
        // Every size at which a tile can appear: a ball, a button or a holder shows any of the three.
        QStringList names{QStringLiteral("hand")};
        for (const ImageControl *image : m_window->findChildren<ImageControl *>()) {
            if (image->picture() == Picture::None || !image->isStretched())
                names << name(image);
            else
                for (const Tile tile : {Tile::Player1, Tile::Player2, Tile::Neutral})
                    names << tileName(tile, image->size());
        }
        names.removeAll(QString());
        QVERIFY(names.size() > 40);
        for (const QString &picture : names)
            for (const int dpr : PreparedRatios)
                QVERIFY2(!preparedImage(preparedName(picture, dpr), dpr).isNull(), qPrintable(picture));
    }

    // The window is painted once as it appears, the controls made after it was shown included, and its
    // icon comes after that frame.
    void theFirstFrameIsPaintedOnceAndTheIconAfterIt()
    {
        cleanup();
        struct Paints : QObject {
            int paints = 0;
            bool iconAtFirstPaint = false;
            bool eventFilter(QObject *watched, QEvent *event) override
            {
                if (event->type() == QEvent::Paint && paints++ == 0)
                    iconAtFirstPaint = !static_cast<QWidget *>(watched)->windowIcon().isNull();
                return false;
            }
        } watch;
        m_window = std::make_unique<MainFrm>(m_store);
        m_window->installEventFilter(&watch);
        m_window->show();
        QTRY_VERIFY(!m_window->windowIcon().isNull());
        lights()->timer()->stop();
        for (int turn = 0; turn < 3; ++turn) // whatever the first frame left to do
            QCoreApplication::processEvents();
        m_window->removeEventFilter(&watch);
        QCOMPARE(watch.paints, 1);
        QVERIFY(!watch.iconAtFirstPaint);
    }

    // A letter shows each of its looks as a plain label with that font and colour draws it, ink and
    // edges alike, and its ink area holds that ink.
    void lettersShowTheirLooksAsLabelsDrawThem()
    {
        const int pixels[2][5] = {{64, 64, 73, 64, 64}, {73, 73, 83, 73, 73}}; // base and lit
        for (int i = 0; i < 5; ++i) {
            TitleLetter *letter = lights()->letter(i);
            for (const bool lit : {false, true}) {
                const QString name = QStringLiteral("lights(%1)%2").arg(i).arg(lit ? " lit" : "");
                letter->setLit(lit);
                QCOMPARE(letter->lookPixelSize(), pixels[lit][i]);
                QFont font = letter->font();
                font.setPixelSize(letter->lookPixelSize());
                LabelControl plain(nullptr, QString(), letter->geometry(), letter->text(), font, letter->lookColour());
                QImage drawn = blackCanvas(letter);
                plain.render(&drawn, QPoint(), QRegion(), {});
                const QRect ink = inkOf(drawn);
                QVERIFY(!ink.isEmpty());
                const qreal dpr = drawn.devicePixelRatio();
                const QRect area = letter->inkArea();
                QVERIFY2(QRect(area.topLeft() * dpr, area.size() * dpr).contains(ink), qPrintable(name));

                QImage shown = blackCanvas(letter);
                letter->render(&shown, QPoint(), QRegion(), {});
                QVERIFY2(shown == drawn, qPrintable(name));
            }
            letter->setLit(false);
        }
    }

    void aTickRepaintsOnlyTheLettersThatChange()
    {
        struct Painted : QObject {
            QWidget *window = nullptr;
            QRegion region;
            QStringList widgets;
            bool eventFilter(QObject *watched, QEvent *event) override
            {
                if (event->type() == QEvent::Paint) {
                    auto *widget = static_cast<QWidget *>(watched);
                    region |= static_cast<QPaintEvent *>(event)->region().translated(widget->mapTo(window, QPoint()));
                    widgets << widget->objectName();
                }
                return false;
            }
        } painted;
        painted.window = m_window.get();
        for (QWidget *widget : m_window->findChildren<QWidget *>())
            widget->installEventFilter(&painted);

        for (int tick = 1; tick <= TitleLights::TicksPerCycle; ++tick) {
            QRegion changed;
            std::array<bool, 5> before;
            for (int i = 0; i < 5; ++i)
                before[static_cast<std::size_t>(i)] = lights()->letter(i)->isLit();
            painted.region = {};
            painted.widgets.clear();
            m_window->Blinker_Timer();
            for (int i = 0; i < 5; ++i) {
                TitleLetter *letter = lights()->letter(i);
                if (letter->isLit() != before[static_cast<std::size_t>(i)])
                    changed |= letter->inkArea().translated(letter->pos());
            }
            const QString at = QStringLiteral("tick %1: ").arg(tick);
            QVERIFY2((painted.region - changed).isEmpty(), qPrintable(at + painted.widgets.join(u' ')));
            for (const QString &widget : painted.widgets) // the window beneath, and letters
                QVERIFY2(widget == m_window->objectName() || widget.startsWith(QLatin1String("lights(")),
                         qPrintable(at + widget));
            QVERIFY2(onScreen(m_window.get()) == m_window->grab().toImage().convertToFormat(QImage::Format_RGB32),
                     qPrintable(at + QStringLiteral("the screen differs from a full repaint")));
        }
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
