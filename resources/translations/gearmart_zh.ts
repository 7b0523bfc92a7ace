<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>crestui::BaseDialog</name>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>crestui::CMiddleSwitchBox</name>
    <message>
        <source>Switch</source>
        <translation>开关</translation>
    </message>
</context>
<context>
    <name>crestui::IconButton</name>
    <message>
        <source>Picture</source>
        <translation>图片</translation>
    </message>
</context>
<context>
    <name>crestui::TipDialogWithButtom</name>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>gearmart::BannerIndicatorWidget</name>
    <message>
        <source>Show %1</source>
        <translation>查看%1</translation>
    </message>
</context>
<context>
    <name>gearmart::DeleteFrame</name>
    <message>
        <source>delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Drop here to delete</source>
        <translation>拖到此处删除</translation>
    </message>
</context>
<context>
    <name>gearmart::DownloadToolsWidget</name>
    <message>
        <source>No Tool</source>
        <translation>暂无工具</translation>
    </message>
    <message>
        <source>All Tools</source>
        <translation>全部工具</translation>
    </message>
    <message>
        <source>Downloaded tools. Alt+Up and Alt+Down move the focused tool, Delete removes it</source>
        <translation>已下载的工具。Alt+上/下方向键移动当前工具，Delete 键删除</translation>
    </message>
</context>
<context>
    <name>gearmart::DownloadedSubToolWidget</name>
    <message>
        <source>Upgrade</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Creat Quick Link</source>
        <translation>创建桌面快捷方式</translation>
    </message>
    <message>
        <source>Retry upgrade</source>
        <translation>重新更新</translation>
    </message>
    <message>
        <source>Cancel upgrade</source>
        <translation>取消更新</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>上移</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>下移</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Version: V</source>
        <translation>版本：V</translation>
    </message>
    <message>
        <source>Release date: </source>
        <translation>发布日期：</translation>
    </message>
    <message>
        <source>Updateable tool</source>
        <translation>可更新的工具</translation>
    </message>
    <message>
        <source>Installed tool. Alt+Up and Alt+Down move it, Delete removes it</source>
        <translation>已安装的工具。Alt+上/下方向键移动，Delete 键删除</translation>
    </message>
    <message>
        <source>%1 icon</source>
        <translation>%1 图标</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>Release date</source>
        <translation>发布日期</translation>
    </message>
    <message>
        <source>Update notes</source>
        <translation>更新说明</translation>
    </message>
    <message>
        <source>Upgrade %1</source>
        <translation>更新%1</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>打开%1</translation>
    </message>
    <message>
        <source>Create desktop link for %1</source>
        <translation>为%1创建桌面快捷方式</translation>
    </message>
    <message>
        <source>Cancel upgrade of %1</source>
        <translation>取消更新%1</translation>
    </message>
    <message>
        <source>Retry upgrade of %1</source>
        <translation>重新更新%1</translation>
    </message>
    <message>
        <source>Upgrade progress of %1</source>
        <translation>%1的更新进度</translation>
    </message>
    <message>
        <source>Transfer progress of %1</source>
        <translation>%1的传输进度</translation>
    </message>
    <message>
        <source>Select %1</source>
        <translation>选择%1</translation>
    </message>
    <message>
        <source>Move %1 up</source>
        <translation>上移%1</translation>
    </message>
    <message>
        <source>Move %1 down</source>
        <translation>下移%1</translation>
    </message>
    <message>
        <source>Delete %1</source>
        <translation>删除%1</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>等待中...</translation>
    </message>
    <message>
        <source>download fail</source>
        <translation>下载失败</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Software already opened.</source>
        <translation>软件已打开。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Please set downlaod path at system setting page.</source>
        <translation>请在系统设置页面设置下载路径。</translation>
    </message>
    <message>
        <source>Disk free space little than tool Size, please modify download Path.</source>
        <translation>磁盘剩余空间小于工具大小，请修改下载路径。</translation>
    </message>
    <message>
        <source>Quick link successfully created to desktop.</source>
        <translation>已成功在桌面创建快捷方式。</translation>
    </message>
    <message>
        <source>Quick link create failed.</source>
        <translation>快捷方式创建失败。</translation>
    </message>
    <message>
        <source>Comfirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>No quick link was made: the program of %1 is missing. Please update or download it again.</source>
        <translation>未创建快捷方式：%1 的程序不存在。请更新或重新下载。</translation>
    </message>
    <message>
        <source>(installed: V%1)</source>
        <translation>（已安装：V%1）</translation>
    </message>
    <message>
        <source>Show in folder</source>
        <translation>在文件夹中显示</translation>
    </message>
    <message>
        <source>Skip this version</source>
        <translation>跳过此版本</translation>
    </message>
    <message>
        <source>Size and install date</source>
        <translation>大小和安装日期</translation>
    </message>
    <message>
        <source>Show the folder of %1</source>
        <translation>显示 %1 所在的文件夹</translation>
    </message>
    <message>
        <source>Skip version V%1 of %2</source>
        <translation>跳过 %2 的 V%1 版本</translation>
    </message>
    <message>
        <source>(installed: an earlier version)</source>
        <translation>（已安装：较早的版本）</translation>
    </message>
    <message>
        <source>The update to V%1 is skipped. The settings can offer it again.</source>
        <translation>已跳过 V%1 版本的更新，可在设置中恢复。</translation>
    </message>
    <message>
        <source>Size: %1</source>
        <translation>大小：%1</translation>
    </message>
    <message>
        <source>Installed on: %1</source>
        <translation>安装日期：%1</translation>
    </message>
</context>
<context>
    <name>gearmart::ExhibitorThumbnail</name>
    <message>
        <source>Picture %1 of %2</source>
        <translation>%2的第%1张图片</translation>
    </message>
</context>
<context>
    <name>gearmart::Gearmart</name>
    <message>
        <source>Brelvonix Gearloft</source>
        <translation>Brelvonix 工具坊</translation>
    </message>
    <message>
        <source>Connect to server fail</source>
        <translation>连接服务失败</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>connect to server fail</source>
        <translation>与服务的连接已断开</translation>
    </message>
    <message>
        <source>start server fail</source>
        <translation>启动服务失败</translation>
    </message>
    <message>
        <source>Are you sure close the software?</source>
        <translation>确定要关闭软件吗？</translation>
    </message>
    <message>
        <source>material have new version, please restart software.</source>
        <translation>素材有新版本，请重启软件。</translation>
    </message>
    <message>
        <source>Upgrade completed, restart software?</source>
        <translation>更新完成，是否重启软件？</translation>
    </message>
    <message>
        <source>Restart Now</source>
        <translation>立即重启</translation>
    </message>
    <message>
        <source>Restart Later</source>
        <translation>稍后重启</translation>
    </message>
    <message>
        <source>Upgrade fail, try again?</source>
        <translation>更新失败，是否重试？</translation>
    </message>
    <message>
        <source>Again</source>
        <translation>重试</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下次再说</translation>
    </message>
</context>
<context>
    <name>gearmart::GearmartApplication</name>
    <message>
        <source>Client is already running.</source>
        <translation>客户端已在运行。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Gearloft cannot keep your settings and tools: %1</source>
        <translation>Gearloft 无法保存您的设置和工具：%1</translation>
    </message>
</context>
<context>
    <name>gearmart::HelpWidget</name>
    <message>
        <source>Open log folder</source>
        <translation>打开日志文件夹</translation>
    </message>
    <message>
        <source>Copy diagnostics</source>
        <translation>复制诊断信息</translation>
    </message>
    <message>
        <source>Diagnostics copied</source>
        <translation>诊断信息已复制</translation>
    </message>
    <message>
        <source>The log folder cannot be opened.</source>
        <translation>无法打开日志文件夹。</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>user manual(F1)</source>
        <translation>用户手册(F1)</translation>
    </message>
    <message>
        <source>License</source>
        <translation>许可证</translation>
    </message>
    <message>
        <source>Open Source Software Licenses</source>
        <translation>开源软件许可证</translation>
    </message>
    <message>
        <source>/help.pdf</source>
        <translation>/help_zh.pdf</translation>
    </message>
    <message>
        <source>No user manual found.</source>
        <translation>未找到用户手册。</translation>
    </message>
    <message>
        <source>Open User&apos;s Manual fail.</source>
        <translation>打开用户手册失败。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Open Open Source Software Licenses file directory failed.</source>
        <translation>打开开源软件许可证文件目录失败。</translation>
    </message>
</context>
<context>
    <name>gearmart::InquiryIfUpdatePromptDialog</name>
    <message>
        <source>Upgrade Detect</source>
        <translation>更新检测</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>不启用</translation>
    </message>
    <message>
        <source>Enable upgrade detection will automatically prompt new relased version, enable it?</source>
        <translation>启用更新检测后，有新版本发布时将自动提示。是否启用？</translation>
    </message>
</context>
<context>
    <name>gearmart::InstalledToolActions</name>
    <message>
        <source>measuring...</source>
        <translation>正在计算...</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>an earlier version</source>
        <translation>较早的版本</translation>
    </message>
    <message>
        <source>Roll back to the previous version</source>
        <translation>回退到上一个版本</translation>
    </message>
    <message>
        <source>Roll back to V%1</source>
        <translation>回退到 V%1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>No previous version of %1 is kept any more.</source>
        <translation>%1 已没有保留的上一个版本。</translation>
    </message>
    <message>
        <source>%1 was rolled back to %2.</source>
        <translation>%1 已回退到 %2。</translation>
    </message>
    <message>
        <source>%1 is running. Close it, then roll back.</source>
        <translation>%1 正在运行。请先关闭它，然后再回退。</translation>
    </message>
    <message>
        <source>The folder of %1 is missing.</source>
        <translation>%1 的文件夹不存在。</translation>
    </message>
    <message>
        <source>No file manager could open the folder of %1.</source>
        <translation>没有文件管理器能打开 %1 的文件夹。</translation>
    </message>
    <message>
        <source>Roll %1 back to %2? V%3 is then skipped.</source>
        <translation>要将 %1 回退到 %2 吗？之后将跳过 V%3。</translation>
    </message>
    <message>
        <source>%1 is being updated. Roll back after the update.</source>
        <translation>%1 正在更新，请在更新完成后再回退。</translation>
    </message>
    <message>
        <source>%1 could not be rolled back; it stays as it was.</source>
        <translation>%1 未能回退，仍保持原样。</translation>
    </message>
    <message>
        <source>%1 could not be rolled back completely. Please update it again.</source>
        <translation>%1 未能完全回退，请重新更新。</translation>
    </message>
</context>
<context>
    <name>gearmart::MoreInfoLeftWidget</name>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>下载</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Cancel download of %1</source>
        <translation>取消下载%1</translation>
    </message>
    <message>
        <source>Retry download of %1</source>
        <translation>重新下载%1</translation>
    </message>
    <message>
        <source>information</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Time:</source>
        <translation>时间：</translation>
    </message>
    <message>
        <source>size:</source>
        <translation>大小：</translation>
    </message>
    <message>
        <source>version:</source>
        <translation>版本：</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>等待中...</translation>
    </message>
    <message>
        <source>download fail</source>
        <translation>下载失败</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Please set downlaod path at system setting page.</source>
        <translation>请在系统设置页面设置下载路径。</translation>
    </message>
    <message>
        <source>Disk free space little than tool Size, please modify download Path.</source>
        <translation>磁盘剩余空间小于工具大小，请修改下载路径。</translation>
    </message>
    <message>
        <source>have already open, please close at first.</source>
        <translation>已打开，请先关闭。</translation>
    </message>
    <message>
        <source>have already open.</source>
        <translation>已打开。</translation>
    </message>
    <message>
        <source>Transfer progress of %1</source>
        <translation>%1的传输进度</translation>
    </message>
    <message>
        <source>Installed:</source>
        <translation>已安装版本：</translation>
    </message>
    <message>
        <source>On disk:</source>
        <translation>占用空间：</translation>
    </message>
    <message>
        <source>Installed on:</source>
        <translation>安装日期：</translation>
    </message>
    <message>
        <source>Installed version</source>
        <translation>已安装版本</translation>
    </message>
    <message>
        <source>Size on disk</source>
        <translation>占用空间</translation>
    </message>
    <message>
        <source>Installed or updated on</source>
        <translation>安装或更新日期</translation>
    </message>
    <message>
        <source>Show in folder</source>
        <translation>在文件夹中显示</translation>
    </message>
    <message>
        <source>Show the folder of %1</source>
        <translation>显示 %1 所在的文件夹</translation>
    </message>
</context>
<context>
    <name>gearmart::MoreInfoRightTopWidget</name>
    <message>
        <source>Shows or shortens the description</source>
        <translation>展开或收起简介</translation>
    </message>
    <message>
        <source>Update info</source>
        <translation>更新说明</translation>
    </message>
    <message>
        <source>Shows or hides the notes on the newest version</source>
        <translation>显示或隐藏新版本说明</translation>
    </message>
    <message>
        <source>...more</source>
        <translation>...更多</translation>
    </message>
    <message>
        <source>return</source>
        <translation>收起</translation>
    </message>
</context>
<context>
    <name>gearmart::NoMatchPanel</name>
    <message>
        <source>Clear search</source>
        <translation>清除搜索</translation>
    </message>
    <message>
        <source>No tool matches &quot;%1&quot;.</source>
        <translation>没有与“%1”匹配的工具。</translation>
    </message>
</context>
<context>
    <name>gearmart::ProgressBar</name>
    <message>
        <source>Download Fail!</source>
        <translation>下载失败！</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>进度</translation>
    </message>
</context>
<context>
    <name>gearmart::SignInGate</name>
    <message>
        <source>Sign-in is not available: the sign-in program is missing. Please reinstall the software.</source>
        <translation>无法登录：缺少登录程序，请重新安装软件。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>gearmart::StartupLoader</name>
    <message>
        <source>The settings were missing or damaged and have been reset.</source>
        <translation>设置文件缺失或已损坏，已恢复为默认设置。</translation>
    </message>
    <message>
        <source>The settings could not be read; built-in ones are used.</source>
        <translation>无法读取设置，正在使用内置设置。</translation>
    </message>
    <message>
        <source>The download folder could not be saved; choose one in the settings.</source>
        <translation>无法保存下载目录，请在设置中选择。</translation>
    </message>
    <message>
        <source>The downloaded tool list was damaged and was not used.</source>
        <translation>下载的工具列表已损坏，未被使用。</translation>
    </message>
    <message>
        <source>The tool list was damaged; the installed one was restored.</source>
        <translation>工具列表已损坏，已恢复安装时的列表。</translation>
    </message>
    <message>
        <source>No usable tool list was found; the list is empty.</source>
        <translation>未找到可用的工具列表，列表为空。</translation>
    </message>
    <message>
        <source>The record of installed tools was rebuilt.</source>
        <translation>已安装工具的记录已重建。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>gearmart::SubToolWidget</name>
    <message>
        <source>Spacer</source>
        <translation>占位</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>下载</translation>
    </message>
    <message>
        <source>Cancel download</source>
        <translation>取消下载</translation>
    </message>
    <message>
        <source>Retry download</source>
        <translation>重新下载</translation>
    </message>
    <message>
        <source>New tool</source>
        <translation>新工具</translation>
    </message>
    <message>
        <source>Sign-in required</source>
        <translation>需要登录</translation>
    </message>
    <message>
        <source>Show details of %1</source>
        <translation>查看%1的详情</translation>
    </message>
    <message>
        <source>Download %1</source>
        <translation>下载%1</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>打开%1</translation>
    </message>
    <message>
        <source>Cancel download of %1</source>
        <translation>取消下载%1</translation>
    </message>
    <message>
        <source>Retry download of %1</source>
        <translation>重新下载%1</translation>
    </message>
    <message>
        <source>Download progress of %1</source>
        <translation>%1的下载进度</translation>
    </message>
    <message>
        <source>%1 logo</source>
        <translation>%1 图标</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>等待中...</translation>
    </message>
    <message>
        <source>download fail</source>
        <translation>下载失败</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Please set downlaod path at system setting page.</source>
        <translation>请在系统设置页面设置下载路径。</translation>
    </message>
    <message>
        <source>Disk free space little than tool Size, please modify download Path.</source>
        <translation>磁盘剩余空间小于工具大小，请修改下载路径。</translation>
    </message>
    <message>
        <source>Software already opened.</source>
        <translation>软件已打开。</translation>
    </message>
    <message>
        <source>Transfer progress of %1</source>
        <translation>%1的传输进度</translation>
    </message>
</context>
<context>
    <name>gearmart::SystemConfigWidget</name>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Change path Please close open tools and all had download tools will move to new path.</source>
        <translation>更改路径前请关闭已打开的工具，所有已下载的工具都将移动到新路径。</translation>
    </message>
    <message>
        <source>System</source>
        <translation>系统</translation>
    </message>
    <message>
        <source>Path:</source>
        <translation>路径：</translation>
    </message>
    <message>
        <source>Moving the downloaded tools</source>
        <translation>正在移动已下载的工具</translation>
    </message>
    <message>
        <source>ChangePath</source>
        <translation>更改路径</translation>
    </message>
    <message>
        <source>click close button quit open software</source>
        <translation>点击关闭按钮时退出已打开的软件</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>VersionInfo:</source>
        <translation>版本信息：</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>CheckUpdate</source>
        <translation>检查更新</translation>
    </message>
    <message>
        <source>Enable Upgrade Prompt:</source>
        <translation>启用更新提示：</translation>
    </message>
    <message>
        <source>Fast Transfers:</source>
        <translation>快速传输：</translation>
    </message>
    <message>
        <source>Downloads each package in one request and resumes it after a broken connection.</source>
        <translation>每个安装包一次请求下载完成，连接中断后可断点续传。</translation>
    </message>
    <message>
        <source>License</source>
        <translation>许可证</translation>
    </message>
    <message>
        <source>see about</source>
        <translation>查看</translation>
    </message>
    <message>
        <source>Open Source Software Licenses</source>
        <translation>开源软件许可证</translation>
    </message>
    <message>
        <source>UserManual</source>
        <translation>用户手册</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Open the user manual</source>
        <translation>打开用户手册</translation>
    </message>
    <message>
        <source>Cannot change path while downloading.</source>
        <translation>正在下载，无法更改路径。</translation>
    </message>
    <message>
        <source>Please close open tools.</source>
        <translation>请关闭已打开的工具。</translation>
    </message>
    <message>
        <source>DownloadPath</source>
        <translation>下载路径</translation>
    </message>
    <message>
        <source>The new path cannot be the current path or lie inside it.</source>
        <translation>新路径不能是当前路径，也不能位于当前路径之内。</translation>
    </message>
    <message>
        <source>Disk free space less than 2G.</source>
        <translation>磁盘剩余空间不足 2G。</translation>
    </message>
    <message>
        <source>Not enough free space for the downloaded tools.</source>
        <translation>剩余空间不足以存放已下载的工具。</translation>
    </message>
    <message>
        <source>Download path save fail.</source>
        <translation>下载路径保存失败。</translation>
    </message>
    <message>
        <source>save fail.</source>
        <translation>保存失败。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Open User&apos;s Manual fail.</source>
        <translation>打开用户手册失败。</translation>
    </message>
    <message>
        <source>No user manual found.</source>
        <translation>未找到用户手册。</translation>
    </message>
    <message>
        <source>Open Open Source Software Licenses file directory failed.</source>
        <translation>打开开源软件许可证文件目录失败。</translation>
    </message>
    <message>
        <source>Cannot update Gearloft while downloading.</source>
        <translation>正在下载，无法更新 Gearloft。</translation>
    </message>
    <message>
        <source>%1 is running. Please close it first: its files move with the download folder.</source>
        <translation>%1 正在运行。请先关闭它：它的文件会随下载文件夹一起移动。</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written to. Please choose another folder.</source>
        <translation>无法写入文件夹 %1。请选择其他文件夹。</translation>
    </message>
    <message>
        <source>The downloaded tools were moved to %1.</source>
        <translation>已下载的工具已移动到 %1。</translation>
    </message>
    <message>
        <source>The downloaded tools need %1, but only %2 is free there. Nothing was moved.</source>
        <translation>已下载的工具需要 %1，但那里只有 %2 可用空间。未移动任何内容。</translation>
    </message>
    <message>
        <source>The new download folder could not be saved in the settings. The tools stay in %1.</source>
        <translation>无法在设置中保存新的下载文件夹。工具仍在 %1。</translation>
    </message>
    <message>
        <source>The tools could not be copied to %1 (is it writable, and is there room?). They stay in %2.</source>
        <translation>无法将工具复制到 %1（是否可写、空间是否足够？）。工具仍在 %2。</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>语言：</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>The new language shows from the next start of Gearloft.</source>
        <translation>新的语言将在下次启动 Gearloft 时生效。</translation>
    </message>
    <message>
        <source>Skipped updates</source>
        <translation>已跳过的更新</translation>
    </message>
    <message>
        <source>No update is skipped.</source>
        <translation>没有跳过的更新。</translation>
    </message>
    <message>
        <source>Offer again</source>
        <translation>恢复</translation>
    </message>
    <message>
        <source>Offer the update of %1 to V%2 again</source>
        <translation>恢复 %1 的 V%2 更新</translation>
    </message>
</context>
<context>
    <name>gearmart::TipDialog</name>
    <message>
        <source>Tip</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>gearmart::TipFrame</name>
    <message>
        <source>Hint</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>Drag to sort or delete</source>
        <translation>拖动可排序或删除</translation>
    </message>
</context>
<context>
    <name>gearmart::ToolBoxTabWidget</name>
    <message>
        <source>All Tools</source>
        <translation>全部工具</translation>
    </message>
    <message>
        <source>Updateable Tools</source>
        <translation>可更新工具</translation>
    </message>
    <message>
        <source>Update Tools</source>
        <translation>更新工具</translation>
    </message>
</context>
<context>
    <name>gearmart::ToolBoxWidget</name>
    <message>
        <source>My Tools</source>
        <translation>我的工具</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>分隔线</translation>
    </message>
    <message numerus="yes">
        <source>%n updateable tool(s)</source>
        <translation>
            <numerusform>%n 个可更新工具</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>gearmart::ToolCategory</name>
    <message>
        <source>System tools</source>
        <translation>系统工具</translation>
    </message>
    <message>
        <source>Network tools</source>
        <translation>网络工具</translation>
    </message>
    <message>
        <source>Office and media</source>
        <translation>办公影音</translation>
    </message>
    <message>
        <source>Utilities</source>
        <translation>实用工具</translation>
    </message>
</context>
<context>
    <name>gearmart::ToolDownloadWidget</name>
    <message>
        <source>Fold banner</source>
        <translation>收起横幅</translation>
    </message>
    <message>
        <source>Unfold banner</source>
        <translation>展开横幅</translation>
    </message>
</context>
<context>
    <name>gearmart::ToolDownloadedScene</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Delete %1 and all its files?</source>
        <translation>删除%1及其全部文件？</translation>
    </message>
    <message>
        <source>Software already opened.</source>
        <translation>软件已打开。</translation>
    </message>
    <message>
        <source>%1 is not in the download folder and was not deleted: %2</source>
        <translation>%1不在下载文件夹中，未被删除：%2</translation>
    </message>
    <message>
        <source>%1 could not be deleted. Close every program that uses its files and try again.</source>
        <translation>无法删除%1。请关闭所有正在使用其文件的程序后重试。</translation>
    </message>
    <message>
        <source>%1 was deleted, but some of its files could not be removed: %2</source>
        <translation>%1已删除，但部分文件未能移除：%2</translation>
    </message>
</context>
<context>
    <name>gearmart::ToolIntroPictureWidget</name>
    <message>
        <source>Featured tool</source>
        <translation>推荐工具</translation>
    </message>
    <message>
        <source>Next picture</source>
        <translation>下一张</translation>
    </message>
    <message>
        <source>Show %1</source>
        <translation>查看%1</translation>
    </message>
</context>
<context>
    <name>gearmart::ToolMoreInfoWidget</name>
    <message>
        <source>Home Page</source>
        <translation>首页</translation>
    </message>
</context>
<context>
    <name>gearmart::ToolSearchField</name>
    <message>
        <source>Search tools (Ctrl+F)</source>
        <translation>搜索工具 (Ctrl+F)</translation>
    </message>
    <message>
        <source>Search tools</source>
        <translation>搜索工具</translation>
    </message>
    <message>
        <source>Filters the tools by name, description and category as you type</source>
        <translation>输入时按名称、简介和分类筛选工具</translation>
    </message>
    <message>
        <source>Clear search</source>
        <translation>清除搜索</translation>
    </message>
</context>
<context>
    <name>gearmart::ToolTypeWidget</name>
    <message>
        <source>All Tool</source>
        <translation>全部工具</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1（%2）</translation>
    </message>
    <message numerus="yes">
        <source>%n tool(s)</source>
        <translation>
            <numerusform>%n 个工具</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>gearmart::ToolUpdateScene</name>
    <message>
        <source>No tool is ticked. Tick the tools to update, then press Update.</source>
        <translation>未勾选任何工具。请勾选要更新的工具，然后点击“更新”。</translation>
    </message>
    <message>
        <source>The ticked tools are being updated already, or their update failed: use the retry button on their rows.</source>
        <translation>勾选的工具已在更新中，或其更新失败：请使用其所在行的重试按钮。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>gearmart::TransferFailure</name>
    <message>
        <source>Other users of this computer could change the download folder, so nothing was saved there. Please choose a folder of your own.</source>
        <translation>本机的其他用户可以更改下载文件夹，因此未在其中保存任何内容。请选择只属于您自己的文件夹。</translation>
    </message>
    <message>
        <source>The folder Gearloft in your home folder was not made by this program and was left untouched. Please move it elsewhere and try again.</source>
        <translation>主目录中的 Gearloft 文件夹不是本程序创建的，已保持原样。请将它移到别处后重试。</translation>
    </message>
    <message>
        <source>The download service stopped, and this download with it. Please try again.</source>
        <translation>下载服务已停止，此下载随之中断。请重试。</translation>
    </message>
    <message>
        <source>connect to network timeout.</source>
        <translation>网络连接超时。</translation>
    </message>
    <message>
        <source>network initial failed.</source>
        <translation>网络初始化失败。</translation>
    </message>
    <message>
        <source>save failed.</source>
        <translation>保存失败。</translation>
    </message>
    <message>
        <source>file not found.</source>
        <translation>文件未找到。</translation>
    </message>
    <message>
        <source>File not found.</source>
        <translation>文件未找到。</translation>
    </message>
    <message>
        <source>connect to network failed.</source>
        <translation>网络连接失败。</translation>
    </message>
    <message>
        <source>network abnomaly</source>
        <translation>网络异常</translation>
    </message>
    <message>
        <source>network anomaly</source>
        <translation>网络异常</translation>
    </message>
    <message>
        <source>The package could not be verified as the publisher&apos;s, so it was not installed.</source>
        <translation>无法确认此安装包来自发布者，因此未安装。</translation>
    </message>
    <message>
        <source>The download server&apos;s certificate could not be verified, so nothing was downloaded.</source>
        <translation>无法验证下载服务器的证书，因此未下载任何内容。</translation>
    </message>
    <message>
        <source>The package failed its integrity check (it was damaged or altered on the way) and was not installed.</source>
        <translation>安装包未通过完整性校验（在传输中损坏或被篡改），未安装。</translation>
    </message>
</context>
<context>
    <name>gearmart::TransferProgressLabel</name>
    <message>
        <source>Transfer progress</source>
        <translation>传输进度</translation>
    </message>
</context>
<context>
    <name>gearmart::TransferProgressText</name>
    <message>
        <source>%1 s</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 分钟</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 分 %2 秒</translation>
    </message>
    <message>
        <source>more than a day</source>
        <translation>超过一天</translation>
    </message>
    <message>
        <source>%1 h</source>
        <translation>%1 小时</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 小时 %2 分</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <source>%1/s</source>
        <translation>%1/秒</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>剩余 %1</translation>
    </message>
</context>
<context>
    <name>gearmart::UpdateToolsWidget</name>
    <message>
        <source>No Tool</source>
        <translation>暂无工具</translation>
    </message>
    <message>
        <source>check all</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>Updateable Tools</source>
        <translation>可更新工具</translation>
    </message>
    <message>
        <source>BatchUpdate</source>
        <translation>批量更新</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>gearmart::UpdateVersionDialog</name>
    <message>
        <source>Version updating</source>
        <translation>正在更新版本</translation>
    </message>
    <message>
        <source>Updating V%1 to V%2</source>
        <translation>正在从 V%1 更新到 V%2</translation>
    </message>
    <message>
        <source>Update progress</source>
        <translation>更新进度</translation>
    </message>
    <message>
        <source>Cancel update</source>
        <translation>取消更新</translation>
    </message>
    <message>
        <source>Update transfer progress</source>
        <translation>更新传输进度</translation>
    </message>
</context>
<context>
    <name>gearmart::VersionChecker</name>
    <message>
        <source>Gearloft is updated by the system&apos;s package manager.</source>
        <translation>Gearloft 由系统的软件包管理器更新。</translation>
    </message>
    <message>
        <source>check new version!</source>
        <translation>发现新版本！</translation>
    </message>
    <message>
        <source>checking...</source>
        <translation>正在检查...</translation>
    </message>
    <message>
        <source>Version have updated, please restart software</source>
        <translation>版本已更新，请重启软件</translation>
    </message>
    <message>
        <source>check failed</source>
        <translation>检查失败</translation>
    </message>
    <message>
        <source>There are no new version</source>
        <translation>已是最新版本</translation>
    </message>
</context>
<context>
    <name>gearmart::WindowTitleWidget</name>
    <message>
        <source>Gear Mart</source>
        <translation>工具坊</translation>
    </message>
    <message>
        <source>Tools Down</source>
        <translation>工具下载</translation>
    </message>
    <message>
        <source>My Tools</source>
        <translation>我的工具</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>最大化</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>还原</translation>
    </message>
</context>
<context>
    <name>swapover::UpgradeNotice</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Close the notice</source>
        <translation>关闭提示</translation>
    </message>
    <message>
        <source>Gearloft is closing to apply the update...</source>
        <translation>Gearloft 正在关闭以应用更新...</translation>
    </message>
    <message>
        <source>Applying the update to Gearloft...</source>
        <translation>正在为 Gearloft 应用更新...</translation>
    </message>
    <message>
        <source>The update could not be applied. Gearloft keeps its previous version.</source>
        <translation>更新未能应用，Gearloft 保持原来的版本。</translation>
    </message>
</context>
</TS>
