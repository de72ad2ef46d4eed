// The input panel's rules as the user meets them: typing, leaving, picking
// and clicking on the real widgets of the main window, then reading the record,
// the labels, the enabled states and the results panel.

#include "appfixture.h"

#include "document/calculationdocument.h"
#include "input/dbcheckbox.h"
#include "input/dbcombobox.h"
#include "input/dblookupcombobox.h"
#include "input/inputpanel.h"
#include "input/numericedit.h"
#include "input/pagecontrol.h"
#include "input/radiogroup.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QStatusBar>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QPushButton>
#include <QTest>

// Readable failure messages.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace kvor::test {

namespace {

// A key click with its text, so Cyrillic letters arrive as typed (keyClicks
// would pass them through Latin-1).
void key(QWidget *w, int code, const QString &text = QString())
{
    QTest::sendKeyEvent(QTest::Click, w, Qt::Key(code), text, Qt::NoModifier);
}

class InputRulesTest : public AppTest {
protected:
    void openNew()
    {
        start();
        newCalculation(QStringLiteral("calc.kvor"));
        ASSERT_TRUE(dm->taWork.active());
        main->show();
        QApplication::setActiveWindow(main.get());
        QApplication::processEvents();
        ASSERT_TRUE(main->isActiveWindow());
        errors.clear();
    }

    template <class T>
    T *w(const char *name)
    {
        T *found = qobject_cast<T *>(main->inputPanel()->widget(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QVariant field(const char *name) { return dm->taWork.value(QString::fromLatin1(name)); }
    int whole(const char *name) { return field(name).toInt(); }
    double required() const { return main->resultValue(11); }
    QString label(const char *name) { return main->inputPanel()->panel()->findChild<QLabel *>(name)->text(); }

    // Shows the page that holds `w`, so it can take the focus.
    void reveal(QWidget *target)
    {
        PageControl *pages = w<PageControl>("Page95Control1");
        for (int i = 0; i < pages->count(); ++i)
            if (pages->widget(i)->isAncestorOf(target))
                pages->setCurrentIndex(i);
        QApplication::processEvents();
    }

    static void typeText(QWidget *w, const QString &text)
    {
        for (QChar c : text) {
            const int code = c.isDigit() ? Qt::Key_0 + c.digitValue()
                             : c == QLatin1Char('.') ? Qt::Key_Period
                             : c == QLatin1Char('-') ? Qt::Key_Minus
                                                     : Qt::Key_A;
            key(w, code, QString(c));
        }
    }

    // Types over the edit's text and leaves it with Tab, as the user would.
    void typeAndLeave(NumericEdit *edit, const QString &text)
    {
        reveal(edit);
        edit->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        ASSERT_TRUE(edit->hasFocus()) << qPrintable(edit->objectName());
        edit->selectAll();
        typeText(edit, text);
        key(edit, Qt::Key_Tab);
        QApplication::processEvents();
    }

    // Opens the list, moves to the row holding `text` and takes it with Enter.
    void pick(QComboBox *box, const QString &text)
    {
        reveal(box);
        box->setFocus(Qt::TabFocusReason);
        box->showPopup();
        QAbstractItemView *view = box->view();
        ASSERT_TRUE(view->isVisible());
        const int row = box->findText(text);
        ASSERT_GE(row, 0) << qPrintable(text);
        view->setCurrentIndex(view->model()->index(row, 0));
        key(view, Qt::Key_Return);
        QApplication::processEvents();
        // The offscreen platform does not give the activation back when a popup closes.
        QApplication::setActiveWindow(main.get());
    }

    void click(QAbstractButton *b)
    {
        reveal(b);
        b->click();
        QApplication::processEvents();
    }

    void expectOutsideTemperatures(int t)
    {
        for (int s = 1; s <= 6; ++s)
            EXPECT_EQ(field(qPrintable(QStringLiteral("ST_TEM%1").arg(s))).toInt(), t) << "surface " << s;
    }

    // One row of a reference table of the program's DATA, read by a table of our own.
    QVariant reference(const char *file, const char *key, const QString &name, const char *column)
    {
        DbfTable t;
        t.setDatabaseName(QDir(m_appDir).filePath(QStringLiteral("DATA")));
        t.setTableName(QString::fromLatin1(file));
        t.open();
        if (!t.locate(QString::fromLatin1(key), name, false))
            return QVariant();
        return t.value(QString::fromLatin1(column));
    }
    QStringList names(const char *file, const char *key, const QString &filter = {})
    {
        DbfTable t;
        t.setDatabaseName(QDir(m_appDir).filePath(QStringLiteral("DATA")));
        t.setTableName(QString::fromLatin1(file));
        t.open();
        if (!filter.isEmpty()) {
            t.setFilter(filter);
            t.setFiltered(true);
        }
        QStringList out;
        for (t.first(); !t.eof(); t.next())
            out << t.value(QString::fromLatin1(key)).toString();
        return out;
    }

    // The results shown are those a fresh run gives.
    void expectResultsCurrent()
    {
        const double shown = required();
        const double sum = main->resultValue(10);
        main->recalculate();
        EXPECT_DOUBLE_EQ(required(), shown) << "the results were stale";
        EXPECT_DOUBLE_EQ(main->resultValue(10), sum) << "the results were stale";
    }
};

TEST_F(InputRulesTest, OperatingModeSwitchesTextLabelsAndStoredMassFields)
{
    openNew();
    // Design texts until the first switch.
    EXPECT_EQ(label("Label13"), "Час роботи обладнання");
    EXPECT_EQ(label("Label54"), "Добовий оборот, (кг)");
    EXPECT_EQ(label("Label11"), "Добовий оборот, (кг)");
    for (QWidget *w : {static_cast<QWidget *>(w<NumericEdit>("DBEdit3")), static_cast<QWidget *>(w<NumericEdit>("DBEdit44")),
                       static_cast<QWidget *>(w<QLabel>("Label53")), static_cast<QWidget *>(w<QLabel>("Label43"))})
        EXPECT_FALSE(w->isHidden()) << qPrintable(w->objectName());
    const double storage = required();

    click(w<RadioGroup>("RadioGroup1")->button(1));
    EXPECT_EQ(field("OB_TERMR").toString(), "Охлаждение");
    EXPECT_EQ(label("Label13"), "Час     термообробки ");
    EXPECT_EQ(label("Label54"), "Охолоджувана маса,(кг)");
    EXPECT_EQ(label("Label11"), "Охолоджувана маса,(кг)");
    for (QWidget *w : {static_cast<QWidget *>(w<NumericEdit>("DBEdit3")), static_cast<QWidget *>(w<NumericEdit>("DBEdit44")),
                       static_cast<QWidget *>(w<QLabel>("Label53")), static_cast<QWidget *>(w<QLabel>("Label43"))})
        EXPECT_TRUE(w->isHidden()) << qPrintable(w->objectName());
    EXPECT_NE(required(), storage) << "cooling recalculates the product load";
    // For a look at the relabelled page.
    reveal(w<QLabel>("Label54"));
    QDir().mkpath(QStringLiteral(KVOR_BIN_DIR "/screens"));
    main->grab().save(QStringLiteral(KVOR_BIN_DIR "/screens/cooling.png"));

    click(w<RadioGroup>("RadioGroup1")->button(0));
    EXPECT_EQ(field("OB_TERMR").toString(), "Хранение");
    EXPECT_EQ(label("Label13"), "Время работы оборуд.");
    EXPECT_EQ(label("Label54"), "Суточный оборот,(кг)");
    EXPECT_EQ(label("Label11"), "Суточный оборот,(кг)");
    for (QWidget *w : {static_cast<QWidget *>(w<NumericEdit>("DBEdit3")), static_cast<QWidget *>(w<NumericEdit>("DBEdit44")),
                       static_cast<QWidget *>(w<QLabel>("Label53")), static_cast<QWidget *>(w<QLabel>("Label43"))})
        EXPECT_FALSE(w->isHidden()) << qPrintable(w->objectName());
    EXPECT_DOUBLE_EQ(required(), storage);
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join("; "));
}

TEST_F(InputRulesTest, RegionSetsClimateAndAllSixOutsideTemperatures)
{
    openNew();
    EXPECT_FALSE(w<NumericEdit>("DBEdit36")->isEnabled());
    EXPECT_FALSE(w<NumericEdit>("DBEdit37")->isEnabled());
    const double kiev = required();

    // АР Крым: 32 °C, 45 %, floor and ceiling included.
    pick(w<DbLookupComboBox>("DBLookupComboBox3"), QStringLiteral("АР Крым"));
    EXPECT_EQ(field("OB_RGNAIM").toString(), "АР Крым");
    EXPECT_EQ(whole("OB_RGTMAX"), 32);
    EXPECT_EQ(whole("OB_RGVLAJ"), 45);
    expectOutsideTemperatures(32);
    EXPECT_FALSE(w<NumericEdit>("DBEdit36")->isEnabled());
    EXPECT_FALSE(w<NumericEdit>("DBEdit37")->isEnabled());
    EXPECT_GT(required(), kiev);
    const double crimea = required();

    // "Другой" keeps the climate as it was and opens it for typing; the
    // surfaces still take the outdoor temperature.
    dm->taWork.edit();
    dm->taWork.setValue("ST_TEM6", 10);
    pick(w<DbLookupComboBox>("DBLookupComboBox3"), QStringLiteral("Другой"));
    EXPECT_EQ(field("OB_RGNAIM").toString(), CalculationDocument::otherRegion());
    EXPECT_EQ(whole("OB_RGTMAX"), 32);
    EXPECT_EQ(whole("OB_RGVLAJ"), 45);
    expectOutsideTemperatures(32);
    EXPECT_TRUE(w<NumericEdit>("DBEdit36")->isEnabled());
    EXPECT_TRUE(w<NumericEdit>("DBEdit37")->isEnabled());
    EXPECT_DOUBLE_EQ(required(), crimea);

    // A typed outdoor temperature goes to every surface when its field is left.
    typeAndLeave(w<NumericEdit>("DBEdit36"), QStringLiteral("28"));
    EXPECT_EQ(whole("OB_RGTMAX"), 28);
    expectOutsideTemperatures(28);
    EXPECT_LT(required(), crimea);

    // Back to a listed region: its figures, and the fields locked again.
    pick(w<DbLookupComboBox>("DBLookupComboBox3"), QStringLiteral("Луганская"));
    EXPECT_EQ(whole("OB_RGTMAX"), 34);
    EXPECT_EQ(whole("OB_RGVLAJ"), 42);
    expectOutsideTemperatures(34);
    EXPECT_FALSE(w<NumericEdit>("DBEdit36")->isEnabled());
    EXPECT_FALSE(w<NumericEdit>("DBEdit37")->isEnabled());
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join("; "));
}

TEST_F(InputRulesTest, SameConstructionCopiesWallAOverTheOtherRows)
{
    openNew();
    // Unticked: rows differ and an edit of the ceiling stays.
    typeAndLeave(w<NumericEdit>("DBEdit28"), QStringLiteral("150"));
    EXPECT_EQ(whole("ST_IZT5"), 150);
    EXPECT_EQ(field("ST_M6").toString(), "Железобетон");

    click(w<DbCheckBox>("chIdent"));
    ASSERT_TRUE(w<DbCheckBox>("chIdent")->isChecked());
    EXPECT_TRUE(field("ST_IDENT").toBool());
    for (int s = 2; s <= 6; ++s) {
        const QString n = QString::number(s);
        EXPECT_EQ(field(qPrintable("ST_M" + n)).toString(), "Сэндвич-панель ППУ") << s;
        EXPECT_EQ(whole(qPrintable("ST_MT" + n)), 120) << s;
        EXPECT_EQ(field(qPrintable("ST_IZ" + n)).toString(), "Пенополиуретан") << s;
        EXPECT_EQ(whole(qPrintable("ST_IZT" + n)), 0) << s;
        EXPECT_EQ(whole(qPrintable("ST_TEM" + n)), 31) << s;
    }
    const double copied = required();

    // Typing 150 into the ceiling's insulation thickness is overwritten at once.
    typeAndLeave(w<NumericEdit>("DBEdit28"), QStringLiteral("150"));
    EXPECT_EQ(whole("ST_IZT5"), 0);
    EXPECT_DOUBLE_EQ(required(), copied);

    // A change of wall А goes to all rows.
    typeAndLeave(w<NumericEdit>("DBEdit24"), QStringLiteral("80"));
    for (int s = 1; s <= 6; ++s)
        EXPECT_EQ(whole(qPrintable(QStringLiteral("ST_IZT%1").arg(s))), 80) << s;
    EXPECT_LT(required(), copied);
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join("; "));
}

TEST_F(InputRulesTest, FinalTemperaturesFollowTheChamberInStorageOnly)
{
    openNew();
    typeAndLeave(w<NumericEdit>("DBEdit5"), QStringLiteral("-10"));
    typeAndLeave(w<NumericEdit>("DBEdit9"), QStringLiteral("-5"));
    ASSERT_EQ(whole("TE_PT1"), -10);
    ASSERT_EQ(whole("TE_TT1"), -5);

    typeAndLeave(w<NumericEdit>("DBEdit42"), QStringLiteral("-18"));
    EXPECT_EQ(whole("OB_TEMKAM"), -18);
    EXPECT_EQ(whole("TE_PT1"), -18);
    EXPECT_EQ(whole("TE_TT1"), -18);
    EXPECT_EQ(w<NumericEdit>("DBEdit5")->text(), "-18");

    click(w<RadioGroup>("RadioGroup1")->button(1));
    typeAndLeave(w<NumericEdit>("DBEdit5"), QStringLiteral("2"));
    typeAndLeave(w<NumericEdit>("DBEdit9"), QStringLiteral("4"));
    const double before = required();
    typeAndLeave(w<NumericEdit>("DBEdit42"), QStringLiteral("0"));
    EXPECT_EQ(whole("OB_TEMKAM"), 0);
    EXPECT_EQ(whole("TE_PT1"), 2);
    EXPECT_EQ(whole("TE_TT1"), 4);
    EXPECT_NE(required(), before) << "the chamber temperature itself is recalculated";
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join("; "));
}

TEST_F(InputRulesTest, StackingHeightIsHalfAMetreBelowTheCeiling)
{
    openNew();
    typeAndLeave(w<NumericEdit>("DBEdit40"), QStringLiteral("3.2"));
    EXPECT_DOUBLE_EQ(field("OB_KAMVS").toDouble(), 3.2);
    EXPECT_NEAR(field("IN_VSHTAB").toDouble(), 2.7, 1e-9);
    EXPECT_EQ(w<NumericEdit>("RxDBCalcEdit2")->text(), "2.7");

    typeAndLeave(w<NumericEdit>("DBEdit40"), QStringLiteral("0.5"));
    EXPECT_DOUBLE_EQ(field("IN_VSHTAB").toDouble(), 0.0);
    typeAndLeave(w<NumericEdit>("DBEdit40"), QStringLiteral("0.4"));
    EXPECT_DOUBLE_EQ(field("IN_VSHTAB").toDouble(), 0.0);

    // Leaving the stacking height itself derives nothing.
    typeAndLeave(w<NumericEdit>("RxDBCalcEdit2"), QStringLiteral("1.5"));
    EXPECT_DOUBLE_EQ(field("IN_VSHTAB").toDouble(), 1.5);
    EXPECT_DOUBLE_EQ(field("OB_KAMVS").toDouble(), 0.4);
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join("; "));
}

TEST_F(InputRulesTest, FullLoadFromChamberStackingAndDensity)
{
    openNew();
    typeAndLeave(w<NumericEdit>("DBEdit38"), QStringLiteral("10"));
    typeAndLeave(w<NumericEdit>("DBEdit39"), QStringLiteral("6"));
    typeAndLeave(w<NumericEdit>("DBEdit40"), QStringLiteral("3.2")); // stacking 2.7
    typeAndLeave(w<NumericEdit>("RxDBCalcEdit3"), QStringLiteral("350"));
    const double before = required();

    ASSERT_EQ(w<RadioGroup>("RadioGroup2")->itemIndex(), 0);
    click(w<QPushButton>("BitBtn1"));
    EXPECT_EQ(whole("TE_PMAS"), 39690);
    EXPECT_EQ(whole("TE_POBOR"), 3969);
    EXPECT_GT(required(), before);

    click(w<RadioGroup>("RadioGroup2")->button(1));
    EXPECT_EQ(whole("TE_PMAS"), 39690) << "the speed alone runs nothing";
    click(w<QPushButton>("BitBtn1"));
    EXPECT_EQ(whole("TE_PMAS"), 28350);
    EXPECT_EQ(whole("TE_POBOR"), 2835);

    click(w<RadioGroup>("RadioGroup1")->button(1));
    const double storage = required();
    click(w<QPushButton>("BitBtn1"));
    EXPECT_EQ(whole("TE_PMAS"), 28350);
    EXPECT_EQ(whole("TE_POBOR"), 28350);
    EXPECT_GT(required(), storage);
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join("; "));
}

TEST_F(InputRulesTest, CheckBoxesEnableTheirFieldsAndLockTheLightingPower)
{
    openNew();
    // The template: rate computed, fans by share, lighting typed.
    EXPECT_FALSE(w<NumericEdit>("DBEdit13")->isEnabled());
    EXPECT_FALSE(w<NumericEdit>("DBEdit46")->isEnabled());
    EXPECT_FALSE(w<NumericEdit>("DBEdit47")->isEnabled());
    EXPECT_TRUE(w<NumericEdit>("DBEdit48")->isEnabled());
    // The template takes the recommended lighting power: locked at 5.
    EXPECT_TRUE(w<DbCheckBox>("DBCheckBox2")->isChecked());
    EXPECT_FALSE(w<NumericEdit>("DBEdit15")->isEnabled());
    EXPECT_EQ(whole("OS_POW"), 5);
    click(w<DbCheckBox>("DBCheckBox2"));
    EXPECT_TRUE(w<NumericEdit>("DBEdit15")->isEnabled());
    EXPECT_EQ(whole("OS_POW"), 5);

    typeAndLeave(w<NumericEdit>("DBEdit15"), QStringLiteral("12"));
    ASSERT_EQ(whole("OS_POW"), 12);
    const double typed = required();
    click(w<DbCheckBox>("DBCheckBox2"));
    EXPECT_TRUE(field("OS_REC").toBool());
    EXPECT_EQ(whole("OS_POW"), 5);
    EXPECT_FALSE(w<NumericEdit>("DBEdit15")->isEnabled());
    EXPECT_LT(required(), typed);
    const double recommended = required();
    click(w<DbCheckBox>("DBCheckBox2"));
    EXPECT_FALSE(field("OS_REC").toBool());
    EXPECT_EQ(whole("OS_POW"), 5);
    EXPECT_TRUE(w<NumericEdit>("DBEdit15")->isEnabled());
    EXPECT_DOUBLE_EQ(required(), recommended);

    click(w<DbCheckBox>("DBCheckBox4"));
    EXPECT_TRUE(w<NumericEdit>("DBEdit13")->isEnabled());
    click(w<DbCheckBox>("DBCheckBox3"));
    EXPECT_TRUE(w<NumericEdit>("DBEdit46")->isEnabled());
    EXPECT_TRUE(w<NumericEdit>("DBEdit47")->isEnabled());
    EXPECT_FALSE(w<NumericEdit>("DBEdit48")->isEnabled());
    // The door box enables nothing but refreshes the rest.
    w<NumericEdit>("DBEdit13")->setEnabled(false);
    click(w<DbCheckBox>("DBCheckBox1"));
    EXPECT_TRUE(w<NumericEdit>("DBEdit13")->isEnabled());
    click(w<DbCheckBox>("DBCheckBox3"));
    EXPECT_FALSE(w<NumericEdit>("DBEdit46")->isEnabled());
    EXPECT_TRUE(w<NumericEdit>("DBEdit48")->isEnabled());

    // A flag set in the record, not by a click, runs the rule through the box too.
    dm->taWork.edit();
    dm->taWork.setValue("OS_POW", 9);
    dm->taWork.post();
    ASSERT_EQ(whole("OS_POW"), 9);
    dm->taWork.edit();
    dm->taWork.setValue("OS_REC", true);
    QApplication::processEvents();
    EXPECT_TRUE(w<DbCheckBox>("DBCheckBox2")->isChecked());
    EXPECT_FALSE(w<NumericEdit>("DBEdit15")->isEnabled());
    EXPECT_EQ(whole("OS_POW"), 5);
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join("; "));
}

TEST_F(InputRulesTest, CategoryTypingRefiltersProductsAtEveryKeystroke)
{
    openNew();
    QComboBox *category = w<QComboBox>("ComboBox1");
    EXPECT_EQ(category->currentText(), "Мясне");
    EXPECT_EQ(field("TE_PTIP").toString(), "Куры");
    EXPECT_EQ(dm->taProd.value("NAIM").toString(), "Куры");

    // The product is looked up among the products the text selects: a partial
    // text selects none, so the product goes empty with the list.
    reveal(category);
    category->setFocus(Qt::TabFocusReason);
    category->lineEdit()->selectAll();
    typeText(category->lineEdit(), QStringLiteral("Мо"));
    EXPECT_EQ(dm->taProd.filter(), "TIP='Мо'");
    EXPECT_EQ(field("TE_PTIP").toString(), QString());
    EXPECT_TRUE(w<DbLookupComboBox>("DBLookupComboBox1")->listItems().isEmpty());

    // A product the table lacks: a partial text matches no category, so the
    // product goes empty at once and stays so until the category is complete.
    dm->taWork.edit();
    dm->taWork.setValue("TE_PTIP", "Невідомий");
    category->lineEdit()->selectAll();
    typeText(category->lineEdit(), QStringLiteral("Ов"));
    EXPECT_EQ(dm->taProd.filter(), "TIP='Ов'");
    EXPECT_EQ(field("TE_PTIP").toString(), QString());
    typeText(category->lineEdit(), QStringLiteral("оч"));
    EXPECT_EQ(dm->taProd.filter(), "TIP='Овоч'");
    EXPECT_EQ(field("TE_PTIP").toString(), QString());
    // The Latin i completes the category: its first product.
    typeText(category->lineEdit(), QStringLiteral("i"));
    EXPECT_EQ(field("TE_PTIP").toString(), "Картофель");
    EXPECT_EQ(dm->taProd.value("NAIM").toString(), "Картофель");
    const QStringList vegetables = w<DbLookupComboBox>("DBLookupComboBox1")->listItems();
    ASSERT_FALSE(vegetables.isEmpty());
    EXPECT_EQ(vegetables.first(), "Картофель");
    EXPECT_FALSE(vegetables.contains("Куры"));
    EXPECT_EQ(dm->taWork.state(), DbfTable::State::Edit);
    EXPECT_GT(required(), 0.0);

    // Picking the full category from the list: the products of "Iнше" (Latin I).
    pick(category, QLatin1Char('I') + QStringLiteral("нше"));
    EXPECT_EQ(dm->taProd.filter(), QStringLiteral("TIP='") + QLatin1Char('I') + QStringLiteral("нше'"));
    const QStringList other = w<DbLookupComboBox>("DBLookupComboBox1")->listItems();
    ASSERT_FALSE(other.isEmpty());
    EXPECT_EQ(field("TE_PTIP").toString(), other.first()) << "a vegetable is no other product";

    // A product picked from the list is kept and the products table stands on it.
    pick(category, QStringLiteral("Мясне"));
    pick(w<DbLookupComboBox>("DBLookupComboBox1"), QStringLiteral("Индейка"));
    EXPECT_EQ(field("TE_PTIP").toString(), "Индейка");
    EXPECT_EQ(dm->taProd.value("NAIM").toString(), "Индейка");
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join("; "));
}

TEST_F(InputRulesTest, WithoutACalculationOnlyTheProductCheckSpeaks)
{
    start();
    emit main->inputPanel()->productChanged();
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("База не открылась !")});
    prompts.messages.clear();
    emit main->inputPanel()->optionChecked();
    emit main->inputPanel()->chamberHeightEdited();
    emit main->inputPanel()->fillChamberClicked();
    emit main->inputPanel()->sameConstructionClicked();
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join("; "));
    EXPECT_EQ(main->resultValue(11), 0.0);
}

TEST_F(InputRulesTest, EnterInAResultFieldMovesOn)
{
    openNew();
    QLineEdit *result = main->resultEdit(3);
    result->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    ASSERT_TRUE(result->hasFocus());
    key(result, Qt::Key_Return);
    EXPECT_FALSE(result->hasFocus());
    EXPECT_NE(QApplication::focusWidget(), nullptr);
    // Other keys stay with the field.
    result->setFocus(Qt::TabFocusReason);
    key(result, Qt::Key_Right);
    EXPECT_TRUE(result->hasFocus());
}

// Dismissing the region list is a close-up with the record's own region as
// the choice: its climate, wherever the region table stood before.
TEST_F(InputRulesTest, DismissedRegionListKeepsTheRecordsRegionClimate)
{
    openNew();
    auto *regions = w<DbLookupComboBox>("DBLookupComboBox3");
    ASSERT_EQ(field("OB_RGNAIM").toString(), "Киевская");
    const int kievT = reference("s_region.dbf", "REG_NAIM", "Киевская", "REG_TEM").toInt();
    const int kievH = reference("s_region.dbf", "REG_NAIM", "Киевская", "REG_VLAJ").toInt();
    ASSERT_EQ(kievT, 31);

    struct Case {
        const char *tableOn; // where the region table stands: the first row (after
                             // start-up) or "Другой" (after choosing it)
        bool escape;         // Esc, or a click beside the list
    };
    for (const Case &c : {Case{nullptr, true}, Case{nullptr, false}, Case{"Другой", true}, Case{"Другой", false}}) {
        SCOPED_TRACE(std::string(c.tableOn ? c.tableOn : "first row") + (c.escape ? ", Esc" : ", click beside"));
        if (c.tableOn)
            dm->taRegion.locate("REG_NAIM", QString::fromUtf8(c.tableOn));
        else
            dm->taRegion.first();
        dm->taWork.edit();
        dm->taWork.setValue("OB_RGTMAX", 5);
        dm->taWork.setValue("OB_RGVLAJ", 60);
        reveal(regions);
        regions->setFocus(Qt::TabFocusReason);
        regions->showPopup();
        ASSERT_TRUE(regions->view()->isVisible());
        if (c.escape)
            key(regions->view(), Qt::Key_Escape);
        else
            QTest::mouseClick(regions->view()->parentWidget(), Qt::LeftButton, {}, QPoint(-30, -30));
        QApplication::processEvents();
        QApplication::setActiveWindow(main.get());
        ASSERT_FALSE(regions->view()->isVisible());
        EXPECT_EQ(field("OB_RGNAIM").toString(), "Киевская");
        EXPECT_EQ(dm->taRegion.value("REG_NAIM").toString(), "Киевская");
        EXPECT_EQ(whole("OB_RGTMAX"), kievT);
        EXPECT_EQ(whole("OB_RGVLAJ"), kievH);
        expectOutsideTemperatures(kievT);
        EXPECT_FALSE(w<NumericEdit>("DBEdit36")->isEnabled());
        expectResultsCurrent();
    }
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join("; "));
}

// Arrow keys and typed letters change a closed list as much as a pick does:
// the list's rule runs with its table on the new row.
TEST_F(InputRulesTest, KeyboardChangeOfAClosedListRunsItsRule)
{
    openNew();
    struct Case {
        const char *list;
        const char *field;
        int code;
        const char *text;
    };
    const Case cases[] = {
        {"DBLookupComboBox3", "OB_RGNAIM", Qt::Key_Down, nullptr},
        {"DBLookupComboBox3", "OB_RGNAIM", Qt::Key_A, "Л"},
        {"DBLookupComboBox1", "TE_PTIP", Qt::Key_Down, nullptr},
        {"DBLSt1", "ST_M1", Qt::Key_Down, nullptr},
        {"DBLookupComboBox10", "ST_IZ1", Qt::Key_End, nullptr},
    };
    click(w<DbCheckBox>("chIdent")); // wall А's construction goes to every row
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.list) + (c.text ? " typed" : " arrow"));
        auto *list = w<DbLookupComboBox>(c.list);
        const QString before = field(c.field).toString();
        reveal(list);
        list->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        key(list, c.code, c.text ? QString::fromUtf8(c.text) : QString());
        QApplication::processEvents();
        const QString now = list->currentText();
        ASSERT_NE(now, before);
        EXPECT_EQ(field(c.field).toString(), now);
        DbfTable *table = list->listSource()->dataSet();
        EXPECT_EQ(table->value(list->listField()).toString(), now);
        if (QLatin1String(c.field) == QLatin1String("OB_RGNAIM")) {
            const int t = reference("s_region.dbf", "REG_NAIM", now, "REG_TEM").toInt();
            EXPECT_EQ(whole("OB_RGTMAX"), t);
            EXPECT_EQ(whole("OB_RGVLAJ"), reference("s_region.dbf", "REG_NAIM", now, "REG_VLAJ").toInt());
            expectOutsideTemperatures(t);
        } else if (QLatin1String(c.field) == QLatin1String("TE_PTIP")) {
            EXPECT_EQ(w<QLineEdit>("DBEdit18")->text(),
                      reference("products.DBF", "NAIM", now, "TZAM").toString());
        } else {
            EXPECT_EQ(field(qPrintable(QString::fromLatin1(c.field).chopped(1) + "6")).toString(), now);
        }
        expectResultsCurrent();
    }
    // The category list too: the next category's first product.
    auto *category = w<QComboBox>("ComboBox1");
    reveal(category);
    category->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    key(category, Qt::Key_Down); // the typed-in text stands on no item: the first
    key(category, Qt::Key_Down);
    QApplication::processEvents();
    ASSERT_EQ(category->currentText(), "Морепродукти");
    EXPECT_EQ(field("TE_PTIP").toString(),
              names("products.DBF", "NAIM", QStringLiteral("TIP='Морепродукти'")).value(0));
    expectResultsCurrent();
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join("; "));
}

// Typing the goods type keystroke by keystroke keeps the text as typed; only
// the stored copy takes the code page's letters.
TEST_F(InputRulesTest, TypedGoodsTypeIsStoredAsTyped)
{
    openNew();
    auto *goods = w<DbComboBox>("DBComboBox2");
    const QString carcasses = QStringLiteral("Мясні туші на гаках");
    pick(goods, carcasses);
    const double picked = required();
    pick(goods, QStringLiteral("Штабелі на піддонах"));
    ASSERT_NE(required(), picked);

    goods->setFocus(Qt::TabFocusReason);
    goods->lineEdit()->selectAll();
    QString typed;
    for (QChar c : carcasses) {
        typed += c;
        key(goods->lineEdit(), Qt::Key_A, QString(c));
        ASSERT_EQ(goods->currentText(), typed);
    }
    key(goods, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(field("IN_TOV").toString(), QStringLiteral("Мясн") + QLatin1Char('i') + QStringLiteral(" туш")
                                              + QLatin1Char('i') + QStringLiteral(" на гаках"));
    EXPECT_EQ(goods->currentText(), carcasses);
    EXPECT_DOUBLE_EQ(required(), picked);
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join("; "));
}

// A value refused on leaving goes from the screen once the edit cannot get the
// focus back: the edit shows the record, through Save and into a new file.
TEST_F(InputRulesTest, RefusedValueGivesWayToTheRecordOnceTheFocusIsGone)
{
    openNew();
    auto *share = w<NumericEdit>("DBEdit48");
    const int stored = whole("VO_PROC");
    ASSERT_EQ(stored, 15);
    reveal(share);
    share->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    share->selectAll();
    typeText(share, QStringLiteral("95"));
    auto *pages = w<PageControl>("Page95Control1");
    QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(0).center());
    QApplication::processEvents();
    EXPECT_EQ(errors, QStringList{NumericEdit::rangeMessage(1, 90)});
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_EQ(whole("VO_PROC"), stored);
    EXPECT_EQ(share->text(), "15");
    EXPECT_FALSE(share->modified());

    prompts.files.push_back(userFile("calc.kvor"));
    main->saveFile();
    ASSERT_TRUE(dm->taWork.active());
    EXPECT_EQ(whole("VO_PROC"), stored);
    EXPECT_EQ(share->text(), "15");
    newCalculation(QStringLiteral("next.kvor"));
    ASSERT_TRUE(dm->taWork.active());
    EXPECT_EQ(share->text(), "15");
    reveal(share);
    EXPECT_EQ(share->text(), "15");
}

// R7's masses are whole kilograms, an exact half going to the even neighbour.
// A product outside the chosen category gives way to the category's first
// product; its freezing point shows and the calculation follows.
TEST_F(InputRulesTest, ChosenCategoryReplacesAProductOfAnotherCategory)
{
    openNew();
    ASSERT_EQ(field("TE_PTIP").toString(), "Куры");
    const QStringList fruit = names("products.DBF", "NAIM", QStringLiteral("TIP='Фрукти'"));
    ASSERT_FALSE(fruit.isEmpty());
    ASSERT_FALSE(fruit.contains("Куры"));
    const double meat = required();

    auto *category = w<QComboBox>("ComboBox1");
    pick(category, QStringLiteral("Фрукти"));
    EXPECT_EQ(field("TE_PTIP").toString(), fruit.first());
    EXPECT_EQ(dm->taProd.value("NAIM").toString(), fruit.first());
    EXPECT_EQ(w<DbLookupComboBox>("DBLookupComboBox1")->currentText(), fruit.first());
    EXPECT_EQ(w<QLineEdit>("DBEdit18")->text(), reference("products.DBF", "NAIM", fruit.first(), "TZAM").toString());
    EXPECT_NE(required(), meat);
    expectResultsCurrent();
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join("; "));
}

// The results caption is bold over regular rows; the three buttons take the
// focus as Вихід, Обладнання, Додатково; the hints of the same-construction box
// and the full-load button reach the status bar.
TEST_F(InputRulesTest, ResultsCaptionButtonOrderAndHints)
{
    openNew();
    auto *results = main->findChild<QGroupBox *>(QStringLiteral("GroupBox4"));
    ASSERT_NE(results, nullptr);
    EXPECT_TRUE(results->font().bold());
    for (int row : {1, 9}) {
        EXPECT_FALSE(main->includeBox(row)->font().bold()) << row;
        EXPECT_FALSE(main->resultEdit(row)->font().bold()) << row;
    }
    QDir().mkpath(QStringLiteral(KVOR_BIN_DIR "/screens"));
    results->grab().save(QStringLiteral(KVOR_BIN_DIR "/screens/results-caption.png"));

    auto *exit = main->findChild<QPushButton *>(QStringLiteral("Button1"));
    exit->setFocus(Qt::TabFocusReason);
    QStringList walked;
    for (int i = 0; i < 3; ++i) {
        walked << QApplication::focusWidget()->objectName();
        key(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(walked, (QStringList{"Button1", "Button2", "Button3"}));

    for (const char *name : {"chIdent", "BitBtn1"}) {
        QWidget *hinted = main->inputPanel()->widget(name);
        reveal(hinted);
        main->statusBar()->clearMessage();
        QTest::mouseMove(hinted, QPoint(5, 5));
        QApplication::processEvents();
        EXPECT_EQ(main->statusBar()->currentMessage(), hinted->toolTip().replace(QLatin1Char('\n'), QLatin1Char(' ')))
            << name;
        QTest::mouseMove(main->inputPanel()->widget("Label48"), QPoint(2, 2));
    }
}

} // namespace

} // namespace kvor::test
