<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>crestui::BaseDialog</name>
    <message>
        <source>Close</source>
        <translation>Close</translation>
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
        <translation>Switch</translation>
    </message>
</context>
<context>
    <name>crestui::IconButton</name>
    <message>
        <source>Picture</source>
        <translation>Picture</translation>
    </message>
</context>
<context>
    <name>crestui::TipDialogWithButtom</name>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
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
        <translation>Show %1</translation>
    </message>
</context>
<context>
    <name>gearmart::DeleteFrame</name>
    <message>
        <source>delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Drop here to delete</source>
        <translation>Drop here to delete</translation>
    </message>
</context>
<context>
    <name>gearmart::DownloadToolsWidget</name>
    <message>
        <source>No Tool</source>
        <translation>No tools</translation>
    </message>
    <message>
        <source>All Tools</source>
        <translation>All Tools</translation>
    </message>
    <message>
        <source>Downloaded tools. Alt+Up and Alt+Down move the focused tool, Delete removes it</source>
        <translation>Downloaded tools. Alt+Up and Alt+Down move the focused tool, Delete removes it</translation>
    </message>
</context>
<context>
    <name>gearmart::DownloadedSubToolWidget</name>
    <message>
        <source>Upgrade</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Creat Quick Link</source>
        <translation>Create Shortcut</translation>
    </message>
    <message>
        <source>Retry upgrade</source>
        <translation>Retry update</translation>
    </message>
    <message>
        <source>Cancel upgrade</source>
        <translation>Cancel update</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>Move down</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Version: V</source>
        <translation>Version: V</translation>
    </message>
    <message>
        <source>Release date: </source>
        <translation>Release date: </translation>
    </message>
    <message>
        <source>Updateable tool</source>
        <translation>Update available</translation>
    </message>
    <message>
        <source>Installed tool. Alt+Up and Alt+Down move it, Delete removes it</source>
        <translation>Installed tool. Alt+Up and Alt+Down move it, Delete removes it</translation>
    </message>
    <message>
        <source>%1 icon</source>
        <translation>%1 icon</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Release date</source>
        <translation>Release date</translation>
    </message>
    <message>
        <source>Update notes</source>
        <translation>Update notes</translation>
    </message>
    <message>
        <source>Upgrade %1</source>
        <translation>Update %1</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>Open %1</translation>
    </message>
    <message>
        <source>Create desktop link for %1</source>
        <translation>Create a desktop shortcut for %1</translation>
    </message>
    <message>
        <source>Cancel upgrade of %1</source>
        <translation>Cancel update of %1</translation>
    </message>
    <message>
        <source>Retry upgrade of %1</source>
        <translation>Retry update of %1</translation>
    </message>
    <message>
        <source>Upgrade progress of %1</source>
        <translation>Update progress of %1</translation>
    </message>
    <message>
        <source>Transfer progress of %1</source>
        <translation>Transfer progress of %1</translation>
    </message>
    <message>
        <source>Select %1</source>
        <translation>Select %1</translation>
    </message>
    <message>
        <source>Move %1 up</source>
        <translation>Move %1 up</translation>
    </message>
    <message>
        <source>Move %1 down</source>
        <translation>Move %1 down</translation>
    </message>
    <message>
        <source>Delete %1</source>
        <translation>Delete %1</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>Waiting...</translation>
    </message>
    <message>
        <source>download fail</source>
        <translation>Download failed</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Software already opened.</source>
        <translation>is already open.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Please set downlaod path at system setting page.</source>
        <translation>Please choose a download folder in Settings.</translation>
    </message>
    <message>
        <source>Disk free space little than tool Size, please modify download Path.</source>
        <translation>Not enough disk space for this tool. Choose another download folder.</translation>
    </message>
    <message>
        <source>Quick link successfully created to desktop.</source>
        <translation>A shortcut was created on the desktop.</translation>
    </message>
    <message>
        <source>Quick link create failed.</source>
        <translation>The desktop shortcut could not be created.</translation>
    </message>
    <message>
        <source>Comfirm</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>No quick link was made: the program of %1 is missing. Please update or download it again.</source>
        <translation>No quick link was made: the program of %1 is missing. Please update or download it again.</translation>
    </message>
    <message>
        <source>(installed: V%1)</source>
        <translation>(installed: V%1)</translation>
    </message>
    <message>
        <source>Show in folder</source>
        <translation>Show in folder</translation>
    </message>
    <message>
        <source>Skip this version</source>
        <translation>Skip this version</translation>
    </message>
    <message>
        <source>Size and install date</source>
        <translation>Size and install date</translation>
    </message>
    <message>
        <source>Show the folder of %1</source>
        <translation>Show the folder of %1</translation>
    </message>
    <message>
        <source>Skip version V%1 of %2</source>
        <translation>Skip version V%1 of %2</translation>
    </message>
    <message>
        <source>(installed: an earlier version)</source>
        <translation>(installed: an earlier version)</translation>
    </message>
    <message>
        <source>The update to V%1 is skipped. The settings can offer it again.</source>
        <translation>The update to V%1 is skipped. The settings can offer it again.</translation>
    </message>
    <message>
        <source>Size: %1</source>
        <translation>Size: %1</translation>
    </message>
    <message>
        <source>Installed on: %1</source>
        <translation>Installed on: %1</translation>
    </message>
</context>
<context>
    <name>gearmart::ExhibitorThumbnail</name>
    <message>
        <source>Picture %1 of %2</source>
        <translation>Picture %1 of %2</translation>
    </message>
</context>
<context>
    <name>gearmart::Gearmart</name>
    <message>
        <source>Brelvonix Gearloft</source>
        <translation>Brelvonix Gearloft</translation>
    </message>
    <message>
        <source>Connect to server fail</source>
        <translation>Could not connect to the download service.</translation>
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
        <translation>The connection to the download service was lost.</translation>
    </message>
    <message>
        <source>start server fail</source>
        <translation>The download service could not be started.</translation>
    </message>
    <message>
        <source>Are you sure close the software?</source>
        <translation>Are you sure you want to close Gearloft?</translation>
    </message>
    <message>
        <source>material have new version, please restart software.</source>
        <translation>The tool catalog has been updated. Please restart Gearloft.</translation>
    </message>
    <message>
        <source>Upgrade completed, restart software?</source>
        <translation>Update complete. Restart Gearloft now?</translation>
    </message>
    <message>
        <source>Restart Now</source>
        <translation>Restart Now</translation>
    </message>
    <message>
        <source>Restart Later</source>
        <translation>Restart Later</translation>
    </message>
    <message>
        <source>Upgrade fail, try again?</source>
        <translation>The update failed. Try again?</translation>
    </message>
    <message>
        <source>Again</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Not Now</translation>
    </message>
</context>
<context>
    <name>gearmart::GearmartApplication</name>
    <message>
        <source>Client is already running.</source>
        <translation>Gearloft is already running.</translation>
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
        <source>Gearloft cannot keep your settings and tools: %1</source>
        <translation>Gearloft cannot keep your settings and tools: %1</translation>
    </message>
</context>
<context>
    <name>gearmart::HelpWidget</name>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>user manual(F1)</source>
        <translation>User Manual (F1)</translation>
    </message>
    <message>
        <source>License</source>
        <translation>License</translation>
    </message>
    <message>
        <source>Open Source Software Licenses</source>
        <translation>Open Source Software Licenses</translation>
    </message>
    <message>
        <source>/help.pdf</source>
        <translation>/help.pdf</translation>
    </message>
    <message>
        <source>No user manual found.</source>
        <translation>No user manual found.</translation>
    </message>
    <message>
        <source>Open User&apos;s Manual fail.</source>
        <translation>The user manual could not be opened.</translation>
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
        <translation>The open source licenses folder could not be opened.</translation>
    </message>
    <message>
        <source>Open log folder</source>
        <translation>Open log folder</translation>
    </message>
    <message>
        <source>Copy diagnostics</source>
        <translation>Copy diagnostics</translation>
    </message>
    <message>
        <source>The log folder cannot be opened.</source>
        <translation>The log folder cannot be opened.</translation>
    </message>
    <message>
        <source>Diagnostics copied</source>
        <translation>Diagnostics copied</translation>
    </message>
</context>
<context>
    <name>gearmart::InquiryIfUpdatePromptDialog</name>
    <message>
        <source>Upgrade Detect</source>
        <translation>Update Notifications</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>Enable</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>Disable</translation>
    </message>
    <message>
        <source>Enable upgrade detection will automatically prompt new relased version, enable it?</source>
        <translation>Gearloft can tell you when a new version is released. Turn on update notifications?</translation>
    </message>
</context>
<context>
    <name>gearmart::InstalledToolActions</name>
    <message>
        <source>measuring...</source>
        <translation>measuring...</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>an earlier version</source>
        <translation>an earlier version</translation>
    </message>
    <message>
        <source>Roll back to the previous version</source>
        <translation>Roll back to the previous version</translation>
    </message>
    <message>
        <source>Roll back to V%1</source>
        <translation>Roll back to V%1</translation>
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
        <source>No previous version of %1 is kept any more.</source>
        <translation>No previous version of %1 is kept any more.</translation>
    </message>
    <message>
        <source>%1 was rolled back to %2.</source>
        <translation>%1 was rolled back to %2.</translation>
    </message>
    <message>
        <source>%1 is running. Close it, then roll back.</source>
        <translation>%1 is running. Close it, then roll back.</translation>
    </message>
    <message>
        <source>The folder of %1 is missing.</source>
        <translation>The folder of %1 is missing.</translation>
    </message>
    <message>
        <source>No file manager could open the folder of %1.</source>
        <translation>No file manager could open the folder of %1.</translation>
    </message>
    <message>
        <source>Roll %1 back to %2? V%3 is then skipped.</source>
        <translation>Roll %1 back to %2? V%3 is then skipped.</translation>
    </message>
    <message>
        <source>%1 is being updated. Roll back after the update.</source>
        <translation>%1 is being updated. Roll back after the update.</translation>
    </message>
    <message>
        <source>%1 could not be rolled back; it stays as it was.</source>
        <translation>%1 could not be rolled back; it stays as it was.</translation>
    </message>
    <message>
        <source>%1 could not be rolled back completely. Please update it again.</source>
        <translation>%1 could not be rolled back completely. Please update it again.</translation>
    </message>
</context>
<context>
    <name>gearmart::MoreInfoLeftWidget</name>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Cancel download of %1</source>
        <translation>Cancel download of %1</translation>
    </message>
    <message>
        <source>Retry download of %1</source>
        <translation>Retry download of %1</translation>
    </message>
    <message>
        <source>information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Time:</source>
        <translation>Date:</translation>
    </message>
    <message>
        <source>size:</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source>version:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>Waiting...</translation>
    </message>
    <message>
        <source>download fail</source>
        <translation>Download failed</translation>
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
        <translation>Please choose a download folder in Settings.</translation>
    </message>
    <message>
        <source>Disk free space little than tool Size, please modify download Path.</source>
        <translation>Not enough disk space for this tool. Choose another download folder.</translation>
    </message>
    <message>
        <source>have already open, please close at first.</source>
        <translation>is already open. Please close it first.</translation>
    </message>
    <message>
        <source>have already open.</source>
        <translation>is already open.</translation>
    </message>
    <message>
        <source>Transfer progress of %1</source>
        <translation>Transfer progress of %1</translation>
    </message>
    <message>
        <source>Installed:</source>
        <translation>Installed:</translation>
    </message>
    <message>
        <source>On disk:</source>
        <translation>On disk:</translation>
    </message>
    <message>
        <source>Installed on:</source>
        <translation>Installed on:</translation>
    </message>
    <message>
        <source>Installed version</source>
        <translation>Installed version</translation>
    </message>
    <message>
        <source>Size on disk</source>
        <translation>Size on disk</translation>
    </message>
    <message>
        <source>Installed or updated on</source>
        <translation>Installed or updated on</translation>
    </message>
    <message>
        <source>Show in folder</source>
        <translation>Show in folder</translation>
    </message>
    <message>
        <source>Show the folder of %1</source>
        <translation>Show the folder of %1</translation>
    </message>
</context>
<context>
    <name>gearmart::MoreInfoRightTopWidget</name>
    <message>
        <source>Shows or shortens the description</source>
        <translation>Shows or shortens the description</translation>
    </message>
    <message>
        <source>Update info</source>
        <translation>Update notes</translation>
    </message>
    <message>
        <source>Shows or hides the notes on the newest version</source>
        <translation>Shows or hides the notes on the newest version</translation>
    </message>
    <message>
        <source>...more</source>
        <translation>Show more</translation>
    </message>
    <message>
        <source>return</source>
        <translation>Show less</translation>
    </message>
</context>
<context>
    <name>gearmart::NoMatchPanel</name>
    <message>
        <source>Clear search</source>
        <translation>Clear search</translation>
    </message>
    <message>
        <source>No tool matches &quot;%1&quot;.</source>
        <translation>No tool matches “%1”.</translation>
    </message>
</context>
<context>
    <name>gearmart::ProgressBar</name>
    <message>
        <source>Download Fail!</source>
        <translation>Download failed</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progress</translation>
    </message>
</context>
<context>
    <name>gearmart::SignInGate</name>
    <message>
        <source>Sign-in is not available: the sign-in program is missing. Please reinstall the software.</source>
        <translation>Sign-in is not available: the sign-in program is missing. Please reinstall the software.</translation>
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
        <translation>Spacer</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Cancel download</source>
        <translation>Cancel download</translation>
    </message>
    <message>
        <source>Retry download</source>
        <translation>Retry download</translation>
    </message>
    <message>
        <source>New tool</source>
        <translation>New tool</translation>
    </message>
    <message>
        <source>Sign-in required</source>
        <translation>Sign-in required</translation>
    </message>
    <message>
        <source>Show details of %1</source>
        <translation>Show details of %1</translation>
    </message>
    <message>
        <source>Download %1</source>
        <translation>Download %1</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>Open %1</translation>
    </message>
    <message>
        <source>Cancel download of %1</source>
        <translation>Cancel download of %1</translation>
    </message>
    <message>
        <source>Retry download of %1</source>
        <translation>Retry download of %1</translation>
    </message>
    <message>
        <source>Download progress of %1</source>
        <translation>Download progress of %1</translation>
    </message>
    <message>
        <source>%1 logo</source>
        <translation>%1 logo</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>Waiting...</translation>
    </message>
    <message>
        <source>download fail</source>
        <translation>Download failed</translation>
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
        <translation>Please choose a download folder in Settings.</translation>
    </message>
    <message>
        <source>Disk free space little than tool Size, please modify download Path.</source>
        <translation>Not enough disk space for this tool. Choose another download folder.</translation>
    </message>
    <message>
        <source>Software already opened.</source>
        <translation>is already open.</translation>
    </message>
    <message>
        <source>Transfer progress of %1</source>
        <translation>Transfer progress of %1</translation>
    </message>
</context>
<context>
    <name>gearmart::SystemConfigWidget</name>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Change path Please close open tools and all had download tools will move to new path.</source>
        <translation>Close open tools before changing the path. All downloaded tools will be moved to the new path.</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Path:</source>
        <translation>Path:</translation>
    </message>
    <message>
        <source>Moving the downloaded tools</source>
        <translation>Moving the downloaded tools</translation>
    </message>
    <message>
        <source>ChangePath</source>
        <translation>Change Path</translation>
    </message>
    <message>
        <source>click close button quit open software</source>
        <translation>Close open tools when Gearloft closes</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>VersionInfo:</source>
        <translation>Current version:</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>CheckUpdate</source>
        <translation>Check for Updates</translation>
    </message>
    <message>
        <source>Enable Upgrade Prompt:</source>
        <translation>Update Notifications:</translation>
    </message>
    <message>
        <source>Fast Transfers:</source>
        <translation>Fast Transfers:</translation>
    </message>
    <message>
        <source>Downloads each package in one request and resumes it after a broken connection.</source>
        <translation>Downloads each package in one request and resumes it after a broken connection.</translation>
    </message>
    <message>
        <source>License</source>
        <translation>License</translation>
    </message>
    <message>
        <source>see about</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Open Source Software Licenses</source>
        <translation>Open Source Software Licenses</translation>
    </message>
    <message>
        <source>UserManual</source>
        <translation>User Manual</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Open the user manual</source>
        <translation>Open the user manual</translation>
    </message>
    <message>
        <source>Cannot change path while downloading.</source>
        <translation>The path cannot be changed while tools are downloading.</translation>
    </message>
    <message>
        <source>Please close open tools.</source>
        <translation>Please close the open tools first.</translation>
    </message>
    <message>
        <source>DownloadPath</source>
        <translation>Choose Download Folder</translation>
    </message>
    <message>
        <source>The new path cannot be the current path or lie inside it.</source>
        <translation>The new path cannot be the current path or lie inside it.</translation>
    </message>
    <message>
        <source>Disk free space less than 2G.</source>
        <translation>Less than 2 GB of free disk space.</translation>
    </message>
    <message>
        <source>Not enough free space for the downloaded tools.</source>
        <translation>Not enough free space for the downloaded tools.</translation>
    </message>
    <message>
        <source>Download path save fail.</source>
        <translation>The download path could not be saved.</translation>
    </message>
    <message>
        <source>save fail.</source>
        <translation>Saving failed.</translation>
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
        <translation>The user manual could not be opened.</translation>
    </message>
    <message>
        <source>No user manual found.</source>
        <translation>No user manual found.</translation>
    </message>
    <message>
        <source>Open Open Source Software Licenses file directory failed.</source>
        <translation>The open source licenses folder could not be opened.</translation>
    </message>
    <message>
        <source>Cannot update Gearloft while downloading.</source>
        <translation>Cannot update Gearloft while downloading.</translation>
    </message>
    <message>
        <source>%1 is running. Please close it first: its files move with the download folder.</source>
        <translation>%1 is running. Please close it first: its files move with the download folder.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written to. Please choose another folder.</source>
        <translation>The folder %1 cannot be written to. Please choose another folder.</translation>
    </message>
    <message>
        <source>The downloaded tools were moved to %1.</source>
        <translation>The downloaded tools were moved to %1.</translation>
    </message>
    <message>
        <source>The downloaded tools need %1, but only %2 is free there. Nothing was moved.</source>
        <translation>The downloaded tools need %1, but only %2 is free there. Nothing was moved.</translation>
    </message>
    <message>
        <source>The new download folder could not be saved in the settings. The tools stay in %1.</source>
        <translation>The new download folder could not be saved in the settings. The tools stay in %1.</translation>
    </message>
    <message>
        <source>The tools could not be copied to %1 (is it writable, and is there room?). They stay in %2.</source>
        <translation>The tools could not be copied to %1 (is it writable, and is there room?). They stay in %2.</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>The new language shows from the next start of Gearloft.</source>
        <translation>The new language shows from the next start of Gearloft.</translation>
    </message>
    <message>
        <source>Skipped updates</source>
        <translation>Skipped updates</translation>
    </message>
    <message>
        <source>No update is skipped.</source>
        <translation>No update is skipped.</translation>
    </message>
    <message>
        <source>Offer again</source>
        <translation>Offer again</translation>
    </message>
    <message>
        <source>Offer the update of %1 to V%2 again</source>
        <translation>Offer the update of %1 to V%2 again</translation>
    </message>
</context>
<context>
    <name>gearmart::TipDialog</name>
    <message>
        <source>Tip</source>
        <translation>Notice</translation>
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
        <translation>Hint</translation>
    </message>
    <message>
        <source>Drag to sort or delete</source>
        <translation>Drag to reorder or delete</translation>
    </message>
</context>
<context>
    <name>gearmart::ToolBoxTabWidget</name>
    <message>
        <source>All Tools</source>
        <translation>All Tools</translation>
    </message>
    <message>
        <source>Updateable Tools</source>
        <translation>Updatable Tools</translation>
    </message>
    <message>
        <source>Update Tools</source>
        <translation>Update Tools</translation>
    </message>
</context>
<context>
    <name>gearmart::ToolBoxWidget</name>
    <message>
        <source>My Tools</source>
        <translation>My Tools</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Separator</translation>
    </message>
    <message numerus="yes">
        <source>%n updateable tool(s)</source>
        <translation>
            <numerusform>%n updatable tool</numerusform>
            <numerusform>%n updatable tools</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>gearmart::ToolCategory</name>
    <message>
        <source>System tools</source>
        <translation>System tools</translation>
    </message>
    <message>
        <source>Network tools</source>
        <translation>Network tools</translation>
    </message>
    <message>
        <source>Office and media</source>
        <translation>Office and media</translation>
    </message>
    <message>
        <source>Utilities</source>
        <translation>Utilities</translation>
    </message>
</context>
<context>
    <name>gearmart::ToolDownloadWidget</name>
    <message>
        <source>Fold banner</source>
        <translation>Collapse banner</translation>
    </message>
    <message>
        <source>Unfold banner</source>
        <translation>Expand banner</translation>
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
        <translation>Delete %1 and all its files?</translation>
    </message>
    <message>
        <source>Software already opened.</source>
        <translation>is already open.</translation>
    </message>
    <message>
        <source>%1 is not in the download folder and was not deleted: %2</source>
        <translation>%1 is not in the download folder and was not deleted: %2</translation>
    </message>
    <message>
        <source>%1 could not be deleted. Close every program that uses its files and try again.</source>
        <translation>%1 could not be deleted. Close every program that uses its files and try again.</translation>
    </message>
    <message>
        <source>%1 was deleted, but some of its files could not be removed: %2</source>
        <translation>%1 was deleted, but some of its files could not be removed: %2</translation>
    </message>
</context>
<context>
    <name>gearmart::ToolIntroPictureWidget</name>
    <message>
        <source>Featured tool</source>
        <translation>Featured tool</translation>
    </message>
    <message>
        <source>Next picture</source>
        <translation>Next picture</translation>
    </message>
    <message>
        <source>Show %1</source>
        <translation>Show %1</translation>
    </message>
</context>
<context>
    <name>gearmart::ToolMoreInfoWidget</name>
    <message>
        <source>Home Page</source>
        <translation>Home</translation>
    </message>
</context>
<context>
    <name>gearmart::ToolSearchField</name>
    <message>
        <source>Search tools (Ctrl+F)</source>
        <translation>Search tools (Ctrl+F)</translation>
    </message>
    <message>
        <source>Search tools</source>
        <translation>Search tools</translation>
    </message>
    <message>
        <source>Filters the tools by name, description and category as you type</source>
        <translation>Filters the tools by name, description and category as you type</translation>
    </message>
    <message>
        <source>Clear search</source>
        <translation>Clear search</translation>
    </message>
</context>
<context>
    <name>gearmart::ToolTypeWidget</name>
    <message>
        <source>All Tool</source>
        <translation>All Tools</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message numerus="yes">
        <source>%n tool(s)</source>
        <translation>
            <numerusform>%n tool</numerusform>
            <numerusform>%n tools</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>gearmart::ToolUpdateScene</name>
    <message>
        <source>No tool is ticked. Tick the tools to update, then press Update.</source>
        <translation>No tool is ticked. Tick the tools to update, then press Update.</translation>
    </message>
    <message>
        <source>The ticked tools are being updated already, or their update failed: use the retry button on their rows.</source>
        <translation>The ticked tools are being updated already, or their update failed: use the retry button on their rows.</translation>
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
    <name>gearmart::TransferFailure</name>
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
        <translation>Connection timed out.</translation>
    </message>
    <message>
        <source>network initial failed.</source>
        <translation>Network setup failed.</translation>
    </message>
    <message>
        <source>save failed.</source>
        <translation>Saving failed.</translation>
    </message>
    <message>
        <source>file not found.</source>
        <translation>File not found.</translation>
    </message>
    <message>
        <source>File not found.</source>
        <translation>File not found.</translation>
    </message>
    <message>
        <source>connect to network failed.</source>
        <translation>Network connection failed.</translation>
    </message>
    <message>
        <source>network abnomaly</source>
        <translation>Network error</translation>
    </message>
    <message>
        <source>network anomaly</source>
        <translation>Network error</translation>
    </message>
    <message>
        <source>The package failed its integrity check (it was damaged or altered on the way) and was not installed.</source>
        <translation>The package failed its integrity check (it was damaged or altered on the way) and was not installed.</translation>
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
        <translation>Transfer progress</translation>
    </message>
</context>
<context>
    <name>gearmart::TransferProgressText</name>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 min %2 s</translation>
    </message>
    <message>
        <source>more than a day</source>
        <translation>more than a day</translation>
    </message>
    <message>
        <source>%1 h</source>
        <translation>%1 h</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 of %2</translation>
    </message>
    <message>
        <source>%1/s</source>
        <translation>%1/s</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>%1 left</translation>
    </message>
</context>
<context>
    <name>gearmart::UpdateToolsWidget</name>
    <message>
        <source>No Tool</source>
        <translation>No tools</translation>
    </message>
    <message>
        <source>check all</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>Updateable Tools</source>
        <translation>Updatable Tools</translation>
    </message>
    <message>
        <source>BatchUpdate</source>
        <translation>Batch Update</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Update</translation>
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
        <translation>Updating Gearloft</translation>
    </message>
    <message>
        <source>Updating V%1 to V%2</source>
        <translation>Updating V%1 to V%2</translation>
    </message>
    <message>
        <source>Update progress</source>
        <translation>Update progress</translation>
    </message>
    <message>
        <source>Cancel update</source>
        <translation>Cancel update</translation>
    </message>
    <message>
        <source>Update transfer progress</source>
        <translation>Update transfer progress</translation>
    </message>
</context>
<context>
    <name>gearmart::VersionChecker</name>
    <message>
        <source>check new version!</source>
        <translation>A new version is available.</translation>
    </message>
    <message>
        <source>checking...</source>
        <translation>Checking...</translation>
    </message>
    <message>
        <source>Version have updated, please restart software</source>
        <translation>Gearloft has been updated. Please restart it.</translation>
    </message>
    <message>
        <source>check failed</source>
        <translation>Check failed</translation>
    </message>
    <message>
        <source>There are no new version</source>
        <translation>You have the latest version.</translation>
    </message>
    <message>
        <source>Gearloft is updated by the system&apos;s package manager.</source>
        <translation>Gearloft is updated by the system&apos;s package manager.</translation>
    </message>
</context>
<context>
    <name>gearmart::WindowTitleWidget</name>
    <message>
        <source>Gear Mart</source>
        <translation>Gear Mart</translation>
    </message>
    <message>
        <source>Tools Down</source>
        <translation>Get Tools</translation>
    </message>
    <message>
        <source>My Tools</source>
        <translation>My Tools</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maximize</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restore</translation>
    </message>
</context>
<context>
    <name>swapover::UpgradeNotice</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Close the notice</source>
        <translation>Close the notice</translation>
    </message>
    <message>
        <source>Gearloft is closing to apply the update...</source>
        <translation>Gearloft is closing to apply the update...</translation>
    </message>
    <message>
        <source>Applying the update to Gearloft...</source>
        <translation>Applying the update to Gearloft...</translation>
    </message>
    <message>
        <source>The update could not be applied. Gearloft keeps its previous version.</source>
        <translation>The update could not be applied. Gearloft keeps its previous version.</translation>
    </message>
</context>
</TS>
