// What a screen reader learns from the game's windows and from the builder's controls.
#include "forms/board.h"
#include "forms/formbuilder.h"
#include "one_player/oneplayerform.h"
#include "one_player/oneplayerwindow.h"
#include "shell/aboutwindow.h"
#include "two_player/twoplayerform.h"
#include "two_player/twoplayerwindow.h"

#include <QAccessible>
#include <QLineEdit>
#include <QMenuBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace quivara;
using namespace quivara::forms;

namespace {

QAccessibleInterface *ifaceOf(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    if (!iface)
        qFatal("no accessible interface for %s", qPrintable(object->objectName()));
    return iface;
}

QString nameOf(QObject *object) { return ifaceOf(object)->text(QAccessible::Name); }

// Every interface reachable from `root` through child(), depth first.
void collect(QAccessibleInterface *root, QList<QAccessibleInterface *> &out)
{
    out.append(root);
    for (int i = 0; i < root->childCount(); ++i) {
        if (QAccessibleInterface *c = root->child(i))
            collect(c, out);
    }
}

// Codes drawn from fixed seeds so the hidden cells hold known digits.
double noon() { return 43200.0; }

// Every text a screen reader can get from `iface`: its texts and its text interface.
QStringList everythingReadable(QAccessibleInterface *iface)
{
    QStringList texts;
    for (QAccessible::Text t : {QAccessible::Name, QAccessible::Value, QAccessible::Description,
                                QAccessible::Help, QAccessible::Accelerator})
        texts << iface->text(t);
    if (QAccessibleTextInterface *text = iface->textInterface()) {
        texts << text->text(0, text->characterCount());
        for (int offset = 0; offset <= text->characterCount(); ++offset) {
            int start = 0, end = 0;
            texts << text->textAtOffset(offset, QAccessible::CharBoundary, &start, &end);
        }
    }
    return texts;
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private:
    rules::RandomSource m_source;
    std::unique_ptr<one_player::OnePlayerWindow> m_window;

    QWidget *control(const char *name) const { return m_window->findChild<QWidget *>(QLatin1String(name)); }

private Q_SLOTS:
    void init()
    {
        m_source = rules::RandomSource();
        m_window = std::make_unique<one_player::OnePlayerWindow>(m_source, noon);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup() { m_window.reset(); }

    void boardNames_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("role");
        const int edit = QAccessible::EditableText;
        QTest::newRow("row 1, position 1") << "Text7" << "Fila 1, cifra 1" << edit;
        QTest::newRow("row 1, position 4") << "Text2" << "Fila 1, cifra 4" << edit;
        QTest::newRow("row 3, position 2") << "Text16" << "Fila 3, cifra 2" << edit;
        QTest::newRow("row 10, position 3") << "Text42" << "Fila 10, cifra 3" << edit;
        const int text = QAccessible::StaticText;
        QTest::newRow("mark cell of row 1, position 2 (leftmost)") << "Label21" << "Fila 1, marca de la cifra 2" << text;
        QTest::newRow("mark cell of row 10, position 4") << "Label56" << "Fila 10, marca de la cifra 4" << text;
        const int button = QAccessible::Button;
        QTest::newRow("row 1's picture button") << "Command1" << "Comprobar fila 1" << button;
        QTest::newRow("row 10's button") << "Command3" << "Comprobar fila 10" << button;
        QTest::newRow("empty status line") << "Label61" << QString::fromUtf8("Línea de estado") << text;
        QTest::newRow("command keeps its caption") << "Command17" << "Mostrar Numero" << button;
    }

    void boardNames()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        QFETCH(int, role);
        QWidget *w = m_window->findChild<QWidget *>(control);
        QVERIFY(w);
        QAccessibleInterface *iface = ifaceOf(w);
        QCOMPARE(iface->text(QAccessible::Name), name);
        QCOMPARE(int(iface->role()), role);
    }

    // A reader tells every digit field, mark cell and row button apart.
    void boardNamesAreDistinct()
    {
        QSet<QString> names;
        int controls = 0;
        for (const RowDesign &row : one_player::kBoard.rows) {
            std::vector<std::string_view> all(row.digits.begin(), row.digits.end());
            all.insert(all.end(), row.marks.begin(), row.marks.end());
            all.push_back(row.button);
            for (std::string_view n : all) {
                const QString name = nameOf(m_window->findChild<QWidget *>(qstr(n)));
                QVERIFY2(!name.isEmpty() && name != QLatin1String("----->"), qPrintable(qstr(n)));
                names.insert(name);
                ++controls;
            }
        }
        QCOMPARE(controls, 90);
        QCOMPARE(names.size(), controls);
    }

    // Marks and messages are read with the cell's or line's name in front.
    void readoutsCarryTheirText()
    {
        const std::array digits{"Text7", "Text1", "Text3", "Text2"};
        m_window->drawNewCode();
        const QString status = m_window->findChild<QLabel *>(QStringLiteral("Label61"))->text();
        QVERIFY(!status.isEmpty());
        QCOMPARE(nameOf(control("Label61")), QString::fromUtf8("Línea de estado: ") + status);

        // A row of the code's first digit marks position 1 "o" whatever the code is.
        const QString first = m_window->findChild<QLabel *>(QStringLiteral("Label1"))->text();
        for (int p = 0; p < 4; ++p)
            static_cast<QLineEdit *>(control(digits[p]))->setText(first);
        m_window->submitRow(0);
        const QString mark = m_window->findChild<QLabel *>(QStringLiteral("Label5"))->text();
        QCOMPARE(mark, QStringLiteral("o"));
        QCOMPARE(nameOf(control("Label5")), QStringLiteral("Fila 1, marca de la cifra 1: o"));

        m_window->clearAll();
        QCOMPARE(nameOf(control("Label5")), QStringLiteral("Fila 1, marca de la cifra 1"));
        QCOMPARE(nameOf(control("Label61")), QString::fromUtf8("Línea de estado: Se cancelo el juego"));
    }

    // The hidden code cells hold the secret: nothing in the tree may lead to them.
    void hiddenCodeCellsStayOutOfTheTree()
    {
        m_window->drawNewCode();
        QList<QWidget *> cells;
        for (std::string_view n : one_player::kCodeCells) {
            QWidget *cell = m_window->findChild<QWidget *>(qstr(n));
            QVERIFY(cell && cell->isHidden());
            QVERIFY(!static_cast<QLabel *>(cell)->text().isEmpty());
            cells.append(cell);
        }
        QList<QAccessibleInterface *> tree;
        collect(ifaceOf(m_window.get()), tree);
        QVERIFY2(tree.size() > 90, "the board's controls are in the tree");
        int digitFields = 0;
        for (QAccessibleInterface *iface : tree) {
            QVERIFY2(!cells.contains(iface->object()), qPrintable(iface->object()->objectName()));
            if (iface->object()->objectName().startsWith(QLatin1String("Text")))
                ++digitFields;
        }
        QCOMPARE(digitFields, 40);
        for (QWidget *cell : cells) {
            QAccessibleInterface *iface = ifaceOf(cell);
            QVERIFY(iface->state().invisible);
            QCOMPARE(iface->text(QAccessible::Name), QString());
            QCOMPARE(iface->text(QAccessible::Value), QString());
        }
    }

    // Parents and children agree, so a reader can walk the form both ways.
    void formTreeIsConsistent()
    {
        QAccessibleInterface *client = ifaceOf(control("client"));
        QVERIFY(client->childCount() > 0);
        for (int i = 0; i < client->childCount(); ++i) {
            QAccessibleInterface *c = client->child(i);
            QVERIFY(c);
            QCOMPARE(client->indexOfChild(c), i);
            QCOMPARE(c->parent()->object(), client->object());
        }
        QCOMPARE(client->child(client->childCount()), nullptr);
        QCOMPARE(client->child(-1), nullptr);
    }

    // A masked code field never gives its digit away.
    void maskedFieldHidesItsDigit()
    {
        QWidget form;
        auto *field = static_cast<QLineEdit *>(buildControl(&form, {
            .name = "Text91", .kind = Kind::MaskedField, .rect = {0, 0, 375, 375}, .maxLength = 1,
            .accessibleName = "Player2, cifra 1 del código"}));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        field->setText(QStringLiteral("7"));
        QAccessibleInterface *iface = ifaceOf(field);
        QCOMPARE(iface->text(QAccessible::Name), QString::fromUtf8("Player2, cifra 1 del código"));
        for (QAccessible::Text t : {QAccessible::Name, QAccessible::Value, QAccessible::Description,
                                    QAccessible::Help}) {
            QVERIFY2(!iface->text(t).contains(u'7'), qPrintable(iface->text(t)));
        }
        QCOMPARE(iface->text(QAccessible::Value).size(), 1); // one mask character
        QAccessibleTextInterface *text = iface->textInterface();
        QVERIFY(text);
        QVERIFY(!text->text(0, text->characterCount()).contains(u'7'));
        int start = 0, end = 0;
        QVERIFY(!text->textAtOffset(0, QAccessible::CharBoundary, &start, &end).contains(u'7'));
        QVERIFY(field->inputMethodHints().testFlag(Qt::ImhSensitiveData));
    }

    void twoPlayerNames_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("role");
        const int edit = QAccessible::EditableText;
        const int text = QAccessible::StaticText;
        const int button = QAccessible::Button;
        QTest::newRow("Player1, row 3, position 2") << "Text16" << "Player1, fila 3, cifra 2" << edit;
        QTest::newRow("Player2, row 1, position 1") << "Text77" << "Player2, fila 1, cifra 1" << edit;
        QTest::newRow("Player2, row 10, position 4") << "Text8" << "Player2, fila 10, cifra 4" << edit;
        QTest::newRow("Player1's mark cell of row 1, position 2")
            << "Label5" << "Player1, fila 1, marca de la cifra 2" << text;
        QTest::newRow("Player2's row 2, position 3 (placed in order)")
            << "Label39" << "Player2, fila 2, marca de la cifra 3" << text;
        QTest::newRow("Player1's row 1 button") << "Command1" << "Player1, comprobar fila 1" << button;
        QTest::newRow("Player2's row 2 button") << "Command23" << "Player2, comprobar fila 2" << button;
        QTest::newRow("code on Player1's side, position 1")
            << "Text81" << QString::fromUtf8("Código de Player1, cifra 1") << edit;
        QTest::newRow("code on Player2's side, position 4")
            << "Text86" << QString::fromUtf8("Código de Player2, cifra 4") << edit;
        QTest::newRow("Player1's name field") << "Text89" << "Nombre de Player1" << edit;
        QTest::newRow("Player2's name field") << "Text90" << "Nombre de Player2" << edit;
        QTest::newRow("Player1's counter") << "Label2" << "Partidas ganadas de Player1: 0" << text;
        QTest::newRow("Player2's counter") << "Label3" << "Partidas ganadas de Player2: 0" << text;
        QTest::newRow("caption keeps its text") << "Label4" << "Partidas Ganadas" << text;
        QTest::newRow("empty status line") << "Label61" << QString::fromUtf8("Línea de estado") << text;
        QTest::newRow("Player2's portrait") << "Image2" << "Retrato de Player2" << int(QAccessible::Graphic);
        QTest::newRow("command keeps its caption") << "Command17" << "Mostrar Numeros" << button;
    }

    void twoPlayerNames()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        QFETCH(int, role);
        QTemporaryDir names;
        two_player::TwoPlayerWindow window(names.path());
        QWidget *w = window.findChild<QWidget *>(control);
        QVERIFY(w);
        QAccessibleInterface *iface = ifaceOf(w);
        QCOMPARE(iface->text(QAccessible::Name), name);
        QCOMPARE(int(iface->role()), role);
    }

    // Every control the Tab key reaches has a name of its own, none a bare "----->".
    void twoPlayerFocusStopsAreNamed()
    {
        QTemporaryDir names;
        two_player::TwoPlayerWindow window(names.path());
        QSet<QString> seen;
        int stops = 0;
        for (QWidget *w : window.findChildren<QWidget *>()) {
            if (!(w->focusPolicy() & Qt::TabFocus) || qobject_cast<QMenuBar *>(w))
                continue;
            const QString name = nameOf(w);
            QVERIFY2(!name.isEmpty() && name != QLatin1String("----->"), qPrintable(w->objectName()));
            seen.insert(name);
            ++stops;
        }
        QCOMPARE(stops, 2 * 10 * 5 + 8 + 2 + 4);
        QCOMPARE(seen.size(), stops);
    }

    // The status line, the marks and the counters are read with what they show.
    void twoPlayerReadoutsCarryTheirText()
    {
        QTemporaryDir names;
        two_player::TwoPlayerWindow window(names.path());
        // Empty codes and rows: every row equals the code. Player1 hits, Player2 misses.
        window.findChild<QLineEdit *>(QStringLiteral("Text77"))->setText(QStringLiteral("5"));
        window.submitPlayer1(0);
        QCOMPARE(nameOf(window.findChild<QWidget *>(QStringLiteral("Label61"))),
                 QString::fromUtf8("Línea de estado: Player2 puede empatar el juego"));
        QCOMPARE(nameOf(window.findChild<QWidget *>(QStringLiteral("Label21"))),
                 QStringLiteral("Player1, fila 1, marca de la cifra 1: o"));
        window.submitPlayer2(0);
        QCOMPARE(nameOf(window.findChild<QWidget *>(QStringLiteral("Label2"))),
                 QStringLiteral("Partidas ganadas de Player1: 1"));
        QCOMPARE(nameOf(window.findChild<QWidget *>(QStringLiteral("Label61"))),
                 QString::fromUtf8("Línea de estado: Player1 gano el juego"));
    }

    // The eight code fields: typed digits stay out of every text a reader can ask for
    // while masked; "Mostrar Numeros" may show them, "Nuevo Juego" hides them again.
    void twoPlayerCodesNeverGiveTheirDigitsAway()
    {
        QTemporaryDir names;
        two_player::TwoPlayerWindow window(names.path());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        std::vector<std::pair<QLineEdit *, QChar>> fields;
        int digit = 2;
        for (const auto *code : {&two_player::kPlayer1Code, &two_player::kPlayer2Code}) {
            for (std::string_view name : *code) {
                fields.emplace_back(window.findChild<QLineEdit *>(qstr(name)), QChar(u'0' + digit));
                digit = digit % 9 + 1; // 2 to 9, then 1
            }
        }
        for (auto &[field, d] : fields) {
            QTest::keyClick(field, d.toLatin1());
            QCOMPARE(field->text(), QString(d));
        }
        for (auto &[field, d] : fields) {
            for (const QString &text : everythingReadable(ifaceOf(field)))
                QVERIFY2(!text.contains(d), qPrintable(field->objectName() + QStringLiteral(": ") + text));
            QCOMPARE(ifaceOf(field)->text(QAccessible::Value), QStringLiteral("*"));
        }
        window.showCodes();
        for (auto &[field, d] : fields)
            QCOMPARE(ifaceOf(field)->text(QAccessible::Value), QString(d));
        window.startGame();
        for (auto &[field, d] : fields) {
            for (const QString &text : everythingReadable(ifaceOf(field)))
                QVERIFY2(!text.contains(d), qPrintable(field->objectName() + QStringLiteral(": ") + text));
        }
    }

    // The About window: its picture and its texts are told, the window by its caption.
    void aboutWindowNames()
    {
        shell::AboutWindow about;
        QCOMPARE(nameOf(&about), QStringLiteral("Acerca de Quivara"));
        QWidget *icon = about.findChild<QWidget *>(QStringLiteral("picIcon"));
        QVERIFY(icon->focusPolicy() & Qt::TabFocus);
        QCOMPARE(nameOf(icon), QStringLiteral("Icono de Quivara"));
        QCOMPARE(nameOf(about.findChild<QWidget *>(QStringLiteral("lblTitle"))), QStringLiteral("Quivara"));
        QCOMPARE(nameOf(about.findChild<QWidget *>(QStringLiteral("lblVersion"))), QString::fromUtf8("Versión 2.0.0"));
        QVERIFY(nameOf(about.findChild<QWidget *>(QStringLiteral("lblDescription"))).startsWith(QLatin1String("Quivara")));
        QCOMPARE(nameOf(about.findChild<QWidget *>(QStringLiteral("cmdOK"))), QStringLiteral("Aceptar"));
        QCOMPARE(nameOf(about.findChild<QWidget *>(QStringLiteral("cmdSysInfo"))), QString::fromUtf8("Información..."));
    }

    // A label built with a caption is a readout like an empty one: named with
    // its text in front, and silent while hidden.
    void labelsWithCaptionsAreReadouts()
    {
        QWidget form;
        QWidget *counter = buildControl(&form, {.name = "Label2", .kind = Kind::Label, .rect = {0, 0, 375, 375},
                                                .caption = "0", .accessibleName = "Partidas ganadas de Player1"});
        QWidget *hidden = buildControl(&form, {.name = "Label1", .kind = Kind::Label, .rect = {0, 0, 375, 375},
                                               .caption = "7", .hidden = true});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(nameOf(counter), QStringLiteral("Partidas ganadas de Player1: 0"));
        for (const QString &text : everythingReadable(ifaceOf(hidden)))
            QVERIFY2(!text.contains(u'7'), qPrintable(text));
    }

    // Two-player boards name the player first.
    void playerBoardNames()
    {
        QWidget form;
        const Board board = buildBoard(&form, one_player::kBoard, "Player1");
        QCOMPARE(nameOf(board[2].digits[1]), QStringLiteral("Player1, fila 3, cifra 2"));
        QCOMPARE(nameOf(board[2].marks[1]), QStringLiteral("Player1, fila 3, marca de la cifra 2"));
        QCOMPARE(nameOf(board[9].button), QStringLiteral("Player1, comprobar fila 10"));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
