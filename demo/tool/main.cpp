// The demo tool. Every tool of the demo catalog is this one program under
// the tool's own executable name. Its window says, in Chinese and English,
// which program it is, which version it carries (the first line of
// version.txt beside it, or "unknown") and in which folder it lies.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextStream>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>

namespace {

// The first line of version.txt in the program's folder; empty when the
// file is missing, unreadable or blank.
QString readVersion(const QString& folder)
{
    QFile file(folder + QStringLiteral("/version.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    return stream.readLine().trimmed();
}

QLabel* valueLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QFileInfo self(QApplication::applicationFilePath());
    const QString name = self.fileName();
    const QString folder = QDir::toNativeSeparators(self.absolutePath());
    const QString version = readVersion(self.absolutePath());

    std::printf("%s %s in %s\n", qUtf8Printable(name),
                version.isEmpty() ? "unknown" : qUtf8Printable(version), qUtf8Printable(folder));
    std::fflush(stdout);

    QWidget window;
    window.setWindowTitle(name);
    window.setMinimumWidth(460);

    auto* title = new QLabel(name, &window);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    titleFont.setBold(true);
    title->setFont(titleFont);

    auto* note = new QLabel(QStringLiteral("这是 Gearloft 演示用的工具程序。\n"
                                           "A demo tool program for Gearloft."),
                            &window);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->addRow(QStringLiteral("程序 / Program:"), valueLabel(name, &window));
    form->addRow(QStringLiteral("版本 / Version:"),
                 valueLabel(version.isEmpty() ? QStringLiteral("未知 / unknown") : version, &window));
    form->addRow(QStringLiteral("位置 / Folder:"), valueLabel(folder, &window));

    auto* closeButton = new QPushButton(QStringLiteral("关闭 / Close"), &window);
    QObject::connect(closeButton, &QPushButton::clicked, &window, &QWidget::close);

    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(14);
    layout->addWidget(title);
    layout->addWidget(note);
    layout->addLayout(form);
    layout->addWidget(closeButton, 0, Qt::AlignRight);

    window.show();
    return app.exec();
}
