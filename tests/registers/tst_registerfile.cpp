#include "tRegisterEditor.h"
#include "zevoerror.h"

#include <QTest>

class TestRegisterFile : public QObject {
    Q_OBJECT
private slots:
    void startState() {
        TRegisterEditor grid;
        QCOMPARE(grid.rowCount(), 51);
        for (int n = 0; n < 51; ++n) {
            QCOMPARE(grid.item(n, 0)->text(), QStringLiteral("R%1").arg(n));
            QCOMPARE(grid.valueText(n), QStringLiteral("0"));
            QCOMPARE(grid.ReadRegister(n), 0);
            QCOMPARE(grid.SavedValues[n], 0);
        }
        QCOMPARE(grid.LastWrittenRegister, 0);
        QCOMPARE(grid.MarkChanges, false);
    }

    void writeAndReadBack_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<qint32>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("negative") << 5 << -12 << "-12";
        QTest::newRow("minimum") << 0 << qint32(-2147483647 - 1) << "-2147483648";
        QTest::newRow("maximum") << 50 << 2147483647 << "2147483647";
        QTest::newRow("zero") << 7 << 0 << "0";
    }
    void writeAndReadBack() {
        QFETCH(int, n);
        QFETCH(qint32, value);
        TRegisterEditor grid;
        grid.WriteRegister(n, value);
        QTEST(grid.valueText(n), "text");
        QCOMPARE(grid.ReadRegister(n), value);
        QCOMPARE(grid.LastWrittenRegister, n);
    }

    void userTextsAreReadByTheIntegerRule() {
        TRegisterEditor grid;
        grid.item(3, 1)->setText(QStringLiteral("007"));
        QCOMPARE(grid.ReadRegister(3), 7);
        QCOMPARE(grid.valueText(3), QStringLiteral("007")); // reading never rewrites
        grid.item(3, 1)->setText(QStringLiteral("2147483647"));
        QCOMPARE(grid.ReadRegister(3), 2147483647);
        for (const QString& bad : {QStringLiteral("2147483648"), QString()}) {
            grid.item(3, 1)->setText(bad);
            try {
                grid.ReadRegister(3);
                QFAIL("no conversion error");
            } catch (const ZevoError& e) {
                QCOMPARE(e.message(), QStringLiteral("'%1' ist kein gültiger Integerwert").arg(bad));
            }
        }
    }

    void saveClearRestore() {
        TRegisterEditor grid;
        grid.WriteRegister(4, 44);
        grid.SaveRegisters();
        grid.ClearRegisters();
        grid.RestoreRegisters();
        for (int n = 0; n < 51; ++n)
            QCOMPARE(grid.valueText(n), QStringLiteral("0")); // clearing empties the save area too
    }

    void restoreGivesWrittenFormAndKeepsTheMark() {
        TRegisterEditor grid;
        grid.item(2, 1)->setText(QStringLiteral("007"));
        grid.WriteRegister(4, -44);
        grid.SaveRegisters();
        grid.WriteRegister(9, 99);
        grid.WriteRegister(4, 1);
        grid.RestoreRegisters();
        QCOMPARE(grid.valueText(2), QStringLiteral("7"));
        QCOMPARE(grid.valueText(4), QStringLiteral("-44"));
        QCOMPARE(grid.valueText(9), QStringLiteral("0"));
        QCOMPARE(grid.LastWrittenRegister, 4);
    }

    void saveStopsAtTheFirstBadText() {
        TRegisterEditor grid;
        for (int n = 0; n < 51; ++n)
            grid.SavedValues[n] = -1;
        grid.WriteRegister(19, 19);
        grid.WriteRegister(21, 21);
        grid.item(20, 1)->setText(QStringLiteral("9999999999"));
        QVERIFY_THROWS_EXCEPTION(ZevoError, grid.SaveRegisters());
        QCOMPARE(grid.SavedValues[0], 0);
        QCOMPARE(grid.SavedValues[19], 19);
        QCOMPARE(grid.SavedValues[20], -1);
        QCOMPARE(grid.SavedValues[21], -1);
    }

    void markChangesIsOnlyAFlag() {
        TRegisterEditor grid;
        grid.SetMarkChanges(true);
        QVERIFY(grid.MarkChanges);
        grid.ClearRegisters();
        QVERIFY(grid.MarkChanges);
        QCOMPARE(grid.LastWrittenRegister, 0);
    }
};

QTEST_MAIN(TestRegisterFile)
#include "tst_registerfile.moc"
