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
    <name>LogAlarmDataForm.ui</name>
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
    <name>LogClosedRecordsForm.ui</name>
    <message>
        <source>Application</source>
        <translation>应用程序</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>窗口</translation>
    </message>
</context>
<context>
    <name>LogDevDataForm.ui</name>
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
        <source>temperature(℃ )</source>
        <translation>温度(℃)</translation>
    </message>
</context>
<context>
    <name>LogSelfTest</name>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>时长</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>次数</translation>
    </message>
    <message>
        <source>Load(%)</source>
        <translation>负载(%)</translation>
    </message>
    <message>
        <source>Battery Capacity(%)</source>
        <translation>电池容量(%)</translation>
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
    <name>MainPanelControl</name>
    <message>
        <source>Order has been issued!</source>
        <translation>命令已下发！</translation>
    </message>
</context>
<context>
    <name>MainPanelControlForm.ui</name>
    <message>
        <source>UPS Control</source>
        <translation>UPS控制</translation>
    </message>
    <message>
        <source>UPS Self-test for 10S</source>
        <translation>UPS自检10秒</translation>
    </message>
    <message>
        <source>UPS Self-test to EOD</source>
        <translation>UPS自检至放电终止</translation>
    </message>
    <message>
        <source>UPS Self-test for(1~99)</source>
        <translation>UPS自检时长(1~99)</translation>
    </message>
    <message>
        <source>minute(s)</source>
        <translation>分钟</translation>
    </message>
    <message>
        <source>UPS Self-test cancel</source>
        <translation>取消UPS自检</translation>
    </message>
    <message>
        <source>UPS close output in(0~9)</source>
        <translation>UPS关闭输出延时(0~9)</translation>
    </message>
    <message>
        <source>Cancel UPS close output</source>
        <translation>取消UPS关闭输出</translation>
    </message>
    <message>
        <source>UPS buzzer toggle</source>
        <translation>切换UPS蜂鸣器</translation>
    </message>
    <message>
        <source>Sure</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>MainPanelLogData</name>
    <message>
        <source>Data</source>
        <translation>数据</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>告警</translation>
    </message>
    <message>
        <source>Closed Records</source>
        <translation>关闭记录</translation>
    </message>
    <message>
        <source>Self-test</source>
        <translation>自检</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>另存为...</translation>
    </message>
    <message>
        <source>Excel files (*.xlsx)</source>
        <translation>Excel文件 (*.xlsx)</translation>
    </message>
    <message>
        <source>Operation finished!</source>
        <translation>操作完成！</translation>
    </message>
    <message>
        <source>Operation failed!</source>
        <translation>操作失败！</translation>
    </message>
</context>
<context>
    <name>MainPanelLogDataForm.ui</name>
    <message>
        <source>Historical Data</source>
        <translation>历史数据</translation>
    </message>
    <message>
        <source>Date Start:</source>
        <translation>开始日期：</translation>
    </message>
    <message>
        <source>Date End:</source>
        <translation>结束日期：</translation>
    </message>
</context>
<context>
    <name>MainPanelScheduleTask</name>
    <message>
        <source>Are you sure to delete this task?</source>
        <translation>确定要删除此任务吗？</translation>
    </message>
</context>
<context>
    <name>MainPanelScheduleTaskForm.ui</name>
    <message>
        <source>Schedule Task</source>
        <translation>计划任务</translation>
    </message>
    <message>
        <source>Add Task</source>
        <translation>添加任务</translation>
    </message>
</context>
<context>
    <name>MainPanelSettings</name>
    <message>
        <source>Common Parameters</source>
        <translation>常规参数</translation>
    </message>
    <message>
        <source>E-Mail</source>
        <translation>电子邮件</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>关机</translation>
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
    <name>PageSettingsCommon</name>
    <message>
        <source>Invalid value of %1: &quot;%2&quot;</source>
        <translation>%1 的值无效：“%2”</translation>
    </message>
    <message>
        <source>The file cannot be written: %1</source>
        <translation>无法写入文件：%1</translation>
    </message>
    <message>
        <source>The file cannot be read.</source>
        <translation>无法读取文件。</translation>
    </message>
    <message>
        <source>This is not a regular file.</source>
        <translation>这不是普通文件。</translation>
    </message>
    <message>
        <source>The file is larger than 1 MiB.</source>
        <translation>文件大于 1 MiB。</translation>
    </message>
    <message>
        <source>The file holds no settings.</source>
        <translation>文件中没有设置。</translation>
    </message>
    <message>
        <source>The mail receivers cannot be read from the database: %1</source>
        <translation>无法从数据库读取邮件接收人：%1</translation>
    </message>
    <message>
        <source>The mail receivers cannot be stored in the database: %1</source>
        <translation>无法将邮件接收人保存到数据库：%1</translation>
    </message>
</context>
<context>
    <name>PopupAddEMailUser</name>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>修改</translation>
    </message>
    <message>
        <source>E-Mail Receiver:</source>
        <translation>收件人：</translation>
    </message>
    <message>
        <source>E-Mail address is invalid!</source>
        <translation>电子邮件地址无效！</translation>
    </message>
</context>
<context>
    <name>PopupAddScheduleTask</name>
    <message>
        <source>Add Schedule Task</source>
        <translation>添加计划任务</translation>
    </message>
    <message>
        <source>Modify Schedule Task</source>
        <translation>修改计划任务</translation>
    </message>
    <message>
        <source>Invalid time! Hours 0~23, minutes and seconds 0~59.</source>
        <translation>时间无效！小时 0~23，分钟和秒 0~59。</translation>
    </message>
</context>
<context>
    <name>PopupAddScheduleTaskForm.ui</name>
    <message>
        <source>Task Type:</source>
        <translation>任务类型：</translation>
    </message>
    <message>
        <source>Self-test for 10S</source>
        <translation>自检10秒</translation>
    </message>
    <message>
        <source>Self-test to EOD</source>
        <translation>自检至放电终止</translation>
    </message>
    <message>
        <source>UPS Power on</source>
        <translation>UPS开机</translation>
    </message>
    <message>
        <source>Shutdown system and close UPS</source>
        <translation>关闭系统和UPS</translation>
    </message>
    <message>
        <source>Execute Time:</source>
        <translation>执行时间：</translation>
    </message>
    <message>
        <source>Execute Cyle:</source>
        <translation>执行周期：</translation>
    </message>
    <message>
        <source>One Shoot</source>
        <translation>单次</translation>
    </message>
    <message>
        <source>Every day</source>
        <translation>每天</translation>
    </message>
    <message>
        <source>Every Week</source>
        <translation>每周</translation>
    </message>
    <message>
        <source>Every Month</source>
        <translation>每月</translation>
    </message>
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
    <name>PopupSetEMailSender</name>
    <message>
        <source>E-Mail Sender</source>
        <translation>发件人</translation>
    </message>
    <message>
        <source>Account:</source>
        <translation>账户：</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>密码：</translation>
    </message>
    <message>
        <source>Sure</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>User account is invalid!</source>
        <translation>用户账户无效！</translation>
    </message>
</context>
<context>
    <name>ScheduleTaskListDelegate</name>
    <message>
        <source>One Shoot</source>
        <translation>单次</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>每天</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>每周</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>每月</translation>
    </message>
    <message>
        <source>Unkown code: </source>
        <translation>未知代码：</translation>
    </message>
    <message>
        <source>Self-test for 10 secords</source>
        <translation>自检10秒</translation>
    </message>
    <message>
        <source>Self-test to EOD</source>
        <translation>自检至放电终止</translation>
    </message>
    <message>
        <source>UPS Power on</source>
        <translation>UPS开机</translation>
    </message>
    <message>
        <source>System shutdown and close UPS</source>
        <translation>关闭系统并关闭UPS</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>开</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>关</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>修改</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
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
    <name>SettingsCommon</name>
    <message>
        <source>Failed to open port: </source>
        <translation>无法打开端口：</translation>
    </message>
    <message>
        <source>Operation finished!</source>
        <translation>操作完成！</translation>
    </message>
    <message>
        <source>Look for...</source>
        <translation>浏览...</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>另存为...</translation>
    </message>
    <message>
        <source>Configuration files (*.conf)</source>
        <translation>配置文件 (*.conf)</translation>
    </message>
    <message>
        <source>Are you sure to restore settings?!</source>
        <translation>确定要恢复默认设置吗？</translation>
    </message>
    <message>
        <source>Operation failed!</source>
        <translation>操作失败！</translation>
    </message>
</context>
<context>
    <name>SettingsCommonForm.ui</name>
    <message>
        <source>Base Parameter</source>
        <translation>基本参数</translation>
    </message>
    <message>
        <source>UPS Communication Type:</source>
        <translation>UPS通信方式：</translation>
    </message>
    <message>
        <source>COM port:</source>
        <translation>串口：</translation>
    </message>
    <message>
        <source>Record data interval(Sec):</source>
        <translation>数据记录间隔(秒)：</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>语言：</translation>
    </message>
    <message>
        <source>Following System Language</source>
        <translation>跟随系统语言</translation>
    </message>
    <message>
        <source>Settings Management</source>
        <translation>设置管理</translation>
    </message>
    <message>
        <source>Settings Import:</source>
        <translation>导入设置：</translation>
    </message>
    <message>
        <source>Look for...</source>
        <translation>浏览...</translation>
    </message>
    <message>
        <source>Settings Export:</source>
        <translation>导出设置：</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>另存为...</translation>
    </message>
    <message>
        <source>Restore Default Settings</source>
        <translation>恢复默认设置</translation>
    </message>
    <message>
        <source>Open Path</source>
        <translation>打开目录</translation>
    </message>
    <message>
        <source>Version Information</source>
        <translation>版本信息</translation>
    </message>
    <message>
        <source> version:</source>
        <translation> 版本：</translation>
    </message>
    <message>
        <source>USB HID version:</source>
        <translation>USB HID版本：</translation>
    </message>
</context>
<context>
    <name>SettingsEMail</name>
    <message>
        <source>Sending test E-Mail...</source>
        <translation>正在发送测试邮件...</translation>
    </message>
    <message>
        <source>E-Mail has been sent.</source>
        <translation>邮件已发送。</translation>
    </message>
    <message>
        <source>Failed to send test E-Mail!</source>
        <translation>测试邮件发送失败！</translation>
    </message>
    <message>
        <source>E-Mail address is invalid!</source>
        <translation>电子邮件地址无效！</translation>
    </message>
</context>
<context>
    <name>SettingsEMailForm.ui</name>
    <message>
        <source>E-Mail</source>
        <translation>电子邮件</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>开</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>关</translation>
    </message>
    <message>
        <source>Sender Information</source>
        <translation>发件人信息</translation>
    </message>
    <message>
        <source>Sender Name:</source>
        <translation>发件人名称：</translation>
    </message>
    <message>
        <source>Sender Address:</source>
        <translation>发件人地址：</translation>
    </message>
    <message>
        <source>Server Address:</source>
        <translation>服务器地址：</translation>
    </message>
    <message>
        <source>Server Port:</source>
        <translation>服务器端口：</translation>
    </message>
    <message>
        <source>Encrypt:</source>
        <translation>加密方式：</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Account authentication:</source>
        <translation>账户认证：</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Send Test Mail</source>
        <translation>发送测试邮件</translation>
    </message>
    <message>
        <source>E-mail Address</source>
        <translation>电子邮件地址</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>修改</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Daily Report Send Time(HH:MM:SS): </source>
        <translation>每日报告发送时间(时:分:秒)：</translation>
    </message>
</context>
<context>
    <name>SettingsRules</name>
    <message>
        <source>Invalid value! Enter a number from %1 to %2.</source>
        <translation>值无效！请输入 %1 到 %2 之间的数字。</translation>
    </message>
</context>
<context>
    <name>SettingsShutdown</name>
    <message>
        <source>Browse</source>
        <translation>浏览</translation>
    </message>
</context>
<context>
    <name>SettingsShutdownForm.ui</name>
    <message>
        <source>Ambrel power control</source>
        <translation>Ambrel电源控制</translation>
    </message>
    <message>
        <source>After main AC fault, shutdown system in(0~2880)</source>
        <translation>市电故障后，系统关机延时(0~2880)</translation>
    </message>
    <message>
        <source>minute(s)</source>
        <translation>分钟</translation>
    </message>
    <message>
        <source>If low battery occurred, shutdown system in(0~600)</source>
        <translation>电池电压低时，系统关机延时(0~600)</translation>
    </message>
    <message>
        <source>After main AC fault, shutdown system when battery capacity lower than(1~100)</source>
        <translation>市电故障后，电池容量低于(1~100)时系统关机</translation>
    </message>
    <message>
        <source>Shutdown OS</source>
        <translation>关闭操作系统</translation>
    </message>
    <message>
        <source>Command file to execute:</source>
        <translation>执行命令文件：</translation>
    </message>
    <message>
        <source>Command file:</source>
        <translation>命令文件：</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>浏览</translation>
    </message>
    <message>
        <source>Max. execution time:</source>
        <translation>最长执行时间：</translation>
    </message>
    <message>
        <source>UPS Power Off</source>
        <translation>UPS关机</translation>
    </message>
    <message>
        <source>Times need (1~9)</source>
        <translation>所需时间(1~9)</translation>
    </message>
    <message>
        <source>minute(s) before UPS turns off</source>
        <translation>分钟后UPS关闭</translation>
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
    <message>
        <source>Readings, alarms and tasks cannot be kept: the database reports &quot;%1&quot;.</source>
        <translation>无法保存测量数据、告警和任务：数据库报告“%1”。</translation>
    </message>
    <message>
        <source>Rows dropped while it was locked: %1</source>
        <translation>数据库被锁定期间丢弃的记录：%1</translation>
    </message>
</context>
</TS>
