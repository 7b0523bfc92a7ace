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
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
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
        <translation>OK</translation>
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
    <name>gearmart::DeleteFrame</name>
    <message>
        <source>delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drop here to delete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearmart::DownloadToolsWidget</name>
    <message>
        <source>No Tool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downloaded tools. Alt+Up and Alt+Down move the focused tool, Delete removes it</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearmart::DownloadedSubToolWidget</name>
    <message>
        <source>Upgrade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Creat Quick Link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retry upgrade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel upgrade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version: V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release date: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updateable tool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installed tool. Alt+Up and Alt+Down move it, Delete removes it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 icon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upgrade %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create desktop link for %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel upgrade of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retry upgrade of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upgrade progress of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transfer progress of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move %1 up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move %1 down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete %1</source>
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
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Software already opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
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
        <source>Quick link successfully created to desktop.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quick link create failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comfirm</source>
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
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
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
        <source>Client is already running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>gearmart::HelpWidget</name>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>user manual(F1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>License</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Source Software Licenses</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>/help.pdf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No user manual found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open User&apos;s Manual fail.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Open Open Source Software Licenses file directory failed.</source>
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
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
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
        <source>Transfer progress of %1</source>
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
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>gearmart::StartupLoader</name>
    <message>
        <source>The settings were missing or damaged and have been reset.</source>
        <translation>The settings were missing or damaged and have been reset.</translation>
    </message>
    <message>
        <source>The settings could not be read; built-in ones are used.</source>
        <translation>The settings could not be read; built-in ones are used.</translation>
    </message>
    <message>
        <source>The download folder could not be saved; choose one in the settings.</source>
        <translation>The download folder could not be saved; choose one in the settings.</translation>
    </message>
    <message>
        <source>The downloaded tool list was damaged and was not used.</source>
        <translation>The downloaded tool list was damaged and was not used.</translation>
    </message>
    <message>
        <source>The tool list was damaged; the installed one was restored.</source>
        <translation>The tool list was damaged; the installed one was restored.</translation>
    </message>
    <message>
        <source>No usable tool list was found; the list is empty.</source>
        <translation>No usable tool list was found; the list is empty.</translation>
    </message>
    <message>
        <source>The record of installed tools was rebuilt.</source>
        <translation>The record of installed tools was rebuilt.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
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
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
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
        <source>Transfer progress of %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearmart::SystemConfigWidget</name>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change path Please close open tools and all had download tools will move to new path.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Path:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Moving the downloaded tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ChangePath</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>click close button quit open software</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VersionInfo:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CheckUpdate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable Upgrade Prompt:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fast Transfers:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downloads each package in one request and resumes it after a broken connection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>License</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>see about</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Source Software Licenses</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UserManual</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the user manual</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot change path while downloading.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please close open tools.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DownloadPath</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The new path cannot be the current path or lie inside it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disk free space less than 2G.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not enough free space for the downloaded tools.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download path save fail.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save fail.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Open User&apos;s Manual fail.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No user manual found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Open Source Software Licenses file directory failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot update Gearloft while downloading.</source>
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
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>gearmart::TipFrame</name>
    <message>
        <source>Hint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag to sort or delete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearmart::ToolBoxTabWidget</name>
    <message>
        <source>All Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updateable Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update Tools</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearmart::ToolBoxWidget</name>
    <message>
        <source>My Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Separator</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n updateable tool(s)</source>
        <translation>
            <numerusform>%n updateable tool</numerusform>
            <numerusform>%n updateable tools</numerusform>
        </translation>
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
    <name>gearmart::ToolDownloadedScene</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Delete %1 and all its files?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Software already opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not in the download folder and was not deleted: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be deleted. Close every program that uses its files and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was deleted, but some of its files could not be removed: %2</source>
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
    <name>gearmart::TransferFailure</name>
    <message>
        <source>The package arrived damaged and was not installed. Please try again.</source>
        <translation>The package arrived damaged and was not installed. Please try again.</translation>
    </message>
    <message>
        <source>Other users of this computer could change the download folder, so nothing was saved there. Please choose a folder of your own.</source>
        <translation>Other users of this computer could change the download folder, so nothing was saved there. Please choose a folder of your own.</translation>
    </message>
    <message>
        <source>The folder Gearloft in your home folder was not made by this program and was left untouched. Please move it elsewhere and try again.</source>
        <translation>The folder Gearloft in your home folder was not made by this program and was left untouched. Please move it elsewhere and try again.</translation>
    </message>
    <message>
        <source>The download service stopped, and this download with it. Please try again.</source>
        <translation>The download service stopped, and this download with it. Please try again.</translation>
    </message>
    <message>
        <source>connect to network timeout.</source>
        <translation>connect to network timeout.</translation>
    </message>
    <message>
        <source>network initial failed.</source>
        <translation>network initial failed.</translation>
    </message>
    <message>
        <source>save failed.</source>
        <translation>save failed.</translation>
    </message>
    <message>
        <source>file not found.</source>
        <translation>file not found.</translation>
    </message>
    <message>
        <source>File not found.</source>
        <translation>File not found.</translation>
    </message>
    <message>
        <source>connect to network failed.</source>
        <translation>connect to network failed.</translation>
    </message>
    <message>
        <source>network abnomaly</source>
        <translation>network abnomaly</translation>
    </message>
    <message>
        <source>network anomaly</source>
        <translation>network anomaly</translation>
    </message>
    <message>
        <source>The package could not be verified as the publisher&apos;s, so it was not installed.</source>
        <translation>The package could not be verified as the publisher&apos;s, so it was not installed.</translation>
    </message>
    <message>
        <source>The download server&apos;s certificate could not be verified, so nothing was downloaded.</source>
        <translation>The download server&apos;s certificate could not be verified, so nothing was downloaded.</translation>
    </message>
</context>
<context>
    <name>gearmart::TransferProgressLabel</name>
    <message>
        <source>Transfer progress</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearmart::TransferProgressText</name>
    <message>
        <source>%1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>more than a day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 h</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1/s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearmart::UpdateToolsWidget</name>
    <message>
        <source>No Tool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>check all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updateable Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BatchUpdate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>gearmart::UpdateVersionDialog</name>
    <message>
        <source>Version updating</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updating V%1 to V%2</source>
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
    <message>
        <source>Update transfer progress</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>gearmart::VersionChecker</name>
    <message>
        <source>check new version!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>checking...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version have updated, please restart software</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>check failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are no new version</source>
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
<context>
    <name>swapover::UpgradeNotice</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close the notice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gearloft is closing to apply the update...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Applying the update to Gearloft...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The update could not be applied. Gearloft keeps its previous version.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
