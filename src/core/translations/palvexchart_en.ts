<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>PalvexChart</name>
    <message>
        <source>另存为(&amp;A)</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>复制(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>图例信息(&amp;I)</source>
        <translation>Selection &amp;Information</translation>
    </message>
    <message>
        <source>图例信息跟随(&amp;M)</source>
        <translation>Information &amp;Moves with the Bar</translation>
    </message>
    <message>
        <source>显示图例(&amp;D)</source>
        <translation>Show Legen&amp;d</translation>
    </message>
    <message>
        <source>图例(&amp;L)</source>
        <translation>&amp;Legend</translation>
    </message>
    <message>
        <source>隐藏图例(&amp;H)</source>
        <translation>&amp;Hide Legend</translation>
    </message>
    <message>
        <source>显示图例</source>
        <translation>Show legend</translation>
    </message>
    <message>
        <source>图例</source>
        <translation>Legend</translation>
    </message>
    <message>
        <source>保持图表为文件</source>
        <translation>Save the Chart as a File</translation>
    </message>
    <message>
        <source>无法保存图表文件:
</source>
        <translation>Cannot save the chart file:
</translation>
    </message>
    <message>
        <source>无法将图表复制到剪贴板。</source>
        <translation>Cannot copy the chart to the clipboard.</translation>
    </message>
    <message>
        <source>记录: </source>
        <translation>Record: </translation>
    </message>
    <message>
        <source>金额: </source>
        <translation>Amount: </translation>
    </message>
    <message>
        <source>%1元</source>
        <translation>%1 yuan</translation>
    </message>
    <message>
        <source>动画特效图表示例(支持换肤)</source>
        <translation>Animated chart example (with themes)</translation>
    </message>
    <message>
        <source>动画特效图表控件</source>
        <translation>Animated chart control</translation>
    </message>
    <message>
        <source>支持换肤</source>
        <translation>with themes</translation>
    </message>
    <message>
        <source>单击任意处关闭</source>
        <translation>Click anywhere to close</translation>
    </message>
</context>
</TS>
