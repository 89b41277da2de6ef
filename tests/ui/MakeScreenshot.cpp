// Draws the picture of the game in play that the README and the software centre show:
//   vorni-screenshot <file.png>
// the window's 669 x 428 pixels at device pixel ratio 1, offscreen, in the middle of a game against
// the computer, with its scored lines drawn and a full column. The computer's replies are the same on
// every run, so the same sources make the same picture. scripts/make-screenshot builds and runs it.

#include "PlayedWindow.h"
#include "TitleLights.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <file.png>\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "1");
    QApplication app(argc, argv);
    vorni::PlayedWindow window;
    // The title letters in their own colours, as between two flashes.
    window.control<QTimer>(QStringLiteral("Blinker"))->stop();
    for (int i = 0; i < 5; ++i) {
        auto *letter = window.control<vorni::TitleLetter>(QStringLiteral("lights(%1)").arg(i));
        letter->setLit(false);
        letter->update();
    }

    window.key(Qt::Key_A, Qt::ControlModifier); // the balls land at once
    window.key(Qt::Key_P, Qt::ControlModifier); // the computer plays Player 2
    for (const int column : {3, 3, 3, 2, 4, 4, 2, 1, 5, 5})
        window.play(column, 2);
    window.key(Qt::Key_A, Qt::ControlModifier); // the animation on again, as a player keeps it

    const QImage picture = window.shot();
    if (!picture.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
