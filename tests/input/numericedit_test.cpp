#include "inputfixture.h"

#include "input/calculatorpopup.h"

#include <QSignalSpy>
#include <QToolButton>

namespace kvor::test {

namespace {

using NumericEdits = InputTest;

TEST_F(NumericEdits, ShowGroupedTwoDecimalsWithoutFocusAndBareNumberWithFocus)
{
    showPage(3);
    // 14700 kg of product; 8.24957911 air changes a day; -18 °C.
    EXPECT_EQ(named<NumericEdit>("DBEdit3")->text(), QStringLiteral("14,700"));
    showPage(1);
    EXPECT_EQ(named<NumericEdit>("DBEdit13")->text(), QStringLiteral("8.25"));
    EXPECT_EQ(named<NumericEdit>("DBEdit42")->text(), QStringLiteral("-18"));

    showPage(3);
    named<NumericEdit>("DBEdit3")->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(named<NumericEdit>("DBEdit3")->text(), QStringLiteral("14700"));
    leave(named<NumericEdit>("DBEdit3"));
    EXPECT_EQ(named<NumericEdit>("DBEdit3")->text(), QStringLiteral("14,700"));

    // Zero shows "0" until the edit is entered, then nothing.
    setField("PER_KOL", 0);
    EXPECT_EQ(named<NumericEdit>("DBEdit12")->text(), QStringLiteral("0"));
    showPage(6);
    named<NumericEdit>("DBEdit12")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(named<NumericEdit>("DBEdit12")->text(), QString());
    EXPECT_EQ(field("ST_IZT1").toInt(), 0);
    EXPECT_EQ(named<NumericEdit>("DBEdit24")->text(), QStringLiteral("0"));
    showPage(0);
    named<NumericEdit>("DBEdit24")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(named<NumericEdit>("DBEdit24")->text(), QString());
}

TEST_F(NumericEdits, CommaAndPointTypeTheSystemSeparator)
{
    typeInto(named<NumericEdit>("DBEdit38"), QStringLiteral("2.5"));
    EXPECT_EQ(named<NumericEdit>("DBEdit38")->text(), QStringLiteral("2.5"));
    typeInto(named<NumericEdit>("DBEdit38"), QStringLiteral("2,75"));
    EXPECT_EQ(named<NumericEdit>("DBEdit38")->text(), QStringLiteral("2.75"));
    leave(named<NumericEdit>("DBEdit38"));
    EXPECT_DOUBLE_EQ(field("OB_KAMDL").toDouble(), 2.75);

    // Where the system writes a comma, both keys type a comma.
    QLocale::setDefault(QLocale(QLocale::Ukrainian, QLocale::Ukraine));
    typeInto(named<NumericEdit>("DBEdit39"), QStringLiteral("3.5"));
    EXPECT_EQ(named<NumericEdit>("DBEdit39")->text(), QStringLiteral("3,5"));
    typeInto(named<NumericEdit>("DBEdit39"), QStringLiteral("4,25"));
    EXPECT_EQ(named<NumericEdit>("DBEdit39")->text(), QStringLiteral("4,25"));
    leave(named<NumericEdit>("DBEdit39"));
    EXPECT_DOUBLE_EQ(field("OB_KAMSH").toDouble(), 4.25);
    EXPECT_EQ(named<NumericEdit>("DBEdit39")->text(), QStringLiteral("4,25"));
    EXPECT_EQ(beeps, 0);
}

TEST_F(NumericEdits, RefuseCharactersThatCannotMakeANumberWithABeep)
{
    typeInto(named<NumericEdit>("DBEdit38"), QStringLiteral("1"));
    QTest::keyClicks(named<NumericEdit>("DBEdit38"), QStringLiteral("a"));
    EXPECT_EQ(beeps, 1);
    QTest::keyClicks(named<NumericEdit>("DBEdit38"), QStringLiteral(".5"));
    QTest::keyClicks(named<NumericEdit>("DBEdit38"), QStringLiteral("."));  // a second separator
    QTest::keyClicks(named<NumericEdit>("DBEdit38"), QStringLiteral("25")); // a third decimal
    QTest::keyClicks(named<NumericEdit>("DBEdit38"), QStringLiteral("-"));  // a sign after digits
    QTest::keyClicks(named<NumericEdit>("DBEdit38"), QStringLiteral(" "));
    EXPECT_EQ(beeps, 5);
    EXPECT_EQ(named<NumericEdit>("DBEdit38")->text(), QStringLiteral("1.52"));

    // MaxLength: the running time holds two characters.
    typeInto(named<NumericEdit>("RxDBCalcEdit1"), QStringLiteral("123"));
    EXPECT_EQ(named<NumericEdit>("RxDBCalcEdit1")->text(), QStringLiteral("12"));
    EXPECT_EQ(beeps, 6);

    // Pasting goes through the same check.
    typeInto(named<NumericEdit>("DBEdit39"), QStringLiteral("7"));
    named<NumericEdit>("DBEdit39")->insert(QStringLiteral("x9"));
    EXPECT_EQ(named<NumericEdit>("DBEdit39")->text(), QStringLiteral("7"));
}

TEST_F(NumericEdits, EscRestoresTheStoredValue)
{
    typeInto(named<NumericEdit>("DBEdit38"), QStringLiteral("77"));
    EXPECT_EQ(named<NumericEdit>("DBEdit38")->text(), QStringLiteral("77"));
    QTest::keyClick(named<NumericEdit>("DBEdit38"), Qt::Key_Escape);
    EXPECT_EQ(named<NumericEdit>("DBEdit38")->text(), QStringLiteral("6"));
    leave(named<NumericEdit>("DBEdit38"));
    EXPECT_DOUBLE_EQ(field("OB_KAMDL").toDouble(), 6.0);
}

TEST_F(NumericEdits, LeavingBringsOutOfRangeValuesToTheNearerBound)
{
    struct Case {
        NumericEdit *edit;
        int page;
        const char *typed;
        const char *field;
        double stored;
    };
    const Case cases[] = {
        {named<NumericEdit>("DBEdit30"), 0, "-60", "ST_TEM1", -50},     // outside temperature, -50 to 300
        {named<NumericEdit>("DBEdit42"), 0, "-70", "OB_TEMKAM", -60},   // chamber temperature, -60 to 900
        {named<NumericEdit>("RxDBCalcEdit1"), 0, "30", "OB_TIMEWRK", 24}, // running time, 1 to 24
        {named<NumericEdit>("DBEdit45"), 0, "0.5", "OB_KZAPAS", 1},     // safety coefficient, 1 to 2
        {named<NumericEdit>("DBEdit24"), 0, "1500", "ST_IZT1", 1500},   // insulation thickness, 0 to 2000
        {named<NumericEdit>("DBEdit17"), 0, "1500", "ST_MT1", 1000},    // material thickness, 0 to 1000
        {named<NumericEdit>("DBEdit37"), 0, "40", "OB_RGVLAJ", 50},     // outdoor humidity, 50 to 100
        {named<NumericEdit>("DBEdit47"), 8, "1500", "VO_POW", 1500},    // no range
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.field);
        showPage(c.page);
        c.edit->setEnabled(true);
        typeInto(c.edit, QString::fromLatin1(c.typed));
        leave(c.edit);
        EXPECT_DOUBLE_EQ(field(c.field).toDouble(), c.stored);
        EXPECT_EQ(c.edit->text(), QLocale().toString(c.stored, 'f', 0));
    }
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(NumericEdits, ZeroAndNegativeThicknessClearTheField)
{
    showPage(1);
    EXPECT_FALSE(blank("VN_KR"));
    typeInto(named<NumericEdit>("DBEdit13"), QStringLiteral("0"));
    leave(named<NumericEdit>("DBEdit13"));
    EXPECT_TRUE(blank("VN_KR"));
    EXPECT_EQ(field("VN_KR").toDouble(), 0.0);
    EXPECT_EQ(named<NumericEdit>("DBEdit13")->text(), QStringLiteral("0"));

    // A negative material thickness is brought to 0, which clears it.
    showPage(0);
    EXPECT_EQ(field("ST_MT2").toInt(), 120);
    typeInto(named<NumericEdit>("DBEdit19"), QStringLiteral("-5"));
    leave(named<NumericEdit>("DBEdit19"));
    EXPECT_TRUE(blank("ST_MT2"));
    EXPECT_EQ(field("ST_MT2").toInt(), 0);

    // The cleared field is blank in the file too.
    dm->taWork.post();
    DbfTable copy;
    copy.setTableName(dm->taWork.filePath());
    copy.open();
    EXPECT_TRUE(copy.fieldByName(QStringLiteral("ST_MT2"))->rawTextFrom(copy.recordBuffer()).isEmpty());
    EXPECT_EQ(copy.value(QStringLiteral("ST_MT3")).toInt(), 120);
}

TEST_F(NumericEdits, ValidatedEditRefusesOutOfRangeWithMessageAndKeepsFocus)
{
    showPage(8);
    QSignalSpy exited(named<NumericEdit>("DBEdit48"), &NumericEdit::exited);
    QSignalSpy handler(input, &InputPanel::inputChanged);
    typeInto(named<NumericEdit>("DBEdit48"), QStringLiteral("95"));
    leave(named<NumericEdit>("DBEdit48"));
    QApplication::processEvents();
    ASSERT_EQ(messages, QStringList{QStringLiteral("Value must be between 1.00 and 90.00")});
    EXPECT_TRUE(named<NumericEdit>("DBEdit48")->hasFocus());
    EXPECT_EQ(named<NumericEdit>("DBEdit48")->selectedText(), QStringLiteral("95"));
    EXPECT_EQ(field("VO_PROC").toInt(), 15);
    EXPECT_EQ(exited.count(), 0);
    EXPECT_EQ(handler.count(), 0);

    // The bounds follow the system's separator.
    QLocale::setDefault(QLocale(QLocale::Ukrainian, QLocale::Ukraine));
    EXPECT_EQ(NumericEdit::rangeMessage(1, 90), QStringLiteral("Value must be between 1,00 and 90,00"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));

    typeInto(named<NumericEdit>("DBEdit48"), QStringLiteral("45"));
    leave(named<NumericEdit>("DBEdit48"));
    EXPECT_EQ(field("VO_PROC").toInt(), 45);
    EXPECT_EQ(exited.count(), 1);
    EXPECT_EQ(handler.count(), 1);
    EXPECT_EQ(messages.size(), 1);

    // The outdoor temperature is validated too, but has no range: anything passes.
    named<NumericEdit>("DBEdit36")->setEnabled(true);
    typeInto(named<NumericEdit>("DBEdit36"), QStringLiteral("-45"));
    leave(named<NumericEdit>("DBEdit36"));
    EXPECT_EQ(field("OB_RGTMAX").toInt(), -45);
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(NumericEdits, IntegerFieldsGetWholeNumbersRoundedHalfToEven)
{
    showPage(2);
    typeInto(named<NumericEdit>("DBEdit2"), QStringLiteral("1000.5"));
    leave(named<NumericEdit>("DBEdit2"));
    EXPECT_EQ(field("IN_GPTS").toInt(), 1000);
    typeInto(named<NumericEdit>("DBEdit2"), QStringLiteral("1001.5"));
    leave(named<NumericEdit>("DBEdit2"));
    EXPECT_EQ(field("IN_GPTS").toInt(), 1002);
    EXPECT_EQ(named<NumericEdit>("DBEdit2")->text(), QStringLiteral("1,002"));

    typeInto(named<NumericEdit>("DBEdit1"), QStringLiteral("2.25"));
    leave(named<NumericEdit>("DBEdit1"));
    EXPECT_DOUBLE_EQ(field("IN_DV").toDouble(), 2.25);

    // A number too large for the field is the table's error; the typed text and the focus stay.
    typeInto(named<NumericEdit>("DBEdit2"), QStringLiteral("99999999999999"));
    leave(named<NumericEdit>("DBEdit2"));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.at(0).startsWith(QStringLiteral("Number too large to fit in field"))) << errors.at(0).toStdString();
    EXPECT_TRUE(named<NumericEdit>("DBEdit2")->hasFocus());
    EXPECT_EQ(named<NumericEdit>("DBEdit2")->text(), QStringLiteral("99999999999999"));
    EXPECT_EQ(field("IN_GPTS").toInt(), 1002);
    QTest::keyClick(named<NumericEdit>("DBEdit2"), Qt::Key_Escape);
    EXPECT_EQ(named<NumericEdit>("DBEdit2")->text(), QStringLiteral("1002"));
}

TEST_F(NumericEdits, ClickSelectsAllAndEnterMovesOn)
{
    named<NumericEdit>("DBEdit38")->setFocus(Qt::TabFocusReason);
    named<NumericEdit>("DBEdit38")->deselect();
    QTest::mouseClick(named<NumericEdit>("DBEdit38"), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(named<NumericEdit>("DBEdit38")->selectedText(), QStringLiteral("6"));

    QSignalSpy exited(named<NumericEdit>("DBEdit38"), &NumericEdit::exited);
    QTest::keyClicks(named<NumericEdit>("DBEdit38"), QStringLiteral("8"));
    QTest::keyClick(named<NumericEdit>("DBEdit38"), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(named<NumericEdit>("DBEdit39")->hasFocus());
    EXPECT_EQ(exited.count(), 1);
    EXPECT_DOUBLE_EQ(field("OB_KAMDL").toDouble(), 8.0);
    // The volume follows at once.
    EXPECT_EQ(named<DbEdit>("DBEdit41")->text(), QStringLiteral("96"));
}

TEST_F(NumericEdits, LeavingWithoutTypingRunsTheHandlerButWritesNothing)
{
    QSignalSpy exited(named<NumericEdit>("DBEdit38"), &NumericEdit::exited);
    named<NumericEdit>("DBEdit38")->setFocus(Qt::TabFocusReason);
    leave(named<NumericEdit>("DBEdit38"));
    EXPECT_EQ(exited.count(), 1);
    EXPECT_EQ(dm->taWork.state(), DbfTable::State::Browse);
    // 8.24957911 shows as 8.25 but stays as stored.
    showPage(1);
    named<NumericEdit>("DBEdit13")->setFocus(Qt::TabFocusReason);
    leave(named<NumericEdit>("DBEdit13"));
    EXPECT_DOUBLE_EQ(field("VN_KR").toDouble(), 8.24957911);
}

TEST_F(NumericEdits, CalculatorResultBecomesTheValue)
{
    NumericEdit *edit = named<NumericEdit>("DBEdit39");
    QTest::mouseClick(edit->calculatorButton(), Qt::LeftButton);
    CalculatorPopup *calc = edit->calculator();
    ASSERT_TRUE(calc->isVisible());
    EXPECT_TRUE(edit->hasFocus() || calc->hasFocus());
    EXPECT_EQ(calc->displayText(), QStringLiteral("4"));
    QTest::keyClicks(calc, QStringLiteral("2.5*3"));
    EXPECT_EQ(calc->displayText(), QStringLiteral("3"));
    QTest::keyClick(calc, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(calc->isVisible());
    EXPECT_DOUBLE_EQ(field("OB_KAMSH").toDouble(), 7.5);
    EXPECT_EQ(named<DbEdit>("DBEdit41")->text(), QStringLiteral("135"));

    // The result is clamped like typed text: 5 × 6 hours becomes 24.
    QTest::mouseClick(named<NumericEdit>("RxDBCalcEdit1")->calculatorButton(), Qt::LeftButton);
    CalculatorPopup *hours = named<NumericEdit>("RxDBCalcEdit1")->calculator();
    for (QChar k : QStringLiteral("C5*6=")) {
        hours->press(k);
    }
    QApplication::processEvents();
    EXPECT_EQ(field("OB_TIMEWRK").toInt(), 24);

    // Division by zero gives no value until cleared; Esc closes without one.
    QTest::mouseClick(edit->calculatorButton(), Qt::LeftButton);
    QTest::keyClicks(calc, QStringLiteral("1/0="));
    EXPECT_EQ(calc->displayText(), QStringLiteral("Error"));
    EXPECT_TRUE(calc->isVisible());
    QTest::keyClick(calc, Qt::Key_Escape);
    EXPECT_FALSE(calc->isVisible());
    EXPECT_DOUBLE_EQ(field("OB_KAMSH").toDouble(), 7.5);
}

TEST_F(NumericEdits, NoCalculationMeansNothingCanBeTyped)
{
    dm->taWork.close();
    EXPECT_EQ(named<NumericEdit>("DBEdit38")->text(), QString());
    typeInto(named<NumericEdit>("DBEdit38"), QStringLiteral("5"));
    EXPECT_EQ(named<NumericEdit>("DBEdit38")->text(), QString());
    leave(named<NumericEdit>("DBEdit38"));
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_TRUE(messages.isEmpty());
}

} // namespace

} // namespace kvor::test
