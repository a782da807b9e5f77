<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>Alarm</name>
    <message>
        <source>Communication lost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Communication established</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input voltage fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input voltage returns to normal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery voltage low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery voltage returns to normal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bypass supply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rectifier supply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UPS fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UPS returns to normal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UPS backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UPS online</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In self-test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Self-test finished</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In power off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UPS returns from power off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Buzzer open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Buzzer silent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Boost or buck activated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UPS returns from boost or buck</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On boost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On Buck</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input phase sequence error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input voltage high</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input voltage low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input voltage abnormal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input N missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input frequency abnormal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+DC bus over voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-DC bus over voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DC bus OV HW CKT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DC Bus over voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+DC bus low voltage(output on)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-DC bus low voltage(output on)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+DC bus voltage low(output off)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-DC bus voltage low(output off)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DC bus voltage low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DC bus delta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DC bus delta(line)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DC bus delta(on battery)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+DC bus soft start fail(line)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-DC Bus soft start fail(Line)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+DC bus soft start fail(battery)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-DC bus soft start fail(battery)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+DC bus discharge fail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-DC bus discharge fail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rectifier fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rectifier over current</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter output low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter output high</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter hardware CKT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output relay weld close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output relay weld open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter overload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter overload time out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter DC over voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output meas mismatch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter soft start fail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Soft start fail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output short circuit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output over voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output severe over voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output low voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output overload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery reversed connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+Battery over voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-Battery over voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+Battery disconnected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-Battery disconnected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+Battery low pre alarm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-Battery low pre alarm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+Battery low voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-Battery low voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RBC needs replacement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+Charger error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-Charger error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+Charger over voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-Charger over voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+Charger low voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-Charger low voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Charger meas mismatch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bypass phase sequence error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bypass over current</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bypass voltage abnormal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bypass frequency abnormal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bypass overload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bypass overload time out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDU activated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bypass not available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bypass unable to trace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery over temperature critical</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery low temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery over temperature(&gt;50℃ charging)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery temp sensor disconnected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fan inoperative</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fan logic power supply fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fuse blown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Heat sink 1 over temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Heat sink 2 over temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter over temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ambient over temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ambient low temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bypass SCR/relay short circuit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bypass SCR/relay open circuit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bkfeed relay weld close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bkfeed relay weld open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Logic power supply error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EEPROM fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RAM error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parallel communication error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Internal communication error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CPLD fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MCU reseted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bkfeed relay locked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BMS communication error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parallel relay error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parallel connect error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parallel current sharing error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parallel overload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Button error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EPO activated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware mismatch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware upgrading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AVR is running too long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AVR time is up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery load time is too long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rectifier over temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rectifier parallel signal error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rectifier logic power supply error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input SCR inoperable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discharge SCR error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Charge SCR error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fan inoperable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fan power supply error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Charger over temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rectifier DC bus soft start error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Charger fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PFC communication fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rectifier initializing fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rectifier power block not connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery charging over voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rectifier CPLD clock source fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Charger over current</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter IGBT short circuit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter relay short circuit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter relay broken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter parallel signal fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter communication fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter initializing fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter self-test error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter DC offset over voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter DC bus abnormal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter PM not connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter APS fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter load sharing error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter parallel wire connection error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UPS mode incorrect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter fuse blown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter CPLD clock source fault</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bypass SCR short circuit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bypass SCR broken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backfeed on bypass</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input wire error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input N missing detection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery over voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery EOD warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery reversed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery EOD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No battery</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input Reversed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input frequency out of tol.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input voltage out of tol.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PFC communication abnormal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input unavailable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rectifier setting incorrect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mains unable to trace in 1:1 mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mains relay short circuit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mains relay broken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter parallel signal abnormal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter out of sync.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output abnormal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter communication abnormal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inverter setting incorrect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bypass input relay short circuit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bypass input relay broken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bypass unavailable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bypass switch too frequent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bypass reversed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery self-test error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No battery temperature sensor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery over temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Monitor EEPROM error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parallel CAN abnormal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ambient temperature &gt;40℃ or &lt; -20℃</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery temperature low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Need to check battery</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Returned from: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DevComm</name>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DevDataChartPage</name>
    <message>
        <source>Input Voltage(V)</source>
        <translation>输入电压(V)</translation>
    </message>
    <message>
        <source>Output Voltage(V)</source>
        <translation>输出电压(V)</translation>
    </message>
</context>
<context>
    <name>DevDataDialPage</name>
    <message>
        <source>UPS Load</source>
        <translation>UPS负载</translation>
    </message>
    <message>
        <source>Battery Capacity</source>
        <translation>电池容量</translation>
    </message>
</context>
<context>
    <name>DevDataInfoPage</name>
    <message>
        <source>UPS Manufacturer:</source>
        <translation>UPS制造商：</translation>
    </message>
    <message>
        <source>UPS Model:</source>
        <translation>UPS型号：</translation>
    </message>
    <message>
        <source>UPS Version:</source>
        <translation>UPS版本：</translation>
    </message>
    <message>
        <source>UPS SN:</source>
        <translation>UPS序列号：</translation>
    </message>
</context>
<context>
    <name>DevDataItemPage</name>
    <message>
        <source>Input Voltage</source>
        <translation>输入电压</translation>
    </message>
    <message>
        <source>Output Voltage</source>
        <translation>输出电压</translation>
    </message>
    <message>
        <source>Input Frequncy</source>
        <translation>输入频率</translation>
    </message>
    <message>
        <source>Battery Single Voltage</source>
        <translation>单节电池电压</translation>
    </message>
    <message>
        <source>UPS Load</source>
        <translation>UPS负载</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>温度</translation>
    </message>
</context>
<context>
    <name>MainDevDataForm.ui</name>
    <message>
        <source>Mimic</source>
        <translation>模拟图</translation>
    </message>
    <message>
        <source>Dial</source>
        <translation>仪表</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>数据</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>曲线</translation>
    </message>
    <message>
        <source>Info.</source>
        <translation>信息</translation>
    </message>
</context>
<context>
    <name>MainDevInfo</name>
    <message>
        <source>Fault</source>
        <translation>故障</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>On Battery</source>
        <translation>电池供电</translation>
    </message>
    <message>
        <source>On Bypass</source>
        <translation>旁路供电</translation>
    </message>
    <message>
        <source>On Mains</source>
        <translation>市电供电</translation>
    </message>
    <message>
        <source>UPS disconnect</source>
        <translation>UPS未连接</translation>
    </message>
    <message>
        <source>UPS Conneted</source>
        <translation>UPS已连接</translation>
    </message>
    <message>
        <source>UPS Disconnected</source>
        <translation>UPS已断开</translation>
    </message>
    <message>
        <source>Conneted</source>
        <translation>已连接</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>已断开</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>低</translation>
    </message>
    <message>
        <source>In progress</source>
        <translation>进行中</translation>
    </message>
    <message>
        <source>No</source>
        <translation>无</translation>
    </message>
</context>
<context>
    <name>MainDevInfoForm.ui</name>
    <message>
        <source>UPS Communication</source>
        <translation>UPS通信</translation>
    </message>
    <message>
        <source>Input Status</source>
        <translation>输入状态</translation>
    </message>
    <message>
        <source>Battery Voltage</source>
        <translation>电池电压</translation>
    </message>
    <message>
        <source>UPS Fault</source>
        <translation>UPS故障</translation>
    </message>
    <message>
        <source>Work Status</source>
        <translation>工作状态</translation>
    </message>
    <message>
        <source>UPS Self-Test</source>
        <translation>UPS自检</translation>
    </message>
    <message>
        <source>Battery Remaining Time</source>
        <translation>电池剩余时间</translation>
    </message>
    <message>
        <source>System Shutdown CountDown</source>
        <translation>系统关机倒计时</translation>
    </message>
</context>
<context>
    <name>MainFooterMenuForm.ui</name>
    <message>
        <source>Device</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Schedule Task</source>
        <translation>计划任务</translation>
    </message>
    <message>
        <source>UPS Control</source>
        <translation>UPS控制</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Historical Data</source>
        <translation>历史数据</translation>
    </message>
</context>
<context>
    <name>MsgDialog</name>
    <message>
        <source>Sure</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>PopupCurrentAlarm</name>
    <message>
        <source>Sure</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>ServiceEMail</name>
    <message>
        <source>From Ambrel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input Voltage(V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output Voltage(V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UPS Load(%)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input Frequency(Hz)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery voltage(V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Temperature(℃)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Daily Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UPS daily report.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UPS Alarm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>connection failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>encryption failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>authentication failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test E-Mail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is a test E-Mail!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TableModelAlarm</name>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TableModelDevData</name>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input Voltage(V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output Voltage(V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UPS Load(%)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input Frequency(Hz)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery voltage(V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Temperature(℃)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Shutdown event activated!</source>
        <translation>关机事件已触发！</translation>
    </message>
    <message>
        <source>UPS Conneted</source>
        <translation>UPS已连接</translation>
    </message>
    <message>
        <source>UPS Disconnect</source>
        <translation>UPS已断开</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>显示</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
</context>
</TS>
