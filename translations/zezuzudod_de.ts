<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>DCFWriter</name>
    <message>
        <source>%1sub%2</source>
        <extracomment>Section name of a sub-index entry in a device configuration file; keep it as it is.</extracomment>
        <translation>%1sub%2</translation>
    </message>
</context>
<context>
    <name>QApplication</name>
    <message>
        <source>Out of memory</source>
        <translation>Zu wenig Arbeitsspeicher</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
