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
    <name>gearmart::BannerIndicatorWidget</name>
    <message>
        <source>Show %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearmart::ExhibitorThumbnail</name>
    <message>
        <source>Picture %1 of %2</source>
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
    <name>gearmart::MoreInfoLeftWidget</name>
    <message>
        <source>Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel download of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retry download of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>download fail</source>
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
        <source>Please set downlaod path at system setting page.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disk free space little than tool Size, please modify download Path.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>have already open, please close at first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>have already open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>connect to network timeout.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>network initial failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>connect to network failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>network anomaly</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearmart::MoreInfoRightTopWidget</name>
    <message>
        <source>Shows or shortens the description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows or hides the notes on the newest version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>...more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>return</source>
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
    <name>gearmart::SignInGate</name>
    <message>
        <source>Sign-in is not available: the sign-in program is missing. Please reinstall the software.</source>
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
    <name>gearmart::SubToolWidget</name>
    <message>
        <source>Spacer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retry download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New tool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign-in required</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show details of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel download of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retry download of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download progress of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 logo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>download fail</source>
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
        <source>Please set downlaod path at system setting page.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disk free space little than tool Size, please modify download Path.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Software already opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>connect to network timeout.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>network initial failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>file not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>connect to network failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>network abnomaly</source>
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
    <name>gearmart::ToolDownloadWidget</name>
    <message>
        <source>Fold banner</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unfold banner</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearmart::ToolIntroPictureWidget</name>
    <message>
        <source>Featured tool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearmart::ToolMoreInfoWidget</name>
    <message>
        <source>Home Page</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearmart::ToolTypeWidget</name>
    <message>
        <source>All Tool</source>
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
