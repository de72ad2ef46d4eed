#include "inputfixture.h"

#include "input/pagetabbar.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QToolButton>

#include <map>

namespace kvor::test {

namespace {

using Layout = InputTest;

struct Placed {
    const char *name;
    int x, y, w, h;
    const char *text; // caption, title or nullptr
};

// A sample of every group and page: position relative to the parent, size, caption.
const Placed kPlaced[] = {
    {"GroupBox3", 40, 10, 185, 119, " Регіон "},
    {"GroupBox2", 232, 10, 225, 119, " Параметри камери "},
    {"GroupBox1", 462, 10, 289, 119, " Режими обробки "},
    {"Page95Control1", 111, 135, 640, 291, nullptr},
    {"DBLookupComboBox3", 8, 16, 171, 22, nullptr},
    {"Label9", 7, 47, 119, 28, "Максимальна середня-\nдобова температура"},
    {"DBEdit36", 130, 48, 49, 21, nullptr},
    {"DBEdit37", 130, 80, 49, 21, nullptr},
    {"Bevel1", 9, 16, 73, 89, nullptr},
    {"Label58", 25, 18, 40, 14, "Ширина"},
    {"Label64", 56, 65, 32, 14, "Довжина"},
    {"Label60", 40, 87, 9, 15, "А"},
    {"Bevel2", 32, 104, 26, 9, nullptr},
    {"Label7", 99, 94, 63, 14, "Обєм, (м3)"},
    {"DBEdit41", 168, 88, 49, 22, nullptr},
    {"RadioGroup1", 7, 14, 98, 57, nullptr},
    {"Label39", 111, 47, 84, 14, "Вологість, ( %)"},
    {"DBEdit11", 232, 40, 49, 22, nullptr},
    {"RxDBCalcEdit1", 232, 64, 49, 21, nullptr},
    {"Label19", 111, 96, 109, 14, "Коефіцієнт запасу"},
    // Page 1.
    {"Label23", 268, 46, -1, -1, "теплоізоляція"},
    {"Label21", 431, 34, -1, -1, "Темп-ра "},
    {"Label16", 8, 66, -1, -1, "Стіна А"},
    {"Label29", 8, 204, -1, -1, "Стеля"},
    {"Label30", 8, 234, -1, -1, "Підлога"},
    {"DBLSt1", 52, 62, 121, 22, nullptr},
    {"DBEdit17", 180, 62, 57, 21, nullptr},
    {"DBLookupComboBox10", 244, 62, 117, 22, nullptr},
    {"DBEdit24", 365, 62, 57, 21, nullptr},
    {"DBEdit30", 429, 62, 52, 21, nullptr},
    {"DBEdit31", 427, 94, 54, 21, nullptr},
    {"DBLSt5", 52, 198, 121, 22, nullptr},
    {"DBEdit35", 427, 230, 54, 21, nullptr},
    {"chIdent", 56, 259, 129, 17, "По першій стрічці"},
    // Pages 2 to 9.
    {"Label38", 88, 101, 218, 28, "Кратність вентиляції в камері\n(обємів незавантеженої камери в добу)"},
    {"DBCheckBox4", 88, 152, 217, 17, "Ввести кратність самостійно"},
    {"DBComboBox2", 320, 42, 153, 22, nullptr},
    {"DBCheckBox1", 194, 114, 129, 17, "Автоматич. двері"},
    {"GroupBox6", 64, 144, 409, 121, ""},
    {"DBEdit2", 313, 22, 65, 21, nullptr},
    {"Label3", 329, 54, 41, 16, nullptr},
    {"ComboBox1", 121, 36, 105, 22, nullptr},
    {"DBLookupComboBox1", 65, 61, 161, 21, nullptr},
    {"DBEdit18", 176, 180, 50, 22, nullptr},
    {"BitBtn1", 232, 84, 25, 25, nullptr},
    {"Bevel3", 240, 112, 9, 97, nullptr},
    {"DBLookupComboBox2", 319, 61, 161, 21, nullptr},
    {"DBEdit9", 430, 157, 50, 21, nullptr},
    {"GroupBox7", 16, 208, 465, 65, " Розрахунок повного завантаження камери "},
    {"RxDBCalcEdit3", 216, 36, 57, 21, nullptr},
    {"RadioGroup2", 282, 13, 175, 41, "Швидкість обороту"},
    {"Label37", 184, 114, 139, 14, "Введення даних не потрібне"},
    {"Label31", 90, 88, 228, 14, "Час роботи освітлення в камері (г/доба)"},
    {"DBCheckBox2", 88, 152, 233, 17, "Встановити рекомендоване значення"},
    {"Label36", 90, 120, 160, 14, "Число робітників у камері, (чол.)"},
    {"DBEdit12", 266, 112, 65, 21, nullptr},
    {"Label40", 90, 120, 147, 14, "Повна потужність НТЗ, (кВт)"},
    {"DBEdit16", 266, 112, 65, 21, nullptr},
    {"Label47", 72, 47, 284, 14, "Попередній облік теплопритоку від ПО (% від Qx)"},
    {"DBEdit48", 368, 40, 57, 21, nullptr},
    {"DBCheckBox3", 90, 120, 129, 17, "Уточнюючий роз-нок"},
    {"DBEdit47", 282, 176, 65, 21, nullptr},
};

QString caption(QWidget *w)
{
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        return b->text();
    if (auto *g = qobject_cast<QGroupBox *>(w))
        return g->title();
    return QString();
}

TEST_F(Layout, ControlsStandWhereTheLayoutPutsThem)
{
    for (const Placed &p : kPlaced) {
        SCOPED_TRACE(p.name);
        QWidget *w = input->widget(p.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->pos(), QPoint(p.x, p.y));
        if (p.w >= 0 && qobject_cast<QLabel *>(w)) {
            // Captions keep the layout's box, running on only into free space.
            EXPECT_GE(w->width(), p.w);
            EXPECT_EQ(w->height(), p.h);
        } else if (p.w >= 0) {
            EXPECT_EQ(w->size(), QSize(p.w, p.h));
        }
        if (p.text) {
            EXPECT_EQ(caption(w), QString::fromUtf8(p.text));
        }
    }
    // No caption runs over a control beside it: "Довжина" along the right wall
    // keeps its box, clear of "Висота, (м)".
    EXPECT_EQ(named<QLabel>("Label64")->width(), 32);
    EXPECT_LT(named<QLabel>("Label64")->geometry().right(), named<QLabel>("Label6")->x());
    for (QLabel *label : panel->findChildren<QLabel *>()) {
        for (QObject *o : label->parentWidget()->children()) {
            auto *other = qobject_cast<QWidget *>(o);
            if (!other || other == label || other->x() <= label->x())
                continue;
            if (label->width() > input->widget(qPrintable(label->objectName()))->property("kvorDesignWidth").toInt()) {
                EXPECT_FALSE(label->geometry().intersects(other->geometry()))
                    << qPrintable(label->objectName()) << " runs over " << qPrintable(other->objectName());
            }
        }
    }
    // The three groups and the page control are children of the panel itself.
    for (const char *name : {"GroupBox3", "GroupBox2", "GroupBox1", "Page95Control1"})
        EXPECT_EQ(input->widget(name)->parentWidget(), panel.get()) << name;
    EXPECT_EQ(named<NumericEdit>("DBEdit2")->parentWidget(), named<QGroupBox>("GroupBox6"));
    EXPECT_EQ(named<RadioGroup>("RadioGroup2")->parentWidget(), named<QGroupBox>("GroupBox7"));
}

TEST_F(Layout, KindsLooksAndStartStates)
{
    // 47 numeric edits, each with a calculator button at its right edge.
    for (int i = 0; i < 9; ++i)
        showPage(i); // edits are laid out when first shown
    showPage(0);
    const QList<NumericEdit *> edits = panel->findChildren<NumericEdit *>();
    EXPECT_EQ(edits.size(), 47);
    for (NumericEdit *e : edits) {
        EXPECT_EQ(e->calculatorButton()->width(), 20) << qPrintable(e->objectName());
        EXPECT_EQ(e->calculatorButton()->geometry().right(), e->width() - 2) << qPrintable(e->objectName());
        EXPECT_TRUE(e->alignment() & Qt::AlignRight);
    }
    EXPECT_EQ(panel->findChildren<DbLookupComboBox *>().size(), 15);
    EXPECT_EQ(panel->findChildren<DbCheckBox *>().size(), 5);

    EXPECT_FALSE(named<NumericEdit>("DBEdit36")->isEnabled());
    EXPECT_FALSE(named<NumericEdit>("DBEdit37")->isEnabled());
    EXPECT_EQ(named<NumericEdit>("RxDBCalcEdit1")->maxTextLength(), 2);
    EXPECT_EQ(named<NumericEdit>("DBEdit48")->maxTextLength(), 2);
    EXPECT_EQ(named<NumericEdit>("DBEdit17")->maxTextLength(), 4);
    EXPECT_EQ(named<NumericEdit>("DBEdit29")->maxTextLength(), 4);
    EXPECT_EQ(named<NumericEdit>("DBEdit33")->maxTextLength(), 3);

    for (DbEdit *e : {named<DbEdit>("DBEdit41"), named<DbEdit>("DBEdit18")}) {
        EXPECT_TRUE(e->isReadOnly());
        EXPECT_TRUE(e->font().bold());
        EXPECT_FALSE(e->focusPolicy() & Qt::TabFocus);
    }
    EXPECT_EQ(named<DbEdit>("DBEdit41")->text(), QStringLiteral("72"));   // 6 × 4 × 3
    // freezing point of the product the table stands on
    EXPECT_EQ(named<DbEdit>("DBEdit18")->text(), QStringLiteral("-2.8"));
    EXPECT_EQ(named<QLabel>("Label62")->font().family(), QStringLiteral("Times New Roman"));
    EXPECT_TRUE(named<QLabel>("Label62")->font().bold());
    EXPECT_EQ(named<QLabel>("Label62")->font().pointSize(), 10);
    EXPECT_EQ(named<QLabel>("Label3")->font().pointSize(), 10);
    EXPECT_TRUE(named<QLabel>("Label3")->alignment() & Qt::AlignRight);
    EXPECT_TRUE(named<QLabel>("Label33")->font().italic());
    EXPECT_EQ(named<DbCheckBox>("DBCheckBox1")->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(named<QPushButton>("BitBtn1")->toolTip(),
              QStringLiteral("Розрахунок повного завантаження камери"));
    EXPECT_EQ(named<QPushButton>("BitBtn1")->icon().pixmap(13, 13).size(), QSize(13, 13));
    EXPECT_EQ(named<DbCheckBox>("chIdent")->toolTip(),
              QStringLiteral("Для автоматичного заповнення всіх\nпараметрів по першій стрічці (стіна А)."));

    EXPECT_EQ(named<RadioGroup>("RadioGroup1")->items(),
              (QStringList{QStringLiteral("Зберігання"), QStringLiteral("Охолодження")}));
    EXPECT_EQ(named<RadioGroup>("RadioGroup1")->itemIndex(), 0);
    EXPECT_EQ(named<RadioGroup>("RadioGroup2")->items(),
              (QStringList{QStringLiteral("Мала"), QStringLiteral("Белика")}));
    EXPECT_EQ(named<RadioGroup>("RadioGroup2")->itemIndex(), 0);
    EXPECT_EQ(named<RadioGroup>("RadioGroup2")->columns(), 2);
    // Two columns: the second item stands to the right of the first.
    EXPECT_GT(named<RadioGroup>("RadioGroup2")->button(1)->x(), named<RadioGroup>("RadioGroup2")->button(0)->x());
    EXPECT_EQ(named<RadioGroup>("RadioGroup2")->button(1)->y(), named<RadioGroup>("RadioGroup2")->button(0)->y());
}

TEST_F(Layout, NinePagesWithTabsInOneColumnOnTheLeft)
{
    PageControl *pages = named<PageControl>("Page95Control1");
    const QStringList captions = {
        QStringLiteral(". Через стіни"),
        QStringLiteral(". Від обмінної вентиляції"),
        QStringLiteral(". Від інфільтрації"),
        QStringLiteral(". Від термообр-ки продукту"),
        QStringLiteral(". Від \"дихання\" продукту"),
        QStringLiteral(". Від освітлення"),
        QStringLiteral(". Від персоналу"),
        QStringLiteral(". Від НТЗ"),
        QStringLiteral(". Від двигунів ПО та ТЕНів"),
    };
    ASSERT_EQ(pages->count(), 9);
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_EQ(pages->tabPosition(), QTabWidget::West);
    const char *icons[] = {"Image1", "Image2", "Image3", "Image4", "Image5", "Image7", "Image6", "Image8", "Image12"};
    std::vector<QImage> pictures;
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(pages->tabText(i), captions.at(i));
        EXPECT_EQ(pages->widget(i)->objectName(), QStringLiteral("Tab95Sheet%1").arg(i + 1));
        const QRect tab = pages->tabBar()->tabRect(i);
        EXPECT_EQ(tab.size(), QSize(145, 30));
        EXPECT_EQ(tab.topLeft(), QPoint(0, 30 * i));
        auto *image = qobject_cast<QLabel *>(input->widget(icons[i]));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->parentWidget(), pages->widget(i));
        EXPECT_EQ(image->geometry(), QRect(16, 8, 32, 32));
        const QImage picture = image->pixmap().toImage();
        EXPECT_EQ(picture.size(), QSize(32, 32));
        for (const QImage &other : pictures)
            EXPECT_NE(picture, other);
        pictures.push_back(picture);
    }
    // Pages start right of the tab column.
    QWidget *page = pages->widget(0);
    EXPECT_GE(page->mapTo(pages, QPoint(0, 0)).x(), 145);
    EXPECT_GE(page->width(), 481); // GroupBox7 reaches 16 + 465
    EXPECT_GE(page->height(), 276); // chIdent reaches 259 + 17

    // Fonts of the tabs: the active one the panel's, the others Times New Roman 9 pt.
    auto *bar = qobject_cast<PageTabBar *>(pages->tabBar());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->inactiveFont().family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(bar->inactiveFont().pointSize(), 9);
    EXPECT_EQ(bar->activeFont().family(), QStringLiteral("Arial"));
    EXPECT_EQ(bar->activeFont().pointSize(), 8);

    // The mouse over a tab marks it, and its caption takes the highlight colour.
    QTest::mouseMove(bar, bar->tabRect(1).center() + QPoint(1, 1));
    QTest::mouseMove(bar, bar->tabRect(3).center());
    QApplication::processEvents();
    ASSERT_EQ(bar->hoveredTab(), 3);
    const QImage drawn = bar->grab().toImage();
    const QColor highlight = bar->palette().color(QPalette::Highlight);
    auto hasColour = [&](const QRect &r) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (const QColor c = drawn.pixelColor(x, y); std::abs(c.red() - highlight.red()) < 24
                    && std::abs(c.green() - highlight.green()) < 24 && std::abs(c.blue() - highlight.blue()) < 24)
                    return true;
        return false;
    };
    EXPECT_TRUE(hasColour(bar->tabRect(3)));
    EXPECT_FALSE(hasColour(bar->tabRect(2)));
}

TEST_F(Layout, TabWalksTheGroupsThenTheActivePage)
{
    const std::vector<QString> expected = {
        "DBLookupComboBox3", // DBEdit36 and DBEdit37 are disabled at start
        "DBEdit38", "DBEdit39", "DBEdit40",
        "DBEdit42", "DBEdit11", "RxDBCalcEdit1", "DBEdit45",
        "item0", // the radio group's chosen item
        "Page95Control1",
        "DBLSt1", "DBLSt2", "DBLSt3", "DBLSt4", "DBLSt5", "DBLSt6",
        "DBLookupComboBox10", "DBLookupComboBox11", "DBLookupComboBox12",
        "DBLookupComboBox13", "DBLookupComboBox14", "DBLookupComboBox15",
        "chIdent",
        "DBEdit17", "DBEdit19", "DBEdit20", "DBEdit21", "DBEdit22", "DBEdit23",
        "DBEdit24", "DBEdit25", "DBEdit26", "DBEdit27", "DBEdit28", "DBEdit29",
        "DBEdit30", "DBEdit31", "DBEdit32", "DBEdit33", "DBEdit34", "DBEdit35",
        "DBLookupComboBox3", // round again
    };
    named<DbLookupComboBox>("DBLookupComboBox3")->setFocus(Qt::TabFocusReason);
    std::vector<QString> walked;
    for (size_t i = 0; i < expected.size(); ++i) {
        QWidget *w = QApplication::focusWidget();
        ASSERT_NE(w, nullptr);
        // The tab bar belongs to the page control.
        walked.push_back(qobject_cast<QTabBar *>(w) ? w->parentWidget()->objectName() : w->objectName());
        QTest::keyClick(w, Qt::Key_Tab);
        QApplication::processEvents();
    }
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(walked.at(i), expected.at(i)) << "step " << i;

    // Page 4 runs in its own order.
    named<PageControl>("Page95Control1")->setCurrentIndex(3);
    const std::vector<QString> page4 = {
        "ComboBox1", "DBLookupComboBox1", "DBEdit3", "DBEdit4", "DBEdit6", "DBEdit5", "DBLookupComboBox2",
        "DBEdit44", "DBEdit8", "DBEdit10", "DBEdit9", "BitBtn1", "RxDBCalcEdit2", "RxDBCalcEdit3", "item0",
    };
    named<QComboBox>("ComboBox1")->setFocus(Qt::TabFocusReason);
    walked.clear();
    for (size_t i = 0; i < page4.size(); ++i) {
        QWidget *w = QApplication::focusWidget();
        ASSERT_NE(w, nullptr);
        walked.push_back(qobject_cast<QLineEdit *>(w) && w->parentWidget() == named<QComboBox>("ComboBox1")
                             ? QStringLiteral("ComboBox1")
                             : w->objectName());
        QTest::keyClick(w, Qt::Key_Tab);
        QApplication::processEvents();
    }
    EXPECT_EQ(walked, page4);
}

// On the main window the panel already holds the results, the totals and the
// buttons: they follow the groups and the active page.
TEST(PanelBesideResults, ResultsComeAfterTheActivePage)
{
    QFrame frame;
    frame.setObjectName(QStringLiteral("Panel4"));
    frame.resize(761, 474);
    auto *results = new QGroupBox(QStringLiteral(" Теплопритоки "), &frame);
    results->setObjectName(QStringLiteral("GroupBox4"));
    results->setGeometry(8, 129, 101, 281);
    auto *include = new QCheckBox(results);
    include->setObjectName(QStringLiteral("CheckBox1"));
    include->setGeometry(11, 17, 17, 17);
    auto *buttons = new QGroupBox(&frame);
    buttons->setObjectName(QStringLiteral("GroupBox8"));
    buttons->setGeometry(264, 426, 487, 46);
    auto *exit = new QPushButton(QStringLiteral("Вихід"), buttons);
    exit->setObjectName(QStringLiteral("Button1"));
    exit->setGeometry(392, 16, 89, 25);

    InputPanel input(&frame);
    EXPECT_EQ(results->parentWidget(), &frame);
    EXPECT_EQ(childNamed<QGroupBox>(&frame, "GroupBox3")->parentWidget(), &frame);
    frame.show();
    QApplication::setActiveWindow(&frame);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));

    childNamed<NumericEdit>(&frame, "DBEdit35")->setFocus(Qt::TabFocusReason);
    QStringList walked;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(walked, (QStringList{QStringLiteral("CheckBox1"), QStringLiteral("Button1"),
                                   QStringLiteral("DBLookupComboBox3")}));
}

TEST_F(Layout, EveryEventRunsTheHandlerTheTablesName)
{
    const char *handlers[] = {"inputChanged", "sameConstructionClicked", "optionChecked", "productChanged",
                              "categoryChanged", "fillChamberClicked", "modeClicked", "regionChosen",
                              "outdoorTemperatureEdited", "chamberHeightEdited", "chamberTemperatureEdited"};
    std::map<QString, std::unique_ptr<QSignalSpy>> spies;
    for (const char *h : handlers) {
        const QByteArray signature = QByteArray("2") + h + "()";
        spies[QString::fromLatin1(h)] = std::make_unique<QSignalSpy>(input, signature.constData());
        ASSERT_TRUE(spies[QString::fromLatin1(h)]->isValid()) << h;
    }
    auto fired = [&]() {
        QStringList out;
        for (auto &[name, spy] : spies) {
            for (int i = 0; i < spy->count(); ++i)
                out << name;
            spy->clear();
        }
        return out.join(QLatin1Char(','));
    };

    std::map<QString, QString> expected;
    for (const char *n : {"DBEdit37", "DBEdit38", "DBEdit39", "RxDBCalcEdit1", "DBEdit45", "DBEdit13", "DBEdit1",
                          "DBEdit7", "DBEdit2", "DBEdit3", "DBEdit4", "DBEdit6", "DBEdit5", "DBEdit44", "DBEdit8",
                          "DBEdit10", "DBEdit9", "DBEdit14", "DBEdit15", "DBEdit12", "DBEdit16", "DBEdit48",
                          "DBEdit46", "DBEdit47"})
        expected[n] = "inputChanged";
    for (int i = 17; i <= 35; ++i)
        if (i != 18)
            expected[QStringLiteral("DBEdit%1").arg(i)] = "sameConstructionClicked";
    expected["DBEdit36"] = "outdoorTemperatureEdited";
    expected["DBEdit40"] = "chamberHeightEdited";
    expected["DBEdit42"] = "chamberTemperatureEdited";
    expected["RxDBCalcEdit2"] = "";
    expected["RxDBCalcEdit3"] = "";
    for (NumericEdit *e : panel->findChildren<NumericEdit *>()) {
        SCOPED_TRACE(e->objectName().toStdString());
        ASSERT_TRUE(expected.count(e->objectName()));
        emit e->exited();
        EXPECT_EQ(fired(), expected[e->objectName()]);
    }

    std::map<QString, QString> closeUps;
    for (int i = 1; i <= 6; ++i)
        closeUps[QStringLiteral("DBLSt%1").arg(i)] = "sameConstructionClicked";
    for (int i = 10; i <= 15; ++i)
        closeUps[QStringLiteral("DBLookupComboBox%1").arg(i)] = "sameConstructionClicked";
    closeUps["DBLookupComboBox1"] = "productChanged";
    closeUps["DBLookupComboBox2"] = "productChanged";
    closeUps["DBLookupComboBox3"] = "regionChosen";
    for (DbLookupComboBox *l : panel->findChildren<DbLookupComboBox *>()) {
        SCOPED_TRACE(l->objectName().toStdString());
        ASSERT_TRUE(closeUps.count(l->objectName()));
        emit l->closeUp();
        EXPECT_EQ(fired(), closeUps[l->objectName()]);
    }

    for (DbComboBox *c :
         {named<DbComboBox>("DBEdit11"), named<DbComboBox>("DBComboBox1"), named<DbComboBox>("DBComboBox2")}) {
        emit c->textChangedByUser();
        EXPECT_EQ(fired(), QStringLiteral("productChanged")) << qPrintable(c->objectName());
    }
    emit named<DbCheckBox>("chIdent")->changed();
    EXPECT_EQ(fired(), QStringLiteral("sameConstructionClicked"));
    for (DbCheckBox *c : {named<DbCheckBox>("DBCheckBox1"), named<DbCheckBox>("DBCheckBox2"),
                          named<DbCheckBox>("DBCheckBox3"), named<DbCheckBox>("DBCheckBox4")}) {
        emit c->changed();
        EXPECT_EQ(fired(), QStringLiteral("optionChecked")) << qPrintable(c->objectName());
    }
    named<PageControl>("Page95Control1")->setCurrentIndex(3);
    QTest::mouseClick(named<QPushButton>("BitBtn1"), Qt::LeftButton);
    EXPECT_EQ(fired(), QStringLiteral("fillChamberClicked"));
    // The mode selector runs its handler for a click and for a selection set from outside.
    QTest::mouseClick(named<RadioGroup>("RadioGroup1")->button(1), Qt::LeftButton);
    EXPECT_EQ(named<RadioGroup>("RadioGroup1")->itemIndex(), 1);
    EXPECT_EQ(fired(), QStringLiteral("modeClicked"));
    named<RadioGroup>("RadioGroup1")->setItemIndex(0);
    EXPECT_EQ(fired(), QStringLiteral("modeClicked"));
    named<RadioGroup>("RadioGroup1")->setItemIndex(0);
    EXPECT_EQ(fired(), QString());
    QTest::mouseClick(named<RadioGroup>("RadioGroup2")->button(1), Qt::LeftButton);
    EXPECT_EQ(named<RadioGroup>("RadioGroup2")->itemIndex(), 1);
    EXPECT_EQ(fired(), QString());
}

// The panel as drawn: grays where the layout has them. With KVOR_SCREENSHOT_DIR set,
// every page is also written there as a picture.
TEST_F(Layout, PanelDrawsItsGraysAndTabColumn)
{
    const QString shots = qEnvironmentVariable("KVOR_SCREENSHOT_DIR");
    PageControl *pages = named<PageControl>("Page95Control1");
    for (int i = 0; i < 9; ++i) {
        pages->setCurrentIndex(i);
        QApplication::processEvents();
        const QImage img = panel->grab().toImage();
        ASSERT_EQ(img.size(), QSize(761, 474));
        if (!shots.isEmpty())
            img.save(QDir(shots).filePath(QStringLiteral("input-page%1.png").arg(i + 1)));
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(img.pixelColor(3, 3), QColor(128, 128, 128)); // the panel
        const QPoint origin = pages->tabBar()->mapTo(panel.get(), QPoint(0, 0));
        for (int t = 0; t < 9; ++t) {
            const QRect r = pages->tabBar()->tabRect(t).translated(origin);
            const QColor inside = img.pixelColor(r.right() - 4, r.top() + 4);
            EXPECT_EQ(inside, t == i ? QColor(128, 128, 128) : QColor(160, 160, 164)) << t;
        }
        // The page area is gray as well.
        const QPoint page = pages->currentWidget()->mapTo(panel.get(), QPoint(0, 0));
        EXPECT_EQ(img.pixelColor(page + QPoint(4, 270)), QColor(128, 128, 128));
    }
}

} // namespace

} // namespace kvor::test
