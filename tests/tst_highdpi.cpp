// The windows at device pixel ratios above 1: same proportions in device-independent pixels, sharp pictures.
// CTest runs this at ratios 1, 1.5 and 2 (QT_SCALE_FACTOR on the offscreen screen).
#include "forms/formbuilder.h"
#include "forms/picturebutton.h"
#include "one_player/oneplayerform.h"
#include "one_player/oneplayerwindow.h"
#include "shell/aboutform.h"
#include "shell/aboutwindow.h"
#include "shell/splashwindow.h"
#include "two_player/twoplayerform.h"
#include "two_player/twoplayerwindow.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quivara;
using namespace quivara::forms;

namespace {

double noon() { return 43200.0; }

qreal expectedRatio() { return qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble() : 1.0; }

// The rendered window has ratio times as many pixels each way as its size.
void checkRendersAtRatio(QWidget *w)
{
    const QPixmap shot = w->grab();
    QCOMPARE(shot.devicePixelRatio(), expectedRatio());
    QCOMPARE(shot.width(), qRound(w->width() * expectedRatio()));
    QCOMPARE(shot.height(), qRound(w->height() * expectedRatio()));
}

} // namespace

class TestHighDpi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void screenHasTheRatio()
    {
        qInfo() << "device pixel ratio" << qApp->devicePixelRatio();
        QCOMPARE(qApp->devicePixelRatio(), expectedRatio());
    }

    void onePlayerKeepsItsProportions()
    {
        rules::RandomSource source;
        one_player::OnePlayerWindow window(source, noon);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.devicePixelRatio(), expectedRatio());

        auto *client = window.findChild<QWidget *>(QStringLiteral("client"));
        QCOMPARE(client->size(), QSize(362, 418));
        for (const ControlDesign &design : one_player::kFixedControls) {
            if (design.kind == Kind::Line)
                continue;
            auto *w = client->findChild<QWidget *>(qstr(design.name));
            QCOMPARE(w->geometry(), toPixels(design.rect));
        }
        const RowDesign &last = one_player::kBoard.rows.back();
        QCOMPARE(client->findChild<QWidget *>(qstr(last.button))->geometry(), QRect(32, 368, 41, 25));
        QCOMPARE(client->findChild<QWidget *>(qstr(last.digits[3]))->geometry(), QRect(200, 368, 33, 32));
        QCOMPARE(client->findChild<QWidget *>(qstr(last.marks[2]))->geometry(), QRect(296, 368, 25, 25));
        checkRendersAtRatio(&window);
    }

    void twoPlayerKeepsItsProportions()
    {
        QTemporaryDir names;
        two_player::TwoPlayerWindow window(names.path());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.devicePixelRatio(), expectedRatio());

        auto *client = window.findChild<QWidget *>(QStringLiteral("client"));
        QCOMPARE(client->size(), QSize(720, 496));
        for (const ControlDesign &design : two_player::kFixedControls) {
            QRect expected = toPixels(design.rect);
            if (design.kind == Kind::Line)
                expected.setSize(expected.size().expandedTo(QSize(1, 1)));
            QCOMPARE(client->findChild<QWidget *>(qstr(design.name))->geometry(), expected);
        }
        // Player2's last row, and row 2 with its mark cells in position order.
        const RowDesign &last = two_player::kPlayer2Board.rows.back();
        QCOMPARE(client->findChild<QWidget *>(qstr(last.button))->geometry(), QRect(384, 440, 41, 25));
        QCOMPARE(client->findChild<QWidget *>(qstr(last.digits[3]))->geometry(), QRect(552, 440, 33, 32));
        const RowDesign &second = two_player::kPlayer2Board.rows[1];
        QCOMPARE(client->findChild<QWidget *>(qstr(second.marks[2]))->geometry(), QRect(632, 184, 25, 25));
        QCOMPARE(client->findChild<QWidget *>(qstr(second.marks[3]))->geometry(), QRect(648, 184, 25, 25));
        const RowDesign &first = two_player::kPlayer1Board.rows.front();
        QCOMPARE(client->findChild<QWidget *>(qstr(first.digits[1]))->geometry(), QRect(120, 152, 33, 31));
        auto *portrait = client->findChild<QLabel *>(QStringLiteral("Image2"));
        QCOMPARE(portrait->pixmap().deviceIndependentSize().toSize(), QSize(32, 32));
        QCOMPARE(portrait->pixmap().devicePixelRatio(), expectedRatio() > 1 ? 2.0 : 1.0);
        checkRendersAtRatio(&window);
    }

    void aboutKeepsItsProportions()
    {
        shell::AboutWindow about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(about.devicePixelRatio(), expectedRatio());
        QCOMPARE(about.size(), QSize(344, 237));
        QCOMPARE(about.geometry().topLeft(), QPoint(156, 129));
        std::vector<QWidget *> lines;
        for (QWidget *w : about.findChildren<QWidget *>(qstr(shell::about::kLineName), Qt::FindDirectChildrenOnly))
            lines.push_back(w);
        QCOMPARE(lines.size(), std::size_t(2));
        QCOMPARE(lines[0]->geometry(), QRect(6, 163, 330, 1)); // grey
        QCOMPARE(lines[1]->geometry(), QRect(7, 164, 329, 2)); // white, two pixels
        for (const ControlDesign &design : shell::about::kControls) {
            if (design.kind == Kind::Line || design.autoSize)
                continue;
            QCOMPARE(about.findChild<QWidget *>(qstr(design.name))->geometry(), toPixels(design.rect));
        }
        // The icon box is sized to its 16-pixel picture plus the sunken border, whatever the ratio.
        auto *icon = about.findChild<QLabel *>(QStringLiteral("picIcon"));
        QCOMPARE(icon->pos(), QPoint(16, 16));
        QCOMPARE(icon->size(), QSize(16, 16) + 2 * QSize(icon->frameWidth(), icon->frameWidth()));
        QCOMPARE(icon->pixmap().deviceIndependentSize().toSize(), QSize(16, 16));
        QCOMPARE(icon->pixmap().devicePixelRatio(), expectedRatio() > 1 ? 2.0 : 1.0);
        checkRendersAtRatio(&about);
    }

    void splashKeepsItsProportions()
    {
        shell::SplashWindow splash;
        splash.timer()->stop();
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        QCOMPARE(splash.size(), QSize(488, 280));
        auto *picture = splash.findChild<QLabel *>(QStringLiteral("Picture1"));
        QCOMPARE(picture->geometry(), QRect(0, 0, 489, 281));
        QCOMPARE(picture->pixmap().deviceIndependentSize().toSize(), QSize(488, 280));
        QCOMPARE(splash.findChild<QWidget *>(QStringLiteral("lblProductName"))->geometry(), QRect(208, 208, 270, 51));
        QCOMPARE(splash.findChild<QWidget *>(QStringLiteral("Label4"))->geometry(), QRect(96, 8, 73, 73));
        checkRendersAtRatio(&splash);
    }

    // Above ratio 1 the drawn pictures come from their @2x files: as large on screen, twice the pixels.
    void picturesStaySharp_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::newRow("arrow") << qstr(kArrowPicture) << QSize(13, 16);
        QTest::newRow("Player1") << qstr(kPlayer1Picture) << QSize(32, 32);
        QTest::newRow("Player2") << qstr(kPlayer2Picture) << QSize(32, 32);
        QTest::newRow("icon") << qstr(kIconPicture) << QSize(16, 16);
    }

    void picturesStaySharp()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        const QPixmap picture = loadPicture(path.toStdString());
        const qreal density = expectedRatio() > 1 ? 2.0 : 1.0;
        QCOMPARE(picture.deviceIndependentSize().toSize(), size);
        QCOMPARE(picture.devicePixelRatio(), density);
        QCOMPARE(picture.size(), size * density);
    }

    void rowOneArrowIsSharp()
    {
        rules::RandomSource source;
        one_player::OnePlayerWindow window(source, noon);
        auto *button = window.findChild<PictureButton *>(QStringLiteral("Command1"));
        QVERIFY(button);
        QCOMPARE(button->picture().deviceIndependentSize().toSize(), QSize(13, 16));
        QCOMPARE(button->picture().devicePixelRatio(), expectedRatio() > 1 ? 2.0 : 1.0);
    }

    // The icon offers every size a desktop asks for, the small one sharp at ratio 2.
    void iconHasEverySize()
    {
        const QList<QSize> sizes = gameIcon().availableSizes();
        for (int s : {16, 32, 48, 256})
            QVERIFY2(sizes.contains(QSize(s, s)), qPrintable(QString::number(s)));
        const QPixmap small = gameIcon().pixmap(QSize(16, 16), 2.0);
        QCOMPARE(small.size(), QSize(32, 32));
    }
};

QTEST_MAIN(TestHighDpi)
#include "tst_highdpi.moc"
