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
    <name>ChamberEvaluator</name>
    <message>
        <location filename="../src/project/core/chamberevaluator.cpp" line="+111"/>
        <source>Файл %1 не знайдено</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 не є файлом розрахунку</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Файл %1 відкрито в іншій програмі</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChamberStatus</name>
    <message>
        <location filename="../src/project/core/chambersummary.cpp" line="+30"/>
        <source>Система забезпечує потребу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Систему не вибрано</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Системи не вистачає</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Файл не знайдено</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Файл зайнятий іншою програмою</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Файл пошкоджено</source>
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
    <name>GainsChart</name>
    <message>
        <location filename="../src/project/report/gainschart.cpp" line="+72"/>
        <source>Немає камер з розрахунком</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+74"/>
        <source>кВт</source>
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
        <source>&amp;Проєкт…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
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
        <location line="+16"/>
        <source>&amp;Правка</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProjectCommand</name>
    <message>
        <location filename="../src/cli/projectcommand.cpp" line="+211"/>
        <source>--json, --csv and --pdf exclude each other</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProjectCsv</name>
    <message>
        <location filename="../src/project/core/projectcsv.cpp" line="+13"/>
        <source>Qстін, кВт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Qвен, кВт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Qінф, кВт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Qпрод, кВт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Qдих, кВт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Qосв, кВт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Qперс, кВт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Qнтз, кВт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Qпо, кВт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Камера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Стан</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Об&apos;єм, м³</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Температура, °C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Режим</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Сума, кВт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Потрібна холодопродуктивність, кВт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Система</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Кількість систем</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Продуктивність системи, Вт</source>
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
</context>
<context>
    <name>ProjectWindow</name>
    <message>
        <location filename="../src/project/projectwindow.ui" line="+14"/>
        <source>Проєкт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Назва проєкту:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Замовник:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Адреса:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+80"/>
        <source>Теплонадходження</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Холодопродуктивність і температура зовні</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>&amp;Проєкт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>&amp;Камери</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>&amp;Діаграми</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Команди проєкту</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Новий проєкт…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Новий</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Відкрити проєкт…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Відкрити</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Ctrl+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Зберегти проєкт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Зберегти</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Ctrl+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Зберегти проєкт як…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Закрити проєкт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Попередній перегляд</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Перегляд</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Друк проєкту…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Друк</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Ctrl+P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>PDF…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Експорт CSV…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Закрити вікно</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Нова камера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Додати камери…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Дублювати</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Вилучити з проєкту</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Відкрити в головному вікні</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Відкрити камеру</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Знайти файл…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Перерахувати всі</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>F5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Зберегти діаграму…</source>
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
        <location line="+130"/>
        <source>Використання: kvor [ФАЙЛ.kvor]
Запускає Kvor; якщо вказано файл розрахунку, відкриває його,
а файл проєкту (ФАЙЛ.kvorproj) відкриває у вікні проєкту.
  -h, --help     показати цю довідку
  -v, --version  показати версію програми</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+31"/>
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
    <name>kvor</name>
    <message>
        <location filename="../src/project/projectcharts.cpp" line="+228"/>
        <source>Графік зберігається лише як PNG або SVG: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Немає графіка для збереження</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+46"/>
        <source>Не вдалося намалювати графік</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Не вдалося записати файл %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/project/report/projectreport.cpp" line="+322"/>
        <source>Проєкт (продовження)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Проєкт «%1» (продовження)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Проєкт холодильного складу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Проєкт:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Замовник:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Адреса:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Дата:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Виконавець:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <location line="+58"/>
        <source>Камера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-57"/>
        <source>Об&apos;єм, м³</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>t, °C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Режим</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Потрібно, кВт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+54"/>
        <source>Система</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-53"/>
        <location line="+59"/>
        <source>К-сть</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-58"/>
        <location line="+60"/>
        <source>N, кВт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-59"/>
        <source>Стан</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <location line="+64"/>
        <source>Разом</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-58"/>
        <source>Споживаний струм систем: %1 А</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Не враховано камер: %1 (їхні файли не прочитано)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Теплонадходження по камерах, кВт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Перелік обладнання проєкту (продовження)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Перелік обладнання проєкту «%1» (продовження)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Перелік обладнання проєкту</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Найменування</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Агрегат</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Компресор</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Контролер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Магістраль</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Q, Вт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>I, А</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>У жодній камері проєкту систему не вибрано.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Q, N, I — однієї системи; у рядку «Разом» — усіх систем з урахуванням їх кількості.</source>
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
    <name>kvor::CapacityChartView</name>
    <message>
        <location filename="../src/project/projectcharts.cpp" line="-136"/>
        <source>Потрібна холодопродуктивність за зовнішньою температурою</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Потрібна холодопродуктивність, кВт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Холодопродуктивність систем %1 × %2, кВт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Зовнішня температура, °C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Холодопродуктивність, кВт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>система не вибрана</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>у каталозі немає продуктивності системи %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>система забезпечує потребу до %1 °C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>система не забезпечує потребу</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kvor::ChamberTableModel</name>
    <message>
        <location filename="../src/project/chambertablemodel.cpp" line="+208"/>
        <source>Камера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Об’єм,
м³</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Темп.
камери, °C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Режим</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Потрібна
потужн., кВт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Система</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Продукт.
системи, Вт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Кільк.
систем</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Електр.
потужн., кВт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Стан</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Потрібна холодопродуктивність камери, кВт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Холодопродуктивність однієї системи (PROIZSYS), Вт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Кількість систем (KOLSYS)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Споживана електрична потужність прийнятих систем, кВт</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kvor::GainsChartView</name>
    <message>
        <location filename="../src/project/projectcharts.cpp" line="-135"/>
        <source>Теплонадходження по камерах, кВт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+43"/>
        <source>кВт</source>
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
        <location filename="../src/app/mainwindow.cpp" line="+50"/>
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
        <location line="+260"/>
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
        <location line="+92"/>
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
        <location line="+38"/>
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
    <name>kvor::ProjectFile</name>
    <message>
        <location filename="../src/project/core/projectfile.cpp" line="+34"/>
        <source>Не вдалося відкрити файл проєкту %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+4"/>
        <location line="+3"/>
        <location line="+3"/>
        <location line="+15"/>
        <source>%1 не є файлом проєкту Kvor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-13"/>
        <source>Проєкт %1 записано новішою версією Kvor (формат %2; ця версія читає формат %3). Оновіть Kvor, щоб відкрити його.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>%1 не є файлом проєкту Kvor: у камери немає файлу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+54"/>
        <source>Не вдалося записати файл проєкту %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kvor::ProjectReport</name>
    <message>
        <location filename="../src/project/report/projectreport.cpp" line="+60"/>
        <source>Звіт камери не сформовано: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Сторінка %1 з %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kvor::ProjectWindow</name>
    <message>
        <location filename="../src/project/projectwindow.cpp" line="+37"/>
        <source>Проєкти Kvor (*.kvorproj)|*.kvorproj</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Розрахунки (*.kvor)|*.kvor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+150"/>
        <source>Довідники з %1 не відкриваються: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+74"/>
        <source>Проєкт не відкрито: створіть новий або відкрийте наявний (меню «Проєкт»).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Разом: потрібна холодопродуктивність &lt;b&gt;%1&amp;nbsp;кВт&lt;/b&gt;; прийнято систем: &lt;b&gt;%2&lt;/b&gt;; їх електрична потужність &lt;b&gt;%3&amp;nbsp;кВт&lt;/b&gt;, струм &lt;b&gt;%4&amp;nbsp;А&lt;/b&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>; &lt;span style=&quot;color:#c00000&quot;&gt;не враховано камер без даних: %1&lt;/span&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Проєкт — Kvor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Проєкт %1[*] — Kvor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+43"/>
        <source>Файл %1 вже існує. Замінити його?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Проєкт збережено: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Проєкт «%1» змінено. Зберегти зміни?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Новий проєкт.kvorproj</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+116"/>
        <source>Камера.kvor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+66"/>
        <source>Розрахунок %1 відкрито в головному вікні; його не можна замінити.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-48"/>
        <source>Не вдалося створити файл %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Файли не знайдено:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+73"/>
        <source>Файл %1 не знайдено.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-70"/>
        <source>%1 (копія).kvor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Копія має називатися інакше, ніж сама камера.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Вилучити камеру «%1» з проєкту? Файл %2 залишиться на диску.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Файл %1 не знайдено. Вкажіть, де він тепер, командою «Знайти файл…».</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Камера %1 вже є в проєкті.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Камери перераховано: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Таблиця CSV (*.csv)|*.csv</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Не вдалося записати %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Таблицю записано: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Теплонадходження</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Зображення PNG (*.png)|*.png|Рисунок SVG (*.svg)|*.svg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Не вдалося записати %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Камеру «%1» відкрито в головному вікні. Щоб її розрахунок увійшов до звіту проєкту, її треба закрити там. Закрити й продовжити?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Документ PDF (*.pdf)|*.pdf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>PDF записано: %1</source>
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
        <location filename="../src/cli/main.cpp" line="+34"/>
        <source>Commands:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Exit status:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>  0  done (project: also when chambers are missing, locked or damaged)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>  1  wrong arguments, or a file, the tables or an output could not be read or written (balance with several files: one of them)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>  3  balance: a run stopped; its figures up to that step are printed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>balance with several files and --json prints one line per file, {&quot;file&quot;:…,&quot;error&quot;:…} for one that does not open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>See man kvor-cli.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>dump, balance, select, report, equipment or project</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
