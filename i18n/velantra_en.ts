<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>D2XXUnit</name>
    <message>
        <source>Интерфейс отключен от компьютера </source>
        <translation>Interface disconnected from computer </translation>
    </message>
    <message>
        <source> - Ошибка Handle...</source>
        <translation> - Handle error...</translation>
    </message>
    <message>
        <source> - Устройство не найдено....</source>
        <translation> - Device not found....</translation>
    </message>
    <message>
        <source> - Устройство не открывается...</source>
        <translation> - Device will not open...</translation>
    </message>
    <message>
        <source> - Ошибка ввода-вывода...</source>
        <translation> - I/O error...</translation>
    </message>
    <message>
        <source> - Не хватает ресурсов...</source>
        <translation> - Not enough resources...</translation>
    </message>
    <message>
        <source> - Неверный параметр ...</source>
        <translation> - Invalid parameter ...</translation>
    </message>
    <message>
        <source>Нет USB устройствa </source>
        <translation>No USB device </translation>
    </message>
    <message>
        <source>    DEMO MODE </source>
        <translation>    DEMO MODE </translation>
    </message>
    <message>
        <source>Устройств на шине USB = %1</source>
        <translation>USB devices = %1</translation>
    </message>
    <message>
        <source>серийный номер = %1</source>
        <translation>serial number = %1</translation>
    </message>
    <message>
        <source> - Драйвер этого не умеет: выберите другой вид интерфейса...</source>
        <translation> - The driver cannot do this: choose another interface type...</translation>
    </message>
    <message>
        <source>: прошивка %1.%2, break %3 мкс, MAB %4 мкс, %5 кадр/с</source>
        <translation>: firmware %1.%2, break %3 µs, MAB %4 µs, %5 frames/s</translation>
    </message>
    <message>
        <source>: ответ о параметрах вне допустимых пределов (break %1, MAB %2, частота %3)</source>
        <translation>: parameters answer out of range (break %1, MAB %2, rate %3)</translation>
    </message>
    <message>
        <source>, № %1</source>
        <translation>, no. %1</translation>
    </message>
    <message>
        <source> (не ответил на запросы)</source>
        <translation> (did not answer the requests)</translation>
    </message>
    <message>
        <source>Открыт: %1, серийный номер %2</source>
        <translation>Open: %1, serial number %2</translation>
    </message>
    <message>
        <source>Работает как интерфейс Velantra</source>
        <translation>Driven as a Velantra interface</translation>
    </message>
    <message>
        <source>Работает как DMX USB Pro</source>
        <translation>Driven as a DMX USB Pro</translation>
    </message>
    <message>
        <source>Работает как Open DMX: %1 кадр/с</source>
        <translation>Driven as an Open DMX: %1 frames/s</translation>
    </message>
</context>
<context>
    <name>FileErrors</name>
    <message>
        <source>I/O error %1</source>
        <translation>I/O error %1</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>File not found</translation>
    </message>
    <message>
        <source>File access denied</source>
        <translation>File access denied</translation>
    </message>
    <message>
        <source>Read beyond end of file</source>
        <translation>Read beyond end of file</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Disk full</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>Unable to write to %1</translation>
    </message>
</context>
<context>
    <name>Journal</name>
    <message>
        <source>Это не журнал правок.</source>
        <translation>This is not an edit journal.</translation>
    </message>
    <message>
        <source>Заголовок журнала правок оборван.</source>
        <translation>The edit journal&apos;s header is cut short.</translation>
    </message>
    <message>
        <source>Журнал правок записан в неизвестной версии формата.</source>
        <translation>The edit journal is in an unknown format version.</translation>
    </message>
    <message>
        <source>Заголовок журнала правок повреждён.</source>
        <translation>The edit journal&apos;s header is damaged.</translation>
    </message>
    <message>
        <source>Образ шоу не того размера.</source>
        <translation>The show image has the wrong size.</translation>
    </message>
    <message>
        <source>Журнал правок относится к другому состоянию шоу.</source>
        <translation>The edit journal belongs to another state of the show.</translation>
    </message>
    <message>
        <source>Запись журнала правок выходит за пределы шоу.</source>
        <translation>An edit journal record lies outside the show.</translation>
    </message>
    <message>
        <source>Журнал правок не записывается: %1</source>
        <translation>The edit journal cannot be written: %1</translation>
    </message>
    <message>
        <source>Журнал правок снова записывается.</source>
        <translation>The edit journal is being written again.</translation>
    </message>
    <message>
        <source>Копия шоу повреждена.</source>
        <translation>The show copy is damaged.</translation>
    </message>
</context>
<context>
    <name>MidiBindingsFile</name>
    <message>
        <source>Это не файл привязок MIDI</source>
        <translation>This is not a MIDI bindings file</translation>
    </message>
    <message>
        <source>Файл привязок MIDI повреждён в строке %1</source>
        <translation>The MIDI bindings file is damaged at line %1</translation>
    </message>
    <message>
        <source>Файл привязок MIDI слишком велик: %1 байт, допустимо до %2</source>
        <translation>MIDI bindings file too large: %1 bytes, at most %2 allowed</translation>
    </message>
</context>
<context>
    <name>RateTable</name>
    <message>
        <source>0,5</source>
        <translation>0.5</translation>
    </message>
    <message>
        <source>0,2</source>
        <translation>0.2</translation>
    </message>
    <message>
        <source>no</source>
        <translation>none</translation>
    </message>
</context>
<context>
    <name>SetupCommands</name>
    <message>
        <source>Очистить имена каналов?</source>
        <translation>Clear channel names?</translation>
    </message>
    <message>
        <source>Очистить цвета имен каналов?</source>
        <translation>Clear channel name colors?</translation>
    </message>
    <message>
        <source>Очистить графическую подсказку каналов?</source>
        <translation>Clear channel icons?</translation>
    </message>
    <message>
        <source>Очистить цветовые границы каналов?</source>
        <translation>Clear channel border colors?</translation>
    </message>
    <message>
        <source>Файл справки не найден </source>
        <translation>Help file not found </translation>
    </message>
</context>
<context>
    <name>TBaseForm</name>
    <message>
        <source>Шоу</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>Создать новое Шоу</source>
        <translation>Create new show</translation>
    </message>
    <message>
        <source>Открыть Шоу</source>
        <translation>Open show</translation>
    </message>
    <message>
        <source>Сохранить Шоу как ...</source>
        <translation>Save show as ...</translation>
    </message>
    <message>
        <source>Сохранить Шоу</source>
        <translation>Save show</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Сцены</source>
        <translation>Scenes</translation>
    </message>
    <message>
        <source>Копировать предыдущую сцену</source>
        <translation>Copy previous scene</translation>
    </message>
    <message>
        <source>Копировать сцену в буфер</source>
        <translation>Copy scene to clipboard</translation>
    </message>
    <message>
        <source>Создать новую и заменить сценой из буфера</source>
        <translation>Create new and paste scene from clipboard</translation>
    </message>
    <message>
        <source>Заменить сценой  из буфера</source>
        <translation>Replace with scene from clipboard</translation>
    </message>
    <message>
        <source>Очистить Сцену</source>
        <translation>Clear scene</translation>
    </message>
    <message>
        <source>Удалить Сцену из Шоу </source>
        <translation>Delete scene from show </translation>
    </message>
    <message>
        <source>Создать новую Сцену</source>
        <translation>Create new scene</translation>
    </message>
    <message>
        <source>Установки</source>
        <translation>Setup</translation>
    </message>
    <message>
        <source>Очистить имена каналов</source>
        <translation>Clear channel names</translation>
    </message>
    <message>
        <source>Очистить цвета имен каналов</source>
        <translation>Clear channel name colors</translation>
    </message>
    <message>
        <source>Очистить графическую подсказку каналов</source>
        <translation>Clear channel icons</translation>
    </message>
    <message>
        <source>Очистить цвет условного разделения каналов</source>
        <translation>Clear channel border colors</translation>
    </message>
    <message>
        <source>Опции</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Поле для ручного управления лучем сканера</source>
        <translation>Pad for manual pan/tilt control</translation>
    </message>
    <message>
        <source>Запись и редактирование Статических картинок</source>
        <translation>Record and edit static pictures</translation>
    </message>
    <message>
        <source>Разрешить автодобавление сцен</source>
        <translation>Enable scene auto-add</translation>
    </message>
    <message>
        <source>Помощь</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Справка</source>
        <translation>Help topics</translation>
    </message>
    <message>
        <source>Панель</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>Новое Шоу</source>
        <translation>New show</translation>
    </message>
    <message>
        <source>Записать Шоу под новым Именем </source>
        <translation>Save show under a new name </translation>
    </message>
    <message>
        <source>Сохранить существующее Шоу </source>
        <translation>Save the current show </translation>
    </message>
    <message>
        <source>Копировать Сцену</source>
        <translation>Copy scene</translation>
    </message>
    <message>
        <source>Копировать предыдущую Сцену</source>
        <translation>Copy previous scene</translation>
    </message>
    <message>
        <source>Новая сцена</source>
        <translation>Clear the scene (Ctrl+E)</translation>
    </message>
    <message>
        <source>Удалить сцену</source>
        <translation>Delete scene</translation>
    </message>
    <message>
        <source>Окно ручного управления сканера </source>
        <translation>Manual pan/tilt control window </translation>
    </message>
    <message>
        <source>Запись статических картинок </source>
        <translation>Record static pictures </translation>
    </message>
    <message>
        <source>Автодобавление сцен </source>
        <translation>Scene auto-add </translation>
    </message>
    <message>
        <source>Help </source>
        <translation>Help </translation>
    </message>
    <message>
        <source>О программе </source>
        <translation>About </translation>
    </message>
    <message>
        <source>Фэйдера</source>
        <translation>Faders</translation>
    </message>
    <message>
        <source>График Канала</source>
        <translation>Channel graph</translation>
    </message>
    <message>
        <source>Редактор луча</source>
        <translation>Pan/tilt</translation>
    </message>
    <message>
        <source>Копирование</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Автоматы</source>
        <translation>Chasers</translation>
    </message>
    <message>
        <source>DMX coder</source>
        <translation>Patch</translation>
    </message>
    <message>
        <source>Сеть</source>
        <translation>Network</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>empty</translation>
    </message>
    <message>
        <source>Запомнить Сцену</source>
        <translation>Store an undo copy of the show</translation>
    </message>
    <message>
        <source>Вернуть прежнюю сцену</source>
        <translation>Back to the stored undo copy of the show</translation>
    </message>
    <message>
        <source>Обучение MIDI</source>
        <translation>MIDI learn</translation>
    </message>
    <message>
        <source>Восстановить шоу ...</source>
        <translation>Recover show ...</translation>
    </message>
</context>
<context>
    <name>UniversesFile</name>
    <message>
        <source>Файл вселенных отвергнут: %1</source>
        <translation>Universes file refused: %1</translation>
    </message>
</context>
<context>
    <name>velantra::AutomatsPage</name>
    <message>
        <source>Выбор эффекта один бегущий огонек</source>
        <translation>Effect: one running light</translation>
    </message>
    <message>
        <source>Выбор эффекта два бегущих огонька</source>
        <translation>Effect: two running lights</translation>
    </message>
    <message>
        <source>Выбор эффекта бегущая тень</source>
        <translation>Effect: running shadow</translation>
    </message>
    <message>
        <source>Выбор эффекта код с наполнением</source>
        <translation>Effect: fill pattern</translation>
    </message>
    <message>
        <source>Автомат 1  четырех канальный </source>
        <translation>Chaser 1, four channels</translation>
    </message>
    <message>
        <source>Автомат 2  четырех канальный </source>
        <translation>Chaser 2, four channels</translation>
    </message>
    <message>
        <source>Установка первого канала, с которого будет работать автомат бегушки</source>
        <translation>First channel the chaser runs from</translation>
    </message>
    <message>
        <source>Скорость переключения автомата</source>
        <translation>Chaser step speed</translation>
    </message>
    <message>
        <source>Максимальная яркость автомата</source>
        <translation>Chaser maximum intensity</translation>
    </message>
    <message>
        <source>Минимальная яркость автомата</source>
        <translation>Chaser minimum intensity</translation>
    </message>
    <message>
        <source>Пуск самостоятельно</source>
        <translation>Run always</translation>
    </message>
    <message>
        <source>Запусить автомат постоянно</source>
        <translation>Run the chaser continuously</translation>
    </message>
    <message>
        <source>С основным</source>
        <translation>Run with the show</translation>
    </message>
    <message>
        <source>Установленный флажок будет запускать автомат вместе с секвенсером 1</source>
        <translation>When ticked, the chaser runs while the show plays</translation>
    </message>
    <message>
        <source>Яркость</source>
        <translation>Intensity</translation>
    </message>
    <message>
        <source>Step = %1</source>
        <translation>Step = %1</translation>
    </message>
    <message>
        <source> Каналы %1  %2  %3  %4</source>
        <translation> Channels %1  %2  %3  %4</translation>
    </message>
    <message>
        <source> Начиная от - %1</source>
        <translation> Starting at - %1</translation>
    </message>
    <message>
        <source>%1 Flash/мин </source>
        <translation>%1 steps/min </translation>
    </message>
</context>
<context>
    <name>velantra::BlockCopyGroup</name>
    <message>
        <source>Номер канала от которого начинается копирование </source>
        <translation>First channel of the block to copy </translation>
    </message>
    <message>
        <source>Номер канала до которого продолжается копирование </source>
        <translation>Last channel of the block to copy </translation>
    </message>
    <message>
        <source>Номер канала в который начинается копирование отмеченного блока</source>
        <translation>Channel the marked block is copied to</translation>
    </message>
    <message>
        <source>Выполнить копирование</source>
        <translation>Perform copy</translation>
    </message>
    <message>
        <source> От канала </source>
        <translation> From channel </translation>
    </message>
    <message>
        <source>До канала </source>
        <translation>To channel </translation>
    </message>
    <message>
        <source>включительно</source>
        <translation>inclusive</translation>
    </message>
    <message>
        <source>Начиная </source>
        <translation>Starting </translation>
    </message>
    <message>
        <source>с канала </source>
        <translation>at channel </translation>
    </message>
    <message>
        <source>Копирование данных блоками </source>
        <translation>Copy data in blocks </translation>
    </message>
    <message>
        <source>Каналов текущей Сцены </source>
        <translation>Channels, current scene </translation>
    </message>
    <message>
        <source>Каналов (все сцены)</source>
        <translation>Channels (all scenes)</translation>
    </message>
    <message>
        <source>Каналов в сценах</source>
        <translation>Channels in scenes</translation>
    </message>
    <message>
        <source> От Сцены</source>
        <translation> From scene</translation>
    </message>
    <message>
        <source>До Сцены </source>
        <translation>To scene </translation>
    </message>
    <message>
        <source>с сцены </source>
        <translation>at scene </translation>
    </message>
    <message>
        <source>Сцен (все каналы)</source>
        <translation>Scenes (all channels)</translation>
    </message>
    <message>
        <source> Копирование не выполнено:Максимальное число каналов &gt; 256 ! </source>
        <translation> Copy not done: it would go past channel 255 </translation>
    </message>
    <message>
        <source> Копирование не выполнено:Максимальное число сцен &gt; 256 ! </source>
        <translation> Copy not done: maximum number of scenes &gt; 256 ! </translation>
    </message>
</context>
<context>
    <name>velantra::ChannelColorTab</name>
    <message>
        <source>Выбор канала для графической подсказки</source>
        <translation>Select the channel for the channel icon and border color</translation>
    </message>
    <message>
        <source>Установка типа изображения сопоставимого с типом регулировки прибора</source>
        <translation>Set the icon type that matches the fixture control type</translation>
    </message>
    <message>
        <source>Нет выбранного</source>
        <translation>None selected</translation>
    </message>
    <message>
        <source>Для установки цвета канала двойной клик на поле измения</source>
        <translation>Double-click the edit field to set the channel color</translation>
    </message>
    <message>
        <source>Цвет пля для ввода имени канала </source>
        <translation>Color of the channel name field </translation>
    </message>
    <message>
        <source>Устанвить выбранный Цвет группы</source>
        <translation>Set the selected group color</translation>
    </message>
    <message>
        <source>Выключить изменение цвета</source>
        <translation>Turn color change off</translation>
    </message>
    <message>
        <source>Нет выбора</source>
        <translation>No selection</translation>
    </message>
    <message>
        <source>Канал: %1 - N: %2</source>
        <translation>Channel: %1 - N: %2</translation>
    </message>
    <message>
        <source>setColor</source>
        <translation>Set color</translation>
    </message>
</context>
<context>
    <name>velantra::ChannelSetupGroup</name>
    <message>
        <source> Установки каналов и Клавиатуры  </source>
        <translation> Channel and keyboard setup  </translation>
    </message>
    <message>
        <source>Плавность</source>
        <translation>Fade</translation>
    </message>
    <message>
        <source>Уровни</source>
        <translation>Levels</translation>
    </message>
    <message>
        <source>Стат. картины</source>
        <translation>Static pics</translation>
    </message>
</context>
<context>
    <name>velantra::CoderPage</name>
    <message>
        <source>Файлы перекодировки Velantra  (*.vdx)</source>
        <translation>Velantra patch files  (*.vdx)</translation>
    </message>
    <message>
        <source>Таблица перекодировок каналов  строки DMX512. на выходе программы</source>
        <translation>Channel patch table of the DMX512 frame at the program output</translation>
    </message>
    <message>
        <source>Сбросить все установки 1=1, 2=2 и т.д.</source>
        <translation>Reset all settings 1=1, 2=2 etc.</translation>
    </message>
    <message>
        <source>Загрузить таблицу</source>
        <translation>Load table</translation>
    </message>
    <message>
        <source>Сохранить таблицу</source>
        <translation>Save table</translation>
    </message>
    <message>
        <source>Измение канала на ...</source>
        <translation>Change channel to ...</translation>
    </message>
    <message>
        <source>Имя Кодера</source>
        <translation>Patch name</translation>
    </message>
    <message>
        <source>Стартовый код кадра DMX: приемники принимают только кадры с кодом 0</source>
        <translation>DMX frame start code: receivers accept only frames with code 0</translation>
    </message>
    <message>
        <source>Устанавливаем из какого канала будет пееренаправлятся в какой канал DMX</source>
        <translation>Set which channel is redirected to which DMX channel</translation>
    </message>
    <message>
        <source>Установка изменяемого канала</source>
        <translation>Set the channel to change</translation>
    </message>
    <message>
        <source>Стартовый код 0</source>
        <translation>Start code 0</translation>
    </message>
    <message>
        <source>Стартовый код = уровень канала %1</source>
        <translation>Start code = level of channel %1</translation>
    </message>
    <message>
        <source>Канал %1 выводится в канал %2 </source>
        <translation>Channel %1 is sent to channel %2 </translation>
    </message>
    <message>
        <source>Канал %1 выводится в канал %2</source>
        <translation>Channel %1 is sent to channel %2</translation>
    </message>
</context>
<context>
    <name>velantra::ConveyorGroup</name>
    <message>
        <source>Конвейр потоков Шоу </source>
        <translation>Show queue </translation>
    </message>
    <message>
        <source>No job</source>
        <translation>No job</translation>
    </message>
    <message>
        <source>Вкл</source>
        <translation>On</translation>
    </message>
    <message>
        <source>(пусто)</source>
        <translation>(empty)</translation>
    </message>
    <message>
        <source>Имя введенного файла на кнопке  -  вводить Имя правой кнопкой</source>
        <translation>File name on the button  -  right-click to enter a name</translation>
    </message>
    <message>
        <source>Запустить Конвейр Шоу  с первой активной кнопки</source>
        <translation>Start the show queue from the first active button</translation>
    </message>
    <message>
        <source>Запустить конвейр Шоу  с текущей позиции </source>
        <translation>Start the show queue from the current position </translation>
    </message>
    <message>
        <source>Остановить Шоу   и  разрешить проигрывание выбранного Шоу</source>
        <translation>Stop the show   and  allow playing the selected show</translation>
    </message>
    <message>
        <source>Остановить конвейр и разрешить набор конвейра Шоу</source>
        <translation>Stop the queue and allow building the show queue</translation>
    </message>
    <message>
        <source>Очистить конвейр Шоу</source>
        <translation>Clear the show queue</translation>
    </message>
    <message>
        <source>Включить горячие кнопки клавиатуру</source>
        <translation>Enable keyboard hot keys</translation>
    </message>
    <message>
        <source>Клавиатура</source>
        <translation>Keyboard</translation>
    </message>
    <message>
        <source>пусто</source>
        <translation>empty</translation>
    </message>
    <message>
        <source>Удалить все файлы конвейра ? </source>
        <translation>Remove all shows from the queue?</translation>
    </message>
    <message>
        <source>%1 пусто</source>
        <translation>%1 empty</translation>
    </message>
    <message>
        <source>%1 (пусто)</source>
        <translation>%1 (empty)</translation>
    </message>
</context>
<context>
    <name>velantra::DeskCore</name>
    <message>
        <source>Файл ШОУ не найден </source>
        <translation>Show file not found </translation>
    </message>
    <message>
        <source>Файл -Color- не найден  </source>
        <translation>File -Color- not found  </translation>
    </message>
    <message>
        <source>Нет файла кодера</source>
        <translation>No patch file</translation>
    </message>
    <message>
        <source>В файле кодера недопустимые каналы заменены прямым выводом: %1</source>
        <translation>Invalid channels in the patch file replaced by direct output: %1</translation>
    </message>
    <message>
        <source> Файл кодера меняет start code кадра DMX (уровень канала %1): приемники не примут кадры </source>
        <translation> Patch file changes the DMX frame start code (level of channel %1): receivers will reject frames </translation>
    </message>
    <message>
        <source>Автосохранение файла %1</source>
        <translation>Autosave of file %1</translation>
    </message>
    <message>
        <source> Журнал правок не подходит ни к одному шоу: он сохранен в папке восстановления </source>
        <translation> The edit journal fits no show: it is kept in the recovery folder </translation>
    </message>
    <message>
        <source>Журнал правок не подходит ни к одному шоу: шоу, на котором он начат, не найдено </source>
        <translation>The edit journal fits no show: the show it was begun on is not found </translation>
    </message>
    <message>
        <source>В журнале правок нет изменений шоу </source>
        <translation>The edit journal holds no change to the show </translation>
    </message>
</context>
<context>
    <name>velantra::FaderPage</name>
    <message>
        <source>Канал             Уровень             Выход    Тип   Границы   Имя  канала              Время изменения     Выбор</source>
        <translation>Channel           Level               Output   Type  Border    Channel name             Fade time           Select</translation>
    </message>
    <message>
        <source>Номер канала в строке DMX</source>
        <translation>Channel number in the DMX frame</translation>
    </message>
    <message>
        <source>Уровень канала DMX высттавленный пользователем в текущем шаге</source>
        <translation>DMX channel level set by the user in the current step</translation>
    </message>
    <message>
        <source>Реальный уровень канала DMX на выходе</source>
        <translation>Actual DMX channel level at the output</translation>
    </message>
    <message>
        <source>Имя канала. Максимальное число символов - 16. Для изменения цвета дабл-клик</source>
        <translation>Channel name. Maximum number of characters - 16. Double-click to change color</translation>
    </message>
    <message>
        <source>Время изменения уровня DMX канала</source>
        <translation>DMX channel fade time</translation>
    </message>
    <message>
        <source>Индивидуальный выбор канала для режимов и блоков: Флэш, Ручной, Уровни, Время</source>
        <translation>Selects the channel for the Static pics, Manual control, Levels and Fade settings</translation>
    </message>
    <message>
        <source>Индивидуальный выбор канала </source>
        <translation>Individual channel select </translation>
    </message>
    <message>
        <source>Установить уровни все каналов сцены  в &apos;0&apos;</source>
        <translation>Set levels of all scene channels to &apos;0&apos;</translation>
    </message>
    <message>
        <source> Вся сцена установлена в 0</source>
        <translation> Whole scene set to 0</translation>
    </message>
    <message>
        <source>Установить уровни видимых каналов в &apos;0&apos; </source>
        <translation>Set levels of visible channels to &apos;0&apos; </translation>
    </message>
    <message>
        <source> Установлено в 0 </source>
        <translation> Set to 0 </translation>
    </message>
    <message>
        <source>Установить уровни видимых каналов в &apos;127&apos; </source>
        <translation>Set levels of visible channels to &apos;127&apos; </translation>
    </message>
    <message>
        <source> Установлено в 127</source>
        <translation> Set to 127</translation>
    </message>
    <message>
        <source>Установить уровни видимых каналов в &apos;255&apos; </source>
        <translation>Set levels of visible channels to &apos;255&apos; </translation>
    </message>
    <message>
        <source> Установлено в 255</source>
        <translation> Set to 255</translation>
    </message>
    <message>
        <source>Сбросить все видимые флажки в столбце Выбор </source>
        <translation>Clear all visible checkboxes in the Select column </translation>
    </message>
    <message>
        <source>Включить все видимые флажки в столбце Выбор </source>
        <translation>Set all visible checkboxes in the Select column </translation>
    </message>
    <message>
        <source>Сбросить все флажки в столбце Выбор </source>
        <translation>Clear all checkboxes in the Select column </translation>
    </message>
    <message>
        <source> Все флажки Установлены </source>
        <translation> All Select check boxes cleared </translation>
    </message>
    <message>
        <source>Инвертирует состояние флажков в поле  Выбор </source>
        <translation>Inverts the checkboxes in the Select column </translation>
    </message>
    <message>
        <source>Уровень в стандарте DMX512  0-255</source>
        <translation>Level in DMX512 standard  0-255</translation>
    </message>
    <message>
        <source>Уровень в процентах</source>
        <translation>Level in percent</translation>
    </message>
    <message>
        <source>Скорость презаписи данных на мониторе</source>
        <translation>Monitor data refresh speed</translation>
    </message>
    <message>
        <source>Разрешить нормальную работу </source>
        <translation>Enable normal operation </translation>
    </message>
    <message>
        <source>Выключает все каналы DMX  Горячая кнопка = O = </source>
        <translation>Blackout: every DMX channel off. Key: 0 (zero)</translation>
    </message>
    <message>
        <source>Выключает все каналы  и включает  каналы статической каркинки =M= </source>
        <translation>Every channel off but those of static picture M</translation>
    </message>
    <message>
        <source>BO</source>
        <translation>B.O.</translation>
    </message>
</context>
<context>
    <name>velantra::FormColorGroup</name>
    <message>
        <source>Цвет формы</source>
        <translation>Window color</translation>
    </message>
    <message>
        <source>Вкл. цвет</source>
        <translation>Color on</translation>
    </message>
    <message>
        <source>Менять цвет автоматически</source>
        <translation>Change color automatically</translation>
    </message>
    <message>
        <source>Включить цвет</source>
        <translation>Turn color on</translation>
    </message>
    <message>
        <source>Красная компонента цвета базовой формы</source>
        <translation>Red component of the main window color</translation>
    </message>
    <message>
        <source>Зеленая компонента цвета базовой формы</source>
        <translation>Green component of the main window color</translation>
    </message>
    <message>
        <source>Синяя компонента цвета базовой формы</source>
        <translation>Blue component of the main window color</translation>
    </message>
</context>
<context>
    <name>velantra::GraphPage</name>
    <message>
        <source>Динамика изменения канала по выделенным сценам </source>
        <translation>Channel level over the selected scenes </translation>
    </message>
    <message>
        <source>Устанавливает номер редактируемого канала</source>
        <translation>Sets the number of the channel being edited</translation>
    </message>
    <message>
        <source>Блок редактируемых сцен</source>
        <translation>Block of edited scenes</translation>
    </message>
    <message>
        <source>Масштаб сцен</source>
        <translation>Scene scale</translation>
    </message>
    <message>
        <source>Установить последнюю Сцену</source>
        <translation>Set last scene</translation>
    </message>
    <message>
        <source>Установка номера последней сцены</source>
        <translation>Sets the number of the last scene</translation>
    </message>
    <message>
        <source>Устанавливать значение только одного канала</source>
        <translation>Set the value of one channel only</translation>
    </message>
    <message>
        <source>Интерполировать уровни каналов. Начало - левая кнопка, конец - правая.</source>
        <translation>Interpolate channel levels. Start - left button, end - right button.</translation>
    </message>
    <message>
        <source>Повторять значение текущего канала во всех рабочих сценах</source>
        <translation>Repeat the current channel value in all working scenes</translation>
    </message>
    <message>
        <source> Канал %1  %2</source>
        <translation> Channel %1  %2</translation>
    </message>
    <message>
        <source>от Сцены = %1</source>
        <translation>from scene = %1</translation>
    </message>
    <message>
        <source>до Сцены = %1</source>
        <translation>to scene = %1</translation>
    </message>
    <message>
        <source> Масштаб = %1/1</source>
        <translation> Scale = %1/1</translation>
    </message>
    <message>
        <source> Сцена = %1</source>
        <translation> Scene = %1</translation>
    </message>
    <message>
        <source> Новый уровень канала = %1%2</source>
        <translation> New channel level = %1%2</translation>
    </message>
    <message>
        <source> Уровень канала сцены %1 = %2%3</source>
        <translation> Channel level in scene %1 = %2%3</translation>
    </message>
</context>
<context>
    <name>velantra::KeyboardControl</name>
    <message>
        <source>NomberKey is %1</source>
        <translation>Key number: %1</translation>
    </message>
</context>
<context>
    <name>velantra::LevelsTab</name>
    <message>
        <source>Ручное управление</source>
        <translation>Manual control</translation>
    </message>
    <message>
        <source>BlackOut</source>
        <translation>Blackout</translation>
    </message>
    <message>
        <source>Ручное управление выделенными каналами в текущей сцене</source>
        <translation>Manual control of the selected channels in the current scene</translation>
    </message>
    <message>
        <source>Выключает все каналы DMX  Горячая кнопка = O = </source>
        <translation>Blackout: every DMX channel off. Key: 0 (zero)</translation>
    </message>
    <message>
        <source>Общий абсолютный уровень каналов</source>
        <translation>Overall absolute channel level</translation>
    </message>
    <message>
        <source>Изменение выделенных уровней</source>
        <translation>Change selected levels</translation>
    </message>
</context>
<context>
    <name>velantra::NameCopyGroup</name>
    <message>
        <source>Имен </source>
        <translation>Names </translation>
    </message>
    <message>
        <source>Связать</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>+ Namber Name</source>
        <translation>+ Number Name</translation>
    </message>
    <message>
        <source>Отмечать первый канал</source>
        <translation>Mark first channel</translation>
    </message>
    <message>
        <source>Номер канала от которого начинается копирование </source>
        <translation>First channel of the block to copy </translation>
    </message>
    <message>
        <source>Номер канала до которого продолжается копирование </source>
        <translation>Last channel of the block to copy </translation>
    </message>
    <message>
        <source>Номер канала в который начинается копирование отмеченного блока</source>
        <translation>Channel the marked block is copied to</translation>
    </message>
    <message>
        <source>Выполнить копирование</source>
        <translation>Perform copy</translation>
    </message>
    <message>
        <source>Начиная</source>
        <translation>Starting</translation>
    </message>
    <message>
        <source>с канала </source>
        <translation>at channel </translation>
    </message>
    <message>
        <source> От канала </source>
        <translation> From channel </translation>
    </message>
    <message>
        <source>До канала </source>
        <translation>To channel </translation>
    </message>
    <message>
        <source>включительно</source>
        <translation>inclusive</translation>
    </message>
    <message>
        <source>Первая цифра</source>
        <translation>First digit</translation>
    </message>
    <message>
        <source>Колво приборов</source>
        <translation>Fixture count</translation>
    </message>
    <message>
        <source> Копирование не выполнено: Максимальное число имен &gt; 256 ! </source>
        <translation> Copy not done: maximum number of names &gt; 256 ! </translation>
    </message>
</context>
<context>
    <name>velantra::NetworkOutputs</name>
    <message>
        <source> %1: адрес %2 не найден, выход выключен </source>
        <translation> %1: address %2 not found, output off </translation>
    </message>
    <message>
        <source> sACN: Enabled=%1 - не 0 и не 1, выход выключен </source>
        <translation> sACN: Enabled=%1 - not 0 and not 1, output off </translation>
    </message>
    <message>
        <source> sACN: вселенная %1 - вне 1..63999, выход выключен </source>
        <translation> sACN: universe %1 - outside 1..63999, output off </translation>
    </message>
    <message>
        <source> sACN: приоритет %1 - вне 0..200, выход выключен </source>
        <translation> sACN: priority %1 - outside 0..200, output off </translation>
    </message>
    <message>
        <source> sACN: MulticastHops=%1 - вне 1..255, выход выключен </source>
        <translation> sACN: MulticastHops=%1 - outside 1..255, output off </translation>
    </message>
    <message>
        <source> sACN: интерфейс %1 не найден или без адреса IPv4, выход выключен </source>
        <translation> sACN: interface %1 not found or has no IPv4 address, output off </translation>
    </message>
    <message>
        <source> Art-Net: Enabled=%1, AlwaysBroadcast=%2 - не 0 и не 1, выход выключен </source>
        <translation> Art-Net: Enabled=%1, AlwaysBroadcast=%2 - not 0 and not 1, output off </translation>
    </message>
    <message>
        <source> Art-Net: Port-Address %1 - не 0..32767 и не Net:Sub-Net:Universe, выход выключен </source>
        <translation> Art-Net: Port-Address %1 - not 0..32767 and not Net:Sub-Net:Universe, output off </translation>
    </message>
    <message>
        <source> Art-Net: интерфейс %1 не найден или без адреса IPv4, выход выключен </source>
        <translation> Art-Net: interface %1 not found or has no IPv4 address, output off </translation>
    </message>
    <message>
        <source>%1 (отказов: %2)</source>
        <translation>%1 (failures: %2)</translation>
    </message>
    <message>
        <source>слот %1 ← канал %2</source>
        <translation>slot %1 ← channel %2</translation>
    </message>
    <message>
        <source>слоты %1-%2 ← каналы %3-%4</source>
        <translation>slots %1-%2 ← channels %3-%4</translation>
    </message>
    <message>
        <source>и еще %1</source>
        <translation>and %1 more</translation>
    </message>
    <message>
        <source>sACN выкл</source>
        <translation>sACN off</translation>
    </message>
    <message>
        <source>sACN %1</source>
        <translation>sACN %1</translation>
    </message>
    <message>
        <source>Art-Net выкл</source>
        <translation>Art-Net off</translation>
    </message>
    <message>
        <source>Art-Net %1</source>
        <translation>Art-Net %1</translation>
    </message>
    <message>
        <source>1: каналы по коммутации кодера; USB, %1, %2</source>
        <translation>1: channels through the patch; USB, %1, %2</translation>
    </message>
    <message>
        <source>%1: не передается</source>
        <translation>%1: not sent</translation>
    </message>
    <message>
        <source>пусто (нули)</source>
        <translation>empty (zeros)</translation>
    </message>
    <message>
        <source>%1: %2; %3, %4</source>
        <translation>%1: %2; %3, %4</translation>
    </message>
</context>
<context>
    <name>velantra::NetworkPage</name>
    <message>
        <source>sACN (E1.31)</source>
        <translation>sACN (E1.31)</translation>
    </message>
    <message>
        <source>Вкл</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Посылать кадр DMX по сети в стандарте sACN (E1.31)</source>
        <translation>Send the DMX frame over the network as sACN (E1.31)</translation>
    </message>
    <message>
        <source>Вселенная sACN: 1..63999</source>
        <translation>sACN universe: 1..63999</translation>
    </message>
    <message>
        <source>Приоритет источника: 0..200, обычно 100</source>
        <translation>Source priority: 0..200, usually 100</translation>
    </message>
    <message>
        <source>Адрес IPv4 или имя приемника; пусто - multicast</source>
        <translation>IPv4 address or receiver name; empty - multicast</translation>
    </message>
    <message>
        <source>multicast</source>
        <translation>multicast</translation>
    </message>
    <message>
        <source>Сетевой интерфейс, через который идет multicast</source>
        <translation>Network interface used for multicast</translation>
    </message>
    <message>
        <source>Имя источника, видимое на приемниках (до 63 байт)</source>
        <translation>Source name shown on receivers (up to 63 bytes)</translation>
    </message>
    <message>
        <source>Вселенная</source>
        <translation>Universe</translation>
    </message>
    <message>
        <source>Приоритет</source>
        <translation>Priority</translation>
    </message>
    <message>
        <source>Адрес</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>Интерфейс</source>
        <translation>Interface</translation>
    </message>
    <message>
        <source>Имя источника</source>
        <translation>Source name</translation>
    </message>
    <message>
        <source>Art-Net 4</source>
        <translation>Art-Net 4</translation>
    </message>
    <message>
        <source>Посылать кадр DMX по сети в стандарте Art-Net 4</source>
        <translation>Send the DMX frame over the network as Art-Net 4</translation>
    </message>
    <message>
        <source>Port-Address: Net:Sub-Net:Universe (0:0:0) или число 0..32767</source>
        <translation>Port-Address: Net:Sub-Net:Universe (0:0:0) or number 0..32767</translation>
    </message>
    <message>
        <source>Адрес IPv4 или имя узла; пусто - найденные узлы, иначе broadcast</source>
        <translation>IPv4 address or node name; empty - discovered nodes, else broadcast</translation>
    </message>
    <message>
        <source>найденные узлы</source>
        <translation>discovered nodes</translation>
    </message>
    <message>
        <source>Сетевой интерфейс для опроса узлов и broadcast</source>
        <translation>Network interface for node polling and broadcast</translation>
    </message>
    <message>
        <source>Всегда broadcast</source>
        <translation>Always broadcast</translation>
    </message>
    <message>
        <source>Для узлов, которые не отвечают на опрос</source>
        <translation>For nodes that do not answer polls</translation>
    </message>
    <message>
        <source>IP</source>
        <translation>IP</translation>
    </message>
    <message>
        <source>Имя</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Port-Address</source>
        <translation>Port-Address</translation>
    </message>
    <message>
        <source>выбор системы</source>
        <translation>system default</translation>
    </message>
    <message>
        <source>%1 (нет)</source>
        <translation>%1 (missing)</translation>
    </message>
    <message>
        <source>= %1</source>
        <translation>= %1</translation>
    </message>
    <message>
        <source>неверно</source>
        <translation>invalid</translation>
    </message>
    <message>
        <source>Пакетов в секунду: %1</source>
        <translation>Packets per second: %1</translation>
    </message>
    <message>
        <source>Не передает</source>
        <translation>Not sending</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Узлы, ответившие на последний опрос (опрос каждые 2,75 с, ответ ждется 3 с)</source>
        <translation>Nodes that answered the last poll (a poll every 2.75 s, answers awaited 3 s)</translation>
    </message>
    <message>
        <source>Вселенные</source>
        <translation>Universes</translation>
    </message>
    <message>
        <source>Вселенная 1 идет по коммутации кодера на USB и в сеть; вселенные 2-4 - только в сеть, на следующие вселенные sACN и Port-Address Art-Net</source>
        <translation>Universe 1 goes through the patch to USB and the network; universes 2-4 go to the network only, on the next sACN universes and Art-Net Port-Addresses</translation>
    </message>
    <message>
        <source>Первый слот вселенной</source>
        <translation>First slot of the universe</translation>
    </message>
    <message>
        <source>Первый канал пульта</source>
        <translation>First desk channel</translation>
    </message>
    <message>
        <source>Последний канал пульта</source>
        <translation>Last desk channel</translation>
    </message>
    <message>
        <source>Скоммутировать</source>
        <translation>Patch</translation>
    </message>
    <message>
        <source>Каналы с первого по последний - в слоты вселенной подряд, начиная с первого слота</source>
        <translation>Channels first to last go to consecutive slots of the universe, from the first slot</translation>
    </message>
    <message>
        <source>Очистить</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Убрать из вселенной все каналы</source>
        <translation>Remove every channel from the universe</translation>
    </message>
    <message>
        <source>каналы</source>
        <translation>channels</translation>
    </message>
    <message>
        <source>Каналы %1-%2 не поместились: во вселенной 512 слотов</source>
        <translation>Channels %1-%2 did not fit: a universe has 512 slots</translation>
    </message>
    <message>
        <source>Выбран интерфейс %1</source>
        <translation>Interface chosen: %1</translation>
    </message>
    <message>
        <source>Через %1</source>
        <translation>Via %1</translation>
    </message>
    <message>
        <source>%1 #%2</source>
        <translation>%1 #%2</translation>
    </message>
    <message>
        <source>со слота</source>
        <translation>from slot</translation>
    </message>
</context>
<context>
    <name>velantra::OptionsPage</name>
    <message>
        <source>Состояние шины USB </source>
        <translation>USB bus status </translation>
    </message>
    <message>
        <source>Работа в DEMO режиме</source>
        <translation>Run in DEMO mode</translation>
    </message>
    <message>
        <source>Диск</source>
        <translation>Disk</translation>
    </message>
    <message>
        <source>Клавиатура ?</source>
        <translation>Keyboard ?</translation>
    </message>
    <message>
        <source>Язык</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Как в системе</source>
        <translation>System default</translation>
    </message>
    <message>
        <source>Язык сменится при следующем запуске</source>
        <translation>Language changes at next start</translation>
    </message>
    <message>
        <source>Свободно на диске%1 Mb</source>
        <translation>Free on disk %1 MB</translation>
    </message>
    <message>
        <source>Размер диска  %1 Mb</source>
        <translation>Disk size  %1 MB</translation>
    </message>
    <message>
        <source>Вид: определить сам</source>
        <translation>Type: detect</translation>
    </message>
    <message>
        <source>Вид: интерфейс Velantra</source>
        <translation>Type: Velantra interface</translation>
    </message>
    <message>
        <source>Вид: DMX USB Pro</source>
        <translation>Type: DMX USB Pro</translation>
    </message>
    <message>
        <source>Вид: Open DMX</source>
        <translation>Type: Open DMX</translation>
    </message>
    <message>
        <source>Как говорить с этим интерфейсом; запоминается по его серийному номеру</source>
        <translation>How to talk to this interface; kept by its serial number</translation>
    </message>
</context>
<context>
    <name>velantra::PicturesTab</name>
    <message>
        <source>Включить клавиатуру</source>
        <translation>Enable keyboard</translation>
    </message>
    <message>
        <source> Статические картинки </source>
        <translation> Static pictures </translation>
    </message>
    <message>
        <source>прбел</source>
        <translation>space</translation>
    </message>
    <message>
        <source>Включить / Выключить флэш - кнопки клавиатуры</source>
        <translation>Keyboard keys flash the static pictures: on / off</translation>
    </message>
    <message>
        <source>Запрограммированая статическая картинка - Горячая кнопка =%1= </source>
        <translation>Programmed static picture - hot key =%1= </translation>
    </message>
</context>
<context>
    <name>velantra::RateTab</name>
    <message>
        <source>2 sec</source>
        <translation>2 sec</translation>
    </message>
    <message>
        <source>Время изменения уровня выбранных каналов DMX </source>
        <translation>Fade time of the selected DMX channels </translation>
    </message>
    <message>
        <source>Время изменения уровня всех каналов DMX  в секундах</source>
        <translation>Fade time of all DMX channels  in seconds</translation>
    </message>
    <message>
        <source>Плавность перехода  сцен </source>
        <translation>Scene fade </translation>
    </message>
    <message>
        <source>Фейдера</source>
        <translation>Faders</translation>
    </message>
    <message>
        <source>Автомат</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Выкл</source>
        <translation>Off</translation>
    </message>
</context>
<context>
    <name>velantra::RemoteGroup</name>
    <message>
        <source>Пульт по сети</source>
        <translation>Remote control</translation>
    </message>
    <message>
        <source>Веб-пульт</source>
        <translation>Web remote</translation>
    </message>
    <message>
        <source>Новый PIN</source>
        <translation>New PIN</translation>
    </message>
    <message>
        <source>OSC</source>
        <translation>OSC</translation>
    </message>
    <message>
        <source>Страница для телефона и планшета, которая управляет пультом</source>
        <translation>A page for phones and tablets that drives the desk</translation>
    </message>
    <message>
        <source>Новый PIN: открытые страницы должны ввести его снова</source>
        <translation>New PIN: open pages must enter it again</translation>
    </message>
    <message>
        <source>Команды OSC по UDP: /velantra/play, /velantra/fader/1 ...</source>
        <translation>OSC commands over UDP: /velantra/play, /velantra/fader/1 ...</translation>
    </message>
    <message>
        <source>PIN %1</source>
        <translation>PIN %1</translation>
    </message>
    <message>
        <source>Страниц: %1, управляют: %2</source>
        <translation>Pages: %1, controlling: %2</translation>
    </message>
    <message>
        <source>Выключен</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Слушает порт %1, обратная связь: %2</source>
        <translation>Listening on port %1, feedback to %2</translation>
    </message>
</context>
<context>
    <name>velantra::SceneGroup</name>
    <message>
        <source>Управление сценами</source>
        <translation>Scene control</translation>
    </message>
    <message>
        <source>Секвенсер</source>
        <translation>Sequencer</translation>
    </message>
    <message>
        <source>Цвет канала</source>
        <translation>Channel color</translation>
    </message>
</context>
<context>
    <name>velantra::SequencerPage</name>
    <message>
        <source>Запустить Шоу - горячая кнопка /-/ </source>
        <translation>Play the show. Key: - (minus)</translation>
    </message>
    <message>
        <source>Остановить Шоу - горячая кнопка /+/ </source>
        <translation>Stop the show. Key: = (equals)</translation>
    </message>
    <message>
        <source>Время перехода на следующую сцену </source>
        <translation>Time to the next scene </translation>
    </message>
    <message>
        <source>Номер текущей сцены</source>
        <translation>Current scene number</translation>
    </message>
    <message>
        <source>Максимальное кол-во сцен</source>
        <translation>Maximum number of scenes</translation>
    </message>
    <message>
        <source>Уст 1</source>
        <translation>Set 1</translation>
    </message>
    <message>
        <source>Предварительный выбор сцены</source>
        <translation>Scene preselection</translation>
    </message>
    <message>
        <source>Время в Шоу ?</source>
        <translation>Show time ?</translation>
    </message>
    <message>
        <source>Время  Паузы  </source>
        <translation>Pause time  </translation>
    </message>
    <message>
        <source>Установка времени перехода на следующую сцену</source>
        <translation>Set the time to the next scene</translation>
    </message>
    <message>
        <source>Установка текущей сцены</source>
        <translation>Set the current scene</translation>
    </message>
    <message>
        <source>Выбор предварительной  установка начальной сцены </source>
        <translation>Preselect the start scene </translation>
    </message>
    <message>
        <source>Уст</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>Предварительная  установка начальной сцены </source>
        <translation>Preset the start scene </translation>
    </message>
    <message>
        <source>Создать новую сцену после текущей</source>
        <translation>Create a new scene after the current one</translation>
    </message>
    <message>
        <source>Копировать текущую сцену в буфер</source>
        <translation>Copy the current scene to the clipboard</translation>
    </message>
    <message>
        <source>Создать новую сцену после текущей и скопировать в нее сцену из буфера</source>
        <translation>New scene after the current one with the clipboard scene</translation>
    </message>
    <message>
        <source>Заменить текущую сцену Сценой  из буфера</source>
        <translation>Replace the current scene with the clipboard scene</translation>
    </message>
    <message>
        <source>Удалить текущую сцену</source>
        <translation>Delete the current scene</translation>
    </message>
    <message>
        <source>%1  Сцен/мин </source>
        <translation>%1  Scenes/min </translation>
    </message>
    <message>
        <source>Уст %1</source>
        <translation>Set %1</translation>
    </message>
    <message>
        <source>%1ч %2м %3с </source>
        <translation>%1h %2m %3s </translation>
    </message>
    <message>
        <source>Шоу   = %1</source>
        <translation>Show  = %1</translation>
    </message>
    <message>
        <source>Паузa = %1</source>
        <translation>Pause = %1</translation>
    </message>
</context>
<context>
    <name>velantra::TAboutForm</name>
    <message>
        <source>Velantra  Lumatik  Windows XP</source>
        <translation>Velantra Lumatik</translation>
    </message>
    <message>
        <source>Version %1      Ноябрь 2009 г.</source>
        <translation>Version %1 (November 2009)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
</context>
<context>
    <name>velantra::TBaseForm</name>
    <message>
        <source>Файлы DMX Velantra  (*.vlt)</source>
        <translation>Velantra DMX show files  (*.vlt)</translation>
    </message>
    <message>
        <source> Автосохранение не выполнено: %1 </source>
        <translation> Autosave failed: %1 </translation>
    </message>
    <message>
        <source>  данные сохранены </source>
        <translation>  data stored </translation>
    </message>
    <message>
        <source> данные возвращены </source>
        <translation> data restored </translation>
    </message>
    <message>
        <source> Записать в буфер </source>
        <translation> Copied to clipboard </translation>
    </message>
    <message>
        <source> Автодобавление сцен </source>
        <translation> Scene auto-add </translation>
    </message>
    <message>
        <source> Нет имени файла </source>
        <translation> No file name </translation>
    </message>
    <message>
        <source>Создать новое ШОУ?</source>
        <translation>Create a new show?</translation>
    </message>
    <message>
        <source>Создать новую сцену после текущей и скопировать в нее сцену %1 из буфера</source>
        <translation>New scene after the current one with clipboard scene %1</translation>
    </message>
    <message>
        <source>Заменить текущую сцену Сценой %1 из буфера</source>
        <translation>Replace the current scene with clipboard scene %1</translation>
    </message>
    <message>
        <source> Initalization </source>
        <translation> Initialization </translation>
    </message>
    <message>
        <source>без имени</source>
        <translation>untitled</translation>
    </message>
    <message>
        <source>Программа в прошлый раз завершилась нештатно. В журнале правок есть изменения шоу %1, не записанные в файл (последняя правка %2).</source>
        <translation>Last time the program did not end normally. The edit journal holds changes to show %1 that were not saved to a file (last edit %2).</translation>
    </message>
    <message>
        <source>Конец журнала поврежден и отброшен.</source>
        <translation>The end of the journal was damaged and has been dropped.</translation>
    </message>
    <message>
        <source>Восстановить их? (Нет: журнал останется в меню Шоу, &quot;Восстановить шоу ...&quot;)</source>
        <translation>Recover them? (No: the journal stays in the Show menu, &quot;Recover show ...&quot;)</translation>
    </message>
    <message>
        <source>Копий шоу и журналов правок для восстановления нет</source>
        <translation>There are no show copies or edit journals to recover</translation>
    </message>
    <message>
        <source>копия шоу</source>
        <translation>show copy</translation>
    </message>
    <message>
        <source>журнал правок</source>
        <translation>edit journal</translation>
    </message>
    <message>
        <source>Восстановить шоу</source>
        <translation>Recover show</translation>
    </message>
    <message>
        <source>Копии шоу и журналы правок, новые сверху. Шоу в памяти сохранится копией.</source>
        <translation>Show copies and edit journals, newest first. The show in memory is kept as a copy.</translation>
    </message>
</context>
<context>
    <name>velantra::THandScanForm</name>
    <message>
        <source>Ручное управление лучем сканера </source>
        <translation>Manual pan/tilt control </translation>
    </message>
    <message>
        <source>X=255</source>
        <translation>Invert X</translation>
    </message>
    <message>
        <source>Инверсия по X</source>
        <translation>Invert X</translation>
    </message>
    <message>
        <source>Y=255</source>
        <translation>Invert Y</translation>
    </message>
    <message>
        <source>Инверсия по Y</source>
        <translation>Invert Y</translation>
    </message>
    <message>
        <source>X&lt;-&gt;Y</source>
        <translation>X&lt;-&gt;Y</translation>
    </message>
    <message>
        <source>Меняет местами координаты  X &lt;&gt; Y </source>
        <translation>Swaps coordinates  X &lt;&gt; Y </translation>
    </message>
    <message>
        <source>Приоритет</source>
        <translation>Priority</translation>
    </message>
    <message>
        <source>Управлять в любом режиме</source>
        <translation>Control in any mode</translation>
    </message>
    <message>
        <source>Положение курсора на поле воздействует на два канала, начиная с первой отметки в столбце =Выбор = </source>
        <translation>The pointer on the pad drives two channels: the first two ticked in the Select column</translation>
    </message>
    <message>
        <source>X=%1</source>
        <translation>Invert X (%1)</translation>
    </message>
    <message>
        <source>Y=%1</source>
        <translation>Invert Y (%1)</translation>
    </message>
</context>
<context>
    <name>velantra::TStaticForm</name>
    <message>
        <source>Статические картинки</source>
        <translation>Static pictures</translation>
    </message>
    <message>
        <source>Считать</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Редактируемая статическая картинка</source>
        <translation>Static picture being edited</translation>
    </message>
    <message>
        <source>Записать </source>
        <translation>Record </translation>
    </message>
    <message>
        <source>Записать в  статическую картинку</source>
        <translation>Record to static picture</translation>
    </message>
    <message>
        <source> Выбор сцены  </source>
        <translation> Scene select  </translation>
    </message>
    <message>
        <source>Стереть</source>
        <translation>Erase</translation>
    </message>
    <message>
        <source>Стереть редактируемую сцену</source>
        <translation>Erase the edited scene</translation>
    </message>
    <message>
        <source>Стереть все</source>
        <translation>Erase all</translation>
    </message>
    <message>
        <source>Стереть все статические картинки </source>
        <translation>Erase all static pictures </translation>
    </message>
    <message>
        <source>Вернуть</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Вернуть прежнюю сцену</source>
        <translation>Back to the stored undo copy of the show</translation>
    </message>
    <message>
        <source>Удалить статическую картинку?</source>
        <translation>Delete static picture?</translation>
    </message>
    <message>
        <source>Удалить все Статические картинки?</source>
        <translation>Delete all static pictures?</translation>
    </message>
</context>
<context>
    <name>velantra::XyEditorPage</name>
    <message>
        <source>Динамика изменения двух соседних каналов по выделенным сценам </source>
        <translation>Level of two adjacent channels over the selected scenes </translation>
    </message>
    <message>
        <source> Сцена ? </source>
        <translation> Scene ? </translation>
    </message>
    <message>
        <source>Переместить сцену в X-Y</source>
        <translation>Move scene in X-Y</translation>
    </message>
    <message>
        <source>При включенном флажке содежимое Редактируемого поля  записывается в память</source>
        <translation>When ticked, the contents of the edit field are written to memory</translation>
    </message>
    <message>
        <source>Выполнить копирование в каналы, выбранные флажками </source>
        <translation>Copy into the channels selected by checkboxes </translation>
    </message>
    <message>
        <source>Видимые Сцены </source>
        <translation>Visible scenes </translation>
    </message>
    <message>
        <source>Все сцены</source>
        <translation>All scenes</translation>
    </message>
    <message>
        <source>Менять Сцену</source>
        <translation>Change scene</translation>
    </message>
    <message>
        <source>Перетаскивание луча меняет текущую сцену</source>
        <translation>Dragging the beam changes the current scene</translation>
    </message>
    <message>
        <source>От Сцены</source>
        <translation>From scene</translation>
    </message>
    <message>
        <source>До Сцены</source>
        <translation>To scene</translation>
    </message>
    <message>
        <source>Текущие</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>Положение</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Смещение фигуры</source>
        <translation>Move figure</translation>
    </message>
    <message>
        <source>Отражение </source>
        <translation>Mirror </translation>
    </message>
    <message>
        <source>Зеркальное отображение</source>
        <translation>Mirror image</translation>
    </message>
    <message>
        <source>Размер </source>
        <translation>Size </translation>
    </message>
    <message>
        <source>Уменьшить фигуру</source>
        <translation>Shrink figure</translation>
    </message>
    <message>
        <source>Увеличить фигуру</source>
        <translation>Enlarge figure</translation>
    </message>
    <message>
        <source>Поворот</source>
        <translation>Rotate</translation>
    </message>
    <message>
        <source>Выполнить поворот </source>
        <translation>Perform rotation </translation>
    </message>
    <message>
        <source>Создание Фигур </source>
        <translation>Create figures </translation>
    </message>
    <message>
        <source>Вычертить фигугу по сценам</source>
        <translation>Draw the figure across scenes</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>8</source>
        <translation>8</translation>
    </message>
    <message>
        <source>88</source>
        <translation>88</translation>
    </message>
    <message>
        <source>размер создаваемой фигуры</source>
        <translation>size of the figure to create</translation>
    </message>
    <message>
        <source>вид или длинна конца фигуры</source>
        <translation>shape or length of the figure end</translation>
    </message>
    <message>
        <source>Вернуть</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Для этой фигуры нужно выбрать не меньше двух сцен</source>
        <translation>Select at least two scenes for this figure</translation>
    </message>
    <message>
        <source> Размер </source>
        <translation> Size </translation>
    </message>
    <message>
        <source>Запомнить
картинку </source>
        <translation>Store
picture </translation>
    </message>
    <message>
        <source>Ch%1  %2</source>
        <translation>Ch%1  %2</translation>
    </message>
    <message>
        <source>Вправо %1</source>
        <translation>Right %1</translation>
    </message>
    <message>
        <source>Влево %1</source>
        <translation>Left %1</translation>
    </message>
    <message>
        <source> Размер фигуры %1       Опция %2</source>
        <translation> Figure size %1       Option %2</translation>
    </message>
    <message>
        <source> Сцена %1</source>
        <translation> Scene %1</translation>
    </message>
    <message>
        <source>Переместить сцену %1</source>
        <translation>Move scene %1</translation>
    </message>
    <message>
        <source>Y = %1</source>
        <translation>Y = %1</translation>
    </message>
    <message>
        <source>X = %1</source>
        <translation>X = %1</translation>
    </message>
</context>
<context>
    <name>velantra::midi::MidiControl</name>
    <message>
        <source>Фэйдер %1</source>
        <translation>Fader %1</translation>
    </message>
    <message>
        <source>Страница фэйдеров</source>
        <translation>Fader page</translation>
    </message>
    <message>
        <source>Уровень выбранных</source>
        <translation>Level of the selected</translation>
    </message>
    <message>
        <source>Темп</source>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>Пуск</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Стоп</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>BlackOut</source>
        <translation>Blackout</translation>
    </message>
    <message>
        <source>Макрос M</source>
        <translation>Macro M</translation>
    </message>
    <message>
        <source>Картинка %1</source>
        <translation>Picture %1</translation>
    </message>
    <message>
        <source>Конвейр %1</source>
        <translation>Show queue %1</translation>
    </message>
    <message>
        <source>Автомат %1</source>
        <translation>Chaser %1</translation>
    </message>
    <message>
        <source>Скорость автомата %1</source>
        <translation>Chaser %1 speed</translation>
    </message>
    <message>
        <source>CC %1 = %2, канал %3</source>
        <translation>CC %1 = %2, channel %3</translation>
    </message>
    <message>
        <source>Нота %1 = %2, канал %3</source>
        <translation>Note %1 = %2, channel %3</translation>
    </message>
    <message>
        <source>Pitch Bend = %1, канал %2</source>
        <translation>Pitch Bend = %1, channel %2</translation>
    </message>
    <message>
        <source>Привязки MIDI не сохранены: %1</source>
        <translation>MIDI bindings not saved: %1</translation>
    </message>
    <message>
        <source>MIDI: %1 привязан к «%2»</source>
        <translation>MIDI: %1 bound to “%2”</translation>
    </message>
</context>
<context>
    <name>velantra::midi::MidiPage</name>
    <message>
        <source>Порты MIDI</source>
        <translation>MIDI ports</translation>
    </message>
    <message>
        <source>Система MIDI; переменная VELANTRA_MIDI_API выбирает ее вместо этой настройки</source>
        <translation>The MIDI system; the variable VELANTRA_MIDI_API chooses it instead of this setting</translation>
    </message>
    <message>
        <source>С какого контроллера принимать сообщения</source>
        <translation>Which controller&apos;s messages to take</translation>
    </message>
    <message>
        <source>Куда посылать значения для моторизованных фэйдеров и светодиодов</source>
        <translation>Where to send the values for motorized faders and lamps</translation>
    </message>
    <message>
        <source>Подхват фэйдеров</source>
        <translation>Fader pick-up</translation>
    </message>
    <message>
        <source>Фэйдер контроллера действует, только пройдя через значение программы: ничего не прыгает</source>
        <translation>A controller fader acts only after passing through the program&apos;s value: nothing jumps</translation>
    </message>
    <message>
        <source>Порт</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Вид</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Состояние</source>
        <translation>State</translation>
    </message>
    <message>
        <source>Система MIDI</source>
        <translation>MIDI system</translation>
    </message>
    <message>
        <source>Вход</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>Обратная связь</source>
        <translation>Feedback</translation>
    </message>
    <message>
        <source>Привязки</source>
        <translation>Bindings</translation>
    </message>
    <message>
        <source>Обучение</source>
        <translation>Learn</translation>
    </message>
    <message>
        <source>Щелкните элемент окна, затем двиньте регулятор или нажмите клавишу контроллера</source>
        <translation>Click a control of the window, then move a fader or press a key on the controller</translation>
    </message>
    <message>
        <source>Контроллер</source>
        <translation>Controller</translation>
    </message>
    <message>
        <source>Регулятор</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>Элемент</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>Удалить привязку</source>
        <translation>Remove binding</translation>
    </message>
    <message>
        <source>Все входы</source>
        <translation>All inputs</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>None</translation>
    </message>
    <message>
        <source>%1 (нет)</source>
        <translation>%1 (gone)</translation>
    </message>
    <message>
        <source>открыт</source>
        <translation>open</translation>
    </message>
    <message>
        <source>есть</source>
        <translation>present</translation>
    </message>
    <message>
        <source>вход</source>
        <translation>input</translation>
    </message>
    <message>
        <source>выход</source>
        <translation>output</translation>
    </message>
    <message>
        <source>отключен</source>
        <translation>unplugged</translation>
    </message>
    <message>
        <source>«%1»: двиньте регулятор контроллера</source>
        <translation>“%1”: move a control on the controller</translation>
    </message>
    <message>
        <source>Щелкните элемент окна</source>
        <translation>Click a control of the window</translation>
    </message>
    <message>
        <source>MIDI: «%1» ждет регулятор контроллера</source>
        <translation>MIDI: “%1” waits for a control on the controller</translation>
    </message>
    <message>
        <source>%1 работает</source>
        <translation>%1 running</translation>
    </message>
    <message>
        <source>%1 недоступна: %2</source>
        <translation>%1 unavailable: %2</translation>
    </message>
</context>
<context>
    <name>velantra::midi::MidiPorts</name>
    <message>
        <source>нет /dev/snd/seq</source>
        <translation>no /dev/snd/seq</translation>
    </message>
    <message>
        <source>сервер не запущен</source>
        <translation>server not running</translation>
    </message>
</context>
<context>
    <name>velantra::osc::OscServer</name>
    <message>
        <source>OSC: выключен</source>
        <translation>OSC: off</translation>
    </message>
    <message>
        <source>OSC: неверный порт «%1»</source>
        <translation>OSC: invalid port &quot;%1&quot;</translation>
    </message>
    <message>
        <source>OSC: нет прав открыть порт %1</source>
        <translation>OSC: no permission to open port %1</translation>
    </message>
    <message>
        <source>OSC: порт %1 занят</source>
        <translation>OSC: port %1 is in use</translation>
    </message>
    <message>
        <source>OSC: не удалось открыть порт %1: %2</source>
        <translation>OSC: cannot open port %1: %2</translation>
    </message>
    <message>
        <source>OSC: принимаю сообщения на UDP-порту %1</source>
        <translation>OSC: listening on UDP port %1</translation>
    </message>
    <message>
        <source>неизвестный адрес</source>
        <translation>unknown address</translation>
    </message>
    <message>
        <source>нет такого номера</source>
        <translation>no such number</translation>
    </message>
    <message>
        <source>неверные аргументы</source>
        <translation>wrong arguments</translation>
    </message>
    <message>
        <source>значение вне диапазона</source>
        <translation>value out of range</translation>
    </message>
    <message>
        <source>повреждённый пакет</source>
        <translation>damaged packet</translation>
    </message>
    <message>
        <source>неизвестного отправителя</source>
        <translation>an unknown sender</translation>
    </message>
    <message>
        <source>OSC: отклонено «%1» от %2: %3</source>
        <translation>OSC: refused &quot;%1&quot; from %2: %3</translation>
    </message>
    <message numerus="yes">
        <source>OSC: отклонено «%1» от %2: %3 (и ещё %n с прошлой записи)</source>
        <translation>
            <numerusform>OSC: refused &quot;%1&quot; from %2: %3 (and %n more since the last line)</numerusform>
            <numerusform>OSC: refused &quot;%1&quot; from %2: %3 (and %n more since the last line)</numerusform>
        </translation>
    </message>
    <message>
        <source>OSC: обратная связь уже идёт %1 клиентам, %2:%3 отказано</source>
        <translation>OSC: feedback already goes to %1 clients; %2:%3 refused</translation>
    </message>
    <message>
        <source>OSC: обратная связь для %1:%2</source>
        <translation>OSC: feedback to %1:%2</translation>
    </message>
    <message>
        <source>OSC: обратная связь для %1:%2 закончена</source>
        <translation>OSC: feedback to %1:%2 ended</translation>
    </message>
    <message numerus="yes">
        <source>OSC: %1:%2 молчит %n мин, обратная связь закончена</source>
        <translation>
            <numerusform>OSC: nothing from %1:%2 for %n min; feedback ended</numerusform>
            <numerusform>OSC: nothing from %1:%2 for %n min; feedback ended</numerusform>
        </translation>
    </message>
    <message>
        <source>OSC: отправка на %1:%2 не удаётся, обратная связь закончена</source>
        <translation>OSC: sending to %1:%2 fails; feedback ended</translation>
    </message>
</context>
<context>
    <name>velantra::remote::RemoteServer</name>
    <message>
        <source>Пульт по сети выключен</source>
        <translation>Web remote off</translation>
    </message>
    <message>
        <source>Пульт по сети: %1</source>
        <translation>Web remote: %1</translation>
    </message>
    <message>
        <source>Пульт по сети: неверный порт «%1» (нужен 1..65535)</source>
        <translation>Web remote: invalid port &quot;%1&quot; (1..65535)</translation>
    </message>
    <message>
        <source>Пульт по сети: неверный адрес «%1»</source>
        <translation>Web remote: invalid address &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Пульт по сети: PIN должен состоять из шести цифр</source>
        <translation>Web remote: the PIN must be six digits</translation>
    </message>
    <message>
        <source>Пульт по сети: порт %1 занят</source>
        <translation>Web remote: port %1 is in use</translation>
    </message>
    <message>
        <source>Пульт по сети: не удаётся открыть %1, порт %2: %3</source>
        <translation>Web remote: cannot open %1, port %2: %3</translation>
    </message>
    <message>
        <source>Пульт по сети: отказано странице с чужого адреса «%1» (с %2)</source>
        <translation>Web remote: refused a page from a foreign origin &quot;%1&quot; (from %2)</translation>
    </message>
    <message>
        <source>Пульт по сети: отказано %1: открыто уже %2 страниц</source>
        <translation>Web remote: refused %1: %2 pages already open</translation>
    </message>
    <message>
        <source>Пульт по сети: %1 прислал сообщение длиннее %2 байт, соединение закрыто</source>
        <translation>Web remote: %1 sent a message over %2 bytes; connection closed</translation>
    </message>
    <message>
        <source>Пульт по сети: %1 прислал больше %2 сообщений в секунду, соединение закрыто</source>
        <translation>Web remote: %1 sent more than %2 messages a second; connection closed</translation>
    </message>
    <message>
        <source>Пульт по сети: %1 прислал непонятное сообщение (%2)</source>
        <translation>Web remote: %1 sent a message not understood (%2)</translation>
    </message>
    <message>
        <source>Пульт по сети: %1 управляет пультом</source>
        <translation>Web remote: %1 now controls the desk</translation>
    </message>
    <message>
        <source>Пульт по сети: с %1 %2 раз подряд неверный PIN, попытки отклоняются %3 с</source>
        <translation>Web remote: %2 wrong PINs in a row from %1; tries refused for %3 s</translation>
    </message>
    <message>
        <source>Пульт по сети: неверный PIN с %1</source>
        <translation>Web remote: wrong PIN from %1</translation>
    </message>
</context>
</TS>
