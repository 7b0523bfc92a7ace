<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>SigngateClass</name>
    <message>
        <source>Signgate</source>
        <translation>Signgate</translation>
    </message>
    <message>
        <source>Title bar</source>
        <translation>Title bar</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Sign-in page</source>
        <translation>Sign-in page</translation>
    </message>
</context>
</TS>
