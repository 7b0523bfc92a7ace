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
