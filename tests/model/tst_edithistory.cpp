// Undo and redo over every kind of change to the store, and the saved / in
// sync state that decides whether the user is asked before losing changes.
#include "model/DataManagement.h"
#include "model/DocumentState.h"
#include "model/EditHistory.h"

#include <QSignalSpy>
#include <QtTest>

#include <functional>

namespace {

using Change = std::function<void(DataManagement &, EditHistory &)>;

QByteArray block(const DataManagement &dm)
{
    return QByteArray(dm.blockData(), DataManagement::BlockSize);
}

// A configuration as another source (a preset, the keyboard) would bring it.
QByteArray otherBlock()
{
    QByteArray b(DataManagement::BlockSize, 0);
    b[0] = char(0xF0);
    b[1] = 0x02;
    for (int i = 2; i < DataManagement::EndOffset; ++i)
        b[i] = char((i * 5) & 0x7F);
    b[DataManagement::EndOffset] = char(0xF7);
    return b;
}

} // namespace

Q_DECLARE_METATYPE(Change)

class TestEditHistory : public QObject
{
    Q_OBJECT

private slots:
    void everyKindOfChangeIsOneNamedStep_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("name");

        QTest::newRow("pad field") << Change([](DataManagement &d, EditHistory &) { d.setPadInfo(3, "padData", 44); }) << "Edit";
        QTest::newRow("pad type click") << Change([](DataManagement &d, EditHistory &) { d.setPadInfo(0, "padtype", 2); }) << "Edit";
        QTest::newRow("pad mode click") << Change([](DataManagement &d, EditHistory &) { d.setPadInfo(15, "padMode", 1); }) << "Edit";
        QTest::newRow("knob") << Change([](DataManagement &d, EditHistory &) { d.setKnobInfo(9, "knboMax", 100); }) << "Edit";
        QTest::newRow("pitch") << Change([](DataManagement &d, EditHistory &) { d.setPitchInfo("returnTime", 99); }) << "Edit";
        QTest::newRow("transport") << Change([](DataManagement &d, EditHistory &) { d.setWalkingBeltInfo(5, "wbCh", 9); }) << "Edit";
        QTest::newRow("tempo") << Change([](DataManagement &d, EditHistory &) { d.setARPInfo("tempo", 200); }) << "Edit";
        QTest::newRow("arp") << Change([](DataManagement &d, EditHistory &) { d.setARPInfo("swing", 3); }) << "Edit";
        QTest::newRow("function") << Change([](DataManagement &d, EditHistory &) { d.setFuncInfo("sustain", 0); }) << "Edit";
        // The modulation type selector writes the type and a new value in one click.
        QTest::newRow("two fields in one pass") << Change([](DataManagement &d, EditHistory &) {
            d.setModInfo("modType", 1);
            d.setModInfo("modValue", 7);
        }) << "Edit";
        QTest::newRow("colour") << Change([](DataManagement &d, EditHistory &) { d.setPadColor(4, 10, 200, 30); }) << "Pad Color";
        QTest::newRow("note batch") << Change([](DataManagement &d, EditHistory &) { d.setPadNoteBatch(3, "Minor", false, 40, 2); }) << "Auto Populate";
        QTest::newRow("cc batch") << Change([](DataManagement &d, EditHistory &) { d.setPadCCBatch(2, true, true, 90, 3); }) << "Auto Populate";
        QTest::newRow("pc batch") << Change([](DataManagement &d, EditHistory &) { d.setPadPCBatch(1, false, 5, 4); }) << "Auto Populate";
        QTest::newRow("knob batch") << Change([](DataManagement &d, EditHistory &) { d.setKnobsBatch(3, "PC", false, 1, 2, 3, 4); }) << "Auto Populate";
        QTest::newRow("defaults after an edit") << Change([](DataManagement &d, EditHistory &h) {
            d.setPadInfo(3, "padData", 44);
            h.flush();
            d.initDefaultData();
        }) << "Restore The Default";
        QTest::newRow("opened preset") << Change([](DataManagement &d, EditHistory &h) {
            h.nameNextBlockChange("Open Preset");
            const QByteArray b = otherBlock();
            d.setBlockData(b.constData(), b.size());
        }) << "Open Preset";
        QTest::newRow("received configuration") << Change([](DataManagement &d, EditHistory &h) {
            h.nameNextBlockChange("Get From Hardware");
            const QByteArray b = otherBlock();
            d.setBlockData(b.constData(), b.size());
        }) << "Get From Hardware";
        QTest::newRow("unnamed whole block") << Change([](DataManagement &d, EditHistory &) {
            const QByteArray b = otherBlock();
            d.setBlockData(b.constData(), b.size());
        }) << "Change";
    }

    void everyKindOfChangeIsOneNamedStep()
    {
        QFETCH(Change, change);
        QFETCH(QString, name);
        DataManagement dm;
        EditHistory history(&dm);
        change(dm, history);
        const QByteArray after = block(dm);
        QCoreApplication::processEvents(); // the step is recorded at the end of the pass
        QVERIFY(history.canUndo());
        QCOMPARE(history.undoName(), name);
        QVERIFY(!history.canRedo());

        // Undo goes back to the block before the change, step by step, and
        // makes the pages reload.
        QSignalSpy reload(&dm, &DataManagement::s_updateDate);
        QByteArray previous;
        {
            DataManagement fresh;
            previous = block(fresh);
        }
        while (history.canUndo())
            history.undo();
        QCOMPARE(block(dm), previous);
        QVERIFY(reload.count() >= 1);
        QVERIFY(history.canRedo());
        while (history.canRedo())
            history.redo();
        QCOMPARE(block(dm), after);
        QCOMPARE(history.undoName(), name);
        QVERIFY(!history.canRedo());
    }

    void sequences()
    {
        DataManagement dm;
        EditHistory history(&dm);
        const QByteArray b0 = block(dm);
        dm.setPadInfo(15, "padData", 1);
        history.flush();
        const QByteArray b1 = block(dm);
        dm.setPadNoteBatch(1, "Major", false, 60, 1);
        history.flush();
        dm.setPadInfo(15, "padData", 1); // the same again: no step
        history.flush();
        QCOMPARE(history.undoCount(), 2);

        history.undo();
        QCOMPARE(block(dm), b1);
        QCOMPARE(history.redoName(), QStringLiteral("Auto Populate"));
        QCOMPARE(history.undoName(), QStringLiteral("Edit"));
        // A new change after an undo drops what could be redone.
        dm.setPadColor(1, 0, 0, 0);
        history.flush();
        QVERIFY(!history.canRedo());
        QCOMPARE(history.undoName(), QStringLiteral("Pad Color"));
        history.undo();
        history.undo();
        QCOMPARE(block(dm), b0);
        QVERIFY(!history.canUndo());
        history.undo(); // nothing left: nothing happens
        QCOMPARE(block(dm), b0);
        history.redo();
        QCOMPARE(block(dm), b1);

        // A change still waiting for the end of its pass is undone too.
        dm.setKnobInfo(0, "knboData", 3);
        history.undo();
        QCOMPARE(block(dm), b1);
    }

    void keepsAtLeastFiveHundredSteps()
    {
        DataManagement dm;
        EditHistory history(&dm);
        const QByteArray start = block(dm);
        const int steps = 600;
        for (int i = 1; i <= steps; ++i) {
            dm.setPadInfo(i % 16, "padData", i % 2 ? 1 : 2);
            dm.setKnobInfo(0, "knboData", i % 100);
            history.flush();
        }
        QCOMPARE(history.undoCount(), steps);
        for (int i = 0; i < steps; ++i)
            history.undo();
        QCOMPARE(block(dm), start);
    }

    // Modified: differs from the preset last saved or opened; in sync: equal
    // to what the keyboard last sent or received; pending: neither.
    void savedAndInSyncState()
    {
        DataManagement dm;
        DocumentState state(&dm);
        QSignalSpy changed(&state, &DocumentState::changed);
        QVERIFY(!state.isModified());
        QVERIFY(!state.isKeyboardKnown());
        QVERIFY(!state.hasPendingChanges());
        QCOMPARE(state.fileName(), QString());

        dm.setPadInfo(0, "padData", 1);
        QVERIFY(state.isModified());
        QVERIFY(state.hasPendingChanges());
        QVERIFY(changed.count() >= 1);

        state.markKeyboard(); // sent
        QVERIFY(state.isInSync());
        QVERIFY(state.isModified());
        QVERIFY(!state.hasPendingChanges());

        dm.setPadInfo(0, "padData", 2);
        QVERIFY(!state.isInSync());
        QVERIFY(state.hasPendingChanges());
        dm.setPadInfo(0, "padData", 1); // back to what the keyboard has
        QVERIFY(state.isInSync());

        state.markSaved("/some/where/live set.stm");
        QCOMPARE(state.fileName(), QStringLiteral("live set.stm"));
        QVERIFY(!state.isModified());
        dm.initDefaultData();
        QVERIFY(state.isModified());
        QVERIFY(!state.isInSync());
        QVERIFY(state.hasPendingChanges());

        // Header bytes (version, command) are not the user's edits.
        DataManagement other;
        DocumentState otherState(&other);
        QByteArray b = block(other);
        b[1] = 0x02;
        b[3] = 9;
        other.setBlockData(b.constData(), b.size());
        QVERIFY(!otherState.isModified());
    }
};

QTEST_GUILESS_MAIN(TestEditHistory)
#include "tst_edithistory.moc"
