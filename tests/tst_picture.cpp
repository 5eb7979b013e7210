// Pictures stored as colour indexes: decoding, refusing damaged data, and agreeing with the drawn pictures.
#include "forms/picture.h"

#include <QApplication>
#include <QTest>

using namespace quivara;

namespace {

// A picture in the indexed form: header, colours, indexes.
QByteArray indexed(int width, int height, const QList<QRgb> &colours, const QByteArray &indexes)
{
    QByteArray out;
    for (int n : {width, height, int(colours.size())}) {
        out.append(char(n & 0xff));
        out.append(char(n >> 8));
    }
    for (QRgb c : colours) {
        for (int shift = 0; shift < 32; shift += 8)
            out.append(char(c >> shift & 0xff));
    }
    return out + indexes;
}

const QList<QRgb> kTwo{qRgba(255, 0, 0, 255), qRgba(0, 0, 255, 0)};

} // namespace

class TestPicture : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodesPixelsAndTransparency()
    {
        const QImage image = forms::decodeIndexed(indexed(3, 2, kTwo, QByteArray("\x00\x01\x00\x01\x01\x00", 6)));
        QCOMPARE(image.size(), QSize(3, 2));
        QCOMPARE(image.pixel(0, 0), kTwo[0]);
        QCOMPARE(image.pixel(1, 0), kTwo[1]);
        QCOMPARE(image.pixel(2, 1), kTwo[0]);
        QCOMPARE(qAlpha(image.pixel(0, 1)), 0);
    }

    void refusesDamagedData_data()
    {
        QTest::addColumn<QByteArray>("data");
        const QByteArray good = indexed(2, 2, kTwo, QByteArray(4, '\x01'));
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("header cut short") << good.left(5);
        QTest::newRow("one pixel missing") << good.chopped(1);
        QTest::newRow("one byte too many") << good + QByteArray(1, '\0');
        QTest::newRow("index past the colours") << indexed(2, 2, kTwo, QByteArray("\x00\x01\x02\x00", 4));
        QTest::newRow("no colours") << indexed(1, 1, {}, QByteArray(1, '\0'));
        QTest::newRow("zero width") << indexed(0, 2, kTwo, QByteArray());
        QTest::newRow("more than 256 colours") << indexed(1, 1, QList<QRgb>(257, 0), QByteArray(1, '\0'));
        QTest::newRow("huge size, little data") << indexed(65535, 65535, kTwo, QByteArray(16, '\0'));
    }

    void refusesDamagedData()
    {
        QFETCH(QByteArray, data);
        QVERIFY(forms::decodeIndexed(data).isNull());
    }

    // The indexed twins show what the drawn pictures show; the splash picture was
    // reduced to 256 colours, so it may differ a little.
    void indexedTwinsMatchTheirPictures_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("tolerance");
        QTest::newRow("icon") << ":/quivara/icon.png" << 0;
        QTest::newRow("arrow") << ":/quivara/arrow.png" << 0;
        QTest::newRow("player1") << ":/quivara/player1.png" << 0;
        QTest::newRow("player2") << ":/quivara/player2.png" << 0;
        QTest::newRow("splash") << ":/quivara/splash.png" << 24;
    }

    void indexedTwinsMatchTheirPictures()
    {
        QFETCH(QString, path);
        QFETCH(int, tolerance);
        const QImage fromPng = QImage(path).convertToFormat(QImage::Format_ARGB32);
        const QImage shown = forms::picture(path.toStdString()).toImage().convertToFormat(QImage::Format_ARGB32);
        QVERIFY(!fromPng.isNull());
        QCOMPARE(shown.size(), fromPng.size());
        int worst = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb a = shown.pixel(x, y), b = fromPng.pixel(x, y);
                if (qAlpha(a) == 0 && qAlpha(b) == 0)
                    continue;
                for (int d : {qRed(a) - qRed(b), qGreen(a) - qGreen(b), qBlue(a) - qBlue(b), qAlpha(a) - qAlpha(b)})
                    worst = qMax(worst, qAbs(d));
            }
        }
        QVERIFY2(worst <= tolerance, qPrintable(QStringLiteral("largest difference %1").arg(worst)));
    }
};

QTEST_MAIN(TestPicture)
#include "tst_picture.moc"
