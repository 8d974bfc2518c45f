<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="ru_RU">
<context>
    <name>D2XXUnit</name>
    <message>
        <source>Интерфейс отключен от компьютера </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> - Ошибка Handle...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> - Устройство не найдено....</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> - Устройство не открывается...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> - Ошибка ввода-вывода...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> - Не хватает ресурсов...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> - Неверный параметр ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нет USB устройствa </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>    DEMO MODE </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Устройств на шине USB = %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>серийный номер = %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> - Драйвер этого не умеет: выберите другой вид интерфейса...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>: прошивка %1.%2, break %3 мкс, MAB %4 мкс, %5 кадр/с</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>: ответ о параметрах вне допустимых пределов (break %1, MAB %2, частота %3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, № %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (не ответил на запросы)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Открыт: %1, серийный номер %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Работает как интерфейс Velantra</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Работает как DMX USB Pro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Работает как Open DMX: %1 кадр/с</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileErrors</name>
    <message>
        <source>I/O error %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File access denied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read beyond end of file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Journal</name>
    <message>
        <source>Это не журнал правок.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Заголовок журнала правок оборван.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Журнал правок записан в неизвестной версии формата.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Заголовок журнала правок повреждён.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Образ шоу не того размера.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Журнал правок относится к другому состоянию шоу.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Запись журнала правок выходит за пределы шоу.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Журнал правок не записывается: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Журнал правок снова записывается.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Копия шоу повреждена.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MidiBindingsFile</name>
    <message>
        <source>Это не файл привязок MIDI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл привязок MIDI повреждён в строке %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл привязок MIDI слишком велик: %1 байт, допустимо до %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RateTable</name>
    <message>
        <source>0,5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0,2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SetupCommands</name>
    <message>
        <source>Очистить имена каналов?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Очистить цвета имен каналов?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Очистить графическую подсказку каналов?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Очистить цветовые границы каналов?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл справки не найден </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TBaseForm</name>
    <message>
        <source>Шоу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Создать новое Шоу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Открыть Шоу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить Шоу как ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить Шоу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выход</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сцены</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Копировать предыдущую сцену</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Копировать сцену в буфер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Создать новую и заменить сценой из буфера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Заменить сценой  из буфера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Очистить Сцену</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удалить Сцену из Шоу </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Создать новую Сцену</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Очистить имена каналов</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Очистить цвета имен каналов</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Очистить графическую подсказку каналов</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Очистить цвет условного разделения каналов</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Опции</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Поле для ручного управления лучем сканера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Запись и редактирование Статических картинок</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Разрешить автодобавление сцен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Помощь</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>О программе</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Справка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Панель</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Новое Шоу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать Шоу под новым Именем </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить существующее Шоу </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Копировать Сцену</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Копировать предыдущую Сцену</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Новая сцена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удалить сцену</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Окно ручного управления сканера </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Запись статических картинок </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Автодобавление сцен </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>О программе </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Фэйдера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>График Канала</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Редактор луча</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Копирование</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Автоматы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DMX coder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сеть</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Запомнить Сцену</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вернуть прежнюю сцену</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Обучение MIDI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Восстановить шоу ...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UniversesFile</name>
    <message>
        <source>Файл вселенных отвергнут: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::AutomatsPage</name>
    <message>
        <source>Выбор эффекта один бегущий огонек</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выбор эффекта два бегущих огонька</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выбор эффекта бегущая тень</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выбор эффекта код с наполнением</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Автомат 1  четырех канальный </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Автомат 2  четырех канальный </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установка первого канала, с которого будет работать автомат бегушки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скорость переключения автомата</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Максимальная яркость автомата</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Минимальная яркость автомата</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пуск самостоятельно</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Запусить автомат постоянно</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>С основным</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установленный флажок будет запускать автомат вместе с секвенсером 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Яркость</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step = %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Каналы %1  %2  %3  %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Начиная от - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Flash/мин </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::BlockCopyGroup</name>
    <message>
        <source>Номер канала от которого начинается копирование </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Номер канала до которого продолжается копирование </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Номер канала в который начинается копирование отмеченного блока</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выполнить копирование</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> От канала </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>До канала </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>включительно</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Начиная </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>с канала </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Копирование данных блоками </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Каналов текущей Сцены </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Каналов (все сцены)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Каналов в сценах</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> От Сцены</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>До Сцены </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>с сцены </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сцен (все каналы)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Копирование не выполнено:Максимальное число каналов &gt; 256 ! </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Копирование не выполнено:Максимальное число сцен &gt; 256 ! </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::ChannelColorTab</name>
    <message>
        <source>Выбор канала для графической подсказки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установка типа изображения сопоставимого с типом регулировки прибора</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нет выбранного</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Для установки цвета канала двойной клик на поле измения</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Цвет пля для ввода имени канала </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Устанвить выбранный Цвет группы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выключить изменение цвета</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нет выбора</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Канал: %1 - N: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>setColor</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::ChannelSetupGroup</name>
    <message>
        <source> Установки каналов и Клавиатуры  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Плавность</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уровни</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Стат. картины</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::CoderPage</name>
    <message>
        <source>Файлы перекодировки Velantra  (*.vdx)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Таблица перекодировок каналов  строки DMX512. на выходе программы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сбросить все установки 1=1, 2=2 и т.д.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Загрузить таблицу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить таблицу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Измение канала на ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Имя Кодера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Стартовый код кадра DMX: приемники принимают только кадры с кодом 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Устанавливаем из какого канала будет пееренаправлятся в какой канал DMX</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установка изменяемого канала</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Стартовый код 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Стартовый код = уровень канала %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Канал %1 выводится в канал %2 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Канал %1 выводится в канал %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::ConveyorGroup</name>
    <message>
        <source>Конвейр потоков Шоу </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вкл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(пусто)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Имя введенного файла на кнопке  -  вводить Имя правой кнопкой</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Запустить Конвейр Шоу  с первой активной кнопки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Запустить конвейр Шоу  с текущей позиции </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Остановить Шоу   и  разрешить проигрывание выбранного Шоу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Остановить конвейр и разрешить набор конвейра Шоу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Очистить конвейр Шоу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Включить горячие кнопки клавиатуру</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Клавиатура</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>пусто</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удалить все файлы конвейра ? </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 пусто</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (пусто)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::DeskCore</name>
    <message>
        <source>Файл ШОУ не найден </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл -Color- не найден  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нет файла кодера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В файле кодера недопустимые каналы заменены прямым выводом: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Файл кодера меняет start code кадра DMX (уровень канала %1): приемники не примут кадры </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Автосохранение файла %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Журнал правок не подходит ни к одному шоу: он сохранен в папке восстановления </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Журнал правок не подходит ни к одному шоу: шоу, на котором он начат, не найдено </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В журнале правок нет изменений шоу </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::FaderPage</name>
    <message>
        <source>Канал             Уровень             Выход    Тип   Границы   Имя  канала              Время изменения     Выбор</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Номер канала в строке DMX</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уровень канала DMX высттавленный пользователем в текущем шаге</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Реальный уровень канала DMX на выходе</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Имя канала. Максимальное число символов - 16. Для изменения цвета дабл-клик</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Время изменения уровня DMX канала</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Индивидуальный выбор канала для режимов и блоков: Флэш, Ручной, Уровни, Время</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Индивидуальный выбор канала </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установить уровни все каналов сцены  в &apos;0&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Вся сцена установлена в 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установить уровни видимых каналов в &apos;0&apos; </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Установлено в 0 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установить уровни видимых каналов в &apos;127&apos; </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Установлено в 127</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установить уровни видимых каналов в &apos;255&apos; </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Установлено в 255</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сбросить все видимые флажки в столбце Выбор </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Включить все видимые флажки в столбце Выбор </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сбросить все флажки в столбце Выбор </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Все флажки Установлены </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Инвертирует состояние флажков в поле  Выбор </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уровень в стандарте DMX512  0-255</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уровень в процентах</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скорость презаписи данных на мониторе</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Разрешить нормальную работу </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выключает все каналы DMX  Горячая кнопка = O = </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выключает все каналы  и включает  каналы статической каркинки =M= </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BO</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::FormColorGroup</name>
    <message>
        <source>Цвет формы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вкл. цвет</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Менять цвет автоматически</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Включить цвет</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Красная компонента цвета базовой формы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Зеленая компонента цвета базовой формы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Синяя компонента цвета базовой формы</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::GraphPage</name>
    <message>
        <source>Динамика изменения канала по выделенным сценам </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Устанавливает номер редактируемого канала</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Блок редактируемых сцен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Масштаб сцен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установить последнюю Сцену</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установка номера последней сцены</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Устанавливать значение только одного канала</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Интерполировать уровни каналов. Начало - левая кнопка, конец - правая.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Повторять значение текущего канала во всех рабочих сценах</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Канал %1  %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>от Сцены = %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>до Сцены = %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Масштаб = %1/1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Сцена = %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Новый уровень канала = %1%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Уровень канала сцены %1 = %2%3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::KeyboardControl</name>
    <message>
        <source>NomberKey is %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::LevelsTab</name>
    <message>
        <source>Ручное управление</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BlackOut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ручное управление выделенными каналами в текущей сцене</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выключает все каналы DMX  Горячая кнопка = O = </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Общий абсолютный уровень каналов</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Изменение выделенных уровней</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::NameCopyGroup</name>
    <message>
        <source>Имен </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Связать</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+ Namber Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отмечать первый канал</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Номер канала от которого начинается копирование </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Номер канала до которого продолжается копирование </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Номер канала в который начинается копирование отмеченного блока</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выполнить копирование</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Начиная</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>с канала </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> От канала </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>До канала </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>включительно</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Первая цифра</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Колво приборов</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Копирование не выполнено: Максимальное число имен &gt; 256 ! </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::NetworkOutputs</name>
    <message>
        <source> %1: адрес %2 не найден, выход выключен </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> sACN: Enabled=%1 - не 0 и не 1, выход выключен </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> sACN: вселенная %1 - вне 1..63999, выход выключен </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> sACN: приоритет %1 - вне 0..200, выход выключен </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> sACN: MulticastHops=%1 - вне 1..255, выход выключен </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> sACN: интерфейс %1 не найден или без адреса IPv4, выход выключен </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Art-Net: Enabled=%1, AlwaysBroadcast=%2 - не 0 и не 1, выход выключен </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Art-Net: Port-Address %1 - не 0..32767 и не Net:Sub-Net:Universe, выход выключен </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Art-Net: интерфейс %1 не найден или без адреса IPv4, выход выключен </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (отказов: %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>слот %1 ← канал %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>слоты %1-%2 ← каналы %3-%4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>и еще %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sACN выкл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sACN %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Art-Net выкл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Art-Net %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1: каналы по коммутации кодера; USB, %1, %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: не передается</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>пусто (нули)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2; %3, %4</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::NetworkPage</name>
    <message>
        <source>sACN (E1.31)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вкл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Посылать кадр DMX по сети в стандарте sACN (E1.31)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вселенная sACN: 1..63999</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Приоритет источника: 0..200, обычно 100</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Адрес IPv4 или имя приемника; пусто - multicast</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>multicast</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сетевой интерфейс, через который идет multicast</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Имя источника, видимое на приемниках (до 63 байт)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вселенная</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Приоритет</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Адрес</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Интерфейс</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Имя источника</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Art-Net 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Посылать кадр DMX по сети в стандарте Art-Net 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port-Address: Net:Sub-Net:Universe (0:0:0) или число 0..32767</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Адрес IPv4 или имя узла; пусто - найденные узлы, иначе broadcast</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>найденные узлы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сетевой интерфейс для опроса узлов и broadcast</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Всегда broadcast</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Для узлов, которые не отвечают на опрос</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Имя</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port-Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>выбор системы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (нет)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>= %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>неверно</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пакетов в секунду: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не передает</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Узлы, ответившие на последний опрос (опрос каждые 2,75 с, ответ ждется 3 с)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вселенные</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вселенная 1 идет по коммутации кодера на USB и в сеть; вселенные 2-4 - только в сеть, на следующие вселенные sACN и Port-Address Art-Net</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Первый слот вселенной</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Первый канал пульта</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Последний канал пульта</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скоммутировать</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Каналы с первого по последний - в слоты вселенной подряд, начиная с первого слота</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Очистить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Убрать из вселенной все каналы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>каналы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Каналы %1-%2 не поместились: во вселенной 512 слотов</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выбран интерфейс %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Через %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 #%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>со слота</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::OptionsPage</name>
    <message>
        <source>Состояние шины USB </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Работа в DEMO режиме</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Диск</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Клавиатура ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Язык</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Как в системе</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Язык сменится при следующем запуске</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Свободно на диске%1 Mb</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Размер диска  %1 Mb</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вид: определить сам</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вид: интерфейс Velantra</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вид: DMX USB Pro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вид: Open DMX</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Как говорить с этим интерфейсом; запоминается по его серийному номеру</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::PicturesTab</name>
    <message>
        <source>Включить клавиатуру</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Статические картинки </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>прбел</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Включить / Выключить флэш - кнопки клавиатуры</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Запрограммированая статическая картинка - Горячая кнопка =%1= </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::RateTab</name>
    <message>
        <source>2 sec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Время изменения уровня выбранных каналов DMX </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Время изменения уровня всех каналов DMX  в секундах</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Плавность перехода  сцен </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Фейдера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Автомат</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выкл</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::RemoteGroup</name>
    <message>
        <source>Пульт по сети</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Веб-пульт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Новый PIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OSC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Страница для телефона и планшета, которая управляет пультом</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Новый PIN: открытые страницы должны ввести его снова</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Команды OSC по UDP: /velantra/play, /velantra/fader/1 ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PIN %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Страниц: %1, управляют: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выключен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Слушает порт %1, обратная связь: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::SceneGroup</name>
    <message>
        <source>Управление сценами</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Секвенсер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Цвет канала</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::SequencerPage</name>
    <message>
        <source>Запустить Шоу - горячая кнопка /-/ </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Остановить Шоу - горячая кнопка /+/ </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Время перехода на следующую сцену </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Номер текущей сцены</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Максимальное кол-во сцен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уст 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Предварительный выбор сцены</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Время в Шоу ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Время  Паузы  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установка времени перехода на следующую сцену</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установка текущей сцены</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выбор предварительной  установка начальной сцены </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уст</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Предварительная  установка начальной сцены </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Создать новую сцену после текущей</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Копировать текущую сцену в буфер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Создать новую сцену после текущей и скопировать в нее сцену из буфера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Заменить текущую сцену Сценой  из буфера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удалить текущую сцену</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1  Сцен/мин </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уст %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1ч %2м %3с </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Шоу   = %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Паузa = %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::TAboutForm</name>
    <message>
        <source>Velantra  Lumatik  Windows XP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1      Ноябрь 2009 г.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>О программе</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::TBaseForm</name>
    <message>
        <source>Файлы DMX Velantra  (*.vlt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Автосохранение не выполнено: %1 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  данные сохранены </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> данные возвращены </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Записать в буфер </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Автодобавление сцен </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Нет имени файла </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Создать новое ШОУ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Создать новую сцену после текущей и скопировать в нее сцену %1 из буфера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Заменить текущую сцену Сценой %1 из буфера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Initalization </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>без имени</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Программа в прошлый раз завершилась нештатно. В журнале правок есть изменения шоу %1, не записанные в файл (последняя правка %2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Конец журнала поврежден и отброшен.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Восстановить их? (Нет: журнал останется в меню Шоу, &quot;Восстановить шоу ...&quot;)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Копий шоу и журналов правок для восстановления нет</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>копия шоу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>журнал правок</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Восстановить шоу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Копии шоу и журналы правок, новые сверху. Шоу в памяти сохранится копией.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::THandScanForm</name>
    <message>
        <source>Ручное управление лучем сканера </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>X=255</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Инверсия по X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Y=255</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Инверсия по Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>X&lt;-&gt;Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Меняет местами координаты  X &lt;&gt; Y </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Приоритет</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Управлять в любом режиме</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Положение курсора на поле воздействует на два канала, начиная с первой отметки в столбце =Выбор = </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>X=%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Y=%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::TStaticForm</name>
    <message>
        <source>Статические картинки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Считать</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Редактируемая статическая картинка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать в  статическую картинку</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Выбор сцены  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Стереть</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Стереть редактируемую сцену</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Стереть все</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Стереть все статические картинки </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вернуть</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вернуть прежнюю сцену</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удалить статическую картинку?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удалить все Статические картинки?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::XyEditorPage</name>
    <message>
        <source>Динамика изменения двух соседних каналов по выделенным сценам </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Сцена ? </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Переместить сцену в X-Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>При включенном флажке содежимое Редактируемого поля  записывается в память</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выполнить копирование в каналы, выбранные флажками </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Видимые Сцены </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Все сцены</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Менять Сцену</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Перетаскивание луча меняет текущую сцену</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>От Сцены</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>До Сцены</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Текущие</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Положение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Смещение фигуры</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отражение </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Зеркальное отображение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Размер </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уменьшить фигуру</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Увеличить фигуру</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Поворот</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выполнить поворот </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Создание Фигур </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вычертить фигугу по сценам</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>88</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>размер создаваемой фигуры</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>вид или длинна конца фигуры</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вернуть</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Для этой фигуры нужно выбрать не меньше двух сцен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Размер </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Запомнить
картинку </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ch%1  %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вправо %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Влево %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Размер фигуры %1       Опция %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Сцена %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Переместить сцену %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Y = %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>X = %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::midi::MidiControl</name>
    <message>
        <source>Фэйдер %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Страница фэйдеров</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уровень выбранных</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Темп</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пуск</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Стоп</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BlackOut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Макрос M</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Картинка %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Конвейр %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Автомат %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скорость автомата %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CC %1 = %2, канал %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нота %1 = %2, канал %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pitch Bend = %1, канал %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Привязки MIDI не сохранены: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MIDI: %1 привязан к «%2»</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::midi::MidiPage</name>
    <message>
        <source>Порты MIDI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Система MIDI; переменная VELANTRA_MIDI_API выбирает ее вместо этой настройки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>С какого контроллера принимать сообщения</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Куда посылать значения для моторизованных фэйдеров и светодиодов</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подхват фэйдеров</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Фэйдер контроллера действует, только пройдя через значение программы: ничего не прыгает</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вид</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Состояние</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Система MIDI</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вход</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Обратная связь</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Привязки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Обучение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Щелкните элемент окна, затем двиньте регулятор или нажмите клавишу контроллера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Контроллер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Регулятор</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Элемент</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удалить привязку</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Все входы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нет</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (нет)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>открыт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>есть</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>вход</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>выход</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>отключен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>«%1»: двиньте регулятор контроллера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Щелкните элемент окна</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MIDI: «%1» ждет регулятор контроллера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 работает</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 недоступна: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::midi::MidiPorts</name>
    <message>
        <source>нет /dev/snd/seq</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>сервер не запущен</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::osc::OscServer</name>
    <message>
        <source>OSC: выключен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OSC: неверный порт «%1»</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OSC: нет прав открыть порт %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OSC: порт %1 занят</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OSC: не удалось открыть порт %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OSC: принимаю сообщения на UDP-порту %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>неизвестный адрес</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>нет такого номера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>неверные аргументы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>значение вне диапазона</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>повреждённый пакет</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>неизвестного отправителя</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OSC: отклонено «%1» от %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>OSC: отклонено «%1» от %2: %3 (и ещё %n с прошлой записи)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>OSC: обратная связь уже идёт %1 клиентам, %2:%3 отказано</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OSC: обратная связь для %1:%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OSC: обратная связь для %1:%2 закончена</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>OSC: %1:%2 молчит %n мин, обратная связь закончена</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>OSC: отправка на %1:%2 не удаётся, обратная связь закончена</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velantra::remote::RemoteServer</name>
    <message>
        <source>Пульт по сети выключен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пульт по сети: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пульт по сети: неверный порт «%1» (нужен 1..65535)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пульт по сети: неверный адрес «%1»</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пульт по сети: PIN должен состоять из шести цифр</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пульт по сети: порт %1 занят</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пульт по сети: не удаётся открыть %1, порт %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пульт по сети: отказано странице с чужого адреса «%1» (с %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пульт по сети: отказано %1: открыто уже %2 страниц</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пульт по сети: %1 прислал сообщение длиннее %2 байт, соединение закрыто</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пульт по сети: %1 прислал больше %2 сообщений в секунду, соединение закрыто</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пульт по сети: %1 прислал непонятное сообщение (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пульт по сети: %1 управляет пультом</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пульт по сети: с %1 %2 раз подряд неверный PIN, попытки отклоняются %3 с</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пульт по сети: неверный PIN с %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
