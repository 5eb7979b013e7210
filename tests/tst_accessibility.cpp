// What a screen reader learns from the one-player window and from the builder's controls.
#include "forms/board.h"
#include "forms/formbuilder.h"
#include "one_player/oneplayerform.h"
#include "one_player/oneplayerwindow.h"

#include <QAccessible>
#include <QLineEdit>
#include <QSet>
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
        for (const RowSpec &row : one_player::kBoard.rows) {
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
