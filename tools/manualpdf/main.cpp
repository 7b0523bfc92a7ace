// manualpdf: renders the HTML manuals into the PDF files the help buttons
// open. Used by the build only; several inputs make one document, each
// starting on a new page.

#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

#include <cstdio>

namespace {

bool printPage(QPdfWriter& writer, QPainter& painter, const QString& html)
{
    QTextDocument document;
    document.setHtml(html);
    document.setPageSize(writer.pageLayout().paintRectPixels(writer.resolution()).size());
    const int pages = document.pageCount();
    const QSizeF page = document.pageSize();
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !writer.newPage())
            return false;
        painter.save();
        painter.translate(0, -page.height() * i);
        document.drawContents(&painter, QRectF(0, page.height() * i, page.width(), page.height()));
        painter.restore();
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    // Runs on build machines without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: manualpdf OUT.pdf IN.html [IN.html...]\n");
        return 2;
    }

    QPdfWriter writer(args.at(1));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
    writer.setTitle(QStringLiteral("Gearloft"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        std::fprintf(stderr, "manualpdf: cannot write %s\n", qPrintable(args.at(1)));
        return 1;
    }
    for (int i = 2; i < args.size(); ++i) {
        QFile input(args.at(i));
        if (!input.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "manualpdf: cannot read %s\n", qPrintable(args.at(i)));
            return 1;
        }
        if ((i > 2 && !writer.newPage()) || !printPage(writer, painter, QString::fromUtf8(input.readAll()))) {
            std::fprintf(stderr, "manualpdf: cannot write %s\n", qPrintable(args.at(1)));
            return 1;
        }
    }
    return painter.end() ? 0 : 1;
}
