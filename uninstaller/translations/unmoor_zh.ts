<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>InstallingUI</name>
    <message>
        <source>MainWindowUI</source>
        <translation>Loftwarden 卸载程序</translation>
    </message>
    <message>
        <source>UndoMerge</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>MainWindowUI</name>
    <message>
        <source>MainWindowUI</source>
        <translation>Loftwarden 卸载程序</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>TheClientIsRunningPrnptTrdtT</source>
        <translation>Loftwarden 正在运行，请先关闭它，然后重新运行卸载程序。</translation>
    </message>
    <message>
        <source>DetermineTheUninstalfYANYiIa</source>
        <translation>确定要卸载 Loftwarden 吗？</translation>
    </message>
    <message>
        <source>ThisSoftwareIsNotCurmXqDCfI</source>
        <translation>当前用户未安装 Loftwarden。</translation>
    </message>
    <message>
        <source>BeganToUnloadWkJrSaJaAq</source>
        <translation>开始卸载…</translation>
    </message>
    <message>
        <source>DeleteShortcutULXVgdVTs</source>
        <translation>正在删除快捷方式…</translation>
    </message>
    <message>
        <source>ClearTheRegistryeuyqTkYHjj</source>
        <translation>正在清理注册表项…</translation>
    </message>
    <message>
        <source>Uninstalled</source>
        <translation>卸载完成</translation>
    </message>
</context>
<context>
    <name>UnInstallCompletedUI</name>
    <message>
        <source>MainWindowUI</source>
        <translation>Loftwarden 卸载程序</translation>
    </message>
    <message>
        <source>Uninstalled</source>
        <translation>Loftwarden 已成功卸载</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>完成</translation>
    </message>
</context>
<context>
    <name>UpperWidgeUI</name>
    <message>
        <source>MainWindowUI</source>
        <translation>Loftwarden 卸载程序</translation>
    </message>
</context>
<context>
    <name>appinstaller::CustomTitleWidget</name>
    <message>
        <source>LoftwardenuZxkRHANyR</source>
        <translation>Loftwarden 卸载程序</translation>
    </message>
    <message>
        <source>Product icon</source>
        <translation>产品图标</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>appinstaller::InstallingPage</name>
    <message>
        <source>Current step</source>
        <translation>当前步骤</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>进度</translation>
    </message>
    <message>
        <source>Progress bar</source>
        <translation>进度条</translation>
    </message>
</context>
<context>
    <name>appinstaller::UnInstallCompletedPage</name>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Folder left in place</source>
        <translation>保留的文件夹</translation>
    </message>
    <message>
        <source>UninstalledFolderKeptRqWbNx</source>
        <translation>卸载完成，但保留了一个文件夹</translation>
    </message>
    <message>
        <source>LeftFilesAddedLaterTzQmWe</source>
        <translation>安装后添加的文件（如已下载的工具）已保留在：</translation>
    </message>
    <message>
        <source>LeftFilesNotRemovableHxPvKa</source>
        <translation>部分文件无法删除，仍在：</translation>
    </message>
    <message>
        <source>LeftFolderNotRecognisedJcRsNo</source>
        <translation>无法确认这是 Loftwarden 的安装文件夹，未删除其中任何内容：</translation>
    </message>
    <message>
        <source>LeftManifestUnreadableUwBdYf</source>
        <translation>无法读取安装文件清单，未删除其中任何内容：</translation>
    </message>
</context>
<context>
    <name>quillkit::CModalTipDialog</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>提示</translation>
    </message>
</context>
</TS>
