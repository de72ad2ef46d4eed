<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="uk_UA">
<context>
    <name>AdditionalDataDialog</name>
    <message>
        <location filename="../src/app/additionaldatadialog.ui" line="+14"/>
        <source>Інші дані</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source> Додаткові дані та налаштування </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Клієнт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Примітка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Виконавець</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <location line="+3"/>
        <source>Добавити виконавця в базу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <location line="+3"/>
        <source>Видалити виконавця з бази</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Шлях до файлів
разрахунку</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>C:\Мої документи</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Закрити</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalculationReport</name>
    <message>
        <location filename="../src/reports/core/calculationreport.cpp" line="+90"/>
        <source>No calculation is open</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CatalogueSelection</name>
    <message>
        <location filename="../src/selection/core/catalogueselection.cpp" line="+27"/>
        <source>Система</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Агрегат (конденсатор)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Компресор</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Q +25°С, Вт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>dT +25°С, К</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Q +30°С, Вт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>dT +30°С, К</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Q +35°С, Вт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>dT +35°С, К</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Q +40°С, Вт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>dT +40°С, К</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Спож. потужність, кВт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Спож. струм, А</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Магістраль</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Контроллер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+106"/>
        <source>Не має обладнання під такі характеристики.  Зв&apos;яжіться з нами !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Для температури в камері %1 °С немає каталогу обладнання.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CliArgs</name>
    <message>
        <location filename="../src/cli/cliargs.cpp" line="+44"/>
        <source>Unknown option %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+40"/>
        <source>%1 takes a whole number of per cent from %2 to %3, not &quot;%4&quot;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DumpCommand</name>
    <message>
        <location filename="../src/cli/dumpcommand.cpp" line="+54"/>
        <source>Cannot read record %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EquipmentListReport</name>
    <message>
        <location filename="../src/reports/core/equipmentlistreport.cpp" line="+129"/>
        <source>No calculation is open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No equipment catalogue is open</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InputPanel</name>
    <message>
        <location filename="../src/input/inputpanel.ui" line="+69"/>
        <source> Регіон </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Максимальна середня-
добова температура</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <source>Відносна
вологість</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+31"/>
        <source> Параметри камери </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>color: rgb(0, 255, 255);</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Ширина</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <location line="+26"/>
        <location line="+26"/>
        <location line="+48"/>
        <source>color: rgb(0, 255, 0);</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-97"/>
        <source>В</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Б</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Г</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>color: rgb(0, 255, 255); background-color: rgb(128, 128, 128);</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Довжина</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>А</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Довжина, (м)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Ширина, (м)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Висота, (м)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Обєм, (м3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+41"/>
        <source> Режими обробки </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Температура у камері</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Вологість, ( %)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Час роботи обладнання</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Коефіцієнт запасу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+31"/>
        <source>. Через стіни</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <location line="+64"/>
        <source>Матеріал</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-48"/>
        <source>стін</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <location line="+64"/>
        <source>Товщина</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-48"/>
        <location line="+64"/>
        <source>(мм)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-32"/>
        <source>теплоізоляція</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Темп-ра </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>ззовні</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Стіна А</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+66"/>
        <source>Стіна Б</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+66"/>
        <source>Стіна В</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+66"/>
        <source>Стіна Г</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+66"/>
        <source>Стеля</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+66"/>
        <source>Підлога</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+66"/>
        <source>Для автоматичного заповнення всіх
параметрів по першій стрічці (стіна А).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Для автоматичного заповнення всіх параметрів по першій стрічці (стіна А).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>По першій стрічці</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>. Від обмінної вентиляції</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Кратність вентиляції в камері
(обємів незавантеженої камери в добу)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Ввести кратність самостійно</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>. Від інфільтрації</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Висота дверей, (м)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Ширина дверей, (м)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Тип товару</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Завіса</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Автоматич. двері</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Вантажопідйомність транспортного засобу, кг</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Кількість входів в камеру</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>color: rgb(255, 255, 0);</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>(Кількість входів у камеру залежить від добового вантажо-
обороту та вантажопідйомності транспортного засобу)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>. Від термообр-ки продукту</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Категорія</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Продукт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <location line="+232"/>
        <source>Зберігається вага, (кг)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-206"/>
        <location line="+232"/>
        <source>Добовий оборот, (кг)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-206"/>
        <location line="+232"/>
        <source>Температура</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-216"/>
        <location line="+232"/>
        <source>початкова</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-206"/>
        <location line="+232"/>
        <source>кінцева</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-206"/>
        <source>Точка замерзання</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>color: rgb(0, 0, 255);</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <location line="+3"/>
        <source>Розрахунок повного завантаження камери</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>QFrame#Bevel3 { border: none; border-right: 2px groove rgb(160, 160, 164); }</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Тара</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+146"/>
        <source> Розрахунок повного завантаження камери </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Висота складання товару, (м)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Щільність укладання товару, (кг/м3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Швидкість обороту</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>. Від &quot;дихання&quot; продукту</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Введення даних не потрібне</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>. Від освітлення</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Час роботи освітлення в камері (г/доба)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Потужність освітлення, (Вт/м2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Встановити рекомендоване значення</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>. Від персоналу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Число робітників у камері, (чол.)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>. Від НТЗ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Повна потужність НТЗ, (кВт)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>. Від двигунів ПО та ТЕНів</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Попередній облік теплопритоку від ПО (% від Qx)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Уточнюючий роз-нок</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Кількість вентиляторів ПО</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Потужність вентиляторів ПО, (кВт)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../src/app/mainwindow.ui" line="+14"/>
        <source>Nivra</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Новий</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;Відкрити</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;Зберегти</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>&amp;Закрити</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Попер. перегляд</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Друк</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>В&amp;ихід</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Вирізати</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>&amp;Копіювати</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>В&amp;ставити</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+65"/>
        <location line="+3"/>
        <source>Нове в програмі</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+46"/>
        <source> Теплопритоки </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+400"/>
        <source>кВт.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Сумарно</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>З врахуван коеф-та запасу та 
часу роботи обладнання</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Обладнання</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+3"/>
        <source>Підбір обладнання</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Додатково</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Вихід</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Вхідні дані</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>&amp;Файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>&amp;Правка</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReportCommand</name>
    <message>
        <location filename="../src/cli/reportcommand.cpp" line="+45"/>
        <source>--pdf OUT.pdf is required</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReportPage</name>
    <message>
        <location filename="../src/reports/core/reportpage.cpp" line="+165"/>
        <source>The report file %1 is damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+20"/>
        <source>Cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>File does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Cannot open %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 is not a report file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The report file %1 has an unsupported version %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReportPdf</name>
    <message>
        <location filename="../src/reports/core/reportpdf.cpp" line="+34"/>
        <source>Cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+13"/>
        <source>Cannot write %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReportPrinting</name>
    <message>
        <location filename="../src/reports/reportprinting.cpp" line="+53"/>
        <source>Cannot print to %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SelectionWindow</name>
    <message>
        <location filename="../src/selection/selectionwindow.ui" line="+6"/>
        <source>Підбір обладнання</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Системи охолодження для        °С в охолоджуваному обємі</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>-25</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source> Параметри відбору </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Кількість систем</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Інтервал
холодопродуктивності</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>від</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>до</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source> (%)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source> Вибране обладнання </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Агрегат (конденсатор)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Проду-сть</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Вт.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Продуктивність системи, Вт.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Компресор</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Контроллер    </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Магістраль</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Вибрати</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Друк систем</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Закрити</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StartupOptions</name>
    <message>
        <location filename="../src/app/startup.cpp" line="+77"/>
        <location line="+28"/>
        <source>cannot create %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>cannot rename %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+128"/>
        <source>Використання: kvor [ФАЙЛ.kvor]
Запускає Kvor; якщо вказано файл розрахунку, відкриває його.
  -h, --help     показати цю довідку
  -v, --version  показати версію програми</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <source>kvor: невідомий параметр «%1»</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>kvor: можна вказати лише один файл розрахунку</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>kvor: порожня назва файлу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>kvor: «%1» не є локальним файлом</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Не вдалося скопіювати довідники з %1 до %2 (%3). Програма працює з довідниками з %1; зміни налаштувань і виконавців не збережуться.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TitleBlock</name>
    <message>
        <location filename="../src/reports/core/titleblock.cpp" line="+35"/>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Cannot read file &quot;%1&quot;. %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kvor::CalculatorPopup</name>
    <message>
        <location filename="../src/input/calculatorpopup.cpp" line="+95"/>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kvor::InputPanel</name>
    <message>
        <location filename="../src/input/inputpanel.cpp" line="+243"/>
        <source>Время работы оборуд.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Суточный оборот,(кг)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Час     термообробки </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Охолоджувана маса,(кг)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kvor::InputPanelView</name>
    <message>
        <location filename="../src/app/inputpanelview.cpp" line="+57"/>
        <source>База не открылась !</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kvor::MainWindow</name>
    <message>
        <location filename="../src/app/mainwindow.cpp" line="+49"/>
        <source>Розрахунки (*.kvor)|*.kvor|Старі розрахунки (*.dbf)|*.dbf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Розрахунки (*.kvor)|*.kvor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+39"/>
        <source>%1, контактний телефон: %2, сторінка компанії: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+257"/>
        <source>Створити новий розрахунок</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Відкрити файл розрахунку</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Зберегти файл разрахунку</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Закрити раз-рах.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Попередній перегляд</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Друкувати роз-рах.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Вирізати дані</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Копіювати дані</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Вставити дані</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Вихід</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Ошибка подключения справочников !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+100"/>
        <source> [лише для читання]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Файл %1 вже існує. Замінити його?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Ошибка создания файла расчета !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <source>Файл %1 доступний лише для читання: розрахунок відкрито для перегляду, зміни не буде збережено.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Указанный расчет не может быть открыт !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Это не файл расчета Kvor ! Указанный файл не может быть открыт или преобразован !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Файл расчета преобразован в </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Для работы откройте файл </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Ошибка ! Файл расчета не может быть преобразован !</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kvor::NewsPanel</name>
    <message>
        <location filename="../src/app/newspanel.cpp" line="+35"/>
        <source>Нове у версії 1.05:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Змінені справники підбору обладнання.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Змінені алгоритми розрахунків для різних температур</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>зовнішнього середовища.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Виправлена ??робота фільтрів каталогу продуктів.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Змінені форми друку звітів.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Нове у версії 1.04:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Тепер програма нормально працює під Win7.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Нове у версії 1.03:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Облік вологи всередині камери і поза нею.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Уточнений розрахунок в режимі «охолодження».</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Введений режим швидкого підбору обладнання.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Друк довідника обладнання.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Налаштування каталогу з файлами розрахунків.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Введення цифрових параметрів через калькулятор.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Автоматичний режим конвертації старих звітів у звіти</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>версії 1.00 і вище.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Автоматичний ввід кінцевої температури продукту і тар</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>в режимі «зберігання».</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Автоматичний ввід висоти штабелювания.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Підбір систем на базе декількох агрегатів з урахуванням</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>інтервалу холодопрохідності.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Уточнений розрахунок теплопритоку від продукту дихання.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Уточнений розрахунок теплопритоку від інфільтрації (аналіз</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>зовнішньої температури у стени А)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kvor::NumericEdit</name>
    <message>
        <location filename="../src/input/numericedit.cpp" line="+213"/>
        <source>Value must be between %1 and %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kvor::ReportPreview</name>
    <message>
        <location filename="../src/reports/reportpreview.cpp" line="+38"/>
        <source>Звіт Kvor (*.kvrep);;Усі файли (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+52"/>
        <source>Перегляд перед друком</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <source>Показати всю сторінку</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>100%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Максимально разтягнути</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Перша сторінка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Попередня сторінка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Наступна сторінка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Остання сторінка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Налаштування принтера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Друк</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+339"/>
        <source>Зберегти звіт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-338"/>
        <location line="+352"/>
        <source>Завантажити звіт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-350"/>
        <location line="+1"/>
        <location line="+361"/>
        <source>Зберегти PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-359"/>
        <source>Закрити вікно попереднього перегляду</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Закрити</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+20"/>
        <location line="+62"/>
        <location line="+60"/>
        <source>Лист</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Page %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+214"/>
        <source>PDF (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kvor::SelectionWindow</name>
    <message>
        <location filename="../src/selection/selectionwindow.cpp" line="+179"/>
        <source>Відсоток має бути цілим числом від %1 до %2, а не «%3».</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../src/cli/main.cpp" line="+32"/>
        <source>Commands:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>dump, balance, select, report or equipment</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
