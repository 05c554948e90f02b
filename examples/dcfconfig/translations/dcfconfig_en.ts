<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>DcfCommissioning</name>
    <message numerus="yes">
        <source>Wrote %1: %n value(s) set</source>
        <translation>
            <numerusform>Wrote %1: %n value set</numerusform>
            <numerusform>Wrote %1: %n values set</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DcfConfigWindow</name>
    <message numerus="yes">
        <source>Opened %1: %n entries.</source>
        <translation>
            <numerusform>Opened %1: %n entry.</numerusform>
            <numerusform>Opened %1: %n entries.</numerusform>
        </translation>
    </message>
</context>
</TS>
