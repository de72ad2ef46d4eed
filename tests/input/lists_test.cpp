#include "inputfixture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>

namespace kvor::test {

namespace {

using Lists = InputTest;

// The values of one field over a table file, read by a table of our own.
QStringList column(const QString &folder, const QString &file, const QString &name, const QString &filter = {})
{
    DbfTable t;
    t.setDatabaseName(folder);
    t.setTableName(file);
    t.open();
    if (!filter.isEmpty()) {
        t.setFilter(filter);
        t.setFiltered(true);
    }
    QStringList out;
    for (t.first(); !t.eof(); t.next())
        out << t.value(name).toString();
    return out;
}

QStringList items(QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

// Opens the list, moves to the row holding `text` and takes it with Enter.
void pickFromPopup(QComboBox *box, const QString &text)
{
    box->showPopup();
    QAbstractItemView *view = box->view();
    ASSERT_TRUE(view->isVisible());
    const int row = box->findText(text);
    ASSERT_GE(row, 0) << qPrintable(text);
    view->setCurrentIndex(view->model()->index(row, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_FALSE(view->isVisible());
    // The offscreen platform does not give the activation back when a popup closes.
    QApplication::setActiveWindow(box->window());
}

TEST_F(Lists, LookupItemsAreTheTablesNamesInTableOrder)
{
    const QStringList materials = column(m_data, QStringLiteral("s_mater.DBF"), QStringLiteral("M_NAIM"));
    ASSERT_GT(materials.size(), 5);
    for (QComboBox *box : {named<DbLookupComboBox>("DBLSt1"), named<DbLookupComboBox>("DBLSt6")}) {
        EXPECT_EQ(items(box), materials);
        EXPECT_FALSE(box->isEditable());
    }
    EXPECT_EQ(named<DbLookupComboBox>("DBLSt1")->currentText(), QStringLiteral("Сэндвич-панель ППУ"));
    EXPECT_EQ(named<DbLookupComboBox>("DBLSt6")->currentText(), QStringLiteral("Железобетон"));
    EXPECT_EQ(items(named<DbLookupComboBox>("DBLookupComboBox15")),
              column(m_data, QStringLiteral("s_izolm.DBF"), QStringLiteral("IZ_NAIM")));
    EXPECT_EQ(named<DbLookupComboBox>("DBLookupComboBox15")->currentText(), QStringLiteral("Экструд. пенополист."));
    EXPECT_EQ(items(named<DbLookupComboBox>("DBLookupComboBox3")),
              column(m_data, QStringLiteral("s_region.dbf"), QStringLiteral("REG_NAIM")));
    EXPECT_EQ(named<DbLookupComboBox>("DBLookupComboBox3")->currentText(), QStringLiteral("Киевская"));
    EXPECT_EQ(items(named<DbLookupComboBox>("DBLookupComboBox2")),
              column(m_data, QStringLiteral("s_tara.DBF"), QStringLiteral("NAIM")));
    EXPECT_EQ(named<DbLookupComboBox>("DBLookupComboBox2")->currentText(), QStringLiteral("Картон гофрированный"));
    // Lists drop 7 rows, the product and packaging grids 8.
    EXPECT_EQ(named<DbLookupComboBox>("DBLSt1")->maxVisibleItems(), 7);
    EXPECT_EQ(named<DbLookupComboBox>("DBLookupComboBox3")->maxVisibleItems(), 7);
    EXPECT_EQ(named<DbLookupComboBox>("DBLookupComboBox1")->maxVisibleItems(), 8);
    EXPECT_EQ(named<DbLookupComboBox>("DBLookupComboBox2")->maxVisibleItems(), 8);
}

TEST_F(Lists, ProductListFollowsTheTablesFilter)
{
    DbfTable &prod = dm->taProd;
    EXPECT_EQ(named<DbLookupComboBox>("DBLookupComboBox1")->currentText(), QStringLiteral("Куры"));
    prod.setFilter(QStringLiteral("TIP='Молочне'"));
    prod.setFiltered(true);
    QApplication::processEvents();
    const QStringList dairy = column(m_data, QStringLiteral("products.DBF"), QStringLiteral("NAIM"),
                                     QStringLiteral("TIP='Молочне'"));
    ASSERT_EQ(dairy.size(), 9);
    EXPECT_EQ(items(named<DbLookupComboBox>("DBLookupComboBox1")), dairy);
    // The record's product is not among them: the list shows nothing, the record keeps it.
    EXPECT_EQ(named<DbLookupComboBox>("DBLookupComboBox1")->currentIndex(), -1);
    EXPECT_EQ(named<DbLookupComboBox>("DBLookupComboBox1")->currentText(), QString());
    EXPECT_EQ(field("TE_PTIP").toString(), QStringLiteral("Куры"));

    prod.setFiltered(false);
    QApplication::processEvents();
    EXPECT_EQ(named<DbLookupComboBox>("DBLookupComboBox1")->count(), 68);
    EXPECT_EQ(named<DbLookupComboBox>("DBLookupComboBox1")->currentText(), QStringLiteral("Куры"));
    // Reading the list does not move the table: the product the calculation reads stays.
    prod.locate(QStringLiteral("NAIM"), QStringLiteral("Треска"));
    named<DbLookupComboBox>("DBLookupComboBox1")->showPopup();
    named<DbLookupComboBox>("DBLookupComboBox1")->hidePopup();
    EXPECT_EQ(prod.value(QStringLiteral("NAIM")).toString(), QStringLiteral("Треска"));
    EXPECT_EQ(named<DbEdit>("DBEdit18")->text(), QStringLiteral("-2.2"));
}

TEST_F(Lists, AppendedReferenceRowJoinsTheList)
{
    DbfTable &tara = dm->taTara;
    const int before = named<DbLookupComboBox>("DBLookupComboBox2")->count();
    tara.append();
    tara.setValue(QStringLiteral("NAIM"), QStringLiteral("Мешки джутовые"));
    tara.setValue(QStringLiteral("SP"), 1.6);
    tara.post();
    QApplication::processEvents();
    ASSERT_EQ(named<DbLookupComboBox>("DBLookupComboBox2")->count(), before + 1);
    EXPECT_EQ(named<DbLookupComboBox>("DBLookupComboBox2")->itemText(before), QStringLiteral("Мешки джутовые"));
}

TEST_F(Lists, NameMissingFromTheTableShowsEmpty)
{
    setField("ST_M1", QStringLiteral("Нет такого"));
    EXPECT_EQ(named<DbLookupComboBox>("DBLSt1")->currentIndex(), -1);
    EXPECT_EQ(named<DbLookupComboBox>("DBLSt1")->currentText(), QString());
    EXPECT_EQ(named<DbLookupComboBox>("DBLSt2")->currentText(), QStringLiteral("Сэндвич-панель ППУ"));
}

TEST_F(Lists, CloseUpComesAfterTheChoiceIsWrittenAndTheTableStandsOnIt)
{
    QString written, current;
    int closeUps = 0;
    QObject::connect(named<DbLookupComboBox>("DBLSt3"), &DbLookupComboBox::closeUp, [&] {
        ++closeUps;
        written = field("ST_M3").toString();
        current = dm->taMater.value(QStringLiteral("M_NAIM")).toString();
    });
    QSignalSpy rule(input, &InputPanel::sameConstructionClicked);
    pickFromPopup(named<DbLookupComboBox>("DBLSt3"), QStringLiteral("Газобетон D800"));
    EXPECT_EQ(closeUps, 1);
    EXPECT_EQ(written, QStringLiteral("Газобетон D800"));
    EXPECT_EQ(current, QStringLiteral("Газобетон D800"));
    EXPECT_EQ(rule.count(), 1);
    EXPECT_EQ(named<DbLookupComboBox>("DBLSt3")->currentText(), QStringLiteral("Газобетон D800"));

    // Dismissing the list closes it up too, with nothing written.
    named<DbLookupComboBox>("DBLSt3")->showPopup();
    QTest::keyClick(named<DbLookupComboBox>("DBLSt3")->view(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(closeUps, 2);
    EXPECT_EQ(rule.count(), 2);
    EXPECT_EQ(field("ST_M3").toString(), QStringLiteral("Газобетон D800"));
}

TEST_F(Lists, RegionCloseUpFindsTheRegionsRecord)
{
    int temperature = 0;
    QObject::connect(input, &InputPanel::regionChosen,
                     [&] { temperature = dm->taRegion.value(QStringLiteral("REG_TEM")).toInt(); });
    pickFromPopup(named<DbLookupComboBox>("DBLookupComboBox3"), QStringLiteral("АР Крым"));
    EXPECT_EQ(temperature, 32);
    EXPECT_EQ(field("OB_RGNAIM").toString(), QStringLiteral("АР Крым"));
}

TEST_F(Lists, FixedListsOfferTheirItemsOnly)
{
    EXPECT_EQ(items(named<DbComboBox>("DBEdit11")), QString("60 65 70 75 80 85 90 95 100").split(QLatin1Char(' ')));
    EXPECT_FALSE(named<DbComboBox>("DBEdit11")->isEditable());
    EXPECT_EQ(named<DbComboBox>("DBEdit11")->currentText(), QStringLiteral("90"));
    EXPECT_EQ(items(named<DbComboBox>("DBComboBox1")),
              (QStringList{QStringLiteral("Відсутня"), QStringLiteral("Штора"), QStringLiteral("Пов. завіса")}));
    EXPECT_FALSE(named<DbComboBox>("DBComboBox1")->isEditable());
    EXPECT_EQ(items(named<DbComboBox>("DBComboBox2")),
              (QStringList{QStringLiteral("Штабелі на піддонах"), QStringLiteral("Мясні туші на гаках")}));
    EXPECT_TRUE(named<DbComboBox>("DBComboBox2")->isEditable());

    // The template stores the Ukrainian і as the code page's Latin i; the lists still show their items.
    EXPECT_EQ(field("IN_ZAV").toString(), QStringLiteral("Вiдсутня"));
    EXPECT_EQ(named<DbComboBox>("DBComboBox1")->currentIndex(), 0);
    EXPECT_EQ(named<DbComboBox>("DBComboBox2")->currentText(), QStringLiteral("Штабелі на піддонах"));
    setField("IN_ZAV", QStringLiteral("Пов. завіса"));
    EXPECT_EQ(field("IN_ZAV").toString(), QStringLiteral("Пов. завiса"));
    EXPECT_EQ(named<DbComboBox>("DBComboBox1")->currentText(), QStringLiteral("Пов. завіса"));
    // A text that is no item shows as nothing in a list-only list.
    setField("IN_ZAV", QStringLiteral("Ворота"));
    EXPECT_EQ(named<DbComboBox>("DBComboBox1")->currentIndex(), -1);
}

TEST_F(Lists, FixedListChangeWritesAndRunsItsHandler)
{
    showPage(2);
    QSignalSpy rule(input, &InputPanel::productChanged);
    pickFromPopup(named<DbComboBox>("DBComboBox1"), QStringLiteral("Штора"));
    EXPECT_EQ(rule.count(), 1);
    EXPECT_EQ(field("IN_ZAV").toString(), QStringLiteral("Штора"));

    // The goods-type list keeps typed text as typed.
    named<DbComboBox>("DBComboBox2")->setFocus(Qt::TabFocusReason);
    named<DbComboBox>("DBComboBox2")->lineEdit()->selectAll();
    typeText(named<DbComboBox>("DBComboBox2")->lineEdit(), QStringLiteral("Ящики"));
    EXPECT_EQ(rule.count(), 1 + 5);
    leave(named<DbComboBox>("DBComboBox2"));
    EXPECT_EQ(field("IN_TOV").toString(), QStringLiteral("Ящики"));
    EXPECT_EQ(named<DbComboBox>("DBComboBox2")->count(), 2);
    // Picking from it is one change.
    named<DbComboBox>("DBComboBox2")->setFocus(Qt::MouseFocusReason);
    pickFromPopup(named<DbComboBox>("DBComboBox2"), QStringLiteral("Мясні туші на гаках"));
    EXPECT_EQ(rule.count(), 1 + 5 + 1);
    leave(named<DbComboBox>("DBComboBox2"));
    // Stored through the code page, which writes the Ukrainian і as a Latin i.
    EXPECT_EQ(field("IN_TOV").toString(), QStringLiteral("Мясн") + QLatin1Char('i') + QStringLiteral(" туш")
                                              + QLatin1Char('i') + QStringLiteral(" на гаках"));
    EXPECT_EQ(named<DbComboBox>("DBComboBox2")->currentText(), QStringLiteral("Мясні туші на гаках"));

    // The humidity list writes a whole number; Enter goes on to the next control.
    showPage(0);
    pickFromPopup(named<DbComboBox>("DBEdit11"), QStringLiteral("75"));
    EXPECT_EQ(field("TE_VLAJ").toInt(), 75);
    EXPECT_EQ(rule.count(), 1 + 5 + 1 + 1);
    named<DbComboBox>("DBEdit11")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(named<DbComboBox>("DBEdit11"), Qt::Key_Return);
    EXPECT_TRUE(named<NumericEdit>("RxDBCalcEdit1")->hasFocus());
}

TEST_F(Lists, CategoryListTakesPartialTextAndReportsEveryKeystroke)
{
    showPage(3);
    QComboBox *category = named<QComboBox>("ComboBox1");
    EXPECT_TRUE(category->isEditable());
    EXPECT_EQ(category->currentText(), QString());
    ASSERT_EQ(category->count(), 6);
    // "Овочi" and "Iнше" are written with Latin letters, as the products table has them.
    EXPECT_EQ(category->itemText(3), QStringLiteral("Овоч") + QLatin1Char('i'));
    EXPECT_EQ(category->itemText(5), QLatin1Char('I') + QStringLiteral("нше"));
    EXPECT_NE(category->itemText(3), QStringLiteral("Овочі"));

    QSignalSpy rule(input, &InputPanel::categoryChanged);
    category->setFocus(Qt::TabFocusReason);
    typeText(category->lineEdit(), QStringLiteral("Мо"));
    EXPECT_EQ(category->currentText(), QStringLiteral("Мо")); // not completed to an item
    EXPECT_EQ(rule.count(), 2);
    category->setEditText(QStringLiteral("Мясне")); // as opening a file sets it: no handler
    EXPECT_EQ(rule.count(), 2);
    // Typing an item's whole text and leaving is typing, not a choice.
    category->lineEdit()->selectAll();
    typeText(category->lineEdit(), QStringLiteral("Мясне"));
    QTest::keyClick(category->lineEdit(), Qt::Key_Return);
    leave(category);
    EXPECT_EQ(rule.count(), 2 + 5);
    EXPECT_EQ(category->currentText(), QStringLiteral("Мясне"));
    category->setFocus(Qt::TabFocusReason);
    pickFromPopup(category, QStringLiteral("Фрукти"));
    EXPECT_EQ(rule.count(), 2 + 5 + 1);
    EXPECT_EQ(category->count(), 6);
}

TEST_F(Lists, CheckBoxHookRunsOnEveryStateChangeIncludingRecordLoads)
{
    showPage(1);
    DbCheckBox *box = named<DbCheckBox>("DBCheckBox4");
    QSignalSpy rule(input, &InputPanel::optionChecked);
    EXPECT_FALSE(box->isChecked());

    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(field("VN_FLAG").toBool());
    EXPECT_EQ(rule.count(), 1);

    // The record changes under the box: the box follows and the rule runs.
    setField("VN_FLAG", false);
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(rule.count(), 2);
    setField("VN_FLAG", false);
    EXPECT_EQ(rule.count(), 2); // no change, no event

    // Loading another record: the template's OS_REC is ticked; closing unticks it.
    EXPECT_TRUE(named<DbCheckBox>("DBCheckBox2")->isChecked());
    dm->taWork.cancel();
    dm->taWork.close();
    EXPECT_FALSE(named<DbCheckBox>("DBCheckBox2")->isChecked());
    const int afterClose = rule.count();
    EXPECT_EQ(afterClose, 3); // OS_REC went off; VN_FLAG was off already
    openCalculation();
    EXPECT_TRUE(named<DbCheckBox>("DBCheckBox2")->isChecked());
    EXPECT_EQ(rule.count(), afterClose + 1);

    // Without a calculation a click changes nothing.
    showPage(5);
    dm->taWork.close();
    const int closed = rule.count();
    QTest::mouseClick(named<DbCheckBox>("DBCheckBox2"), Qt::LeftButton);
    EXPECT_FALSE(named<DbCheckBox>("DBCheckBox2")->isChecked());
    EXPECT_EQ(rule.count(), closed);
}

// A bound text edit keeps the first key typed, although starting the edit reads
// the record again.
TEST_F(Lists, BoundTextEditKeepsTheFirstKeystroke)
{
    DbEdit edit(panel.get());
    edit.bind(&dm->dsWork, QStringLiteral("KL_NAIM"));
    edit.show();
    EXPECT_EQ(edit.text(), QString());
    edit.setFocus(Qt::TabFocusReason);
    typeText(&edit, QStringLiteral("ТОВ Холод"));
    EXPECT_EQ(edit.text(), QStringLiteral("ТОВ Холод"));
    named<NumericEdit>("DBEdit38")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(field("KL_NAIM").toString(), QStringLiteral("ТОВ Холод"));
}

TEST_F(Lists, VolumeFollowsTheDimensionsBeforeThePost)
{
    setField("OB_KAMVS", 3.2);
    EXPECT_EQ(dm->taWork.state(), DbfTable::State::Edit);
    EXPECT_EQ(named<DbEdit>("DBEdit41")->text(), QStringLiteral("76.8"));
}

// At exit the data module goes before the main window: the panel must not reach for it.
TEST_F(Lists, PanelOutlivesTheDataModule)
{
    dm->taWork.close();
    dm.reset();
    named<DbLookupComboBox>("DBLSt1")->showPopup();
    named<DbLookupComboBox>("DBLSt1")->hidePopup();
    QApplication::processEvents();
    EXPECT_EQ(named<DbLookupComboBox>("DBLSt1")->listItems(), QStringList());
    typeInto(named<NumericEdit>("DBEdit38"), QStringLiteral("5"));
    leave(named<NumericEdit>("DBEdit38"));
    QTest::mouseClick(named<DbCheckBox>("chIdent"), Qt::LeftButton);
    EXPECT_FALSE(named<DbCheckBox>("chIdent")->isChecked());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(Lists, SameConstructionBoxReportsToItsRule)
{
    QSignalSpy rule(input, &InputPanel::sameConstructionClicked);
    QTest::mouseClick(named<DbCheckBox>("chIdent"), Qt::LeftButton);
    EXPECT_TRUE(field("ST_IDENT").toBool());
    EXPECT_EQ(rule.count(), 1);
}

// An open lookup list shows 7 rows, the product and packaging grids 8,
// however long the table is.
TEST_F(Lists, OpenListsShowSevenRowsProductAndPackagingEight)
{
    const std::pair<DbLookupComboBox *, int> lists[] = {
        {named<DbLookupComboBox>("DBLookupComboBox3"), 7},
        {named<DbLookupComboBox>("DBLSt1"), 7},
        {named<DbLookupComboBox>("DBLookupComboBox15"), 7},
        {named<DbLookupComboBox>("DBLookupComboBox1"), 8},
        {named<DbLookupComboBox>("DBLookupComboBox2"), 8},
    };
    for (const auto &[box, rows] : lists) {
        SCOPED_TRACE(qPrintable(box->objectName()));
        showPage(box == named<DbLookupComboBox>("DBLookupComboBox1")
                         || box == named<DbLookupComboBox>("DBLookupComboBox2")
                     ? 3
                     : 0);
        ASSERT_GT(box->count(), rows);
        box->showPopup();
        QAbstractItemView *view = box->view();
        ASSERT_TRUE(view->isVisible());
        int whole = 0;
        for (int row = 0; row < box->count(); ++row) {
            const QRect r = view->visualRect(view->model()->index(row, 0));
            if (r.top() >= 0 && r.bottom() < view->viewport()->height())
                ++whole;
        }
        EXPECT_EQ(whole, rows);
        EXPECT_LT(view->viewport()->height(), (rows + 1) * view->sizeHintForRow(0));
        box->hidePopup();
        QApplication::processEvents();
    }
}

// An edit bound to a whole-number field takes digits only.
TEST_F(Lists, BoundEditOfAWholeNumberTakesDigitsOnly)
{
    DbEdit edit(panel.get());
    edit.bind(&dm->dsWork, QStringLiteral("PROIZSYS"));
    edit.show();
    edit.setFocus(Qt::TabFocusReason);
    typeText(&edit, QStringLiteral("12a,-3.5 "));
    EXPECT_EQ(edit.text(), QStringLiteral("1235"));
    named<NumericEdit>("DBEdit38")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(field("PROIZSYS").toInt(), 1235);
    EXPECT_TRUE(errors.isEmpty()) << qPrintable(errors.join("; "));
}

} // namespace

} // namespace kvor::test
