<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>crestui::BaseDialog</name>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>crestui::CMiddleSwitchBox</name>
    <message>
        <source>Switch</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>crestui::IconButton</name>
    <message>
        <source>Picture</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>crestui::TipDialogWithButtom</name>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearmart::Gearmart</name>
    <message>
        <source>Brelvonix Gearloft</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect to server fail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>connect to server fail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>start server fail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure close the software?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>material have new version, please restart software.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upgrade completed, restart software?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restart Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restart Later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upgrade fail, try again?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearmart::GearmartApplication</name>
    <message>
        <source>1.1.0.5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Client is already running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearmart::InquiryIfUpdatePromptDialog</name>
    <message>
        <source>Upgrade Detect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable upgrade detection will automatically prompt new relased version, enable it?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearmart::ProgressBar</name>
    <message>
        <source>Download Fail!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Progress</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearmart::TipDialog</name>
    <message>
        <source>Tip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearmart::UpdateVersionDialog</name>
    <message>
        <source>Version updating</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel update</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearmart::WindowTitleWidget</name>
    <message>
        <source>Gear Mart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tools Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>My Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
