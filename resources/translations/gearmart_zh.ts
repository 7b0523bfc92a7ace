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
        <translation>升级完成，是否重启软件？</translation>
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
        <translation>升级失败，是否重试？</translation>
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
        <source>1.1.0.5</source>
        <translation>1.1.0.5</translation>
    </message>
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
</context>
<context>
    <name>gearmart::InquiryIfUpdatePromptDialog</name>
    <message>
        <source>Upgrade Detect</source>
        <translation>升级检测</translation>
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
        <translation>启用升级检测后，有新版本发布时将自动提示。是否启用？</translation>
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
        <source>File not found.</source>
        <translation>文件未找到。</translation>
    </message>
    <message>
        <source>connect to network failed.</source>
        <translation>网络连接失败。</translation>
    </message>
    <message>
        <source>network anomaly</source>
        <translation>网络异常</translation>
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
        <source>connect to network failed.</source>
        <translation>网络连接失败。</translation>
    </message>
    <message>
        <source>network abnomaly</source>
        <translation>网络异常</translation>
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
    <name>gearmart::ToolTypeWidget</name>
    <message>
        <source>All Tool</source>
        <translation>全部工具</translation>
    </message>
</context>
<context>
    <name>gearmart::UpdateVersionDialog</name>
    <message>
        <source>Version updating</source>
        <translation>正在更新版本</translation>
    </message>
    <message>
        <source>Update progress</source>
        <translation>更新进度</translation>
    </message>
    <message>
        <source>Cancel update</source>
        <translation>取消更新</translation>
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
</TS>
