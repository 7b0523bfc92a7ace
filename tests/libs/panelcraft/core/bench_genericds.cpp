// How the XML tree's load time grows with its input: flat documents of
// growing size and the deepest nesting the limits allow. Prints figures; a
// linear reader keeps the time per element flat as the input grows.
#include "panelcraft/genericds.h"

#include <QElapsedTimer>
#include <QtTest>

using crestui::GenericDS;

namespace {

QByteArray flat(int elements)
{
    return "<R>" + QByteArray("<T><K>1</K><V>some text</V></T>\n").repeated(elements / 3) + "</R>";
}

QByteArray deep(int depth)
{
    return QByteArray("<a>").repeated(depth) + "x" + QByteArray("</a>").repeated(depth);
}

// Nanoseconds per element for one load and one pass over the children, the
// best of three runs (the machine is shared).
double nsPerElement(const QByteArray& document, int elements, const crestui::XmlLimits& limits)
{
    double best = -1;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        GenericDS root;
        if (!root.loadXMLData(document, limits))
            return -1;
        int seen = 0;
        for (const GenericDS& child : root.GetChildren())
            seen += child.GetChildrenCount();
        Q_UNUSED(seen)
        const double ns = double(timer.nsecsElapsed()) / elements;
        best = best < 0 ? ns : qMin(best, ns);
    }
    return best;
}

} // namespace

class BenchGenericDS : public QObject
{
    Q_OBJECT

private slots:
    void timePerElementStaysFlat()
    {
        crestui::XmlLimits limits;
        limits.maxElements = 1000000;
        limits.maxBytes = 64 * 1024 * 1024;
        QVector<double> figures;
        for (const int elements : {15000, 60000, 240000}) {
            const double ns = nsPerElement(flat(elements), elements, limits);
            QVERIFY(ns > 0);
            figures << ns;
            std::printf("flat, %7d elements: %8.1f ns per element\n", elements, ns);
        }
        std::printf("flat, growth of the time per element for 16 times the input: %.2f (1 is linear)\n",
                    figures.last() / figures.first());

        for (const int depth : {8, crestui::XmlLimits::kGenericMaxDepth}) {
            const int copies = 5000;
            QByteArray document = "<R>" + deep(depth - 1).repeated(copies) + "</R>";
            const double ns = nsPerElement(document, copies * (depth - 1), crestui::XmlLimits());
            QVERIFY(ns > 0);
            std::printf("nested %2d deep, %6d elements: %8.1f ns per element\n", depth, copies * (depth - 1),
                        ns);
        }

        QByteArray attributes = "<R";
        for (int i = 0; i < 40000; ++i)
            attributes += " a" + QByteArray::number(i) + "='1'";
        const struct
        {
            const char* what;
            QByteArray document;
        } refused[] = {{"nested 1,000,000 deep", deep(1000000)},
                       {"a tag with 40,000 attributes", attributes + "/>"}};
        for (const auto& hostile : refused) {
            QElapsedTimer timer;
            timer.start();
            GenericDS root;
            QVERIFY(!root.loadXMLData(hostile.document));
            std::printf("%s: refused in %.1f ms\n", hostile.what, timer.nsecsElapsed() / 1e6);
        }
    }
};

QTEST_GUILESS_MAIN(BenchGenericDS)
#include "bench_genericds.moc"
