<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Alarm</name>
    <message>
        <source>Communication lost</source>
        <translation>通讯中断</translation>
    </message>
    <message>
        <source>Communication established</source>
        <translation>通讯已建立</translation>
    </message>
    <message>
        <source>Input voltage fault</source>
        <translation>输入电压故障</translation>
    </message>
    <message>
        <source>Input voltage returns to normal</source>
        <translation>输入电压恢复正常</translation>
    </message>
    <message>
        <source>Battery voltage low</source>
        <translation>电池电压低</translation>
    </message>
    <message>
        <source>Battery voltage returns to normal</source>
        <translation>电池电压恢复正常</translation>
    </message>
    <message>
        <source>Bypass supply</source>
        <translation>旁路供电</translation>
    </message>
    <message>
        <source>Rectifier supply</source>
        <translation>整流器供电</translation>
    </message>
    <message>
        <source>UPS fault</source>
        <translation>UPS故障</translation>
    </message>
    <message>
        <source>UPS returns to normal</source>
        <translation>UPS恢复正常</translation>
    </message>
    <message>
        <source>UPS backup</source>
        <translation>UPS后备模式</translation>
    </message>
    <message>
        <source>UPS online</source>
        <translation>UPS在线模式</translation>
    </message>
    <message>
        <source>In self-test</source>
        <translation>自检中</translation>
    </message>
    <message>
        <source>Self-test finished</source>
        <translation>自检完成</translation>
    </message>
    <message>
        <source>In power off</source>
        <translation>关机中</translation>
    </message>
    <message>
        <source>UPS returns from power off</source>
        <translation>UPS已从关机状态恢复</translation>
    </message>
    <message>
        <source>Buzzer open</source>
        <translation>蜂鸣器开启</translation>
    </message>
    <message>
        <source>Buzzer silent</source>
        <translation>蜂鸣器静音</translation>
    </message>
    <message>
        <source>Boost or buck activated</source>
        <translation>升压或降压已启动</translation>
    </message>
    <message>
        <source>UPS returns from boost or buck</source>
        <translation>UPS已退出升压或降压</translation>
    </message>
    <message>
        <source>On boost</source>
        <translation>升压中</translation>
    </message>
    <message>
        <source>On Buck</source>
        <translation>降压中</translation>
    </message>
    <message>
        <source>Input phase sequence error</source>
        <translation>输入相序错误</translation>
    </message>
    <message>
        <source>Input voltage high</source>
        <translation>输入电压高</translation>
    </message>
    <message>
        <source>Input voltage low</source>
        <translation>输入电压低</translation>
    </message>
    <message>
        <source>Input voltage abnormal</source>
        <translation>输入电压异常</translation>
    </message>
    <message>
        <source>Input N missing</source>
        <translation>输入零线缺失</translation>
    </message>
    <message>
        <source>Input frequency abnormal</source>
        <translation>输入频率异常</translation>
    </message>
    <message>
        <source>+DC bus over voltage</source>
        <translation>正直流母线过压</translation>
    </message>
    <message>
        <source>-DC bus over voltage</source>
        <translation>负直流母线过压</translation>
    </message>
    <message>
        <source>DC bus OV HW CKT</source>
        <translation>直流母线过压硬件保护</translation>
    </message>
    <message>
        <source>DC Bus over voltage</source>
        <translation>直流母线过压</translation>
    </message>
    <message>
        <source>+DC bus low voltage(output on)</source>
        <translation>正直流母线欠压（输出开启）</translation>
    </message>
    <message>
        <source>-DC bus low voltage(output on)</source>
        <translation>负直流母线欠压（输出开启）</translation>
    </message>
    <message>
        <source>+DC bus voltage low(output off)</source>
        <translation>正直流母线电压低（输出关闭）</translation>
    </message>
    <message>
        <source>-DC bus voltage low(output off)</source>
        <translation>负直流母线电压低（输出关闭）</translation>
    </message>
    <message>
        <source>DC bus voltage low</source>
        <translation>直流母线电压低</translation>
    </message>
    <message>
        <source>DC bus delta</source>
        <translation>直流母线不平衡</translation>
    </message>
    <message>
        <source>DC bus delta(line)</source>
        <translation>直流母线不平衡（市电）</translation>
    </message>
    <message>
        <source>DC bus delta(on battery)</source>
        <translation>直流母线不平衡（电池）</translation>
    </message>
    <message>
        <source>+DC bus soft start fail(line)</source>
        <translation>正直流母线软启动失败（市电）</translation>
    </message>
    <message>
        <source>-DC Bus soft start fail(Line)</source>
        <translation>负直流母线软启动失败（市电）</translation>
    </message>
    <message>
        <source>+DC bus soft start fail(battery)</source>
        <translation>正直流母线软启动失败（电池）</translation>
    </message>
    <message>
        <source>-DC bus soft start fail(battery)</source>
        <translation>负直流母线软启动失败（电池）</translation>
    </message>
    <message>
        <source>+DC bus discharge fail</source>
        <translation>正直流母线放电失败</translation>
    </message>
    <message>
        <source>-DC bus discharge fail</source>
        <translation>负直流母线放电失败</translation>
    </message>
    <message>
        <source>Rectifier fault</source>
        <translation>整流器故障</translation>
    </message>
    <message>
        <source>Rectifier over current</source>
        <translation>整流器过流</translation>
    </message>
    <message>
        <source>Inverter output low</source>
        <translation>逆变器输出电压低</translation>
    </message>
    <message>
        <source>Inverter output high</source>
        <translation>逆变器输出电压高</translation>
    </message>
    <message>
        <source>Inverter hardware CKT</source>
        <translation>逆变器硬件电路故障</translation>
    </message>
    <message>
        <source>Inverter fault</source>
        <translation>逆变器故障</translation>
    </message>
    <message>
        <source>Output relay weld close</source>
        <translation>输出继电器粘连闭合</translation>
    </message>
    <message>
        <source>Output relay weld open</source>
        <translation>输出继电器卡在断开</translation>
    </message>
    <message>
        <source>Inverter overload</source>
        <translation>逆变器过载</translation>
    </message>
    <message>
        <source>Inverter overload time out</source>
        <translation>逆变器过载超时</translation>
    </message>
    <message>
        <source>Inverter DC over voltage</source>
        <translation>逆变器直流过压</translation>
    </message>
    <message>
        <source>Output meas mismatch</source>
        <translation>输出测量值不一致</translation>
    </message>
    <message>
        <source>Inverter soft start fail</source>
        <translation>逆变器软启动失败</translation>
    </message>
    <message>
        <source>Soft start fail</source>
        <translation>软启动失败</translation>
    </message>
    <message>
        <source>Output short circuit</source>
        <translation>输出短路</translation>
    </message>
    <message>
        <source>Output over voltage</source>
        <translation>输出过压</translation>
    </message>
    <message>
        <source>Output severe over voltage</source>
        <translation>输出严重过压</translation>
    </message>
    <message>
        <source>Output low voltage</source>
        <translation>输出电压低</translation>
    </message>
    <message>
        <source>Output overload</source>
        <translation>输出过载</translation>
    </message>
    <message>
        <source>Battery reversed connection</source>
        <translation>电池反接</translation>
    </message>
    <message>
        <source>+Battery over voltage</source>
        <translation>正电池组过压</translation>
    </message>
    <message>
        <source>-Battery over voltage</source>
        <translation>负电池组过压</translation>
    </message>
    <message>
        <source>+Battery disconnected</source>
        <translation>正电池组断开</translation>
    </message>
    <message>
        <source>-Battery disconnected</source>
        <translation>负电池组断开</translation>
    </message>
    <message>
        <source>+Battery low pre alarm</source>
        <translation>正电池组电压低预警</translation>
    </message>
    <message>
        <source>-Battery low pre alarm</source>
        <translation>负电池组电压低预警</translation>
    </message>
    <message>
        <source>+Battery low voltage</source>
        <translation>正电池组电压低</translation>
    </message>
    <message>
        <source>-Battery low voltage</source>
        <translation>负电池组电压低</translation>
    </message>
    <message>
        <source>RBC needs replacement</source>
        <translation>电池需要更换</translation>
    </message>
    <message>
        <source>+Charger error</source>
        <translation>正充电器错误</translation>
    </message>
    <message>
        <source>-Charger error</source>
        <translation>负充电器错误</translation>
    </message>
    <message>
        <source>+Charger over voltage</source>
        <translation>正充电器过压</translation>
    </message>
    <message>
        <source>-Charger over voltage</source>
        <translation>负充电器过压</translation>
    </message>
    <message>
        <source>+Charger low voltage</source>
        <translation>正充电器电压低</translation>
    </message>
    <message>
        <source>-Charger low voltage</source>
        <translation>负充电器电压低</translation>
    </message>
    <message>
        <source>Charger meas mismatch</source>
        <translation>充电器测量值不一致</translation>
    </message>
    <message>
        <source>Bypass phase sequence error</source>
        <translation>旁路相序错误</translation>
    </message>
    <message>
        <source>Bypass over current</source>
        <translation>旁路过流</translation>
    </message>
    <message>
        <source>Bypass voltage abnormal</source>
        <translation>旁路电压异常</translation>
    </message>
    <message>
        <source>Bypass frequency abnormal</source>
        <translation>旁路频率异常</translation>
    </message>
    <message>
        <source>Bypass overload</source>
        <translation>旁路过载</translation>
    </message>
    <message>
        <source>Bypass overload time out</source>
        <translation>旁路过载超时</translation>
    </message>
    <message>
        <source>PDU activated</source>
        <translation>PDU已启动</translation>
    </message>
    <message>
        <source>Bypass not available</source>
        <translation>旁路不可用</translation>
    </message>
    <message>
        <source>Bypass unable to trace</source>
        <translation>旁路无法跟踪</translation>
    </message>
    <message>
        <source>Battery over temperature critical</source>
        <translation>电池温度严重过高</translation>
    </message>
    <message>
        <source>Battery low temperature</source>
        <translation>电池温度低</translation>
    </message>
    <message>
        <source>Battery over temperature(&gt;50℃ charging)</source>
        <translation>电池过温（充电时&gt;50℃）</translation>
    </message>
    <message>
        <source>Battery temp sensor disconnected</source>
        <translation>电池温度传感器断开</translation>
    </message>
    <message>
        <source>Fan inoperative</source>
        <translation>风扇不工作</translation>
    </message>
    <message>
        <source>Fan logic power supply fault</source>
        <translation>风扇逻辑电源故障</translation>
    </message>
    <message>
        <source>Fuse blown</source>
        <translation>保险丝熔断</translation>
    </message>
    <message>
        <source>Heat sink 1 over temperature</source>
        <translation>散热器1过温</translation>
    </message>
    <message>
        <source>Heat sink 2 over temperature</source>
        <translation>散热器2过温</translation>
    </message>
    <message>
        <source>Inverter over temperature</source>
        <translation>逆变器过温</translation>
    </message>
    <message>
        <source>Ambient over temperature</source>
        <translation>环境温度过高</translation>
    </message>
    <message>
        <source>Ambient low temperature</source>
        <translation>环境温度过低</translation>
    </message>
    <message>
        <source>Bypass SCR/relay short circuit</source>
        <translation>旁路可控硅/继电器短路</translation>
    </message>
    <message>
        <source>Bypass SCR/relay open circuit</source>
        <translation>旁路可控硅/继电器开路</translation>
    </message>
    <message>
        <source>Bkfeed relay weld close</source>
        <translation>防反灌继电器粘连闭合</translation>
    </message>
    <message>
        <source>Bkfeed relay weld open</source>
        <translation>防反灌继电器卡在断开</translation>
    </message>
    <message>
        <source>Logic power supply error</source>
        <translation>逻辑电源错误</translation>
    </message>
    <message>
        <source>EEPROM fault</source>
        <translation>EEPROM故障</translation>
    </message>
    <message>
        <source>RAM error</source>
        <translation>RAM错误</translation>
    </message>
    <message>
        <source>Parallel communication error</source>
        <translation>并机通讯错误</translation>
    </message>
    <message>
        <source>Internal communication error</source>
        <translation>内部通讯错误</translation>
    </message>
    <message>
        <source>CPLD fault</source>
        <translation>CPLD故障</translation>
    </message>
    <message>
        <source>MCU reseted</source>
        <translation>MCU已复位</translation>
    </message>
    <message>
        <source>Bkfeed relay locked</source>
        <translation>防反灌继电器锁定</translation>
    </message>
    <message>
        <source>BMS communication error</source>
        <translation>BMS通讯错误</translation>
    </message>
    <message>
        <source>Parallel relay error</source>
        <translation>并机继电器错误</translation>
    </message>
    <message>
        <source>Parallel connect error</source>
        <translation>并机连接错误</translation>
    </message>
    <message>
        <source>Parallel current sharing error</source>
        <translation>并机均流错误</translation>
    </message>
    <message>
        <source>Parallel overload</source>
        <translation>并机过载</translation>
    </message>
    <message>
        <source>Button error</source>
        <translation>按键错误</translation>
    </message>
    <message>
        <source>EPO activated</source>
        <translation>紧急关机已触发</translation>
    </message>
    <message>
        <source>Firmware mismatch</source>
        <translation>固件不匹配</translation>
    </message>
    <message>
        <source>Firmware upgrading</source>
        <translation>固件升级中</translation>
    </message>
    <message>
        <source>AVR is running too long</source>
        <translation>自动稳压运行时间过长</translation>
    </message>
    <message>
        <source>AVR time is up</source>
        <translation>自动稳压时间已到</translation>
    </message>
    <message>
        <source>Battery load time is too long</source>
        <translation>电池带载时间过长</translation>
    </message>
    <message>
        <source>Rectifier over temperature</source>
        <translation>整流器过温</translation>
    </message>
    <message>
        <source>Rectifier parallel signal error</source>
        <translation>整流器并机信号错误</translation>
    </message>
    <message>
        <source>Rectifier logic power supply error</source>
        <translation>整流器逻辑电源错误</translation>
    </message>
    <message>
        <source>Input SCR inoperable</source>
        <translation>输入可控硅不可用</translation>
    </message>
    <message>
        <source>Discharge SCR error</source>
        <translation>放电可控硅错误</translation>
    </message>
    <message>
        <source>Charge SCR error</source>
        <translation>充电可控硅错误</translation>
    </message>
    <message>
        <source>Fan inoperable</source>
        <translation>风扇不可用</translation>
    </message>
    <message>
        <source>Fan power supply error</source>
        <translation>风扇电源错误</translation>
    </message>
    <message>
        <source>Charger over temperature</source>
        <translation>充电器过温</translation>
    </message>
    <message>
        <source>Rectifier DC bus soft start error</source>
        <translation>整流器直流母线软启动错误</translation>
    </message>
    <message>
        <source>Charger fault</source>
        <translation>充电器故障</translation>
    </message>
    <message>
        <source>PFC communication fault</source>
        <translation>PFC通讯故障</translation>
    </message>
    <message>
        <source>Rectifier initializing fault</source>
        <translation>整流器初始化故障</translation>
    </message>
    <message>
        <source>Rectifier power block not connected</source>
        <translation>整流器功率模块未连接</translation>
    </message>
    <message>
        <source>Battery charging over voltage</source>
        <translation>电池充电过压</translation>
    </message>
    <message>
        <source>Rectifier CPLD clock source fault</source>
        <translation>整流器CPLD时钟源故障</translation>
    </message>
    <message>
        <source>Charger over current</source>
        <translation>充电器过流</translation>
    </message>
    <message>
        <source>Inverter IGBT short circuit</source>
        <translation>逆变器IGBT短路</translation>
    </message>
    <message>
        <source>Inverter relay short circuit</source>
        <translation>逆变器继电器短路</translation>
    </message>
    <message>
        <source>Inverter relay broken</source>
        <translation>逆变器继电器损坏</translation>
    </message>
    <message>
        <source>Inverter parallel signal fault</source>
        <translation>逆变器并机信号故障</translation>
    </message>
    <message>
        <source>Inverter communication fault</source>
        <translation>逆变器通讯故障</translation>
    </message>
    <message>
        <source>Inverter initializing fault</source>
        <translation>逆变器初始化故障</translation>
    </message>
    <message>
        <source>Inverter self-test error</source>
        <translation>逆变器自检错误</translation>
    </message>
    <message>
        <source>Inverter DC offset over voltage</source>
        <translation>逆变器直流偏置过压</translation>
    </message>
    <message>
        <source>Inverter DC bus abnormal</source>
        <translation>逆变器直流母线异常</translation>
    </message>
    <message>
        <source>Inverter PM not connected</source>
        <translation>逆变器功率模块未连接</translation>
    </message>
    <message>
        <source>Inverter APS fault</source>
        <translation>逆变器辅助电源故障</translation>
    </message>
    <message>
        <source>Inverter load sharing error</source>
        <translation>逆变器均载错误</translation>
    </message>
    <message>
        <source>Inverter parallel wire connection error</source>
        <translation>逆变器并机线连接错误</translation>
    </message>
    <message>
        <source>UPS mode incorrect</source>
        <translation>UPS模式错误</translation>
    </message>
    <message>
        <source>Inverter fuse blown</source>
        <translation>逆变器保险丝熔断</translation>
    </message>
    <message>
        <source>Inverter CPLD clock source fault</source>
        <translation>逆变器CPLD时钟源故障</translation>
    </message>
    <message>
        <source>Bypass SCR short circuit</source>
        <translation>旁路可控硅短路</translation>
    </message>
    <message>
        <source>Bypass SCR broken</source>
        <translation>旁路可控硅损坏</translation>
    </message>
    <message>
        <source>Backfeed on bypass</source>
        <translation>旁路反灌</translation>
    </message>
    <message>
        <source>Input wire error</source>
        <translation>输入接线错误</translation>
    </message>
    <message>
        <source>Input N missing detection</source>
        <translation>检测到输入零线缺失</translation>
    </message>
    <message>
        <source>Battery over voltage</source>
        <translation>电池过压</translation>
    </message>
    <message>
        <source>Battery EOD warning</source>
        <translation>电池放电终止预警</translation>
    </message>
    <message>
        <source>Battery reversed</source>
        <translation>电池极性接反</translation>
    </message>
    <message>
        <source>Battery EOD</source>
        <translation>电池放电终止</translation>
    </message>
    <message>
        <source>No battery</source>
        <translation>无电池</translation>
    </message>
    <message>
        <source>Input Reversed</source>
        <translation>输入接反</translation>
    </message>
    <message>
        <source>Input frequency out of tol.</source>
        <translation>输入频率超出容差</translation>
    </message>
    <message>
        <source>Input voltage out of tol.</source>
        <translation>输入电压超出容差</translation>
    </message>
    <message>
        <source>PFC communication abnormal</source>
        <translation>PFC通讯异常</translation>
    </message>
    <message>
        <source>Input unavailable</source>
        <translation>输入不可用</translation>
    </message>
    <message>
        <source>Rectifier setting incorrect</source>
        <translation>整流器设置错误</translation>
    </message>
    <message>
        <source>Mains unable to trace in 1:1 mode</source>
        <translation>1:1模式下无法跟踪市电</translation>
    </message>
    <message>
        <source>Mains relay short circuit</source>
        <translation>市电继电器短路</translation>
    </message>
    <message>
        <source>Mains relay broken</source>
        <translation>市电继电器损坏</translation>
    </message>
    <message>
        <source>Inverter parallel signal abnormal</source>
        <translation>逆变器并机信号异常</translation>
    </message>
    <message>
        <source>Inverter out of sync.</source>
        <translation>逆变器不同步</translation>
    </message>
    <message>
        <source>Output abnormal</source>
        <translation>输出异常</translation>
    </message>
    <message>
        <source>Inverter communication abnormal</source>
        <translation>逆变器通讯异常</translation>
    </message>
    <message>
        <source>Inverter setting incorrect</source>
        <translation>逆变器设置错误</translation>
    </message>
    <message>
        <source>Bypass input relay short circuit</source>
        <translation>旁路输入继电器短路</translation>
    </message>
    <message>
        <source>Bypass input relay broken</source>
        <translation>旁路输入继电器损坏</translation>
    </message>
    <message>
        <source>Bypass unavailable</source>
        <translation>旁路无效</translation>
    </message>
    <message>
        <source>Bypass switch too frequent</source>
        <translation>旁路切换过于频繁</translation>
    </message>
    <message>
        <source>Bypass reversed</source>
        <translation>旁路接反</translation>
    </message>
    <message>
        <source>Battery self-test error</source>
        <translation>电池自检错误</translation>
    </message>
    <message>
        <source>No battery temperature sensor</source>
        <translation>无电池温度传感器</translation>
    </message>
    <message>
        <source>Battery over temperature</source>
        <translation>电池过温</translation>
    </message>
    <message>
        <source>Monitor EEPROM error</source>
        <translation>监控EEPROM错误</translation>
    </message>
    <message>
        <source>Parallel CAN abnormal</source>
        <translation>并机CAN总线异常</translation>
    </message>
    <message>
        <source>Ambient temperature &gt;40℃ or &lt; -20℃</source>
        <translation>环境温度&gt;40℃或&lt; -20℃</translation>
    </message>
    <message>
        <source>Battery temperature low</source>
        <translation>电池温度过低</translation>
    </message>
    <message>
        <source>Need to check battery</source>
        <translation>需要检查电池</translation>
    </message>
    <message>
        <source>Returned from: </source>
        <translation>已恢复：</translation>
    </message>
</context>
<context>
    <name>DevComm</name>
    <message>
        <source>None</source>
        <translation>无</translation>
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
        <translation>来自 Ambrel</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>Input Voltage(V)</source>
        <translation>输入电压(V)</translation>
    </message>
    <message>
        <source>Output Voltage(V)</source>
        <translation>输出电压(V)</translation>
    </message>
    <message>
        <source>UPS Load(%)</source>
        <translation>UPS负载(%)</translation>
    </message>
    <message>
        <source>Input Frequency(Hz)</source>
        <translation>输入频率(Hz)</translation>
    </message>
    <message>
        <source>Battery voltage(V)</source>
        <translation>电池电压(V)</translation>
    </message>
    <message>
        <source>Temperature(℃)</source>
        <translation>温度(℃)</translation>
    </message>
    <message>
        <source>Daily Report</source>
        <translation>每日报告</translation>
    </message>
    <message>
        <source>UPS daily report.</source>
        <translation>UPS每日报告。</translation>
    </message>
    <message>
        <source>UPS Alarm</source>
        <translation>UPS告警</translation>
    </message>
    <message>
        <source>connection failed</source>
        <translation>连接失败</translation>
    </message>
    <message>
        <source>encryption failed</source>
        <translation>加密失败</translation>
    </message>
    <message>
        <source>authentication failed</source>
        <translation>认证失败</translation>
    </message>
    <message>
        <source>Test E-Mail</source>
        <translation>测试邮件</translation>
    </message>
    <message>
        <source>This is a test E-Mail!</source>
        <translation>这是一封测试邮件！</translation>
    </message>
</context>
<context>
    <name>TableModelAlarm</name>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>告警</translation>
    </message>
</context>
<context>
    <name>TableModelDevData</name>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>Input Voltage(V)</source>
        <translation>输入电压(V)</translation>
    </message>
    <message>
        <source>Output Voltage(V)</source>
        <translation>输出电压(V)</translation>
    </message>
    <message>
        <source>UPS Load(%)</source>
        <translation>UPS负载(%)</translation>
    </message>
    <message>
        <source>Input Frequency(Hz)</source>
        <translation>输入频率(Hz)</translation>
    </message>
    <message>
        <source>Battery voltage(V)</source>
        <translation>电池电压(V)</translation>
    </message>
    <message>
        <source>Temperature(℃)</source>
        <translation>温度(℃)</translation>
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
