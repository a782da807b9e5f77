<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>Alarm</name>
    <message>
        <source>Communication lost</source>
        <translation>Связь потеряна</translation>
    </message>
    <message>
        <source>Communication established</source>
        <translation>Связь установлена</translation>
    </message>
    <message>
        <source>Input voltage fault</source>
        <translation>Неисправность входного напряжения</translation>
    </message>
    <message>
        <source>Input voltage returns to normal</source>
        <translation>Входное напряжение вернулось в норму</translation>
    </message>
    <message>
        <source>Battery voltage low</source>
        <translation>Низкое напряжение батареи</translation>
    </message>
    <message>
        <source>Battery voltage returns to normal</source>
        <translation>Напряжение батареи вернулось в норму</translation>
    </message>
    <message>
        <source>Bypass supply</source>
        <translation>Питание через байпас</translation>
    </message>
    <message>
        <source>Rectifier supply</source>
        <translation>Питание от выпрямителя</translation>
    </message>
    <message>
        <source>UPS fault</source>
        <translation>Неисправность ИБП</translation>
    </message>
    <message>
        <source>UPS returns to normal</source>
        <translation>ИБП вернулся в норму</translation>
    </message>
    <message>
        <source>UPS backup</source>
        <translation>ИБП в резервном режиме</translation>
    </message>
    <message>
        <source>UPS online</source>
        <translation>ИБП в режиме онлайн</translation>
    </message>
    <message>
        <source>In self-test</source>
        <translation>Идёт самотестирование</translation>
    </message>
    <message>
        <source>Self-test finished</source>
        <translation>Самотестирование завершено</translation>
    </message>
    <message>
        <source>In power off</source>
        <translation>Идёт выключение</translation>
    </message>
    <message>
        <source>UPS returns from power off</source>
        <translation>ИБП вышел из выключения</translation>
    </message>
    <message>
        <source>Buzzer open</source>
        <translation>Зуммер включён</translation>
    </message>
    <message>
        <source>Buzzer silent</source>
        <translation>Зуммер отключён</translation>
    </message>
    <message>
        <source>Boost or buck activated</source>
        <translation>Включено повышение или понижение напряжения</translation>
    </message>
    <message>
        <source>UPS returns from boost or buck</source>
        <translation>ИБП вышел из режима повышения или понижения напряжения</translation>
    </message>
    <message>
        <source>On boost</source>
        <translation>Повышение напряжения</translation>
    </message>
    <message>
        <source>On Buck</source>
        <translation>Понижение напряжения</translation>
    </message>
    <message>
        <source>Input phase sequence error</source>
        <translation>Ошибка чередования фаз на входе</translation>
    </message>
    <message>
        <source>Input voltage high</source>
        <translation>Высокое входное напряжение</translation>
    </message>
    <message>
        <source>Input voltage low</source>
        <translation>Низкое входное напряжение</translation>
    </message>
    <message>
        <source>Input voltage abnormal</source>
        <translation>Входное напряжение вне нормы</translation>
    </message>
    <message>
        <source>Input N missing</source>
        <translation>Нет нейтрали на входе</translation>
    </message>
    <message>
        <source>Input frequency abnormal</source>
        <translation>Входная частота вне нормы</translation>
    </message>
    <message>
        <source>+DC bus over voltage</source>
        <translation>Перенапряжение шины +DC</translation>
    </message>
    <message>
        <source>-DC bus over voltage</source>
        <translation>Перенапряжение шины -DC</translation>
    </message>
    <message>
        <source>DC bus OV HW CKT</source>
        <translation>Аппаратная защита шины DC от перенапряжения</translation>
    </message>
    <message>
        <source>DC Bus over voltage</source>
        <translation>Перенапряжение шины DC</translation>
    </message>
    <message>
        <source>+DC bus low voltage(output on)</source>
        <translation>Низкое напряжение шины +DC (выход включён)</translation>
    </message>
    <message>
        <source>-DC bus low voltage(output on)</source>
        <translation>Низкое напряжение шины -DC (выход включён)</translation>
    </message>
    <message>
        <source>+DC bus voltage low(output off)</source>
        <translation>Низкое напряжение шины +DC (выход выключен)</translation>
    </message>
    <message>
        <source>-DC bus voltage low(output off)</source>
        <translation>Низкое напряжение шины -DC (выход выключен)</translation>
    </message>
    <message>
        <source>DC bus voltage low</source>
        <translation>Низкое напряжение шины DC</translation>
    </message>
    <message>
        <source>DC bus delta</source>
        <translation>Разбаланс шины DC</translation>
    </message>
    <message>
        <source>DC bus delta(line)</source>
        <translation>Разбаланс шины DC (от сети)</translation>
    </message>
    <message>
        <source>DC bus delta(on battery)</source>
        <translation>Разбаланс шины DC (от батареи)</translation>
    </message>
    <message>
        <source>+DC bus soft start fail(line)</source>
        <translation>Сбой плавного пуска шины +DC (от сети)</translation>
    </message>
    <message>
        <source>-DC Bus soft start fail(Line)</source>
        <translation>Сбой плавного пуска шины -DC (от сети)</translation>
    </message>
    <message>
        <source>+DC bus soft start fail(battery)</source>
        <translation>Сбой плавного пуска шины +DC (от батареи)</translation>
    </message>
    <message>
        <source>-DC bus soft start fail(battery)</source>
        <translation>Сбой плавного пуска шины -DC (от батареи)</translation>
    </message>
    <message>
        <source>+DC bus discharge fail</source>
        <translation>Сбой разряда шины +DC</translation>
    </message>
    <message>
        <source>-DC bus discharge fail</source>
        <translation>Сбой разряда шины -DC</translation>
    </message>
    <message>
        <source>Rectifier fault</source>
        <translation>Неисправность выпрямителя</translation>
    </message>
    <message>
        <source>Rectifier over current</source>
        <translation>Перегрузка выпрямителя по току</translation>
    </message>
    <message>
        <source>Inverter output low</source>
        <translation>Низкое выходное напряжение инвертора</translation>
    </message>
    <message>
        <source>Inverter output high</source>
        <translation>Высокое выходное напряжение инвертора</translation>
    </message>
    <message>
        <source>Inverter hardware CKT</source>
        <translation>Неисправность аппаратной цепи инвертора</translation>
    </message>
    <message>
        <source>Inverter fault</source>
        <translation>Неисправность инвертора</translation>
    </message>
    <message>
        <source>Output relay weld close</source>
        <translation>Выходное реле залипло в замкнутом положении</translation>
    </message>
    <message>
        <source>Output relay weld open</source>
        <translation>Выходное реле залипло в разомкнутом положении</translation>
    </message>
    <message>
        <source>Inverter overload</source>
        <translation>Перегрузка инвертора</translation>
    </message>
    <message>
        <source>Inverter overload time out</source>
        <translation>Превышено время перегрузки инвертора</translation>
    </message>
    <message>
        <source>Inverter DC over voltage</source>
        <translation>Перенапряжение DC инвертора</translation>
    </message>
    <message>
        <source>Output meas mismatch</source>
        <translation>Несоответствие измерений на выходе</translation>
    </message>
    <message>
        <source>Inverter soft start fail</source>
        <translation>Сбой плавного пуска инвертора</translation>
    </message>
    <message>
        <source>Soft start fail</source>
        <translation>Сбой плавного пуска</translation>
    </message>
    <message>
        <source>Output short circuit</source>
        <translation>Короткое замыкание на выходе</translation>
    </message>
    <message>
        <source>Output over voltage</source>
        <translation>Перенапряжение на выходе</translation>
    </message>
    <message>
        <source>Output severe over voltage</source>
        <translation>Сильное перенапряжение на выходе</translation>
    </message>
    <message>
        <source>Output low voltage</source>
        <translation>Низкое напряжение на выходе</translation>
    </message>
    <message>
        <source>Output overload</source>
        <translation>Перегрузка на выходе</translation>
    </message>
    <message>
        <source>Battery reversed connection</source>
        <translation>Батарея подключена с обратной полярностью</translation>
    </message>
    <message>
        <source>+Battery over voltage</source>
        <translation>Перенапряжение батареи +</translation>
    </message>
    <message>
        <source>-Battery over voltage</source>
        <translation>Перенапряжение батареи -</translation>
    </message>
    <message>
        <source>+Battery disconnected</source>
        <translation>Батарея + отключена</translation>
    </message>
    <message>
        <source>-Battery disconnected</source>
        <translation>Батарея - отключена</translation>
    </message>
    <message>
        <source>+Battery low pre alarm</source>
        <translation>Предупреждение: низкое напряжение батареи +</translation>
    </message>
    <message>
        <source>-Battery low pre alarm</source>
        <translation>Предупреждение: низкое напряжение батареи -</translation>
    </message>
    <message>
        <source>+Battery low voltage</source>
        <translation>Низкое напряжение батареи +</translation>
    </message>
    <message>
        <source>-Battery low voltage</source>
        <translation>Низкое напряжение батареи -</translation>
    </message>
    <message>
        <source>RBC needs replacement</source>
        <translation>Требуется замена батареи</translation>
    </message>
    <message>
        <source>+Charger error</source>
        <translation>Ошибка зарядного устройства +</translation>
    </message>
    <message>
        <source>-Charger error</source>
        <translation>Ошибка зарядного устройства -</translation>
    </message>
    <message>
        <source>+Charger over voltage</source>
        <translation>Перенапряжение зарядного устройства +</translation>
    </message>
    <message>
        <source>-Charger over voltage</source>
        <translation>Перенапряжение зарядного устройства -</translation>
    </message>
    <message>
        <source>+Charger low voltage</source>
        <translation>Низкое напряжение зарядного устройства +</translation>
    </message>
    <message>
        <source>-Charger low voltage</source>
        <translation>Низкое напряжение зарядного устройства -</translation>
    </message>
    <message>
        <source>Charger meas mismatch</source>
        <translation>Несоответствие измерений зарядного устройства</translation>
    </message>
    <message>
        <source>Bypass phase sequence error</source>
        <translation>Ошибка чередования фаз байпаса</translation>
    </message>
    <message>
        <source>Bypass over current</source>
        <translation>Перегрузка байпаса по току</translation>
    </message>
    <message>
        <source>Bypass voltage abnormal</source>
        <translation>Напряжение байпаса вне нормы</translation>
    </message>
    <message>
        <source>Bypass frequency abnormal</source>
        <translation>Частота байпаса вне нормы</translation>
    </message>
    <message>
        <source>Bypass overload</source>
        <translation>Перегрузка байпаса</translation>
    </message>
    <message>
        <source>Bypass overload time out</source>
        <translation>Превышено время перегрузки байпаса</translation>
    </message>
    <message>
        <source>PDU activated</source>
        <translation>PDU включён</translation>
    </message>
    <message>
        <source>Bypass not available</source>
        <translation>Байпас недоступен</translation>
    </message>
    <message>
        <source>Bypass unable to trace</source>
        <translation>Невозможно синхронизироваться с байпасом</translation>
    </message>
    <message>
        <source>Battery over temperature critical</source>
        <translation>Критический перегрев батареи</translation>
    </message>
    <message>
        <source>Battery low temperature</source>
        <translation>Низкая температура батареи</translation>
    </message>
    <message>
        <source>Battery over temperature(&gt;50℃ charging)</source>
        <translation>Перегрев батареи (&gt;50℃ при зарядке)</translation>
    </message>
    <message>
        <source>Battery temp sensor disconnected</source>
        <translation>Датчик температуры батареи отключён</translation>
    </message>
    <message>
        <source>Fan inoperative</source>
        <translation>Вентилятор не работает</translation>
    </message>
    <message>
        <source>Fan logic power supply fault</source>
        <translation>Неисправность логического питания вентилятора</translation>
    </message>
    <message>
        <source>Fuse blown</source>
        <translation>Перегорел предохранитель</translation>
    </message>
    <message>
        <source>Heat sink 1 over temperature</source>
        <translation>Перегрев радиатора 1</translation>
    </message>
    <message>
        <source>Heat sink 2 over temperature</source>
        <translation>Перегрев радиатора 2</translation>
    </message>
    <message>
        <source>Inverter over temperature</source>
        <translation>Перегрев инвертора</translation>
    </message>
    <message>
        <source>Ambient over temperature</source>
        <translation>Высокая температура окружающей среды</translation>
    </message>
    <message>
        <source>Ambient low temperature</source>
        <translation>Низкая температура окружающей среды</translation>
    </message>
    <message>
        <source>Bypass SCR/relay short circuit</source>
        <translation>Короткое замыкание тиристора/реле байпаса</translation>
    </message>
    <message>
        <source>Bypass SCR/relay open circuit</source>
        <translation>Обрыв цепи тиристора/реле байпаса</translation>
    </message>
    <message>
        <source>Bkfeed relay weld close</source>
        <translation>Реле обратного питания залипло в замкнутом положении</translation>
    </message>
    <message>
        <source>Bkfeed relay weld open</source>
        <translation>Реле обратного питания залипло в разомкнутом положении</translation>
    </message>
    <message>
        <source>Logic power supply error</source>
        <translation>Ошибка логического питания</translation>
    </message>
    <message>
        <source>EEPROM fault</source>
        <translation>Неисправность EEPROM</translation>
    </message>
    <message>
        <source>RAM error</source>
        <translation>Ошибка ОЗУ</translation>
    </message>
    <message>
        <source>Parallel communication error</source>
        <translation>Ошибка связи параллельной системы</translation>
    </message>
    <message>
        <source>Internal communication error</source>
        <translation>Ошибка внутренней связи</translation>
    </message>
    <message>
        <source>CPLD fault</source>
        <translation>Неисправность CPLD</translation>
    </message>
    <message>
        <source>MCU reseted</source>
        <translation>MCU перезапущен</translation>
    </message>
    <message>
        <source>Bkfeed relay locked</source>
        <translation>Реле обратного питания заблокировано</translation>
    </message>
    <message>
        <source>BMS communication error</source>
        <translation>Ошибка связи с BMS</translation>
    </message>
    <message>
        <source>Parallel relay error</source>
        <translation>Ошибка реле параллельной работы</translation>
    </message>
    <message>
        <source>Parallel connect error</source>
        <translation>Ошибка параллельного подключения</translation>
    </message>
    <message>
        <source>Parallel current sharing error</source>
        <translation>Ошибка распределения тока в параллельной системе</translation>
    </message>
    <message>
        <source>Parallel overload</source>
        <translation>Перегрузка параллельной системы</translation>
    </message>
    <message>
        <source>Button error</source>
        <translation>Ошибка кнопки</translation>
    </message>
    <message>
        <source>EPO activated</source>
        <translation>Сработало аварийное отключение</translation>
    </message>
    <message>
        <source>Firmware mismatch</source>
        <translation>Несовместимая прошивка</translation>
    </message>
    <message>
        <source>Firmware upgrading</source>
        <translation>Обновление прошивки</translation>
    </message>
    <message>
        <source>AVR is running too long</source>
        <translation>Стабилизатор напряжения работает слишком долго</translation>
    </message>
    <message>
        <source>AVR time is up</source>
        <translation>Время работы стабилизатора напряжения истекло</translation>
    </message>
    <message>
        <source>Battery load time is too long</source>
        <translation>Слишком долгая работа от батареи</translation>
    </message>
    <message>
        <source>Rectifier over temperature</source>
        <translation>Перегрев выпрямителя</translation>
    </message>
    <message>
        <source>Rectifier parallel signal error</source>
        <translation>Ошибка сигнала параллельной работы выпрямителя</translation>
    </message>
    <message>
        <source>Rectifier logic power supply error</source>
        <translation>Ошибка логического питания выпрямителя</translation>
    </message>
    <message>
        <source>Input SCR inoperable</source>
        <translation>Входной тиристор неработоспособен</translation>
    </message>
    <message>
        <source>Discharge SCR error</source>
        <translation>Ошибка разрядного тиристора</translation>
    </message>
    <message>
        <source>Charge SCR error</source>
        <translation>Ошибка зарядного тиристора</translation>
    </message>
    <message>
        <source>Fan inoperable</source>
        <translation>Вентилятор неисправен</translation>
    </message>
    <message>
        <source>Fan power supply error</source>
        <translation>Ошибка питания вентилятора</translation>
    </message>
    <message>
        <source>Charger over temperature</source>
        <translation>Перегрев зарядного устройства</translation>
    </message>
    <message>
        <source>Rectifier DC bus soft start error</source>
        <translation>Ошибка плавного пуска шины DC выпрямителя</translation>
    </message>
    <message>
        <source>Charger fault</source>
        <translation>Неисправность зарядного устройства</translation>
    </message>
    <message>
        <source>PFC communication fault</source>
        <translation>Сбой связи с PFC</translation>
    </message>
    <message>
        <source>Rectifier initializing fault</source>
        <translation>Сбой инициализации выпрямителя</translation>
    </message>
    <message>
        <source>Rectifier power block not connected</source>
        <translation>Силовой блок выпрямителя не подключён</translation>
    </message>
    <message>
        <source>Battery charging over voltage</source>
        <translation>Перенапряжение при зарядке батареи</translation>
    </message>
    <message>
        <source>Rectifier CPLD clock source fault</source>
        <translation>Сбой источника тактового сигнала CPLD выпрямителя</translation>
    </message>
    <message>
        <source>Charger over current</source>
        <translation>Перегрузка зарядного устройства по току</translation>
    </message>
    <message>
        <source>Inverter IGBT short circuit</source>
        <translation>Короткое замыкание IGBT инвертора</translation>
    </message>
    <message>
        <source>Inverter relay short circuit</source>
        <translation>Короткое замыкание реле инвертора</translation>
    </message>
    <message>
        <source>Inverter relay broken</source>
        <translation>Реле инвертора неисправно</translation>
    </message>
    <message>
        <source>Inverter parallel signal fault</source>
        <translation>Сбой сигнала параллельной работы инвертора</translation>
    </message>
    <message>
        <source>Inverter communication fault</source>
        <translation>Сбой связи инвертора</translation>
    </message>
    <message>
        <source>Inverter initializing fault</source>
        <translation>Сбой инициализации инвертора</translation>
    </message>
    <message>
        <source>Inverter self-test error</source>
        <translation>Ошибка самотестирования инвертора</translation>
    </message>
    <message>
        <source>Inverter DC offset over voltage</source>
        <translation>Перенапряжение смещения DC инвертора</translation>
    </message>
    <message>
        <source>Inverter DC bus abnormal</source>
        <translation>Шина DC инвертора вне нормы</translation>
    </message>
    <message>
        <source>Inverter PM not connected</source>
        <translation>Силовой модуль инвертора не подключён</translation>
    </message>
    <message>
        <source>Inverter APS fault</source>
        <translation>Неисправность вспомогательного питания инвертора</translation>
    </message>
    <message>
        <source>Inverter load sharing error</source>
        <translation>Ошибка распределения нагрузки инвертора</translation>
    </message>
    <message>
        <source>Inverter parallel wire connection error</source>
        <translation>Ошибка подключения кабеля параллельной работы инвертора</translation>
    </message>
    <message>
        <source>UPS mode incorrect</source>
        <translation>Неверный режим ИБП</translation>
    </message>
    <message>
        <source>Inverter fuse blown</source>
        <translation>Перегорел предохранитель инвертора</translation>
    </message>
    <message>
        <source>Inverter CPLD clock source fault</source>
        <translation>Сбой источника тактового сигнала CPLD инвертора</translation>
    </message>
    <message>
        <source>Bypass SCR short circuit</source>
        <translation>Короткое замыкание тиристора байпаса</translation>
    </message>
    <message>
        <source>Bypass SCR broken</source>
        <translation>Тиристор байпаса неисправен</translation>
    </message>
    <message>
        <source>Backfeed on bypass</source>
        <translation>Обратное питание на байпасе</translation>
    </message>
    <message>
        <source>Input wire error</source>
        <translation>Ошибка подключения входа</translation>
    </message>
    <message>
        <source>Input N missing detection</source>
        <translation>Обнаружено отсутствие нейтрали на входе</translation>
    </message>
    <message>
        <source>Battery over voltage</source>
        <translation>Перенапряжение батареи</translation>
    </message>
    <message>
        <source>Battery EOD warning</source>
        <translation>Предупреждение о конце разряда батареи</translation>
    </message>
    <message>
        <source>Battery reversed</source>
        <translation>Батарея подключена наоборот</translation>
    </message>
    <message>
        <source>Battery EOD</source>
        <translation>Конец разряда батареи</translation>
    </message>
    <message>
        <source>No battery</source>
        <translation>Нет батареи</translation>
    </message>
    <message>
        <source>Input Reversed</source>
        <translation>Вход подключён наоборот</translation>
    </message>
    <message>
        <source>Input frequency out of tol.</source>
        <translation>Входная частота вне допуска</translation>
    </message>
    <message>
        <source>Input voltage out of tol.</source>
        <translation>Входное напряжение вне допуска</translation>
    </message>
    <message>
        <source>PFC communication abnormal</source>
        <translation>Нарушена связь с PFC</translation>
    </message>
    <message>
        <source>Input unavailable</source>
        <translation>Вход недоступен</translation>
    </message>
    <message>
        <source>Rectifier setting incorrect</source>
        <translation>Неверная настройка выпрямителя</translation>
    </message>
    <message>
        <source>Mains unable to trace in 1:1 mode</source>
        <translation>Невозможно синхронизироваться с сетью в режиме 1:1</translation>
    </message>
    <message>
        <source>Mains relay short circuit</source>
        <translation>Короткое замыкание сетевого реле</translation>
    </message>
    <message>
        <source>Mains relay broken</source>
        <translation>Сетевое реле неисправно</translation>
    </message>
    <message>
        <source>Inverter parallel signal abnormal</source>
        <translation>Сигнал параллельной работы инвертора вне нормы</translation>
    </message>
    <message>
        <source>Inverter out of sync.</source>
        <translation>Инвертор не синхронизирован</translation>
    </message>
    <message>
        <source>Output abnormal</source>
        <translation>Выход вне нормы</translation>
    </message>
    <message>
        <source>Inverter communication abnormal</source>
        <translation>Нарушена связь инвертора</translation>
    </message>
    <message>
        <source>Inverter setting incorrect</source>
        <translation>Неверная настройка инвертора</translation>
    </message>
    <message>
        <source>Bypass input relay short circuit</source>
        <translation>Короткое замыкание входного реле байпаса</translation>
    </message>
    <message>
        <source>Bypass input relay broken</source>
        <translation>Входное реле байпаса неисправно</translation>
    </message>
    <message>
        <source>Bypass unavailable</source>
        <translation>Байпас отсутствует</translation>
    </message>
    <message>
        <source>Bypass switch too frequent</source>
        <translation>Слишком частые переключения на байпас</translation>
    </message>
    <message>
        <source>Bypass reversed</source>
        <translation>Байпас подключён наоборот</translation>
    </message>
    <message>
        <source>Battery self-test error</source>
        <translation>Ошибка самотестирования батареи</translation>
    </message>
    <message>
        <source>No battery temperature sensor</source>
        <translation>Нет датчика температуры батареи</translation>
    </message>
    <message>
        <source>Battery over temperature</source>
        <translation>Перегрев батареи</translation>
    </message>
    <message>
        <source>Monitor EEPROM error</source>
        <translation>Ошибка EEPROM модуля мониторинга</translation>
    </message>
    <message>
        <source>Parallel CAN abnormal</source>
        <translation>Нарушена работа шины CAN параллельной системы</translation>
    </message>
    <message>
        <source>Ambient temperature &gt;40℃ or &lt; -20℃</source>
        <translation>Температура окружающей среды &gt;40℃ или &lt; -20℃</translation>
    </message>
    <message>
        <source>Battery temperature low</source>
        <translation>Батарея переохлаждена</translation>
    </message>
    <message>
        <source>Need to check battery</source>
        <translation>Необходимо проверить батарею</translation>
    </message>
    <message>
        <source>Returned from: </source>
        <translation>Устранено: </translation>
    </message>
</context>
<context>
    <name>DevComm</name>
    <message>
        <source>None</source>
        <translation>Нет</translation>
    </message>
</context>
<context>
    <name>DevDataChartPage</name>
    <message>
        <source>Input Voltage(V)</source>
        <translation>Входное напряжение (V)</translation>
    </message>
    <message>
        <source>Output Voltage(V)</source>
        <translation>Выходное напряжение (V)</translation>
    </message>
</context>
<context>
    <name>DevDataDialPage</name>
    <message>
        <source>UPS Load</source>
        <translation>Нагрузка ИБП</translation>
    </message>
    <message>
        <source>Battery Capacity</source>
        <translation>Ёмкость батареи</translation>
    </message>
</context>
<context>
    <name>DevDataInfoPage</name>
    <message>
        <source>UPS Manufacturer:</source>
        <translation>Производитель ИБП:</translation>
    </message>
    <message>
        <source>UPS Model:</source>
        <translation>Модель ИБП:</translation>
    </message>
    <message>
        <source>UPS Version:</source>
        <translation>Версия ИБП:</translation>
    </message>
    <message>
        <source>UPS SN:</source>
        <translation>Серийный номер ИБП:</translation>
    </message>
</context>
<context>
    <name>DevDataItemPage</name>
    <message>
        <source>Input Voltage</source>
        <translation>Входное напряжение</translation>
    </message>
    <message>
        <source>Output Voltage</source>
        <translation>Выходное напряжение</translation>
    </message>
    <message>
        <source>Input Frequncy</source>
        <translation>Входная частота</translation>
    </message>
    <message>
        <source>Battery Single Voltage</source>
        <translation>Напряжение элемента батареи</translation>
    </message>
    <message>
        <source>UPS Load</source>
        <translation>Нагрузка ИБП</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Температура</translation>
    </message>
</context>
<context>
    <name>LogAlarmDataForm.ui</name>
    <message>
        <source>Date</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Тревога</translation>
    </message>
</context>
<context>
    <name>LogClosedRecordsForm.ui</name>
    <message>
        <source>Application</source>
        <translation>Приложение</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>Окно</translation>
    </message>
</context>
<context>
    <name>LogDevDataForm.ui</name>
    <message>
        <source>Date</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>Input Voltage(V)</source>
        <translation>Вход (V)</translation>
    </message>
    <message>
        <source>Output Voltage(V)</source>
        <translation>Выход (V)</translation>
    </message>
    <message>
        <source>UPS Load(%)</source>
        <translation>Нагрузка (%)</translation>
    </message>
    <message>
        <source>Input Frequency(Hz)</source>
        <translation>Частота (Hz)</translation>
    </message>
    <message>
        <source>Battery voltage(V)</source>
        <translation>Батарея (V)</translation>
    </message>
    <message>
        <source>temperature(℃ )</source>
        <translation>Температура (℃)</translation>
    </message>
</context>
<context>
    <name>LogSelfTest</name>
    <message>
        <source>Date</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Длительность</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Количество</translation>
    </message>
    <message>
        <source>Load(%)</source>
        <translation>Нагрузка (%)</translation>
    </message>
    <message>
        <source>Battery Capacity(%)</source>
        <translation>Ёмкость батареи (%)</translation>
    </message>
</context>
<context>
    <name>MainDevDataForm.ui</name>
    <message>
        <source>Mimic</source>
        <translation>Схема</translation>
    </message>
    <message>
        <source>Dial</source>
        <translation>Шкалы</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Данные</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>График</translation>
    </message>
    <message>
        <source>Info.</source>
        <translation>Инфо</translation>
    </message>
</context>
<context>
    <name>MainDevInfo</name>
    <message>
        <source>Fault</source>
        <translation>Неисправность</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Норма</translation>
    </message>
    <message>
        <source>On Battery</source>
        <translation>От батареи</translation>
    </message>
    <message>
        <source>On Bypass</source>
        <translation>Байпас</translation>
    </message>
    <message>
        <source>On Mains</source>
        <translation>От сети</translation>
    </message>
    <message>
        <source>UPS disconnect</source>
        <translation>ИБП не подключён</translation>
    </message>
    <message>
        <source>UPS Conneted</source>
        <translation>ИБП подключён</translation>
    </message>
    <message>
        <source>UPS Disconnected</source>
        <translation>ИБП отключён</translation>
    </message>
    <message>
        <source>Conneted</source>
        <translation>Подключён</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Отключён</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Низкое</translation>
    </message>
    <message>
        <source>In progress</source>
        <translation>Выполняется</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Нет</translation>
    </message>
</context>
<context>
    <name>MainDevInfoForm.ui</name>
    <message>
        <source>UPS Communication</source>
        <translation>Связь с ИБП</translation>
    </message>
    <message>
        <source>Input Status</source>
        <translation>Состояние входа</translation>
    </message>
    <message>
        <source>Battery Voltage</source>
        <translation>Напряжение батареи</translation>
    </message>
    <message>
        <source>UPS Fault</source>
        <translation>Неисправность ИБП</translation>
    </message>
    <message>
        <source>Work Status</source>
        <translation>Режим работы</translation>
    </message>
    <message>
        <source>UPS Self-Test</source>
        <translation>Самотестирование ИБП</translation>
    </message>
    <message>
        <source>Battery Remaining Time</source>
        <translation>Оставшееся время работы от батареи</translation>
    </message>
    <message>
        <source>System Shutdown CountDown</source>
        <translation>Обратный отсчёт до выключения системы</translation>
    </message>
</context>
<context>
    <name>MainFooterMenuForm.ui</name>
    <message>
        <source>Device</source>
        <translation>Устройство</translation>
    </message>
    <message>
        <source>Schedule Task</source>
        <translation>Расписание</translation>
    </message>
    <message>
        <source>UPS Control</source>
        <translation>Управление ИБП</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Historical Data</source>
        <translation>История</translation>
    </message>
</context>
<context>
    <name>MainPanelControl</name>
    <message>
        <source>Order has been issued!</source>
        <translation>Команда отправлена!</translation>
    </message>
</context>
<context>
    <name>MainPanelControlForm.ui</name>
    <message>
        <source>UPS Control</source>
        <translation>Управление ИБП</translation>
    </message>
    <message>
        <source>UPS Self-test for 10S</source>
        <translation>Самотестирование ИБП 10 с</translation>
    </message>
    <message>
        <source>UPS Self-test to EOD</source>
        <translation>Самотестирование ИБП до конца разряда</translation>
    </message>
    <message>
        <source>UPS Self-test for(1~99)</source>
        <translation>Самотестирование ИБП в течение (1~99)</translation>
    </message>
    <message>
        <source>minute(s)</source>
        <translation>мин</translation>
    </message>
    <message>
        <source>UPS Self-test cancel</source>
        <translation>Отменить самотестирование ИБП</translation>
    </message>
    <message>
        <source>UPS close output in(0~9)</source>
        <translation>Отключить выход ИБП через (0~9)</translation>
    </message>
    <message>
        <source>Cancel UPS close output</source>
        <translation>Отменить отключение выхода ИБП</translation>
    </message>
    <message>
        <source>UPS buzzer toggle</source>
        <translation>Включить/выключить звуковой сигнал ИБП</translation>
    </message>
    <message>
        <source>Sure</source>
        <translation>ОК</translation>
    </message>
</context>
<context>
    <name>MainPanelLogData</name>
    <message>
        <source>Data</source>
        <translation>Данные</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Тревога</translation>
    </message>
    <message>
        <source>Closed Records</source>
        <translation>Закрытые окна</translation>
    </message>
    <message>
        <source>Self-test</source>
        <translation>Самотестирование</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Сохранить как...</translation>
    </message>
    <message>
        <source>Excel files (*.xlsx)</source>
        <translation>Файлы Excel (*.xlsx)</translation>
    </message>
    <message>
        <source>Operation finished!</source>
        <translation>Операция завершена!</translation>
    </message>
    <message>
        <source>Operation failed!</source>
        <translation>Операция не удалась!</translation>
    </message>
</context>
<context>
    <name>MainPanelLogDataForm.ui</name>
    <message>
        <source>Historical Data</source>
        <translation>История</translation>
    </message>
    <message>
        <source>Date Start:</source>
        <translation>Начало:</translation>
    </message>
    <message>
        <source>Date End:</source>
        <translation>Конец:</translation>
    </message>
</context>
<context>
    <name>MainPanelScheduleTask</name>
    <message>
        <source>Are you sure to delete this task?</source>
        <translation>Удалить это задание?</translation>
    </message>
</context>
<context>
    <name>MainPanelScheduleTaskForm.ui</name>
    <message>
        <source>Schedule Task</source>
        <translation>Расписание</translation>
    </message>
    <message>
        <source>Add Task</source>
        <translation>Добавить задание</translation>
    </message>
</context>
<context>
    <name>MainPanelSettings</name>
    <message>
        <source>Common Parameters</source>
        <translation>Общие параметры</translation>
    </message>
    <message>
        <source>E-Mail</source>
        <translation>Эл. почта</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Выключение</translation>
    </message>
</context>
<context>
    <name>MsgDialog</name>
    <message>
        <source>Sure</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>PageSettingsCommon</name>
    <message>
        <source>Invalid value of %1: &quot;%2&quot;</source>
        <translation>Недопустимое значение %1: «%2»</translation>
    </message>
    <message>
        <source>The file cannot be written: %1</source>
        <translation>Не удаётся записать файл: %1</translation>
    </message>
    <message>
        <source>The file cannot be read.</source>
        <translation>Не удаётся прочитать файл.</translation>
    </message>
    <message>
        <source>This is not a regular file.</source>
        <translation>Это не обычный файл.</translation>
    </message>
    <message>
        <source>The file is larger than 1 MiB.</source>
        <translation>Файл больше 1 МиБ.</translation>
    </message>
    <message>
        <source>The file holds no settings.</source>
        <translation>Файл не содержит настроек.</translation>
    </message>
    <message>
        <source>The mail receivers cannot be read from the database: %1</source>
        <translation>Не удаётся прочитать получателей писем из базы данных: %1</translation>
    </message>
    <message>
        <source>The mail receivers cannot be stored in the database: %1</source>
        <translation>Не удаётся сохранить получателей писем в базе данных: %1</translation>
    </message>
</context>
<context>
    <name>PopupAddEMailUser</name>
    <message>
        <source>Add</source>
        <translation>Добавить</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>Изменить</translation>
    </message>
    <message>
        <source>E-Mail Receiver:</source>
        <translation>Получатель:</translation>
    </message>
    <message>
        <source>E-Mail address is invalid!</source>
        <translation>Неверный адрес эл. почты!</translation>
    </message>
</context>
<context>
    <name>PopupAddScheduleTask</name>
    <message>
        <source>Add Schedule Task</source>
        <translation>Добавить задание</translation>
    </message>
    <message>
        <source>Modify Schedule Task</source>
        <translation>Изменить задание</translation>
    </message>
    <message>
        <source>Invalid time! Hours 0~23, minutes and seconds 0~59.</source>
        <translation>Недопустимое время! Часы 0~23, минуты и секунды 0~59.</translation>
    </message>
</context>
<context>
    <name>PopupAddScheduleTaskForm.ui</name>
    <message>
        <source>Task Type:</source>
        <translation>Тип задания:</translation>
    </message>
    <message>
        <source>Self-test for 10S</source>
        <translation>Самотестирование 10 с</translation>
    </message>
    <message>
        <source>Self-test to EOD</source>
        <translation>Самотестирование до конца разряда</translation>
    </message>
    <message>
        <source>UPS Power on</source>
        <translation>Включение ИБП</translation>
    </message>
    <message>
        <source>Shutdown system and close UPS</source>
        <translation>Выключить систему и ИБП</translation>
    </message>
    <message>
        <source>Execute Time:</source>
        <translation>Время запуска:</translation>
    </message>
    <message>
        <source>Execute Cyle:</source>
        <translation>Периодичность:</translation>
    </message>
    <message>
        <source>One Shoot</source>
        <translation>Однократно</translation>
    </message>
    <message>
        <source>Every day</source>
        <translation>Каждый день</translation>
    </message>
    <message>
        <source>Every Week</source>
        <translation>Каждую неделю</translation>
    </message>
    <message>
        <source>Every Month</source>
        <translation>Каждый месяц</translation>
    </message>
    <message>
        <source>Sure</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>PopupCurrentAlarm</name>
    <message>
        <source>Sure</source>
        <translation>ОК</translation>
    </message>
</context>
<context>
    <name>PopupSetEMailSender</name>
    <message>
        <source>E-Mail Sender</source>
        <translation>Отправитель</translation>
    </message>
    <message>
        <source>Account:</source>
        <translation>Учётная запись:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Пароль:</translation>
    </message>
    <message>
        <source>Sure</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>User account is invalid!</source>
        <translation>Неверная учётная запись!</translation>
    </message>
</context>
<context>
    <name>ScheduleTaskListDelegate</name>
    <message>
        <source>One Shoot</source>
        <translation>Однократно</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Ежедневно</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Еженедельно</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Ежемесячно</translation>
    </message>
    <message>
        <source>Unkown code: </source>
        <translation>Неизвестный код: </translation>
    </message>
    <message>
        <source>Self-test for 10 secords</source>
        <translation>Самотестирование 10 секунд</translation>
    </message>
    <message>
        <source>Self-test to EOD</source>
        <translation>Самотестирование до конца разряда</translation>
    </message>
    <message>
        <source>UPS Power on</source>
        <translation>Включение ИБП</translation>
    </message>
    <message>
        <source>System shutdown and close UPS</source>
        <translation>Выключение системы и ИБП</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ВКЛ</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>ВЫКЛ</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>Изменить</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
</context>
<context>
    <name>ServiceEMail</name>
    <message>
        <source>From Ambrel</source>
        <translation>От Ambrel</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>Input Voltage(V)</source>
        <translation>Входное напряжение (V)</translation>
    </message>
    <message>
        <source>Output Voltage(V)</source>
        <translation>Выходное напряжение (V)</translation>
    </message>
    <message>
        <source>UPS Load(%)</source>
        <translation>Нагрузка ИБП (%)</translation>
    </message>
    <message>
        <source>Input Frequency(Hz)</source>
        <translation>Входная частота (Hz)</translation>
    </message>
    <message>
        <source>Battery voltage(V)</source>
        <translation>Напряжение батареи (V)</translation>
    </message>
    <message>
        <source>Temperature(℃)</source>
        <translation>Температура (℃)</translation>
    </message>
    <message>
        <source>Daily Report</source>
        <translation>Ежедневный отчёт</translation>
    </message>
    <message>
        <source>UPS daily report.</source>
        <translation>Ежедневный отчёт ИБП.</translation>
    </message>
    <message>
        <source>UPS Alarm</source>
        <translation>Тревога ИБП</translation>
    </message>
    <message>
        <source>connection failed</source>
        <translation>ошибка подключения</translation>
    </message>
    <message>
        <source>encryption failed</source>
        <translation>ошибка шифрования</translation>
    </message>
    <message>
        <source>authentication failed</source>
        <translation>ошибка аутентификации</translation>
    </message>
    <message>
        <source>Test E-Mail</source>
        <translation>Тестовое письмо</translation>
    </message>
    <message>
        <source>This is a test E-Mail!</source>
        <translation>Это тестовое письмо!</translation>
    </message>
</context>
<context>
    <name>SettingsCommon</name>
    <message>
        <source>Failed to open port: </source>
        <translation>Не удалось открыть порт: </translation>
    </message>
    <message>
        <source>Operation finished!</source>
        <translation>Операция завершена!</translation>
    </message>
    <message>
        <source>Look for...</source>
        <translation>Обзор...</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Сохранить как...</translation>
    </message>
    <message>
        <source>Configuration files (*.conf)</source>
        <translation>Файлы настроек (*.conf)</translation>
    </message>
    <message>
        <source>Are you sure to restore settings?!</source>
        <translation>Восстановить настройки по умолчанию?</translation>
    </message>
    <message>
        <source>Operation failed!</source>
        <translation>Операция не выполнена!</translation>
    </message>
</context>
<context>
    <name>SettingsCommonForm.ui</name>
    <message>
        <source>Base Parameter</source>
        <translation>Основные параметры</translation>
    </message>
    <message>
        <source>UPS Communication Type:</source>
        <translation>Тип связи с ИБП:</translation>
    </message>
    <message>
        <source>COM port:</source>
        <translation>COM-порт:</translation>
    </message>
    <message>
        <source>Record data interval(Sec):</source>
        <translation>Интервал записи (с):</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Язык:</translation>
    </message>
    <message>
        <source>Following System Language</source>
        <translation>Язык системы</translation>
    </message>
    <message>
        <source>Settings Management</source>
        <translation>Управление настройками</translation>
    </message>
    <message>
        <source>Settings Import:</source>
        <translation>Импорт настроек:</translation>
    </message>
    <message>
        <source>Look for...</source>
        <translation>Обзор...</translation>
    </message>
    <message>
        <source>Settings Export:</source>
        <translation>Экспорт настроек:</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Сохранить как...</translation>
    </message>
    <message>
        <source>Restore Default Settings</source>
        <translation>Восстановить настройки по умолчанию</translation>
    </message>
    <message>
        <source>Open Path</source>
        <translation>Открыть папку</translation>
    </message>
    <message>
        <source>Version Information</source>
        <translation>Сведения о версии</translation>
    </message>
    <message>
        <source> version:</source>
        <translation> версия:</translation>
    </message>
    <message>
        <source>USB HID version:</source>
        <translation>Версия USB HID:</translation>
    </message>
</context>
<context>
    <name>SettingsEMail</name>
    <message>
        <source>Sending test E-Mail...</source>
        <translation>Отправка тестового письма...</translation>
    </message>
    <message>
        <source>E-Mail has been sent.</source>
        <translation>Письмо отправлено.</translation>
    </message>
    <message>
        <source>Failed to send test E-Mail!</source>
        <translation>Не удалось отправить тестовое письмо!</translation>
    </message>
    <message>
        <source>E-Mail address is invalid!</source>
        <translation>Неверный адрес эл. почты!</translation>
    </message>
</context>
<context>
    <name>SettingsEMailForm.ui</name>
    <message>
        <source>E-Mail</source>
        <translation>Эл. почта</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ВКЛ</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>ВЫКЛ</translation>
    </message>
    <message>
        <source>Sender Information</source>
        <translation>Отправитель</translation>
    </message>
    <message>
        <source>Sender Name:</source>
        <translation>Имя отправителя:</translation>
    </message>
    <message>
        <source>Sender Address:</source>
        <translation>Адрес отправителя:</translation>
    </message>
    <message>
        <source>Server Address:</source>
        <translation>Адрес сервера:</translation>
    </message>
    <message>
        <source>Server Port:</source>
        <translation>Порт сервера:</translation>
    </message>
    <message>
        <source>Encrypt:</source>
        <translation>Шифрование:</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>Account authentication:</source>
        <translation>Аутентификация:</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Send Test Mail</source>
        <translation>Отправить тестовое письмо</translation>
    </message>
    <message>
        <source>E-mail Address</source>
        <translation>Адреса эл. почты</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Добавить</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>Изменить</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Daily Report Send Time(HH:MM:SS): </source>
        <translation>Время отправки ежедневного отчёта (ЧЧ:ММ:СС): </translation>
    </message>
</context>
<context>
    <name>SettingsRules</name>
    <message>
        <source>Invalid value! Enter a number from %1 to %2.</source>
        <translation>Недопустимое значение! Введите число от %1 до %2.</translation>
    </message>
</context>
<context>
    <name>SettingsShutdown</name>
    <message>
        <source>Browse</source>
        <translation>Обзор</translation>
    </message>
</context>
<context>
    <name>SettingsShutdownForm.ui</name>
    <message>
        <source>Ambrel power control</source>
        <translation>Управление питанием Ambrel</translation>
    </message>
    <message>
        <source>After main AC fault, shutdown system in(0~2880)</source>
        <translation>После отказа сети выключить систему через (0~2880)</translation>
    </message>
    <message>
        <source>minute(s)</source>
        <translation>мин</translation>
    </message>
    <message>
        <source>If low battery occurred, shutdown system in(0~600)</source>
        <translation>При разряде батареи выключить систему через (0~600)</translation>
    </message>
    <message>
        <source>After main AC fault, shutdown system when battery capacity lower than(1~100)</source>
        <translation>После отказа сети выключить систему, когда ёмкость батареи ниже (1~100)</translation>
    </message>
    <message>
        <source>Shutdown OS</source>
        <translation>Выключить ОС</translation>
    </message>
    <message>
        <source>Command file to execute:</source>
        <translation>Выполнить командный файл:</translation>
    </message>
    <message>
        <source>Command file:</source>
        <translation>Командный файл:</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Обзор</translation>
    </message>
    <message>
        <source>Max. execution time:</source>
        <translation>Макс. время выполнения:</translation>
    </message>
    <message>
        <source>UPS Power Off</source>
        <translation>Выключение ИБП</translation>
    </message>
    <message>
        <source>Times need (1~9)</source>
        <translation>Задержка (1~9)</translation>
    </message>
    <message>
        <source>minute(s) before UPS turns off</source>
        <translation>мин до выключения ИБП</translation>
    </message>
</context>
<context>
    <name>TableModelAlarm</name>
    <message>
        <source>Date</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Тревога</translation>
    </message>
</context>
<context>
    <name>TableModelDevData</name>
    <message>
        <source>Date</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>Input Voltage(V)</source>
        <translation>Входное напряжение (V)</translation>
    </message>
    <message>
        <source>Output Voltage(V)</source>
        <translation>Выходное напряжение (V)</translation>
    </message>
    <message>
        <source>UPS Load(%)</source>
        <translation>Нагрузка ИБП (%)</translation>
    </message>
    <message>
        <source>Input Frequency(Hz)</source>
        <translation>Входная частота (Hz)</translation>
    </message>
    <message>
        <source>Battery voltage(V)</source>
        <translation>Напряжение батареи (V)</translation>
    </message>
    <message>
        <source>Temperature(℃)</source>
        <translation>Температура (℃)</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Shutdown event activated!</source>
        <translation>Активировано событие выключения!</translation>
    </message>
    <message>
        <source>UPS Conneted</source>
        <translation>ИБП подключён</translation>
    </message>
    <message>
        <source>UPS Disconnect</source>
        <translation>ИБП отключён</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Показать</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>Readings, alarms and tasks cannot be kept: the database reports &quot;%1&quot;.</source>
        <translation>Показания, тревоги и задачи не могут быть сохранены: база данных сообщает «%1».</translation>
    </message>
    <message>
        <source>Rows dropped while it was locked: %1</source>
        <translation>Строк отброшено, пока база была заблокирована: %1</translation>
    </message>
</context>
</TS>
