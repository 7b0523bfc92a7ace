<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>InstallingUI</name>
    <message>
        <source>MainWindowUI</source>
        <translation>Gearloft Uninstaller</translation>
    </message>
    <message>
        <source>UndoMerge</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>MainWindowUI</name>
    <message>
        <source>MainWindowUI</source>
        <translation>Gearloft Uninstaller</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>TheClientIsRunningPrnptTrdtT</source>
        <translation>Gearloft is running. Please close it, then run the uninstaller again.</translation>
    </message>
    <message>
        <source>DetermineTheUninstalfYANYiIa</source>
        <translation>Are you sure you want to uninstall Gearloft?</translation>
    </message>
    <message>
        <source>ThisSoftwareIsNotCurmXqDCfI</source>
        <translation>Gearloft is not installed for the current user.</translation>
    </message>
    <message>
        <source>BeganToUnloadWkJrSaJaAq</source>
        <translation>Starting to uninstall...</translation>
    </message>
    <message>
        <source>DeleteShortcutULXVgdVTs</source>
        <translation>Removing shortcuts...</translation>
    </message>
    <message>
        <source>ClearTheRegistryeuyqTkYHjj</source>
        <translation>Clearing the registry entries...</translation>
    </message>
    <message>
        <source>Uninstalled</source>
        <translation>Uninstalled</translation>
    </message>
</context>
<context>
    <name>UnInstallCompletedUI</name>
    <message>
        <source>MainWindowUI</source>
        <translation>Gearloft Uninstaller</translation>
    </message>
    <message>
        <source>Uninstalled</source>
        <translation>Gearloft has been uninstalled</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Finish</translation>
    </message>
</context>
<context>
    <name>UpperWidgeUI</name>
    <message>
        <source>MainWindowUI</source>
        <translation>Gearloft Uninstaller</translation>
    </message>
</context>
<context>
    <name>appinstaller::CustomTitleWidget</name>
    <message>
        <source>LoftwardenuZxkRHANyR</source>
        <translation>Gearloft Uninstaller</translation>
    </message>
    <message>
        <source>Product icon</source>
        <translation>Product icon</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>appinstaller::InstallingPage</name>
    <message>
        <source>Current step</source>
        <translation>Current step</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>Progress bar</source>
        <translation>Progress bar</translation>
    </message>
</context>
<context>
    <name>appinstaller::UnInstallCompletedPage</name>
    <message>
        <source>Result</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Folder left in place</source>
        <translation>Folder left in place</translation>
    </message>
    <message>
        <source>UninstalledFolderKeptRqWbNx</source>
        <translation>Uninstalled, but one folder was left in place</translation>
    </message>
    <message>
        <source>LeftFilesAddedLaterTzQmWe</source>
        <translation>Files added after installing, such as downloaded tools, were kept in:</translation>
    </message>
    <message>
        <source>LeftFilesNotRemovableHxPvKa</source>
        <translation>Some files could not be removed and are still in:</translation>
    </message>
    <message>
        <source>LeftFolderNotRecognisedJcRsNo</source>
        <translation>Not recognised as a Gearloft installation, so nothing was removed in:</translation>
    </message>
    <message>
        <source>LeftManifestUnreadableUwBdYf</source>
        <translation>The list of installed files is unreadable, so nothing was removed in:</translation>
    </message>
</context>
<context>
    <name>quillkit::CModalTipDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
</context>
</TS>
