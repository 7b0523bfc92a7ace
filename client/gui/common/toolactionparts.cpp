#include "common/toolactionparts.h"

#include "system/systemutils.h"

#include <QPushButton>

namespace gearmart {

namespace toolaction {

namespace {

std::function<double(const QString&)>& freeSpaceFunction()
{
    static std::function<double(const QString&)> function;
    return function;
}

} // namespace

QPushButton* makeButton(QWidget* parent, const char* name, const QSize& size)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFixedSize(size);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

double freeSpaceOf(const QString& qstrPath)
{
    const auto& function = freeSpaceFunction();
    return function ? function(qstrPath) : freeSpaceGiB(qstrPath);
}

void setFreeSpaceFunction(std::function<double(const QString&)> function)
{
    freeSpaceFunction() = std::move(function);
}

} // namespace toolaction

} // namespace gearmart
