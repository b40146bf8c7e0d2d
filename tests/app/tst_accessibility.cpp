// What a screen reader finds when it walks the accessibility tree from each
// window, as it does through AT-SPI.
#include "RMProgramEditor.h"
#include "UZevo.h"
#include "UZevoOptionen.h"
#include "UZevoProtokoll.h"
#include "fakedialogs.h"
#include "protocolaccessible.h"
#include "tRegisterEditor.h"

#include <QAccessible>
#include <QTest>
#include <functional>

namespace {
using Match = std::function<bool(QAccessibleInterface*)>;

QAccessibleInterface* find(QAccessibleInterface* node, const Match& match, QStringList& unnamed) {
    if (!node)
        return nullptr;
    const QAccessible::Role role = node->role();
    const bool button = role == QAccessible::Button || role == QAccessible::ButtonMenu ||
                        role == QAccessible::ButtonDropDown;
    if (button && node->text(QAccessible::Name).isEmpty())
        unnamed << node->object()->objectName();
    QAccessibleInterface* found = match(node) ? node : nullptr;
    for (int i = 0; i < node->childCount(); ++i) {
        if (QAccessibleInterface* below = find(node->child(i), match, unnamed); !found)
            found = below;
    }
    return found;
}

QString wholeText(QAccessibleInterface* node) {
    QAccessibleTextInterface* text = node->textInterface();
    return text ? text->text(0, text->characterCount()) : QString();
}
} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ProtocolViewAccessible::install(); } // as main() does
    void screenReaderFindsIt_data() {
        QTest::addColumn<bool>("inProtocolWindow");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("program text")
            << false << int(QAccessible::EditableText) << QString() << QStringLiteral("10 cload 7");
        QTest::newRow("register table")
            << false << int(QAccessible::Table) << QStringLiteral("Registerbelegung") << QString();
        QTest::newRow("step counter") << false << int(QAccessible::StaticText)
                                      << QStringLiteral("Schritte") << QStringLiteral("1");
        QTest::newRow("protocol text")
            << true << int(QAccessible::EditableText) << QString() << QStringLiteral("0\t\n7\t0\t");
    }
    void screenReaderFindsIt() {
        QFETCH(bool, inProtocolWindow);
        QFETCH(int, role);
        QFETCH(QString, name);
        QFETCH(QString, text);
        FakeDialogs dialogs;
        THauptformular window(dialogs);
        TProtokollFormular protocol(dialogs);
        TOptionenFormular options;
        window.attach(protocol, options);
        window.ProgramMemo->setPlainText(QStringLiteral("10 cload 7\n20 end"));
        window.ProgrammResetClick();
        window.EinzelschrittClick();
        window.show();
        protocol.show();

        QWidget* top = inProtocolWindow ? static_cast<QWidget*>(&protocol) : &window;
        QAccessibleInterface* root = QAccessible::queryAccessibleInterface(top);
        QCOMPARE(root->role(), QAccessible::Window);
        QCOMPARE(root->text(QAccessible::Name), top->windowTitle());
        QStringList unnamed;
        QAccessibleInterface* node = find(
            root,
            [&](QAccessibleInterface* n) {
                return int(n->role()) == role &&
                       (name.isEmpty() || n->text(QAccessible::Name) == name) &&
                       wholeText(n).contains(text);
            },
            unnamed);
        QVERIFY(node);
        QCOMPARE(unnamed, QStringList());
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
