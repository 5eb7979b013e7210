// The faces that stand in for the forms' fonts, and captions that fit their controls at the listed sizes.
#include "forms/formbuilder.h"
#include "forms/picturebutton.h"
#include "one_player/oneplayerwindow.h"
#include "rules/secret.h"
#include "shell/aboutwindow.h"
#include "shell/splashwindow.h"
#include "two_player/twoplayerwindow.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quivara;
using namespace quivara::forms;

Q_DECLARE_METATYPE(quivara::forms::Face)

namespace {

double noon() { return 43200.0; }

// Where the text's ink falls when `label` draws it (single line, as the forms' labels are).
QRect inkRect(const QLabel *label)
{
    const QFontMetrics fm(label->font());
    const QString text = label->text();
    const QRect area = label->contentsRect();
    const Qt::Alignment align = label->alignment();
    const int x = align & Qt::AlignHCenter ? area.left() + (area.width() - fm.horizontalAdvance(text)) / 2
                                           : area.left();
    const int lineTop = align & Qt::AlignVCenter ? area.top() + (area.height() - fm.height()) / 2 : area.top();
    return fm.tightBoundingRect(text).translated(x, lineTop + fm.ascent());
}

QString fitReport(const QWidget *w, const QString &text, const QRect &need)
{
    return QStringLiteral("%1 \"%2\" needs %3,%4 %5x%6 in %7x%8 (%9)")
        .arg(w->objectName(), text)
        .arg(need.x()).arg(need.y()).arg(need.width()).arg(need.height())
        .arg(w->width()).arg(w->height())
        .arg(QFontInfo(w->font()).family());
}

// Fails the test when a label's or button's caption does not fit inside it.
void checkFits(const QWidget *w)
{
    if (const auto *label = qobject_cast<const QLabel *>(w)) {
        if (label->text().isEmpty())
            return;
        if (label->wordWrap()) {
            const QRect area = label->contentsRect();
            const QRect need = QFontMetrics(label->font()).boundingRect(area, Qt::TextWordWrap | label->alignment(),
                                                                       label->text());
            QVERIFY2(area.contains(need), qPrintable(fitReport(w, label->text(), need)));
            return;
        }
        const QRect ink = inkRect(label);
        QVERIFY2(label->rect().contains(ink), qPrintable(fitReport(w, label->text(), ink)));
    } else if (const auto *button = qobject_cast<const QAbstractButton *>(w)) {
        const QFontMetrics fm(button->font());
        QString caption = button->text();
        caption.remove(u'&');
        // The style's frame and margins take their share of a plain button's face.
        int margin = 0;
        if (!qobject_cast<const PictureButton *>(w)) {
            QStyleOptionButton option;
            option.initFrom(button);
            margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, button);
        }
        const QRect need(0, 0, fm.horizontalAdvance(caption) + margin, fm.height());
        QVERIFY2(need.width() <= button->width() && need.height() <= button->height(),
                 qPrintable(fitReport(w, caption, need)));
    } else if (const auto *field = qobject_cast<const QLineEdit *>(w)) {
        // The widest digit fits the field's text area.
        const QFontMetrics fm(field->font());
        int widest = 0;
        for (char16_t d = u'0'; d <= u'9'; ++d)
            widest = qMax(widest, fm.horizontalAdvance(QChar(d)));
        const QRect need(0, 0, widest, fm.height());
        const QSize room = field->contentsRect().size() - QSize(4, 2); // the style's frame inside
        QVERIFY2(need.width() <= room.width() && need.height() <= room.height(),
                 qPrintable(fitReport(w, QStringLiteral("0-9"), need)));
        // A field longer than one character shows its design text whole.
        if (field->maxLength() > 1 && !field->text().isEmpty()) {
            const QRect text(0, 0, fm.horizontalAdvance(field->text()), fm.height());
            QVERIFY2(text.width() <= room.width(), qPrintable(fitReport(w, field->text(), text)));
        }
    }
}

void checkAllFit(const QWidget *window)
{
    for (const QWidget *w : window->findChildren<QWidget *>()) {
        checkFits(w);
        if (QTest::currentTestFailed())
            return;
    }
}

} // namespace

class TestFonts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each face resolves to its own family or to the free one installed for it, never to the last resort.
    void faces_data()
    {
        QTest::addColumn<Face>("face");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QStringList>("families");
        const QStringList sans{QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")};
        QTest::newRow("dialog") << Face::Dialog << 0.0 << false << sans;
        QTest::newRow("status line") << Face::SansSerif << 9.75 << false << sans;
        QTest::newRow("digits") << Face::SansSerif << 13.5 << false << sans;
        QTest::newRow("product name") << Face::Arial << 32.25 << true
                                      << QStringList{QStringLiteral("Arial"), QStringLiteral("Liberation Sans")};
        QTest::newRow("monogram") << Face::Balogna << 48.0 << true
                                  << QStringList{QStringLiteral("Balogna"), QStringLiteral("Dancing Script")};
        QTest::newRow("games won") << Face::Bookplate << 12.0 << false
                                   << QStringList{QStringLiteral("Bookplate"), QStringLiteral("URW Bookman")};
    }

    void faces()
    {
        QFETCH(Face, face);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(QStringList, families);
        const QFont font = fontFor({face, points, bold});
        const QFontInfo info(font);
        // Fontconfig may add the foundry: "URW Bookman [urw]".
        const QString family = info.family().section(QStringLiteral(" ["), 0, 0);
        QVERIFY2(families.contains(family), qPrintable(info.family()));
        // Sizes come out in whole pixels: 8 points asks for 10.67 pixels and gets 11.
        QVERIFY2(qAbs(info.pointSizeF() - (points > 0 ? points : 8.0)) < 0.4, qPrintable(QString::number(info.pointSizeF())));
        QCOMPARE(info.bold(), bold);
        QVERIFY(!info.italic() || face == Face::Balogna);
    }

    // The script stand-in for Balogna is drawn narrower, like the narrow face it replaces.
    void balognaStandInIsNarrowed()
    {
        const QFont font = fontFor({Face::Balogna, 48, true});
        if (QFontInfo(font).family() == QLatin1String("Balogna"))
            QCOMPARE(font.stretch(), int(QFont::AnyStretch));
        else
            QVERIFY(font.stretch() > 0 && font.stretch() < 100);
        QFont wide = font;
        wide.setStretch(100);
        QVERIFY(QFontMetrics(font).horizontalAdvance(QStringLiteral("BD"))
                < QFontMetrics(wide).horizontalAdvance(QStringLiteral("BD")));
    }

    void splashCaptionsFit()
    {
        shell::SplashWindow splash;
        splash.timer()->stop();
        QCOMPARE(splash.findChildren<QLabel *>().size(), 4); // the picture box and three captions
        checkAllFit(&splash);
    }

    void onePlayerCaptionsFit()
    {
        rules::RandomSource source;
        one_player::OnePlayerWindow window(source, noon);
        checkAllFit(&window);
    }

    // Every message the status line shows, and the marks, fit their labels.
    void onePlayerMessagesFit()
    {
        rules::RandomSource source;
        one_player::OnePlayerWindow window(source, noon);
        auto *status = window.findChild<QLabel *>(QStringLiteral("Label61"));
        auto *mark = window.findChild<QLabel *>(QStringLiteral("Label5"));
        QVERIFY(status && mark);
        const auto check = [&](const QString &text) {
            status->setText(text);
            checkFits(status);
        };
        check(QString::fromUtf16(rules::kReady.data(), rules::kReady.size()));
        check(QString::fromUtf16(rules::kRepeated.data(), rules::kRepeated.size()));
        QVERIFY(!QTest::currentTestFailed());
        window.clearAll();
        checkFits(status);
        window.submitRow(0); // an empty row against an empty code: a hit
        QCOMPARE(status->text(), QStringLiteral("Ganaste el juego!!!"));
        checkFits(status);
        window.drawNewCode();
        window.revealCode();
        QCOMPARE(status->text().size(), 4);
        checkFits(status);
        for (const char *m : {"o", "x"}) {
            mark->setText(QLatin1String(m));
            checkFits(mark);
        }
    }

    void twoPlayerCaptionsFit()
    {
        QTemporaryDir names;
        two_player::TwoPlayerWindow window(names.path());
        checkAllFit(&window);
    }

    // "Partidas Ganadas" in the Bookplate stand-in at 12 points, within its 145-pixel label.
    void gamesWonCaption()
    {
        QTemporaryDir names;
        two_player::TwoPlayerWindow window(names.path());
        for (const char *name : {"Label1", "Label4"}) {
            auto *caption = window.findChild<QLabel *>(QLatin1String(name));
            QCOMPARE(caption->text(), QStringLiteral("Partidas Ganadas"));
            QCOMPARE(caption->width(), 145);
            const QFontInfo info(caption->font());
            QVERIFY2(info.family().startsWith(QLatin1String("URW Bookman")) || info.family() == QLatin1String("Bookplate"),
                     qPrintable(info.family()));
            QVERIFY(qAbs(info.pointSizeF() - 12.0) < 0.4);
            checkFits(caption);
        }
    }

    // Every message of the two-player status line, and counters up to two digits, fit their labels.
    void twoPlayerMessagesFit()
    {
        QTemporaryDir names;
        two_player::TwoPlayerWindow window(names.path());
        auto *status = window.findChild<QLabel *>(QStringLiteral("Label61"));
        auto *digit = window.findChild<QLineEdit *>(QStringLiteral("Text7")); // Player1, row 1, position 1
        QSet<QString> seen;
        const auto check = [&] {
            seen.insert(status->text());
            checkFits(status);
        };
        // Empty codes: an empty row equals the code, a row with a digit does not.
        window.startGame();
        check();
        window.submitPlayer1(0); // hit
        check();
        window.submitPlayer2(0); // hit: a tie
        check();
        window.submitPlayer1(0);
        window.submitPlayer2(1);
        window.findChild<QLineEdit *>(QStringLiteral("Text74"))->setText(QStringLiteral("1")); // Player2, row 2
        window.submitPlayer2(1); // nothing pending: marks only
        window.submitPlayer1(0);
        window.submitPlayer2(1); // miss after a hit: Player1 wins
        check();
        digit->setText(QStringLiteral("1"));
        window.submitPlayer1(0); // miss
        check();
        window.submitPlayer2(0); // hit: Player2 wins
        check();
        window.showCodes();
        check();
        window.clearResults();
        check();
        QCOMPARE(seen.size(), 8);
        QVERIFY(!QTest::currentTestFailed());

        for (const char *name : {"Label2", "Label3"}) {
            auto *counter = window.findChild<QLabel *>(QLatin1String(name));
            for (const char *games : {"1", "10", "44", "99"}) {
                counter->setText(QLatin1String(games));
                checkFits(counter);
            }
        }
    }

    void aboutCaptionsFit()
    {
        shell::AboutWindow about;
        QVERIFY(about.findChild<QLabel *>(QStringLiteral("lblDescription"))->wordWrap());
        checkAllFit(&about);
    }
};

QTEST_MAIN(TestFonts)
#include "tst_fonts.moc"
