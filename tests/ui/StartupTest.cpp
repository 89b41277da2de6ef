// The window as it first appears: its pictures come ready-made.

#include "MainFrm.h"
#include "PreparedPictures.h"

#include <QtTest>

using namespace vorni;

namespace {

// Every option at its default, nothing kept.
class DefaultsStore : public SettingsStore {
public:
    QString read(const QString &, const QString &, const QString &, const QString &fallback) const override
    {
        return fallback;
    }
    void write(const QString &, const QString &, const QString &, const QString &) override { }
};

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

    DefaultsStore m_store;
    std::unique_ptr<MainFrm> m_window;

private slots:
    void init()
    {
        m_window = std::make_unique<MainFrm>(m_store);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QTRY_VERIFY(m_window->isLoaded());
        m_window->blinker()->stop();
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
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
