// The two-player window driven through its widgets by name: layout, whole matches, commands, names.
#include "two_player/twoplayerwindow.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using quivara::two_player::TwoPlayerWindow;

namespace {

const QString kCanWin = QStringLiteral("Player2 puede ganar el juego");
const QString kCanTie = QStringLiteral("Player2 puede empatar el juego");
const QString kP2Won = QStringLiteral("Player2 gano el juego");
const QString kP1Won = QStringLiteral("Player1 gano el juego");
const QString kTie = QStringLiteral("Se empato el partido");
const QString kReady = QStringLiteral("Ya pueden empezar a jugar");
const QString kCancelled = QStringLiteral("Se cancelo el juego");
const QString kShown = QStringLiteral("Se mostraron los números");

// A row as the players see it: button, digit fields and mark cells in position order.
struct RowNames
{
    const char *button;
    std::array<const char *, 4> digits;
    std::array<const char *, 4> marks;
};

const RowNames kP1Row1{"Command1", {"Text7", "Text1", "Text3", "Text2"}, {"Label21", "Label5", "Label47", "Label20"}};
const RowNames kP1Row2{"Command11", {"Text11", "Text12", "Text10", "Text9"}, {"Label6", "Label8", "Label7", "Label48"}};
const RowNames kP1Row3{"Command10", {"Text15", "Text16", "Text14", "Text13"}, {"Label11", "Label9", "Label49", "Label10"}};
const RowNames kP1Row10{"Command3", {"Text43", "Text44", "Text42", "Text41"}, {"Label34", "Label32", "Label56", "Label33"}};
const RowNames kP2Row1{"Command2", {"Text77", "Text78", "Text80", "Text79"}, {"Label37", "Label35", "Label76", "Label36"}};
const RowNames kP2Row2{"Command23", {"Text74", "Text73", "Text75", "Text76"}, {"Label38", "Label40", "Label39", "Label77"}};
const RowNames kP2Row3{"Command22", {"Text70", "Text69", "Text71", "Text72"}, {"Label43", "Label41", "Label78", "Label42"}};
const RowNames kP2Row10{"Command12", {"Text5", "Text4", "Text6", "Text8"}, {"Label75", "Label73", "Label85", "Label74"}};

const std::array<const char *, 4> kCodeP1{"Text81", "Text84", "Text83", "Text82"}; // guessed by Player2
const std::array<const char *, 4> kCodeP2{"Text85", "Text88", "Text87", "Text86"}; // guessed by Player1

class Fixture
{
public:
    Fixture() : window(dir.path()) {}

    template <typename T = QWidget>
    T *get(const char *name) const
    {
        T *w = window.findChild<T *>(QLatin1String(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }

    QString text(const char *name) const
    {
        if (auto *field = window.findChild<QLineEdit *>(QLatin1String(name)))
            return field->text();
        return get<QLabel>(name)->text();
    }

    QString status() const { return text("Label61"); }

    // Four characters into four fields; "_" leaves a field empty.
    void type(const std::array<const char *, 4> &fields, const QString &four) const
    {
        for (int p = 0; p < 4; ++p) {
            QLineEdit *field = get<QLineEdit>(fields[p]);
            field->clear();
            if (four[p] != u'_')
                QTest::keyClicks(field, QString(four[p]));
        }
    }

    void play(const RowNames &row, const QString &four) const
    {
        type(row.digits, four);
        QTest::mouseClick(get<QAbstractButton>(row.button), Qt::LeftButton);
    }

    // The row's marks in position order, "-" for an empty cell.
    QString marks(const RowNames &row) const
    {
        QString out;
        for (const char *cell : row.marks) {
            const QString t = text(cell);
            out += t.isEmpty() ? QStringLiteral("-") : t;
        }
        return out;
    }

    void click(const char *button) const { QTest::mouseClick(get<QAbstractButton>(button), Qt::LeftButton); }

    QAction *action(const char *name) const { return window.menuBar()->findChild<QAction *>(QLatin1String(name)); }

    QList<QLineEdit *> codeFields() const
    {
        QList<QLineEdit *> out;
        for (const auto *code : {&kCodeP1, &kCodeP2})
            for (const char *name : *code)
                out.append(get<QLineEdit>(name));
        return out;
    }

    QTemporaryDir dir;
    TwoPlayerWindow window;
};

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArrayLiteral("<missing>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestTwoPlayerWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void designState()
    {
        Fixture f;
        QCOMPARE(f.window.objectName(), QStringLiteral("frmdosjugador"));
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Quivara - 2 jugadores"));
        QCOMPARE(f.text("Text89"), QStringLiteral("Player1"));
        QCOMPARE(f.text("Text90"), QStringLiteral("Player2"));
        QCOMPARE(f.text("Label1"), QStringLiteral("Partidas Ganadas"));
        QCOMPARE(f.text("Label4"), QStringLiteral("Partidas Ganadas"));
        QCOMPARE(f.text("Label2"), QStringLiteral("0"));
        QCOMPARE(f.text("Label3"), QStringLiteral("0"));
        QCOMPARE(f.status(), QString());
        QCOMPARE(f.get<QAbstractButton>("Command15")->text(), QStringLiteral("Nuevo Juego"));
        QCOMPARE(f.get<QAbstractButton>("Command16")->text(), QStringLiteral("&Borrar Resultados"));
        QCOMPARE(f.get<QAbstractButton>("Command24")->text(), QStringLiteral("Borrar Todo"));
        QCOMPARE(f.get<QAbstractButton>("Command17")->text(), QStringLiteral("Mostrar Numeros"));
        QCOMPARE(f.get<QAbstractButton>("Command12")->text(), QStringLiteral("----->"));
        QVERIFY(!f.get<QLabel>("Image1")->pixmap().isNull());
        QVERIFY(!f.get<QLabel>("Image2")->pixmap().isNull());
        // Digit and code fields hold one character, an emoji whole; name fields long texts.
        for (const char *name : {"Text7", "Text81"}) {
            QLineEdit *field = f.get<QLineEdit>(name);
            field->setText(QStringLiteral("12"));
            QCOMPARE(field->text(), QStringLiteral("1"));
            field->setText(QStringLiteral("😀x"));
            QCOMPARE(field->text(), QStringLiteral("😀"));
            field->clear();
        }
        QVERIFY(f.get<QLineEdit>("Text89")->maxLength() > 1000);
        // 80 digit fields, 8 code fields, 2 name fields.
        QCOMPARE(f.window.findChildren<QLineEdit *>().size(), 90);
    }

    void layout()
    {
        Fixture f;
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        QCOMPARE(f.get("client")->size(), QSize(720, 496));
        QCOMPARE(f.get("Label61")->geometry(), QRect(200, 16, 321, 17));
        QCOMPARE(f.get("Command16")->geometry(), QRect(256, 40, 101, 25));
        QCOMPARE(f.get("Image2")->geometry(), QRect(640, 72, 32, 32));
        QCOMPARE(f.get("Text90")->geometry(), QRect(552, 80, 81, 25));
        QCOMPARE(f.get("Label3")->geometry(), QRect(528, 96, 25, 25));
        QCOMPARE(f.get("Text81")->geometry(), QRect(56, 112, 25, 25));
        QCOMPARE(f.get("Text86")->geometry(), QRect(624, 112, 25, 25));
        QCOMPARE(f.get("Line4")->geometry(), QRect(592, 144, 1, 336));
        // Rows 480 twips apart from 2280; row 1's fields of positions 2 to 4 a pixel shorter.
        QCOMPARE(f.get("Command2")->geometry(), QRect(384, 152, 41, 25));
        QCOMPARE(f.get("Text7")->geometry(), QRect(80, 152, 33, 32));
        QCOMPARE(f.get("Text1")->geometry(), QRect(120, 152, 33, 31));
        QCOMPARE(f.get("Text11")->geometry(), QRect(80, 184, 33, 32));
        QCOMPARE(f.get("Text8")->geometry(), QRect(552, 440, 33, 32));
        // Mark cells by position: 2, 1, 4, 3 from left to right ...
        const auto lefts = [&f](const RowNames &row) {
            QList<int> x;
            for (const char *cell : row.marks)
                x.append(f.get(cell)->x());
            return x;
        };
        QCOMPARE(lefts(kP1Row1), (QList<int>{264, 248, 296, 280}));
        QCOMPARE(lefts(kP2Row1), (QList<int>{616, 600, 648, 632}));
        QCOMPARE(lefts(kP2Row3), (QList<int>{616, 600, 648, 632}));
        // ... except Player2's row 2: 2, 1, 3, 4.
        QCOMPARE(lefts(kP2Row2), (QList<int>{616, 600, 632, 648}));
        QCOMPARE(f.get("Label77")->y(), 184);

        // Maximizing moves nothing: the controls stay top-left.
        const QRect before = f.get("Text8")->geometry();
        f.window.showMaximized();
        QTRY_VERIFY(f.window.width() > 720);
        QCOMPARE(f.get("client")->pos(), QPoint(0, f.window.menuBar()->height()));
        QCOMPARE(f.get("client")->size(), QSize(720, 496));
        QCOMPARE(f.get("Text8")->geometry(), before);
    }

    void menuBar()
    {
        Fixture f;
        QStringList titles;
        for (QAction *a : f.window.menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles, (QStringList{QStringLiteral("&Salir"), QStringLiteral("&Nuevo"), QStringLiteral("Ayuda")}));
        QCOMPARE(f.action("unjugador")->text(), QStringLiteral("Un Jugador"));
        QCOMPARE(f.action("unjugador")->shortcut(), QKeySequence(Qt::Key_F1));
        QCOMPARE(f.action("contenido")->text(), QStringLiteral("Contenido"));
        QVERIFY(!f.action("contenido")->isEnabled());
        QVERIFY(f.action("contenido")->isVisible());
        QCOMPARE(f.action("acercade")->text(), QStringLiteral("Acerca de"));
        QVERIFY(f.action("acercade")->isEnabled());

        QSignalSpy one(&f.window, &TwoPlayerWindow::onePlayerRequested);
        QSignalSpy about(&f.window, &TwoPlayerWindow::aboutRequested);
        f.action("unjugador")->trigger();
        f.action("acercade")->trigger();
        QCOMPARE(one.size(), 1);
        QCOMPARE(about.size(), 1);
    }

    void focusAndTabOrder()
    {
        Fixture f;
        f.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text7"));

        const QList<std::pair<const char *, const char *>> steps{
            {"Text7", "Text1"},       {"Text2", "Command1"},    {"Command1", "Text77"},   {"Text79", "Command2"},
            {"Command2", "Text11"},   {"Command11", "Text74"},  {"Command23", "Text15"},  {"Command3", "Text5"},
            {"Command12", "Command17"}, {"Command17", "Text81"}, {"Text81", "Text84"},    {"Text82", "Text85"},
            {"Text86", "Command16"},  {"Command16", "Command15"}, {"Command15", "Text89"}, {"Text89", "Text90"},
            {"Text90", "Command24"},
        };
        for (const auto &[from, to] : steps) {
            f.get(from)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(to));
        }
    }

    void codeFieldsMasked()
    {
        Fixture f;
        f.type(kCodeP1, QStringLiteral("1234"));
        for (QLineEdit *field : f.codeFields()) {
            QCOMPARE(field->echoMode(), QLineEdit::Password);
        }
        QCOMPARE(f.text("Text84"), QStringLiteral("2"));
        QCOMPARE(f.get<QLineEdit>("Text84")->displayText(), QStringLiteral("?"));
        QCOMPARE(f.get<QLineEdit>("Text7")->echoMode(), QLineEdit::Normal);
    }

    void markingBothBoards()
    {
        Fixture f;
        f.type(kCodeP2, QStringLiteral("1123"));
        f.type(kCodeP1, QStringLiteral("1213"));
        f.play(kP1Row1, QStringLiteral("1111"));
        QCOMPARE(f.marks(kP1Row1), QStringLiteral("ooxx"));
        f.play(kP2Row1, QStringLiteral("5515"));
        QCOMPARE(f.marks(kP2Row1), QStringLiteral("--o-"));
        f.play(kP2Row2, QStringLiteral("3121"));
        QCOMPARE(f.marks(kP2Row2), QStringLiteral("xxxx"));
        f.play(kP2Row10, QStringLiteral("1_13"));
        QCOMPARE(f.marks(kP2Row10), QStringLiteral("o-oo"));

        // A resubmitted row keeps the marks its new digits do not replace.
        f.play(kP1Row1, QStringLiteral("9193"));
        QCOMPARE(f.marks(kP1Row1), QStringLiteral("ooxo"));
        // Only the pressed row changes.
        QCOMPARE(f.marks(kP1Row2), QStringLiteral("----"));
    }

    // Every ordinary ending of a match, played row by row.
    void wholeMatches()
    {
        Fixture f;
        f.click("Command15");
        QCOMPARE(f.status(), kReady);
        f.type(kCodeP1, QStringLiteral("4071"));
        f.type(kCodeP2, QStringLiteral("2358"));

        // Both miss: the status line alternates, nobody scores.
        f.play(kP1Row1, QStringLiteral("1234"));
        QCOMPARE(f.status(), kCanWin);
        f.play(kP2Row1, QStringLiteral("1234"));
        QCOMPARE(f.status(), QString());
        f.play(kP1Row2, QStringLiteral("2385"));
        QCOMPARE(f.marks(kP1Row2), QStringLiteral("ooxx"));
        QCOMPARE(f.status(), kCanWin);
        // Player1 misses, Player2 hits.
        f.play(kP2Row2, QStringLiteral("4071"));
        QCOMPARE(f.marks(kP2Row2), QStringLiteral("oooo"));
        QCOMPARE(f.status(), kP2Won);
        QCOMPARE(f.text("Label3"), QStringLiteral("1"));
        QCOMPARE(f.text("Label2"), QStringLiteral("0"));
        // Nothing is cleared or locked after a verdict; a Player2 row alone changes nothing.
        QCOMPARE(f.text("Text74"), QStringLiteral("4"));
        f.play(kP2Row3, QStringLiteral("4071"));
        QCOMPARE(f.status(), kP2Won);
        QCOMPARE(f.text("Label3"), QStringLiteral("1"));

        // Player1 hits, Player2 misses at position 1 only.
        f.play(kP1Row3, QStringLiteral("2358"));
        QCOMPARE(f.status(), kCanTie);
        f.play(kP2Row3, QStringLiteral("9071"));
        QCOMPARE(f.status(), kP1Won);
        QCOMPARE(f.text("Label2"), QStringLiteral("1"));
        // A verdict after a verdict: the same again counts again.
        f.play(kP1Row10, QStringLiteral("2358"));
        f.play(kP2Row10, QStringLiteral("0000"));
        QCOMPARE(f.status(), kP1Won);
        QCOMPARE(f.text("Label2"), QStringLiteral("2"));

        // Both hit: a tie, no counter moves.
        f.play(kP1Row1, QStringLiteral("2358"));
        f.play(kP2Row1, QStringLiteral("4071"));
        QCOMPARE(f.status(), kTie);
        QCOMPARE(f.text("Label2"), QStringLiteral("2"));
        QCOMPARE(f.text("Label3"), QStringLiteral("1"));

        // The names never appear in the messages.
        f.get<QLineEdit>("Text89")->setText(QStringLiteral("Ana"));
        f.play(kP1Row1, QStringLiteral("2358"));
        f.play(kP2Row1, QStringLiteral("4070"));
        QCOMPARE(f.status(), kP1Won);
    }

    void player2PlaysFirst()
    {
        Fixture f;
        f.click("Command15");
        f.type(kCodeP1, QStringLiteral("1234"));
        f.play(kP2Row1, QStringLiteral("1234"));
        QCOMPARE(f.marks(kP2Row1), QStringLiteral("oooo"));
        QCOMPARE(f.status(), kReady);
        QCOMPARE(f.text("Label3"), QStringLiteral("0"));
    }

    // Only the later of two Player1 rows decides what Player2 faces.
    void twoPlayer1RowsInARow()
    {
        Fixture f;
        f.type(kCodeP1, QStringLiteral("1234"));
        f.type(kCodeP2, QStringLiteral("5678"));
        f.play(kP1Row1, QStringLiteral("5678"));
        QCOMPARE(f.status(), kCanTie);
        f.play(kP1Row2, QStringLiteral("5677"));
        QCOMPARE(f.status(), kCanWin);
        f.play(kP2Row1, QStringLiteral("0000"));
        QCOMPARE(f.status(), QString());
        QCOMPARE(f.text("Label2"), QStringLiteral("0"));
        QCOMPARE(f.text("Label3"), QStringLiteral("0"));
    }

    // Empty code fields against empty rows: every row equals the code.
    void emptyCodes()
    {
        Fixture f;
        f.play(kP1Row1, QStringLiteral("____"));
        QCOMPARE(f.marks(kP1Row1), QStringLiteral("oooo"));
        QCOMPARE(f.status(), kCanTie);
        f.play(kP2Row1, QStringLiteral("___1"));
        QCOMPARE(f.marks(kP2Row1), QStringLiteral("ooo-"));
        QCOMPARE(f.status(), kP1Won);
    }

    // A command between the rows replaces the pending question.
    void commandCancelsPendingQuestion()
    {
        Fixture f;
        f.type(kCodeP1, QStringLiteral("1234"));
        f.type(kCodeP2, QStringLiteral("5678"));
        f.play(kP1Row1, QStringLiteral("5678"));
        f.click("Command17");
        QCOMPARE(f.status(), kShown);
        f.play(kP2Row1, QStringLiteral("0000"));
        QCOMPARE(f.status(), kShown);
        QCOMPARE(f.text("Label2"), QStringLiteral("0"));
    }

    void countersGrowAsDecimalTexts()
    {
        Fixture f;
        f.get<QLabel>("Label3")->setText(QStringLiteral("9"));
        f.get<QLabel>("Label2")->setText(QStringLiteral("99999999999999999999"));
        f.play(kP1Row1, QStringLiteral("1111"));
        f.play(kP2Row1, QStringLiteral("____"));
        QCOMPARE(f.text("Label3"), QStringLiteral("10"));
        f.type(kCodeP2, QStringLiteral("1111"));
        f.play(kP1Row1, QStringLiteral("1111"));
        f.play(kP2Row1, QStringLiteral("1111"));
        QCOMPARE(f.text("Label2"), QStringLiteral("100000000000000000000"));
    }

    void showAndMaskCodes()
    {
        Fixture f;
        f.type(kCodeP1, QStringLiteral("1234"));
        f.type(kCodeP2, QStringLiteral("5678"));
        f.play(kP1Row1, QStringLiteral("5600"));
        for (int twice = 0; twice < 2; ++twice) {
            f.click("Command17");
            QCOMPARE(f.status(), kShown);
            for (QLineEdit *field : f.codeFields())
                QCOMPARE(field->echoMode(), QLineEdit::Normal);
            QCOMPARE(f.get<QLineEdit>("Text88")->displayText(), QStringLiteral("6"));
        }
        for (int twice = 0; twice < 2; ++twice) {
            f.click("Command15");
            QCOMPARE(f.status(), kReady);
            for (QLineEdit *field : f.codeFields())
                QCOMPARE(field->echoMode(), QLineEdit::Password);
            QCOMPARE(f.get<QLineEdit>("Text88")->displayText(), QStringLiteral("?"));
        }
        // "Nuevo Juego" changes nothing else.
        QCOMPARE(f.text("Text88"), QStringLiteral("6"));
        QCOMPARE(f.text("Text7"), QStringLiteral("5"));
        QCOMPARE(f.marks(kP1Row1), QStringLiteral("oo--"));
    }

    void clearResultsKeepsMaskState()
    {
        Fixture f;
        f.get<QLineEdit>("Text89")->setText(QStringLiteral("Ana"));
        f.get<QLabel>("Label2")->setText(QStringLiteral("3"));
        f.get<QLabel>("Label3")->setText(QStringLiteral("4"));
        for (QLineEdit *field : f.window.findChildren<QLineEdit *>()) {
            if (field->objectName() != u"Text89" && field->objectName() != u"Text90")
                field->setText(QStringLiteral("7"));
        }
        for (QLabel *label : f.window.findChildren<QLabel *>()) {
            if (label->objectName().mid(5).toInt() >= 5) // mark cells and the status line
                label->setText(QStringLiteral("x"));
        }
        f.click("Command17");
        f.click("Command16");
        QCOMPARE(f.status(), kCancelled);
        for (QLineEdit *field : f.window.findChildren<QLineEdit *>()) {
            if (field->objectName() != u"Text89" && field->objectName() != u"Text90")
                QVERIFY2(field->text().isEmpty(), qPrintable(field->objectName()));
        }
        int markCells = 0;
        for (QLabel *label : f.window.findChildren<QLabel *>()) {
            const QString name = label->objectName();
            if (name.startsWith(u"Label") && name.mid(5).toInt() >= 5 && name != u"Label61") {
                QVERIFY2(label->text().isEmpty(), qPrintable(name));
                ++markCells;
            }
        }
        QCOMPARE(markCells, 80);
        QCOMPARE(f.text("Text89"), QStringLiteral("Ana"));
        QCOMPARE(f.text("Label2"), QStringLiteral("3"));
        QCOMPARE(f.text("Label3"), QStringLiteral("4"));
        QCOMPARE(f.text("Label1"), QStringLiteral("Partidas Ganadas"));
        // Still unmasked: a digit typed now shows in plain.
        f.type(kCodeP1, QStringLiteral("9___"));
        QCOMPARE(f.get<QLineEdit>("Text81")->displayText(), QStringLiteral("9"));
        for (QLineEdit *field : f.codeFields())
            QCOMPARE(field->echoMode(), QLineEdit::Normal);
    }

    void clearAll()
    {
        Fixture f;
        f.get<QLineEdit>("Text89")->setText(QStringLiteral("Ana"));
        f.get<QLineEdit>("Text90")->setText(QStringLiteral("Luis"));
        f.type(kCodeP1, QStringLiteral("1234"));
        f.type(kCodeP2, QStringLiteral("5678"));
        f.play(kP1Row1, QStringLiteral("5678"));
        f.play(kP2Row1, QStringLiteral("0000"));
        QCOMPARE(f.text("Label2"), QStringLiteral("1"));
        f.click("Command24");
        QCOMPARE(f.text("Text89"), QStringLiteral("Player1"));
        QCOMPARE(f.text("Text90"), QStringLiteral("Player2"));
        QCOMPARE(f.text("Label2"), QStringLiteral("0"));
        QCOMPARE(f.text("Label3"), QStringLiteral("0"));
        QCOMPARE(f.marks(kP1Row1), QStringLiteral("----"));
        QCOMPARE(f.text("Text7"), QString());
        QCOMPARE(f.text("Text81"), QString());
        QCOMPARE(f.status(), kCancelled);
        for (QLineEdit *field : f.codeFields())
            QCOMPARE(field->echoMode(), QLineEdit::Password);
        // Closing now stores the design names.
        f.window.close();
        QCOMPARE(fileBytes(f.dir.filePath(QStringLiteral("player1.txt"))), QByteArray("Player1\r\n"));
        QCOMPARE(fileBytes(f.dir.filePath(QStringLiteral("player2.txt"))), QByteArray("Player2\r\n"));
    }

    // Names are read when the window loads, each file on its own.
    void namesOnLoad()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("player2.txt")), "Nu\xf1" "ez\r\n");
        {
            TwoPlayerWindow window(dir.path());
            QCOMPARE(window.findChild<QLineEdit *>(QStringLiteral("Text89"))->text(), QStringLiteral("Player1"));
            QCOMPARE(window.findChild<QLineEdit *>(QStringLiteral("Text90"))->text(), QStringLiteral("Nuñez"));
        }
        writeFile(dir.filePath(QStringLiteral("player1.txt")), "");
        TwoPlayerWindow window(dir.path());
        QCOMPARE(window.findChild<QLineEdit *>(QStringLiteral("Text89"))->text(), QString());
    }

    void closingSavesNames()
    {
        Fixture f;
        f.get<QLineEdit>("Text89")->setText(QStringLiteral(" José "));
        f.get<QLineEdit>("Text90")->clear();
        f.window.show();
        QVERIFY(f.window.close());
        QCOMPARE(fileBytes(f.dir.filePath(QStringLiteral("player1.txt"))), QByteArray(" Jos\xe9 \r\n"));
        QCOMPARE(fileBytes(f.dir.filePath(QStringLiteral("player2.txt"))), QByteArray("\r\n"));
    }

    // "&Salir" saves before it asks for the end.
    void quitSavesFirst()
    {
        Fixture f;
        f.get<QLineEdit>("Text89")->setText(QStringLiteral("Ana"));
        QByteArray atQuit;
        connect(&f.window, &TwoPlayerWindow::quitRequested, this,
                [&] { atQuit = fileBytes(f.dir.filePath(QStringLiteral("player1.txt"))); });
        f.action("salir")->trigger();
        QCOMPARE(atQuit, QByteArray("Ana\r\n"));
    }
};

QTEST_MAIN(TestTwoPlayerWindow)
#include "tst_twoplayerwindow.moc"
