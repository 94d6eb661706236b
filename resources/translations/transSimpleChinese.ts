<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;body style=&quot;font-size:9pt;&quot;&gt;&lt;p align=&quot;center&quot;&gt;&lt;span style=&quot;font-size:16pt; font-weight:700;&quot;&gt;PLAX&lt;/span&gt;&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;&lt;br /&gt;&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;Version:3.4.4&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;A toolbox for testing electronic modules, by Quenlix.&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;&lt;br /&gt;&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;Web: www.quenlix.com&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;Docs: docs.quenlix.com&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;Shop: shop.quenlix.com&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;body style=&quot;font-size:9pt;&quot;&gt;&lt;p align=&quot;center&quot;&gt;&lt;span style=&quot;font-size:16pt; font-weight:700;&quot;&gt;PLAX&lt;/span&gt;&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;&lt;br /&gt;&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;版本：3.4.4&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;Quenlix 出品的电子模块测试工具箱。&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;&lt;br /&gt;&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;网站：www.quenlix.com&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;文档：docs.quenlix.com&lt;/p&gt;&lt;p align=&quot;center&quot;&gt;商店：shop.quenlix.com&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>COM_Expand</name>
    <message>
        <source>Dialog</source>
        <translation>预设命令</translation>
    </message>
    <message>
        <source>Save Config</source>
        <translation>保存设置</translation>
    </message>
</context>
<context>
    <name>Config</name>
    <message>
        <source>Serial</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>UDP</source>
        <translation>UDP</translation>
    </message>
    <message>
        <source>TCP</source>
        <translation>TCP</translation>
    </message>
    <message>
        <source>GPS</source>
        <translation>GPS</translation>
    </message>
    <message>
        <source>GSM</source>
        <translation>GSM</translation>
    </message>
    <message>
        <source>UNICODE</source>
        <translation>UNICODE</translation>
    </message>
    <message>
        <source>Environment</source>
        <translation>环境传感器</translation>
    </message>
    <message>
        <source>Crypty</source>
        <translation>加密解密</translation>
    </message>
    <message>
        <source>Oscilloscope</source>
        <translation>示波器</translation>
    </message>
    <message>
        <source>MQTT</source>
        <translation>MQTT</translation>
    </message>
    <message>
        <source>Ble</source>
        <translation>Ble</translation>
    </message>
    <message>
        <source>Spectra</source>
        <translation>光谱</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>单位换算</translation>
    </message>
    <message>
        <source>i2cdump</source>
        <translation>i2cdump</translation>
    </message>
    <message>
        <source>TOF</source>
        <translation>TOF</translation>
    </message>
    <message>
        <source>Modbus</source>
        <translation>Modbus</translation>
    </message>
    <message>
        <source>Hextools</source>
        <translation>十六进制工具</translation>
    </message>
    <message>
        <source>CIE</source>
        <translation>CIE</translation>
    </message>
    <message>
        <source>IMU</source>
        <translation>IMU</translation>
    </message>
    <message>
        <source>Config</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Function selection</source>
        <translation>功能选择</translation>
    </message>
    <message>
        <source>OpenStreet Map</source>
        <translation>OpenStreetMap 地图</translation>
    </message>
    <message>
        <source>Baidu Map</source>
        <translation>百度地图</translation>
    </message>
    <message>
        <source>Auto scan serial port</source>
        <translation>自动扫描串口</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>CustomWebPage</name>
    <message>
        <source>Message</source>
        <translation>提示</translation>
    </message>
</context>
<context>
    <name>Device</name>
    <message>
        <source>Writing the characteristic failed.</source>
        <translation>写入特征值失败。</translation>
    </message>
    <message>
        <source>Writing the descriptor failed: notifications or indications were not switched.</source>
        <translation>写入描述符失败：通知或指示未能切换。</translation>
    </message>
    <message>
        <source>Reading the characteristic failed.</source>
        <translation>读取特征值失败。</translation>
    </message>
    <message>
        <source>Reading the descriptor failed.</source>
        <translation>读取描述符失败。</translation>
    </message>
    <message>
        <source>The service is not ready for this request.</source>
        <translation>服务尚未就绪，无法处理此请求。</translation>
    </message>
    <message>
        <source>The service reported an error.</source>
        <translation>服务报告了一个错误。</translation>
    </message>
</context>
<context>
    <name>GPScalculate</name>
    <message>
        <source>GPS calculation</source>
        <translation>GPS 计算</translation>
    </message>
    <message>
        <source>Original longitude:</source>
        <translation>起点经度：</translation>
    </message>
    <message>
        <source>Original latitude:</source>
        <translation>起点纬度：</translation>
    </message>
    <message>
        <source>Target longitude:</source>
        <translation>终点经度：</translation>
    </message>
    <message>
        <source>Target latitude:</source>
        <translation>终点纬度：</translation>
    </message>
    <message>
        <source>result:</source>
        <translation>结果：</translation>
    </message>
    <message>
        <source>Km</source>
        <translation>km</translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation>计算</translation>
    </message>
    <message>
        <source>close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>UTM Conversions</source>
        <translation>UTM 坐标转换</translation>
    </message>
    <message>
        <source>longitude:</source>
        <translation>经度：</translation>
    </message>
    <message>
        <source>latitude:</source>
        <translation>纬度：</translation>
    </message>
    <message>
        <source>UTM Northing:</source>
        <translation>UTM 北向坐标：</translation>
    </message>
    <message>
        <source>UTM Easting:</source>
        <translation>UTM 东向坐标：</translation>
    </message>
    <message>
        <source>UTM Zone:</source>
        <translation>UTM 带号：</translation>
    </message>
    <message>
        <source>UNIT:meters</source>
        <translation>单位：米</translation>
    </message>
</context>
<context>
    <name>GPSsignal</name>
    <message>
        <source>GPS Signal</source>
        <translation>GPS 信号</translation>
    </message>
    <message>
        <source>close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>GPS:</source>
        <translation>GPS:</translation>
    </message>
    <message>
        <source>Environment:</source>
        <translation>环境传感器：</translation>
    </message>
    <message>
        <source>Oscilloscope:</source>
        <translation>示波器：</translation>
    </message>
    <message>
        <source>Spectra:</source>
        <translation>光谱：</translation>
    </message>
    <message>
        <source>TOF:</source>
        <translation>TOF:</translation>
    </message>
    <message>
        <source>CIE:</source>
        <translation>CIE:</translation>
    </message>
    <message>
        <source>IMU:</source>
        <translation>IMU:</translation>
    </message>
    <message>
        <source>TCP server receive format:</source>
        <translation>TCP 服务器接收格式：</translation>
    </message>
    <message>
        <source>Latitude:xx.xxxxx,Longitude:xxx.xxxxx\r\n</source>
        <translation>Latitude:xx.xxxxx,Longitude:xxx.xxxxx\r\n</translation>
    </message>
    <message>
        <source>Latitude:39.92215,Longitude:116.46478\r\n</source>
        <translation>Latitude:39.92215,Longitude:116.46478\r\n</translation>
    </message>
    <message>
        <source>Temperature receive format:</source>
        <translation>温度接收格式：</translation>
    </message>
    <message>
        <source>Temperature:xx.xxC\r\n</source>
        <translation>Temperature:xx.xxC\r\n</translation>
    </message>
    <message>
        <source>Temperature:25.25C\r\n</source>
        <translation>Temperature:25.25C\r\n</translation>
    </message>
    <message>
        <source>Humidity receive format:</source>
        <translation>湿度接收格式：</translation>
    </message>
    <message>
        <source>Humidity:xx.xx%\r\n</source>
        <translation>Humidity:xx.xx%\r\n</translation>
    </message>
    <message>
        <source>Humidity:60.71%\r\n</source>
        <translation>Humidity:60.71%\r\n</translation>
    </message>
    <message>
        <source>Ultraviolet receive format:</source>
        <translation>紫外线接收格式：</translation>
    </message>
    <message>
        <source>Ultraviolet:xxxx\r\n</source>
        <translation>Ultraviolet:xxxx\r\n</translation>
    </message>
    <message>
        <source>Ultraviolet:300\r\n</source>
        <translation>Ultraviolet:300\r\n</translation>
    </message>
    <message>
        <source>CO2 receive format:</source>
        <translation>CO2 接收格式：</translation>
    </message>
    <message>
        <source>CO2:xxxxxppm\r\n</source>
        <translation>CO2:xxxxxppm\r\n</translation>
    </message>
    <message>
        <source>CO2:5000ppm\r\n</source>
        <translation>CO2:5000ppm\r\n</translation>
    </message>
    <message>
        <source>TVOC receive format:</source>
        <translation>TVOC 接收格式：</translation>
    </message>
    <message>
        <source>TVOC:xxxxxppb\r\n</source>
        <translation>TVOC:xxxxxppb\r\n</translation>
    </message>
    <message>
        <source>TVOC:200ppb\r\n</source>
        <translation>TVOC:200ppb\r\n</translation>
    </message>
    <message>
        <source>Barometer receive format:</source>
        <translation>气压接收格式：</translation>
    </message>
    <message>
        <source>Barometer:xxxxPa\r\n</source>
        <translation>Barometer:xxxxPa\r\n</translation>
    </message>
    <message>
        <source>Barometer:1120Pa\r\n</source>
        <translation>Barometer:1120Pa\r\n</translation>
    </message>
    <message>
        <source>Oscilloscope receive format:</source>
        <translation>示波器接收格式：</translation>
    </message>
    <message>
        <source>$0:xxxxx;$1:xxxxx;$2:xxxxx;$3:xxxxx;\r\n</source>
        <translation>$0:xxxxx;$1:xxxxx;$2:xxxxx;$3:xxxxx;\r\n</translation>
    </message>
    <message>
        <source>$0:34;$1:548;$2:0.547;$3:-1.579;\r\n</source>
        <translation>$0:34;$1:548;$2:0.547;$3:-1.579;\r\n</translation>
    </message>
    <message>
        <source>Spectra receive format(int):</source>
        <translation>光谱接收格式（整数）：</translation>
    </message>
    <message>
        <source>AS7341:</source>
        <translation>AS7341:</translation>
    </message>
    <message>
        <source>F1:xxxx\r\nF2:xxxx\r\nF3:xxxx\r\nF4:xxxx\r\nF5:xxxx\r\nF6:xxxx\r\nF7:xxxx\r\nF8:xxxx\r\nNIR:xxxx\r\n</source>
        <translation>F1:xxxx\r\nF2:xxxx\r\nF3:xxxx\r\nF4:xxxx\r\nF5:xxxx\r\nF6:xxxx\r\nF7:xxxx\r\nF8:xxxx\r\nNIR:xxxx\r\n</translation>
    </message>
    <message>
        <source>F1:47\r\nF2:1000\r\nF3:570\r\nF4:170\r\nF5:50\r\nF6:70\r\nF7:140\r\nF8:68\r\nNIR:130\r\n</source>
        <translation>F1:47\r\nF2:1000\r\nF3:570\r\nF4:170\r\nF5:50\r\nF6:70\r\nF7:140\r\nF8:68\r\nNIR:130\r\n</translation>
    </message>
    <message>
        <source>AS7343:</source>
        <translation>AS7343:</translation>
    </message>
    <message>
        <source>F1:xxxx\r\nF2:xxxx\r\nF3:xxxx\r\nF4:xxxx\r\nF5:xxxx\r\nF6:xxxx\r\nF7:xxxx\r\nF8:xxxx\r\nNIR:xxxx\r\nFXL:xxxx\r\nFZ:xxxx\r\nFY:xxxx\r\n</source>
        <translation>F1:xxxx\r\nF2:xxxx\r\nF3:xxxx\r\nF4:xxxx\r\nF5:xxxx\r\nF6:xxxx\r\nF7:xxxx\r\nF8:xxxx\r\nNIR:xxxx\r\nFXL:xxxx\r\nFZ:xxxx\r\nFY:xxxx\r\n</translation>
    </message>
    <message>
        <source>F1:47\r\nF2:1000\r\nF3:570\r\nF4:170\r\nF5:50\r\nF6:70\r\nF7:140\r\nF8:68\r\nNIR:130\r\nFXL:687\r\nFZ:23\r\nFY:11\r\n</source>
        <translation>F1:47\r\nF2:1000\r\nF3:570\r\nF4:170\r\nF5:50\r\nF6:70\r\nF7:140\r\nF8:68\r\nNIR:130\r\nFXL:687\r\nFZ:23\r\nFY:11\r\n</translation>
    </message>
    <message>
        <source>AS7265X:</source>
        <translation>AS7265X:</translation>
    </message>
    <message>
        <source>F1:xxxx\r\nF2:xxxx\r\nF3:xxxx\r\nF4:xxxx\r\nF5:xxxx\r\nF6:xxxx\r\nF7:xxxx\r\nF8:xxxx\r\nF9:xxxx\r\nF10:xxxx\r\nF11:xxxx\r\nF12:xxxx\r\nF13:xxxx\r\nF14:xxxx\r\nF15:xxxx\r\nF16:xxxx\r\nF17:xxxx\r\nF18:xxxx\r\n</source>
        <translation>F1:xxxx\r\nF2:xxxx\r\nF3:xxxx\r\nF4:xxxx\r\nF5:xxxx\r\nF6:xxxx\r\nF7:xxxx\r\nF8:xxxx\r\nF9:xxxx\r\nF10:xxxx\r\nF11:xxxx\r\nF12:xxxx\r\nF13:xxxx\r\nF14:xxxx\r\nF15:xxxx\r\nF16:xxxx\r\nF17:xxxx\r\nF18:xxxx\r\n</translation>
    </message>
    <message>
        <source>F1:47\r\nF2:1000\r\nF3:570\r\nF4:170\r\nF5:50\r\nF6:70\r\nF7:140\r\nF8:68\r\nF9:130\r\nF10:687\r\nF11:23\r\nF12:11\r\nF13:247\r\nF14:874\r\nF15:12\r\nF16:77\r\nF17:726\r\nF18:814\r\n</source>
        <translation>F1:47\r\nF2:1000\r\nF3:570\r\nF4:170\r\nF5:50\r\nF6:70\r\nF7:140\r\nF8:68\r\nF9:130\r\nF10:687\r\nF11:23\r\nF12:11\r\nF13:247\r\nF14:874\r\nF15:12\r\nF16:77\r\nF17:726\r\nF18:814\r\n</translation>
    </message>
    <message>
        <source>TOF receive format(int):</source>
        <translation>TOF 接收格式（整数）：</translation>
    </message>
    <message>
        <source>xxxx,xxxx,xxxx,xxxx,xxxx,xxxx,xxxx,xxxx,xxxx,xxxx,xxxx,xxxx...xxxx,xxxx,\r\n</source>
        <translation>xxxx,xxxx,xxxx,xxxx,xxxx,xxxx,xxxx,xxxx,xxxx,xxxx,xxxx,xxxx...xxxx,xxxx,\r\n</translation>
    </message>
    <message>
        <source>2215,4478 ... 784,465\r\n</source>
        <translation>2215,4478 ... 784,465\r\n</translation>
    </message>
    <message>
        <source>CIE receive format(float):</source>
        <translation>CIE 接收格式（浮点数）：</translation>
    </message>
    <message>
        <source>CIEX:x.xxxxx;CIEY:x.xxxxx;LUX:xxxx.xxxx;CCT:xxx.xxxx\r\n</source>
        <translation>CIEX:x.xxxxx;CIEY:x.xxxxx;LUX:xxxx.xxxx;CCT:xxx.xxxx\r\n</translation>
    </message>
    <message>
        <source>CIEX:0.587309;CIEY:0.424433;LUX:682.496000;CCT:1763.247393\r\n</source>
        <translation>CIEX:0.587309;CIEY:0.424433;LUX:682.496000;CCT:1763.247393\r\n</translation>
    </message>
    <message>
        <source>IMU receive format(float):</source>
        <translation>IMU 接收格式（浮点数）：</translation>
    </message>
    <message>
        <source>W:x.xxxxx;X:x.xxxxx;Y:xxxx.xxxx;Z:xxx.xxxx\r\n</source>
        <translation>W:x.xxxxx;X:x.xxxxx;Y:xxxx.xxxx;Z:xxx.xxxx\r\n</translation>
    </message>
    <message>
        <source>W:0.587309;X:0.424433;Y:682.496000;Z:63.247393\r\n</source>
        <translation>W:0.587309;X:0.424433;Y:682.496000;Z:63.247393\r\n</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>eg.:</source>
        <translation>示例：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>I2CDump_ReadREG</name>
    <message>
        <source>I2C Read Reg</source>
        <translation>I2C 读寄存器</translation>
    </message>
    <message>
        <source>register addr:</source>
        <translation>寄存器地址：</translation>
    </message>
    <message>
        <source>length:</source>
        <translation>长度：</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读取</translation>
    </message>
    <message>
        <source>close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>I2CDump_WriteREG</name>
    <message>
        <source>I2C Write Reg</source>
        <translation>I2C 写寄存器</translation>
    </message>
    <message>
        <source>register addr:</source>
        <translation>寄存器地址：</translation>
    </message>
    <message>
        <source>e.g.: 0x12,0x34,0xab</source>
        <translation>例如：0x12,0x34,0xab</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>LineFileSender</name>
    <message>
        <source>the port was closed</source>
        <translation>串口已关闭</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Edit(&amp;E)</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>About(&amp;A)</source>
        <translation>关于(&amp;A)</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>首选项</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Check Update</source>
        <translation>检查更新</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Serial No.</source>
        <translation>串口号</translation>
    </message>
    <message>
        <source>Baudrate</source>
        <translation>波特率</translation>
    </message>
    <message>
        <source>Serial Setting</source>
        <translation>串口设置</translation>
    </message>
    <message>
        <source>Send File</source>
        <translation>发送文件</translation>
    </message>
    <message>
        <source>Serial opened</source>
        <translation>串口已打开</translation>
    </message>
    <message>
        <source>Serial closed</source>
        <translation>串口已关闭</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Network connection lost. Please check your network settings.</source>
        <translation>网络连接中断，请检查网络设置。</translation>
    </message>
    <message>
        <source>The update server sent no readable version. Please try again later.</source>
        <translation>更新服务器未返回可读的版本号，请稍后再试。</translation>
    </message>
    <message>
        <source>Already the latest version.</source>
        <translation>已是最新版本。</translation>
    </message>
    <message>
        <source>Found a new version.</source>
        <translation>发现新版本。</translation>
    </message>
    <message>
        <source>Config</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>The settings were saved, but a new copy of the program could not be started.
They take effect at the next start.</source>
        <translation>设置已保存，但无法启动新的程序实例。
设置将在下次启动时生效。</translation>
    </message>
    <message>
        <source>Quenlix -- PLAX</source>
        <translation>Quenlix -- PLAX</translation>
    </message>
    <message>
        <source>Serial Debug</source>
        <translation>Serial Debug</translation>
    </message>
    <message>
        <source>UDP Debug</source>
        <translation>UDP Debug</translation>
    </message>
    <message>
        <source>TCP Debug</source>
        <translation>TCP Debug</translation>
    </message>
    <message>
        <source>GPS Debug</source>
        <translation>GPS Debug</translation>
    </message>
    <message>
        <source>GSM Debug</source>
        <translation>GSM Debug</translation>
    </message>
    <message>
        <source>Unicode</source>
        <translation>Unicode</translation>
    </message>
    <message>
        <source>Environment</source>
        <translation>Environment</translation>
    </message>
    <message>
        <source>Crypty</source>
        <translation>Crypty</translation>
    </message>
    <message>
        <source>Oscilloscope</source>
        <translation>Oscilloscope</translation>
    </message>
    <message>
        <source>MQTT</source>
        <translation>MQTT</translation>
    </message>
    <message>
        <source>Ble</source>
        <translation>Ble</translation>
    </message>
    <message>
        <source>Spectra</source>
        <translation>Spectra</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>i2cdump</source>
        <translation>i2cdump</translation>
    </message>
    <message>
        <source>TOF</source>
        <translation>TOF</translation>
    </message>
    <message>
        <source>Modbus</source>
        <translation>Modbus</translation>
    </message>
    <message>
        <source>Hex</source>
        <translation>Hex</translation>
    </message>
    <message>
        <source>CIE</source>
        <translation>CIE</translation>
    </message>
    <message>
        <source>IMU</source>
        <translation>IMU</translation>
    </message>
    <message>
        <source>More</source>
        <translation>More</translation>
    </message>
    <message>
        <source>Success for send the data in the file</source>
        <translation>文件中的数据已发送</translation>
    </message>
    <message>
        <source>Send file failed: %1</source>
        <translation>发送文件失败：%1</translation>
    </message>
    <message>
        <source>Successfully read %1 byte data</source>
        <translation>成功读取 %1 字节数据</translation>
    </message>
    <message>
        <source>The input data format is wrong!</source>
        <translation>输入的数据格式有误！</translation>
    </message>
    <message>
        <source>Send failed: %1</source>
        <translation>发送失败：%1</translation>
    </message>
    <message>
        <source>Send Success</source>
        <translation>发送成功</translation>
    </message>
    <message>
        <source>Read file</source>
        <translation>读取文件</translation>
    </message>
    <message>
        <source>Open failed: Failed to open this file, this may be due to insufficient permissions.</source>
        <translation>打开失败：无法打开此文件，可能是权限不足。</translation>
    </message>
    <message>
        <source>Receive Data</source>
        <translation>接收数据</translation>
    </message>
    <message>
        <source>Data Bits</source>
        <translation>数据位</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>校验位</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>奇校验</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>偶校验</translation>
    </message>
    <message>
        <source>Mark</source>
        <translation>标记校验</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>空格校验</translation>
    </message>
    <message>
        <source>Stop Bits</source>
        <translation>停止位</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Clear Receive</source>
        <translation>清空接收</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>高级</translation>
    </message>
    <message>
        <source>RTS</source>
        <translation>RTS</translation>
    </message>
    <message>
        <source>DTR</source>
        <translation>DTR</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间戳</translation>
    </message>
    <message>
        <source>Send Data</source>
        <translation>发送数据</translation>
    </message>
    <message>
        <source>Hex to Send</source>
        <translation>十六进制发送</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;以十六进制方式发送数据（默认为字符方式）&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;以十六进制方式发送数据（默认为字符方式）&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Keep Send</source>
        <translation>定时发送</translation>
    </message>
    <message>
        <source>Interval(MS)</source>
        <translation>间隔(ms)</translation>
    </message>
    <message>
        <source>Clear Sendbox</source>
        <translation>清空发送区</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>计数</translation>
    </message>
    <message>
        <source>send</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>已发送的字符</source>
        <translation>已发送的字符</translation>
    </message>
    <message>
        <source>receive</source>
        <translation>接收</translation>
    </message>
    <message>
        <source>已接收字节数</source>
        <translation>已接收字节数</translation>
    </message>
    <message>
        <source>Clear Count</source>
        <translation>计数清零</translation>
    </message>
    <message>
        <source>Serial failed to open, The serial does not exist or already used.</source>
        <translation>串口打开失败：串口不存在或已被占用。</translation>
    </message>
    <message>
        <source>Serial closed, the port failed: %1</source>
        <translation>串口已关闭，端口出错：%1</translation>
    </message>
    <message>
        <source>No Data</source>
        <translation>无数据</translation>
    </message>
    <message>
        <source>Enable Keep sending</source>
        <translation>已开启定时发送</translation>
    </message>
    <message>
        <source>Disable Keep sending</source>
        <translation>已关闭定时发送</translation>
    </message>
    <message>
        <source>Counter has been cleared</source>
        <translation>计数已清零</translation>
    </message>
    <message>
        <source>Receive has been cleared</source>
        <translation>接收区已清空</translation>
    </message>
    <message>
        <source>Send has been cleared</source>
        <translation>发送区已清空</translation>
    </message>
    <message>
        <source>No data need to save</source>
        <translation>没有需要保存的数据</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>Save failed:Open file %1 failed, can&apos;t save
%2</source>
        <translation>保存失败：无法打开文件 %1，不能保存
%2</translation>
    </message>
    <message>
        <source>Load failed: file size is %1 bytes, Exceeded the limit size 10000 bytes</source>
        <translation>加载失败：文件大小为 %1 字节，超过了 10000 字节的上限</translation>
    </message>
    <message>
        <source>Success for read the data in the file</source>
        <translation>已读取文件中的数据</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>启动</translation>
    </message>
    <message>
        <source>warning:</source>
        <translation>警告：</translation>
    </message>
    <message>
        <source>Port is empty!</source>
        <translation>端口为空！</translation>
    </message>
    <message>
        <source>Port must be a whole number from 1 to 65535!</source>
        <translation>端口必须是 1 到 65535 之间的整数！</translation>
    </message>
    <message>
        <source>Server failed to start: %1</source>
        <translation>服务器启动失败：%1</translation>
    </message>
    <message>
        <source>Server has started</source>
        <translation>服务器已启动</translation>
    </message>
    <message>
        <source>new client: </source>
        <translation>新客户端：</translation>
    </message>
    <message>
        <source>%1 joined</source>
        <translation>%1 已加入</translation>
    </message>
    <message>
        <source>client: </source>
        <translation>客户端：</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>%1 已离开</translation>
    </message>
    <message>
        <source>Server has stopped</source>
        <translation>服务器已停止</translation>
    </message>
    <message>
        <source>IP or Port is empty!</source>
        <translation>IP 或端口为空！</translation>
    </message>
    <message>
        <source>Connected to TCP server</source>
        <translation>已连接到 TCP 服务器</translation>
    </message>
    <message>
        <source>Disconnected TCP server</source>
        <translation>已断开 TCP 服务器</translation>
    </message>
    <message>
        <source>No server found</source>
        <translation>未找到服务器</translation>
    </message>
    <message>
        <source>TCP receive </source>
        <translation>TCP 接收 </translation>
    </message>
    <message>
        <source>from:%1:%2</source>
        <translation>来自：%1:%2</translation>
    </message>
    <message>
        <source>TCP Setting</source>
        <translation>TCP 设置</translation>
    </message>
    <message>
        <source>Mode:</source>
        <translation>模式：</translation>
    </message>
    <message>
        <source>TCP Server</source>
        <translation>TCP 服务器</translation>
    </message>
    <message>
        <source>TCP Client</source>
        <translation>TCP 客户端</translation>
    </message>
    <message>
        <source>Local IP:</source>
        <translation>本地 IP：</translation>
    </message>
    <message>
        <source>Local Port:</source>
        <translation>本地端口：</translation>
    </message>
    <message>
        <source>1000</source>
        <translation>1000</translation>
    </message>
    <message>
        <source>Remote IP:</source>
        <translation>远程 IP：</translation>
    </message>
    <message>
        <source>127.0.0.1</source>
        <translation>127.0.0.1</translation>
    </message>
    <message>
        <source>Remote Port:</source>
        <translation>远程端口：</translation>
    </message>
    <message>
        <source>Local port must be a whole number from 1 to 65535!</source>
        <translation>本地端口必须是 1 到 65535 之间的整数！</translation>
    </message>
    <message>
        <source>Remote IP or port is invalid!</source>
        <translation>远程 IP 或端口无效！</translation>
    </message>
    <message>
        <source>UDP failed to listen: %1</source>
        <translation>UDP 监听失败：%1</translation>
    </message>
    <message>
        <source>UDP starts listening</source>
        <translation>UDP 开始监听</translation>
    </message>
    <message>
        <source>UDP stop listening</source>
        <translation>UDP 停止监听</translation>
    </message>
    <message>
        <source>UDP receive </source>
        <translation>UDP 接收 </translation>
    </message>
    <message>
        <source>UDP Setting</source>
        <translation>UDP 设置</translation>
    </message>
    <message>
        <source>Unable to save GPS data.</source>
        <translation>无法保存 GPS 数据。</translation>
    </message>
    <message>
        <source>invalid port</source>
        <translation>端口无效</translation>
    </message>
    <message>
        <source>New client: </source>
        <translation>新客户端：</translation>
    </message>
    <message>
        <source>%1 Joined</source>
        <translation>%1 已加入</translation>
    </message>
    <message>
        <source>Client: </source>
        <translation>客户端：</translation>
    </message>
    <message>
        <source>%1 Left</source>
        <translation>%1 已离开</translation>
    </message>
    <message>
        <source>COM</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>TCP</source>
        <translation>TCP</translation>
    </message>
    <message>
        <source>Save latitude and longitude</source>
        <translation>保存经纬度</translation>
    </message>
    <message>
        <source>Track the GPS moving map</source>
        <translation>地图跟随 GPS 位置</translation>
    </message>
    <message>
        <source>Navigation</source>
        <translation>导航</translation>
    </message>
    <message>
        <source>Import  track</source>
        <translation>导入轨迹</translation>
    </message>
    <message>
        <source>Calculation</source>
        <translation>计算</translation>
    </message>
    <message>
        <source>Signal</source>
        <translation>信号</translation>
    </message>
    <message>
        <source>GPS information</source>
        <translation>GPS 信息</translation>
    </message>
    <message>
        <source>UTC:</source>
        <translation>UTC 时间：</translation>
    </message>
    <message>
        <source>Latitude:</source>
        <translation>纬度：</translation>
    </message>
    <message>
        <source>Longitude:</source>
        <translation>经度：</translation>
    </message>
    <message>
        <source>Location state:</source>
        <translation>定位状态：</translation>
    </message>
    <message>
        <source>Use satellite:</source>
        <translation>使用卫星数：</translation>
    </message>
    <message>
        <source>Altitude:</source>
        <translation>海拔：</translation>
    </message>
    <message>
        <source>Location factor:</source>
        <translation>位置精度因子：</translation>
    </message>
    <message>
        <source>Level factor:</source>
        <translation>水平精度因子：</translation>
    </message>
    <message>
        <source>Vertical factor:</source>
        <translation>垂直精度因子：</translation>
    </message>
    <message>
        <source>Speed:</source>
        <translation>速度：</translation>
    </message>
    <message>
        <source>GPS satellite:</source>
        <translation>GPS 卫星：</translation>
    </message>
    <message>
        <source>Beidou satellite:</source>
        <translation>北斗卫星：</translation>
    </message>
    <message>
        <source>Serial Message</source>
        <translation>串口消息</translation>
    </message>
    <message>
        <source>read</source>
        <translation>读取</translation>
    </message>
    <message>
        <source>Initialization completed</source>
        <translation>初始化完成</translation>
    </message>
    <message>
        <source>No response from the modem</source>
        <translation>模块无响应</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>No response</source>
        <translation>无响应</translation>
    </message>
    <message>
        <source>Already cleared</source>
        <translation>已清空</translation>
    </message>
    <message>
        <source>call ended</source>
        <translation>通话已结束</translation>
    </message>
    <message>
        <source>Call</source>
        <translation>拨号</translation>
    </message>
    <message>
        <source>Calling...</source>
        <translation>正在呼叫…</translation>
    </message>
    <message>
        <source>Info: </source>
        <translation>信息：</translation>
    </message>
    <message>
        <source>Error: </source>
        <translation>错误：</translation>
    </message>
    <message>
        <source>busy</source>
        <translation>忙碌</translation>
    </message>
    <message>
        <source>Have a new call:</source>
        <translation>有新来电：</translation>
    </message>
    <message>
        <source>Answer call</source>
        <translation>接听</translation>
    </message>
    <message>
        <source>Have new SMS, SMS box:: </source>
        <translation>有新短信，短信位置：</translation>
    </message>
    <message>
        <source>Call phone</source>
        <translation>拨打电话</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清空</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>挂断</translation>
    </message>
    <message>
        <source>Auto Redial</source>
        <translation>自动重拨</translation>
    </message>
    <message>
        <source>Check signal</source>
        <translation>查询信号</translation>
    </message>
    <message>
        <source>Send SMS</source>
        <translation>发送短信</translation>
    </message>
    <message>
        <source>Phone number</source>
        <translation>电话号码</translation>
    </message>
    <message>
        <source>Please enter the SMS content</source>
        <translation>请输入短信内容</translation>
    </message>
    <message>
        <source>Read SMS</source>
        <translation>读取短信</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读取</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation>全部删除</translation>
    </message>
    <message>
        <source>GPRS Test - TCP Client</source>
        <translation>GPRS 测试 - TCP 客户端</translation>
    </message>
    <message>
        <source>Server IP:</source>
        <translation>服务器 IP：</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>端口：</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Function switch</source>
        <translation>功能开关</translation>
    </message>
    <message>
        <source>Show Caller</source>
        <translation>来电显示</translation>
    </message>
    <message>
        <source>Call Music</source>
        <translation>通话音乐</translation>
    </message>
    <message>
        <source>SMS text mode</source>
        <translation>短信文本模式</translation>
    </message>
    <message>
        <source>Successfully deleted</source>
        <translation>删除成功</translation>
    </message>
    <message>
        <source>SMS sent failed</source>
        <translation>短信发送失败</translation>
    </message>
    <message>
        <source>SMS sent successfully</source>
        <translation>短信发送成功</translation>
    </message>
    <message>
        <source>CO₂</source>
        <translation>CO₂</translation>
    </message>
    <message>
        <source>TVOC</source>
        <translation>TVOC</translation>
    </message>
    <message>
        <source>Ultraviolet:</source>
        <translation>紫外线：</translation>
    </message>
    <message>
        <source>Humidity:</source>
        <translation>湿度：</translation>
    </message>
    <message>
        <source>Temperature:</source>
        <translation>温度：</translation>
    </message>
    <message>
        <source>CO₂:</source>
        <translation>CO₂:</translation>
    </message>
    <message>
        <source>Barometer:</source>
        <translation>气压：</translation>
    </message>
    <message>
        <source>TVOC:</source>
        <translation>TVOC:</translation>
    </message>
    <message>
        <source>I2C frame not sent: %1</source>
        <translation>I2C 帧未发送：%1</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Invalid input format. Please enter the correct format (e.g., 0x01,0x34,0xab)</source>
        <translation>输入格式无效，请按正确格式输入（例如 0x01,0x34,0xab）</translation>
    </message>
    <message>
        <source>Too many bytes: at most %1 can be written at once.</source>
        <translation>字节数过多：一次最多写入 %1 字节。</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>扫描</translation>
    </message>
    <message>
        <source>Read Reg</source>
        <translation>读寄存器</translation>
    </message>
    <message>
        <source>Write Reg</source>
        <translation>写寄存器</translation>
    </message>
    <message>
        <source>Quaternions:</source>
        <translation>四元数：</translation>
    </message>
    <message>
        <source>w:</source>
        <translation>w:</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>Z:</source>
        <translation>Z:</translation>
    </message>
    <message>
        <source>Euler Angles:</source>
        <translation>欧拉角：</translation>
    </message>
    <message>
        <source>Roll:</source>
        <translation>横滚角：</translation>
    </message>
    <message>
        <source>Pitch:</source>
        <translation>俯仰角：</translation>
    </message>
    <message>
        <source>Yaw:</source>
        <translation>偏航角：</translation>
    </message>
    <message>
        <source>Channel 0</source>
        <translation>通道 0</translation>
    </message>
    <message>
        <source>Channel 1</source>
        <translation>通道 1</translation>
    </message>
    <message>
        <source>Channel 2</source>
        <translation>通道 2</translation>
    </message>
    <message>
        <source>Channel 3</source>
        <translation>通道 3</translation>
    </message>
    <message>
        <source>Bar Chart</source>
        <translation>柱状图</translation>
    </message>
    <message>
        <source>Line Chart</source>
        <translation>折线图</translation>
    </message>
    <message>
        <source>LOG</source>
        <translation>日志</translation>
    </message>
    <message>
        <source>Clear Log</source>
        <translation>清空日志</translation>
    </message>
    <message>
        <source>Filter: OFF (RAW)</source>
        <translation>滤波：关（原始数据）</translation>
    </message>
    <message>
        <source>Filter: ON (IIR 3:7)</source>
        <translation>滤波：开（IIR 3:7）</translation>
    </message>
    <message>
        <source>2D</source>
        <translation>2D</translation>
    </message>
    <message>
        <source>3D</source>
        <translation>3D</translation>
    </message>
    <message>
        <source>Depth</source>
        <translation>深度图</translation>
    </message>
    <message>
        <source>Server Address:</source>
        <translation>从站地址：</translation>
    </message>
    <message>
        <source>Function:</source>
        <translation>功能码：</translation>
    </message>
    <message>
        <source>01(Read Coils)</source>
        <translation>01(读线圈)</translation>
    </message>
    <message>
        <source>02(Read Discrete Inputs)</source>
        <translation>02(读离散输入)</translation>
    </message>
    <message>
        <source>03(Read Holding Registers)</source>
        <translation>03(读保持寄存器)</translation>
    </message>
    <message>
        <source>04(Read Input Registers)</source>
        <translation>04(读输入寄存器)</translation>
    </message>
    <message>
        <source>05(Write Single Coil)</source>
        <translation>05(写单个线圈)</translation>
    </message>
    <message>
        <source>06(Write Single Register)</source>
        <translation>06(写单个寄存器)</translation>
    </message>
    <message>
        <source>15(Write Multiple Coils)</source>
        <translation>15(写多个线圈)</translation>
    </message>
    <message>
        <source>16(Write Multiple Registers)</source>
        <translation>16(写多个寄存器)</translation>
    </message>
    <message>
        <source>Starting Address:</source>
        <translation>起始地址：</translation>
    </message>
    <message>
        <source>Quantity:</source>
        <translation>数量：</translation>
    </message>
    <message>
        <source>Registers Value:</source>
        <translation>寄存器值：</translation>
    </message>
    <message>
        <source>Receive</source>
        <translation>接收</translation>
    </message>
    <message>
        <source>Protocol</source>
        <translation>协议</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>主机</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>用户名</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Client ID</source>
        <translation>客户端 ID</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Subscribe Topic</source>
        <translation>订阅主题</translation>
    </message>
    <message>
        <source>Subscribe</source>
        <translation>订阅</translation>
    </message>
    <message>
        <source>Publish Topic</source>
        <translation>发布主题</translation>
    </message>
    <message>
        <source>Publish</source>
        <translation>发布</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>断开</translation>
    </message>
    <message>
        <source>输入错误</source>
        <translation>输入错误</translation>
    </message>
    <message>
        <source>请输入合法的十六进制数据，例如：0x11 0x12 或 0x11,0x12</source>
        <translation>请输入合法的十六进制数据，例如：0x11 0x12 或 0x11,0x12</translation>
    </message>
    <message>
        <source>At most %1 value bytes fit in one request.</source>
        <translation>一次请求最多容纳 %1 个数值字节。</translation>
    </message>
    <message>
        <source>Each value is one byte, 0x00 to 0xFF: %1</source>
        <translation>每个值为一个字节，0x00 到 0xFF：%1</translation>
    </message>
    <message>
        <source>MQTT was disconnected.</source>
        <translation>MQTT 已断开。</translation>
    </message>
    <message>
        <source>MQTT Connected</source>
        <translation>MQTT 已连接</translation>
    </message>
    <message>
        <source>MQTT was disconnected: %1</source>
        <translation>MQTT 已断开：%1</translation>
    </message>
    <message>
        <source>MQTT was not connected.</source>
        <translation>MQTT 未连接。</translation>
    </message>
    <message>
        <source>Topic:%1 was subcribed success.</source>
        <translation>主题 %1 订阅成功。</translation>
    </message>
    <message>
        <source>Topic:%1 was not subscribed.</source>
        <translation>主题 %1 未能订阅。</translation>
    </message>
    <message>
        <source>DES - CBC</source>
        <translation>DES - CBC</translation>
    </message>
    <message>
        <source>DES</source>
        <translation>DES</translation>
    </message>
    <message>
        <source>2DES</source>
        <translation>2DES</translation>
    </message>
    <message>
        <source>3DES</source>
        <translation>3DES</translation>
    </message>
    <message>
        <source>length</source>
        <translation>长度</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>密钥</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>数据</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Encryption</source>
        <translation>加密</translation>
    </message>
    <message>
        <source>Decryption</source>
        <translation>解密</translation>
    </message>
    <message>
        <source>Base64</source>
        <translation>Base64</translation>
    </message>
    <message>
        <source>Encode</source>
        <translation>编码</translation>
    </message>
    <message>
        <source>Decode</source>
        <translation>解码</translation>
    </message>
    <message>
        <source>Chinese To Unicode</source>
        <translation>中文转 Unicode</translation>
    </message>
    <message>
        <source>Unicode To Chinese</source>
        <translation>Unicode 转中文</translation>
    </message>
    <message>
        <source>Prefix &quot;\U&quot;</source>
        <translation>前缀 &quot;\U&quot;</translation>
    </message>
    <message>
        <source>Hex</source>
        <comment>receive view shows bytes</comment>
        <translation>十六进制</translation>
    </message>
    <message>
        <source>The settings file could not be read:
%1
%2
The dialog shows the default settings.</source>
        <translation>无法读取设置文件：
%1
%2
对话框显示的是默认设置。</translation>
    </message>
    <message>
        <source>The settings file could not be written:
%1
%2
The dialog shows the settings not saved yet.</source>
        <translation>无法写入设置文件：
%1
%2
对话框显示的是尚未保存的设置。</translation>
    </message>
    <message>
        <source>The settings could not be saved to
%1
%2
The program keeps running unchanged.</source>
        <translation>无法将设置保存到
%1
%2
程序继续运行，设置保持不变。</translation>
    </message>
    <message>
        <source>Save Config</source>
        <translation>保存设置</translation>
    </message>
</context>
<context>
    <name>ModbusConsole</name>
    <message>
        <source>refused: %1</source>
        <translation>已拒绝：%1</translation>
    </message>
    <message>
        <source>protocol id %1 is not Modbus</source>
        <translation>协议标识 %1 不是 Modbus</translation>
    </message>
    <message>
        <source>transaction id %1, the request&apos;s is %2</source>
        <translation>事务标识为 %1，请求的是 %2</translation>
    </message>
    <message>
        <source>answer from unit %1, the request went to %2</source>
        <translation>应答来自从站 %1，请求发往 %2</translation>
    </message>
    <message>
        <source>not the reply to the request</source>
        <translation>不是对该请求的应答</translation>
    </message>
</context>
<context>
    <name>MqttClient</name>
    <message>
        <source>The broker does not support the requested protocol version</source>
        <translation>代理服务器不支持所请求的协议版本</translation>
    </message>
    <message>
        <source>The client identifier was rejected</source>
        <translation>客户端标识被拒绝</translation>
    </message>
    <message>
        <source>The MQTT service is unavailable</source>
        <translation>MQTT 服务不可用</translation>
    </message>
    <message>
        <source>Bad user name or password</source>
        <translation>用户名或密码错误</translation>
    </message>
    <message>
        <source>Not authorized to connect</source>
        <translation>未获授权连接</translation>
    </message>
    <message>
        <source>Connection refused with unknown code %1</source>
        <translation>连接被拒绝，未知返回码 %1</translation>
    </message>
    <message>
        <source>No answer from the broker in time</source>
        <translation>代理服务器未及时应答</translation>
    </message>
    <message>
        <source>The transport device is not open</source>
        <translation>传输设备未打开</translation>
    </message>
    <message>
        <source>The transport device was closed</source>
        <translation>传输设备已关闭</translation>
    </message>
    <message>
        <source>A connection field is too long</source>
        <translation>连接字段过长</translation>
    </message>
    <message>
        <source>Malformed packet length from the broker</source>
        <translation>代理服务器发来的报文长度格式错误</translation>
    </message>
    <message>
        <source>The broker sent a packet larger than %1 bytes</source>
        <translation>代理服务器发来的报文超过 %1 字节</translation>
    </message>
    <message>
        <source>The broker did not answer with CONNACK</source>
        <translation>代理服务器未以 CONNACK 应答</translation>
    </message>
    <message>
        <source>Unexpected or malformed packet of type %1 from the broker</source>
        <translation>代理服务器发来意外或格式错误的报文（类型 %1）</translation>
    </message>
    <message>
        <source>Malformed PUBLISH from the broker</source>
        <translation>代理服务器发来格式错误的 PUBLISH 报文</translation>
    </message>
    <message>
        <source>The broker sent a topic that is not valid UTF-8</source>
        <translation>代理服务器发来的主题不是有效的 UTF-8</translation>
    </message>
    <message>
        <source>Writing to the transport failed: %1</source>
        <translation>写入传输通道失败：%1</translation>
    </message>
    <message>
        <source>The broker did not answer the keep-alive ping</source>
        <translation>代理服务器未应答心跳（keep-alive ping）</translation>
    </message>
</context>
<context>
    <name>PickedFile</name>
    <message>
        <source>not a regular file.</source>
        <translation>不是普通文件。</translation>
    </message>
    <message>
        <source>Open failed: %1</source>
        <translation>打开失败：%1</translation>
    </message>
</context>
<context>
    <name>QDialog</name>
    <message>
        <source>Data:</source>
        <translation>数据：</translation>
    </message>
    <message>
        <source>Send Mode:</source>
        <translation>发送方式：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Write Data</source>
        <translation>写入数据</translation>
    </message>
    <message>
        <source>Not hexadecimal bytes. Write them like 48 69, 4869 or 0x48, 0x69.</source>
        <translation>不是十六进制字节。请写成 48 69、4869 或 0x48, 0x69 的形式。</translation>
    </message>
    <message>
        <source>Too long: a characteristic holds at most %1 bytes.</source>
        <translation>太长：一个特征值最多容纳 %1 字节。</translation>
    </message>
</context>
<context>
    <name>QMainWindow</name>
    <message>
        <source>warning:</source>
        <translation>警告：</translation>
    </message>
    <message>
        <source>Error for Data</source>
        <translation>数据错误</translation>
    </message>
    <message>
        <source>Please enter &apos;0&apos; - &apos;9&apos;, &apos;A&apos; - &apos;F&apos;</source>
        <translation>请输入 &apos;0&apos; - &apos;9&apos;、&apos;A&apos; - &apos;F&apos;</translation>
    </message>
    <message>
        <source>Invalid Base64 text.</source>
        <translation>无效的 Base64 文本。</translation>
    </message>
    <message>
        <source>The decoded data is not UTF-8 text.</source>
        <translation>解码后的数据不是 UTF-8 文本。</translation>
    </message>
    <message>
        <source>Invalid hexadecimal group &quot;%1&quot; at position %2.</source>
        <translation>位置 %2 处的十六进制组“%1”无效。</translation>
    </message>
    <message>
        <source>Incomplete group &quot;%1&quot; at the end.</source>
        <translation>末尾的组“%1”不完整。</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>AUD(Australian Dollar)</source>
        <translation>AUD(澳大利亚元)</translation>
    </message>
    <message>
        <source>BGN(Bulgarian Lev)</source>
        <translation>BGN(保加利亚列弗)</translation>
    </message>
    <message>
        <source>BRL(Brazilian Real)</source>
        <translation>BRL(巴西雷亚尔)</translation>
    </message>
    <message>
        <source>CAD(Canadian Dollar)</source>
        <translation>CAD(加拿大元)</translation>
    </message>
    <message>
        <source>CHF(Swiss Franc)</source>
        <translation>CHF(瑞士法郎)</translation>
    </message>
    <message>
        <source>CNY(Chinese Yuan)</source>
        <translation>CNY(人民币)</translation>
    </message>
    <message>
        <source>CZK(Czech Koruna)</source>
        <translation>CZK(捷克克朗)</translation>
    </message>
    <message>
        <source>DKK(Danish Krone)</source>
        <translation>DKK(丹麦克朗)</translation>
    </message>
    <message>
        <source>EUR(Euro)</source>
        <translation>EUR(欧元)</translation>
    </message>
    <message>
        <source>GBP(British Pound Sterling)</source>
        <translation>GBP(英镑)</translation>
    </message>
    <message>
        <source>HKD(Hong Kong Dollar)</source>
        <translation>HKD(港币)</translation>
    </message>
    <message>
        <source>HUF(Hungarian Forint)</source>
        <translation>HUF(匈牙利福林)</translation>
    </message>
    <message>
        <source>IDR(Indonesian Rupiah)</source>
        <translation>IDR(印度尼西亚卢比)</translation>
    </message>
    <message>
        <source>ILS(Israeli New Shekel)</source>
        <translation>ILS(以色列新谢克尔)</translation>
    </message>
    <message>
        <source>INR(Indian Rupee)</source>
        <translation>INR(印度卢比)</translation>
    </message>
    <message>
        <source>ISK(Icelandic Króna)</source>
        <translation>ISK(冰岛克朗)</translation>
    </message>
    <message>
        <source>JPY(Japanese Yen)</source>
        <translation>JPY(日元)</translation>
    </message>
    <message>
        <source>KRW(South Korean Won)</source>
        <translation>KRW(韩元)</translation>
    </message>
    <message>
        <source>MXN(Mexican Peso)</source>
        <translation>MXN(墨西哥比索)</translation>
    </message>
    <message>
        <source>MYR(Malaysian Ringgit)</source>
        <translation>MYR(马来西亚林吉特)</translation>
    </message>
    <message>
        <source>NOK(Norwegian Krone)</source>
        <translation>NOK(挪威克朗)</translation>
    </message>
    <message>
        <source>NZD(New Zealand Dollar)</source>
        <translation>NZD(新西兰元)</translation>
    </message>
    <message>
        <source>PHP(Philippine Peso)</source>
        <translation>PHP(菲律宾比索)</translation>
    </message>
    <message>
        <source>PLN(Polish Złoty)</source>
        <translation>PLN(波兰兹罗提)</translation>
    </message>
    <message>
        <source>RON(Romanian Leu)</source>
        <translation>RON(罗马尼亚列伊)</translation>
    </message>
    <message>
        <source>SEK(Swedish Krona)</source>
        <translation>SEK(瑞典克朗)</translation>
    </message>
    <message>
        <source>SGD(Singapore Dollar)</source>
        <translation>SGD(新加坡元)</translation>
    </message>
    <message>
        <source>THB(Thai Baht)</source>
        <translation>THB(泰铢)</translation>
    </message>
    <message>
        <source>TRY(Turkish Lira)</source>
        <translation>TRY(土耳其里拉)</translation>
    </message>
    <message>
        <source>USD(United States Dollar)</source>
        <translation>USD(美元)</translation>
    </message>
    <message>
        <source>ZAR(South African Rand)</source>
        <translation>ZAR(南非兰特)</translation>
    </message>
</context>
<context>
    <name>QWidget</name>
    <message>
        <source>Characteristic Name:</source>
        <translation>特征名称：</translation>
    </message>
    <message>
        <source>Characteristic UUID:</source>
        <translation>特征 UUID：</translation>
    </message>
    <message>
        <source>Characteristic Permission:</source>
        <translation>特征权限：</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读取</translation>
    </message>
    <message>
        <source>Notify</source>
        <translation>通知</translation>
    </message>
    <message>
        <source>W</source>
        <translation>写</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>the file could not be replaced.</source>
        <translation>无法替换该文件。</translation>
    </message>
    <message>
        <source>The settings could not be saved to
%1
%2</source>
        <translation>无法将设置保存到
%1
%2</translation>
    </message>
</context>
<context>
    <name>WebSocketIODevice</name>
    <message>
        <source>The broker sent a WebSocket message larger than %1 bytes</source>
        <translation>代理服务器发送的 WebSocket 消息超过 %1 字节</translation>
    </message>
</context>
<context>
    <name>quenlix_3d_imu</name>
    <message>
        <source>The 3D view needs OpenGL, which this display does not offer.</source>
        <translation>三维视图需要 OpenGL，而当前显示不支持。</translation>
    </message>
</context>
<context>
    <name>quenlix_ble</name>
    <message>
        <source>Scan</source>
        <translation>扫描</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>窗体</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>设备：</translation>
    </message>
</context>
<context>
    <name>quenlix_cie_widget</name>
    <message>
        <source>Form</source>
        <translation>窗体</translation>
    </message>
    <message>
        <source>CIE x :</source>
        <translation>CIE x :</translation>
    </message>
    <message>
        <source>CIE y :</source>
        <translation>CIE y :</translation>
    </message>
    <message>
        <source>Lux :</source>
        <translation>照度 (lux)：</translation>
    </message>
    <message>
        <source>CCT :</source>
        <translation>色温 (CCT)：</translation>
    </message>
    <message>
        <source>标记位置</source>
        <translation>标记位置</translation>
    </message>
    <message>
        <source>输入错误</source>
        <translation>输入错误</translation>
    </message>
    <message>
        <source>请输入有效的 CIE x 和 CIE y 值。</source>
        <translation>请输入有效的 CIE x 和 CIE y 值。</translation>
    </message>
</context>
<context>
    <name>quenlix_cieplot</name>
    <message>
        <source>无法加载 SVG 背景</source>
        <translation>无法加载 SVG 背景</translation>
    </message>
</context>
<context>
    <name>quenlix_convert</name>
    <message>
        <source>A(ampere)</source>
        <translation>A(安培)</translation>
    </message>
    <message>
        <source>kA(kiloampere)</source>
        <translation>kA(千安)</translation>
    </message>
    <message>
        <source>MA(megaampere)</source>
        <translation>MA(兆安)</translation>
    </message>
    <message>
        <source>GA(gigaampere)</source>
        <translation>GA(吉安)</translation>
    </message>
    <message>
        <source>mA(milliampere)</source>
        <translation>mA(毫安)</translation>
    </message>
    <message>
        <source>µA(microampere)</source>
        <translation>µA(微安)</translation>
    </message>
    <message>
        <source>nA(nanoampere)</source>
        <translation>nA(纳安)</translation>
    </message>
    <message>
        <source>pA(picoampere)</source>
        <translation>pA(皮安)</translation>
    </message>
    <message>
        <source>C(coulomb)</source>
        <translation>C(库仑)</translation>
    </message>
    <message>
        <source>nC(nanocoulomb)</source>
        <translation>nC(纳库)</translation>
    </message>
    <message>
        <source>µC(microcoulomb)</source>
        <translation>µC(微库)</translation>
    </message>
    <message>
        <source>mC(millicoulomb)</source>
        <translation>mC(毫库)</translation>
    </message>
    <message>
        <source>kC(kilocoulomb)</source>
        <translation>kC(千库)</translation>
    </message>
    <message>
        <source>MC(megacoulomb)</source>
        <translation>MC(兆库)</translation>
    </message>
    <message>
        <source>GC(gigacoulomb)</source>
        <translation>GC(吉库)</translation>
    </message>
    <message>
        <source>Fr(franklin)</source>
        <translation>Fr(富兰克林)</translation>
    </message>
    <message>
        <source>nFr(nanofranklin)</source>
        <translation>nFr(纳富兰克林)</translation>
    </message>
    <message>
        <source>µFr(microfranklin)</source>
        <translation>µFr(微富兰克林)</translation>
    </message>
    <message>
        <source>mFr(milifranklin)</source>
        <translation>mFr(毫富兰克林)</translation>
    </message>
    <message>
        <source>kFr(kilofranklin)</source>
        <translation>kFr(千富兰克林)</translation>
    </message>
    <message>
        <source>MFr(megafranklin)</source>
        <translation>MFr(兆富兰克林)</translation>
    </message>
    <message>
        <source>GF(gigafranklin)</source>
        <translation>GF(吉富兰克林)</translation>
    </message>
    <message>
        <source>e(elementary charge)</source>
        <translation>e(元电荷)</translation>
    </message>
    <message>
        <source>Ah(ampere-hour)</source>
        <translation>Ah(安时)</translation>
    </message>
    <message>
        <source>T(tesla)</source>
        <translation>T(特斯拉)</translation>
    </message>
    <message>
        <source>MT(megatesla)</source>
        <translation>MT(兆特)</translation>
    </message>
    <message>
        <source>kT(kilotesla)</source>
        <translation>kT(千特)</translation>
    </message>
    <message>
        <source>mT(millitesla)</source>
        <translation>mT(毫特)</translation>
    </message>
    <message>
        <source>µT(microtesla)</source>
        <translation>µT(微特)</translation>
    </message>
    <message>
        <source>nT(nanotesla)</source>
        <translation>nT(纳特)</translation>
    </message>
    <message>
        <source>pT(picotesla)</source>
        <translation>pT(皮特)</translation>
    </message>
    <message>
        <source>G(gauss)</source>
        <translation>G(高斯)</translation>
    </message>
    <message>
        <source>Wb/m²(weber per square meter)</source>
        <translation>Wb/m²(韦伯每平方米)</translation>
    </message>
    <message>
        <source>Wb/cm²(weber per square centimeter)</source>
        <translation>Wb/cm²(韦伯每平方厘米)</translation>
    </message>
    <message>
        <source>γ(gamma)</source>
        <translation>γ(伽马)</translation>
    </message>
    <message>
        <source>Mx/m²(maxwell per square meter)</source>
        <translation>Mx/m²(麦克斯韦每平方米)</translation>
    </message>
    <message>
        <source>Mx/cm²(maxwell per square centimeter)</source>
        <translation>Mx/cm²(麦克斯韦每平方厘米)</translation>
    </message>
    <message>
        <source>°(degree)</source>
        <translation>°(度)</translation>
    </message>
    <message>
        <source>radian(radian)</source>
        <translation>radian(弧度)</translation>
    </message>
    <message>
        <source>arcminute(arcminute)</source>
        <translation>arcminute(角分)</translation>
    </message>
    <message>
        <source>arcsecond(arcsecond)</source>
        <translation>arcsecond(角秒)</translation>
    </message>
    <message>
        <source>circle(circle)</source>
        <translation>circle(圆周)</translation>
    </message>
    <message>
        <source>1/2circle(1/2circle)</source>
        <translation>1/2circle(半圆周)</translation>
    </message>
    <message>
        <source>1/4circle(1/4circle)</source>
        <translation>1/4circle(四分之一圆周)</translation>
    </message>
    <message>
        <source>angular mil(angular mil)</source>
        <translation>angular mil(密位)</translation>
    </message>
    <message>
        <source>¯(point)</source>
        <translation>¯(罗经点)</translation>
    </message>
    <message>
        <source>F(farad)</source>
        <translation>F(法拉)</translation>
    </message>
    <message>
        <source>μF(microfarad)</source>
        <translation>μF(微法)</translation>
    </message>
    <message>
        <source>nF(nanofarad)</source>
        <translation>nF(纳法)</translation>
    </message>
    <message>
        <source>pF(picofarad)</source>
        <translation>pF(皮法)</translation>
    </message>
    <message>
        <source>Ω(ohm)</source>
        <translation>Ω(欧姆)</translation>
    </message>
    <message>
        <source>kΩ(kiloohm)</source>
        <translation>kΩ(千欧)</translation>
    </message>
    <message>
        <source>MΩ(megaohm)</source>
        <translation>MΩ(兆欧)</translation>
    </message>
    <message>
        <source>GΩ(gigaohm)</source>
        <translation>GΩ(吉欧)</translation>
    </message>
    <message>
        <source>nS(nanosiemens)</source>
        <translation>nS(纳西门子)</translation>
    </message>
    <message>
        <source>µS(microsiemens)</source>
        <translation>µS(微西门子)</translation>
    </message>
    <message>
        <source>mS(millisiemens)</source>
        <translation>mS(毫西门子)</translation>
    </message>
    <message>
        <source>S(siemens)</source>
        <translation>S(西门子)</translation>
    </message>
    <message>
        <source>kS(kilosiemens)</source>
        <translation>kS(千西门子)</translation>
    </message>
    <message>
        <source>MS(megasiemens)</source>
        <translation>MS(兆西门子)</translation>
    </message>
    <message>
        <source>GS(gigasiemens)</source>
        <translation>GS(吉西门子)</translation>
    </message>
    <message>
        <source>nH(nanohenry)</source>
        <translation>nH(纳亨)</translation>
    </message>
    <message>
        <source>µH(microhenry)</source>
        <translation>µH(微亨)</translation>
    </message>
    <message>
        <source>mH(millihenry)</source>
        <translation>mH(毫亨)</translation>
    </message>
    <message>
        <source>H(henry)</source>
        <translation>H(亨利)</translation>
    </message>
    <message>
        <source>kH(kilohenry)</source>
        <translation>kH(千亨)</translation>
    </message>
    <message>
        <source>MH(megahenry)</source>
        <translation>MH(兆亨)</translation>
    </message>
    <message>
        <source>GH(gigahenry)</source>
        <translation>GH(吉亨)</translation>
    </message>
    <message>
        <source>Bit</source>
        <translation>Bit</translation>
    </message>
    <message>
        <source>kBit</source>
        <translation>kBit</translation>
    </message>
    <message>
        <source>Mbit</source>
        <translation>Mbit</translation>
    </message>
    <message>
        <source>GBit</source>
        <translation>GBit</translation>
    </message>
    <message>
        <source>TBit</source>
        <translation>TBit</translation>
    </message>
    <message>
        <source>PBit</source>
        <translation>PBit</translation>
    </message>
    <message>
        <source>EBit</source>
        <translation>EBit</translation>
    </message>
    <message>
        <source>B</source>
        <translation>B</translation>
    </message>
    <message>
        <source>kB</source>
        <translation>kB</translation>
    </message>
    <message>
        <source>MB</source>
        <translation>MB</translation>
    </message>
    <message>
        <source>GB</source>
        <translation>GB</translation>
    </message>
    <message>
        <source>TB</source>
        <translation>TB</translation>
    </message>
    <message>
        <source>PB</source>
        <translation>PB</translation>
    </message>
    <message>
        <source>EB</source>
        <translation>EB</translation>
    </message>
    <message>
        <source>N(newton)</source>
        <translation>N(牛顿)</translation>
    </message>
    <message>
        <source>dyn(dyne)</source>
        <translation>dyn(达因)</translation>
    </message>
    <message>
        <source>lbf(pound-force)</source>
        <translation>lbf(磅力)</translation>
    </message>
    <message>
        <source>kgf(kilogram-force)</source>
        <translation>kgf(千克力)</translation>
    </message>
    <message>
        <source>pdl(poundal)</source>
        <translation>pdl(磅达)</translation>
    </message>
    <message>
        <source>N·m(Newton-meter)</source>
        <translation>N·m(牛·米)</translation>
    </message>
    <message>
        <source>dyn·cm(Dyne·cm)</source>
        <translation>dyn·cm(达因·厘米)</translation>
    </message>
    <message>
        <source>lbf·ft(Pound-force foot)</source>
        <translation>lbf·ft(磅力·英尺)</translation>
    </message>
    <message>
        <source>kgf·m(Kilogram-force meter)</source>
        <translation>kgf·m(千克力·米)</translation>
    </message>
    <message>
        <source>pdl·m(Poundal·m)</source>
        <translation>pdl·m(磅达·米)</translation>
    </message>
    <message>
        <source>°C(celsius)</source>
        <translation>°C(摄氏度)</translation>
    </message>
    <message>
        <source>°F(fahrenheit)</source>
        <translation>°F(华氏度)</translation>
    </message>
    <message>
        <source>K(kelvin)</source>
        <translation>K(开尔文)</translation>
    </message>
    <message>
        <source>°Ré(réaumur)</source>
        <translation>°Ré(列氏度)</translation>
    </message>
    <message>
        <source>°Rø(rømer)</source>
        <translation>°Rø(罗氏度)</translation>
    </message>
    <message>
        <source>°De(delisle)</source>
        <translation>°De(德氏度)</translation>
    </message>
    <message>
        <source>°R(rankine)</source>
        <translation>°R(兰氏度)</translation>
    </message>
    <message>
        <source>°N(newton)</source>
        <translation>°N(牛顿温标)</translation>
    </message>
    <message>
        <source>km(kilometer)</source>
        <translation>km(千米)</translation>
    </message>
    <message>
        <source>m(meter)</source>
        <translation>m(米)</translation>
    </message>
    <message>
        <source>dm(decimeter)</source>
        <translation>dm(分米)</translation>
    </message>
    <message>
        <source>cm(centimeter)</source>
        <translation>cm(厘米)</translation>
    </message>
    <message>
        <source>mm(millimeter)</source>
        <translation>mm(毫米)</translation>
    </message>
    <message>
        <source>µm(micrometer)</source>
        <translation>µm(微米)</translation>
    </message>
    <message>
        <source>nm(nanometer)</source>
        <translation>nm(纳米)</translation>
    </message>
    <message>
        <source>Å(angstrom)</source>
        <translation>Å(埃)</translation>
    </message>
    <message>
        <source>pm(picometer)</source>
        <translation>pm(皮米)</translation>
    </message>
    <message>
        <source>mi(mile)</source>
        <translation>mi(英里)</translation>
    </message>
    <message>
        <source>ft(feet)</source>
        <translation>ft(英尺)</translation>
    </message>
    <message>
        <source>in(inch)</source>
        <translation>in(英寸)</translation>
    </message>
    <message>
        <source>mil(mill)</source>
        <translation>mil(密耳)</translation>
    </message>
    <message>
        <source>M(nautical mile)</source>
        <translation>M(海里)</translation>
    </message>
    <message>
        <source>yd(yard)</source>
        <translation>yd(码)</translation>
    </message>
    <message>
        <source>au(astronomical unit)</source>
        <translation>au(天文单位)</translation>
    </message>
    <message>
        <source>ly(light year)</source>
        <translation>ly(光年)</translation>
    </message>
    <message>
        <source>ls(light second)</source>
        <translation>ls(光秒)</translation>
    </message>
    <message>
        <source>pc(parsec)</source>
        <translation>pc(秒差距)</translation>
    </message>
    <message>
        <source>ng(nanogram)</source>
        <translation>ng(纳克)</translation>
    </message>
    <message>
        <source>µg(microgram)</source>
        <translation>µg(微克)</translation>
    </message>
    <message>
        <source>mg(milligram)</source>
        <translation>mg(毫克)</translation>
    </message>
    <message>
        <source>cg(centigram)</source>
        <translation>cg(厘克)</translation>
    </message>
    <message>
        <source>g(gram)</source>
        <translation>g(克)</translation>
    </message>
    <message>
        <source>kg(kilogram)</source>
        <translation>kg(千克)</translation>
    </message>
    <message>
        <source>t(ton)</source>
        <translation>t(吨)</translation>
    </message>
    <message>
        <source>lb(pound)</source>
        <translation>lb(磅)</translation>
    </message>
    <message>
        <source>st(stone)</source>
        <translation>st(英石)</translation>
    </message>
    <message>
        <source>oz(ounce)</source>
        <translation>oz(盎司)</translation>
    </message>
    <message>
        <source>ozt(troy ounce)</source>
        <translation>ozt(金衡盎司)</translation>
    </message>
    <message>
        <source>dwt(pennyweight)</source>
        <translation>dwt(英钱)</translation>
    </message>
    <message>
        <source>ct(carat)</source>
        <translation>ct(克拉)</translation>
    </message>
    <message>
        <source>u(unified atomic mass unit)</source>
        <translation>u(原子质量单位)</translation>
    </message>
    <message>
        <source>km²(square kilometre)</source>
        <translation>km²(平方千米)</translation>
    </message>
    <message>
        <source>m²(square metre)</source>
        <translation>m²(平方米)</translation>
    </message>
    <message>
        <source>cm²(square centimetre)</source>
        <translation>cm²(平方厘米)</translation>
    </message>
    <message>
        <source>mm²(square millimetre)</source>
        <translation>mm²(平方毫米)</translation>
    </message>
    <message>
        <source>in²(square inch)</source>
        <translation>in²(平方英寸)</translation>
    </message>
    <message>
        <source>ft²(square foot)</source>
        <translation>ft²(平方英尺)</translation>
    </message>
    <message>
        <source>yd²(square yard)</source>
        <translation>yd²(平方码)</translation>
    </message>
    <message>
        <source>mi²(square mile)</source>
        <translation>mi²(平方英里)</translation>
    </message>
    <message>
        <source>ha(hectare)</source>
        <translation>ha(公顷)</translation>
    </message>
    <message>
        <source>ac(acre)</source>
        <translation>ac(英亩)</translation>
    </message>
    <message>
        <source>a(square are)</source>
        <translation>a(公亩)</translation>
    </message>
    <message>
        <source>m³(cubic meter)</source>
        <translation>m³(立方米)</translation>
    </message>
    <message>
        <source>dm³(cubic decimeter)</source>
        <translation>dm³(立方分米)</translation>
    </message>
    <message>
        <source>cm³(cubic centimeter)</source>
        <translation>cm³(立方厘米)</translation>
    </message>
    <message>
        <source>mm³(cubic millimeter)</source>
        <translation>mm³(立方毫米)</translation>
    </message>
    <message>
        <source>in³(cubic inch)</source>
        <translation>in³(立方英寸)</translation>
    </message>
    <message>
        <source>ft³(cubic foot)</source>
        <translation>ft³(立方英尺)</translation>
    </message>
    <message>
        <source>L(liter)</source>
        <translation>L(升)</translation>
    </message>
    <message>
        <source>mL(milliliter)</source>
        <translation>mL(毫升)</translation>
    </message>
    <message>
        <source>cup(cup)</source>
        <translation>cup(杯)</translation>
    </message>
    <message>
        <source>UK gal(UK gallon)</source>
        <translation>UK gal(英制加仑)</translation>
    </message>
    <message>
        <source>UK pt(UK pint)</source>
        <translation>UK pt(英制品脱)</translation>
    </message>
    <message>
        <source>UK fl oz(UK Fluid ounce)</source>
        <translation>UK fl oz(英制液量盎司)</translation>
    </message>
    <message>
        <source>UK oz(UK ounce)</source>
        <translation>UK oz(英制盎司)</translation>
    </message>
    <message>
        <source>US gal(US gallon)</source>
        <translation>US gal(美制加仑)</translation>
    </message>
    <message>
        <source>US pt(US pint)</source>
        <translation>US pt(美制品脱)</translation>
    </message>
    <message>
        <source>US fl oz(US Fluid ounce)</source>
        <translation>US fl oz(美制液量盎司)</translation>
    </message>
    <message>
        <source>US oz(US ounce)</source>
        <translation>US oz(美制盎司)</translation>
    </message>
    <message>
        <source>tbsp(tablespoon)</source>
        <translation>tbsp(汤匙)</translation>
    </message>
    <message>
        <source>mPa(millipascal)</source>
        <translation>mPa(毫帕)</translation>
    </message>
    <message>
        <source>Pa(pascal)</source>
        <translation>Pa(帕斯卡)</translation>
    </message>
    <message>
        <source>hPa(hectopascal)</source>
        <translation>hPa(百帕)</translation>
    </message>
    <message>
        <source>kPa(kilopascal)</source>
        <translation>kPa(千帕)</translation>
    </message>
    <message>
        <source>GPa(gigapascal)</source>
        <translation>GPa(吉帕)</translation>
    </message>
    <message>
        <source>bar(bar)</source>
        <translation>bar(巴)</translation>
    </message>
    <message>
        <source>pz(pizz pascal)</source>
        <translation>pz(皮兹)</translation>
    </message>
    <message>
        <source>psi(pound per square inch)</source>
        <translation>psi(磅每平方英寸)</translation>
    </message>
    <message>
        <source>kpsi(kip per square inch)</source>
        <translation>kpsi(千磅每平方英寸)</translation>
    </message>
    <message>
        <source>atm(atmosphere)</source>
        <translation>atm(标准大气压)</translation>
    </message>
    <message>
        <source>at(technical atmosphere)</source>
        <translation>at(工程大气压)</translation>
    </message>
    <message>
        <source>torr(torr)</source>
        <translation>torr(托)</translation>
    </message>
    <message>
        <source>mmHg(millimeter of mercury)</source>
        <translation>mmHg(毫米汞柱)</translation>
    </message>
    <message>
        <source>mHg(meter of mercury)</source>
        <translation>mHg(米汞柱)</translation>
    </message>
    <message>
        <source>cmHg(centimeter of mercury)</source>
        <translation>cmHg(厘米汞柱)</translation>
    </message>
    <message>
        <source>inHg(inch of mercury)</source>
        <translation>inHg(英寸汞柱)</translation>
    </message>
    <message>
        <source>mmH2O(millimeter of water column)</source>
        <translation>mmH2O(毫米水柱)</translation>
    </message>
    <message>
        <source>cmH2O(centimeter of water column)</source>
        <translation>cmH2O(厘米水柱)</translation>
    </message>
    <message>
        <source>mH2O(meter of water column)</source>
        <translation>mH2O(米水柱)</translation>
    </message>
    <message>
        <source>inH2O(inch of water column)</source>
        <translation>inH2O(英寸水柱)</translation>
    </message>
    <message>
        <source>J(joule)</source>
        <translation>J(焦耳)</translation>
    </message>
    <message>
        <source>kJ(kilojoule)</source>
        <translation>kJ(千焦)</translation>
    </message>
    <message>
        <source>MJ(megajoule)</source>
        <translation>MJ(兆焦)</translation>
    </message>
    <message>
        <source>W·h(watt-hour)</source>
        <translation>W·h(瓦时)</translation>
    </message>
    <message>
        <source>kW·h(kilowatt-hour)</source>
        <translation>kW·h(千瓦时)</translation>
    </message>
    <message>
        <source>erg(erg)</source>
        <translation>erg(尔格)</translation>
    </message>
    <message>
        <source>kpm(kilogram-force meter)</source>
        <translation>kpm(千克力·米)</translation>
    </message>
    <message>
        <source>btu(british thermal unit)</source>
        <translation>btu(英热单位)</translation>
    </message>
    <message>
        <source>ft·lbf(foot-pound force)</source>
        <translation>ft·lbf(英尺·磅力)</translation>
    </message>
    <message>
        <source>cal(calorie)</source>
        <translation>cal(卡路里)</translation>
    </message>
    <message>
        <source>eV(electron volt)</source>
        <translation>eV(电子伏特)</translation>
    </message>
    <message>
        <source>W(watt)</source>
        <translation>W(瓦特)</translation>
    </message>
    <message>
        <source>kW(kilowatt)</source>
        <translation>kW(千瓦)</translation>
    </message>
    <message>
        <source>MW(megawatt)</source>
        <translation>MW(兆瓦)</translation>
    </message>
    <message>
        <source>GW(gigawatt)</source>
        <translation>GW(吉瓦)</translation>
    </message>
    <message>
        <source>BTU/h(british thermal unit per hour)</source>
        <translation>BTU/h(英热单位每小时)</translation>
    </message>
    <message>
        <source>BTU/min(british thermal unit per minute)</source>
        <translation>BTU/min(英热单位每分钟)</translation>
    </message>
    <message>
        <source>BTU/s(british thermal unit per second)</source>
        <translation>BTU/s(英热单位每秒)</translation>
    </message>
    <message>
        <source>ft·lbf/s(foot-pound force per second)</source>
        <translation>ft·lbf/s(英尺·磅力每秒)</translation>
    </message>
    <message>
        <source>hp(horsepower)</source>
        <translation>hp(马力)</translation>
    </message>
    <message>
        <source>mhp(mechanical horsepower)</source>
        <translation>mhp(机械马力)</translation>
    </message>
    <message>
        <source>ehp(electrical horsepower)</source>
        <translation>ehp(电功马力)</translation>
    </message>
    <message>
        <source>bhp(boiler horsepower)</source>
        <translation>bhp(锅炉马力)</translation>
    </message>
    <message>
        <source>c(century)</source>
        <translation>c(世纪)</translation>
    </message>
    <message>
        <source>a(year)</source>
        <translation>a(年)</translation>
    </message>
    <message>
        <source>m(month)</source>
        <translation>m(月)</translation>
    </message>
    <message>
        <source>w(week)</source>
        <translation>w(周)</translation>
    </message>
    <message>
        <source>d(day)</source>
        <translation>d(天)</translation>
    </message>
    <message>
        <source>h(hour)</source>
        <translation>h(小时)</translation>
    </message>
    <message>
        <source>min(minute)</source>
        <translation>min(分钟)</translation>
    </message>
    <message>
        <source>s(second)</source>
        <translation>s(秒)</translation>
    </message>
    <message>
        <source>ms(millisecond)</source>
        <translation>ms(毫秒)</translation>
    </message>
    <message>
        <source>μs(microsecond)</source>
        <translation>μs(微秒)</translation>
    </message>
    <message>
        <source>ns(nanosecond)</source>
        <translation>ns(纳秒)</translation>
    </message>
    <message>
        <source>fs(femtosecond)</source>
        <translation>fs(飞秒)</translation>
    </message>
    <message>
        <source>as(attosecond)</source>
        <translation>as(阿秒)</translation>
    </message>
    <message>
        <source>m/s(meter per second)</source>
        <translation>m/s(米每秒)</translation>
    </message>
    <message>
        <source>m/min(meter per minute)</source>
        <translation>m/min(米每分钟)</translation>
    </message>
    <message>
        <source>m/h(meter per hour)</source>
        <translation>m/h(米每小时)</translation>
    </message>
    <message>
        <source>km/min(kilometer per minute)</source>
        <translation>km/min(千米每分钟)</translation>
    </message>
    <message>
        <source>km/h(kilometer per hour)</source>
        <translation>km/h(千米每小时)</translation>
    </message>
    <message>
        <source>ft/s(foot per second)</source>
        <translation>ft/s(英尺每秒)</translation>
    </message>
    <message>
        <source>ft/min(foot per minute)</source>
        <translation>ft/min(英尺每分钟)</translation>
    </message>
    <message>
        <source>ft/h(foot per hour)</source>
        <translation>ft/h(英尺每小时)</translation>
    </message>
    <message>
        <source>mi/min(mile per minute)</source>
        <translation>mi/min(英里每分钟)</translation>
    </message>
    <message>
        <source>mi/h(mile per hour)</source>
        <translation>mi/h(英里每小时)</translation>
    </message>
    <message>
        <source>knot(knot)</source>
        <translation>knot(节)</translation>
    </message>
    <message>
        <source>Not a number</source>
        <translation>不是数字</translation>
    </message>
    <message>
        <source>No rate for %1</source>
        <translation>没有 %1 的汇率</translation>
    </message>
    <message>
        <source>quenlix_convert</source>
        <translation>单位换算</translation>
    </message>
    <message>
        <source>To</source>
        <translation>换算为</translation>
    </message>
    <message>
        <source>Exchangerates</source>
        <translation>汇率</translation>
    </message>
    <message>
        <source>Lengths</source>
        <translation>长度</translation>
    </message>
    <message>
        <source>Mass</source>
        <translation>质量</translation>
    </message>
    <message>
        <source>Area</source>
        <translation>面积</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>体积</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>速度</translation>
    </message>
    <message>
        <source>Force</source>
        <translation>力</translation>
    </message>
    <message>
        <source>Torque</source>
        <translation>扭矩</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>温度</translation>
    </message>
    <message>
        <source>Pressure</source>
        <translation>压强</translation>
    </message>
    <message>
        <source>Energy</source>
        <translation>能量</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>功率</translation>
    </message>
    <message>
        <source>Capacitance</source>
        <translation>电容</translation>
    </message>
    <message>
        <source>Resistance</source>
        <translation>电阻</translation>
    </message>
    <message>
        <source>Conductance</source>
        <translation>电导</translation>
    </message>
    <message>
        <source>Inductance</source>
        <translation>电感</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>电流</translation>
    </message>
    <message>
        <source>Charge</source>
        <translation>电荷</translation>
    </message>
    <message>
        <source>Magnetic</source>
        <translation>磁感应强度</translation>
    </message>
    <message>
        <source>Angle</source>
        <translation>角度</translation>
    </message>
    <message>
        <source>DataStorage</source>
        <translation>数据存储</translation>
    </message>
</context>
<context>
    <name>quenlix_hex_tools</name>
    <message>
        <source>Binary Files (*.bin);;All Files (*)</source>
        <translation>二进制文件 (*.bin);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Enter address (hex)</source>
        <translation>输入地址（十六进制）</translation>
    </message>
    <message>
        <source>Search (hex)</source>
        <translation>搜索（十六进制）</translation>
    </message>
    <message>
        <source>Open File 1</source>
        <translation>打开文件 1</translation>
    </message>
    <message>
        <source>Open File 2</source>
        <translation>打开文件 2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Cannot open file %1: %2</source>
        <translation>无法打开文件 %1：%2</translation>
    </message>
    <message>
        <source>File %1 is too large (limit 2 GiB).</source>
        <translation>文件 %1 过大（上限 2 GiB）。</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>File %1 is open on both sides: saving one side overwrites the edits of the other.</source>
        <translation>文件 %1 在两侧同时打开：保存一侧会覆盖另一侧的修改。</translation>
    </message>
    <message>
        <source>Model is not initialized.</source>
        <translation>数据模型尚未初始化。</translation>
    </message>
    <message>
        <source>Save File 1 As</source>
        <translation>文件 1 另存为</translation>
    </message>
    <message>
        <source>Save File 2 As</source>
        <translation>文件 2 另存为</translation>
    </message>
    <message>
        <source>Failed to open file for writing.</source>
        <translation>无法以写入方式打开文件。</translation>
    </message>
    <message>
        <source>Failed to write to file.</source>
        <translation>写入文件失败。</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>File saved successfully.</source>
        <translation>文件保存成功。</translation>
    </message>
    <message>
        <source>Save Changes</source>
        <translation>保存修改</translation>
    </message>
    <message>
        <source>File %1 has been modified.
Do you want to save your changes?</source>
        <translation>文件 %1 已修改。
是否保存修改？</translation>
    </message>
    <message>
        <source>No file 1 loaded.</source>
        <translation>未加载文件 1。</translation>
    </message>
    <message>
        <source>Invalid Address</source>
        <translation>地址无效</translation>
    </message>
    <message>
        <source>Please enter a valid hexadecimal address.</source>
        <translation>请输入有效的十六进制地址。</translation>
    </message>
    <message>
        <source>Address %1 is beyond the end of file 1.</source>
        <translation>地址 %1 超出了文件 1 的末尾。</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>搜索</translation>
    </message>
    <message>
        <source>Use two-digit hexadecimal bytes separated by blanks, e.g. DE AD.</source>
        <translation>请输入以空格分隔的两位十六进制字节，例如 DE AD。</translation>
    </message>
    <message>
        <source>No results found.</source>
        <translation>未找到结果。</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>窗体</translation>
    </message>
    <message>
        <source>File1</source>
        <translation>文件 1</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>File2</source>
        <translation>文件 2</translation>
    </message>
    <message>
        <source>Go to</source>
        <translation>跳转</translation>
    </message>
    <message>
        <source>Prev</source>
        <translation>上一个</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下一个</translation>
    </message>
    <message>
        <source>Save File1</source>
        <translation>保存文件 1</translation>
    </message>
    <message>
        <source>Save File2</source>
        <translation>保存文件 2</translation>
    </message>
    <message>
        <source>File Changed on Disk</source>
        <translation>文件已在磁盘上更改</translation>
    </message>
    <message>
        <source>File %1 has been changed on disk since it was loaded (%2 bytes then, %3 bytes now).
Overwrite it with the bytes shown here and lose that change?</source>
        <translation>文件 %1 自加载后已在磁盘上被更改（加载时 %2 字节，现在 %3 字节）。
要用此处显示的字节覆盖它并丢弃那次更改吗？</translation>
    </message>
</context>
<context>
    <name>quenlix_i2c_tools</name>
    <message>
        <source>Form</source>
        <translation>窗体</translation>
    </message>
    <message>
        <source>i2c addresss:</source>
        <translation>I2C 地址：</translation>
    </message>
</context>
<context>
    <name>quenlix_tof_surface</name>
    <message>
        <source>The 3D view needs OpenGL, which this display does not offer.</source>
        <translation>三维视图需要 OpenGL，而当前显示不支持。</translation>
    </message>
</context>
</TS>
